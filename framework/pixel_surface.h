// A 32-bit top-down DIB section selected into a memory DC of its own: pixels
// that GDI can draw into and out of, and that code can read as 0x00RRGGBB
// values row by row.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/handles.h"

namespace huemira {

class PixelSurface {
 public:
  // Null when the system has not the memory or GDI objects for it.
  static std::unique_ptr<PixelSurface> Create(int width, int height);

  ~PixelSurface();
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  HDC Dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Call GdiFlush() before reading what GDI drew.
  std::uint32_t* Row(int row) const { return bits_ + static_cast<std::ptrdiff_t>(row) * width_; }

 private:
  PixelSurface() = default;

  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace huemira
