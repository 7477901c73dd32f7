#include "framework/page_control.h"

#include <commctrl.h>

#include "framework/form.h"

namespace huemira {

namespace {
constexpr wchar_t kPageClass[] = L"HuemiraTabPage";
}

class PageControl::Page : public Control {
 public:
  void Create(Form& form, HWND tabControl) {
    tabControl_ = tabControl;
    RegisterOwnClass(kPageClass, 0);
    // WS_EX_CONTROLPARENT: Tab walks into the page's controls.
    CreateControl(form, {kPageClass, L"", WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, RECT{}, L""});
  }

  // The page control places its pages.
  void RescaleForDpi() override {}

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_HSCROLL:
      case WM_VSCROLL:
        return SendMessageW(GetParent(Handle()), message, wParam, lParam);
      case WM_ERASEBKGND:
        PaintTabBody(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
      return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    return DefaultHandling(message, wParam, lParam);
  }

 private:
  // The page shows the tab control's own body beneath it, whatever the
  // visual style draws there.
  void PaintTabBody(HDC dc) const {
    RECT area;
    GetClientRect(Handle(), &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    POINT offset{0, 0};
    MapWindowPoints(Handle(), tabControl_, &offset, 1);
    POINT previous;
    SetViewportOrgEx(dc, -offset.x, -offset.y, &previous);
    SendMessageW(tabControl_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
  }

  HWND tabControl_ = nullptr;
};

PageControl::PageControl() = default;
PageControl::~PageControl() = default;

void PageControl::Create(Form& parent, const Args& args) {
  // WS_CLIPSIBLINGS: the pages lie over the tab's body and are not painted over.
  CreateControl(parent, {WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, 0, args.bounds, L""});
  for (int index = 0; index < args.pageCount; ++index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  for (int index = 0; index < args.pageCount; ++index) {
    pages_.push_back(std::make_unique<Page>());
    pages_.back()->Create(parent, Handle());
  }
  PlacePages();
  // Beneath its pages, also in the tab order: Tab reaches the page's
  // controls first and the tabs last.
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowActivePage();
}

void PageControl::PlacePages() {
  RECT body;
  GetClientRect(Handle(), &body);
  TabCtrl_AdjustRect(Handle(), FALSE, &body);
  MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&body), 2);
  for (const auto& page : pages_)
    SetWindowPos(page->Handle(), nullptr, body.left, body.top, body.right - body.left, body.bottom - body.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PageControl::RescaleForDpi() {
  Control::RescaleForDpi();
  PlacePages();
}

int PageControl::ActivePageIndex() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowActivePage();
}

std::wstring PageControl::PageCaption(int index) const {
  wchar_t caption[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption;
  item.cchTextMax = 256;
  SendMessageW(Handle(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return caption;
}

void PageControl::SetPageCaption(int index, const std::wstring& caption) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(caption.c_str());
  SendMessageW(Handle(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void PageControl::AddToPage(int index, Control& control) {
  // The control keeps its position, now read in the page's client area.
  SetParent(control.Handle(), PageHandle(index));
  SetWindowPos(control.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND PageControl::PageHandle(int index) const { return pages_.at(static_cast<std::size_t>(index))->Handle(); }

void PageControl::HandleNotify(UINT code) {
  if (code != TCN_SELCHANGE) return;
  ShowActivePage();
  if (OnChange) OnChange();
}

void PageControl::ShowActivePage() {
  const int active = ActivePageIndex();
  const HWND focus = GetFocus();
  for (int index = 0; index < PageCount(); ++index) {
    const Page& page = *pages_[static_cast<std::size_t>(index)];
    if (index == active) continue;
    // Keys must not go on reaching a control that is no longer shown.
    if (focus && IsChild(page.Handle(), focus)) ::SetFocus(Handle());
    page.SetVisible(false);
  }
  if (active >= 0) pages_[static_cast<std::size_t>(active)]->SetVisible(true);
}

}  // namespace huemira
