#include "color/display_to_srgb.h"

#include <lcms2.h>

namespace huemira {
namespace {

// The library reports a broken profile through this handler before the call
// fails; the failure itself is the answer, so the text is dropped.
void IgnoreLibraryError(cmsContext, cmsUInt32Number, const char*) {}

struct ProfileDeleter {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using UniqueProfile = std::unique_ptr<void, ProfileDeleter>;

bool IsRgbDisplayProfile(cmsHPROFILE profile) {
  const cmsProfileClassSignature kind = cmsGetDeviceClass(profile);
  return cmsGetColorSpace(profile) == cmsSigRgbData &&
         (kind == cmsSigDisplayClass || kind == cmsSigColorSpaceClass);
}

}  // namespace

void DisplayToSrgb::ContextDeleter::operator()(void* context) const {
  cmsDeleteContext(static_cast<cmsContext>(context));
}

void DisplayToSrgb::TransformDeleter::operator()(void* transform) const {
  cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform));
}

TColor DisplayToSrgb::Convert(TColor displayValue) const {
  const cmsUInt8Number in[3] = {RedOf(displayValue), GreenOf(displayValue), BlueOf(displayValue)};
  cmsUInt8Number out[3];
  cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_.get()), in, out, 1);
  return MakeColor(out[0], out[1], out[2]);
}

DisplayTransformBuild BuildDisplayToSrgb(std::span<const std::uint8_t> profile) {
  if (profile.size() > kMaxDisplayProfileBytes) return {nullptr, DisplayProfileVerdict::TooLarge};
  // A context of its own: its error handler stays with it, and nothing is
  // shared with another transform built on another thread.
  DisplayToSrgb::Context context(cmsCreateContext(nullptr, nullptr));
  if (!context) return {nullptr, DisplayProfileVerdict::NoTransform};
  auto* contextId = static_cast<cmsContext>(context.get());
  cmsSetLogErrorHandlerTHR(contextId, IgnoreLibraryError);

  UniqueProfile display(cmsOpenProfileFromMemTHR(contextId, profile.data(),
                                                 static_cast<cmsUInt32Number>(profile.size())));
  if (!display) return {nullptr, DisplayProfileVerdict::Unreadable};
  if (!IsRgbDisplayProfile(display.get())) return {nullptr, DisplayProfileVerdict::NotRgbDisplay};
  UniqueProfile srgb(cmsCreate_sRGBProfileTHR(contextId));
  if (!srgb) return {nullptr, DisplayProfileVerdict::NoTransform};

  // No one-pixel cache: it would be written by every conversion, which makes
  // a shared transform unsafe across threads. No optimisation either: it
  // samples the whole transform into a table, ten times the cost of the
  // build, to speed up conversions that come one colour at a time here and
  // take well under a microsecond as they are.
  DisplayToSrgb::Transform transform(cmsCreateTransformTHR(contextId, display.get(), TYPE_RGB_8, srgb.get(),
                                                          TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC,
                                                          cmsFLAGS_NOCACHE | cmsFLAGS_NOOPTIMIZE));
  if (!transform) return {nullptr, DisplayProfileVerdict::NoTransform};
  return {std::make_shared<const DisplayToSrgb>(std::move(context), std::move(transform)),
          DisplayProfileVerdict::Usable};
}

}  // namespace huemira
