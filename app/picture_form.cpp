#include "app/picture_form.h"

#include <algorithm>

#include "app/settings.h"
#include "framework/exception.h"
#include "imaging/dib/picture_formats.h"

namespace huemira {

namespace {

constexpr wchar_t kPictureFormClass[] = L"HuemiraPictureForm";
constexpr int kOuterWidth = 544;
constexpr int kOuterHeight = 375;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 240;
constexpr COLORREF kBackground = RGB(0xD6, 0xD2, 0xAB);
constexpr int kSwatchSize = 50;
// The swatch trails the pointer by this much, and flips to the other side
// when the pointer is nearer than the flip distance to the right or bottom.
constexpr int kSwatchOffset = 20;
constexpr int kFlipDistanceX = 100;
constexpr int kFlipDistanceY = 120;
constexpr int kScrollLine = 20;

int WheelLines() {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return lines == WHEEL_PAGESCROLL ? 10 : static_cast<int>(lines);
}

}  // namespace

void TForm_PImage::Create() {
  CreateForm({.className = kPictureFormClass,
              .caption = L"Huemira-图片取色",
              .style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_HSCROLL |
                       WS_VSCROLL | WS_CLIPCHILDREN,
              .outerWidth = kOuterWidth,
              .outerHeight = kOuterHeight},
             false);
  SetBackgroundColor(kBackground);

  Image_PColor.Create(*this, Bounds(0, 0, 536, 348));
  Image_PColor.OnMouseMove = [this](POINT point) { Image_PColorMouseMove(point); };
  Image_PColor.OnMouseUp = [this](POINT point) { Image_PColorMouseUp(point); };
  Panel_ImageTempColor.Create(*this, {.bounds = Bounds(450, 30, kSwatchSize, kSwatchSize),
                                      .color = GetSysColor(COLOR_BTNFACE),
                                      .bevel = Bevel::RaisedOuterLoweredInner});
  // The swatch floats over the picture.
  SetWindowPos(Panel_ImageTempColor.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Edit_TempBmpFileName.Create(*this, {.bounds = Bounds(448, 4, 29, 21), .visible = false});

  OnShow = [this] {
    CenterOnScreen();
    sampleSize_ = ReadSampleSizeSetting();
  };
  // The view covers the visible part of the picture, whatever the
  // description's size scales to, and the swatch goes back by the pointer.
  OnDpiChanged = [this] {
    UpdateScrollBars();
    PreviewUnderPointer();
  };
  UpdateScrollBars();
}

void TForm_PImage::LoadPicture(const std::wstring& bitmapFile) {
  std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension("bmp");
  if (!graphic) throw EInvalidGraphic("Bitmap image is not valid");
  graphic->LoadFromFile(bitmapFile);
  if (auto* dib = dynamic_cast<TDibGraphic*>(graphic.get())) {
    graphic.release();
    SetPicture(std::unique_ptr<TDibGraphic>(dib));
    return;
  }
  auto bitmap = std::make_unique<TDibGraphic>();
  graphic->AssignToBitmap24(*bitmap);
  SetPicture(std::move(bitmap));
}

void TForm_PImage::SetPicture(std::unique_ptr<TDibGraphic> picture) {
  Image_PColor.SetPicture(std::move(picture));
  SetScrollPos(Handle(), SB_HORZ, 0, FALSE);
  SetScrollPos(Handle(), SB_VERT, 0, FALSE);
  UpdateScrollBars();
}

void TForm_PImage::Image_PColorMouseMove(POINT picturePoint) {
  if (!Image_PColor.Contains(picturePoint)) return;
  Panel_ImageTempColor.SetColor(Image_PColor.SampleColor(picturePoint, sampleSize_));
  PlacePreviewSwatch();
}

void TForm_PImage::PlacePreviewSwatch() {
  POINT pointer;
  GetCursorPos(&pointer);
  ScreenToClient(Handle(), &pointer);
  RECT client;
  GetClientRect(Handle(), &client);
  const int size = Scale(kSwatchSize), offset = Scale(kSwatchOffset);
  const int left = client.right - pointer.x < Scale(kFlipDistanceX) ? pointer.x - size - offset : pointer.x + offset;
  const int top = client.bottom - pointer.y < Scale(kFlipDistanceY) ? pointer.y - size - offset : pointer.y + offset;
  SetWindowPos(Panel_ImageTempColor.Handle(), HWND_TOP, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm_PImage::Image_PColorMouseUp(POINT picturePoint) {
  if (!Image_PColor.Contains(picturePoint)) return;
  const TColor color = Image_PColor.SampleColor(picturePoint, sampleSize_);
  if (OnPick) OnPick(color);
  Close();
  const std::wstring temporary = Edit_TempBmpFileName.Text();
  if (!temporary.empty()) DeleteFileW(temporary.c_str());
}

void TForm_PImage::UpdateScrollBars() {
  const SIZE picture = Image_PColor.PictureSize();
  // Showing one scroll bar narrows the client area, which may call for the
  // other: a second pass settles it.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    GetClientRect(Handle(), &client);
    for (const auto& [bar, length, page] : {std::tuple{SB_HORZ, picture.cx, client.right},
                                            std::tuple{SB_VERT, picture.cy, client.bottom}}) {
      SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE};
      info.nMin = 0;
      info.nMax = std::max(0, static_cast<int>(length) - 1);
      info.nPage = static_cast<UINT>(std::max(0L, static_cast<LONG>(page)));
      SetScrollInfo(Handle(), bar, &info, TRUE);
    }
  }
  const POINT origin{GetScrollPos(Handle(), SB_HORZ), GetScrollPos(Handle(), SB_VERT)};
  RECT client;
  GetClientRect(Handle(), &client);
  Image_PColor.SetOrigin(origin);
  // The control covers the visible part of the picture only, so that the
  // window's own colour shows beside a small one.
  SetWindowPos(Image_PColor.Handle(), nullptr, 0, 0, std::min(picture.cx - origin.x, client.right),
               std::min(picture.cy - origin.y, client.bottom), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm_PImage::ScrollTo(int bar, int position) {
  SCROLLINFO info{sizeof(info), SIF_POS};
  info.nPos = position;  // the system keeps it within the range
  SetScrollInfo(Handle(), bar, &info, TRUE);
  UpdateScrollBars();
  PreviewUnderPointer();
}

void TForm_PImage::PreviewUnderPointer() {
  // Scrolling moves another pixel under a pointer that stays still, and no
  // mouse message tells of it: the swatch would show what a click would not pick.
  POINT pointer;
  if (!GetCursorPos(&pointer) || WindowFromPoint(pointer) != Image_PColor.Handle()) return;
  ScreenToClient(Image_PColor.Handle(), &pointer);
  const POINT origin = Image_PColor.Origin();
  Image_PColorMouseMove(POINT{pointer.x + origin.x, pointer.y + origin.y});
}

void TForm_PImage::HandleScrollRequest(int bar, WORD request) {
  SCROLLINFO info{sizeof(info), SIF_ALL};
  GetScrollInfo(Handle(), bar, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= kScrollLine; break;
    case SB_LINEDOWN: position += kScrollLine; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  ScrollTo(bar, position);
}

void TForm_PImage::ScrollByWheel(int bar, int delta) {
  ScrollTo(bar, GetScrollPos(Handle(), bar) - delta * WheelLines() * kScrollLine / WHEEL_DELTA);
}

LRESULT TForm_PImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      UpdateScrollBars();
      break;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = POINT{kMinimumWidth, kMinimumHeight};
      return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam == 0) {  // the window's own scroll bars
        HandleScrollRequest(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      const bool across = (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0;
      ScrollByWheel(across ? SB_HORZ : SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    }
    case WM_MOUSEHWHEEL:
      ScrollByWheel(SB_HORZ, -GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_ESCAPE: Close(); return 0;
        case VK_LEFT: HandleScrollRequest(SB_HORZ, SB_LINEUP); return 0;
        case VK_RIGHT: HandleScrollRequest(SB_HORZ, SB_LINEDOWN); return 0;
        case VK_UP: HandleScrollRequest(SB_VERT, SB_LINEUP); return 0;
        case VK_DOWN: HandleScrollRequest(SB_VERT, SB_LINEDOWN); return 0;
        case VK_PRIOR: HandleScrollRequest(SB_VERT, SB_PAGEUP); return 0;
        case VK_NEXT: HandleScrollRequest(SB_VERT, SB_PAGEDOWN); return 0;
        case VK_HOME: HandleScrollRequest(SB_VERT, SB_TOP); return 0;
        case VK_END: HandleScrollRequest(SB_VERT, SB_BOTTOM); return 0;
      }
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;  // the keys scroll the picture
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
