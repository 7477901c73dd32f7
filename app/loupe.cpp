#include "app/loupe.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "app/settings.h"
#include "color/web_color.h"
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
// The enlarged block's side at kCells cells: every cell count keeps close to it.
constexpr int kImageSide = Loupe::kCells * 8;
constexpr int kCodeFontHeight = 12;
constexpr int kLinePadding = 6;
// Windows 10 2004 and later leave a window of this affinity out of every
// screen read; older systems refuse it.
constexpr DWORD kExcludeFromCapture = 0x11;

RECT BlockAround(POINT pointer, int cells) { return SampleSquare(pointer, cells); }


}  // namespace

Loupe::CodeForm Loupe::CodeForm::FromSettings() {
  return {ReadSetting(L"QeltColor", L"LSign"), ReadSetting(L"QeltColor", L"RSign"), ReadLowerCaseSetting()};
}

std::wstring Loupe::CodeForm::Of(TColor color) const {
  std::wstring code = FormatWebCode(color, prefix, suffix);
  if (lowerCase) std::transform(code.begin(), code.end(), code.begin(), ::towlower);
  return code;
}

int LoupeCells(int sampleSize) { return std::max(Loupe::kCells, sampleSize + 2); }

RECT LoupePlace(POINT pointer, SIZE loupe, const RECT& monitor) {
  LONG left = pointer.x + kPointerOffset;
  if (left + loupe.cx > monitor.right) left = pointer.x - kPointerOffset - loupe.cx;
  LONG top = pointer.y + kPointerOffset;
  if (top + loupe.cy > monitor.bottom) top = pointer.y - kPointerOffset - loupe.cy;
  return RECT{left, top, left + loupe.cx, top + loupe.cy};
}

TColor Loupe::Cell(int column, int row) const {
  const std::uint32_t pixel = cellsSurface_->Row(row)[column];
  return MakeColor((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Whole cells, as near to the usual block's side as they come.
int Loupe::Zoom() const { return std::max(1, (kImageSide + cells_ / 2) / cells_); }

std::vector<std::wstring> Loupe::TextLines() const {
  std::vector<std::wstring> lines{code_};
  for (const std::wstring* line : {&otherLine_, &tokenLine_, &note_, &status_})
    if (!line->empty()) lines.push_back(*line);
  return lines;
}

SIZE Loupe::Size() const {
  const int image = cells_ * Zoom();
  return SIZE{image + 2 * kBorder, image + 2 * kBorder + lineHeight_ * static_cast<int>(TextLines().size())};
}

void Loupe::CreateIfNeeded() {
  if (Handle()) return;
  const int largest = LoupeCells(kLargestSampleSize);
  cellsSurface_ = PixelSurface::Create(largest, largest);
  if (!cellsSurface_) throw std::runtime_error("Out of system resources");
  CreateHandle(WindowArgs{.className = kLoupeClass,
                          .style = WS_POPUP,
                          .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT,
                          .classStyle = 0,
                          .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
  excludedFromReads_ = SetWindowDisplayAffinity(Handle(), kExcludeFromCapture) != FALSE;
}

void Loupe::Follow(POINT pointer, ScreenPixels& pixels, int sampleSize) {
  CreateIfNeeded();
  // One look at the pointer's monitor serves the text's resolution and the
  // loupe's place: under Wine each look is a trip to the server, and a move
  // must stay well under a millisecond.
  const HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(monitor, &info);
  // The enlarged pixels are the screen's own; the text is written at the
  // resolution of the pointer's monitor.
  if (const UINT dpi = MonitorDpi(monitor); dpi != fontDpi_) {
    fontDpi_ = dpi;
    font_ = CreateFontFrom({.name = L"Arial", .height = -kCodeFontHeight}, dpi);
    lineHeight_ = ScaleToDpi(kCodeFontHeight + kLinePadding, static_cast<int>(dpi));
  }
  // A loupe that the read would see must leave before the read, and the
  // windows beneath it need a moment to draw themselves again. A snapshot
  // holds no loupe.
  RECT current{};
  GetWindowRect(Handle(), &current);
  const int cells = LoupeCells(sampleSize);
  const RECT block = BlockAround(pointer, cells);
  RECT overlap;
  const bool shown = Visible();
  if (!excludedFromReads_ && !pixels.Frozen() && shown && IntersectRect(&overlap, &current, &block)) {
    ShowWindow(Handle(), SW_HIDE);
    return;
  }
  cells_ = cells;
  sampleSize_ = sampleSize;
  pixels.Read(block, *cellsSurface_);
  const int margin = (cells_ - sampleSize_) / 2;
  const TColor sample =
      MeanColor(cellsSurface_->Row(margin) + margin, cellsSurface_->Width(), sampleSize_, sampleSize_);
  sampleColor_ = sample;
  // Read once a pick: each read of the settings file costs as much as a move.
  if (!codeForm_) codeForm_ = CodeForm::FromSettings();
  const Conversion said = conversion_ ? conversion_(pointer, sample) : Conversion{.taken = sample};
  if (said.taken != takenColor_) {
    takenColor_ = said.taken;
    code_ = codeForm_->Of(said.taken);
  }
  if (said.other != otherColor_) {
    otherColor_ = said.other;
    otherLine_ = said.other ? said.otherLabel + codeForm_->Of(*said.other) : std::wstring();
  }
  tokenLine_ = said.token;
  note_ = said.note;
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
  sampleColor_ = takenColor_ = CLR_INVALID;
  otherColor_.reset();
  codeForm_.reset();
}

void Loupe::Paint(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  const int zoom = Zoom();
  const int image = cells_ * zoom;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, kBorder, kBorder, image, image, cellsSurface_->Dc(), 0, 0, cells_, cells_, SRCCOPY);
  // The sampled square in a black frame inside a white one: visible on any colour.
  const int start = kBorder + (cells_ - sampleSize_) / 2 * zoom;
  RECT frame{start - 1, start - 1, start + sampleSize_ * zoom + 1, start + sampleSize_ * zoom + 1};
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&frame, 1, 1);
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT strip{kBorder, kBorder + image, client.right - kBorder, client.bottom - kBorder};
  FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const SelectedObject font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT line{strip.left, strip.top, strip.right, strip.top + lineHeight_};
  for (const std::wstring& text : TextLines()) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    OffsetRect(&line, 0, lineHeight_);
  }
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
