// Win32 touch points of the DIB model: drawing, bitmaps, the clipboard, the
// frame timer and the screen's resolution.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "framework/application.h"
#include "framework/clipboard.h"
#include "framework/handles.h"
#include "framework/text.h"
#include "framework/timer.h"
#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/dib_platform.h"
#include "imaging/dib/image_limits.h"
#include "imaging/dib/text_format.h"
#include "imaging/dib/win32_gdi.h"

namespace huemira {

static_assert(sizeof(TBitmapInfoHeader) == sizeof(BITMAPINFOHEADER), "header layout");
static_assert(sizeof(TRgbQuad) == sizeof(RGBQUAD), "colour table layout");
static_assert(offsetof(TBitmapInfo, colors) == offsetof(BITMAPINFO, bmiColors), "colour table offset");
static_assert(sizeof(TPaletteEntry) == sizeof(PALETTEENTRY), "palette entry layout");
static_assert(offsetof(TLogPalette, entries) == offsetof(LOGPALETTE, palPalEntry), "logical palette layout");

namespace {

// Made once and kept for the program's life: drawing on a palette device uses it.
HPALETTE HalftonePalette() {
  static const UniqueGdiObject<HPALETTE> palette = [] {
    WindowDc screen(nullptr);
    return UniqueGdiObject<HPALETTE>(CreateHalftonePalette(screen.get()));
  }();
  return palette.get();
}

struct GlobalMemoryDeleter {
  void operator()(void* memory) const { GlobalFree(memory); }
};

// Leaves out the pixels of one colour: the mask-and-paint sequence works on
// every device, including those without TransparentBlt.
void TransparentStretch(HDC dest, const RECT& rect, HDC source, int width, int height, COLORREF color) {
  const int destWidth = rect.right - rect.left, destHeight = rect.bottom - rect.top;
  UniqueMemoryDc maskDc(CreateCompatibleDC(dest)), inverseDc(CreateCompatibleDC(dest)),
      imageDc(CreateCompatibleDC(dest)), tempDc(CreateCompatibleDC(dest));
  if (!maskDc || !inverseDc || !imageDc || !tempDc) RaiseLastSystemError();
  UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr)), inverse(CreateBitmap(width, height, 1, 1, nullptr)),
      image(CreateCompatibleBitmap(dest, width, height)), temp(CreateCompatibleBitmap(dest, destWidth, destHeight));
  if (!mask || !inverse || !image || !temp) RaiseLastSystemError();
  SelectedObject maskSelected(maskDc.get(), mask.get()), inverseSelected(inverseDc.get(), inverse.get()),
      imageSelected(imageDc.get(), image.get()), tempSelected(tempDc.get(), temp.get());
  SetMapMode(source, GetMapMode(dest));
  SetMapMode(imageDc.get(), GetMapMode(dest));

  BitBlt(imageDc.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  // Copying to a monochrome bitmap turns the background colour into 1, all else into 0.
  const COLORREF oldBackground = SetBkColor(imageDc.get(), color | 0x02000000);
  BitBlt(maskDc.get(), 0, 0, width, height, imageDc.get(), 0, 0, SRCCOPY);
  SetBkColor(imageDc.get(), oldBackground);
  BitBlt(inverseDc.get(), 0, 0, width, height, maskDc.get(), 0, 0, NOTSRCCOPY);
  BitBlt(tempDc.get(), 0, 0, destWidth, destHeight, dest, rect.left, rect.top, SRCCOPY);
  StretchBlt(tempDc.get(), 0, 0, destWidth, destHeight, maskDc.get(), 0, 0, width, height, SRCAND);
  BitBlt(imageDc.get(), 0, 0, width, height, inverseDc.get(), 0, 0, SRCAND);
  StretchBlt(tempDc.get(), 0, 0, destWidth, destHeight, imageDc.get(), 0, 0, width, height, SRCPAINT);
  BitBlt(dest, rect.left, rect.top, destWidth, destHeight, tempDc.get(), 0, 0, SRCCOPY);
}

// --- frame timer -------------------------------------------------------------

class TWin32FrameTimer : public TFrameTimer {
 public:
  explicit TWin32FrameTimer(std::function<void()> onTick) {
    timer_.OnTimer = [tick = std::move(onTick)] {
      // An animation frame that fails to show is skipped, without an error
      // box at every tick; the next tick tries again.
      try {
        tick();
      } catch (...) {
      }
    };
  }

  void Enable(int intervalMs) override {
    timer_.SetEnabled(false);
    timer_.SetInterval(static_cast<UINT>(intervalMs > 0 ? intervalMs : 1));
    timer_.SetEnabled(true);
  }
  void Disable() override { timer_.SetEnabled(false); }

 private:
  Timer timer_;
};

int ScreenCaps(int index) {
  WindowDc screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), index) : 96;
}

}  // namespace

// --- shared helpers ------------------------------------------------------------

[[noreturn]] void RaiseLastSystemError() {
  const DWORD code = GetLastError();
  if (code != 0) {
    wchar_t text[256];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, 256, nullptr);
    if (length > 0) throw EOutOfResources(WideToUtf8(std::wstring(text, length)));
  }
  throw Exception("Out of resources");
}

UniqueMemoryDc CreateScreenCompatibleDc() {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) RaiseLastSystemError();
  return dc;
}

UniqueBitmap CreateDibSectionCopy(const TDibGraphic& image, HDC dc) {
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(dc, AsBitmapInfo(image.BitmapInfo()), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) RaiseLastSystemError();
  std::memcpy(bits, image.Bits(), image.ImageSize());
  return bitmap;
}

std::unique_ptr<TFrameTimer> CreateFrameTimer(std::function<void()> onTick) {
  return std::make_unique<TWin32FrameTimer>(std::move(onTick));
}

void ProcessPendingMessages() { Application::Instance().ProcessMessages(); }

int ScreenDpiX() { return ScreenCaps(LOGPIXELSX); }
int ScreenDpiY() { return ScreenCaps(LOGPIXELSY); }

// --- TDibGraphic -------------------------------------------------------------

void TDibGraphic::PaletteDeleter::operator()(HPALETTE palette) const { DeleteObject(palette); }

COLORREF TDibGraphic::GetTransparentColor() const { return ColorFromRgb(GetTransparentRgb()); }

HPALETTE TDibGraphic::GetPaletteHandle() {
  if (Empty() || !HasPalette(format_)) return nullptr;
  if (!paletteHandle_) paletteHandle_.reset(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette_)));
  return paletteHandle_.get();
}

void TDibGraphic::Draw(HDC dc, const RECT& rect) {
  if (!Empty()) {
    SetStretchBltMode(dc, COLORONCOLOR);
    HPALETTE previous = nullptr;
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) {
      previous = SelectPalette(dc, HalftonePalette(), FALSE);
      RealizePalette(dc);
    }
    struct PaletteRestore {
      HDC dc;
      HPALETTE previous;
      ~PaletteRestore() {
        if (previous) SelectPalette(dc, previous, FALSE);
      }
    } restore{dc, previous};
    if (Transparent) {
      UniqueMemoryDc source = CreateScreenCompatibleDc();
      UniqueBitmap pixels = CreateDibSectionCopy(*this, source.get());
      SelectedObject selected(source.get(), pixels.get());
      TransparentStretch(dc, rect, source.get(), Width(), Height(), GetTransparentColor());
    } else {
      StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, Width(), Height(),
                    Bits(), AsBitmapInfo(info_), DIB_RGB_COLORS, SRCCOPY);
    }
  }
  if (OnDrawn) OnDrawn(*this);
}

UniqueBitmap TDibGraphic::CreateBitmap24() const {
  if (Empty()) throw EInvalidGraphic("Cannot make a bitmap of an empty picture");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = Width();
  info.bmiHeader.biHeight = Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biXPelsPerMeter = info_.header.xPelsPerMeter;
  info.bmiHeader.biYPelsPerMeter = info_.header.yPelsPerMeter;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) RaiseLastSystemError();
  const auto stride = static_cast<std::size_t>(DibStride(Width(), 24));
  auto* rows = static_cast<std::uint8_t*>(bits);
  ForEachRow24BottomUp([&](int y, const std::uint8_t* bgr) {
    std::uint8_t* row = rows + static_cast<std::size_t>(Height() - 1 - y) * stride;
    std::memcpy(row, bgr, static_cast<std::size_t>(Width()) * 3);
    std::memset(row + static_cast<std::size_t>(Width()) * 3, 0, stride - static_cast<std::size_t>(Width()) * 3);
  });
  return bitmap;
}

void TDibGraphic::LoadFromBitmapHandle(HBITMAP bitmap) {
  DIBSECTION section{};
  const int described = GetObjectW(bitmap, sizeof section, &section);
  if (!described) throw EInvalidGraphic("Invalid bitmap");

  BITMAPINFOHEADER header{};
  if (described < static_cast<int>(sizeof section) || section.dsBmih.biSize < sizeof(BITMAPINFOHEADER)) {
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = section.dsBm.bmWidth;
    header.biHeight = section.dsBm.bmHeight;
    header.biPlanes = section.dsBm.bmPlanes;
    header.biBitCount = section.dsBm.bmBitsPixel;
  } else {
    header = section.dsBmih;
  }
  int bitCount = header.biPlanes * header.biBitCount;
  if (bitCount == 16 || bitCount == 32) bitCount = 24;
  TDibFormat format;
  switch (bitCount) {
    case 1: format = TDibFormat::ifBlackAndWhite; break;
    case 4: format = TDibFormat::ifColor16; break;
    case 8: format = TDibFormat::ifColor256; break;
    case 24: format = TDibFormat::ifColorRgb24; break;
    default: throw EImbravaError("Unsupported bit count");
  }
  const LONG width = header.biWidth;
  const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;  // a top-down section
  if (!ImageSizeAllowed(width, height)) {
    throw EInvalidGraphic(FormatText("Image size %ld x %ld is out of range", static_cast<long>(width),
                                     static_cast<long>(height)));
  }
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitCount);
  header.biCompression = BI_RGB;
  // Always recomputed: the size a 16- or 32-bit section reports is not the size of our 24-bit copy.
  header.biSizeImage = static_cast<DWORD>(DibStride(width, bitCount) * height);

  TBitmapInfo info{};
  std::memcpy(&info.header, &header, sizeof header);
  std::unique_ptr<void, GlobalMemoryDeleter> bits(GlobalAlloc(GMEM_FIXED, header.biSizeImage));
  if (!bits) throw EImbravaError("GlobalAlloc failed");
  {
    UniqueMemoryDc dc = CreateScreenCompatibleDc();
    auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(&info);
    if (!GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(height), bits.get(), bitmapInfo, DIB_RGB_COLORS)) {
      throw EImbravaError("GetDIB failed");
    }
    if (bitmapInfo->bmiHeader.biCompression != BI_RGB) throw EImbravaError("Unsupported compression");
  }

  // GetDIBits fills the whole colour table of a palette format even when it
  // leaves the count at 0; that table, not a default one, holds the colours.
  DWORD colorCount = info.header.clrUsed;
  if (colorCount == 0 && bitCount <= 8) colorCount = 1u << bitCount;
  TLogPalette palette;
  const TLogPalette* givenPalette = nullptr;
  if (colorCount >= 1 && colorCount <= 256) {
    palette.count = static_cast<std::uint16_t>(colorCount);
    for (DWORD i = 0; i < colorCount; ++i) {
      const TRgbQuad& color = info.colors[i];
      palette.entries[i] = {color.red, color.green, color.blue, 0};
    }
    givenPalette = &palette;
  }
  NewImage(width, height, format, givenPalette, HeaderDpi(header.biXPelsPerMeter),
           HeaderDpi(header.biYPelsPerMeter));
  std::memcpy(Bits(), bits.get(), std::min<std::size_t>(ImageSize(), header.biSizeImage));
}

void TDibGraphic::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE) {
  if (format != CF_BITMAP || !data) {
    throw EInvalidGraphic(FormatText("Unknown clipboard format, %d", static_cast<int>(format)));
  }
  LoadFromBitmapHandle(static_cast<HBITMAP>(data));
}

void TDibGraphic::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE&) const {
  format = CF_BITMAP;
  UniqueBitmap bitmap;
  if (format_ == TDibFormat::ifBlackAndWhite) {
    bitmap.reset(CreateBitmap(Width(), Height(), 1, 1, nullptr));
  } else {
    WindowDc screen(nullptr);
    bitmap.reset(CreateCompatibleBitmap(screen.get(), Width(), Height()));
  }
  if (!bitmap) throw EImbravaError("CopyBitmap: CreateBitmap failed");
  UniqueMemoryDc dc = CreateScreenCompatibleDc();
  {
    SelectedObject selected(dc.get(), bitmap.get());
    StretchDIBits(dc.get(), 0, 0, Width(), Height(), 0, 0, Width(), Height(), Bits(), AsBitmapInfo(info_),
                  DIB_RGB_COLORS, SRCCOPY);
  }
  data = bitmap.release();
}

void TDibGraphic::LoadFromClipboard() {
  ClipboardSession session;
  HANDLE bitmap = GetClipboardData(CF_BITMAP);
  HANDLE palette = GetClipboardData(CF_PALETTE);
  LoadFromClipboardFormat(CF_BITMAP, bitmap, static_cast<HPALETTE>(palette));
}

void TDibGraphic::SaveToClipboard() const {
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  SaveToClipboardFormat(format, data, palette);
  UniqueBitmap owned(static_cast<HBITMAP>(data));
  ClipboardSession session;
  EmptyClipboard();
  if (SetClipboardData(format, owned.get())) owned.release();  // the clipboard owns it now
}

}  // namespace huemira
