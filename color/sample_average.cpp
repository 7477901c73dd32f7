#include "color/sample_average.h"

#include <algorithm>

namespace huemira {

int SampleSizeOrDefault(int size) {
  return std::find(kSampleSizes.begin(), kSampleSizes.end(), size) != kSampleSizes.end() ? size
                                                                                            : kDefaultSampleSize;
}

int SteppedSampleSize(int size, int steps) {
  const auto at = std::find(kSampleSizes.begin(), kSampleSizes.end(), SampleSizeOrDefault(size));
  const auto index = std::clamp<std::ptrdiff_t>(at - kSampleSizes.begin() + steps, 0,
                                                static_cast<std::ptrdiff_t>(kSampleSizes.size()) - 1);
  return kSampleSizes[static_cast<std::size_t>(index)];
}

TColor MeanColor(const std::uint32_t* topLeft, int rowStride, int width, int height) {
  std::uint64_t red = 0, green = 0, blue = 0, count = 0;
  for (int row = 0; row < height; ++row) {
    const std::uint32_t* pixel = topLeft + static_cast<std::ptrdiff_t>(row) * rowStride;
    for (int column = 0; column < width; ++column, ++pixel) {
      if (!IsPixel(*pixel)) continue;
      red += (*pixel >> 16) & 0xFF;
      green += (*pixel >> 8) & 0xFF;
      blue += *pixel & 0xFF;
      ++count;
    }
  }
  if (count == 0) return clWhite;
  // Half up: floor(sum / count + 1/2) in integers.
  const auto mean = [count](std::uint64_t sum) { return static_cast<int>((2 * sum + count) / (2 * count)); };
  return MakeColor(mean(red), mean(green), mean(blue));
}

}  // namespace huemira
