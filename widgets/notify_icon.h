// An icon in the notification area of the taskbar: reports the mouse on it
// as events, pops up a menu at the pointer, comes back when the shell
// restarts, and can hide its owner window into the tray. All icons of the
// program receive their shell messages on one shared hidden window.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <string>

#include "framework/handles.h"
#include "framework/popup_menu.h"
#include "framework/window.h"
#include "widgets/shared_handler.h"
#include "widgets/simple_timer.h"

namespace huemira {

class TNotifyIcon;

// The hidden window that the shell sends every tray icon's messages to.
class TNotifyIconHandler : public Window {
 public:
  TNotifyIconHandler();

  void Add(UINT id, TNotifyIcon& icon) { icons_[id] = &icon; }
  void Remove(UINT id) { icons_.erase(id); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::map<UINT, TNotifyIcon*> icons_;
};

enum class MouseButton { Left, Right, Middle };

// Keys held and the button concerned, as the mouse events report them.
using ShiftState = unsigned;
enum : ShiftState { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

// Which mouse messages the shell sends: the classic ones, or those of
// version 3 (a context-menu message for the right button and the keyboard).
enum class TrayBehavior { Classic = 0, Version3 = 1 };

enum class BalloonIcon : DWORD { None = NIIF_NONE, Info = NIIF_INFO, Warning = NIIF_WARNING, Error = NIIF_ERROR };

class TNotifyIcon {
 public:
  // The message the shell sends with the icon's identifier and the mouse action.
  static constexpr UINT kCallbackMessage = 0x800;
  // How long the tray's pointer is watched for leaving the icon.
  static constexpr UINT kExitCheckMs = 20;

  TNotifyIcon();
  ~TNotifyIcon();
  TNotifyIcon(const TNotifyIcon&) = delete;
  TNotifyIcon& operator=(const TNotifyIcon&) = delete;

  // Watches the owner window (may be null) and the application's window.
  void Create(HWND owner);
  // Once the owner's window is complete: puts the icon into the tray as set.
  void Loaded();

  HICON Icon() const { return icon_.get(); }
  // Keeps a copy of the icon.
  void SetIcon(HICON icon);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool visible);
  // The list is not owned. The icon index is kept within the list (0 without one).
  HIMAGELIST IconList() const { return iconList_; }
  void SetIconList(HIMAGELIST list);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool cycle);
  UINT CycleInterval() const { return cycleTimer_.Interval(); }
  void SetCycleInterval(UINT intervalMs) { cycleTimer_.SetInterval(intervalMs); }
  // At most the first 127 characters are shown.
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  huemira::PopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(huemira::PopupMenu* menu) { popupMenu_ = menu; }
  bool WantEnterExitEvents() const { return wantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool want);

  // Mouse actions are reported.
  bool Enabled = true;
  // The left button pops up the menu as well.
  bool LeftPopup = false;
  // Minimising the owner (or the application) hides it into the tray.
  bool MinimizeToTray = false;
  // Set before Loaded.
  TrayBehavior Behavior = TrayBehavior::Classic;

  // A balloon tip over the icon; false when the shell refused it.
  bool ShowBalloonHint(const std::wstring& title, const std::wstring& text, BalloonIcon icon = BalloonIcon::Info,
                       UINT timeoutMs = 10000);
  // Hides the application's main window (and the application window) and
  // leaves the icon in the tray.
  void HideToTray();

  // The shell calls, with the icon's record; failures are not reported.
  bool AddIcon();
  bool RemoveIcon();
  bool RefreshIcon();

  UINT Id() const { return id_; }
  HWND HandlerWindow() const { return handler_->Handle(); }
  // Runs a shell message on the icon's behalf, as the shell's callback would.
  void HandleTrayMessage(LPARAM action);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void(int nextIndex)> OnCycle;
  std::function<void(MouseButton button, ShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(MouseButton button, ShiftState shift, int x, int y)> OnMouseUp;
  std::function<void(ShiftState shift, int x, int y)> OnMouseMove;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseExit;
  std::function<void()> OnMinimizeToTray;
  std::function<void()> OnBalloonHintShow;
  std::function<void()> OnBalloonHintHide;
  std::function<void()> OnBalloonHintTimeout;
  std::function<void()> OnBalloonHintClick;
  // May clear showMainForm: the program then starts with its main window hidden.
  std::function<void(bool& showMainForm)> OnStartup;

  // The shell's notification-icon call; tests put a recorder here.
  static std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)> ShellNotifyIcon;

 private:
  NOTIFYICONDATAW Record() const;
  bool Shell(DWORD message, NOTIFYICONDATAW record) const;
  void TakeIconFromList();
  void NextIcon();
  void DelayedClick();
  void ExitCheck();
  void ShowMenuAtPointer();
  void MouseDown(MouseButton button);
  void MouseUp(MouseButton button);
  void Unhook();

  static LRESULT CALLBACK AppWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
  static LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

  // Declared first: the shared window outlives everything below.
  SharedHandler<TNotifyIconHandler> handler_;
  const UINT id_;
  UniqueIcon icon_;
  bool iconVisible_ = false;
  HIMAGELIST iconList_ = nullptr;
  int iconIndex_ = 0;
  bool cycleIcons_ = false;
  std::wstring hint_;
  bool showHint_ = true;
  huemira::PopupMenu* popupMenu_ = nullptr;
  bool wantEnterExitEvents_ = false;
  bool loaded_ = false;

  TSimpleTimer cycleTimer_{0};
  TSimpleTimer clickTimer_;
  TSimpleTimer exitTimer_{kExitCheckMs};

  bool clickStarted_ = false;
  bool clickReady_ = false;
  bool doubleClickSeen_ = false;
  bool pointerExited_ = true;
  POINT lastMove_{};

  HWND owner_ = nullptr;
  HWND appWindow_ = nullptr;
};

}  // namespace huemira
