#include "gif_test_support.h"

#include "framework/stream.h"

namespace huemira::test {

GifBytes& GifBytes::Bytes(std::initializer_list<int> values) {
  for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
  return *this;
}

GifBytes& GifBytes::Text(const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  return *this;
}

GifBytes& GifBytes::Word(std::uint16_t value) { return Bytes({value & 0xFF, value >> 8}); }

GifBytes& GifBytes::Screen(std::uint16_t width, std::uint16_t height, int packed, int background) {
  return Word(width).Word(height).Bytes({packed, background, 0});
}

GifBytes& GifBytes::Table(const std::vector<Rgb>& colors) {
  for (const Rgb& rgb : colors) Bytes({rgb[0], rgb[1], rgb[2]});
  return *this;
}

GifBytes& GifBytes::GraphicControl(int packed, std::uint16_t delay, int transparentIndex) {
  return Bytes({0x21, 0xF9, 4, packed}).Word(delay).Bytes({transparentIndex, 0});
}

GifBytes& GifBytes::Comment(const std::string& text) {
  Bytes({0x21, 0xFE, static_cast<int>(text.size())});
  return Text(text).Bytes({0});
}

GifBytes& GifBytes::Descriptor(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                               int packed) {
  return Bytes({0x2C}).Word(left).Word(top).Word(width).Word(height).Bytes({packed});
}

GifBytes& GifBytes::ImageData(int codeSize, const std::vector<std::uint8_t>& payload, bool terminate) {
  Bytes({codeSize});
  for (std::size_t i = 0; i < payload.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, payload.size() - i);
    bytes.push_back(static_cast<std::uint8_t>(n));
    bytes.insert(bytes.end(), payload.begin() + static_cast<std::ptrdiff_t>(i),
                 payload.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  if (terminate) bytes.push_back(0);
  return *this;
}

std::vector<std::uint8_t> PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codes) {
  std::vector<std::uint8_t> out;
  std::uint64_t bits = 0;
  unsigned count = 0;
  for (const auto& [code, width] : codes) {
    bits |= std::uint64_t{code} << count;
    count += width;
    while (count >= 8) {
      out.push_back(static_cast<std::uint8_t>(bits));
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) out.push_back(static_cast<std::uint8_t>(bits));
  return out;
}

std::vector<std::uint8_t> LiteralCodeStream(const std::vector<std::uint8_t>& pixels, int codeSize) {
  const unsigned clear = 1u << codeSize;
  std::vector<std::pair<unsigned, unsigned>> codes;
  unsigned width = codeSize + 1;
  unsigned entries = 0;  // codes the decoder has added since the last clear
  bool afterClear = true;
  codes.emplace_back(clear, width);
  for (std::uint8_t pixel : pixels) {
    codes.emplace_back(pixel, width);
    if (afterClear) {
      afterClear = false;
      continue;
    }
    ++entries;
    const unsigned next = clear + 2 + entries;
    if (next == (1u << width) && width < 12) ++width;
    if (next >= 4000) {
      codes.emplace_back(clear, width);
      width = codeSize + 1;
      entries = 0;
      afterClear = true;
    }
  }
  codes.emplace_back(clear + 1, width);
  return PackCodes(codes);
}

std::vector<Rgb> Palette(int count) {
  std::vector<Rgb> colors;
  for (int i = 0; i < count; ++i) {
    colors.push_back({static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i * 5)});
  }
  return colors;
}

std::vector<std::uint8_t> SimpleGif(int width, int height, const std::vector<Rgb>& colors,
                                    const std::vector<std::uint8_t>& pixels, int frameExtraPacked) {
  int bits = 1;
  while ((1u << bits) < colors.size()) ++bits;
  const int codeSize = bits < 2 ? 2 : bits;
  GifBytes gif;
  // Colour resolution and table size agree, as most encoders write them.
  gif.Header().Screen(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height),
                      0x80 | (bits - 1) << 4 | (bits - 1))
      .Table(colors)
      .Descriptor(0, 0, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), frameExtraPacked)
      .ImageData(codeSize, LiteralCodeStream(pixels, codeSize))
      .Trailer();
  return gif.bytes;
}

void LoadGif(TGIFImage& image, const std::vector<std::uint8_t>& bytes) {
  TBorrowedMemoryStream stream(bytes.data(), bytes.size());
  image.LoadFromStream(stream);
}

std::vector<std::uint8_t> Indexes(const TDibGraphic& bitmap) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) out.push_back(static_cast<std::uint8_t>(bitmap.GetPixelIndex(x, y)));
  return out;
}

std::vector<std::uint8_t> RgbBytes(const TDibGraphic& bitmap) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.GetScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) out.insert(out.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  return out;
}

}  // namespace huemira::test
