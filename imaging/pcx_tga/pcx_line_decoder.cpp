#include "imaging/pcx_tga/pcx_line_decoder.h"

#include <algorithm>
#include <cstring>

namespace huemira {

namespace {

constexpr std::uint8_t kRunFlags = 0xC0;
constexpr std::uint8_t kRunCountMask = 0x3F;
constexpr std::uint8_t kPastEndValue = 0xFF;

}  // namespace

void TPcxLineDecoder::DecodeLine(std::uint8_t* out, std::size_t keep, std::size_t line_bytes) {
  std::size_t pos = 0;
  auto emit_run = [&](std::uint8_t value, std::size_t count) {
    if (pos < keep) std::memset(out + pos, value, std::min(count, keep - pos));
    pos += count;
  };

  if (pending_count_ != 0) {
    const std::size_t n = std::min(pending_count_, line_bytes);
    emit_run(pending_value_, n);
    pending_count_ -= n;
  }

  const std::uint8_t* next = reader_.Begin();
  const std::uint8_t* end = reader_.End();
  // Hands back what was consumed and fetches the next block; false at the end of the data.
  auto refill = [&]() {
    reader_.Advance(static_cast<std::size_t>(next - reader_.Begin()));
    const bool more = reader_.Refill();
    next = reader_.Begin();
    end = reader_.End();
    return more;
  };

  while (pos < line_bytes) {
    if (next == end && !refill()) {
      emit_run(kPastEndValue, line_bytes - pos);
      break;
    }
    const std::uint8_t byte = *next++;
    if ((byte & kRunFlags) != kRunFlags) {
      if (pos < keep) out[pos] = byte;
      ++pos;
      continue;
    }
    const std::size_t count = byte & kRunCountMask;
    std::uint8_t value = kPastEndValue;
    if (next != end || refill()) value = *next++;
    const std::size_t n = std::min(count, line_bytes - pos);
    emit_run(value, n);
    if (count > n) {
      pending_count_ = count - n;
      pending_value_ = value;
    }
  }
  reader_.Advance(static_cast<std::size_t>(next - reader_.Begin()));
  if (truncate_runs_) pending_count_ = 0;
}

}  // namespace huemira
