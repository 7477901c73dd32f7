#include "app/picture_view.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <utility>

#include "color/sample_average.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "imaging/dib/win32_gdi.h"

namespace huemira {

namespace {
constexpr wchar_t kPictureViewClass[] = L"HuemiraPictureView";
}

void PictureView::Create(Form& parent, const RECT& bounds) {
  RegisterOwnClass(kPictureViewClass, 0);
  CreateControl(parent, {kPictureViewClass, L"", WS_CLIPSIBLINGS, 0, bounds, L""});
  // The cross-hair over the picture, whatever the class's cursor.
  SetClassLongPtrW(Handle(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_CROSS)));
}

void PictureView::SetPicture(std::unique_ptr<TDibGraphic> picture) {
  picture_ = std::move(picture);
  origin_ = POINT{0, 0};
  Invalidate();
}

SIZE PictureView::PictureSize() const {
  if (!picture_ || picture_->Empty()) return SIZE{0, 0};
  return SIZE{picture_->Width(), picture_->Height()};
}

bool PictureView::Contains(POINT picturePoint) const {
  const SIZE size = PictureSize();
  return picturePoint.x >= 0 && picturePoint.y >= 0 && picturePoint.x < size.cx && picturePoint.y < size.cy;
}

TColor PictureView::PixelColor(POINT picturePoint) const {
  return ColorFromRgb(picture_->GetRgbPixel(picturePoint.x, picturePoint.y));
}

TColor PictureView::SampleColor(POINT picturePoint, int size) const {
  if (size <= 1) return PixelColor(picturePoint);
  std::array<std::uint32_t, kLargestSampleSize * kLargestSampleSize> square;
  size = std::min(size, kLargestSampleSize);
  const int half = size / 2;
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const POINT place{picturePoint.x - half + column, picturePoint.y - half + row};
      square[row * size + column] = Contains(place) ? picture_->GetRgbPixel(place.x, place.y) : kNoPixel;
    }
  }
  return MeanColor(square.data(), size, size, size);
}

void PictureView::SetOrigin(POINT origin) {
  if (origin.x == origin_.x && origin.y == origin_.y) return;
  origin_ = origin;
  Invalidate();
}

POINT PictureView::ToPicture(LPARAM clientPoint) const {
  return POINT{GET_X_LPARAM(clientPoint) + origin_.x, GET_Y_LPARAM(clientPoint) + origin_.y};
}

void PictureView::Paint() {
  const PaintDc paint(Handle());
  const HDC dc = paint.get();
  const SIZE size = PictureSize();
  // Only the part that needs painting goes to the screen, straight from the
  // picture's own rows: no copy of the picture is made for a paint.
  RECT part;
  const RECT shown{0, 0, size.cx - origin_.x, size.cy - origin_.y};
  if (IntersectRect(&part, &paint.Area(), &shown)) {
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    const int sourceLeft = part.left + origin_.x;
    const int sourceTop = part.top + origin_.y;
    // A bottom-up DIB counts source rows from its last (bottom) row.
    const int sourceBottom = size.cy - (sourceTop + height);
    StretchDIBits(dc, part.left, part.top, width, height, sourceLeft, sourceBottom, width, height, picture_->Bits(),
                  AsBitmapInfo(picture_->BitmapInfo()), DIB_RGB_COLORS, SRCCOPY);
  }
}

LRESULT PictureView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole control
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      pressed_ = true;
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(ToPicture(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      // A release picks only after a press here: the second click of a double
      // click that opened the picture lands on the new window with no press.
      const bool pressedHere = std::exchange(pressed_, false);
      // Released first: a pick closes the window, and a capture must not outlive it.
      if (GetCapture() == Handle()) ReleaseCapture();
      if (pressedHere && OnMouseUp) OnMouseUp(ToPicture(lParam));
      return 0;
    }
    case WM_CONTEXTMENU:
      return 0;  // a right click picks; it opens no menu
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
