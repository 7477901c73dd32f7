#include "framework/popup_menu.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/fonts.h"
#include "framework/form.h"

namespace huemira {

namespace {
constexpr UINT_PTR kMenuSubclassId = 0x4D4E;
}

MenuItem::~MenuItem() = default;

PopupMenu::PopupMenu(Form& owner) : owner_(owner), menu_(CreatePopupMenu()) { owner_.menus_.push_back(this); }

PopupMenu::PopupMenu(Form& owner, PopupMenu& parent) : PopupMenu(owner) { parent_ = &parent; }

PopupMenu::~PopupMenu() {
  // Destroying a menu destroys the submenus attached to it; each submenu
  // destroys its own.
  for (std::size_t i = items_.size(); i-- > 0;)
    if (items_[i]->Submenu()) RemoveMenu(menu_.get(), static_cast<UINT>(i), MF_BYPOSITION);
  auto& menus = owner_.menus_;
  menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
}

PopupMenu& PopupMenu::Root() { return parent_ ? parent_->Root() : *this; }

MenuItem& PopupMenu::Append(const std::wstring& caption) {
  // A submenu's entries take ids of their own: TrackPopupMenu returns one
  // id for the whole tree.
  const UINT id = parent_ ? Root().nextSubmenuId_++ : static_cast<UINT>(items_.size() + 1);
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(*this, id)));
  MenuItem& item = *items_.back();
  item.Caption = caption;
  AppendMenuW(menu_.get(), item.IsSeparator() ? MF_SEPARATOR : MF_STRING, id, caption.c_str());
  if (owner_.OnMenuItemInserted) owner_.OnMenuItemInserted(*this);
  return item;
}

UINT PopupMenu::AddItem(const std::wstring& caption, std::function<void()> onClick, int imageIndex) {
  MenuItem& item = Append(caption);
  item.OnClick = std::move(onClick);
  item.ImageIndex = imageIndex;
  return item.Id();
}

void PopupMenu::AddSeparator() { Append(L"-"); }

PopupMenu& PopupMenu::AddSubmenu(const std::wstring& caption, int imageIndex) {
  MenuItem& item = Append(caption);
  item.ImageIndex = imageIndex;
  item.submenu_.reset(new PopupMenu(owner_, *this));
  return *item.submenu_;
}

void PopupMenu::SetDefaultItem(UINT id) {
  defaultItem_ = id;
  SetMenuDefaultItem(menu_.get(), id, FALSE);
}

bool PopupMenu::ClickDefaultItem() {
  const UINT id = GetMenuDefaultItem(menu_.get(), FALSE, 0);
  if (id == static_cast<UINT>(-1)) return false;
  Click(id);
  return true;
}

void PopupMenu::Click(UINT id) {
  if (MenuItem* item = FindId(id); item && item->OnClick) item->OnClick();
}

void PopupMenu::Update() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    MenuItem& item = *items_[i];
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    info.fType = (item.IsSeparator() ? MFT_SEPARATOR : MFT_STRING) | (Drawn(item) ? MFT_OWNERDRAW : 0) |
                 (item.RadioItem ? MFT_RADIOCHECK : 0) | (rightToLeft_ ? MFT_RIGHTORDER : 0);
    info.fState = (item.Enabled ? MFS_ENABLED : MFS_DISABLED) | (item.Checked ? MFS_CHECKED : MFS_UNCHECKED) |
                  (i + 1 == defaultItem_ ? MFS_DEFAULT : 0);
    info.wID = item.Id();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    if (PopupMenu* submenu = item.Submenu()) {
      submenu->rightToLeft_ = rightToLeft_;
      submenu->Update();
      info.hSubMenu = submenu->Handle();
    }
    if (!item.IsSeparator()) {
      // The text also serves the keyboard's access keys of drawn entries.
      info.fMask |= MIIM_STRING;
      info.dwTypeData = item.Caption.data();
    }
    SetMenuItemInfoW(menu_.get(), static_cast<UINT>(i), TRUE, &info);
  }
}

MenuItem* PopupMenu::Find(ULONG_PTR itemData) const {
  for (const auto& item : items_) {
    if (reinterpret_cast<ULONG_PTR>(item.get()) == itemData) return item.get();
    if (item->Submenu())
      if (MenuItem* found = item->Submenu()->Find(itemData)) return found;
  }
  return nullptr;
}

MenuItem* PopupMenu::FindId(UINT id) const {
  for (const auto& item : items_) {
    if (item->Id() == id && !item->Submenu()) return item.get();
    if (item->Submenu())
      if (MenuItem* found = item->Submenu()->FindId(id)) return found;
  }
  return nullptr;
}

void PopupMenu::Measure(MEASUREITEMSTRUCT& measure) {
  MenuItem* item = Find(measure.itemData);
  if (!item) return;
  int width = static_cast<int>(measure.itemWidth);
  int height = static_cast<int>(measure.itemHeight);
  const WindowDc screen(nullptr);
  if (item->OnMeasureItem) {
    item->OnMeasureItem(*item, screen.get(), width, height);
  } else {
    // Room for the caption in the dialogs' font.
    const SelectedObject font(screen.get(), UiFont());
    SIZE text{};
    GetTextExtentPoint32W(screen.get(), item->Caption.c_str(), static_cast<int>(item->Caption.size()), &text);
    width = std::max(width, static_cast<int>(text.cx) + 8);
    height = std::max(height, item->IsSeparator() ? 4 : static_cast<int>(text.cy) + 4);
  }
  measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(height, 0));
}

void PopupMenu::Draw(const DRAWITEMSTRUCT& draw) {
  MenuItem* item = Find(draw.itemData);
  if (item && item->OnDrawItem) item->OnDrawItem(*item, draw.hDC, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
}

LRESULT CALLBACK PopupMenu::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<PopupMenu*>(data);
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType == ODT_MENU && self->Find(measure->itemData)) {
      RunGuarded([&] { self->Measure(*measure); });
      return TRUE;
    }
  } else if (message == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType == ODT_MENU && self->Find(draw->itemData)) {
      RunGuarded([&] { self->Draw(*draw); });
      return TRUE;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void PopupMenu::Popup(HWND owner, POINT screenPoint) {
  Update();
  // The owner must be in front, or the menu would not close when the user
  // clicks elsewhere.
  SetForegroundWindow(owner);
  // The owner receives the measure and draw requests of the drawn entries;
  // while the menu is up they come here, whatever window the owner is.
  SetWindowSubclass(owner, OwnerProc, kMenuSubclassId, reinterpret_cast<DWORD_PTR>(this));
  const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | (rightToLeft_ ? TPM_LAYOUTRTL : 0);
  const auto id = static_cast<UINT>(TrackPopupMenu(menu_.get(), flags, screenPoint.x, screenPoint.y, 0, owner, nullptr));
  RemoveWindowSubclass(owner, OwnerProc, kMenuSubclassId);
  PostMessageW(owner, WM_NULL, 0, 0);
  Click(id);
}

}  // namespace huemira
