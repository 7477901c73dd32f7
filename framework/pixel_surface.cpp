#include "framework/pixel_surface.h"

namespace huemira {

std::unique_ptr<PixelSurface> PixelSurface::Create(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{.biSize = sizeof(BITMAPINFOHEADER),
                                    .biWidth = width,
                                    .biHeight = -height,  // top-down
                                    .biPlanes = 1,
                                    .biBitCount = 32,
                                    .biCompression = BI_RGB};
  std::unique_ptr<PixelSurface> surface(new PixelSurface);
  void* bits = nullptr;
  surface->bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  surface->dc_.reset(CreateCompatibleDC(nullptr));
  if (!surface->bitmap_ || !surface->dc_ || !bits) return nullptr;
  surface->previousBitmap_ = SelectObject(surface->dc_.get(), surface->bitmap_.get());
  surface->bits_ = static_cast<std::uint32_t*>(bits);
  surface->width_ = width;
  surface->height_ = height;
  return surface;
}

// The bitmap leaves the DC before either is deleted.
PixelSurface::~PixelSurface() {
  if (previousBitmap_) SelectObject(dc_.get(), previousBitmap_);
}

}  // namespace huemira
