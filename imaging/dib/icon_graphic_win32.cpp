#include "imaging/dib/icon_graphic.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/handles.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/win32_gdi.h"

namespace huemira {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
// Real icon files are a few hundred kilobytes at most; a larger claim is not an icon.
constexpr std::int64_t kMaxIconFileSize = 16 << 20;

std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

bool IsIconSide(std::uint8_t side) { return side == 16 || side == 32 || side == 64; }

void ReportPercent(TDibGraphic& image, int percent) {
  if (image.OnPercentDone) image.OnPercentDone(image, percent);
}

// The size of an icon as its bitmaps tell it (a monochrome icon stacks AND and XOR masks).
SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) throw EInvalidGraphic("Invalid icon");
  UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  if (color) {
    GetObjectW(color.get(), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
  }
  GetObjectW(mask.get(), sizeof bitmap, &bitmap);
  return {bitmap.bmWidth, bitmap.bmHeight / 2};
}

}  // namespace

bool TIconGraphic::CanLoadStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t header[kDirectorySize + kEntrySize];
  const std::size_t got = stream.Read(header, sizeof header);
  stream.SetPosition(start);
  if (got < sizeof header) return false;
  return Read16(header + 2) < 2 && Read16(header + 4) != 0 && IsIconSide(header[6]) && IsIconSide(header[7]);
}

void TIconGraphic::ReadImage(TStream& stream, int) {
  ReportPercent(*this, 0);
  const std::int64_t size = stream.Remaining();
  if (size < static_cast<std::int64_t>(kDirectorySize + kEntrySize) || size > kMaxIconFileSize) {
    throw EInvalidGraphic("Invalid icon");
  }
  std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
  stream.ReadBuffer(file.data(), file.size());
  const std::uint8_t* entry = file.data() + kDirectorySize;
  const std::uint32_t imageSize = Read32(entry + 8), imageOffset = Read32(entry + 12);
  if (Read16(file.data() + 2) != 1 || Read16(file.data() + 4) == 0 || imageOffset > file.size() ||
      imageSize > file.size() - imageOffset || imageSize == 0) {
    throw EInvalidGraphic("Invalid icon");
  }
  const int entryWidth = entry[0] ? entry[0] : 256, entryHeight = entry[1] ? entry[1] : 256;
  UniqueIcon icon(CreateIconFromResourceEx(file.data() + imageOffset, imageSize, TRUE, 0x00030000, entryWidth,
                                           entryHeight, LR_DEFAULTCOLOR));
  if (!icon) throw EInvalidGraphic("Invalid icon");
  const SIZE iconSize = IconSize(icon.get());
  ReportPercent(*this, 95);

  NewImage(iconSize.cx, iconSize.cy, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  FillWithColor(IconBackground);
  UniqueMemoryDc dc = CreateScreenCompatibleDc();
  UniqueBitmap canvas = CreateDibSectionCopy(*this, dc.get());
  {
    SelectedObject selected(dc.get(), canvas.get());
    DrawIconEx(dc.get(), 0, 0, icon.get(), iconSize.cx, iconSize.cy, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }
  DIBSECTION section{};
  GetObjectW(canvas.get(), sizeof section, &section);
  std::memcpy(Bits(), section.dsBm.bmBits, ImageSize());
  ReportPercent(*this, 100);
}

void TIconGraphic::SaveToStream(TStream& stream) {
  ReportPercent(*this, 0);
  const int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
  // The colour image of the icon: a black square of the system icon size with
  // this picture unscaled in its top-left corner.
  TDibGraphic colors;
  colors.NewImage(width, height, TDibFormat::ifColorRgb24, nullptr, 0, 0);
  std::memset(colors.Bits(), 0, colors.ImageSize());
  if (!Empty()) {
    UniqueMemoryDc dc = CreateScreenCompatibleDc();
    UniqueBitmap canvas = CreateDibSectionCopy(colors, dc.get());
    {
      SelectedObject selected(dc.get(), canvas.get());
      StretchDIBits(dc.get(), 0, 0, Width(), Height(), 0, 0, Width(), Height(), Bits(), AsBitmapInfo(BitmapInfo()),
                    DIB_RGB_COLORS, SRCCOPY);
      GdiFlush();
    }
    DIBSECTION section{};
    GetObjectW(canvas.get(), sizeof section, &section);
    std::memcpy(colors.Bits(), section.dsBm.bmBits, colors.ImageSize());
  }
  ReportPercent(*this, 10);

  // One 24-bit image; the AND mask is all zero, so every pixel is opaque.
  const auto colorBytes = static_cast<std::uint32_t>(colors.ImageSize());
  const auto maskBytes = static_cast<std::uint32_t>(DibStride(width, 1) * height);
  const std::uint32_t imageBytes = 40 + colorBytes + maskBytes;
  std::vector<std::uint8_t> header;
  Put16(header, 0);  // reserved
  Put16(header, 1);  // icon
  Put16(header, 1);  // one image
  header.push_back(static_cast<std::uint8_t>(width >= 256 ? 0 : width));
  header.push_back(static_cast<std::uint8_t>(height >= 256 ? 0 : height));
  header.push_back(0);  // no palette
  header.push_back(0);
  Put16(header, 1);   // planes
  Put16(header, 24);  // bits per pixel
  Put32(header, imageBytes);
  Put32(header, static_cast<std::uint32_t>(kDirectorySize + kEntrySize));
  Put32(header, 40);
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height * 2));  // XOR and AND masks stacked
  Put16(header, 1);
  Put16(header, 24);
  for (int i = 0; i < 6; ++i) Put32(header, 0);  // compression, size, resolutions, colours
  stream.WriteBuffer(header.data(), header.size());
  stream.WriteBuffer(colors.Bits(), colorBytes);
  const std::vector<std::uint8_t> mask(maskBytes, 0);
  stream.WriteBuffer(mask.data(), mask.size());
  ReportPercent(*this, 100);
}

}  // namespace huemira
