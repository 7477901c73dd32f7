#include "framework/combo_box.h"

#include "framework/form.h"

namespace huemira {

void ComboBox::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, args.bounds, args.hint});
  AddItems(args.items);
}

void ComboBox::AddItems(const std::vector<std::wstring>& items) {
  for (const std::wstring& item : items)
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ComboBox::SetItems(const std::vector<std::wstring>& items, int index) {
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  AddItems(items);
  SetItemIndex(index);
}

void ComboBox::HandleCommand(WORD notification) {
  if (notification == CBN_SELCHANGE && OnChange) OnChange();
}

int ComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void ComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace huemira
