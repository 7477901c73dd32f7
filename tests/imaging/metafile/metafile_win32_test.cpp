// Metafiles played by the system, record by record: the records the walker
// skips leave the drawing whole, a faulty one refuses the file, and a file
// of nothing but a header is held to the size cap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/exception.h"
#include "framework/handles.h"
#include "framework/stream.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/little_endian.h"
#include "imaging/metafile/metafile_graphic.h"

namespace huemira {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A blue square at (10, 10) ... (30, 30) in a 48 x 48 frame, as the system records it.
Bytes RecordedSquare() {
  WindowDc screen(nullptr);
  const int perInch = GetDeviceCaps(screen.get(), LOGPIXELSX);
  const RECT frame{0, 0, MulDiv(48, 2540, perInch), MulDiv(48, 2540, perInch)};
  HDC dc = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
  const RECT square{10, 10, 30, 30};
  const UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(dc, &square, blue.get());
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  Bytes bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteEnhMetaFile(metafile);
  return bytes;
}

// record inserted right after the header, with the header's counts updated.
Bytes WithRecord(Bytes emf, const Bytes& record) {
  emf.insert(emf.begin() + GetLe32(&emf[4]), record.begin(), record.end());
  PutLe32(&emf[48], GetLe32(&emf[48]) + static_cast<std::uint32_t>(record.size()));
  PutLe32(&emf[52], GetLe32(&emf[52]) + 1);
  return emf;
}

Bytes Record(std::uint32_t type, const std::vector<std::uint32_t>& fields) {
  Bytes record(8 + 4 * fields.size());
  PutLe32(&record[0], type);
  PutLe32(&record[4], static_cast<std::uint32_t>(record.size()));
  for (std::size_t i = 0; i < fields.size(); ++i) PutLe32(&record[8 + 4 * i], fields[i]);
  return record;
}

// EMR_SETICMPROFILEW naming a profile on another host.
Bytes ProfileOnAnotherHost() {
  const wchar_t name[] = L"\\\\elsewhere\\share\\profile.icm";
  std::vector<std::uint32_t> fields = {0, 0, sizeof name};
  for (std::size_t i = 0; i < sizeof name / 4; ++i) {
    fields.push_back(name[2 * i] | static_cast<std::uint32_t>(name[2 * i + 1]) << 16);
  }
  return Record(113, fields);
}

std::unique_ptr<TMetafileGraphic> Load(const Bytes& bytes) {
  auto metafile = std::make_unique<TMetafileGraphic>();
  TMemoryStream stream(bytes);
  metafile->LoadFromStream(stream);
  return metafile;
}

TEST(MetafilePlayback, SkippedRecordsLeaveTheDrawingWhole) {
  const Bytes square = RecordedSquare();
  // A colour profile, an escape to the driver (EXTESCAPE), ICM switched on (SETICMMODE).
  for (const Bytes& record : {ProfileOnAnotherHost(), Record(106, {1, 4, 0xFFFFFFFF}), Record(98, {2})}) {
    SCOPED_TRACE(GetLe32(record.data()));
    const auto metafile = Load(WithRecord(square, record));
    ASSERT_EQ(metafile->Width(), 48);
    EXPECT_EQ(metafile->GetRgbPixel(20, 20), 0x0000FFu);
    EXPECT_EQ(metafile->GetRgbPixel(40, 40), 0xFFFFFFu);
  }
}

TEST(MetafilePlayback, AFaultyRecordRefusesTheFile) {
  Bytes faulty = WithRecord(RecordedSquare(), Record(43, {0, 0, 5, 5}));
  PutLe32(&faulty[GetLe32(&faulty[4]) + 4], 6);  // the rectangle's size: not a multiple of 4
  try {
    Load(faulty);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "Metafile is not valid");
  }
}

// A header with all its fields (108 bytes: Wine refuses a shorter one), and
// no record after it.
Bytes HeaderOnly(int frameHundredthsOfMm) {
  Bytes emf(108);
  PutLe32(&emf[0], 1);
  PutLe32(&emf[4], 108);
  PutLe32(&emf[32], static_cast<std::uint32_t>(frameHundredthsOfMm));  // the frame from (0, 0)
  PutLe32(&emf[36], static_cast<std::uint32_t>(frameHundredthsOfMm));
  PutLe32(&emf[40], 0x464D4520);
  PutLe32(&emf[44], 0x10000);
  PutLe32(&emf[48], 108);
  PutLe32(&emf[52], 1);
  PutLe16(&emf[56], 1);  // handles: the reserved one
  PutLe32(&emf[72], 1024);  // the reference device, in pixels and millimetres
  PutLe32(&emf[76], 768);
  PutLe32(&emf[80], 320);
  PutLe32(&emf[84], 240);
  return emf;
}

TEST(MetafilePlayback, AHeaderOnlyFileIsHeldToTheSizeCap) {
  const auto load = [](int frame) {
    try {
      const auto metafile = Load(HeaderOnly(frame));
      EXPECT_TRUE(ImageSizeAllowed(metafile->Width(), metafile->Height()));
      return true;
    } catch (const EInvalidGraphic& error) {
      EXPECT_STREQ(error.what(), "Metafile is not valid");
      return false;
    }
  };
  WindowDc screen(nullptr);
  const int perInch = GetDeviceCaps(screen.get(), LOGPIXELSX);
  EXPECT_TRUE(load(MulDiv(8000, 2540, perInch)));
  EXPECT_FALSE(load(MulDiv(20000, 2540, perInch)));
}

}  // namespace
}  // namespace huemira
