// A read-only view of part of another stream, whose position 0 is the part's
// first byte. Readers see one picture of a container through it without a
// copy of the picture in memory.
#pragma once

#include <cstdint>

#include "framework/stream.h"

namespace huemira {

class TStreamWindow : public TStream {
 public:
  // The window covers [start, start + length) of base, which must outlive it.
  TStreamWindow(TStream& base, std::int64_t start, std::int64_t length)
      : base_(base), start_(start), length_(length) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t Size() override { return length_; }

 private:
  TStream& base_;
  std::int64_t start_;
  std::int64_t length_;
  std::int64_t position_ = 0;
};

}  // namespace huemira
