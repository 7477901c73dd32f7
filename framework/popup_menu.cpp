#include "framework/popup_menu.h"

namespace huemira {

namespace {

// An image of the list on the menu's own background. Systems differ in
// whether a menu entry's bitmap is drawn with its transparency, so the image
// is laid onto the background colour here and the bitmap is opaque.
HBITMAP MenuBitmap(HIMAGELIST images, int index) {
  int width = 0, height = 0;
  if (!ImageList_GetIconSize(images, &width, &height)) return nullptr;
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return nullptr;
  SelectedObject selected(dc.get(), bitmap.get());
  const RECT area{0, 0, width, height};
  FillRect(dc.get(), &area, GetSysColorBrush(COLOR_MENU));
  if (!ImageList_Draw(images, index, dc.get(), 0, 0, ILD_NORMAL)) return nullptr;
  return bitmap.release();
}

}  // namespace

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {}

void PopupMenu::SetImages(HIMAGELIST images) {
  images_ = images;
  for (UINT id = 1; id <= items_.size(); ++id) ApplyImage(id);
}

UINT PopupMenu::AddItem(const std::wstring& caption, std::function<void()> onClick, int imageIndex) {
  items_.push_back(Item{std::move(onClick), imageIndex, nullptr});
  const auto id = static_cast<UINT>(items_.size());
  AppendMenuW(menu_.get(), MF_STRING, id, caption.c_str());
  ApplyImage(id);
  return id;
}

void PopupMenu::ApplyImage(UINT id) {
  Item& item = items_[id - 1];
  item.bitmap.reset();
  if (images_ && item.imageIndex >= 0 && item.imageIndex < ImageList_GetImageCount(images_))
    item.bitmap.reset(MenuBitmap(images_, item.imageIndex));
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_BITMAP;
  info.hbmpItem = item.bitmap.get();
  SetMenuItemInfoW(menu_.get(), id, FALSE, &info);
}

void PopupMenu::AddSeparator() { AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr); }

void PopupMenu::SetDefaultItem(UINT id) { SetMenuDefaultItem(menu_.get(), id, FALSE); }

bool PopupMenu::ClickDefaultItem() {
  const UINT id = GetMenuDefaultItem(menu_.get(), FALSE, 0);
  if (id == static_cast<UINT>(-1)) return false;
  Click(id);
  return true;
}

void PopupMenu::Click(UINT id) {
  if (id >= 1 && id <= items_.size() && items_[id - 1].onClick) items_[id - 1].onClick();
}

void PopupMenu::Popup(HWND owner, POINT screenPoint) {
  // The owner must be in front, or the menu would not close when the user
  // clicks elsewhere.
  SetForegroundWindow(owner);
  const auto id = static_cast<UINT>(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                                   screenPoint.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  Click(id);
}

}  // namespace huemira
