// A context menu: entries with their click handlers and optional images
// from an image list, shown at a screen point.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/handles.h"

namespace huemira {

class PopupMenu {
 public:
  PopupMenu();

  // The images of the entries; the list is not owned and must outlive the
  // menu. Entries added before get their images too.
  void SetImages(HIMAGELIST images);
  // Returns the entry's command id (1, 2, ...). imageIndex -1: no image.
  UINT AddItem(const std::wstring& caption, std::function<void()> onClick, int imageIndex = -1);
  void AddSeparator();

  // The entry in bold that a double click on the menu's opener chooses.
  void SetDefaultItem(UINT id);
  // Runs the default entry's handler; false when there is none.
  bool ClickDefaultItem();
  // Runs an entry's handler, as choosing it in the menu does.
  void Click(UINT id);

  // Whether the menu's opener pops it up by itself (a tray icon's right click).
  bool AutoPopup = true;

  // Shows the menu and runs the chosen entry's handler after the menu closed.
  void Popup(HWND owner, POINT screenPoint);

  HMENU Handle() const { return menu_.get(); }

 private:
  void ApplyImage(UINT id);

  UniqueMenu menu_;
  HIMAGELIST images_ = nullptr;
  struct Item {
    std::function<void()> onClick;
    int imageIndex;
    UniqueBitmap bitmap;  // the image as the system's menu drawing shows it
  };
  std::vector<Item> items_;
};

}  // namespace huemira
