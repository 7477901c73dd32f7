// A child control of a form. System controls (edit, scroll bar, button) and
// our own self-painted ones are created the same way and subclassed, so that
// every control gets its messages through HandleMessage inside the error guard.
#pragma once

#include <windows.h>

#include <string>

namespace huemira {

class Form;

// Left, top, width, height as the form descriptions give them, in pixels at
// 96 dpi: the control's form scales them to its resolution.
RECT Bounds(int left, int top, int width, int height);
// The text of a window or control.
std::wstring WindowText(HWND window);

class Control {
 public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return handle_; }
  static Control* FromHandle(HWND handle);

  void SetVisible(bool visible) const { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
  void SetFocus() const { ::SetFocus(handle_); }
  // Whether Tab stops at the control in its window's tab order.
  void SetTabStop(bool tabStop) const;
  bool Focused() const { return GetFocus() == handle_; }
  // The font is not owned; it must outlive the control.
  void SetFont(HFONT font) {
    font_ = font;
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  HFONT Font() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
  void Invalidate() const { InvalidateRect(handle_, nullptr, TRUE); }
  const std::wstring& Hint() const { return hint_; }

  // Puts the control at its description's place and font for its form's
  // resolution, after the form moved to a monitor of another one.
  virtual void RescaleForDpi();

  // Notifications that the parent form passes back to the control they concern.
  virtual void HandleCommand(WORD notification) {}
  virtual void HandleScroll(WORD request) {}
  virtual void HandleNotify(UINT code) {}
  // Colours of an edit or static control; returns the background brush, or null for the default.
  virtual HBRUSH HandleColor(HDC dc) { return nullptr; }
  // Draws an owner-drawn control's item; returns true when it did.
  virtual bool HandleDrawItem(const DRAWITEMSTRUCT& item) { return false; }

 protected:
  struct Args {
    const wchar_t* className;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds{};
    std::wstring hint;
  };
  void CreateControl(Form& parent, const Args& args);
  // The form the control was created on: its resolution and fonts.
  Form& Owner() const { return *parent_; }
  // Registers a class of our own whose messages all reach HandleMessage.
  static void RegisterOwnClass(const wchar_t* className, UINT classStyle);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  HWND handle_ = nullptr;
  Form* parent_ = nullptr;
  RECT logicalBounds_{};  // as the description gives them, at 96 dpi
  std::wstring hint_;
  HFONT font_ = nullptr;
};

}  // namespace huemira
