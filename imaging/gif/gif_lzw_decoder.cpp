// The LZW decoder. Strings are written backwards straight into the row they
// land in, which needs each code's length; a code whose string would cross a
// row end, or any code met after the data has shown itself damaged, goes the
// long way through a stack exactly as the classic decoder does, so damaged
// files decode to the same pixels either way.
#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/exception.h"
#include "imaging/gif/gif_lzw.h"
#include "imaging/gif/gif_types.h"

namespace huemira {

namespace {

constexpr unsigned kMaxCodes = 4096;
constexpr unsigned kMaxCodeWidth = 12;
// A chain deeper than this can only come from a table that refers to itself.
constexpr unsigned kMaxChainDepth = 4096;

struct TableEntry {
  std::uint16_t prefix;
  std::uint8_t suffix;
  std::uint8_t unused;
};

struct Tables {
  TableEntry entries[kMaxCodes];
  std::uint16_t length[kMaxCodes];          // pixels in each code's string
  std::uint8_t stack[kMaxChainDepth + 2];
};

// Codes packed least significant bit first across the data sub-blocks.
class SubBlockBitReader {
 public:
  SubBlockBitReader(const std::vector<std::uint8_t>& data, const TLzwProgress& progress)
      : start_(data.data()), pos_(data.data() + 1), blockEnd_(pos_), end_(data.data() + data.size()),
        progress_(progress) {}

  // False when the data ends before width more bits: no code is ever made
  // of bytes that are not there.
  bool Read(unsigned width, unsigned& code) {
    if (count_ < width) {
      Refill();
      if (count_ < width) return false;
    }
    code = static_cast<unsigned>(bits_) & ((1u << width) - 1);
    bits_ >>= width;
    count_ -= width;
    return true;
  }

 private:
  void Refill() {
    while (count_ <= 56) {
      if (pos_ == blockEnd_) {
        if (pos_ == end_) return;
        const std::size_t length = *pos_++;
        if (length > static_cast<std::size_t>(end_ - pos_)) throw EReadError("Stream read error");
        blockEnd_ = pos_ + length;
        ReportProgress();
        continue;
      }
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
      if (blockEnd_ - pos_ >= 8) {
        const unsigned take = (64 - count_) >> 3;
        std::uint64_t word;
        std::memcpy(&word, pos_, 8);
        if (take < 8) word &= (std::uint64_t{1} << (8 * take)) - 1;
        bits_ |= word << count_;
        count_ += 8 * take;
        pos_ += take;
        continue;
      }
#endif
      bits_ |= std::uint64_t{*pos_++} << count_;
      count_ += 8;
    }
  }

  void ReportProgress() {
    if (!progress_) return;
    const auto total = static_cast<std::uint64_t>(end_ - start_);
    const auto done = static_cast<std::uint64_t>(pos_ - start_);
    const int percent = static_cast<int>((done * 100 + total / 2) / total);
    if (percent != lastPercent_) {
      lastPercent_ = percent;
      progress_(percent);
    }
  }

  const std::uint8_t* start_;
  const std::uint8_t* pos_;
  const std::uint8_t* blockEnd_;
  const std::uint8_t* end_;
  std::uint64_t bits_ = 0;
  unsigned count_ = 0;
  const TLzwProgress& progress_;
  int lastPercent_ = -1;
};

// Hands out one row of 8-bit indexes at a time, in file order (interlaced or
// not). 8-bit rows are the DIB's own; narrower ones are packed when complete.
class RowCursor {
 public:
  explicit RowCursor(const TLzwTarget& target) : t_(target) {
    if (t_.bitsPerPixel != 8) scratch_.assign(static_cast<std::size_t>(t_.width), 0);
    Enter();
  }

  bool Done() const { return y_ >= t_.height; }
  unsigned Room() const { return static_cast<unsigned>(t_.width - x_); }
  std::uint8_t* Cursor() const { return row_ + x_; }

  void Advance(unsigned count) {
    x_ += static_cast<int>(count);
    if (x_ == t_.width) NextRow();
  }
  void Put(std::uint8_t value) {
    if (Done()) return;
    row_[x_++] = value;
    if (x_ == t_.width) NextRow();
  }
  // Packs what a cut-short row received; the rest of it stays index 0.
  void Flush() {
    if (!Done() && x_ > 0 && t_.bitsPerPixel != 8) Pack(x_);
  }

 private:
  std::uint8_t* DibRow(int y) const { return t_.bits + static_cast<std::ptrdiff_t>(t_.height - 1 - y) * t_.stride; }

  void Enter() {
    x_ = 0;
    if (Done()) return;
    row_ = t_.bitsPerPixel == 8 ? DibRow(y_) : scratch_.data();
  }

  void NextRow() {
    if (t_.bitsPerPixel != 8) Pack(t_.width);
    y_ = Successor(y_);
    Enter();
  }

  int Successor(int y) {
    if (!t_.interlaced) return y + 1;
    static constexpr int kStep[4] = {8, 8, 4, 2};
    const int next = y + kStep[pass_];
    if (next < t_.height) return next;
    if (pass_ == 0) {
      pass_ = 1;
      if (t_.height > 4) return 4;
    }
    if (pass_ == 1) {
      pass_ = 2;
      if (t_.height > 2) return 2;
    }
    if (pass_ == 2) {
      pass_ = 3;
      return 1;
    }
    return t_.height;
  }

  void Pack(int count) {
    std::uint8_t* out = DibRow(y_);
    const std::uint8_t* in = scratch_.data();
    if (t_.bitsPerPixel == 1) {
      for (int x = 0; x < count; ++x) {
        if ((x & 7) == 0) out[x >> 3] = 0;
        out[x >> 3] |= static_cast<std::uint8_t>((in[x] & 1) << (7 - (x & 7)));
      }
    } else {
      for (int x = 0; x < count; ++x) {
        if ((x & 1) == 0) out[x >> 1] = static_cast<std::uint8_t>((in[x] & 15) << 4);
        else out[x >> 1] |= in[x] & 15;
      }
    }
  }

  const TLzwTarget& t_;
  std::vector<std::uint8_t> scratch_;
  std::uint8_t* row_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  int pass_ = 0;
};

// Damage that the tolerance switch lets through, or the error it would be.
bool Damaged(const char* message, bool isReadError) {
  if (GifTolerateCorruption) return true;
  if (isReadError) throw EReadError(message);
  throw EInvalidGraphicOperation(message);
}

}  // namespace

bool DecodeGifLzw(const std::vector<std::uint8_t>& compressed, int frameBits, const TLzwTarget& target,
                  const TLzwProgress& progress) {
  if (compressed.empty()) throw EReadError("Stream read error");
  if (target.width < 1 || target.height < 1) return false;

  bool corrupted = false;
  unsigned codeSize = compressed[0];
  if (codeSize < 2 || codeSize > 9) {
    corrupted = Damaged("GIF code size not in range 2 to 9", false);
    codeSize = std::clamp(codeSize, 2u, 9u);
  }

  const unsigned clearCode = 1u << codeSize;
  const unsigned endCode = clearCode + 1;
  const unsigned pixelMask = (1u << std::clamp(frameBits, 1, 8)) - 1;
  unsigned width = codeSize + 1;
  unsigned capacity = 1u << width;
  unsigned next = clearCode + 2;
  bool full = false;
  unsigned old = 0;
  unsigned first = 0;
  // While set, every code below `next` has a chain that runs strictly
  // downwards through this generation's entries, so `length` is exact.
  bool lengthsExact = true;

  auto tables = std::make_unique<Tables>();
  TableEntry* entries = tables->entries;
  std::uint16_t* length = tables->length;
  std::uint8_t* stack = tables->stack;
  std::memset(entries, 0, sizeof tables->entries);
  for (unsigned c = 0; c < kMaxCodes; ++c) length[c] = c <= pixelMask ? 1 : 2;

  SubBlockBitReader reader(compressed, progress);
  RowCursor out(target);
  bool ranOut = false;
  unsigned code = 0;
  if (!reader.Read(width, code)) ranOut = true;

  while (!ranOut && code != endCode && !out.Done()) {
    if (code == clearCode) {
      width = codeSize + 1;
      capacity = 1u << width;
      next = clearCode + 2;
      full = false;
      unsigned c;
      if (!reader.Read(width, c)) {
        ranOut = true;
        break;
      }
      old = c;
      first = c & pixelMask;
      lengthsExact = c < next;
      out.Put(static_cast<std::uint8_t>(first));
    } else {
      if (corrupted) break;
      const unsigned in = code;
      if (code > next) lengthsExact = false;
      unsigned count = 0;
      if (lengthsExact && (count = code < next ? length[code] : length[old] + 1u) - 1u < out.Room()) {
        std::uint8_t* p = out.Cursor();
        unsigned i = count - 1;
        unsigned cur = code;
        if (code == next) {
          p[i--] = static_cast<std::uint8_t>(first);
          cur = old;
        }
        for (; i > 0; --i) {
          p[i] = entries[cur].suffix;
          cur = entries[cur].prefix;
        }
        first = cur & pixelMask;
        p[0] = static_cast<std::uint8_t>(first);
        out.Advance(count);
      } else {
        unsigned cur = code;
        unsigned depth = 0;
        if (code >= next) {
          cur = old;
          stack[0] = static_cast<std::uint8_t>(first);
          depth = 1;
        }
        while (cur > pixelMask) {
          if (depth > kMaxChainDepth) {
            corrupted = Damaged("GIF encoded data is corrupt", false);
            break;
          }
          stack[depth++] = entries[cur].suffix;
          cur = entries[cur].prefix;
        }
        if (corrupted) break;
        first = cur & pixelMask;
        stack[depth] = static_cast<std::uint8_t>(first);
        for (unsigned i = depth + 1; i-- > 0 && !out.Done();) out.Put(stack[i]);
      }

      if (!full) {
        entries[next].prefix = static_cast<std::uint16_t>(old);
        entries[next].suffix = static_cast<std::uint8_t>(first);
        length[next] = static_cast<std::uint16_t>(next <= pixelMask ? 1u : length[old] + 1u);
        if (++next >= capacity) {
          if (width == kMaxCodeWidth) {
            full = true;
          } else {
            ++width;
            capacity <<= 1;
          }
        }
      }
      old = in;
    }
    if (!reader.Read(width, code)) ranOut = true;
  }

  out.Flush();
  if (ranOut && !out.Done()) corrupted = Damaged("Stream read error", true) || corrupted;
  return corrupted;
}

}  // namespace huemira
