// Static text that sizes itself to its caption and lets what lies under it
// show through (a page's face, a background picture), and its link variant:
// underlined, in link blue, with the hand pointer and a click event.
#pragma once

#include <functional>
#include <string>

#include "framework/control.h"
#include "framework/handles.h"

namespace huemira {

class Label : public Control {
 public:
  struct Args {
    POINT position{};  // the size follows the caption
    std::wstring caption;
    std::wstring hint;
    HFONT font = nullptr;  // the form's font when null; not owned
    COLORREF color = GetSysColor(COLOR_WINDOWTEXT);
  };
  void Create(Form& parent, const Args& args);

  std::wstring Caption() const { return WindowText(Handle()); }
  // The label takes the new caption's size; what it covered before is
  // painted again.
  void SetCaption(const std::wstring& caption);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  HBRUSH HandleColor(HDC dc) override;
  void RescaleForDpi() override;

 protected:
  void CreateLabel(Form& parent, const Args& args, DWORD style);

 private:
  // The size follows the caption in the label's font.
  void FitToCaption();
  // Repaints what lies under the label too: it has no background of its own.
  void RepaintArea() const;

  COLORREF color_ = 0;
};

class LinkLabel : public Label {
 public:
  void Create(Form& parent, const Args& args);

  std::function<void()> OnClick;

  void HandleCommand(WORD notification) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UniqueFont underlined_;
};

}  // namespace huemira
