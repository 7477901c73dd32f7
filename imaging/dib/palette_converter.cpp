#include "imaging/dib/palette_converter.h"

#include <algorithm>

namespace huemira {

TRgbToPaletteConverter::TRgbToPaletteConverter(const TLogPalette& palette) : palette_(palette) {}

std::uint16_t TRgbToPaletteConverter::NearestIndex(std::uint32_t rgb) {
  Slot& slot = cache_[rgb % kCacheSlots];
  if (slot.index >= 0 && slot.rgb == rgb) {
    ++hits_;
    return static_cast<std::uint16_t>(slot.index);
  }
  ++misses_;
  const TColor color = ColorFromRgb(rgb);
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const int count = std::min<int>(palette_.count, static_cast<int>(palette_.entries.size()));
  int best = 2147483647;
  int result = 0;
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& entry = palette_.entries[i];
    const int dr = red - entry.red, dg = green - entry.green, db = blue - entry.blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < best) {  // strictly less: of equally near entries the first stays
      best = distance;
      result = i;
      if (distance == 0) break;
    }
  }
  slot = {rgb, static_cast<std::int16_t>(result)};
  return static_cast<std::uint16_t>(result);
}

}  // namespace huemira
