#include "color/sample_average.h"

#include <gtest/gtest.h>

#include <vector>

namespace huemira {
namespace {

TEST(SampleAverage, MeanOfKnownPatterns) {
  // A 3 × 3 checkerboard with white corners: five whites, four blacks.
  std::vector<std::uint32_t> board(9);
  for (int i = 0; i < 9; ++i) board[i] = i % 2 == 0 ? 0xFFFFFFu : 0x000000u;
  EXPECT_EQ(MeanColor(board.data(), 3, 3, 3), MakeColor(142, 142, 142));

  // Channels are averaged apart: red only in one pixel of four.
  const std::uint32_t quad[] = {0xFF0000u, 0x000000u, 0x000000u, 0x0000FFu};
  EXPECT_EQ(MeanColor(quad, 2, 2, 2), MakeColor(64, 0, 64)) << "63.75 rounds to 64";

  // A square inside a wider buffer reads only its own rows' part.
  const std::uint32_t wide[] = {0x101010u, 0x202020u, 0xFFFFFFu,  //
                                0x303030u, 0x404040u, 0xFFFFFFu};
  EXPECT_EQ(MeanColor(wide, 3, 2, 2), MakeColor(40, 40, 40));
}

TEST(SampleAverage, RoundsHalfUp) {
  const std::uint32_t pair[] = {0x000000u, 0x010203u};  // means 0.5, 1, 1.5
  EXPECT_EQ(MeanColor(pair, 2, 2, 1), MakeColor(1, 1, 2));
  const std::uint32_t three[] = {0x000000u, 0x000000u, 0x010101u};  // 1/3 rounds down
  EXPECT_EQ(MeanColor(three, 3, 3, 1), MakeColor(0, 0, 0));
}

TEST(SampleAverage, LeavesOutPlacesWithNoPixel) {
  const std::uint32_t edge[] = {kNoPixel, 0x646464u, kNoPixel | 0xFFFFFFu, 0xC8C8C8u};
  EXPECT_EQ(MeanColor(edge, 2, 2, 2), MakeColor(150, 150, 150));
  const std::uint32_t none[] = {kNoPixel, kNoPixel};
  EXPECT_EQ(MeanColor(none, 2, 2, 1), clWhite);
}

TEST(SampleAverage, SizesStepAlongTheOfferedList) {
  EXPECT_EQ(SteppedSampleSize(1, 1), 3);
  EXPECT_EQ(SteppedSampleSize(15, 1), 21);
  EXPECT_EQ(SteppedSampleSize(31, 1), 31);
  EXPECT_EQ(SteppedSampleSize(1, -1), 1);
  EXPECT_EQ(SteppedSampleSize(21, -2), 11);
  EXPECT_EQ(SampleSizeOrDefault(4), kDefaultSampleSize);
  EXPECT_EQ(SampleSizeOrDefault(0), kDefaultSampleSize);
  EXPECT_EQ(SampleSizeOrDefault(9), 9);
}

}  // namespace
}  // namespace huemira
