#include "framework/popup_menu.h"

namespace huemira {

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {}

UINT PopupMenu::AddItem(const std::wstring& caption, std::function<void()> onClick) {
  handlers_.push_back(std::move(onClick));
  const auto id = static_cast<UINT>(handlers_.size());
  AppendMenuW(menu_.get(), MF_STRING, id, caption.c_str());
  return id;
}

void PopupMenu::AddSeparator() { AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr); }

void PopupMenu::Popup(HWND owner, POINT screenPoint) {
  // The owner must be in front, or the menu would not close when the user
  // clicks elsewhere.
  SetForegroundWindow(owner);
  const auto id = static_cast<UINT>(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                                   screenPoint.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (id >= 1 && id <= handlers_.size() && handlers_[id - 1]) handlers_[id - 1]();
}

}  // namespace huemira
