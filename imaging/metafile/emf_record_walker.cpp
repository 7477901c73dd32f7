#include "imaging/metafile/emf_record_walker.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "framework/exception.h"
#include "imaging/dib/little_endian.h"

namespace huemira {

namespace {

constexpr std::uint32_t kHeaderType = 1;     // EMR_HEADER
constexpr std::uint32_t kEndOfFileType = 14;  // EMR_EOF
constexpr std::size_t kRecordHeaderSize = 8;  // type and size
constexpr std::size_t kMinHeaderSize = 88;    // ENHMETAHEADER without its later extensions
constexpr std::size_t kSignatureAt = 40;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"

// What the system follows inside a record besides its fixed fields.
enum class TInnerData : std::uint8_t {
  None,
  Points,           // count at 24, points from 28
  PolyPoints,       // polygon count at 24, point count at 28, per-polygon counts from 32, then the points
  DrawPoints,       // count at 24, points from 28, then one type byte per point
  Bitmaps,          // (offset, size) pairs of bitmap info and bits
  Text,             // EMRTEXT at 36: characters and spacing
  Region,           // region data size, then the region data
  Palette,          // palette entries
  EndOfFile,        // palette entries at an offset
  PenStyle,         // style entries of an extended pen
  Gradient,         // vertices, then meshes
};

struct TDrawable {
  std::uint16_t minSize = 0;  // 0: not drawn
  TInnerData inner = TInnerData::None;
  std::uint8_t unit = 0;  // bytes per point or character; region: where its size field is
};

// The records we draw, with the size their fixed fields need. Everything
// else is skipped: colour profiles and colour spaces (the system would open
// the file a record names, which may be on another host), escapes (they go
// to the device driver), comments, OpenGL records and the rare text records
// whose layout we do not check.
constexpr std::array<TDrawable, 123> MakeDrawables() {
  std::array<TDrawable, 123> d{};
  const auto fixed = [&d](std::initializer_list<int> types, std::uint16_t size) {
    for (const int type : types) d[static_cast<std::size_t>(type)] = {size, TInnerData::None, 0};
  };
  d[kHeaderType] = {kMinHeaderSize, TInnerData::None, 0};
  d[kEndOfFileType] = {20, TInnerData::EndOfFile, 0};
  for (const int type : {2, 3, 4, 5, 6}) d[type] = {28, TInnerData::Points, 8};          // POLYBEZIER ... POLYLINETO
  for (const int type : {85, 86, 87, 88, 89}) d[type] = {28, TInnerData::Points, 4};     // their 16-bit forms
  for (const int type : {7, 8}) d[type] = {32, TInnerData::PolyPoints, 8};               // POLYPOLYLINE, POLYPOLYGON
  for (const int type : {90, 91}) d[type] = {32, TInnerData::PolyPoints, 4};
  d[56] = {28, TInnerData::DrawPoints, 8};  // POLYDRAW
  d[92] = {28, TInnerData::DrawPoints, 4};  // POLYDRAW16
  fixed({28, 33, 52, 59, 60, 61, 65, 66, 68}, 8);
  fixed({16, 17, 18, 19, 20, 21, 22, 24, 25, 34, 37, 40, 48, 57, 58, 67, 115}, 12);
  fixed({9, 10, 11, 12, 13, 26, 27, 51, 54, 120}, 16);
  fixed({15}, 20);
  fixed({29, 30, 31, 32, 39, 42, 43, 53, 62, 63, 64}, 24);
  fixed({38, 41}, 28);
  fixed({23, 35, 44}, 32);
  fixed({36}, 36);
  fixed({45, 46, 47, 55}, 40);
  fixed({82}, 104);  // EXTCREATEFONTINDIRECTW: at least a LOGFONTW
  d[49] = {16, TInnerData::Palette, 16};  // CREATEPALETTE: entries from 16
  d[50] = {20, TInnerData::Palette, 20};  // SETPALETTEENTRIES: entries from 20
  d[71] = {32, TInnerData::Region, 24};   // FILLRGN
  d[72] = {40, TInnerData::Region, 24};   // FRAMERGN
  d[73] = {28, TInnerData::Region, 24};   // INVERTRGN
  d[74] = {28, TInnerData::Region, 24};   // PAINTRGN
  d[75] = {16, TInnerData::Region, 8};    // EXTSELECTCLIPRGN
  const auto bitmaps = [&d](int type, std::uint16_t size) { d[static_cast<std::size_t>(type)] = {size, TInnerData::Bitmaps, 0}; };
  bitmaps(76, 100);  // BITBLT
  bitmaps(77, 108);  // STRETCHBLT
  bitmaps(78, 128);  // MASKBLT
  bitmaps(79, 140);  // PLGBLT
  bitmaps(80, 76);   // SETDIBITSTODEVICE
  bitmaps(81, 80);   // STRETCHDIBITS
  bitmaps(93, 32);   // CREATEMONOBRUSH
  bitmaps(94, 32);   // CREATEDIBPATTERNBRUSHPT
  bitmaps(114, 108); // ALPHABLEND
  bitmaps(116, 108); // TRANSPARENTBLT
  d[95] = {52, TInnerData::PenStyle, 0};   // EXTCREATEPEN (its brush bitmap is checked as well)
  d[83] = {76, TInnerData::Text, 1};       // EXTTEXTOUTA
  d[84] = {76, TInnerData::Text, 2};       // EXTTEXTOUTW
  d[118] = {36, TInnerData::Gradient, 0};  // GRADIENTFILL
  return d;
}

constexpr std::array<TDrawable, 123> kDrawables = MakeDrawables();

// Where the (offset, size) pairs of embedded bitmaps lie in each bitmap record.
struct TBitmapFields {
  std::uint32_t type;
  std::array<std::uint8_t, 4> offsets;  // of the offset fields; 0 ends the list
};
constexpr TBitmapFields kBitmapFields[] = {
    {76, {84, 92}},            // BITBLT: source info, source bits
    {77, {84, 92}},            // STRETCHBLT
    {114, {84, 92}},           // ALPHABLEND
    {116, {84, 92}},           // TRANSPARENTBLT
    {78, {84, 92, 112, 120}},  // MASKBLT: source, then mask
    {79, {96, 104, 124, 132}}, // PLGBLT
    {80, {48, 56}},            // SETDIBITSTODEVICE
    {81, {48, 56}},            // STRETCHDIBITS
    {93, {16, 24}},            // CREATEMONOBRUSH
    {94, {16, 24}},            // CREATEDIBPATTERNBRUSHPT
    {95, {12, 20}},            // EXTCREATEPEN
};

constexpr std::uint32_t kTextHasVerticalSpacing = 0x2000;  // ETO_PDY: two spacing values a character
constexpr std::uint64_t kRegionHeaderSize = 32;           // RGNDATAHEADER
constexpr std::uint64_t kVertexSize = 16;                 // TRIVERTEX
constexpr std::uint32_t kSelectClipRegionType = 75;  // EMR_EXTSELECTCLIPRGN
constexpr std::uint32_t kTriangleMode = 2;                // GRADIENT_FILL_TRIANGLE

class TRecordView {
 public:
  explicit TRecordView(std::span<const std::uint8_t> record) : record_(record) {}

  std::uint64_t Size() const { return record_.size(); }
  // A field the record's minimum size covers.
  std::uint32_t Le32(std::size_t at) const { return GetLe32(record_.data() + at); }
  std::uint16_t Le16(std::size_t at) const { return GetLe16(record_.data() + at); }
  // Whether `count` items of `unit` bytes from `at` lie inside the record.
  bool Holds(std::uint64_t at, std::uint64_t count, std::uint64_t unit) const {
    return at <= Size() && count * unit <= Size() - at;
  }

 private:
  std::span<const std::uint8_t> record_;
};

bool BitmapsInside(const TRecordView& record, std::uint32_t type) {
  const auto* fields = std::find_if(std::begin(kBitmapFields), std::end(kBitmapFields),
                                    [type](const TBitmapFields& f) { return f.type == type; });
  for (std::size_t i = 0; i < fields->offsets.size() && fields->offsets[i] != 0; ++i) {
    const std::uint32_t offset = record.Le32(fields->offsets[i]);
    const std::uint32_t size = record.Le32(fields->offsets[i] + 4u);
    if (size == 0) continue;
    if (offset < kRecordHeaderSize || !record.Holds(offset, size, 1)) return false;
    // Even i is a bitmap info, whose header says how much of it the system reads.
    if (i % 2 == 0 && (size < 4 || record.Le32(offset) > size)) return false;
  }
  return true;
}

bool InnerDataInside(const TRecordView& record, std::uint32_t type, const TDrawable& drawable) {
  const std::uint64_t unit = drawable.unit;
  switch (drawable.inner) {
    case TInnerData::None:
      return true;
    case TInnerData::Points:
      return record.Holds(28, record.Le32(24), unit);
    case TInnerData::PolyPoints: {
      const std::uint64_t polygons = record.Le32(24);
      const std::uint64_t points = record.Le32(28);
      if (!record.Holds(32, polygons, 4) || !record.Holds(32 + 4 * polygons, points, unit)) return false;
      std::uint64_t counted = 0;
      for (std::uint64_t i = 0; i < polygons; ++i) counted += record.Le32(static_cast<std::size_t>(32 + 4 * i));
      return counted <= points;
    }
    case TInnerData::DrawPoints: {
      const std::uint64_t points = record.Le32(24);
      return record.Holds(28, points, unit) && record.Holds(28 + points * unit, points, 1);
    }
    case TInnerData::Bitmaps:
      return BitmapsInside(record, type);
    case TInnerData::Text: {
      const std::uint64_t characters = record.Le32(44);
      const std::uint32_t options = record.Le32(52);
      const std::uint32_t spacing = record.Le32(72);
      const std::uint64_t perCharacter = (options & kTextHasVerticalSpacing) ? 8 : 4;
      return record.Holds(record.Le32(48), characters, unit) &&
             (spacing == 0 || record.Holds(spacing, characters, perCharacter));
    }
    case TInnerData::Region: {
      const std::uint64_t sizeAt = unit;
      const std::uint64_t dataAt = drawable.minSize;
      const std::uint64_t size = record.Le32(static_cast<std::size_t>(sizeAt));
      // Selecting no region at all resets the clipping.
      if (size == 0 && type == kSelectClipRegionType) return true;
      if (size < kRegionHeaderSize || !record.Holds(dataAt, size, 1)) return false;
      const std::uint64_t rectangles = record.Le32(static_cast<std::size_t>(dataAt + 8));
      return rectangles * 16 <= size - kRegionHeaderSize;
    }
    case TInnerData::Palette: {
      // CREATEPALETTE counts its entries in a 16-bit field of the LOGPALETTE at 12.
      const std::uint64_t entries = type == 49 ? record.Le16(14) : record.Le32(16);
      return record.Holds(unit, entries, 4);
    }
    case TInnerData::EndOfFile: {
      const std::uint64_t entries = record.Le32(8);
      return entries == 0 || (record.Le32(12) >= 16 && record.Holds(record.Le32(12), entries, 4));
    }
    case TInnerData::PenStyle:
      return record.Holds(52, record.Le32(48), 4) && BitmapsInside(record, type);
    case TInnerData::Gradient: {
      const std::uint64_t vertices = record.Le32(24);
      const std::uint64_t meshes = record.Le32(28);
      const std::uint64_t meshSize = record.Le32(32) == kTriangleMode ? 12 : 8;
      return record.Holds(36, vertices, kVertexSize) && record.Holds(36 + vertices * kVertexSize, meshes, meshSize);
    }
  }
  return false;
}

bool HeaderSane(const TRecordView& header, std::size_t fileSize) {
  if (header.Size() < kMinHeaderSize || header.Le32(kSignatureAt) != kSignature) return false;
  const std::uint64_t bytes = header.Le32(48);
  if (bytes < header.Size() || bytes > fileSize || bytes % 4 != 0) return false;
  const std::uint32_t descriptionChars = header.Le32(64);
  if (descriptionChars != 0 && !header.Holds(header.Le32(68), descriptionChars, 2)) return false;
  // The pixel format descriptor of later headers.
  if (header.Size() >= 100 && header.Le32(88) != 0 && !header.Holds(header.Le32(92), header.Le32(88), 1)) return false;
  return true;
}

}  // namespace

TEmfRecordWalker::TEmfRecordWalker(std::span<const std::uint8_t> emf) : emf_(emf), end_(emf.size()) {
  // The header's byte count ends the walk when it is believable; the header's
  // verdict refuses it otherwise.
  if (emf.size() >= kMinHeaderSize) {
    const std::size_t declared = GetLe32(emf.data() + 48);
    if (declared >= kMinHeaderSize && declared <= emf.size()) end_ = declared;
  }
}

std::optional<TEmfRecord> TEmfRecordWalker::Next() {
  if (done_ || position_ == end_) return std::nullopt;
  TEmfRecord record;
  record.offset = position_;
  const std::size_t left = end_ - position_;
  if (left < kRecordHeaderSize) {
    done_ = true;
    return record;  // refused: a fragment too short for a record
  }
  record.type = GetLe32(emf_.data() + position_);
  record.size = GetLe32(emf_.data() + position_ + 4);
  const bool first = position_ == 0;
  if (record.size < kRecordHeaderSize || record.size % 4 != 0 || record.size > left ||
      first != (record.type == kHeaderType)) {
    done_ = true;
    return record;
  }
  const std::span<const std::uint8_t> bytes = emf_.subspan(position_, record.size);
  record.verdict = first && !HeaderSane(TRecordView(bytes), emf_.size()) ? TEmfVerdict::Refuse
                                                                          : Judge(record.type, bytes);
  position_ += record.size;
  done_ = record.verdict == TEmfVerdict::Refuse || record.type == kEndOfFileType;
  return record;
}

TEmfVerdict TEmfRecordWalker::Judge(std::uint32_t type, std::span<const std::uint8_t> bytes) const {
  if (type >= kDrawables.size() || kDrawables[type].minSize == 0) return TEmfVerdict::Skip;
  const TDrawable& drawable = kDrawables[type];
  const TRecordView record(bytes);
  if (record.Size() < drawable.minSize || !InnerDataInside(record, type, drawable)) return TEmfVerdict::Refuse;
  return TEmfVerdict::Draw;
}

std::vector<TEmfRecord> PlanEmfPlayback(std::span<const std::uint8_t> emf) {
  std::vector<TEmfRecord> plan;
  TEmfRecordWalker walker(emf);
  while (const std::optional<TEmfRecord> record = walker.Next()) {
    if (record->verdict == TEmfVerdict::Refuse || plan.size() == kMaxEmfRecords) {
      throw EInvalidGraphic("Metafile is not valid");
    }
    plan.push_back(*record);
  }
  if (plan.empty()) throw EInvalidGraphic("Metafile is not valid");
  return plan;
}

}  // namespace huemira
