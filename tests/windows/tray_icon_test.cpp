// The tray icon component and its timers, driven by the messages the shell
// sends; the shell itself is replaced by the recorder of the test support.
#include <gtest/gtest.h>

#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "widgets/notify_icon.h"
#include "widgets/simple_timer.h"
#include "window_test_support.h"

namespace huemira {
namespace {

class OwnerForm : public Form {
 public:
  OwnerForm() { CreateForm({L"HuemiraTrayTestOwner", L"owner", 100, 60}, false); }
};

using TrayIconTest = MainFormTest;

void Send(TNotifyIcon& icon, UINT action) {
  SendMessageW(icon.HandlerWindow(), TNotifyIcon::kCallbackMessage, icon.Id(), action);
}

TEST_F(TrayIconTest, IconsAndTimersShareOneHiddenWindowThatTheLastOneDestroys) {
  HWND trayWindow = nullptr;
  HWND timerWindow = nullptr;
  {
    TNotifyIcon first;
    {
      TNotifyIcon second;
      EXPECT_EQ(second.HandlerWindow(), first.HandlerWindow());
      EXPECT_NE(second.Id(), first.Id());
      EXPECT_EQ(SharedHandler<TNotifyIconHandler>::Count(), 2);
    }
    trayWindow = first.HandlerWindow();
    EXPECT_TRUE(IsWindow(trayWindow)) << "the first icon still uses it";
    timerWindow = TSimpleTimer().HandlerWindow();
    TSimpleTimer timer;
    EXPECT_EQ(timer.HandlerWindow(), timerWindow) << "each icon's three timers keep it alive";
  }
  EXPECT_EQ(SharedHandler<TNotifyIconHandler>::Count(), 0);
  EXPECT_FALSE(IsWindow(trayWindow));
  EXPECT_FALSE(IsWindow(timerWindow));
  // A close from outside does not take the window away from the icons.
  TNotifyIcon icon;
  SendMessageW(icon.HandlerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(icon.HandlerWindow()));
}

TEST_F(TrayIconTest, TimersStartStopAndKeepTheirEnabledFlagAsAsked) {
  int ticks = 0;
  TSimpleTimer timer(0, [&] { ++ticks; });
  EXPECT_FALSE(timer.Start()) << "an interval of 0 cannot start";
  EXPECT_FALSE(timer.Enabled());
  timer.SetInterval(10);
  EXPECT_TRUE(timer.Start());
  PumpFor(100);
  EXPECT_GT(ticks, 0);

  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
  EXPECT_TRUE(timer.Enabled()) << "a zero interval pauses the timer";
  ticks = 0;
  PumpFor(60);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(10);
  EXPECT_TRUE(timer.Running()) << "a later interval starts it again";

  timer.SetOnTimer(nullptr);
  EXPECT_FALSE(timer.Running());
  EXPECT_TRUE(timer.Enabled());
  timer.SetOnTimer([&] { ++ticks; });
  EXPECT_TRUE(timer.Running());

  timer.Stop();
  EXPECT_FALSE(timer.Enabled());
  ticks = 0;
  PumpFor(60);
  EXPECT_EQ(ticks, 0);

  timer.AutoDisable = true;
  timer.Start();
  PumpFor(100);
  EXPECT_EQ(ticks, 1) << "a self-disabling timer runs once";
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(TrayIconTest, TheShellGetsTheRecordOnLoadingEveryChangeAndTheEnd) {
  UINT id = 0;
  HWND handler = nullptr;
  {
    TNotifyIcon icon;
    id = icon.Id();
    handler = icon.HandlerWindow();
    icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
    icon.SetHint(std::wstring(130, L'x'));
    icon.SetIconVisible(true);
    EXPECT_TRUE(shellCalls.empty()) << "nothing reaches the shell before the owner is loaded";
    icon.Loaded();
    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(shellCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shellCalls[1].message, static_cast<DWORD>(NIM_SETVERSION));
    const NOTIFYICONDATAW& record = shellCalls[0].data;
    EXPECT_EQ(record.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(record.hWnd, handler);
    EXPECT_EQ(record.uID, id);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x800u);
    EXPECT_NE(record.hIcon, nullptr);
    EXPECT_EQ(std::wstring(record.szTip), std::wstring(127, L'x'));
    EXPECT_EQ(shellCalls[1].data.uVersion, 0u);

    icon.SetShowHint(false);
    EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_STREQ(shellCalls.back().data.szTip, L"");
    icon.SetIconVisible(false);
    EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_DELETE));
    icon.SetIconVisible(true);
    EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_ADD));

    // The shell restarted: the icon comes back.
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    icon.Create(nullptr);
    shellCalls.clear();
    SendMessageW(Application::Instance().Handle(), taskbarCreated, 0, 0);
    EXPECT_EQ(CountShellCalls(NIM_ADD, id), 1);
    shellCalls.clear();
  }
  EXPECT_EQ(CountShellCalls(NIM_DELETE, id), 1) << "the icon leaves the tray with the component";
}

TEST_F(TrayIconTest, AClickIsReportedAtTheReleaseAndADoubleClickOnlyOnce) {
  TNotifyIcon icon;
  std::vector<std::string> events;
  icon.OnClick = [&] { events.push_back("click"); };
  icon.OnMouseDown = [&](MouseButton, ShiftState shift, int, int) {
    events.push_back(shift & ssLeft ? "down left" : "down");
  };
  Send(icon, WM_LBUTTONDOWN);
  EXPECT_EQ(events, (std::vector<std::string>{"down left"}));
  Send(icon, WM_LBUTTONUP);
  EXPECT_EQ(events.back(), "click");
  // The system's double click: down, up, double click, up.
  events.clear();
  for (UINT action : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(icon, action);
  EXPECT_EQ(events, (std::vector<std::string>{"down left", "click"}));

  // With a double-click handler a click waits until no second one can come.
  int doubleClicks = 0;
  icon.OnDblClick = [&] { ++doubleClicks; };
  events.clear();
  Send(icon, WM_LBUTTONDOWN);
  Send(icon, WM_LBUTTONUP);
  EXPECT_EQ(events, (std::vector<std::string>{"down left"}));
  PumpFor(GetDoubleClickTime() + 150);
  EXPECT_EQ(events.back(), "click");
  events.clear();
  for (UINT action : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(icon, action);
  PumpFor(GetDoubleClickTime() + 150);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"down left"})) << "no click besides the double click";

  icon.Enabled = false;
  Send(icon, WM_LBUTTONDOWN);
  Send(icon, WM_LBUTTONUP);
  EXPECT_EQ(events.size(), 1u) << "a disabled icon reports nothing";
}

// Menus belong to a form.
class MenuOwner : public Form {
 public:
  MenuOwner() { CreateForm({L"HuemiraTestMenuOwner", L"menus", 10, 10}, false); }
};

TEST_F(TrayIconTest, ARightClickPopsUpTheMenuAndADoubleClickChoosesItsDefaultEntry) {
  MenuOwner owner;
  PopupMenu menu(owner);
  int chosen = 0;
  const UINT entry = menu.AddItem(L"entry", [&] { ++chosen; });
  TNotifyIcon icon;
  icon.Create(nullptr);
  icon.SetPopupMenu(&menu);
  bool menuShown = false;
  WhenMenuShown([&](HWND) {
    menuShown = true;
    EndMenu();
  });
  Send(icon, WM_RBUTTONDOWN);
  EXPECT_TRUE(menuShown);
  EXPECT_EQ(chosen, 0) << "the menu was closed without a choice";

  Send(icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(chosen, 0) << "no default entry";
  menu.SetDefaultItem(entry);
  Send(icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(chosen, 1);
}

TEST_F(TrayIconTest, EnterAndExitFollowThePointer) {
  TNotifyIcon icon;
  int enters = 0, exits = 0, moves = 0;
  icon.OnMouseEnter = [&] { ++enters; };
  icon.OnMouseExit = [&] { ++exits; };
  icon.OnMouseMove = [&](ShiftState, int, int) { ++moves; };
  icon.SetWantEnterExitEvents(true);
  icon.Loaded();
  SetCursorPos(10, 10);
  Send(icon, WM_MOUSEMOVE);
  Send(icon, WM_MOUSEMOVE);
  PumpFor(80);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(exits, 0) << "the pointer has not moved since";
  SetCursorPos(40, 40);
  PumpFor(100);
  EXPECT_EQ(exits, 1);
  Send(icon, WM_MOUSEMOVE);
  EXPECT_EQ(enters, 2);
}

TEST_F(TrayIconTest, CyclingStepsThroughTheIconListAndWraps) {
  UniqueImageList list(ImageList_Create(16, 16, ILC_COLOR32, 3, 0));
  for (int i = 0; i < 3; ++i) ImageList_AddIcon(list.get(), LoadIconW(nullptr, IDI_APPLICATION));
  TNotifyIcon icon;
  icon.SetIconList(list.get());
  icon.SetIconIndex(7);
  EXPECT_EQ(icon.IconIndex(), 2) << "kept within the list";
  EXPECT_NE(icon.Icon(), nullptr);
  icon.SetIconIndex(0);
  std::vector<int> next;
  icon.OnCycle = [&](int index) {
    next.push_back(index);
    if (next.size() == 4) icon.SetCycleIcons(false);
  };
  icon.SetCycleInterval(10);
  icon.SetCycleIcons(true);
  icon.SetIconVisible(true);
  icon.Loaded();
  PumpFor(300);
  EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(icon.IconIndex(), 1);
  EXPECT_GE(CountShellCalls(NIM_MODIFY, icon.Id()), 4) << "each step shows its icon";
}

TEST_F(TrayIconTest, BalloonsAreRequestedAndReported) {
  TNotifyIcon icon;
  icon.Loaded();
  EXPECT_TRUE(icon.ShowBalloonHint(L"title", L"text", BalloonIcon::Warning, 3000));
  const NOTIFYICONDATAW& record = shellCalls.back().data;
  EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_INFO));
  EXPECT_STREQ(record.szInfoTitle, L"title");
  EXPECT_STREQ(record.szInfo, L"text");
  EXPECT_EQ(record.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  shellAnswers = false;
  EXPECT_FALSE(icon.ShowBalloonHint(L"t", L"x")) << "the shell refused";

  std::vector<std::string> events;
  icon.OnBalloonHintShow = [&] { events.push_back("show"); };
  icon.OnBalloonHintHide = [&] { events.push_back("hide"); };
  icon.OnBalloonHintTimeout = [&] { events.push_back("timeout"); };
  icon.OnBalloonHintClick = [&] { events.push_back("click"); };
  for (UINT action : {NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT}) Send(icon, action);
  EXPECT_EQ(events, (std::vector<std::string>{"show", "click", "hide", "timeout"}));
}

TEST_F(TrayIconTest, VersionThreeReportsTheContextMenuAsTheRightButtonsRelease) {
  TNotifyIcon icon;
  icon.Behavior = TrayBehavior::Version3;
  icon.Loaded();
  EXPECT_EQ(shellCalls.back().data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION));
  int rightUps = 0;
  icon.OnMouseUp = [&](MouseButton button, ShiftState, int, int) { rightUps += button == MouseButton::Right; };
  Send(icon, WM_RBUTTONUP);
  EXPECT_EQ(rightUps, 0);
  Send(icon, WM_CONTEXTMENU);
  EXPECT_EQ(rightUps, 1);
}

TEST_F(TrayIconTest, MinimisingTheOwnerHidesItIntoTheTray) {
  OwnerForm owner;
  owner.Show();
  TNotifyIcon icon;
  icon.Create(owner.Handle());
  icon.Loaded();
  // Without MinimizeToTray the owner handles the command itself.
  SendMessageW(owner.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(owner.Handle()));
  ShowWindow(owner.Handle(), SW_RESTORE);

  int events = 0;
  icon.MinimizeToTray = true;
  icon.OnMinimizeToTray = [&] { ++events; };
  const HWND mainForm = Application::Instance().MainForm();
  Application::Instance().SetMainForm(owner.Handle());
  SendMessageW(owner.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Application::Instance().SetMainForm(mainForm);
  EXPECT_EQ(events, 1);
  EXPECT_FALSE(IsWindowVisible(owner.Handle()));
  EXPECT_FALSE(IsIconic(owner.Handle()));
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_ADD));
}

}  // namespace
}  // namespace huemira
