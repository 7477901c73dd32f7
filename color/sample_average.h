// The colour of a small square of pixels, as image editors take it for a
// "sample size": each channel's arithmetic mean, rounded half up.
#pragma once

#include <array>
#include <cstdint>

#include "framework/color.h"

namespace huemira {

// The sides of the squares a pick may average, in pixels; 1 takes the one
// pixel under the pointer.
inline constexpr std::array<int, 9> kSampleSizes{1, 3, 5, 7, 9, 11, 15, 21, 31};
inline constexpr int kDefaultSampleSize = 1;
inline constexpr int kLargestSampleSize = kSampleSizes.back();

// A stored size that is not one of kSampleSizes gives the default.
int SampleSizeOrDefault(int size);
// The size steps places along kSampleSizes from size (negative: smaller),
// stopping at either end.
int SteppedSampleSize(int size, int steps);

// A pixel value 0x00RRGGBB. A value with any bit of its top byte set stands
// for a place with no pixel (off every monitor, outside the picture).
inline constexpr std::uint32_t kNoPixel = 0xFF000000u;
inline constexpr bool IsPixel(std::uint32_t value) { return (value & kNoPixel) == 0; }

// The mean over a rectangle of a row-major pixel buffer; rowStride counts
// pixels. Places with no pixel are left out; with none at all, white, as an
// unreadable screen pixel reads.
TColor MeanColor(const std::uint32_t* topLeft, int rowStride, int width, int height);

}  // namespace huemira
