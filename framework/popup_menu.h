// A context menu: entries with their click handlers, shown at a screen point.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/handles.h"

namespace huemira {

class PopupMenu {
 public:
  PopupMenu();

  // Returns the entry's command id (1, 2, ...).
  UINT AddItem(const std::wstring& caption, std::function<void()> onClick);
  void AddSeparator();

  // Shows the menu and runs the chosen entry's handler after the menu closed.
  void Popup(HWND owner, POINT screenPoint);

 private:
  UniqueMenu menu_;
  std::vector<std::function<void()>> handlers_;
};

}  // namespace huemira
