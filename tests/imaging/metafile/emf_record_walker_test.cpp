// The record walker on hand-built metafiles: which records are drawn, which
// are skipped, and which faults refuse the file.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "framework/exception.h"
#include "imaging/dib/little_endian.h"
#include "imaging/metafile/emf_record_walker.h"

namespace huemira {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRectangle = 43, kSaveDc = 33, kPolyline = 4, kStretchDiBits = 81, kEndOfFile = 14;

// A record of `size` bytes (at least 8), zero after its type and size, with
// 32-bit fields set at their byte offsets.
Bytes Record(std::uint32_t type, std::uint32_t size,
             std::initializer_list<std::pair<std::size_t, std::uint32_t>> fields = {}) {
  Bytes record(size < 8 ? 8 : size);
  PutLe32(record.data(), type);
  PutLe32(record.data() + 4, size);
  for (const auto& [at, value] : fields) PutLe32(record.data() + at, value);
  return record;
}

Bytes EndOfFile() { return Record(kEndOfFile, 20, {{16, 20}}); }

// An 88-byte header, the records, and the header's byte count set to the total.
Bytes Metafile(std::initializer_list<Bytes> records) {
  Bytes file = Record(1, 88, {{40, 0x464D4520}, {44, 0x10000}});
  for (const Bytes& record : records) file.insert(file.end(), record.begin(), record.end());
  PutLe32(file.data() + 48, static_cast<std::uint32_t>(file.size()));
  return file;
}

std::vector<TEmfRecord> Walk(const Bytes& file) {
  std::vector<TEmfRecord> records;
  TEmfRecordWalker walker(file);
  while (std::optional<TEmfRecord> record = walker.Next()) records.push_back(*record);
  return records;
}

// The verdict on the record after the header, which must be drawn.
TEmfVerdict VerdictOn(const Bytes& record) {
  const std::vector<TEmfRecord> records = Walk(Metafile({record, EndOfFile()}));
  EXPECT_EQ(records.at(0).verdict, TEmfVerdict::Draw);
  return records.at(1).verdict;
}

Bytes ProfileNameRecord(std::uint32_t type) {
  // EMR_SETICMPROFILEW: flags, name length, data length, then the name, here a UNC path.
  const std::u16string name = u"\\\\elsewhere\\share\\p.icm";
  const auto bytes = static_cast<std::uint32_t>(2 * (name.size() + 1));
  Bytes record = Record(type, 20 + ((bytes + 3) & ~3u), {{12, bytes}});
  for (std::size_t i = 0; i < name.size(); ++i) PutLe16(record.data() + 20 + 2 * i, name[i]);
  return record;
}

TEST(EmfRecordWalker, DrawsTheHeaderDrawingRecordsAndTheEndInFileOrder) {
  const Bytes file = Metafile({Record(kRectangle, 24, {{8, 1}, {12, 1}, {16, 50}, {20, 40}}), EndOfFile()});
  const std::vector<TEmfRecord> records = Walk(file);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].type, kRectangle);
  EXPECT_EQ(records[1].offset, 88u);
  EXPECT_EQ(records[1].size, 24u);
  for (const TEmfRecord& record : records) EXPECT_EQ(record.verdict, TEmfVerdict::Draw) << record.type;
}

TEST(EmfRecordWalker, SkipsColourProfilesColourSpacesEscapesAndComments) {
  // SETICMPROFILEA/W, CREATECOLORSPACE(W), COLORMATCHTOTARGETW, SETICMMODE,
  // SETCOLORSPACE, DRAWESCAPE, EXTESCAPE, NAMEDESCAPE, GDICOMMENT, an unknown type.
  for (const std::uint32_t type : {112u, 113u, 99u, 122u, 121u, 98u, 100u, 105u, 106u, 110u, 70u, 500u}) {
    EXPECT_EQ(VerdictOn(ProfileNameRecord(type)), TEmfVerdict::Skip) << type;
  }
}

TEST(EmfRecordWalker, RefusesRecordsOfBadSizeOrPastTheEnd) {
  for (const std::uint32_t size : {0u, 4u, 26u}) {
    Bytes file = Metafile({Record(kRectangle, 28), EndOfFile()});
    PutLe32(file.data() + 88 + 4, size);
    const std::vector<TEmfRecord> records = Walk(file);
    ASSERT_EQ(records.size(), 2u) << "the walk ends at the faulty record";
    EXPECT_EQ(records[1].verdict, TEmfVerdict::Refuse) << size;
  }
  Bytes past = Metafile({Record(kRectangle, 24), EndOfFile()});
  PutLe32(past.data() + 88 + 24 + 4, 24);  // the end record claims 4 bytes more than there are
  EXPECT_EQ(Walk(past).back().verdict, TEmfVerdict::Refuse);

  Bytes fragment = Metafile({Record(kRectangle, 24)});
  fragment.resize(fragment.size() + 4);  // 4 bytes left: too few for a record
  PutLe32(fragment.data() + 48, static_cast<std::uint32_t>(fragment.size()));
  EXPECT_EQ(Walk(fragment).back().verdict, TEmfVerdict::Refuse);
}

TEST(EmfRecordWalker, RefusesAnInsaneHeader) {
  const auto headerVerdict = [](const Bytes& file) { return Walk(file).at(0).verdict; };
  Bytes unsigned_ = Metafile({EndOfFile()});
  unsigned_[40] = 'X';
  EXPECT_EQ(headerVerdict(unsigned_), TEmfVerdict::Refuse);
  Bytes longer = Metafile({EndOfFile()});
  PutLe32(longer.data() + 48, static_cast<std::uint32_t>(longer.size() + 4));  // more bytes than the file holds
  EXPECT_EQ(headerVerdict(longer), TEmfVerdict::Refuse);
  Bytes description = Metafile({EndOfFile()});
  PutLe32(description.data() + 64, 100);  // 100 characters from byte 80 of an 88-byte header
  PutLe32(description.data() + 68, 80);
  EXPECT_EQ(headerVerdict(description), TEmfVerdict::Refuse);
  Bytes headless = Metafile({EndOfFile()});
  PutLe32(headless.data(), kRectangle);
  EXPECT_EQ(headerVerdict(headless), TEmfVerdict::Refuse);
  EXPECT_EQ(Walk(Metafile({Metafile({}), EndOfFile()})).at(1).verdict, TEmfVerdict::Refuse) << "a second header";
  EXPECT_EQ(headerVerdict(Bytes(8, 0)), TEmfVerdict::Refuse);
}

TEST(EmfRecordWalker, RefusesCountsAndOffsetsThatLeaveTheirRecord) {
  EXPECT_EQ(VerdictOn(Record(kPolyline, 44, {{24, 2}})), TEmfVerdict::Draw);
  EXPECT_EQ(VerdictOn(Record(kPolyline, 44, {{24, 3}})), TEmfVerdict::Refuse);
  EXPECT_EQ(VerdictOn(Record(kPolyline, 44, {{24, 0x20000000}})), TEmfVerdict::Refuse) << "count x 8 overflows 32 bits";
  EXPECT_EQ(VerdictOn(Record(kRectangle, 16)), TEmfVerdict::Refuse) << "shorter than its fixed fields";

  // STRETCHDIBITS: bitmap info (a 40-byte header) at 80, bits at 120.
  const auto stretch = [](std::uint32_t infoSize, std::uint32_t bitsAt, std::uint32_t bitsSize) {
    return Record(kStretchDiBits, 124, {{48, 80}, {52, 40}, {56, bitsAt}, {60, bitsSize}, {80, infoSize}});
  };
  EXPECT_EQ(VerdictOn(stretch(40, 120, 4)), TEmfVerdict::Draw);
  EXPECT_EQ(VerdictOn(stretch(40, 120, 8)), TEmfVerdict::Refuse) << "bits past the record";
  EXPECT_EQ(VerdictOn(stretch(40, 0xFFFFFFFC, 8)), TEmfVerdict::Refuse) << "offset past the record";
  EXPECT_EQ(VerdictOn(stretch(124, 120, 4)), TEmfVerdict::Refuse) << "info header longer than the info";

  // POLYPOLYLINE: two polylines of 2 and 3 points, but only 4 points.
  EXPECT_EQ(VerdictOn(Record(7, 72, {{24, 2}, {28, 4}, {32, 2}, {36, 2}})), TEmfVerdict::Draw);
  EXPECT_EQ(VerdictOn(Record(7, 72, {{24, 2}, {28, 4}, {32, 2}, {36, 3}})), TEmfVerdict::Refuse);
}

TEST(EmfRecordWalker, EndsAtTheEndOfFileRecordOrAtTheHeadersByteCount) {
  Bytes file = Metafile({EndOfFile(), Record(kRectangle, 24)});
  EXPECT_EQ(Walk(file).size(), 2u);
  Bytes trailing = Metafile({Record(kRectangle, 24)});
  trailing.resize(trailing.size() + 12, 0xEE);  // beyond the header's byte count
  EXPECT_EQ(Walk(trailing).size(), 2u);
  EXPECT_EQ(Walk(trailing).back().verdict, TEmfVerdict::Draw);
}

TEST(EmfPlaybackPlan, RefusesAFaultyFileAndOneOverTheRecordBudget) {
  EXPECT_EQ(PlanEmfPlayback(Metafile({ProfileNameRecord(113), EndOfFile()})).size(), 3u);
  EXPECT_THROW(PlanEmfPlayback(Metafile({Record(kRectangle, 12), EndOfFile()})), EInvalidGraphic);
  EXPECT_THROW(PlanEmfPlayback(Bytes{}), EInvalidGraphic);

  Bytes many = Metafile({});
  const Bytes saveDc = Record(kSaveDc, 8);
  for (std::size_t i = 1; i < kMaxEmfRecords; ++i) many.insert(many.end(), saveDc.begin(), saveDc.end());
  PutLe32(many.data() + 48, static_cast<std::uint32_t>(many.size()));
  EXPECT_EQ(PlanEmfPlayback(many).size(), kMaxEmfRecords);
  many.insert(many.end(), saveDc.begin(), saveDc.end());
  PutLe32(many.data() + 48, static_cast<std::uint32_t>(many.size()));
  EXPECT_THROW(PlanEmfPlayback(many), EInvalidGraphic);
}

}  // namespace
}  // namespace huemira
