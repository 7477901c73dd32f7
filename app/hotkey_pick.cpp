#include "app/hotkey_pick.h"

#include "framework/application.h"

namespace huemira {

namespace {

constexpr wchar_t kHotkeyPickClass[] = L"HuemiraHotkeyPick";
constexpr UINT kPickInput = WM_APP + 1;

// Low-level hooks are global to the thread's desktop: one pick at a time.
HotkeyPick* hookedPick = nullptr;

// Beside a key's code in a posted key: the pick's own thread never sees the
// keys the hooks keep, so its key state cannot tell.
constexpr int kShiftFlag = 0x10000;

bool ShiftHeld() { return GetAsyncKeyState(VK_SHIFT) < 0; }

bool IsPickKey(DWORD key) {
  switch (key) {
    case VK_RETURN: case VK_SPACE: case VK_ESCAPE:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_ADD: case VK_OEM_PLUS: case VK_SUBTRACT: case VK_OEM_MINUS: case 'F':
      return true;
  }
  return false;
}

}  // namespace

HotkeyPick::HotkeyPick() {
  releaseTimer_.OnTimer = [this] { Unhook(); };
  followTimer_.OnTimer = [this] {
    const POINT pointer = PhysicalPointer();
    const bool moved = pointer.x != followedAt_.x || pointer.y != followedAt_.y;
    // A loupe that stepped aside from the pointer reads again too.
    if (moved || !session_.PickLoupe().Visible()) Deliver(Input::kMove);
  };
}

HotkeyPick::~HotkeyPick() {
  followTimer_.SetEnabled(false);
  session_.Stop();
  Unhook();
}

void HotkeyPick::Begin() {
  if (Picking() || (hookedPick && hookedPick != this)) return;
  if (!Handle()) CreateHandle(WindowArgs{.className = kHotkeyPickClass, .parent = HWND_MESSAGE});
  Unhook();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  mouseHook_ = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, instance, 0);
  keyboardHook_ = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, instance, 0);
  hookedPick = this;
  movePosted_ = false;
  session_.Start();
  Deliver(Input::kMove);
  followTimer_.SetEnabled(true);
}

void HotkeyPick::Cancel() {
  if (Picking()) End();
}

void HotkeyPick::End() {
  followTimer_.SetEnabled(false);
  session_.Stop();
  if (endingKey_ == 0) {
    Unhook();
  } else {
    releaseTimer_.SetEnabled(true);
  }
}

void HotkeyPick::Unhook() {
  releaseTimer_.SetEnabled(false);
  if (mouseHook_) UnhookWindowsHookEx(mouseHook_);
  if (keyboardHook_) UnhookWindowsHookEx(keyboardHook_);
  mouseHook_ = keyboardHook_ = nullptr;
  endingKey_ = 0;
  if (hookedPick == this) hookedPick = nullptr;
}

void HotkeyPick::Take(bool keepPicking) {
  const TColor color = session_.Sample();
  if (!keepPicking) End();
  if (OnTake) OnTake(color, keepPicking);
}

void HotkeyPick::Deliver(Input input, int value) {
  if (!Picking()) return;
  switch (input) {
    case Input::kMove:
      followedAt_ = PhysicalPointer();
      session_.Follow();
      break;
    case Input::kTake:
      Take(false);
      break;
    case Input::kTakeAndGoOn:
      Take(true);
      break;
    case Input::kCancel:
      End();
      break;
    case Input::kWheel:
      session_.HandleWheel(value);
      break;
    case Input::kKey:
      if (session_.HandleKey(static_cast<WPARAM>(value & 0xFFFF), (value & kShiftFlag) != 0) ==
          PickSession::KeyVerdict::kCancel)
        End();
      break;
  }
}

void HotkeyPick::Post(Input input, int value) { PostMessageW(Handle(), kPickInput, static_cast<WPARAM>(input), value); }

bool HotkeyPick::Intercept(UINT message, DWORD key) {
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_LBUTTONDOWN ||
                    message == WM_RBUTTONDOWN;
  if (!Picking()) {
    // Only what ended the pick, held down until its release, is still kept
    // from the windows.
    if (key != endingKey_) return false;
    if (!down) Unhook();
    return true;
  }
  if (!down) return key == VK_LBUTTON || key == VK_RBUTTON || IsPickKey(key);
  Input input = Input::kKey;
  switch (key) {
    case VK_LBUTTON:
    case VK_RETURN:
    case VK_SPACE:
      input = ShiftHeld() ? Input::kTakeAndGoOn : Input::kTake;
      break;
    case VK_RBUTTON:
    case VK_ESCAPE:
      input = Input::kCancel;
      break;
    default:
      if (!IsPickKey(key)) return false;
  }
  if (input != Input::kKey && input != Input::kTakeAndGoOn) endingKey_ = key;
  Post(input, static_cast<int>(key) | (ShiftHeld() ? kShiftFlag : 0));
  return true;
}

LRESULT CALLBACK HotkeyPick::MouseHook(int code, WPARAM message, LPARAM data) {
  HotkeyPick* pick = hookedPick;
  if (code == HC_ACTION && pick) {
    const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    switch (message) {
      case WM_MOUSEMOVE:
        // Moves pass on; one follow waits at a time however fast they come.
        if (pick->Picking() && !pick->movePosted_) {
          pick->movePosted_ = true;
          pick->Post(Input::kMove);
        }
        break;
      case WM_MOUSEWHEEL:
        if (pick->Picking()) {
          pick->Post(Input::kWheel, GET_WHEEL_DELTA_WPARAM(event.mouseData));
          return 1;
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
        if (pick->Intercept(static_cast<UINT>(message), VK_LBUTTON)) return 1;
        break;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        if (pick->Intercept(static_cast<UINT>(message), VK_RBUTTON)) return 1;
        break;
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK HotkeyPick::KeyboardHook(int code, WPARAM message, LPARAM data) {
  HotkeyPick* pick = hookedPick;
  if (code == HC_ACTION && pick) {
    const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (pick->Intercept(static_cast<UINT>(message), event.vkCode)) return 1;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

LRESULT HotkeyPick::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPickInput) {
    const auto input = static_cast<Input>(wParam);
    if (input == Input::kMove) movePosted_ = false;
    Deliver(input, static_cast<int>(lParam));
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
