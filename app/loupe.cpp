#include "app/loupe.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "app/settings.h"
#include "app/web_code.h"
#include "framework/dpi.h"
#include "framework/fonts.h"
#include "framework/handles.h"

namespace huemira {

namespace {

constexpr wchar_t kLoupeClass[] = L"HuemiraLoupe";
// From the pointer to the loupe's near corner: more than half the block, so
// that the loupe stays clear of what it shows.
constexpr int kPointerOffset = 24;
constexpr int kBorder = 1;
constexpr int kImageSide = Loupe::kCells * Loupe::kZoom;
constexpr int kCodeFontHeight = 12;
constexpr int kCodeStripPadding = 6;
// Windows 10 2004 and later leave a window of this affinity out of every
// screen read; older systems refuse it.
constexpr DWORD kExcludeFromCapture = 0x11;

RECT BlockAround(POINT pointer) {
  constexpr int half = Loupe::kCells / 2;
  return RECT{pointer.x - half, pointer.y - half, pointer.x + half + 1, pointer.y + half + 1};
}

std::wstring CodeBoxText(TColor color) {
  std::wstring code = ColorToWebCode(color);
  if (ReadLowerCaseSetting()) std::transform(code.begin(), code.end(), code.begin(), ::towlower);
  return code;
}

}  // namespace

RECT LoupePlace(POINT pointer, SIZE loupe, const RECT& monitor) {
  LONG left = pointer.x + kPointerOffset;
  if (left + loupe.cx > monitor.right) left = pointer.x - kPointerOffset - loupe.cx;
  LONG top = pointer.y + kPointerOffset;
  if (top + loupe.cy > monitor.bottom) top = pointer.y - kPointerOffset - loupe.cy;
  return RECT{left, top, left + loupe.cx, top + loupe.cy};
}

Loupe::~Loupe() {
  if (cellsDc_) SelectObject(cellsDc_.get(), previousBitmap_);
}

TColor Loupe::Cell(int column, int row) const {
  const DWORD pixel = cells_[row * kCells + column];
  return MakeColor((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

SIZE Loupe::Size() const {
  return SIZE{kImageSide + 2 * kBorder, kImageSide + 2 * kBorder + textHeight_};
}

void Loupe::CreateIfNeeded() {
  if (Handle()) return;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{.biSize = sizeof(BITMAPINFOHEADER),
                                    .biWidth = kCells,
                                    .biHeight = -kCells,  // top-down
                                    .biPlanes = 1,
                                    .biBitCount = 32,
                                    .biCompression = BI_RGB};
  void* bits = nullptr;
  cellsBitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  cellsDc_.reset(CreateCompatibleDC(nullptr));
  if (!cellsBitmap_ || !cellsDc_) throw std::runtime_error("Out of system resources");
  cells_ = static_cast<DWORD*>(bits);
  previousBitmap_ = SelectObject(cellsDc_.get(), cellsBitmap_.get());
  CreateHandle(WindowArgs{.className = kLoupeClass,
                          .style = WS_POPUP,
                          .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT,
                          .classStyle = 0,
                          .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
  excludedFromReads_ = SetWindowDisplayAffinity(Handle(), kExcludeFromCapture) != FALSE;
}

void Loupe::ReadAround(POINT pointer, const RECT& monitor) {
  const RECT block = BlockAround(pointer);
  {
    const WindowDc screen(nullptr);
    if (!screen || !BitBlt(cellsDc_.get(), 0, 0, kCells, kCells, screen.get(), block.left, block.top, SRCCOPY))
      std::fill(cells_, cells_ + kCells * kCells, 0xFFFFFFu);
  }
  GdiFlush();
  // Near the monitor's edge: what no monitor shows is white, as a single
  // pixel's read gives it.
  RECT inside;
  IntersectRect(&inside, &block, &monitor);
  if (EqualRect(&inside, &block)) return;
  for (int row = 0; row < kCells; ++row)
    for (int column = 0; column < kCells; ++column)
      if (!MonitorFromPoint(POINT{block.left + column, block.top + row}, MONITOR_DEFAULTTONULL))
        cells_[row * kCells + column] = 0xFFFFFFu;
}

void Loupe::Follow(POINT pointer) {
  CreateIfNeeded();
  // One look at the pointer's monitor serves the read, the text's
  // resolution and the loupe's place: under Wine each look is a trip to the
  // server, and a move must stay well under a millisecond.
  const HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(monitor, &info);
  // The enlarged pixels are the screen's own; the code's text is written at
  // the resolution of the pointer's monitor.
  if (const UINT dpi = MonitorDpi(monitor); dpi != fontDpi_) {
    fontDpi_ = dpi;
    font_ = CreateFontFrom({.name = L"Arial", .height = -kCodeFontHeight}, dpi);
    textHeight_ = ScaleToDpi(kCodeFontHeight + kCodeStripPadding, static_cast<int>(dpi));
  }
  // A loupe that the read would see must leave before the read, and the
  // windows beneath it need a moment to draw themselves again.
  RECT current{};
  GetWindowRect(Handle(), &current);
  const RECT block = BlockAround(pointer);
  RECT overlap;
  const bool shown = Visible();
  if (!excludedFromReads_ && shown && IntersectRect(&overlap, &current, &block)) {
    ShowWindow(Handle(), SW_HIDE);
    return;
  }
  ReadAround(pointer, info.rcMonitor);
  if (CentreColor() != codeColor_) {
    codeColor_ = CentreColor();
    code_ = CodeBoxText(codeColor_);
  }
  const RECT place = LoupePlace(pointer, Size(), info.rcMonitor);
  const bool sameSize = current.right - current.left == place.right - place.left &&
                        current.bottom - current.top == place.bottom - place.top;
  if (shown && sameSize) {
    // Already topmost: only the place changes.
    SetWindowPos(Handle(), nullptr, place.left, place.top, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  } else {
    SetWindowPos(Handle(), HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  // Painted at once rather than through a paint message: the loupe must
  // show the block just read before the next move comes.
  const WindowDc dc(Handle());
  Paint(dc.get());
  ValidateRect(Handle(), nullptr);
}

void Loupe::Close() {
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  codeColor_ = CLR_INVALID;
}

void Loupe::Paint(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, kBorder, kBorder, kImageSide, kImageSide, cellsDc_.get(), 0, 0, kCells, kCells, SRCCOPY);
  // The centre cell in a black frame inside a white one: visible on any colour.
  const int centre = kBorder + (kCells / 2) * kZoom;
  RECT frame{centre - 1, centre - 1, centre + kZoom + 1, centre + kZoom + 1};
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&frame, 1, 1);
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT strip{kBorder, kBorder + kImageSide, client.right - kBorder, client.bottom - kBorder};
  FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const SelectedObject font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, code_.c_str(), static_cast<int>(code_.size()), &strip, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT Loupe::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintDc paint(Handle());
      Paint(paint.get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
