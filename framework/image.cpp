#include "framework/image.h"

#include "framework/form.h"
#include "framework/handles.h"

namespace huemira {

namespace {
constexpr wchar_t kImageClass[] = L"HuemiraImage";
}

void Image::Create(Form& parent, const Args& args) {
  RegisterOwnClass(kImageClass, 0);
  // WS_CLIPSIBLINGS: the controls laid over a background picture stay on top.
  CreateControl(parent, {kImageClass, L"", WS_CLIPSIBLINGS, 0, args.bounds, args.hint});
}

void Image::SetBitmap(UniqueBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  Invalidate();
}

void Image::Paint(HDC dc) const {
  if (!bitmap_) return;
  BITMAP info{};
  GetObjectW(bitmap_.get(), sizeof(info), &info);
  RECT area;
  GetClientRect(Handle(), &area);
  const UniqueMemoryDc source(CreateCompatibleDC(dc));
  const SelectedObject selected(source.get(), bitmap_.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, 0, 0, area.right, area.bottom, source.get(), 0, 0, info.bmWidth, info.bmHeight, blend);
}

LRESULT Image::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintDc paint(Handle());
      Paint(paint.get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // what lies beneath shows through transparent parts
  }
  return DefaultHandling(message, wParam, lParam);
}

UniqueBitmap CreateArgbBitmap(int width, int height, std::uint32_t*& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  pixels = static_cast<std::uint32_t*>(bits);  // a new DIB section is zero-filled
  return bitmap;
}

UniqueBitmap BitmapFromIcon(HICON icon, int size) {
  if (!icon) return nullptr;
  std::uint32_t* pixels = nullptr;
  UniqueBitmap bitmap = CreateArgbBitmap(size, size, pixels);
  if (!bitmap) return nullptr;
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const SelectedObject selected(dc.get(), bitmap.get());
  // An icon with an alpha channel is alpha-blended onto the cleared bitmap,
  // which leaves its pixels premultiplied, as AlphaBlend expects them.
  DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();
  return bitmap;
}

}  // namespace huemira
