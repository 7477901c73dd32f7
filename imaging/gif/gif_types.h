// The pieces a GIF file is made of, as TGIFImage keeps them: colour tables,
// extension blocks, the compressed data of one frame and the attributes that
// copies of an image share.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace huemira {

// System colour values are 0x00BBGGRR; this one stands for "no colour".
constexpr std::uint32_t kGifNoColor = 0x1FFFFFFF;

constexpr std::uint32_t GifColorValue(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return std::uint32_t{red} | (std::uint32_t{green} << 8) | (std::uint32_t{blue} << 16);
}

// When set, damaged compressed data marks the frame corrupted and keeps what
// was decoded instead of failing. The program never turns it off; tests do.
extern bool GifTolerateCorruption;

struct TGifRgb {
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct TGifColorTable {
  std::uint32_t count = 0;  // 0, or a power of two from 2 to 256
  std::array<TGifRgb, 256> entries{};

  std::uint32_t ColorValue(std::uint32_t index) const {
    const TGifRgb& e = entries[index & 0xFF];
    return GifColorValue(e.red, e.green, e.blue);
  }
  // The first entry whose colour equals color, or -1.
  int IndexOf(std::uint32_t color) const;
  void Clear() { *this = TGifColorTable{}; }
};

// Bits per pixel of a colour count: its 1-based position in 2, 4, ..., 256;
// 0 when the count is not one of those.
int GifBitsForCount(std::uint32_t count);
// The smallest b with 2^b >= count (1 at least), for tables built from palettes.
int GifBitsToHold(std::uint32_t count);

enum class TExtensionKind : std::uint8_t { GraphicControl = 0, PlainText = 1, Application = 2, Comment = 3 };

// One extension block, with the header bytes that follow its label kept raw.
struct TExtension {
  TExtensionKind kind = TExtensionKind::Comment;
  std::vector<std::uint8_t> raw;   // 6, 13, 12 or 0 bytes by kind
  std::vector<std::string> data;   // one string per data sub-block

  static std::uint8_t Label(TExtensionKind kind);
  static std::size_t RawSize(TExtensionKind kind);
  static TExtension NewGraphicControl();

  // Graphic control fields (raw layout: size, packed, delay lo, delay hi, index, terminator).
  bool HasTransparency() const { return raw[1] & 0x01; }
  int DisposalMethod() const { return (raw[1] >> 2) & 7; }
  std::uint16_t DelayHundredths() const { return static_cast<std::uint16_t>(raw[2] | (raw[3] << 8)); }
  std::uint8_t TransparentIndex() const { return raw[4]; }
};

// A run of bytes that may lie inside a larger shared block: a frame read
// from a file keeps its slice of the file instead of a copy.
class TSharedBytes {
 public:
  TSharedBytes() = default;
  explicit TSharedBytes(std::vector<std::uint8_t> bytes);
  // data and size lie inside the block that owner keeps alive.
  TSharedBytes(std::shared_ptr<const void> owner, const std::uint8_t* data, std::size_t size)
      : owner_(std::move(owner)), data_(data), size_(size) {}

  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::uint8_t operator[](std::size_t index) const { return data_[index]; }

 private:
  std::shared_ptr<const void> owner_;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

// Compressed pixels and geometry of a frame; copies of a frame share one.
struct TGIFItem {
  TSharedBytes compressed;  // code size byte, then the data sub-blocks as read
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint8_t packed = 0;               // the image descriptor's packed byte
  std::uint8_t bitsPerPixel = 0;
  TGifColorTable colors;
};

// Global attributes; copies of an image share one.
struct TGIFData {
  std::vector<std::string> comment;  // comment extensions not attached to a frame
  std::uint8_t aspectRatio = 0;
  std::uint8_t bitsPerPixel = 0;     // of the global table
  std::uint8_t colorResolution = 0;
  TGifColorTable colors;
};

}  // namespace huemira
