// The ways of picking beyond the held drag: the pick started by its hotkey
// (taking, giving up, nudging, the wheel, picking on), the averaged square,
// the frozen screen, and the pick page's hotkeys.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/hotkey_pick.h"
#include "color/web_color.h"
#include "window_test_support.h"

namespace huemira {
namespace {

using Input = HotkeyPick::Input;

POINT Pointer() {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

// A window of one colour that counts the mouse buttons that reach it.
class ClickCountingWindow : public ColorWindow {
 public:
  using ColorWindow::ColorWindow;
  int clicks = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN) ++clicks;
    return ColorWindow::HandleMessage(message, wParam, lParam);
  }
};

class PickModesTest : public MainFormTest {
 protected:
  HotkeyPick& pick() { return form->HotkeyPick1; }
  // A left click through the system's input queue and the pick's hooks,
  // sent from another thread, as the hooks run on this one.
  void ClickAsTheMouseDoes() {
    std::atomic<bool> sent = false;
    std::thread input([&] {
      INPUT clicks[2] = {};
      clicks[0].type = clicks[1].type = INPUT_MOUSE;
      clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(2, clicks, sizeof(INPUT));
      sent = true;
    });
    while (!sent) PumpFor(25);
    input.join();
    PumpFor(200);
  }
  void PressPickHotkey() {
    SendMessageW(form->Handle(), WM_HOTKEY, kPickHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'C'));
    Pump();
  }
};

TEST_F(PickModesTest, HotkeyPickTakesNudgesAndGivesUpWhileTheWindowIsHidden) {
  StartMainForm();
  ColorWindow left(RGB(0x20, 0x40, 0x60), Bounds(200, 200, 100, 100));
  ColorWindow right(RGB(0xA0, 0x30, 0x10), Bounds(300, 200, 100, 100));
  form->Hide();
  Pump();
  const TColor before = history.Slot(1);

  SetCursorPos(250, 250);
  PressPickHotkey();
  ASSERT_TRUE(pick().Picking());
  EXPECT_TRUE(pick().Session().PickLoupe().Visible());
  pick().Deliver(Input::kKey, VK_ESCAPE);
  EXPECT_FALSE(pick().Picking());
  EXPECT_FALSE(pick().Session().PickLoupe().Visible());
  EXPECT_EQ(history.Slot(1), before) << "Esc leaves the history as it was";

  SetCursorPos(290, 250);
  PressPickHotkey();
  pick().Deliver(Input::kKey, VK_RIGHT);
  EXPECT_EQ(Pointer().x, 291);
  pick().Deliver(Input::kKey, VK_RIGHT | 0x10000);  // with Shift
  EXPECT_EQ(Pointer().x, 301);
  pick().Deliver(Input::kTake);
  EXPECT_FALSE(pick().Picking());
  EXPECT_EQ(history.Slot(1), MakeColor(0xA0, 0x30, 0x10));
  EXPECT_EQ(history.Slot(2), before);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"a03010");
  EXPECT_EQ(Clipboard(), L"a03010");

  // A right click gives up as Esc does.
  PressPickHotkey();
  pick().Deliver(Input::kCancel);
  EXPECT_FALSE(pick().Picking());
  EXPECT_EQ(history.Slot(1), MakeColor(0xA0, 0x30, 0x10));
}

TEST_F(PickModesTest, ShiftTakesAndPicksOnWithTheClipboardHoldingTheLast) {
  StartMainForm();
  ColorWindow first(RGB(0x11, 0x22, 0x33), Bounds(200, 200, 50, 50));
  ColorWindow second(RGB(0x44, 0x55, 0x66), Bounds(260, 200, 50, 50));
  Pump();
  SetCursorPos(225, 225);
  PressPickHotkey();
  pick().Deliver(Input::kTakeAndGoOn);
  SetCursorPos(285, 225);
  pick().Deliver(Input::kMove);
  pick().Deliver(Input::kTakeAndGoOn);
  EXPECT_TRUE(pick().Picking());
  EXPECT_EQ(history.Slot(1), MakeColor(0x44, 0x55, 0x66));
  EXPECT_EQ(history.Slot(2), MakeColor(0x11, 0x22, 0x33));
  EXPECT_EQ(Clipboard(), L"445566");
  pick().Deliver(Input::kKey, VK_ESCAPE);
  EXPECT_EQ(history.Slot(1), MakeColor(0x44, 0x55, 0x66)) << "what was taken stays";
}

TEST_F(PickModesTest, TheSampleAveragesTheSquareAndTheWheelChangesItsSize) {
  PutSetting(L"Pick", L"SampleSize", L"5");
  StartMainForm();
  // In the 5 × 5 square around (300, 300): the two columns left of the
  // pointer are one colour, the other fifteen pixels another.
  ColorWindow ground(RGB(10, 20, 30), Bounds(280, 280, 40, 40));
  ColorWindow stripe(RGB(201, 100, 51), Bounds(298, 290, 2, 20));
  Pump();
  SetCursorPos(300, 300);
  PressPickHotkey();
  // (10 × 201 + 15 × 10) / 25 = 86.4, (10 × 100 + 15 × 20) / 25 = 52,
  // (10 × 51 + 15 × 30) / 25 = 38.4
  const TColor mean = MakeColor(86, 52, 38);
  EXPECT_EQ(pick().Session().PickLoupe().SampleColor(), mean);
  EXPECT_EQ(pick().Session().PickLoupe().CodeText(), L"563426");
  pick().Deliver(Input::kWheel, WHEEL_DELTA);
  EXPECT_EQ(pick().Session().SampleSize(), 7);
  pick().Deliver(Input::kWheel, -2 * WHEEL_DELTA);
  pick().Deliver(Input::kKey, VK_OEM_PLUS);
  EXPECT_EQ(pick().Session().SampleSize(), 5);
  pick().Deliver(Input::kKey, VK_SUBTRACT);
  pick().Deliver(Input::kKey, VK_OEM_PLUS);
  pick().Deliver(Input::kTake);
  EXPECT_EQ(history.Slot(1), mean);
  EXPECT_EQ(Setting(L"Pick", L"SampleSize"), L"5") << "unchanged in the end: not written";

  PressPickHotkey();
  pick().Deliver(Input::kWheel, 2 * WHEEL_DELTA);
  pick().Deliver(Input::kKey, VK_ESCAPE);
  EXPECT_EQ(Setting(L"Pick", L"SampleSize"), L"9") << "the size last used is kept";
}

TEST_F(PickModesTest, TheClickThatTakesAColourReachesNoWindowBeneath) {
  StartMainForm();
  ClickCountingWindow target(RGB(0x5A, 0x6B, 0x7C), Bounds(400, 300, 120, 120));
  Pump();
  SetCursorPos(460, 360);
  PressPickHotkey();
  ClickAsTheMouseDoes();
  EXPECT_FALSE(pick().Picking());
  EXPECT_EQ(history.Slot(1), MakeColor(0x5A, 0x6B, 0x7C));
  EXPECT_EQ(target.clicks, 0);

  // Once the pick is over, clicks reach windows again.
  ClickAsTheMouseDoes();
  EXPECT_EQ(target.clicks, 2);
}

TEST_F(PickModesTest, AFrozenPickReadsTheScreenAsItWasAtTheStart) {
  PutSetting(L"Pick", L"Freeze", L"1");
  StartMainForm();
  ColorWindow changing(RGB(0xD0, 0x10, 0x10), Bounds(200, 200, 80, 80));
  Pump();
  SetCursorPos(240, 240);
  PressPickHotkey();
  ASSERT_TRUE(pick().Session().Frozen());
  changing.SetBackgroundColor(RGB(0x10, 0x10, 0xD0));
  RedrawWindow(changing.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpFor(100);
  pick().Deliver(Input::kMove);
  EXPECT_EQ(pick().Session().PickLoupe().CentreColor(), MakeColor(0xD0, 0x10, 0x10));
  pick().Deliver(Input::kTakeAndGoOn);
  EXPECT_EQ(history.Slot(1), MakeColor(0xD0, 0x10, 0x10));

  // F thaws: the window's colour of now.
  pick().Deliver(Input::kKey, 'F');
  EXPECT_FALSE(pick().Session().Frozen());
  PumpFor(100);
  pick().Deliver(Input::kTake);
  EXPECT_EQ(history.Slot(1), MakeColor(0x10, 0x10, 0xD0));
}

TEST_F(PickModesTest, AKeyAnotherProgramHoldsIsSaidOnThePageAndTheOldKeyStays) {
  StartMainForm();
  ColorWindow other(RGB(0, 0, 0), Bounds(0, 0, 10, 10));
  ASSERT_TRUE(RegisterHotKey(other.Handle(), 1, MOD_CONTROL | MOD_ALT, 'D'));
  std::wstring problem, shownAfter;
  WhenModal([&] {
    optionForm->HotKey_Pick.SetValue(Hotkey{Hotkey::kControl | Hotkey::kAlt, 'D'});
    optionForm->drpSampleSize.SetItemIndex(2);
    optionForm->FlatButton_PickConfig.Click();
    problem = optionForm->Label_KeyProblem.Caption();
    shownAfter = HotkeyText(*optionForm->HotKey_Pick.Value());
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kPickPage);
  UnregisterHotKey(other.Handle(), 1);
  EXPECT_EQ(problem, L"Ctrl+Alt+D 已被其他程序占用,仍使用 Ctrl+Alt+C。\r\n");
  EXPECT_EQ(shownAfter, L"Ctrl+Alt+C");
  EXPECT_EQ(form->RegisteredHotkey(HotkeyAction::kPick), kDefaultPickHotkey);
  EXPECT_EQ(Setting(L"Hotkey", L"Pick"), L"") << "the taken key is not stored";
  EXPECT_EQ(Setting(L"Pick", L"SampleSize"), L"5") << "the rest of the page is";
  EXPECT_TRUE(messageBoxes.empty()) << "no success told";

  // A free key replaces the old one, which is free again.
  WhenModal([&] {
    optionForm->HotKey_Pick.SetValue(Hotkey{Hotkey::kControl | Hotkey::kAlt, 'E'});
    optionForm->FlatButton_PickConfig.Click();
    problem = optionForm->Label_KeyProblem.Caption();
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kPickPage);
  EXPECT_EQ(problem, L"");
  EXPECT_EQ(Setting(L"Hotkey", L"Pick"), L"Ctrl+Alt+E");
  EXPECT_EQ(Setting(L"Hotkey", L"ShowHide"), L"Ctrl+B");
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, L"设置成功!");
  EXPECT_TRUE(RegisterHotKey(other.Handle(), 2, MOD_CONTROL | MOD_ALT, 'C'));
  UnregisterHotKey(other.Handle(), 2);
  EXPECT_FALSE(RegisterHotKey(other.Handle(), 3, MOD_CONTROL | MOD_ALT, 'E'));
}

}  // namespace
}  // namespace huemira
