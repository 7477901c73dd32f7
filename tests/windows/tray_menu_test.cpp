// The main window's tray icon and its menu: the entries, what each does,
// and the hotkey after hiding through the menu.
#include <gtest/gtest.h>

#include "app/option_form.h"
#include "app/settings.h"
#include "framework/application.h"
#include "window_test_support.h"

namespace huemira {
namespace {

class TrayMenuTest : public MainFormTest {
 protected:
  void StartCountingShows() {
    auto formShow = form->OnShow;
    form->OnShow = [this, formShow] {
      ++shows;
      formShow();
    };
  }
  void SendTray(UINT action) {
    SendMessageW(form->NotifyIcon1.HandlerWindow(), TNotifyIcon::kCallbackMessage, form->NotifyIcon1.Id(), action);
    Pump();
  }
  bool ShownOnTop() const {
    return IsWindowVisible(form->Handle()) && (GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
  void HideThroughTheMenu() {
    form->PopupMenu_Tray.Click(form->N3);
    Pump();
    ASSERT_FALSE(IsWindowVisible(form->Handle()));
    ASSERT_EQ(form->Edit_HotKey.Text(), L"Hide");
  }

  int shows = 0;
};

std::wstring Caption(HMENU menu, UINT position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

TEST_F(TrayMenuTest, TheIconShowsTheProgramIconWithTheTrayMenu) {
  StartMainForm();
  ASSERT_EQ(CountShellCalls(NIM_ADD, form->NotifyIcon1.Id()), 1);
  const NOTIFYICONDATAW& added = shellCalls.front().data;
  EXPECT_NE(added.hIcon, nullptr);
  EXPECT_STREQ(added.szTip, L"") << "no tooltip";
  EXPECT_EQ(form->NotifyIcon1.PopupMenu(), &form->PopupMenu_Tray);

  const HMENU menu = form->PopupMenu_Tray.Handle();
  ASSERT_EQ(GetMenuItemCount(menu), 11);
  const wchar_t* captions[] = {L"显示主窗口", L"隐藏主窗口", L"选项", L"帮助", L"关于", L"退出"};
  const int images[] = {4, 2, 5, 1, 3, 0};
  for (UINT position = 0; position < 11; ++position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, position, TRUE, &item);
    if (position % 2) {
      EXPECT_TRUE(item.fType & MFT_SEPARATOR) << "N" << position + 1;
    } else {
      EXPECT_EQ(Caption(menu, position), captions[position / 2]) << "N" << position + 1;
      EXPECT_EQ(form->PopupMenu_Tray.Items(position).ImageIndex, images[position / 2]) << "N" << position + 1;
    }
  }
  EXPECT_EQ(form->PopupMenu_Tray.Images(), form->ImageList_TrayPopMenu.get());
  EXPECT_EQ(ImageList_GetImageCount(form->ImageList_TrayPopMenu.get()), 6);
}

TEST_F(TrayMenuTest, AClickOnTheIconShowsTheHiddenWindowAtTheReleaseWithItsShowEvent) {
  StartMainForm();
  HideThroughTheMenu();
  StartCountingShows();
  SendTray(WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  SendTray(WM_LBUTTONUP);
  EXPECT_TRUE(ShownOnTop());
  EXPECT_EQ(form->Edit_HotKey.Text(), L"Show");
  EXPECT_EQ(shows, 1);

  HideThroughTheMenu();
  for (UINT action : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) SendTray(action);
  EXPECT_TRUE(ShownOnTop());
  EXPECT_EQ(shows, 2) << "a double click shows the window once";
}

TEST_F(TrayMenuTest, ARightClickOnTheIconPopsUpTheTrayMenu) {
  StartMainForm();
  HMENU shown = nullptr;
  WhenMenuShown([&](HWND popup) {
    shown = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    EndMenu();
  });
  SendTray(WM_RBUTTONDOWN);
  EXPECT_EQ(shown, form->PopupMenu_Tray.Handle());
}

TEST_F(TrayMenuTest, HideThenCtrlBShowsTheWindowWithItsShowEvent) {
  StartMainForm();
  RECT before;
  GetWindowRect(form->Handle(), &before);
  HideThroughTheMenu();
  StartCountingShows();
  SendMessageW(form->Handle(), WM_HOTKEY, kHotKeyId, MAKELPARAM(MOD_CONTROL, 'B'));
  EXPECT_TRUE(ShownOnTop());
  EXPECT_EQ(form->Edit_HotKey.Text(), L"Show");
  EXPECT_EQ(shows, 1) << "FormShow ran, and with it the bring-to-front";
  RECT after;
  GetWindowRect(form->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));

  SendMessageW(form->Handle(), WM_HOTKEY, kHotKeyId, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  form->PopupMenu_Tray.Click(form->N1);
  EXPECT_TRUE(ShownOnTop());
  EXPECT_EQ(form->Edit_HotKey.Text(), L"Show");
  EXPECT_EQ(shows, 2);
}

TEST_F(TrayMenuTest, OptionsHelpAndAboutOpenTheOptionsWindowModallyAtTheirPagesEvenFromHidden) {
  StartMainForm();
  HideThroughTheMenu();
  const auto pageOpenedBy = [this](UINT entry) {
    int page = -1;
    WhenModal([&] {
      if (optionForm->Modal()) page = optionForm->PageControl_Option.ActivePageIndex();
      optionForm->Close();
    });
    form->PopupMenu_Tray.Click(entry);
    return page;
  };
  EXPECT_EQ(pageOpenedBy(form->N5), TForm_Option::kOptionsPage) << "through the options button";
  EXPECT_EQ(pageOpenedBy(form->N7), TForm_Option::kHelpPage);
  EXPECT_EQ(pageOpenedBy(form->N9), TForm_Option::kAboutPage);
}

TEST_F(TrayMenuTest, ExitClosesAsTheCloseBoxDoesAndTheIconLeaves) {
  StartMainForm();
  history.Push(MakeColor(1, 2, 3));
  const UINT icon = form->NotifyIcon1.Id();
  form->PopupMenu_Tray.Click(form->N11);
  Pump();
  EXPECT_FALSE(IsWindow(form->Handle()));
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"010203");
  EXPECT_EQ(Setting(L"HistoryColor", L"HC88"), L"FF5858");
  form.reset();
  EXPECT_EQ(CountShellCalls(NIM_DELETE, icon), 1);
}

TEST_F(TrayMenuTest, WithoutANotificationAreaTheProgramStartsQuietlyAndCtrlBStillWorks) {
  shellAnswers = false;
  StartMainForm();  // an error box would fail the test
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  SendMessageW(form->Handle(), WM_HOTKEY, kHotKeyId, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  SendMessageW(form->Handle(), WM_HOTKEY, kHotKeyId, 0);
  EXPECT_TRUE(ShownOnTop());
}

}  // namespace
}  // namespace huemira
