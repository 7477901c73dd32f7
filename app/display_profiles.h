// What each monitor does to the colours that programs draw on it: the way
// back from its colour profile to sRGB, and whether it is in HDR mode. A
// screen pick reads display values; this turns them into the sRGB values a
// colour-managed program was asked to draw.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "color/display_to_srgb.h"

namespace huemira {

struct HdrInfo {
  // The monitor is in HDR mode: its output's colour space is BT.2100 PQ.
  bool hdr = false;
  // Values read from it are approximate: in HDR mode Windows composes SDR
  // content at the user's SDR white level, and documents that level
  // (DISPLAYCONFIG_SDR_WHITE_LEVEL) but not how captured pixels are mapped
  // back from it, so the scaling cannot be undone exactly.
  bool approximate = false;
};

// The monitors as they were when first asked about after the last
// Invalidate; each one's transform is built the first time a point on it is
// asked about (a few ms), and whether any is in HDR mode the first time Hdr
// is asked (one pass over DXGI's outputs: some ms on Windows, 0.3 to 1 s under
// Wine, whose DXGI starts its Direct3D emulation for it). Later questions
// cost a lock and a look through the monitors' rectangles. Every member may
// be called from any thread.
class DisplayProfiles {
 public:
  // The sRGB value of a display value read at screenPoint (physical pixels
  // of the virtual desktop; a point on no monitor counts for the nearest);
  // nullopt when that monitor has no usable profile, and the display value
  // is what there is to show. The profile is applied in HDR mode too: a
  // colour-managed program that reads it still draws through it.
  std::optional<TColor> ToSrgb(POINT screenPoint, TColor displayValue);
  // Never waits: the first question starts the look at DXGI on a thread of
  // its own, and until it has answered no monitor counts as HDR.
  HdrInfo Hdr(POINT screenPoint);
  // Forgets every monitor: the display settings (and perhaps the profiles
  // with them) have changed. The main window calls it on WM_DISPLAYCHANGE.
  void Invalidate();

 private:
  struct Monitor {
    HMONITOR handle;
    RECT area;
    std::wstring device;
    bool transformBuilt = false;
    std::shared_ptr<const DisplayToSrgb> toSrgb;
  };
  // The caller holds the lock.
  Monitor& MonitorAt(POINT screenPoint);

  std::mutex mutex_;
  std::optional<std::vector<Monitor>> monitors_;
  // The monitors in HDR mode, once the look at DXGI has answered. Shared
  // with that look's thread, which may outlive this object.
  struct HdrLook {
    std::mutex mutex;
    std::optional<std::vector<HMONITOR>> monitors;
  };
  std::shared_ptr<HdrLook> hdrLook_;
};

}  // namespace huemira
