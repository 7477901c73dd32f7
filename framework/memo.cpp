#include "framework/memo.h"

#include "framework/form.h"

namespace huemira {

namespace {

// The multi-line edit control breaks lines only at "\r\n".
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) result += L'\r';
    result += text[i];
  }
  return result;
}

}  // namespace

void Memo::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                         WS_EX_CLIENTEDGE, args.bounds, L""});
  SetText(args.text);
}

void Memo::SetText(const std::wstring& text) { SetWindowTextW(Handle(), WithCrLf(text).c_str()); }

int Memo::FirstVisibleLine() const { return static_cast<int>(SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }

HBRUSH Memo::HandleColor(HDC dc) {
  // Read-only edits default to the grey of disabled fields; long text reads
  // better on the window colour.
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

LRESULT Memo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) {
    // A multi-line edit asks for every key, Tab and Esc included, and has
    // its whole text selected when tabbed into; read-only text wants neither.
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
