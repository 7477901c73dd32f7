// Where a screen pick reads its pixels: the live screen, or once frozen, one
// snapshot of the whole virtual desktop (every monitor, physical pixels)
// taken at that moment, so that what the screen does meanwhile changes
// nothing. Places that no monitor shows read as no pixel (kNoPixel).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "color/sample_average.h"
#include "framework/pixel_surface.h"

namespace huemira {

class ScreenPixels {
 public:
  ScreenPixels() { SeeMonitors(); }
  ScreenPixels(const ScreenPixels&) = delete;
  ScreenPixels& operator=(const ScreenPixels&) = delete;

  // Looks at the monitors again; a pick does so at its start.
  void SeeMonitors();

  // Captures the virtual desktop once. False, staying live, when the system
  // has not the memory for it.
  bool Freeze();
  void Thaw() { snapshot_.reset(); }
  bool Frozen() const { return snapshot_ != nullptr; }
  // The snapshot and the virtual desktop's top left corner, for drawing it.
  const PixelSurface* Snapshot() const { return snapshot_.get(); }
  POINT SnapshotOrigin() const { return snapshotOrigin_; }

  // Copies block (physical pixels) into the top left of target, which must
  // be at least as large.
  void Read(const RECT& block, const PixelSurface& target) const;
  // The mean over the size × size square centred on centre.
  TColor Sample(POINT centre, int size);

 private:
  void MarkPlacesOffMonitors(const RECT& block, const PixelSurface& target) const;

  std::vector<RECT> monitors_;
  std::unique_ptr<PixelSurface> snapshot_;
  POINT snapshotOrigin_{};
  std::unique_ptr<PixelSurface> sampleArea_;
};

// The square of size × size pixels centred on centre.
RECT SampleSquare(POINT centre, int size);

}  // namespace huemira
