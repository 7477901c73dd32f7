// Read-only multi-line text with a vertical scroll bar, for long texts such
// as a licence. The wheel and the keys scroll it; in a window's tab order it
// behaves as a field that Tab, Enter and Esc pass by.
#pragma once

#include <string>

#include "framework/control.h"

namespace huemira {

class Memo : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring text;  // lines end in "\n" or "\r\n"
  };
  void Create(Form& parent, const Args& args);

  std::wstring Text() const { return WindowText(Handle()); }
  void SetText(const std::wstring& text);
  int FirstVisibleLine() const;

  HBRUSH HandleColor(HDC dc) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace huemira
