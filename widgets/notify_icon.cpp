#include "widgets/notify_icon.h"

#include <algorithm>
#include <cwchar>

#include "framework/application.h"

namespace huemira {

namespace {

constexpr wchar_t kTrayWindowClass[] = L"HuemiraTrayIcon";
constexpr std::size_t kTipLength = 127;

UINT NextIconId() {
  static UINT next = 0;
  return ++next;
}

// Sent to every top-level window when the shell (and its notification area) starts.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

ShiftState KeyShift() {
  ShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

ShiftState ButtonShift(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return ssLeft;
    case MouseButton::Right:
      return ssRight;
    case MouseButton::Middle:
      return ssMiddle;
  }
  return 0;
}

POINT Pointer() {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

}  // namespace

std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)> TNotifyIcon::ShellNotifyIcon = Shell_NotifyIconW;

TNotifyIconHandler::TNotifyIconHandler() {
  WindowArgs args;
  args.className = kTrayWindowClass;
  args.style = WS_POPUP;  // top-level and never shown
  CreateHandle(args);
}

LRESULT TNotifyIconHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TNotifyIcon::kCallbackMessage) {
    const auto found = icons_.find(static_cast<UINT>(wParam));
    if (found != icons_.end()) found->second->HandleTrayMessage(lParam);
    return 0;
  }
  switch (message) {
    // Only the last icon's end takes this window down; a close from outside
    // (a tool ending the program window by window) must not.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUIT:
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
      return 1;
  }
  return DefaultHandling(message, wParam, lParam);
}

TNotifyIcon::TNotifyIcon() : id_(NextIconId()) {
  handler_->Add(id_, *this);
  cycleTimer_.SetOnTimer([this] { NextIcon(); });
  clickTimer_.SetOnTimer([this] { DelayedClick(); });
  exitTimer_.SetOnTimer([this] { ExitCheck(); });
}

TNotifyIcon::~TNotifyIcon() {
  if (loaded_) RemoveIcon();
  Unhook();
  handler_->Remove(id_);
}

void TNotifyIcon::Create(HWND owner) {
  appWindow_ = Application::Instance().Handle();
  TaskbarCreatedMessage();
  if (appWindow_) SetWindowSubclass(appWindow_, AppWindowHook, id_, reinterpret_cast<DWORD_PTR>(this));
  owner_ = owner;
  if (owner_) SetWindowSubclass(owner_, OwnerWindowProc, id_, reinterpret_cast<DWORD_PTR>(this));
}

void TNotifyIcon::Unhook() {
  if (appWindow_) RemoveWindowSubclass(appWindow_, AppWindowHook, id_);
  if (owner_) RemoveWindowSubclass(owner_, OwnerWindowProc, id_);
  appWindow_ = owner_ = nullptr;
}

void TNotifyIcon::Loaded() {
  loaded_ = true;
  if (owner_) {
    bool showMainForm = true;
    if (OnStartup) OnStartup(showMainForm);
    if (!showMainForm) {
      Application::Instance().ShowMainForm = false;
      ShowWindow(owner_, SW_HIDE);
    }
  }
  if (iconVisible_) {
    AddIcon();
  } else {
    RemoveIcon();
  }
  SetCycleIcons(cycleIcons_);
  SetWantEnterExitEvents(wantEnterExitEvents_);
  Shell(NIM_SETVERSION, Record());
}

NOTIFYICONDATAW TNotifyIcon::Record() const {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof(record);
  record.hWnd = handler_->Handle();
  record.uID = id_;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = icon_.get();
  if (!hint_.empty() && showHint_) wcsncpy(record.szTip, hint_.c_str(), kTipLength);
  record.uVersion = Behavior == TrayBehavior::Version3 ? NOTIFYICON_VERSION : 0;
  return record;
}

bool TNotifyIcon::Shell(DWORD message, NOTIFYICONDATAW record) const {
  return ShellNotifyIcon && ShellNotifyIcon(message, &record) != FALSE;
}

bool TNotifyIcon::AddIcon() { return Shell(NIM_ADD, Record()); }

bool TNotifyIcon::RemoveIcon() { return Shell(NIM_DELETE, Record()); }

bool TNotifyIcon::RefreshIcon() { return Shell(NIM_MODIFY, Record()); }

void TNotifyIcon::SetIcon(HICON icon) {
  icon_.reset(icon ? CopyIcon(icon) : nullptr);
  if (loaded_ && iconVisible_) RefreshIcon();
}

void TNotifyIcon::SetIconVisible(bool visible) {
  iconVisible_ = visible;
  if (!loaded_) return;
  if (visible) {
    AddIcon();
  } else {
    RemoveIcon();
  }
}

void TNotifyIcon::SetIconList(HIMAGELIST list) {
  iconList_ = list;
  SetIconIndex(iconIndex_);
}

void TNotifyIcon::SetIconIndex(int index) {
  const int count = iconList_ ? ImageList_GetImageCount(iconList_) : 0;
  iconIndex_ = count > 0 ? std::clamp(index, 0, count - 1) : 0;
  TakeIconFromList();
}

void TNotifyIcon::TakeIconFromList() {
  if (!iconList_ || ImageList_GetImageCount(iconList_) == 0) return;
  icon_.reset(ImageList_GetIcon(iconList_, iconIndex_, ILD_NORMAL));
  if (loaded_ && iconVisible_) RefreshIcon();
}

void TNotifyIcon::SetCycleIcons(bool cycle) {
  cycleIcons_ = cycle;
  if (!loaded_) return;
  if (cycle) {
    cycleTimer_.Start();
  } else {
    cycleTimer_.Stop();
  }
}

void TNotifyIcon::NextIcon() {
  const int count = iconList_ ? ImageList_GetImageCount(iconList_) : 0;
  if (count == 0) return;
  TakeIconFromList();
  const int next = (iconIndex_ + 1) % count;
  if (OnCycle) OnCycle(next);
  iconIndex_ = next;
}

void TNotifyIcon::SetHint(const std::wstring& hint) {
  hint_ = hint;
  if (loaded_ && iconVisible_) RefreshIcon();
}

void TNotifyIcon::SetShowHint(bool show) {
  showHint_ = show;
  if (loaded_ && iconVisible_) RefreshIcon();
}

void TNotifyIcon::SetWantEnterExitEvents(bool want) {
  wantEnterExitEvents_ = want;
  if (!loaded_) return;
  if (want) {
    exitTimer_.Start();
  } else {
    exitTimer_.Stop();
  }
}

bool TNotifyIcon::ShowBalloonHint(const std::wstring& title, const std::wstring& text, BalloonIcon icon,
                                  UINT timeoutMs) {
  NOTIFYICONDATAW record = Record();
  record.uFlags = NIF_INFO;
  wcsncpy(record.szInfoTitle, title.c_str(), std::size(record.szInfoTitle) - 1);
  wcsncpy(record.szInfo, text.c_str(), std::size(record.szInfo) - 1);
  record.dwInfoFlags = static_cast<DWORD>(icon);
  record.uTimeout = timeoutMs;
  return Shell(NIM_MODIFY, record);
}

void TNotifyIcon::HideToTray() {
  if (HWND mainForm = Application::Instance().MainForm()) ShowWindow(mainForm, SW_HIDE);
  if (appWindow_ && IsWindowVisible(appWindow_)) ShowWindow(appWindow_, SW_HIDE);
  SetIconVisible(true);
}

void TNotifyIcon::MouseDown(MouseButton button) {
  const POINT at = Pointer();
  if (OnMouseDown) OnMouseDown(button, KeyShift() | ButtonShift(button), at.x, at.y);
}

void TNotifyIcon::MouseUp(MouseButton button) {
  const POINT at = Pointer();
  if (OnMouseUp) OnMouseUp(button, KeyShift() | ButtonShift(button), at.x, at.y);
}

void TNotifyIcon::HandleTrayMessage(LPARAM action) {
  if (!Enabled) return;
  switch (static_cast<UINT>(action)) {
    case WM_MOUSEMOVE: {
      if (wantEnterExitEvents_ && pointerExited_) {
        pointerExited_ = false;
        if (OnMouseEnter) OnMouseEnter();
      }
      lastMove_ = Pointer();
      if (OnMouseMove) OnMouseMove(KeyShift(), lastMove_.x, lastMove_.y);
      break;
    }
    case WM_LBUTTONDOWN:
      // With a double-click handler a click waits until no second click can
      // follow; without one it is reported at the release. A press starts a
      // new sequence: a double click seen before it is over.
      doubleClickSeen_ = false;
      if (OnDblClick) {
        clickTimer_.SetInterval(GetDoubleClickTime());
        clickTimer_.Start();
      }
      MouseDown(MouseButton::Left);
      clickStarted_ = true;
      if (LeftPopup) ShowMenuAtPointer();
      break;
    case WM_LBUTTONUP: {
      const bool started = clickStarted_;
      if (started) clickReady_ = true;
      clickStarted_ = false;
      if (started && !clickTimer_.Running()) {
        clickReady_ = false;
        if (OnClick) OnClick();
      }
      MouseUp(MouseButton::Left);
      break;
    }
    case WM_LBUTTONDBLCLK:
      clickReady_ = false;
      doubleClickSeen_ = true;
      if (OnDblClick) OnDblClick();
      if (popupMenu_ && popupMenu_->AutoPopup && !LeftPopup) popupMenu_->ClickDefaultItem();
      break;
    case WM_RBUTTONDOWN:
      MouseDown(MouseButton::Right);
      ShowMenuAtPointer();
      break;
    case WM_RBUTTONUP:
      if (Behavior == TrayBehavior::Classic) MouseUp(MouseButton::Right);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(MouseButton::Middle);
      break;
    case WM_MBUTTONUP:
      MouseUp(MouseButton::Middle);
      break;
    case WM_CONTEXTMENU:
    case NIN_SELECT:
    case NIN_KEYSELECT:
      if (Behavior == TrayBehavior::Version3) MouseUp(MouseButton::Right);
      break;
    case NIN_BALLOONSHOW:
      if (OnBalloonHintShow) OnBalloonHintShow();
      break;
    case NIN_BALLOONHIDE:
      if (OnBalloonHintHide) OnBalloonHintHide();
      break;
    case NIN_BALLOONTIMEOUT:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout();
      break;
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonHintClick) OnBalloonHintClick();
      break;
  }
}

void TNotifyIcon::DelayedClick() {
  clickTimer_.Stop();
  if (!doubleClickSeen_ && clickReady_) {
    clickReady_ = false;
    if (OnClick) OnClick();
  }
  doubleClickSeen_ = false;
}

void TNotifyIcon::ExitCheck() {
  if (pointerExited_) return;
  const POINT now = Pointer();
  if (now.x == lastMove_.x && now.y == lastMove_.y) return;
  pointerExited_ = true;
  if (OnMouseExit) OnMouseExit();
}

void TNotifyIcon::ShowMenuAtPointer() {
  POINT at{};
  if (!popupMenu_ || !popupMenu_->AutoPopup || !GetCursorPos(&at)) return;
  // The menu closes on a click elsewhere only if our window is in front
  // while it shows, and only after one more message once it is closed.
  HWND menuOwner = appWindow_ ? appWindow_ : handler_->Handle();
  SetForegroundWindow(menuOwner);
  Application::Instance().ProcessMessages();
  popupMenu_->Popup(menuOwner, at);
  if (owner_) PostMessageW(owner_, WM_NULL, 0, 0);
}

LRESULT CALLBACK TNotifyIcon::AppWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self) {
  auto* icon = reinterpret_cast<TNotifyIcon*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, AppWindowHook, id);
    icon->appWindow_ = nullptr;
  } else if (message == WM_SIZE && wParam == SIZE_MINIMIZED && icon->MinimizeToTray) {
    RunGuarded([icon] { icon->HideToTray(); });
  } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
    if (HWND mainForm = Application::Instance().MainForm()) ShowWindow(mainForm, SW_SHOW);
  } else if (message == TaskbarCreatedMessage() && icon->iconVisible_) {
    icon->AddIcon();
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TNotifyIcon::OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self) {
  auto* icon = reinterpret_cast<TNotifyIcon*>(self);
  const bool minimizing = (message == WM_SHOWWINDOW && !wParam && lParam == SW_PARENTCLOSING &&
                           !Application::Instance().Terminating()) ||
                          (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, OwnerWindowProc, id);
    icon->owner_ = nullptr;
  } else if (message == WM_SHOWWINDOW && wParam && lParam == 0) {
    // Shown by a show call: the program comes to the front with it.
    if (icon->appWindow_) SetForegroundWindow(icon->appWindow_);
    SetForegroundWindow(window);
  } else if (minimizing && icon->MinimizeToTray && icon->OnMinimizeToTray) {
    RunGuarded([icon] {
      icon->OnMinimizeToTray();
      icon->HideToTray();
    });
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace huemira
