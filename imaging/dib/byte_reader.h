// Buffered input for the run-length decoders: the stream is read in blocks of
// 16384 bytes, and the decoders work on the block through a pointer pair so
// that their inner loops make no call per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/stream.h"

namespace huemira {

class TByteReader {
 public:
  static constexpr std::size_t kBlockSize = 16384;

  explicit TByteReader(TStream& stream);

  // Next byte, or -1 once the stream has no more.
  int Next() {
    if (next_ == end_ && !Refill()) return -1;
    return *next_++;
  }
  // Copies up to count bytes; fewer only at the end of the stream.
  std::size_t ReadInto(std::uint8_t* out, std::size_t count);

  // The unread part of the current block. Decoders consume with Advance;
  // Refill fetches the next block when it is empty and returns false at the end.
  const std::uint8_t* Begin() const { return next_; }
  const std::uint8_t* End() const { return end_; }
  void Advance(std::size_t count) { next_ += count; }
  bool Refill();

 private:
  TStream& stream_;
  std::unique_ptr<std::uint8_t[]> block_;
  const std::uint8_t* next_ = nullptr;
  const std::uint8_t* end_ = nullptr;
};

}  // namespace huemira
