#include "widgets/menu_styler.h"

#include <commctrl.h>

#include "framework/dpi.h"
#include "framework/system_color.h"
#include "widgets/menu_layout.h"

namespace huemira {

namespace {

// The handlers the styler gives an entry. Their type tells them apart from
// handlers of anyone else, so unhooking takes back only the styler's own.
struct MeasureHook {
  TMenuStyler* styler;
  void operator()(MenuItem& item, HDC dc, int& width, int& height) const {
    styler->MeasureItem(item, dc, width, height);
  }
};
struct DrawHook {
  TMenuStyler* styler;
  void operator()(MenuItem& item, HDC dc, const RECT& rect, bool selected) const {
    styler->DrawItem(item, dc, rect, selected);
  }
};

}  // namespace

UniqueFont SystemMenuFont(UINT dpi) {
  const LOGFONTW font = MenuFontAt(dpi);
  return UniqueFont(CreateFontIndirectW(&font));
}

TMenuStyler::TMenuStyler(Form& owner) : owner_(owner), font_(SystemMenuFont(owner.Dpi())) {
  owner_.OnMenuItemInserted = [this](PopupMenu&) {
    if (AutoDetect) SetActive(true);
  };
}

TMenuStyler::~TMenuStyler() {
  owner_.OnMenuItemInserted = nullptr;
  ApplyHooks(false);
}

void TMenuStyler::SetFont(const FontDescription& font) {
  font_ = CreateFontFrom(font);
  fontColor_ = font.color;
  RedrawMenuBar();
}

void TMenuStyler::SetMenuBarColor(TColor color) {
  menuBarColor_ = color;
  RedrawMenuBar();
}

void TMenuStyler::SetUseSystemColors(bool use) {
  useSystemColors_ = use;
  RedrawMenuBar();
}

void TMenuStyler::SetXPControls(const TXPControls& controls) {
  if (controls == xpControls_) return;
  if (!active_) {
    xpControls_ = controls;
    return;
  }
  ApplyHooks(false);
  xpControls_ = controls;
  ApplyHooks(true);
}

void TMenuStyler::SetXPContainers(const TXPContainers& containers) {
  // Containers govern only the hooking of controls, which this program
  // does not do; menus are unaffected.
  xpContainers_ = containers;
}

void TMenuStyler::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  ApplyHooks(active);
  RedrawMenuBar();
}

void TMenuStyler::RedrawMenuBar() const {
  if (owner_.Handle()) DrawMenuBar(owner_.Handle());
}

void TMenuStyler::ApplyHooks(bool enable) {
  if (!xpControls_.Contains(XPControl::xcPopupMenu)) return;
  for (PopupMenu* menu : owner_.Menus()) {
    menu->SetOwnerDraw(enable);
    for (std::size_t i = 0; i < menu->Count(); ++i) {
      if (enable) Hook(menu->Items(i));
      else Unhook(menu->Items(i));
    }
  }
}

void TMenuStyler::Hook(MenuItem& item) {
  if (item.Tag == kOwnDrawingTag) return;
  if (!item.OnDrawItem || overrideOwnerDraw_) item.OnDrawItem = DrawHook{this};
  if (!item.OnMeasureItem || overrideOwnerDraw_) item.OnMeasureItem = MeasureHook{this};
}

void TMenuStyler::Unhook(MenuItem& item) const {
  if (const auto* hook = item.OnDrawItem.target<DrawHook>(); hook && hook->styler == this) item.OnDrawItem = nullptr;
  if (const auto* hook = item.OnMeasureItem.target<MeasureHook>(); hook && hook->styler == this)
    item.OnMeasureItem = nullptr;
}

void TMenuStyler::HookSiblings(MenuItem& item) {
  // Entries added since the hooking are taken over the next time their
  // menu shows.
  PopupMenu& menu = item.Menu();
  for (std::size_t i = 0; i < menu.Count(); ++i) Hook(menu.Items(i));
}

MenuColors TMenuStyler::Colors(HDC dc, bool deep) const {
  const MenuColorSettings settings{ColorToRGB(Color),          ColorToRGB(IconBackColor),
                                   ColorToRGB(menuBarColor_),  ColorToRGB(SelectColor),
                                   ColorToRGB(SelectBorderColor), ColorToRGB(SelectFontColor),
                                   ColorToRGB(DisabledColor),  ColorToRGB(SeparatorColor),
                                   ColorToRGB(CheckedColor),   ColorToRGB(fontColor_),
                                   useSystemColors_};
  const SystemMenuColors system{ColorToRGB(clBtnFace), ColorToRGB(clHighlight), ColorToRGB(clBtnShadow),
                                ColorToRGB(clMenuText)};
  return EffectiveMenuColors(settings, system, deep, [dc](TColor color) {
    const COLORREF nearest = GetNearestColor(dc, color);
    return nearest == CLR_INVALID ? color : static_cast<TColor>(nearest);
  });
}

void TMenuStyler::FollowSystemLook() {
  if (!useSystemColors_) return;
  font_ = SystemMenuFont(owner_.Dpi());
  fontColor_ = clMenuText;
}

void TMenuStyler::MeasureItem(MenuItem& item, HDC dc, int& width, int& height) {
  if (!active_) return;
  FollowSystemLook();
  const SelectedObject font(dc, font_.get());
  const bool separator = item.IsSeparator();
  const std::wstring text = MeasureText(item.Caption, item.ShortCutText, separator);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SIZE ampersand{};
  if (text.find(L'&') != std::wstring::npos) GetTextExtentPoint32W(dc, L"&", 1, &ampersand);
  int imageWidth = 0, imageHeight = 0;
  if (item.Menu().Images() && item.ImageIndex != -1)
    ImageList_GetIconSize(item.Menu().Images(), &imageWidth, &imageHeight);
  const int arrowRoom = item.Submenu() ? kSubmenuArrowRoom : 0;
  width = MeasureItemWidth(width, extent.cx + owner_.Scale(arrowRoom), ampersand.cx, imageWidth,
                           owner_.Scale(IconWidth));
  height = separator ? owner_.Scale(kSeparatorHeight) : MeasureItemHeight(height, false, extent.cy, imageHeight);
}

}  // namespace huemira
