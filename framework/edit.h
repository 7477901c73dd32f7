// Single-line text field with the events the forms use: change (not raised
// when the text set equals the text held), focus in/out, a per-character
// key filter, key-down actions and double-click.
#pragma once

#include <functional>
#include <string>

#include "framework/control.h"
#include "framework/handles.h"

namespace huemira {

enum class CharCase { Normal, Lower, Upper };

class Edit : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring text;
    std::wstring hint;
    bool visible = true;
  };
  void Create(Form& parent, const Args& args);

  std::wstring Text() const;
  void SetText(const std::wstring& text);

  CharCase GetCharCase() const { return charCase_; }
  // Every text put into the field from then on is converted, the present one too.
  void SetCharCase(CharCase charCase);

  // Colours of the field's text and background (colour values 0x00BBGGRR).
  void SetColors(COLORREF text, COLORREF background);

  // Pastes the clipboard's text at the caret, replacing the selection; a
  // text with a line break is cut at the first one, as the control's own
  // paste does.
  void PasteFromClipboard();

  std::function<void()> OnChange;
  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  std::function<void()> OnDblClick;
  // Sees each typed character first; setting it to 0 discards it.
  std::function<void(wchar_t& key)> OnKeyPress;
  // Returns true when the key was consumed.
  std::function<bool(WPARAM virtualKey)> OnKeyDown;

  void HandleCommand(WORD notification) override;
  HBRUSH HandleColor(HDC dc) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::wstring ApplyCase(std::wstring text) const;

  CharCase charCase_ = CharCase::Normal;
  bool changePending_ = false;
  bool customColors_ = false;
  COLORREF textColor_ = 0;
  COLORREF backgroundColor_ = 0;
  UniqueBrush backgroundBrush_;
};

}  // namespace huemira
