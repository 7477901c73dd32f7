// The records of an enhanced metafile, checked byte by byte before the
// system sees them: every record lies inside the file, is 4-byte aligned and
// at least a record header long, and the counts and offsets inside the
// records that the system follows stay inside their record. Each record gets
// a verdict: drawn, skipped (records that make the system open files, talk to
// drivers or carry data we never show) or refused (the file is damaged or
// hostile, and nothing of it is played). Portable: no Win32 here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace huemira {

enum class TEmfVerdict : std::uint8_t { Draw, Skip, Refuse };

struct TEmfRecord {
  std::uint32_t type = 0;
  std::size_t offset = 0;  // from the start of the metafile
  std::uint32_t size = 0;
  TEmfVerdict verdict = TEmfVerdict::Refuse;
};

// More records than this make a file refused. Real drawings (charts, maps,
// exported diagrams) have thousands to tens of thousands; every record played
// may fill the whole canvas, so the count bounds the time a file can take.
constexpr std::size_t kMaxEmfRecords = 200000;

class TEmfRecordWalker {
 public:
  // emf: the whole file. Nothing is copied; emf must outlive the walker.
  explicit TEmfRecordWalker(std::span<const std::uint8_t> emf);

  // The next record in file order, starting with the header; none after the
  // end-of-file record or the end of the data. A refused record ends the walk.
  std::optional<TEmfRecord> Next();

 private:
  TEmfVerdict Judge(std::uint32_t type, std::span<const std::uint8_t> record) const;

  std::span<const std::uint8_t> emf_;
  std::size_t end_ = 0;  // the header's byte count, when the file holds that many
  std::size_t position_ = 0;
  bool done_ = false;
};

// Every record of the file with its verdict, in file order. Throws
// EInvalidGraphic("Metafile is not valid") when a record is refused or the
// file has more than kMaxEmfRecords records.
std::vector<TEmfRecord> PlanEmfPlayback(std::span<const std::uint8_t> emf);

}  // namespace huemira
