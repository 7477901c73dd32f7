#include "app/screen_pixels.h"

#include <algorithm>

#include "app/screen_color.h"
#include "framework/handles.h"

namespace huemira {

namespace {

constexpr int kFreezeStripPixels = 64 * 1024;

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*area);
  return TRUE;
}

}  // namespace

RECT SampleSquare(POINT centre, int size) {
  const int half = size / 2;
  return RECT{centre.x - half, centre.y - half, centre.x - half + size, centre.y - half + size};
}

void ScreenPixels::SeeMonitors() {
  monitors_.clear();
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
}

bool ScreenPixels::Freeze() {
  const RECT desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                     GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  snapshot_.reset();  // never two copies of the desktop at once
  auto surface = PixelSurface::Create(desktop.right - desktop.left, desktop.bottom - desktop.top);
  if (!surface) return false;
  const WindowDc screen(nullptr);
  if (!screen) return false;
  // In strips: under Wine one blit of a whole desktop is many times slower
  // than the same pixels in blits of a quarter megabyte.
  const int stripRows = std::max(1, kFreezeStripPixels / surface->Width());
  for (int top = 0; top < surface->Height(); top += stripRows) {
    const int rows = std::min(stripRows, surface->Height() - top);
    if (!BitBlt(surface->Dc(), 0, top, surface->Width(), rows, screen.get(), desktop.left, desktop.top + top, SRCCOPY))
      return false;
  }
  GdiFlush();
  snapshot_ = std::move(surface);
  snapshotOrigin_ = POINT{desktop.left, desktop.top};
  return true;
}

void ScreenPixels::Read(const RECT& block, const PixelSurface& target) const {
  const int width = block.right - block.left;
  const int height = block.bottom - block.top;
  bool read = false;
  if (snapshot_) {
    read = BitBlt(target.Dc(), 0, 0, width, height, snapshot_->Dc(), block.left - snapshotOrigin_.x,
                  block.top - snapshotOrigin_.y, SRCCOPY) != FALSE;
  } else if (const WindowDc screen(nullptr); screen) {
    read = BitBlt(target.Dc(), 0, 0, width, height, screen.get(), block.left, block.top, SRCCOPY) != FALSE;
  }
  GdiFlush();
  // What cannot be read is white, as a single pixel's read gives it.
  if (!read)
    for (int row = 0; row < height; ++row) std::fill_n(target.Row(row), width, 0xFFFFFFu);
  // The blit leaves the top bytes alone: they must say "pixel" first.
  for (int row = 0; row < height; ++row)
    for (std::uint32_t* pixel = target.Row(row); pixel != target.Row(row) + width; ++pixel) *pixel &= 0xFFFFFFu;
  MarkPlacesOffMonitors(block, target);
}

void ScreenPixels::MarkPlacesOffMonitors(const RECT& block, const PixelSurface& target) const {
  // Between monitors of unequal size the desktop's bounding box holds
  // places that no monitor shows, where a read may answer anything.
  for (const RECT& monitor : monitors_) {
    RECT inside;
    if (IntersectRect(&inside, &block, &monitor) && EqualRect(&inside, &block)) return;
  }
  for (int row = 0; row < block.bottom - block.top; ++row) {
    for (int column = 0; column < block.right - block.left; ++column) {
      const POINT place{block.left + column, block.top + row};
      const bool shown = std::any_of(monitors_.begin(), monitors_.end(),
                                     [&](const RECT& monitor) { return PtInRect(&monitor, place) != FALSE; });
      if (!shown) target.Row(row)[column] = kNoPixel | 0xFFFFFFu;
    }
  }
}

TColor ScreenPixels::Sample(POINT centre, int size) {
  // One pixel of the live screen needs no surface: the cheapest read.
  if (size == 1 && !snapshot_) return ScreenColorAt(centre);
  if (!sampleArea_) sampleArea_ = PixelSurface::Create(kLargestSampleSize, kLargestSampleSize);
  if (!sampleArea_) return ScreenColorAt(centre);
  const RECT square = SampleSquare(centre, size);
  Read(square, *sampleArea_);
  return MeanColor(sampleArea_->Row(0), sampleArea_->Width(), size, size);
}

}  // namespace huemira
