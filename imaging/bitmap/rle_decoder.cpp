#include "imaging/bitmap/rle_decoder.h"

#include <algorithm>
#include <cstring>

#include "framework/exception.h"
#include "imaging/dib/byte_reader.h"

namespace huemira {
namespace {

// Escape codes that follow a zero count.
constexpr int kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

// One row of the image being filled, with writes past the right edge dropped.
class TRleRow {
 public:
  TRleRow(TDibGraphic& image, bool fourBits) : image_(image), width_(image.Width()), fourBits_(fourBits) {}

  void MoveTo(int row) { line_ = image_.GetScanLine(image_.Height() - 1 - row); }

  void Put(int x, int index) {
    if (x >= width_) return;
    if (!fourBits_) {
      line_[x] = static_cast<std::uint8_t>(index);
    } else if (x & 1) {
      line_[x >> 1] = static_cast<std::uint8_t>((line_[x >> 1] & 0xF0) | index);
    } else {
      line_[x >> 1] = static_cast<std::uint8_t>((line_[x >> 1] & 0x0F) | index << 4);
    }
  }

  // count pixels from x: one index in 8 bits, two alternating ones (high nibble first) in 4 bits.
  void Run(int x, int count, int value) {
    if (x >= width_) return;
    if (!fourBits_) {
      std::memset(line_ + x, value, static_cast<std::size_t>(std::min(count, width_ - x)));
      return;
    }
    for (int i = 0; i < count; ++i) Put(x + i, i & 1 ? value & 0x0F : value >> 4);
  }

 private:
  TDibGraphic& image_;
  int width_;
  bool fourBits_;
  std::uint8_t* line_ = nullptr;
};

}  // namespace

void DecodeRleBitmap(TStream& stream, std::int64_t at, const TDibHeader& header, TDibGraphic& image,
                     const char* invalid) {
  stream.SetPosition(at);
  TByteReader in(stream);
  const auto next = [&] {
    const int byte = in.Next();
    if (byte < 0) throw EInvalidGraphic(invalid);
    return byte;
  };
  const bool fourBits = header.compression == TDibCompression::Rle4;
  const int width = header.width, height = header.height;
  TRleRow line(image, fourBits);
  int x = 0, row = 0;
  int percent = PercentStep(image, 0, 0, 255, height, image.OnPercentDone);
  line.MoveTo(0);
  // x stays at most width: what lies beyond is dropped anyway, and the
  // position cannot grow without bound over a long stream.
  while (row < height) {
    const int count = next();
    const int value = next();
    if (count > 0) {
      line.Run(x, count, value);
      x = std::min(x + count, width);
      continue;
    }
    switch (value) {
      case kEndOfBitmap: return;
      case kEndOfLine:
      case kDelta:
        if (value == kEndOfLine) {
          x = 0;
          ++row;
        } else {
          const int right = next();
          const int up = next();  // rows are stored bottom-up: "down" in the stream is up in the picture
          x = std::min(x + right, width);
          row += up;
        }
        if (row < height) line.MoveTo(row);
        percent = PercentStep(image, row, 0, percent, height, image.OnPercentDone);
        break;
      default: {  // absolute mode: `value` pixels stored as they are, padded to a 16-bit boundary
        const int bytes = fourBits ? (value + 1) / 2 : value;
        for (int i = 0; i < bytes; ++i) {
          const int byte = next();
          if (fourBits) {
            line.Put(x + 2 * i, byte >> 4);
            if (2 * i + 1 < value) line.Put(x + 2 * i + 1, byte & 0x0F);
          } else {
            line.Put(x + i, byte);
          }
        }
        if (bytes & 1) next();
        x = std::min(x + value, width);
        break;
      }
    }
  }
}

}  // namespace huemira
