#include "framework/combo_box.h"

#include "framework/form.h"

namespace huemira {

void ComboBox::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, args.bounds, args.hint});
  for (const std::wstring& item : args.items)
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void ComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace huemira
