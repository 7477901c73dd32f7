// A tab control whose tabs show pages. Each page is a window of its own over
// the tab's body; the controls of a page are created on the form as usual and
// then moved onto it, and the page passes their notifications on to the form,
// so that they reach the controls as anywhere else.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/control.h"

namespace huemira {

class PageControl : public Control {
 public:
  struct Args {
    RECT bounds{};
    int pageCount = 0;
  };
  PageControl();
  ~PageControl() override;
  void Create(Form& parent, const Args& args);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  int ActivePageIndex() const;
  // Shows that page and hides the others; an index out of range changes nothing.
  void SetActivePageIndex(int index);
  std::wstring PageCaption(int index) const;
  void SetPageCaption(int index, const std::wstring& caption);
  // Moves a control of the same form onto a page, its bounds read as page
  // coordinates. Controls come in the tab order, and lie on top of each
  // other, in the order they were added.
  void AddToPage(int index, Control& control);
  HWND PageHandle(int index) const;

  // Raised when the user picks another tab.
  std::function<void()> OnChange;

  void HandleNotify(UINT code) override;
  void RescaleForDpi() override;

 private:
  class Page;
  void ShowActivePage();
  // The pages cover the tab's body, which the tabs' font decides: they are
  // placed from it, not from a description of their own.
  void PlacePages();

  std::vector<std::unique_ptr<Page>> pages_;
};

}  // namespace huemira
