// A flat, self-painted push button drawn from six colours: the history
// swatches (all six colours equal, a plain square) and the ">>" button.
// Hover is tracked by one 100 ms timer shared by all buttons, which follows
// the one button the pointer is over.
#pragma once

#include <functional>
#include <string>

#include "framework/control.h"

namespace huemira {

class TFlatButton : public Control {
 public:
  enum class State { Up, Disabled, Down };

  struct Args {
    RECT bounds{};
    std::wstring caption;
    std::wstring hint;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
  };
  TFlatButton();
  ~TFlatButton() override;
  void Create(Form& parent, const Args& args);

  COLORREF Color() const { return color_; }
  COLORREF ColorFocused() const { return colorFocused_; }
  COLORREF ColorDown() const { return colorDown_; }
  COLORREF ColorBorder() const { return colorBorder_; }
  COLORREF ColorHighLight() const { return colorHighLight_; }
  COLORREF ColorShadow() const { return colorShadow_; }
  void SetColor(COLORREF color) { SetAndRepaint(color_, color); }
  void SetColorFocused(COLORREF color) { SetAndRepaint(colorFocused_, color); }
  void SetColorDown(COLORREF color) { SetAndRepaint(colorDown_, color); }
  void SetColorBorder(COLORREF color) { SetAndRepaint(colorBorder_, color); }
  void SetColorHighLight(COLORREF color) { SetAndRepaint(colorHighLight_, color); }
  void SetColorShadow(COLORREF color) { SetAndRepaint(colorShadow_, color); }

  // Given to the form before OnClick runs; 0 leaves a modal form open.
  int ModalResult = 0;
  std::function<void()> OnClick;
  // What a click by the user does: the modal result, then OnClick.
  void Click();

  State GetState() const { return state_; }
  bool MouseIn() const { return mouseIn_; }
  bool Pressing() const { return pressing_; }
  // The button the shared hover timer follows, if any.
  static TFlatButton* Tracked();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetAndRepaint(COLORREF& property, COLORREF value);
  void Paint(HDC target);
  void MouseDown();
  void MouseMove();
  void MouseUp(POINT clientPoint);
  bool UnderPointer() const;
  bool Inside(POINT clientPoint) const;
  void TrackHover();
  void EnterStep();
  void LeaveStep();
  void SetState(State state);

  std::wstring caption_;
  COLORREF color_ = 0;
  COLORREF colorFocused_ = RGB(0xEB, 0xEA, 0xE1);
  COLORREF colorDown_ = RGB(0xD9, 0xD6, 0xC5);
  COLORREF colorBorder_ = RGB(0xA0, 0x96, 0x83);
  COLORREF colorHighLight_ = RGB(0xFF, 0xFF, 0xFF);
  COLORREF colorShadow_ = RGB(0x00, 0x00, 0x00);
  State state_ = State::Up;
  bool mouseIn_ = false;
  bool pressing_ = false;
};

}  // namespace huemira
