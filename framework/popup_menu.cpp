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

PopupMenu::PopupMenu(Form& owner) : owner_(owner), menu_(CreatePopupMenu()) { owner_.menus_.push_back(this); }

PopupMenu::~PopupMenu() {
  auto& menus = owner_.menus_;
  menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
}

MenuItem& PopupMenu::Append(const std::wstring& caption) {
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(*this)));
  MenuItem& item = *items_.back();
  item.Caption = caption;
  const auto id = static_cast<UINT>(items_.size());
  AppendMenuW(menu_.get(), item.IsSeparator() ? MF_SEPARATOR : MF_STRING, id, caption.c_str());
  if (owner_.OnMenuItemInserted) owner_.OnMenuItemInserted(*this);
  return item;
}

UINT PopupMenu::AddItem(const std::wstring& caption, std::function<void()> onClick, int imageIndex) {
  MenuItem& item = Append(caption);
  item.OnClick = std::move(onClick);
  item.ImageIndex = imageIndex;
  return static_cast<UINT>(items_.size());
}

void PopupMenu::AddSeparator() { Append(L"-"); }

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
  if (id >= 1 && id <= items_.size() && items_[id - 1]->OnClick) items_[id - 1]->OnClick();
}

void PopupMenu::Update() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    MenuItem& item = *items_[i];
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.fType = (item.IsSeparator() ? MFT_SEPARATOR : MFT_STRING) | (Drawn(item) ? MFT_OWNERDRAW : 0) |
                 (item.RadioItem ? MFT_RADIOCHECK : 0) | (rightToLeft_ ? MFT_RIGHTORDER : 0);
    info.fState = (item.Enabled ? MFS_ENABLED : MFS_DISABLED) | (item.Checked ? MFS_CHECKED : MFS_UNCHECKED) |
                  (i + 1 == defaultItem_ ? MFS_DEFAULT : 0);
    info.wID = static_cast<UINT>(i + 1);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    if (!item.IsSeparator()) {
      // The text also serves the keyboard's access keys of drawn entries.
      info.fMask |= MIIM_STRING;
      info.dwTypeData = item.Caption.data();
    }
    SetMenuItemInfoW(menu_.get(), static_cast<UINT>(i), TRUE, &info);
  }
}

MenuItem* PopupMenu::Find(ULONG_PTR itemData) const {
  for (const auto& item : items_)
    if (reinterpret_cast<ULONG_PTR>(item.get()) == itemData) return item.get();
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
