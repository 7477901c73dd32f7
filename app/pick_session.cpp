#include "app/pick_session.h"

#include <string>

#include "app/settings.h"
#include "color/ciede2000.h"
#include "framework/text.h"

namespace huemira {

namespace {

constexpr int kShiftNudge = 10;

}  // namespace

POINT PhysicalPointer() {
  POINT point{};
  // The physical form reads right for a process that the system scales
  // too; for an aware one both are the same.
  if (!GetPhysicalCursorPos(&point)) GetCursorPos(&point);
  return point;
}

void NudgePointer(int dx, int dy) {
  const POINT point = PhysicalPointer();
  if (!SetPhysicalCursorPos(point.x + dx, point.y + dy)) SetCursorPos(point.x + dx, point.y + dy);
}

Loupe::Conversion LoupeConversion(DisplayProfiles* profiles, bool srgbValues, POINT at, TColor display) {
  if (!profiles) return {.taken = display};
  const std::optional<TColor> srgb = profiles->ToSrgb(at, display);
  const HdrInfo hdr = profiles->Hdr(at);
  // The other value beside the one taken, when they differ.
  return {.taken = srgbValues && srgb ? *srgb : display,
          .other = !srgb || *srgb == display ? std::nullopt : std::optional(srgbValues ? display : *srgb),
          .otherLabel = srgbValues ? L"显示器值 " : L"sRGB ",
          .note = hdr.hdr ? (hdr.approximate ? L"HDR · 近似值" : L"HDR") : L""};
}

void PickSession::Start() {
  Stop();
  running_ = true;
  sampleSize_ = storedSampleSize_ = ReadSampleSizeSetting();
  srgbValues_ = ReadSrgbValuesSetting() && profiles_;
  wheelRest_ = 0;
  pixels_.SeeMonitors();
  loupe_.SetConversion([this](POINT at, TColor display) {
    Loupe::Conversion said = LoupeConversion(profiles_, srgbValues_, at, display);
    if (const auto token = nearestToken_ ? nearestToken_(said.taken) : std::nullopt)
      said.token = L"≈ " + Utf8ToWide(token->name) + L"  " + DeltaEText(token->deltaE);
    return said;
  });
  SetFrozen(ReadFreezeSetting());
}

void PickSession::Stop() {
  if (!running_) return;
  running_ = false;
  loupe_.Close();
  backdrop_.Close();
  pixels_.Thaw();
  // A failed write costs only the size's next default: no box in the
  // middle of picking.
  if (sampleSize_ != storedSampleSize_) WriteSetting(L"Pick", L"SampleSize", std::to_wstring(sampleSize_));
}

void PickSession::SetFrozen(bool frozen) {
  if (frozen == pixels_.Frozen()) return ShowStatus();
  if (frozen && pixels_.Freeze()) {
    // The loupe comes back above the frozen screen at the next follow.
    loupe_.Close();
    backdrop_.Show(pixels_);
  } else {
    backdrop_.Close();
    pixels_.Thaw();
  }
  ShowStatus();
}

void PickSession::ShowStatus() {
  std::wstring status;
  if (sampleSize_ > 1) status = std::to_wstring(sampleSize_) + L"×" + std::to_wstring(sampleSize_) + L" 平均";
  if (pixels_.Frozen()) status += std::wstring(status.empty() ? L"" : L" · ") + L"已冻结";
  loupe_.SetStatus(status);
}

void PickSession::Follow() {
  if (running_) loupe_.Follow(PhysicalPointer(), pixels_, sampleSize_);
}

TColor PickSession::Sample() {
  const POINT pointer = PhysicalPointer();
  return Taken(pointer, pixels_.Sample(pointer, sampleSize_));
}

TColor PickSession::Taken(POINT at, TColor displayValue) {
  // The average is of display values, as the screen shows them; the
  // profile then turns it as it turns one pixel.
  if (!srgbValues_) return displayValue;
  return profiles_->ToSrgb(at, displayValue).value_or(displayValue);
}

void PickSession::StepSampleSize(int steps) {
  sampleSize_ = SteppedSampleSize(sampleSize_, steps);
  ShowStatus();
  Follow();
}

void PickSession::HandleWheel(int delta) {
  // Fine-grained wheels send parts of a notch: whole notches count.
  wheelRest_ += delta;
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ -= notches * WHEEL_DELTA;
  if (notches != 0) StepSampleSize(notches);
}

PickSession::KeyVerdict PickSession::HandleKey(WPARAM key, bool shiftHeld) {
  const int step = shiftHeld ? kShiftNudge : 1;
  switch (key) {
    case VK_ESCAPE:
      return KeyVerdict::kCancel;
    case VK_LEFT:
      NudgePointer(-step, 0);
      break;
    case VK_RIGHT:
      NudgePointer(step, 0);
      break;
    case VK_UP:
      NudgePointer(0, -step);
      break;
    case VK_DOWN:
      NudgePointer(0, step);
      break;
    case VK_ADD:
    case VK_OEM_PLUS:
      StepSampleSize(1);
      return KeyVerdict::kHandled;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      StepSampleSize(-1);
      return KeyVerdict::kHandled;
    case 'F':
      SetFrozen(!Frozen());
      Follow();
      return KeyVerdict::kHandled;
    default:
      return KeyVerdict::kNotMine;
  }
  // A moved pointer need not send a move of the mouse.
  Follow();
  return KeyVerdict::kHandled;
}

}  // namespace huemira
