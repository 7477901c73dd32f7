// From a display's colour profile back to sRGB: what a colour-managed program
// drew on that display before the profile turned it into display values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

#include "framework/color.h"

namespace huemira {

// A display profile is untrusted input; a larger one is refused unread.
inline constexpr std::size_t kMaxDisplayProfileBytes = 4 * 1024 * 1024;

// Why a profile gives no transform (Usable when it gives one).
enum class DisplayProfileVerdict {
  Usable,
  TooLarge,    // above kMaxDisplayProfileBytes
  Unreadable,  // empty, truncated or not an ICC profile at all
  NotRgbDisplay,  // a profile, but not of an RGB display or RGB colour space
  NoTransform,    // the library could not build the transform from its tags
};

// Display RGB (8 bits a component) to sRGB, relative colorimetric: the
// intent with which browsers draw sRGB content on a profiled display.
// Immutable once built: Convert may be called from any number of threads at
// once (the transform keeps no one-pixel cache).
class DisplayToSrgb {
 public:
  // The library's handles, freed by the library.
  struct ContextDeleter {
    void operator()(void* context) const;
  };
  struct TransformDeleter {
    void operator()(void* transform) const;
  };
  using Context = std::unique_ptr<void, ContextDeleter>;
  using Transform = std::unique_ptr<void, TransformDeleter>;

  // BuildDisplayToSrgb makes one; the transform must live in the context.
  DisplayToSrgb(Context context, Transform transform)
      : context_(std::move(context)), transform_(std::move(transform)) {}

  // Bits above the 24 colour bits are ignored; the result has none.
  TColor Convert(TColor displayValue) const;

 private:
  // In this order, so that the transform goes before its context.
  Context context_;
  Transform transform_;
};

struct DisplayTransformBuild {
  std::shared_ptr<const DisplayToSrgb> transform;  // null unless verdict is Usable
  DisplayProfileVerdict verdict;
};

// Never throws for any content of the bytes, and prints nothing.
DisplayTransformBuild BuildDisplayToSrgb(std::span<const std::uint8_t> profile);

}  // namespace huemira
