// The LZW encoder: strings are found through an open-addressing hash table
// whose slots point into a pool of one node per code.
#include <algorithm>
#include <array>
#include <memory>

#include "imaging/gif/gif_lzw.h"

namespace huemira {

namespace {

constexpr unsigned kHashSlots = 17777;
constexpr unsigned kMaxCodeWidth = 12;
// One below the 12-bit limit so that the decoder, a step behind, never fills up.
constexpr unsigned kLastCode = 4094;

// Codes least significant bit first, cut into 255-byte sub-blocks.
class SubBlockBitWriter {
 public:
  explicit SubBlockBitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Write(unsigned code, unsigned width) {
    bits_ |= std::uint32_t{code} << count_;
    count_ += width;
    while (count_ >= 8) {
      Byte(static_cast<std::uint8_t>(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }

  // The last partial byte, the last block and the terminator.
  void Finish() {
    if (count_ > 0) Byte(static_cast<std::uint8_t>(bits_));
    bits_ = 0;
    count_ = 0;
    if (used_ > 0) FlushBlock();
    out_.push_back(0);
  }

 private:
  void Byte(std::uint8_t value) {
    block_[used_++] = value;
    if (used_ == block_.size()) FlushBlock();
  }
  void FlushBlock() {
    out_.push_back(static_cast<std::uint8_t>(used_));
    out_.insert(out_.end(), block_.begin(), block_.begin() + used_);
    used_ = 0;
  }

  std::vector<std::uint8_t>& out_;
  std::array<std::uint8_t, 255> block_{};
  std::size_t used_ = 0;
  std::uint32_t bits_ = 0;
  unsigned count_ = 0;
};

struct StringNode {
  std::uint16_t prefix;
  std::uint16_t code;
  std::uint8_t pixel;
};

class StringTable {
 public:
  StringTable() { Clear(); }
  void Clear() {
    slots_.fill(kEmpty);
    used_ = 0;
  }

  // The slot holding (prefix, pixel), or the empty slot where it would go.
  unsigned Probe(unsigned hash, unsigned prefix, std::uint8_t pixel) const {
    unsigned slot = hash % kHashSlots;
    while (slots_[slot] != kEmpty) {
      const StringNode& node = nodes_[slots_[slot]];
      if (node.prefix == prefix && node.pixel == pixel) break;
      slot = slot + 1 == kHashSlots ? 0 : slot + 1;
    }
    return slot;
  }
  bool Holds(unsigned slot) const { return slots_[slot] != kEmpty; }
  unsigned CodeAt(unsigned slot) const { return nodes_[slots_[slot]].code; }
  void Add(unsigned slot, unsigned prefix, unsigned code, std::uint8_t pixel) {
    nodes_[used_] = {static_cast<std::uint16_t>(prefix), static_cast<std::uint16_t>(code), pixel};
    slots_[slot] = static_cast<std::uint16_t>(used_++);
  }

 private:
  static constexpr std::uint16_t kEmpty = 0xFFFF;
  std::array<std::uint16_t, kHashSlots> slots_;
  std::array<StringNode, 4096> nodes_{};
  unsigned used_ = 0;
};

std::uint32_t SinglePixelHash(std::uint8_t pixel) { return pixel * 301u + 903u; }

}  // namespace

std::vector<std::uint8_t> EncodeGifLzw(int width, int height, int bitsPerPixel, const TLzwRowSource& rows,
                                       const std::function<void(int row)>& progress) {
  const unsigned codeSize = static_cast<unsigned>(std::max(bitsPerPixel + 1, 3) - 1);
  const unsigned clearCode = 1u << codeSize;
  const unsigned endCode = clearCode + 1;
  const auto pixelMask = static_cast<std::uint8_t>((1u << bitsPerPixel) - 1);

  std::vector<std::uint8_t> out;
  out.push_back(static_cast<std::uint8_t>(codeSize));
  SubBlockBitWriter writer(out);
  auto table = std::make_unique<StringTable>();

  unsigned codeWidth = codeSize + 1;
  unsigned nextCode = endCode + 1;
  bool haveString = false;
  unsigned current = 0;   // code of the string taken so far
  unsigned runLength = 0; // its length in pixels
  std::uint32_t hash = 0;

  // Decoders expect a fresh table at the start of every frame.
  writer.Write(clearCode, codeWidth);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t pixel = row[x] & pixelMask;
      if (!haveString) {
        current = pixel;
        runLength = 1;
        hash = SinglePixelHash(pixel);
        haveString = true;
        continue;
      }
      const std::uint32_t extended = ((pixel + (runLength + 1) + 4) * hash) % kHashSlots;
      const unsigned slot = table->Probe(extended, current, pixel);
      if (table->Holds(slot)) {
        current = table->CodeAt(slot);
        hash = extended;
        ++runLength;
        continue;
      }
      writer.Write(current, codeWidth);
      const unsigned assigned = nextCode++;
      table->Add(slot, current, assigned, pixel);
      current = pixel;
      runLength = 1;
      hash = SinglePixelHash(pixel);
      if (assigned == (1u << codeWidth)) {
        ++codeWidth;
      } else if (assigned == kLastCode) {
        writer.Write(current, codeWidth);
        writer.Write(clearCode, codeWidth);
        codeWidth = codeSize + 1;
        nextCode = endCode + 1;
        table->Clear();
        haveString = false;
      }
    }
    if (progress) progress(y);
  }
  if (haveString) {
    writer.Write(current, codeWidth);
    // The decoder adds one more entry on reading that code and may widen
    // before the end code, so the end code must be written at its width.
    if (nextCode == (1u << codeWidth) && codeWidth < kMaxCodeWidth) ++codeWidth;
  }
  writer.Write(endCode, codeWidth);
  writer.Finish();
  return out;
}

}  // namespace huemira
