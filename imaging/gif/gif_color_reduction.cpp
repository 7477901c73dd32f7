#include "imaging/gif/gif_color_reduction.h"

#include <unordered_map>

namespace huemira {

namespace {

constexpr int kRedLevels = 6, kGreenLevels = 7, kBlueLevels = 6;

int Level(int value, int levels) { return (value * (levels - 1) + 127) / 255; }
std::uint8_t LevelValue(int level, int levels) { return static_cast<std::uint8_t>(level * 255 / (levels - 1)); }

std::uint32_t PixelKey(const std::uint8_t* bgr) { return MakeRgb(bgr[2], bgr[1], bgr[0]); }

// The picture's colours in order of appearance, or none when there are more than 256.
bool CollectColors(const TDibGraphic& source, std::unordered_map<std::uint32_t, std::uint8_t>& indexes,
                   TLogPalette& palette) {
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* row = source.GetScanLine(y);
    for (int x = 0; x < source.Width(); ++x) {
      const std::uint32_t key = PixelKey(row + 3 * x);
      if (indexes.count(key)) continue;
      if (indexes.size() == 256) return false;
      const TColor color = ColorFromRgb(key);
      palette.entries[indexes.size()] = {RedOf(color), GreenOf(color), BlueOf(color), 0};
      indexes.emplace(key, static_cast<std::uint8_t>(indexes.size()));
    }
  }
  palette.count = static_cast<std::uint16_t>(indexes.size());
  return true;
}

}  // namespace

void ReduceToIndexed(const TDibGraphic& source, bool grayscale, TDibGraphic& dest) {
  const int width = source.Width();
  const int height = source.Height();
  TLogPalette palette;
  std::unordered_map<std::uint32_t, std::uint8_t> exact;
  enum class Method { Gray, Exact, Cube } method = Method::Cube;

  if (grayscale) {
    method = Method::Gray;
    palette = DefaultPalette(TDibFormat::ifGrayscale256);
  } else if (CollectColors(source, exact, palette)) {
    method = Method::Exact;
  } else {
    palette.count = kRedLevels * kGreenLevels * kBlueLevels;
    for (int r = 0; r < kRedLevels; ++r)
      for (int g = 0; g < kGreenLevels; ++g)
        for (int b = 0; b < kBlueLevels; ++b) {
          palette.entries[(r * kGreenLevels + g) * kBlueLevels + b] = {
              LevelValue(r, kRedLevels), LevelValue(g, kGreenLevels), LevelValue(b, kBlueLevels), 0};
        }
  }

  dest.NewImage(width, height, grayscale ? TDibFormat::ifGrayscale256 : TDibFormat::ifColor256, &palette,
                source.XDpi(), source.YDpi());
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = source.GetScanLine(y);
    std::uint8_t* out = dest.GetScanLine(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* bgr = in + 3 * x;
      switch (method) {
        case Method::Gray:
          out[x] = static_cast<std::uint8_t>((77 * bgr[2] + 150 * bgr[1] + 29 * bgr[0] + 128) >> 8);
          break;
        case Method::Exact:
          out[x] = exact.at(PixelKey(bgr));
          break;
        case Method::Cube:
          out[x] = static_cast<std::uint8_t>(
              (Level(bgr[2], kRedLevels) * kGreenLevels + Level(bgr[1], kGreenLevels)) * kBlueLevels +
              Level(bgr[0], kBlueLevels));
          break;
      }
    }
  }
}

}  // namespace huemira
