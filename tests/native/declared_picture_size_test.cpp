#include "app/declared_picture_size.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace huemira {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& b, std::size_t at, std::uint32_t value, int size) {
  if (b.size() < at + size) b.resize(at + size);
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void PutBe(Bytes& b, std::size_t at, std::uint32_t value, int size) {
  if (b.size() < at + size) b.resize(at + size);
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
}

std::optional<DeclaredSize> SizeOf(Bytes bytes, const std::wstring& key = L".X") {
  TMemoryStream file(std::move(bytes));
  return ReadDeclaredSize(file, key);
}

// The hostile files that made the preview allocate hundreds of megabytes
// declare their size in a few header bytes, which is all that is read.
TEST(DeclaredPictureSize, ComesFromEachFormatsHeader) {
  constexpr std::uint32_t kSide = 11585;
  Bytes bmp{'B', 'M'};
  PutLe(bmp, 14, 40, 4), PutLe(bmp, 18, kSide, 4), PutLe(bmp, 22, static_cast<std::uint32_t>(-11585), 4);
  EXPECT_EQ(SizeOf(bmp), (DeclaredSize{kSide, kSide}));  // top-down rows: a negative height

  Bytes os2Bmp{'B', 'M'};
  PutLe(os2Bmp, 14, 12, 4), PutLe(os2Bmp, 18, 30, 2), PutLe(os2Bmp, 20, 20, 2);
  EXPECT_EQ(SizeOf(os2Bmp), (DeclaredSize{30, 20}));

  Bytes gif{'G', 'I', 'F', '8', '9', 'a'};
  PutLe(gif, 6, kSide, 2), PutLe(gif, 8, 7, 2);
  EXPECT_EQ(SizeOf(gif), (DeclaredSize{kSide, 7}));

  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutBe(png, 16, 6000, 4), PutBe(png, 20, 4000, 4);
  EXPECT_EQ(SizeOf(png), (DeclaredSize{6000, 4000}));

  Bytes pcx{0x0A, 5, 1, 8};
  PutLe(pcx, 4, 10, 2), PutLe(pcx, 6, 20, 2), PutLe(pcx, 8, 11594, 2), PutLe(pcx, 10, 11604, 2);
  EXPECT_EQ(SizeOf(pcx), (DeclaredSize{kSide, kSide}));

  Bytes dcx{0xB1, 0x68, 0xDE, 0x3A};
  PutLe(dcx, 4, 16, 4);
  dcx.resize(16), dcx.push_back(0x0A);
  PutLe(dcx, 16 + 8, 99, 2), PutLe(dcx, 16 + 10, 49, 2);
  EXPECT_EQ(SizeOf(dcx), (DeclaredSize{100, 50}));

  Bytes emf;
  PutLe(emf, 0, 1, 4), PutLe(emf, 24, 0, 4), PutLe(emf, 28, 0, 4), PutLe(emf, 32, 2540 * 10, 4),
      PutLe(emf, 36, 2540, 4);
  emf.insert(emf.end(), {' ', 'E', 'M', 'F'});
  EXPECT_EQ(SizeOf(emf), (DeclaredSize{960, 96}));

  Bytes wmf{0xD7, 0xCD, 0xC6, 0x9A};
  PutLe(wmf, 10, 1440, 2), PutLe(wmf, 12, 720, 2), PutLe(wmf, 14, 1440, 2);
  EXPECT_EQ(SizeOf(wmf), (DeclaredSize{96, 48}));

  Bytes tga(18, 0);
  PutLe(tga, 12, 640, 2), PutLe(tga, 14, 480, 2);
  EXPECT_EQ(SizeOf(tga, L".TGA"), (DeclaredSize{640, 480}));
  EXPECT_EQ(SizeOf(tga, L".PNG"), std::nullopt);  // no signature, no size
}

TEST(DeclaredPictureSize, JpegFrameIsFoundPastOtherSegments) {
  Bytes jpeg{0xFF, 0xD8, 0xFF, 0xE1};
  PutBe(jpeg, 4, 300, 2);  // an APP1 segment of 300 bytes
  jpeg.resize(4 + 300);
  jpeg.insert(jpeg.end(), {0xFF, 0xC2, 0, 17, 8});  // progressive frame
  PutBe(jpeg, jpeg.size(), 3000, 2), PutBe(jpeg, jpeg.size(), 4000, 2);
  EXPECT_EQ(SizeOf(jpeg), (DeclaredSize{4000, 3000}));
  jpeg.resize(200);
  EXPECT_EQ(SizeOf(jpeg), std::nullopt);
}

TEST(DeclaredPictureSize, TiffFirstDirectoryInEitherByteOrder) {
  Bytes little{'I', 'I', 42, 0};
  PutLe(little, 4, 8, 4), PutLe(little, 8, 2, 2);
  PutLe(little, 10, 256, 2), PutLe(little, 12, 4, 2), PutLe(little, 18, 70000, 4);  // LONG width
  PutLe(little, 22, 257, 2), PutLe(little, 24, 3, 2), PutLe(little, 30, 500, 2);    // SHORT height
  EXPECT_EQ(SizeOf(little), (DeclaredSize{70000, 500}));

  Bytes big{'M', 'M', 0, 42};
  PutBe(big, 4, 8, 4), PutBe(big, 8, 2, 2);
  PutBe(big, 10, 257, 2), PutBe(big, 12, 3, 2), PutBe(big, 18, 9, 2);
  PutBe(big, 22, 256, 2), PutBe(big, 24, 3, 2), PutBe(big, 30, 12, 2);
  EXPECT_EQ(SizeOf(big), (DeclaredSize{12, 9}));

  Bytes truncated = little;
  truncated.resize(20);
  EXPECT_EQ(SizeOf(truncated), std::nullopt);
}

TEST(DeclaredPictureSize, UnknownOrShortFilesDeclareNothing) {
  EXPECT_EQ(SizeOf({}), std::nullopt);
  EXPECT_EQ(SizeOf({'B', 'M', 1}), std::nullopt);
  EXPECT_EQ(SizeOf({'h', 'e', 'l', 'l', 'o'}), std::nullopt);
}

}  // namespace
}  // namespace huemira
