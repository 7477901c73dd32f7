// libFuzzer harness: arbitrary bytes as an enhanced metafile, walked record by
// record as before playback. Every record that is not refused must lie inside
// the file, follow the one before it and be aligned; the walk must advance.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "framework/exception.h"
#include "imaging/metafile/emf_record_walker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  const std::span<const std::uint8_t> emf(data, size);
  TEmfRecordWalker walker(emf);
  std::size_t expected = 0;
  std::size_t count = 0;
  while (const std::optional<TEmfRecord> record = walker.Next()) {
    if (record->offset != expected || ++count > size / 8 + 1) __builtin_trap();
    if (record->verdict == TEmfVerdict::Refuse) continue;
    if (record->size < 8 || record->size % 4 != 0 || record->size > size - record->offset) __builtin_trap();
    expected += record->size;
  }
  try {
    PlanEmfPlayback(emf);
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
