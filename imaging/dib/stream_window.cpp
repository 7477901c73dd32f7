#include "imaging/dib/stream_window.h"

#include <algorithm>

namespace huemira {

std::size_t TStreamWindow::Read(void* buffer, std::size_t count) {
  if (position_ >= length_) return 0;
  const auto left = static_cast<std::uint64_t>(length_ - position_);
  const std::size_t wanted = left < count ? static_cast<std::size_t>(left) : count;
  base_.SetPosition(start_ + position_);
  const std::size_t got = base_.Read(buffer, wanted);
  position_ += static_cast<std::int64_t>(got);
  return got;
}

std::size_t TStreamWindow::Write(const void*, std::size_t) { return 0; }

std::int64_t TStreamWindow::Seek(std::int64_t offset, SeekOrigin origin) {
  const std::int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : length_;
  // Clamped at 0 like every stream; beyond the end reads simply return nothing.
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

}  // namespace huemira
