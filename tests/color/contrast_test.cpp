#include "color/contrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace huemira {
namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

TEST(Contrast, PublishedExamples) {
  EXPECT_EQ(RelativeLuminance(kWhite), 1.0);
  EXPECT_EQ(RelativeLuminance(kBlack), 0.0);
  EXPECT_EQ(ContrastRatio(kWhite, kBlack), 21.0);
  EXPECT_EQ(RatioText(ContrastRatio(kBlack, kWhite)), L"21.00:1");
  EXPECT_EQ(ContrastRatio(kWhite, kWhite), 1.0);
  EXPECT_EQ(RatioText(1.0), L"1.00:1");

  // #777777 on white: 4.478:1, the classic grey that just fails AA.
  const TColor grey = MakeColor(0x77, 0x77, 0x77);
  EXPECT_NEAR(RelativeLuminance(grey), 0.18447, 1e-5);
  EXPECT_NEAR(ContrastRatio(grey, kWhite), 4.4781, 1e-4);
  EXPECT_EQ(RatioText(ContrastRatio(grey, kWhite)), L"4.47:1");
  const ContrastVerdict verdict = JudgeContrast(ContrastRatio(grey, kWhite));
  EXPECT_FALSE(verdict.aaNormalText);
  EXPECT_TRUE(verdict.aaLargeText);
  EXPECT_FALSE(verdict.aaaNormalText);
  EXPECT_FALSE(verdict.aaaLargeText);

  // The luminance weights: pure green is far brighter than pure blue.
  EXPECT_NEAR(RelativeLuminance(MakeColor(255, 0, 0)), 0.2126, 1e-12);
  EXPECT_NEAR(RelativeLuminance(MakeColor(0, 255, 0)), 0.7152, 1e-12);
  EXPECT_NEAR(RelativeLuminance(MakeColor(0, 0, 255)), 0.0722, 1e-12);
}

TEST(Contrast, RatioTextIsCutOffAtTwoDecimals) {
  EXPECT_EQ(RatioText(4.52999), L"4.52:1");
  EXPECT_EQ(RatioText(4.5), L"4.50:1");
  EXPECT_EQ(RatioText(std::nextafter(4.5, 0.0)), L"4.49:1");
  EXPECT_EQ(RatioText(std::nextafter(7.0, 0.0)), L"6.99:1");
  EXPECT_EQ(RatioText(7.0), L"7.00:1");
  EXPECT_EQ(RatioText(2.999999), L"2.99:1");
  EXPECT_EQ(RatioText(12.0), L"12.00:1");
  // 4.35 * 100 is 434.99999999999994 in doubles; the text must still be 4.35.
  EXPECT_EQ(RatioText(4.35), L"4.35:1");
  EXPECT_EQ(RatioText(1.1), L"1.10:1");
}

double ShownNumber(const std::wstring& text) { return std::stod(text.substr(0, text.find(L':'))); }

TEST(Contrast, ShownRatioAndJudgementAgreeForAnyColors) {
  // Ratios a hair either side of each threshold, and random pairs.
  std::vector<double> ratios;
  for (double target : {kRatioAaLargeText, kRatioAaNormalText, kRatioAaaNormalText}) {
    const double below = std::nextafter(target, 0.0);
    ratios.insert(ratios.end(), {std::nextafter(below, 0.0), below, target, std::nextafter(target, 100.0)});
  }
  std::mt19937 random(11);
  for (int i = 0; i < 20000; ++i) ratios.push_back(ContrastRatio(random() & 0xFFFFFF, random() & 0xFFFFFF));

  for (double ratio : ratios) {
    const std::wstring text = RatioText(ratio);
    const long hundredths = std::lround(ShownNumber(text) * 100);
    ASSERT_LE(hundredths / 100.0, ratio) << ratio;
    ASSERT_GT((hundredths + 1) / 100.0, ratio) << ratio;
    const ContrastVerdict verdict = JudgeContrast(ratio);
    const auto shownReaches = [hundredths](double target) { return hundredths >= std::lround(target * 100); };
    ASSERT_EQ(verdict.aaNormalText, shownReaches(4.5)) << ratio;
    ASSERT_EQ(verdict.aaLargeText, shownReaches(3.0)) << ratio;
    ASSERT_EQ(verdict.aaaNormalText, shownReaches(7.0)) << ratio;
    ASSERT_EQ(verdict.aaaLargeText, shownReaches(4.5)) << ratio;
  }
}

}  // namespace
}  // namespace huemira
