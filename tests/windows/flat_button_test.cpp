// The flat button's press, drag-out and drag-back-in, keyboard click and
// hover tracking, driven with the real pointer position.
#include <gtest/gtest.h>

#include "framework/form.h"
#include "widgets/flat_button.h"
#include "window_test_support.h"

namespace huemira {
namespace {

class ButtonForm : public Form {
 public:
  ButtonForm() {
    CreateForm({L"HuemiraTestButtonForm", L"buttons", 200, 100, WS_CAPTION | WS_SYSMENU}, false);
    for (int i = 0; i < 2; ++i) {
      buttons[i].Create(*this, {Bounds(10 + 60 * i, 10, 40, 30), L">>", L"", RGB(0xBC, 0xCE, 0x73)});
      buttons[i].OnClick = [this, i] { ++clicks[i]; };
    }
    SetWindowPos(Handle(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Show();
    SetForegroundWindow(Handle());
  }
  TFlatButton buttons[2];
  int clicks[2] = {0, 0};
};

class FlatButtonTest : public MainFormTest {
 protected:
  static void MovePointerTo(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
  }
  static void Send(HWND window, UINT message, int x, int y) {
    SendMessageW(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
};

TEST_F(FlatButtonTest, ReleasingInsideClicksAndDraggingOutCancelsUntilDraggedBackIn) {
  ButtonForm form;
  Pump();
  HWND button = form.buttons[0].Handle();

  MovePointerTo(button, 5, 5);
  Send(button, WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(form.buttons[0].GetState(), TFlatButton::State::Down);
  EXPECT_TRUE(form.buttons[0].Pressing());
  EXPECT_EQ(GetCapture(), button) << "the pointer stays with the button while pressed";
  MovePointerTo(button, 150, 80);
  Send(button, WM_MOUSEMOVE, 150, 80);
  EXPECT_EQ(form.buttons[0].GetState(), TFlatButton::State::Up);
  Send(button, WM_LBUTTONUP, 150, 80);
  EXPECT_EQ(form.clicks[0], 0);
  EXPECT_FALSE(form.buttons[0].Pressing());

  MovePointerTo(button, 5, 5);
  Send(button, WM_LBUTTONDOWN, 5, 5);
  MovePointerTo(button, 150, 80);
  Send(button, WM_MOUSEMOVE, 150, 80);
  MovePointerTo(button, 6, 6);
  Send(button, WM_MOUSEMOVE, 6, 6);
  EXPECT_EQ(form.buttons[0].GetState(), TFlatButton::State::Down);
  Send(button, WM_LBUTTONUP, 6, 6);
  EXPECT_EQ(form.clicks[0], 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FlatButtonTest, ADoubleClickGivesTwoClicksAndSpaceClicksOnRelease) {
  ButtonForm form;
  Pump();
  HWND button = form.buttons[1].Handle();
  MovePointerTo(button, 5, 5);
  Send(button, WM_LBUTTONDOWN, 5, 5);
  Send(button, WM_LBUTTONUP, 5, 5);
  Send(button, WM_LBUTTONDBLCLK, 5, 5);
  Send(button, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(form.clicks[1], 2);
  SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(form.buttons[1].GetState(), TFlatButton::State::Down);
  EXPECT_EQ(form.clicks[1], 2);
  SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(form.clicks[1], 3);
}

TEST_F(FlatButtonTest, HoverMovesStraightToTheNextButtonAndLeavesWithinATick) {
  ButtonForm form;
  Pump();
  MovePointerTo(form.buttons[0].Handle(), 5, 5);
  Send(form.buttons[0].Handle(), WM_MOUSEMOVE, 5, 5);
  EXPECT_TRUE(form.buttons[0].MouseIn());
  EXPECT_EQ(TFlatButton::Tracked(), &form.buttons[0]);

  MovePointerTo(form.buttons[1].Handle(), 5, 5);
  Send(form.buttons[1].Handle(), WM_MOUSEMOVE, 5, 5);
  EXPECT_FALSE(form.buttons[0].MouseIn());
  EXPECT_TRUE(form.buttons[1].MouseIn());

  MovePointerTo(form.Handle(), 190, 90);  // empty form space: no move reaches a button
  PumpFor(300);
  EXPECT_FALSE(form.buttons[1].MouseIn());
  EXPECT_EQ(TFlatButton::Tracked(), nullptr);
}

TEST_F(FlatButtonTest, PaintsItsFaceAndFrameFromItsColors) {
  ButtonForm form;
  Pump();
  TFlatButton& button = form.buttons[0];
  const auto pixelsAt = [&](int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
  };
  button.SetColorBorder(RGB(0, 0, 0x40));
  EXPECT_EQ(pixelsAt(20, 3), RGB(0xBC, 0xCE, 0x73)) << "face at rest";
  EXPECT_EQ(pixelsAt(0, 15), RGB(0, 0, 0x40)) << "frame at rest";
  Send(button.Handle(), WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(pixelsAt(20, 3), RGB(0xD9, 0xD6, 0xC5)) << "face while pressed";
  EXPECT_EQ(pixelsAt(0, 15), RGB(0, 0, 0)) << "sunken: shadow on the left";
  EXPECT_EQ(pixelsAt(39, 15), RGB(0xFF, 0xFF, 0xFF)) << "sunken: highlight on the right";
  Send(button.Handle(), WM_LBUTTONUP, 5, 5);
}

}  // namespace
}  // namespace huemira
