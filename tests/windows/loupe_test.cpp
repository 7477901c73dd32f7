// The loupe: what it shows against the screen, where it goes at the edges,
// and that it never shows itself.
#include <gtest/gtest.h>

#include "app/loupe.h"
#include "app/screen_color.h"
#include "app/screen_pick.h"
#include "window_test_support.h"

namespace huemira {
namespace {

RECT BlockAround(POINT pointer) {
  return RECT{pointer.x - 7, pointer.y - 7, pointer.x + 8, pointer.y + 8};
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

class LoupeTest : public MainFormTest {};

TEST_F(LoupeTest, ShowsEachPixelAroundThePointerAndTheCentreCode) {
  StartMainForm();
  // Two colours meeting left of the pointer, and a third one above it.
  ColorWindow left(RGB(0xC0, 0x10, 0x20), Bounds(200, 200, 100, 100));
  ColorWindow right(RGB(0x10, 0x80, 0xF0), Bounds(300, 200, 100, 100));
  ColorWindow top(RGB(0x12, 0x9A, 0xBC), Bounds(200, 150, 200, 54));
  Pump();
  Loupe loupe;
  ScreenPixels pixels;
  const POINT pointer{303, 210};
  loupe.Follow(pointer, pixels);
  ASSERT_TRUE(loupe.Visible());
  EXPECT_EQ(loupe.Cell(0, 7), MakeColor(0xC0, 0x10, 0x20));
  EXPECT_EQ(loupe.Cell(3, 7), MakeColor(0xC0, 0x10, 0x20));
  EXPECT_EQ(loupe.Cell(4, 7), MakeColor(0x10, 0x80, 0xF0));
  EXPECT_EQ(loupe.Cell(7, 0), MakeColor(0x12, 0x9A, 0xBC));
  EXPECT_EQ(loupe.Cell(7, 1), MakeColor(0x10, 0x80, 0xF0));
  for (int row = 0; row < Loupe::kCells; ++row)
    for (int column = 0; column < Loupe::kCells; ++column)
      ASSERT_EQ(loupe.Cell(column, row), ScreenColorAt(POINT{pointer.x - 7 + column, pointer.y - 7 + row}))
          << column << "," << row;
  EXPECT_EQ(loupe.CentreColor(), MakeColor(0x10, 0x80, 0xF0));
  EXPECT_EQ(loupe.CodeText(), L"1080f0") << "as the code box shows it";
  PutSetting(L"QeltColor", L"LSign", L"#");
  PutSetting(L"Main", L"LowerOrUpper", L"upper");
  loupe.Close();  // the next pick reads the settings anew
  loupe.Follow(POINT{250, 250}, pixels);
  EXPECT_EQ(loupe.CodeText(), L"#C01020");
}

TEST_F(LoupeTest, StaysBesideThePointerOnItsMonitorAndFlipsAtEachEdge) {
  StartMainForm();
  Loupe loupe;
  ScreenPixels pixels;
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT screen = info.rcMonitor;
  const struct {
    POINT pointer;
    bool right, below;
  } cases[] = {{{100, 100}, true, true},
               {{screen.right - 5, 100}, false, true},
               {{100, screen.bottom - 5}, true, false},
               {{screen.right - 1, screen.bottom - 1}, false, false},
               {{screen.left, screen.top}, true, true}};
  for (const auto& c : cases) {
    loupe.Follow(c.pointer, pixels);
    const RECT place = WindowRect(loupe.Handle());
    SCOPED_TRACE(testing::Message() << c.pointer.x << "," << c.pointer.y);
    EXPECT_EQ(place.left > c.pointer.x, c.right);
    EXPECT_EQ(place.top > c.pointer.y, c.below);
    EXPECT_FALSE(Overlap(place, BlockAround(c.pointer)));
    RECT inside;
    IntersectRect(&inside, &place, &screen);
    EXPECT_TRUE(EqualRect(&inside, &place)) << "on the pointer's monitor";
  }
}

TEST_F(LoupeTest, NeverShowsItselfWhenThePointerJumpsOntoIt) {
  StartMainForm();
  ColorWindow target(RGB(0x33, 0x66, 0x99), Bounds(150, 150, 300, 300));
  Pump();
  Loupe loupe;
  ScreenPixels pixels;
  loupe.Follow(POINT{200, 200}, pixels);
  Pump();
  const RECT shown = WindowRect(loupe.Handle());
  const POINT onIt{(shown.left + shown.right) / 2, shown.bottom - 10};  // over the code strip
  loupe.Follow(onIt, pixels);
  // Where the system cannot leave the loupe out of a read, the loupe steps
  // aside and reads at the next move or sample, once the screen beneath is
  // drawn again.
  PumpFor(100);
  loupe.Follow(onIt, pixels);
  for (int row = 0; row < Loupe::kCells; ++row)
    for (int column = 0; column < Loupe::kCells; ++column)
      ASSERT_EQ(loupe.Cell(column, row), MakeColor(0x33, 0x66, 0x99)) << column << "," << row;
  EXPECT_TRUE(loupe.Visible());
  EXPECT_FALSE(Overlap(WindowRect(loupe.Handle()), BlockAround(onIt)));
}

TEST_F(LoupeTest, FollowsEveryMoveOfAPickAndClosesOnRelease) {
  StartMainForm();
  ColorWindow target(RGB(0x44, 0x55, 0x66), Bounds(300, 300, 100, 100));
  Pump();
  SetCursorPos(350, 350);
  const HWND button = form->BitBtn_PScreen.Handle();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  const Loupe& loupe = form->ScreenPick1.PickLoupe();
  ASSERT_TRUE(loupe.Visible()) << "at the press";
  EXPECT_EQ(loupe.CentreColor(), MakeColor(0x44, 0x55, 0x66));
  const RECT before = WindowRect(loupe.Handle());
  SetCursorPos(50, 60);
  SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
  const RECT after = WindowRect(loupe.Handle());
  EXPECT_EQ(after.left - before.left, -300) << "without waiting for a sample";
  EXPECT_EQ(after.top - before.top, -290);
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(loupe.Visible());
}

}  // namespace
}  // namespace huemira
