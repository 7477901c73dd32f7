// The flat hint on the real main window: where it appears for each quarter
// of the screen, what it paints there (read back from the screen), its
// height for several lines, and its timing.
#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/fonts.h"
#include "window_test_support.h"

namespace huemira {
namespace {

constexpr COLORREF kStrip = RGB(0xCD, 0xE2, 0x3A);
constexpr COLORREF kArrow = RGB(0x43, 0x36, 0xB4);
constexpr COLORREF kBackground = RGB(0xEE, 0xF0, 0xC4);
constexpr COLORREF kBorder = RGB(0, 0, 0);

class FlatHintTest : public MainFormTest {
 protected:
  static HintController& Hints() { return Application::Instance().Hints(); }

  void MoveFormTo(int left, int top) {
    SetWindowPos(form->Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
  }
  // The pointer comes to rest on a point of a control.
  POINT HoverOver(HWND control, int x, int y) {
    POINT point{x, y};
    ClientToScreen(control, &point);
    SetCursorPos(point.x, point.y);
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    return point;
  }
  static bool WaitForHint(DWORD timeout = 3000) {
    const DWORD start = GetTickCount();
    while (!Hints().Showing() && GetTickCount() - start < timeout) {
      Pump();
      Sleep(5);
    }
    PumpFor(100);  // the painted hint reaches the screen
    return Hints().Showing();
  }
  static RECT HintBounds() {
    RECT bounds;
    GetWindowRect(Hints().Window().Handle(), &bounds);
    return bounds;
  }
  static COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
  }
  int LineHeight() const {
    const UniqueFont font = CreateFontFrom(form->FlatHint1.Font);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font.get());
    TEXTMETRICW metrics;
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
  }
  void TearDown() override {
    Hints().Cancel();
    MainFormTest::TearDown();
  }
};

TEST_F(FlatHintTest, InTheTopLeftQuarterTheHintLies12RightOfAndBelowThePointerWithTheStripOnTheLeft) {
  StartMainForm();
  MoveFormTo(40, 40);
  const POINT pointer = HoverOver(form->ScrollBar_R.Handle(), 40, 9);
  ASSERT_TRUE(WaitForHint());
  EXPECT_EQ(Hints().Window().HintText(), L"RGB-R");
  const RECT r = HintBounds();
  EXPECT_EQ(r.left, pointer.x + 12);
  EXPECT_EQ(r.top, pointer.y + 12);
  EXPECT_EQ(r.bottom - r.top, LineHeight() + 6);

  EXPECT_EQ(ScreenPixel(r.left, r.top), kBorder);
  EXPECT_EQ(ScreenPixel(r.right - 1, r.bottom - 1), kBorder);
  EXPECT_EQ(ScreenPixel(r.left + 2, r.bottom - 2), kStrip) << "strip on the left";
  EXPECT_EQ(ScreenPixel(r.right - 2, r.top + 1), kBackground);
  // The arrow's corner at the strip's top, its shaft running down-right.
  EXPECT_EQ(ScreenPixel(r.left + 3, r.top + 3), kArrow);
  EXPECT_EQ(ScreenPixel(r.left + 3, r.top + 9), kArrow);
  EXPECT_EQ(ScreenPixel(r.left + 9, r.top + 3), kArrow);
  EXPECT_EQ(ScreenPixel(r.left + 9, r.top + 10), kArrow);
  EXPECT_EQ(ScreenPixel(r.left + 10, r.top + 4), kStrip);
}

TEST_F(FlatHintTest, InTheBottomRightQuarterTheHintLies5LeftOfAndAboveThePointerWithTheStripOnTheRight) {
  StartMainForm();  // the main window starts at the bottom right
  const POINT pointer = HoverOver(form->ScrollBar_R.Handle(), 40, 9);
  ASSERT_TRUE(WaitForHint());
  const RECT r = HintBounds();
  EXPECT_EQ(r.right, pointer.x - 5);
  EXPECT_EQ(r.bottom, pointer.y - 5);
  EXPECT_EQ(ScreenPixel(r.right - 2, r.top + 2), kStrip) << "strip on the right";
  EXPECT_EQ(ScreenPixel(r.left + 1, r.top + 1), kBackground);
  // The arrow's corner at the strip's bottom, its shaft running up-left.
  EXPECT_EQ(ScreenPixel(r.right - 4, r.bottom - 4), kArrow);
  EXPECT_EQ(ScreenPixel(r.right - 4, r.bottom - 10), kArrow);
  EXPECT_EQ(ScreenPixel(r.right - 10, r.bottom - 4), kArrow);
  EXPECT_EQ(ScreenPixel(r.right - 10, r.bottom - 11), kArrow);
  EXPECT_EQ(ScreenPixel(r.right - 11, r.bottom - 5), kStrip);
}

TEST_F(FlatHintTest, ExplicitLineBreaksGiveTheScreenPickingButtonTwoLinesAndTheCodeBoxFour) {
  StartMainForm();
  HoverOver(form->BitBtn_PScreen.Handle(), 10, 10);
  ASSERT_TRUE(WaitForHint());
  RECT r = HintBounds();
  EXPECT_EQ(r.bottom - r.top, 2 * LineHeight() + 6);
  EXPECT_LE(r.right - r.left, 200);

  HoverOver(form->Edit_GetColor.Handle(), 10, 10);
  PumpFor(50);
  ASSERT_TRUE(WaitForHint());
  r = HintBounds();
  EXPECT_EQ(r.bottom - r.top, 4 * LineHeight() + 6);
}

TEST_F(FlatHintTest, AHintWaits500MsThenTheNextControlsOnly25AndEndsAfterTheHidePause) {
  StartMainForm();
  const HintTiming timing = Hints().Timing();
  EXPECT_EQ(timing.pause, 500u);
  EXPECT_EQ(timing.shortPause, 25u);
  EXPECT_EQ(timing.hidePause, 5000u);

  HoverOver(form->ScrollBar_G.Handle(), 40, 9);
  EXPECT_TRUE(Hints().Waiting());
  EXPECT_EQ(Hints().WaitingTime(), 500u);
  EXPECT_FALSE(IsWindowVisible(Hints().Window().Handle()));
  ASSERT_TRUE(WaitForHint());
  EXPECT_EQ(Hints().Window().HintText(), L"RGB-G");

  Hints().SetTiming({timing.pause, timing.shortPause, 300});
  HoverOver(form->FlatButton_HC[2].Handle(), 5, 5);
  EXPECT_FALSE(IsWindowVisible(Hints().Window().Handle())) << "the old hint goes at once";
  EXPECT_EQ(Hints().WaitingTime(), 25u);
  ASSERT_TRUE(WaitForHint());
  EXPECT_EQ(Hints().Window().HintText(), L"历史颜色");
  const DWORD shown = GetTickCount();
  while (Hints().Showing() && GetTickCount() - shown < 3000) PumpFor(20);
  EXPECT_FALSE(Hints().Showing());
  EXPECT_FALSE(IsWindowVisible(Hints().Window().Handle()));
  EXPECT_FALSE(Hints().Waiting()) << "no timer runs for a hint that is over";
  Hints().SetTiming(timing);
}

TEST_F(FlatHintTest, TheHintNeverTakesTheActivationAndAClickEndsItUntilThePointerLeaves) {
  StartMainForm();
  SetForegroundWindow(form->Handle());
  Pump();
  HWND active = GetForegroundWindow();
  HoverOver(form->BitBtn_PBox.Handle(), 10, 10);
  ASSERT_TRUE(WaitForHint());
  EXPECT_EQ(GetForegroundWindow(), active);
  EXPECT_NE(GetActiveWindow(), Hints().Window().Handle());

  SendMessageW(form->BitBtn_PBox.Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
  EXPECT_FALSE(IsWindowVisible(Hints().Window().Handle()));
  SendMessageW(form->BitBtn_PBox.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(11, 10));
  EXPECT_FALSE(Hints().Waiting());

  SendMessageW(form->BitBtn_PBox.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Hints().HintControl(), nullptr);
  HoverOver(form->BitBtn_PBox.Handle(), 12, 10);
  EXPECT_TRUE(Hints().Waiting());
  ASSERT_TRUE(WaitForHint());

  form->Hide();  // as the hotkey does
  EXPECT_FALSE(IsWindowVisible(Hints().Window().Handle())) << "the hint goes with its window";
  EXPECT_FALSE(Hints().Waiting());
}

}  // namespace
}  // namespace huemira
