// The keys of a screen pick held on the main window's button: the arrows
// move the pointer, Esc gives the pick up.
#include <gtest/gtest.h>

#include <vector>

#include "app/screen_pick.h"
#include "color/web_color.h"
#include "framework/clipboard.h"
#include "window_test_support.h"

namespace huemira {
namespace {

POINT Pointer() {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

// As the keyboard would deliver it: through the message loop, where the
// window's dialog keys would otherwise take the arrows and Esc.
void PressKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

class ScreenPickTest : public MainFormTest {
 protected:
  void PressPickButton() {
    SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  }
  void ReleasePickButton() {
    SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
  }
};

TEST_F(ScreenPickTest, ArrowsMoveThePointerByOnePixelAndByTenWithShift) {
  StartMainForm();
  SetCursorPos(300, 300);
  PressPickButton();
  const HWND button = form->BitBtn_PScreen.Handle();
  PressKey(button, VK_RIGHT);
  PressKey(button, VK_RIGHT);
  PressKey(button, VK_UP);
  Pump();
  EXPECT_EQ(Pointer().x, 302);
  EXPECT_EQ(Pointer().y, 299);
  HoldKeys(false, true);
  PressKey(button, VK_LEFT);
  PressKey(button, VK_DOWN);
  Pump();
  HoldKeys(false, false);
  EXPECT_EQ(Pointer().x, 292);
  EXPECT_EQ(Pointer().y, 309);
  EXPECT_TRUE(form->ScreenPick1.Picking()) << "the keys do not end the pick";
  EXPECT_EQ(GetFocus(), button) << "the arrows do not move the focus";
  ReleasePickButton();

  PressKey(button, VK_RIGHT);
  Pump();
  EXPECT_EQ(Pointer().x, 292) << "no nudging once the pick is over";
}

TEST_F(ScreenPickTest, EscBringsBackTheColorFromBeforeThePressAndKeepsNothing) {
  StartMainForm();
  const TColor historyBefore = history.Slot(1);
  ColorWindow target(RGB(0x12, 0x9A, 0xBC), Bounds(100, 100, 120, 90));
  Pump();
  SetCursorPos(CentreOf(target.Handle()).x, CentreOf(target.Handle()).y);
  PressPickButton();
  PumpFor(250);
  ASSERT_EQ(form->Edit_GetColor.Text(), L"129abc") << "sampled meanwhile";
  SetClipboardText(L"mine");

  PressKey(form->BitBtn_PScreen.Handle(), VK_ESCAPE);
  Pump();
  EXPECT_FALSE(form->ScreenPick1.Picking());
  EXPECT_NE(GetCapture(), form->BitBtn_PScreen.Handle());
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858");
  EXPECT_EQ(form->Panel_ShowColor.Color(), MakeColor(0xFF, 0x58, 0x58));
  EXPECT_EQ(form->ScrollBar_R.Position(), 0xFF);
  EXPECT_EQ(form->Edit_G.Text(), L"88");
  ReleasePickButton();
  PumpFor(150);
  EXPECT_EQ(history.Slot(1), historyBefore);
  EXPECT_EQ(Clipboard(), L"mine");
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858") << "no sampling after Esc";
}

// Another window uses the pick alone, with a button of its own.
TEST_F(ScreenPickTest, APickOfItsOwnReportsItsSamplesAndTheLastOneOnRelease) {
  StartMainForm();
  ColorWindow target(RGB(0x20, 0x40, 0x60), Bounds(400, 200, 60, 60));
  Pump();
  SetCursorPos(CentreOf(target.Handle()).x, CentreOf(target.Handle()).y);
  ScreenPick pick;
  std::vector<TColor> samples, finished;
  int cancelled = 0;
  pick.OnSample = [&](TColor color) { samples.push_back(color); };
  pick.OnFinish = [&](TColor color) { finished.push_back(color); };
  pick.OnCancel = [&] { ++cancelled; };

  pick.Begin(form->BitBtn_Option.Handle());
  PumpFor(250);
  pick.End();
  pick.End();
  ASSERT_FALSE(samples.empty());
  EXPECT_EQ(samples.back(), MakeColor(0x20, 0x40, 0x60));
  EXPECT_EQ(finished, std::vector<TColor>{MakeColor(0x20, 0x40, 0x60)}) << "finished once";

  pick.Begin(form->BitBtn_Option.Handle());
  pick.End();
  EXPECT_EQ(finished.back(), MakeColor(0x20, 0x40, 0x60)) << "a release before any sample reads the pointer's pixel";

  pick.Begin(form->BitBtn_Option.Handle());
  pick.Cancel();
  pick.End();
  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(finished.size(), 2u) << "a cancelled pick does not finish";
}

}  // namespace
}  // namespace huemira
