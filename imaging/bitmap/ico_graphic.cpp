#include "imaging/bitmap/ico_graphic.h"

#include "framework/exception.h"
#include "imaging/bitmap/icon_directory.h"
#include "imaging/bitmap/icon_images.h"
#include "imaging/dib/picture_start.h"
#include "imaging/dib/stream_window.h"

namespace huemira {

bool TIcon::CanLoadStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t header[6];
  const std::size_t got = stream.Read(header, sizeof header);
  stream.SetPosition(start);
  return got == sizeof header && IsIconDirectory(header);
}

void TIcon::ReadImage(TStream& stream, int) {
  int percent = PercentStep(*this, 0, 0, 255, 100, OnPercentDone);
  ReadFromPictureStart(stream, [this](TStream& file) {
    const std::vector<TIconEntry> entries = ReadIconDirectory(file);
    const TIconEntry& largest = LargestIconEntry(entries);
    TStreamWindow image(file, largest.offset, largest.size);
    if (largest.png) {
      DrawPngIconImage(image, *this, IconBackground);
    } else {
      DrawBitmapIconImage(image, *this, IconBackground);
    }
  });
  PercentStep(*this, 100, 0, percent, 100, OnPercentDone);
}

void TIcon::SaveToStream(TStream&) { throw EInvalidGraphicOperation("Icons are only read, not written"); }

}  // namespace huemira
