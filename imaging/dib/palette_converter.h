// Nearest palette colour for an RGB value, fronted by a small direct-mapped
// cache because readers and transforms ask for the same few colours often.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/dib/dib_format.h"

namespace huemira {

class TRgbToPaletteConverter {
 public:
  static constexpr std::size_t kCacheSlots = 1020;

  // The palette is kept by reference and must outlive the converter.
  explicit TRgbToPaletteConverter(const TLogPalette& palette);

  // Index of the entry nearest to rgb (0x00RRGGBB) in squared RGB distance;
  // of equally near entries the lowest index wins.
  std::uint16_t NearestIndex(std::uint32_t rgb);

  std::uint32_t Hits() const { return hits_; }
  std::uint32_t Misses() const { return misses_; }

 private:
  struct Slot {
    std::uint32_t rgb = 0;
    std::int16_t index = -1;
  };

  const TLogPalette& palette_;
  std::array<Slot, kCacheSlots> cache_{};
  std::uint32_t hits_ = 0;
  std::uint32_t misses_ = 0;
};

}  // namespace huemira
