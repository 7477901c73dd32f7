#include "imaging/dib/byte_reader.h"

#include <algorithm>
#include <cstring>

namespace huemira {

TByteReader::TByteReader(TStream& stream) : stream_(stream), block_(new std::uint8_t[kBlockSize]) {
  next_ = end_ = block_.get();
}

bool TByteReader::Refill() {
  if (next_ != end_) return true;
  const std::size_t got = stream_.Read(block_.get(), kBlockSize);
  next_ = block_.get();
  end_ = next_ + got;
  return got != 0;
}

std::size_t TByteReader::ReadInto(std::uint8_t* out, std::size_t count) {
  std::size_t copied = 0;
  while (copied < count && Refill()) {
    const std::size_t n = std::min(count - copied, static_cast<std::size_t>(end_ - next_));
    std::memcpy(out + copied, next_, n);
    next_ += n;
    copied += n;
  }
  return copied;
}

}  // namespace huemira
