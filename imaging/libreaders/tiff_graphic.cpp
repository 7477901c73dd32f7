#include "imaging/libreaders/tiff_graphic.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "imaging/dib/image_transform.h"
#include "imaging/libreaders/tiff_file.h"
#include "imaging/libreaders/tiff_layout.h"
#include "imaging/libreaders/tiff_pixel_routes.h"

namespace huemira {

namespace {

constexpr std::uint8_t kIntelHeader[4] = {'I', 'I', 42, 0};
constexpr std::uint8_t kMotorolaHeader[4] = {'M', 'M', 0, 42};

std::string TextTag(TIFF* tif, ttag_t tag) {
  const char* text = nullptr;
  return TIFFGetField(tif, tag, &text) && text ? text : "";
}

std::unique_ptr<TiffFile> OpenPage(TStream& stream, int index, TiffFile::Access access) {
  auto file = std::make_unique<TiffFile>(stream, "r", access);
  if (index < 1 || !TIFFSetDirectory(file->get(), static_cast<tdir_t>(index - 1))) {
    throw TiffError(file->LastError("TIFFSetDirectory"));
  }
  return file;
}

}  // namespace

TTiffGraphic::TTiffGraphic() {
  CustomTags[0].ReadFlag = 1;
  CustomTags[0].WriteFlag = 1;
}

void TTiffGraphic::Assign(const TDibGraphic* source) {
  TDibGraphic::Assign(source);
  if (const auto* tiff = dynamic_cast<const TTiffGraphic*>(source)) RowsPerStrip = tiff->RowsPerStrip;
}

bool TTiffGraphic::CanLoadStream(TStream& stream) {
  std::uint8_t header[4];
  const std::size_t got = stream.Read(header, sizeof header);
  stream.Seek(-static_cast<std::int64_t>(got), SeekOrigin::Current);
  return got == sizeof header && (std::memcmp(header, kIntelHeader, sizeof header) == 0 ||
                                  std::memcmp(header, kMotorolaHeader, sizeof header) == 0);
}

int TTiffGraphic::GetImageCount(TStream& stream) {
  TiffFile file(stream, "r");
  int count = 1;
  while (TIFFReadDirectory(file.get())) ++count;
  return count;
}

void TTiffGraphic::NewImage(std::int32_t width, std::int32_t height, TDibFormat format, const TLogPalette* palette,
                            std::uint16_t xdpi, std::uint16_t ydpi) {
  TDibGraphic::NewImage(width, height, format, palette, xdpi, ydpi);
  compression_ =
      format == TDibFormat::ifBlackAndWhite ? TTiffCompression::tcCcittGroup4 : TTiffCompression::tcPackbits;
}

void TTiffGraphic::SetCompression(TTiffCompression compression) {
  RequireCompressionAllowed(compression, DibFormat());
  compression_ = compression;
}

void TTiffGraphic::ReadImage(TStream& stream, int index) {
  int percent = PercentStep(*this, 0, 0, 255, 100, OnPercentDone);
  const std::int64_t start = stream.Position();
  auto opened = OpenPage(stream, index, TiffFile::Access::Streamed);
  const TiffFields fields = ReadTiffFields(*opened);
  const TiffLayout layout = ChooseTiffLayout(*opened, fields);
  // libtiff 4.5's RGBA conversion fails on uncompressed tiles unless the file is mapped.
  if (layout.route == TiffPixelRoute::Rgba && fields.tiled && fields.compressionTag == COMPRESSION_NONE) {
    opened.reset();
    stream.SetPosition(start);
    opened = OpenPage(stream, index, TiffFile::Access::Mapped);
  }
  const TiffFile& file = *opened;
  TIFF* tif = file.get();
  // Checked before the image is made, so that a refused page costs no pixels.
  RequireCompressionAllowed(fields.compression, layout.format);

  NewImage(static_cast<std::int32_t>(fields.width), static_cast<std::int32_t>(fields.height), layout.format,
           layout.hasPalette ? &layout.palette : nullptr, fields.xdpi, fields.ydpi);
  compression_ = fields.compression;
  DocumentName = TextTag(tif, TIFFTAG_DOCUMENTNAME);
  ImageDescription = TextTag(tif, TIFFTAG_IMAGEDESCRIPTION);
  Make = TextTag(tif, TIFFTAG_MAKE);
  Model = TextTag(tif, TIFFTAG_MODEL);
  PageName = TextTag(tif, TIFFTAG_PAGENAME);
  Software = TextTag(tif, TIFFTAG_SOFTWARE);
  DateTime = TextTag(tif, TIFFTAG_DATETIME);
  Artist = TextTag(tif, TIFFTAG_ARTIST);
  HostComputer = TextTag(tif, TIFFTAG_HOSTCOMPUTER);
  for (int i = 0; i < kPrivateTiffTagCount; ++i) {
    TCustomTiffTag& tag = CustomTags[i];
    tag.Value = tag.ReadFlag ? TextTag(tif, static_cast<ttag_t>(kFirstPrivateTiffTag + i)) : "";
  }
  // Absent means one strip; the stored value 2^32 - 1 means "the image height".
  std::uint32_t rowsPerStrip = INT32_MAX;
  TIFFGetField(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  RowsPerStrip = rowsPerStrip == UINT32_MAX ? Height() : static_cast<std::int32_t>(std::min<std::uint32_t>(rowsPerStrip, INT32_MAX));

  const int height = Height();
  ReadTiffPixels(file, fields, layout.route, *this, [&](int rows) {
    percent = PercentStep(*this, rows, 0, percent, height, OnPercentDone);
  });
  if (layout.invert) TNegativeTransform().Apply(*this);
  PercentStep(*this, 100, 0, percent, 100, OnPercentDone);
}

}  // namespace huemira
