// The LZW decoder. A string goes straight into the row it lands in: copied
// from where it was last output when that is known (8-bit rows), otherwise
// written backwards along its table chain, which needs each code's length.
// A code whose string would cross a row end, or any code met after the data
// has shown itself damaged, goes the long way through a stack exactly as the
// classic decoder does, so damaged files decode to the same pixels either way.
//
// The hot loop keeps its bit buffer and output position in local variables
// whose address is never taken: otherwise every pixel stored through a byte
// pointer would force the compiler to reload them.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/exception.h"
#include "imaging/gif/gif_lzw.h"
#include "imaging/gif/gif_types.h"

#if defined(__GNUC__)
#define HUEMIRA_ALWAYS_INLINE __attribute__((always_inline))
#else
#define HUEMIRA_ALWAYS_INLINE
#endif

namespace huemira {

namespace {

constexpr unsigned kMaxCodes = 4096;
constexpr unsigned kMaxCodeWidth = 12;
// A chain deeper than this can only come from a table that refers to itself.
constexpr unsigned kMaxChainDepth = 4096;

struct TableEntry {
  std::uint16_t prefix;
  std::uint8_t suffix;
};

struct Tables {
  TableEntry entries[kMaxCodes];
  std::uint16_t length[kMaxCodes];  // pixels in each code's string
  const std::uint8_t* where[kMaxCodes];
  std::uint8_t stack[kMaxChainDepth + 2];
};

// Strings that never come from the output: single pixels, and the "0 0"
// of an unassigned code above the colours. Padded for 8-byte reads.
struct SinglePixels {
  std::uint8_t values[256 + 8];
  constexpr SinglePixels() : values() {
    for (int i = 0; i < 256; ++i) values[i] = static_cast<std::uint8_t>(i);
  }
};
constexpr SinglePixels kSinglePixelTable;
constexpr const std::uint8_t* kSinglePixels = kSinglePixelTable.values;
constexpr std::uint8_t kTwoZeros[8] = {};

// Hands out the rows in file order (interlaced or not). 8-bit rows are the
// DIB's own; narrower ones are collected in a scratch row and packed.
class RowCursor {
 public:
  explicit RowCursor(const TLzwTarget& target) : t_(target) {
    if (t_.bitsPerPixel != 8) scratch_.assign(static_cast<std::size_t>(t_.width), 0);
  }

  std::uint8_t* First() { return Enter(); }

  // Called with the row full; returns the next row, or none after the last.
  std::uint8_t* Next() {
    if (t_.bitsPerPixel != 8) Pack();
    y_ = Successor(y_);
    return Enter();
  }

  // Index 0 for every pixel from at (in the current row) to the end of the
  // image, when decoding stops early.
  void ZeroRest(std::uint8_t* at) {
    if (y_ >= t_.height) return;
    std::uint8_t* row = t_.bitsPerPixel == 8 ? DibRow(y_) : scratch_.data();
    std::fill(at, row + t_.width, 0);
    for (std::uint8_t* next = Next(); next; next = Next()) std::fill(next, next + t_.width, 0);
  }

 private:
  std::uint8_t* DibRow(int y) const { return t_.bits + static_cast<std::ptrdiff_t>(t_.height - 1 - y) * t_.stride; }

  std::uint8_t* Enter() {
    if (y_ >= t_.height) return nullptr;
    std::uint8_t* row = DibRow(y_);
    // The padding bytes at the end of a DIB row are never pixels; keep them 0.
    const std::ptrdiff_t used = (static_cast<std::ptrdiff_t>(t_.width) * t_.bitsPerPixel + 7) / 8;
    std::fill(row + used, row + t_.stride, 0);
    return t_.bitsPerPixel == 8 ? row : scratch_.data();
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

  void Pack() {
    std::uint8_t* out = DibRow(y_);
    const std::uint8_t* in = scratch_.data();
    const int width = t_.width;
    if (t_.bitsPerPixel == 1) {
      for (int x = 0; x < width; x += 8) {
        unsigned byte = 0;
        for (int k = 0; k < 8; ++k) byte = (byte << 1) | (x + k < width ? in[x + k] & 1u : 0u);
        out[x >> 3] = static_cast<std::uint8_t>(byte);
      }
    } else {
      for (int x = 0; x < width; x += 2) {
        const unsigned low = x + 1 < width ? in[x + 1] & 15u : 0u;
        out[x >> 1] = static_cast<std::uint8_t>(((in[x] & 15u) << 4) | low);
      }
    }
  }

  const TLzwTarget& t_;
  std::vector<std::uint8_t> scratch_;
  int y_ = 0;
  int pass_ = 0;
};

// The bit reader's state, handed to Refill by value so that the decoder's
// own copy never has its address taken. Codes are packed least significant
// bit first across the data sub-blocks.
struct BitState {
  const std::uint8_t* pos;
  const std::uint8_t* blockEnd;
  std::uint64_t bits;
  unsigned count;
};

struct BlockProgress {
  const std::uint8_t* start;
  std::size_t size;
  const TLzwProgress& callback;
  int lastPercent;
};

// Tops the bit buffer up to at least 57 bits, or as far as the data goes.
BitState Refill(BitState s, const std::uint8_t* dataEnd, BlockProgress& progress) {
  while (s.count <= 56) {
    if (s.pos == s.blockEnd) {
      if (s.pos == dataEnd) break;
      const std::size_t blockSize = *s.pos++;
      if (blockSize > static_cast<std::size_t>(dataEnd - s.pos)) throw EReadError("Stream read error");
      s.blockEnd = s.pos + blockSize;
      if (progress.callback) {
        const auto done = static_cast<std::uint64_t>(s.pos - progress.start);
        const int percent = static_cast<int>((done * 100 + progress.size / 2) / progress.size);
        if (percent != progress.lastPercent) progress.callback(progress.lastPercent = percent);
      }
      continue;
    }
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (s.blockEnd - s.pos >= 8) {
      const unsigned take = (64 - s.count) >> 3;
      std::uint64_t word;
      std::memcpy(&word, s.pos, 8);
      if (take < 8) word &= (std::uint64_t{1} << (8 * take)) - 1;
      s.bits |= word << s.count;
      s.count += 8 * take;
      s.pos += take;
      continue;
    }
#endif
    s.bits |= std::uint64_t{*s.pos++} << s.count;
    s.count += 8;
  }
  return s;
}

// Damage that the tolerance switch lets through, or the error it would be.
bool Damaged(const char* message, bool isReadError) {
  if (GifTolerateCorruption) return true;
  if (isReadError) throw EReadError(message);
  throw EInvalidGraphicOperation(message);
}

}  // namespace

bool DecodeGifLzw(const std::uint8_t* compressed, std::size_t size, int frameBits, const TLzwTarget& target,
                  const TLzwProgress& progress) {
  if (size == 0) throw EReadError("Stream read error");
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

  const std::uint8_t* const dataEnd = compressed + size;
  const std::uint8_t* pos = compressed + 1;
  const std::uint8_t* blockEnd = pos;
  std::uint64_t bits = 0;
  unsigned bitCount = 0;
  BlockProgress blockProgress{compressed, size, progress, -1};
  // The next code, or -1 when the data ends first: no code is ever made of
  // bytes that are not there.
  const auto readCode = [&]() HUEMIRA_ALWAYS_INLINE -> int {
    if (bitCount < width) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
      if (blockEnd - pos >= 8) {
        const unsigned take = (64 - bitCount) >> 3;
        std::uint64_t word;
        std::memcpy(&word, pos, 8);
        bits |= (word & (~std::uint64_t{0} >> (64 - 8 * take))) << bitCount;
        bitCount += 8 * take;
        pos += take;
      } else
#endif
      {
        const BitState topped = Refill({pos, blockEnd, bits, bitCount}, dataEnd, blockProgress);
        pos = topped.pos;
        blockEnd = topped.blockEnd;
        bits = topped.bits;
        bitCount = topped.count;
        if (bitCount < width) return -1;
      }
    }
    const auto code = static_cast<int>(bits & ((1u << width) - 1));
    bits >>= width;
    bitCount -= width;
    return code;
  };

  RowCursor rows(target);
  const auto rowWidth = static_cast<std::size_t>(target.width);
  std::uint8_t* dst = rows.First();
  std::uint8_t* rowEnd = dst + rowWidth;
  const auto put = [&](std::uint8_t value) HUEMIRA_ALWAYS_INLINE {
    if (!dst) return;
    *dst++ = value;
    if (dst == rowEnd) {
      dst = rows.Next();
      rowEnd = dst ? dst + rowWidth : nullptr;
    }
  };

  // 8-bit rows are final as soon as they are written, so a string can be
  // copied from where it was last output instead of walked through the
  // table. `where` holds such a place per code (none when unknown); reading
  // or writing 8 bytes at a time needs slack, which the checks below give.
  const bool copyStrings = target.bitsPerPixel == 8;
  const std::uint8_t* const bitsEnd = target.bits + static_cast<std::ptrdiff_t>(target.height) * target.stride;
  const std::uint8_t** where = tables->where;
  for (unsigned c = 0; c < kMaxCodes; ++c) {
    where[c] = c <= pixelMask ? &kSinglePixels[c] : c < clearCode + 2 ? kTwoZeros : nullptr;
  }
  const std::uint8_t* lastStart = nullptr;  // where the previous code's string was output whole

  int code = readCode();
  while (code >= 0 && static_cast<unsigned>(code) != endCode && dst) {
    std::uint8_t* const start = dst;
    if (static_cast<unsigned>(code) == clearCode) {
      width = codeSize + 1;
      capacity = 1u << width;
      next = clearCode + 2;
      full = false;
      const int c = readCode();
      if (c < 0) {
        code = c;
        break;
      }
      old = static_cast<unsigned>(c);
      first = old & pixelMask;
      lengthsExact = old < next;
      lastStart = old <= pixelMask ? start : nullptr;
      put(static_cast<std::uint8_t>(first));
    } else {
      if (corrupted) break;
      const auto current = static_cast<unsigned>(code);
      if (current > next) lengthsExact = false;
      const unsigned previousFirst = first;
      const bool runsAhead = current == next;  // the code the table is about to get
      const std::size_t room = static_cast<std::size_t>(rowEnd - dst);
      unsigned count = 0;
      const std::uint8_t* source = nullptr;
      if (lengthsExact) {
        const unsigned base = current < next ? current : old;
        count = length[base] + (current == next ? 1u : 0u);
        source = copyStrings ? where[base] : nullptr;
      }
      const std::size_t span = (std::size_t{count} + 7) & ~std::size_t{7};
      if (source && span <= room && (count <= 8 || span <= static_cast<std::size_t>(bitsEnd - source))) {
        // Whole 8-byte chunks: the bytes past the string are rewritten later.
        for (std::size_t i = 0; i < count; i += 8) std::memcpy(dst + i, source + i, 8);
        first = source[0];
        if (current == next) dst[count - 1] = static_cast<std::uint8_t>(previousFirst);
        dst += count;
        if (dst == rowEnd) {
          dst = rows.Next();
          rowEnd = dst ? dst + rowWidth : nullptr;
        }
      } else if (lengthsExact && count - 1u < room) {
        std::uint8_t* p = dst;
        unsigned i = count - 1;
        unsigned cur = current;
        if (current == next) {
          p[i--] = static_cast<std::uint8_t>(previousFirst);
          cur = old;
        }
        for (; i > 0; --i) {
          p[i] = entries[cur].suffix;
          cur = entries[cur].prefix;
        }
        first = cur & pixelMask;
        p[0] = static_cast<std::uint8_t>(first);
        dst += count;
        if (dst == rowEnd) {
          dst = rows.Next();
          rowEnd = dst ? dst + rowWidth : nullptr;
        }
      } else {
        unsigned cur = current;
        unsigned depth = 0;
        if (current >= next) {
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
        for (unsigned i = depth + 1; i-- > 0 && dst;) put(stack[i]);
        count = 0;  // not output in one piece
      }

      if (!full) {
        entries[next].prefix = static_cast<std::uint16_t>(old);
        entries[next].suffix = static_cast<std::uint8_t>(first);
        length[next] = static_cast<std::uint16_t>(next <= pixelMask ? 1u : length[old] + 1u);
        if (copyStrings) {
          // The new string is the previous one followed by this one's first pixel.
          const bool joined = lastStart && lastStart + length[old] == start && bitsEnd - lastStart >= 8;
          where[next] = next <= pixelMask ? &kSinglePixels[next] : joined ? lastStart : nullptr;
        }
        if (++next >= capacity) {
          if (width == kMaxCodeWidth) {
            full = true;
          } else {
            ++width;
            capacity <<= 1;
          }
        }
      }
      // What was output is this code's own string unless it ran ahead of the
      // table with a first pixel that the table does not repeat.
      const bool ownString = count != 0 && lengthsExact && (!runsAhead || previousFirst == first);
      lastStart = ownString ? start : nullptr;
      old = current;
    }
    code = readCode();
  }

  if (dst) {
    rows.ZeroRest(dst);
    if (code < 0) corrupted = Damaged("Stream read error", true) || corrupted;
  }
  return corrupted;
}

}  // namespace huemira
