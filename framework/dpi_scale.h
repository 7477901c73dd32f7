// The forms' numbers are pixels at the platform's logical resolution of 96
// dots per inch; a display of another resolution scales them.
#pragma once

namespace huemira {

inline constexpr int kDefaultDpi = 96;

// A length of 96-dpi pixels at another resolution, rounded half away from
// zero as the platform's MulDiv does, so that a layout lands on the same
// pixels as one the platform scales itself.
constexpr int ScaleToDpi(int value, int dpi) {
  const long long scaled = static_cast<long long>(value) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kDefaultDpi / 2) / kDefaultDpi
                                      : -((-scaled + kDefaultDpi / 2) / kDefaultDpi));
}

// Scales lengths of 96-dpi pixels to one resolution.
struct DpiScale {
  int dpi = kDefaultDpi;
  constexpr int operator()(int value) const { return ScaleToDpi(value, dpi); }
};

}  // namespace huemira
