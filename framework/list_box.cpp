#include "framework/list_box.h"

#include "framework/form.h"
#include "framework/handles.h"

namespace huemira {

void ListBox::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"LISTBOX", L"",
                         LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                             WS_TABSTOP,
                         WS_EX_CLIENTEDGE, args.bounds, args.hint});
  FitItemHeight();
}

void ListBox::FitItemHeight() {
  const WindowDc screen(nullptr);
  const SelectedObject font(screen.get(), Font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.get(), &metrics);
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, metrics.tmHeight + Owner().Scale(4));
}

void ListBox::RescaleForDpi() {
  Control::RescaleForDpi();
  FitItemHeight();
}

void ListBox::SetItems(const std::vector<Item>& items, int index) {
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const Item& item : items) {
    const LRESULT position = SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    SendMessageW(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(position), item.dimmed ? 1 : 0);
  }
  SetItemIndex(index);
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

int ListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

int ListBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void ListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ListBox::HandleCommand(WORD notification) {
  if (notification == LBN_SELCHANGE && OnChange) OnChange();
  if (notification == LBN_DBLCLK && OnDblClick) OnDblClick();
}

bool ListBox::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool dimmed = item.itemData != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const auto length = static_cast<std::size_t>(SendMessageW(Handle(), LB_GETTEXTLEN, item.itemID, 0));
  std::wstring text(length + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(Handle(), LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()))));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(dimmed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT textArea = item.rcItem;
  textArea.left += Owner().Scale(3);
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

LRESULT ListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && OnKeyDown && OnKeyDown(wParam)) return 0;
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
