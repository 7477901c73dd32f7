// A context menu of a form: entries with their click handlers, shown at a
// screen point. An entry may open a submenu, itself a menu of the form.
// With a menu's owner-draw switch on, every entry of it that has a draw
// handler is measured and drawn by its own handlers, whichever window the
// menu is popped up from; the others are drawn by the system.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/handles.h"

namespace huemira {

class Form;
class PopupMenu;

class MenuItem {
 public:
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::wstring Caption;       // "-" makes the entry a separator
  std::wstring ShortCutText;  // shown at the right of the caption
  int ImageIndex = -1;        // into the menu's images; -1 for none
  int Tag = 0;
  bool Enabled = true;
  bool Checked = false;
  bool RadioItem = false;
  std::function<void()> OnClick;
  // width and height come in as the system proposes them and go out as wanted.
  std::function<void(MenuItem& item, HDC dc, int& width, int& height)> OnMeasureItem;
  std::function<void(MenuItem& item, HDC dc, const RECT& rect, bool selected)> OnDrawItem;

  bool IsSeparator() const { return Caption == L"-"; }
  PopupMenu& Menu() const { return *menu_; }
  // The menu this entry opens, or null.
  PopupMenu* Submenu() const { return submenu_.get(); }
  // The command id that choosing the entry returns; unique in its menu tree.
  UINT Id() const { return id_; }

 private:
  friend class PopupMenu;
  MenuItem(PopupMenu& menu, UINT id) : menu_(&menu), id_(id) {}
  PopupMenu* menu_;
  UINT id_;
  std::unique_ptr<PopupMenu> submenu_;
};

class PopupMenu {
 public:
  // The menu belongs to the form: it is among the form's Menus().
  explicit PopupMenu(Form& owner);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  Form& Owner() const { return owner_; }
  HMENU Handle() const { return menu_.get(); }

  // The entries' images; the list belongs to the form and outlives the menu.
  void SetImages(HIMAGELIST images) { images_ = images; }
  HIMAGELIST Images() const { return images_; }

  // Returns the entry's command id: its position + 1 in a menu that is not
  // a submenu.
  UINT AddItem(const std::wstring& caption, std::function<void()> onClick, int imageIndex = -1);
  void AddSeparator();
  // Adds an entry that opens a new, empty submenu, and returns the submenu.
  // It is among the form's Menus() too; its entries' handlers run when they
  // are chosen in this menu's popup.
  PopupMenu& AddSubmenu(const std::wstring& caption, int imageIndex = -1);
  // The menu whose entry opens this one, or null.
  PopupMenu* Parent() const { return parent_; }
  std::size_t Count() const { return items_.size(); }
  MenuItem& Items(std::size_t index) { return *items_[index]; }

  // The entry in bold that a double click on the menu's opener chooses.
  void SetDefaultItem(UINT id);
  // Runs the default entry's handler; false when there is none.
  bool ClickDefaultItem();
  // Runs the handler of the entry with this id, in this menu or one of its
  // submenus, as choosing it in the menu does.
  void Click(UINT id);

  // Whether the menu's opener pops it up by itself (a tray icon's right click).
  bool AutoPopup = true;

  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw) { ownerDraw_ = ownerDraw; }
  bool RightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool rightToLeft) { rightToLeft_ = rightToLeft; }

  // Shows the menu and runs the chosen entry's handler after the menu closed.
  void Popup(HWND owner, POINT screenPoint);

 private:
  // The first id of a submenu's entries, above any position of the menus.
  static constexpr UINT kFirstSubmenuId = 0x1000;

  PopupMenu(Form& owner, PopupMenu& parent);
  PopupMenu& Root();
  MenuItem& Append(const std::wstring& caption);
  // Brings the platform's menu, and its submenus', in line with the entries'
  // present state.
  void Update();
  bool Drawn(const MenuItem& item) const { return ownerDraw_ && item.OnDrawItem != nullptr; }
  // The entry of this menu tree with that item data or that id, or null.
  MenuItem* Find(ULONG_PTR itemData) const;
  MenuItem* FindId(UINT id) const;
  void Measure(MEASUREITEMSTRUCT& measure);
  void Draw(const DRAWITEMSTRUCT& draw);
  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);

  Form& owner_;
  PopupMenu* parent_ = nullptr;
  UINT nextSubmenuId_ = kFirstSubmenuId;  // kept by the root of the tree
  UniqueMenu menu_;
  HIMAGELIST images_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
  UINT defaultItem_ = 0;
  bool ownerDraw_ = false;
  bool rightToLeft_ = false;
};

}  // namespace huemira
