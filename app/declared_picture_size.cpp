#include "app/declared_picture_size.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace huemira {

namespace {

constexpr int kMetafileDpi = 96;
constexpr int kHundredthsOfMmPerInch = 2540;
// A JPEG's markers before its frame header (EXIF, thumbnails, profiles) are
// skipped by their lengths; a file with more of them than this is not asked.
constexpr int kMaxJpegSegments = 256;

// Reads at fixed offsets of a file; a short read is a missing header.
class HeaderReader {
 public:
  explicit HeaderReader(TStream& file) : file_(file) {}

  bool Bytes(std::int64_t offset, void* out, std::size_t count) {
    if (offset < 0) return false;
    file_.SetPosition(offset);
    return file_.Read(out, count) == count;
  }
  std::optional<std::uint32_t> Unsigned(std::int64_t offset, int size, bool bigEndian) {
    std::array<std::uint8_t, 4> b{};
    if (!Bytes(offset, b.data(), static_cast<std::size_t>(size))) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
      const int index = bigEndian ? i : size - 1 - i;
      value = (value << 8) | b[static_cast<std::size_t>(index)];
    }
    return value;
  }
  std::optional<std::uint32_t> Le16(std::int64_t offset) { return Unsigned(offset, 2, false); }
  std::optional<std::uint32_t> Le32(std::int64_t offset) { return Unsigned(offset, 4, false); }
  std::optional<std::uint32_t> Be16(std::int64_t offset) { return Unsigned(offset, 2, true); }
  std::optional<std::uint32_t> Be32(std::int64_t offset) { return Unsigned(offset, 4, true); }

 private:
  TStream& file_;
};

std::optional<DeclaredSize> Sized(std::optional<std::int64_t> width, std::optional<std::int64_t> height) {
  if (!width || !height) return std::nullopt;
  return DeclaredSize{std::llabs(*width), std::llabs(*height)};
}

std::optional<std::int64_t> Signed32(std::optional<std::uint32_t> value) {
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::optional<std::int64_t> Signed16(std::optional<std::uint32_t> value) {
  if (!value) return std::nullopt;
  return static_cast<std::int16_t>(*value);
}

std::optional<DeclaredSize> Bmp(HeaderReader& r) {
  const auto headerSize = r.Le32(14);
  if (!headerSize) return std::nullopt;
  if (*headerSize == 12) return Sized(r.Le16(18), r.Le16(20));
  return Sized(Signed32(r.Le32(18)), Signed32(r.Le32(22)));
}

std::optional<DeclaredSize> Pcx(HeaderReader& r, std::int64_t at) {
  const auto xMin = r.Le16(at + 4), yMin = r.Le16(at + 6), xMax = r.Le16(at + 8), yMax = r.Le16(at + 10);
  if (!xMin || !yMin || !xMax || !yMax) return std::nullopt;
  return DeclaredSize{std::int64_t{*xMax} - *xMin + 1, std::int64_t{*yMax} - *yMin + 1};
}

std::optional<DeclaredSize> Jpeg(HeaderReader& r) {
  std::int64_t at = 2;
  for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
    const auto marker = r.Be16(at);
    if (!marker || (*marker >> 8) != 0xFF) return std::nullopt;
    const std::uint32_t code = *marker & 0xFF;
    if (code == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const bool frame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
    if (frame) return Sized(r.Be16(at + 7), r.Be16(at + 5));
    const auto length = r.Be16(at + 2);
    if (!length) return std::nullopt;
    at += 2 + *length;
  }
  return std::nullopt;
}

std::optional<DeclaredSize> Tiff(HeaderReader& r, bool bigEndian) {
  const auto firstDirectory = r.Unsigned(4, 4, bigEndian);
  if (!firstDirectory) return std::nullopt;
  const auto count = r.Unsigned(*firstDirectory, 2, bigEndian);
  if (!count) return std::nullopt;
  std::optional<std::int64_t> width, height;
  for (std::uint32_t i = 0; i < *count && !(width && height); ++i) {
    const std::int64_t entry = std::int64_t{*firstDirectory} + 2 + 12 * std::int64_t{i};
    const auto tag = r.Unsigned(entry, 2, bigEndian), type = r.Unsigned(entry + 2, 2, bigEndian);
    if (!tag || !type) return std::nullopt;
    if (*tag != 256 && *tag != 257) continue;
    // SHORT (3) or LONG (4), held in the entry's value field.
    const auto value = r.Unsigned(entry + 8, *type == 3 ? 2 : 4, bigEndian);
    if (!value) return std::nullopt;
    (*tag == 256 ? width : height) = *value;
  }
  return Sized(width, height);
}

std::optional<std::int64_t> AtMetafileDpi(std::optional<std::int64_t> length, std::int64_t unitsPerInch) {
  if (!length || unitsPerInch == 0) return std::nullopt;
  return *length * kMetafileDpi / unitsPerInch;
}

std::optional<DeclaredSize> Emf(HeaderReader& r) {
  const auto left = Signed32(r.Le32(24)), top = Signed32(r.Le32(28));
  const auto right = Signed32(r.Le32(32)), bottom = Signed32(r.Le32(36));
  if (!left || !top || !right || !bottom) return std::nullopt;
  return Sized(AtMetafileDpi(*right - *left, kHundredthsOfMmPerInch),
               AtMetafileDpi(*bottom - *top, kHundredthsOfMmPerInch));
}

std::optional<DeclaredSize> PlaceableWmf(HeaderReader& r) {
  const auto left = Signed16(r.Le16(6)), top = Signed16(r.Le16(8));
  const auto right = Signed16(r.Le16(10)), bottom = Signed16(r.Le16(12));
  const auto unitsPerInch = r.Le16(14);
  if (!left || !top || !right || !bottom || !unitsPerInch) return std::nullopt;
  return Sized(AtMetafileDpi(*right - *left, *unitsPerInch), AtMetafileDpi(*bottom - *top, *unitsPerInch));
}

}  // namespace

std::optional<DeclaredSize> ReadDeclaredSize(TStream& file, const std::wstring& extensionKey) {
  HeaderReader r(file);
  std::array<std::uint8_t, 44> head{};
  file.SetPosition(0);
  const std::size_t got = file.Read(head.data(), head.size());
  const auto starts = [&](std::initializer_list<std::uint8_t> signature, std::size_t at = 0) {
    return got >= at + signature.size() && std::equal(signature.begin(), signature.end(), head.begin() + at);
  };
  if (starts({'B', 'M'})) return Bmp(r);
  if (starts({'G', 'I', 'F', '8'})) return Sized(r.Le16(6), r.Le16(8));
  if (starts({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) return Sized(r.Be32(16), r.Be32(20));
  if (starts({0xFF, 0xD8})) return Jpeg(r);
  if (starts({'I', 'I', 42, 0})) return Tiff(r, false);
  if (starts({'M', 'M', 0, 42})) return Tiff(r, true);
  if (starts({0xB1, 0x68, 0xDE, 0x3A})) {  // DCX: the first page is a PCX file
    const auto firstPage = r.Le32(4);
    return firstPage ? Pcx(r, *firstPage) : std::nullopt;
  }
  if (starts({0x0A})) return Pcx(r, 0);
  if (starts({1, 0, 0, 0}) && starts({' ', 'E', 'M', 'F'}, 40)) return Emf(r);
  if (starts({0xD7, 0xCD, 0xC6, 0x9A})) return PlaceableWmf(r);
  if (extensionKey == L".TGA") return Sized(r.Le16(12), r.Le16(14));
  return std::nullopt;
}

}  // namespace huemira
