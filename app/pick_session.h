// What every screen pick shares, however it was started: the loupe at the
// pointer, the sample size (the wheel and + / − change it, and the last one
// used is kept in the settings), a live or frozen screen (F toggles it), the
// arrows that move the pointer by one physical pixel (ten with Shift) and
// Esc that gives the pick up. With [Pick] Values=sRGB, what the pick takes
// is the sample turned from the display's values into sRGB through the
// monitor's colour profile; the loupe shows both.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "app/display_profiles.h"
#include "app/frozen_backdrop.h"
#include "app/loupe.h"
#include "app/palette_library.h"
#include "app/screen_pixels.h"

namespace huemira {

class PickSession {
 public:
  // The monitors' profiles, owned by the main window; none: display values only.
  void SetDisplayProfiles(DisplayProfiles* profiles) { profiles_ = profiles; }
  // The reference palette's entry nearest a colour, which the loupe names.
  using NearestTokenFinder = std::function<std::optional<NearestToken>(TColor)>;
  void SetNearestToken(NearestTokenFinder finder) { nearestToken_ = std::move(finder); }

  // Reads the sample size and the freeze option; a frozen pick captures
  // the desktop now.
  void Start();
  // Closes the loupe and the frozen screen, and stores a changed sample size.
  void Stop();
  bool Running() const { return running_; }

  // The loupe to the pointer, read again.
  void Follow();
  // The sample at the pointer, in the values the settings ask for.
  TColor Sample();

  enum class KeyVerdict { kNotMine, kHandled, kCancel };
  KeyVerdict HandleKey(WPARAM key, bool shiftHeld);
  // A turn of the wheel, in WHEEL_DELTA units (positive: away from the
  // user, a larger square).
  void HandleWheel(int delta);

  int SampleSize() const { return sampleSize_; }
  bool Frozen() const { return pixels_.Frozen(); }
  void SetFrozen(bool frozen);
  const Loupe& PickLoupe() const { return loupe_; }

 private:
  void StepSampleSize(int steps);
  void ShowStatus();
  // The value the pick takes for a display value read at a point.
  TColor Taken(POINT at, TColor displayValue);

  DisplayProfiles* profiles_ = nullptr;
  NearestTokenFinder nearestToken_;
  bool srgbValues_ = false;
  ScreenPixels pixels_;
  Loupe loupe_;
  FrozenBackdrop backdrop_;
  int sampleSize_ = 1;
  int storedSampleSize_ = 1;
  int wheelRest_ = 0;
  bool running_ = false;
};

// What the loupe shows of a display value read at a point: the value a
// pick takes (sRGB through the monitor's profile when srgbValues, where
// there is one), the other one, and HDR.
Loupe::Conversion LoupeConversion(DisplayProfiles* profiles, bool srgbValues, POINT at, TColor display);

// Moves the pointer by a distance in physical pixels.
void NudgePointer(int dx, int dy);
// The pointer's place in physical pixels of the virtual desktop.
POINT PhysicalPointer();

}  // namespace huemira
