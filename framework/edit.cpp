#include "framework/edit.h"

#include <algorithm>

#include "framework/clipboard.h"
#include "framework/form.h"

namespace huemira {

namespace {
// A change that arrived while the control held the clipboard open, raised again later.
constexpr UINT kDeferredChange = WM_APP + 1;
}  // namespace

void Edit::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"EDIT", args.text, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, args.bounds, args.hint});
  if (!args.visible) SetVisible(false);
}

std::wstring Edit::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
  return text;
}

void Edit::SetText(const std::wstring& text) {
  const std::wstring shown = ApplyCase(text);
  if (shown == Text()) return;
  SetWindowTextW(Handle(), shown.c_str());
}

std::wstring Edit::ApplyCase(std::wstring text) const {
  // The same conversion the edit control applies to typed text.
  const auto length = static_cast<DWORD>(text.size());
  if (charCase_ == CharCase::Lower) CharLowerBuffW(text.data(), length);
  if (charCase_ == CharCase::Upper) CharUpperBuffW(text.data(), length);
  return text;
}

void Edit::SetCharCase(CharCase charCase) {
  charCase_ = charCase;
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(ES_LOWERCASE | ES_UPPERCASE);
  if (charCase == CharCase::Lower) style |= ES_LOWERCASE;
  if (charCase == CharCase::Upper) style |= ES_UPPERCASE;
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  SetText(Text());
}

void Edit::PasteFromClipboard() {
  // Not WM_PASTE: the control would raise its change while it still holds
  // the clipboard open, and a change handler that copies to the clipboard
  // would then find it locked.
  std::wstring text = GetClipboardText();
  text.resize(std::min(text.find_first_of(L"\r\n"), text.size()));
  text = ApplyCase(std::move(text));
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Edit::SetColors(COLORREF text, COLORREF background) {
  customColors_ = true;
  textColor_ = text;
  backgroundColor_ = background;
  backgroundBrush_.reset(CreateSolidBrush(background));
  Invalidate();
}

void Edit::HandleCommand(WORD notification) {
  if (notification != EN_CHANGE || !OnChange) return;
  // The control's own paste (its context menu, Shift+Insert) reports the
  // change while it still holds the clipboard open: a handler that copies
  // to the clipboard would fail. The change is raised once the paste is over.
  if (GetOpenClipboardWindow() == Handle()) {
    if (!changePending_) changePending_ = PostMessageW(Handle(), kDeferredChange, 0, 0) != FALSE;
    return;
  }
  OnChange();
}

HBRUSH Edit::HandleColor(HDC dc) {
  if (!customColors_) return nullptr;
  SetTextColor(dc, textColor_);
  SetBkColor(dc, backgroundColor_);
  return backgroundBrush_.get();
}

LRESULT Edit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kDeferredChange:
      changePending_ = false;
      if (OnChange) OnChange();
      return 0;
    case WM_CHAR: {
      auto key = static_cast<wchar_t>(wParam);
      if (OnKeyPress) OnKeyPress(key);
      if (key == 0) return 0;
      return DefaultHandling(message, key, lParam);
    }
    case WM_KEYDOWN:
      if (OnKeyDown && OnKeyDown(wParam)) return 0;
      break;
    case WM_SETFOCUS: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      if (OnEnter) OnEnter();
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      if (OnExit) OnExit();
      return result;
    }
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      if (OnDblClick) OnDblClick();
      return result;
    }
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
