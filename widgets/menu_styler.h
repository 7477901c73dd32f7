// The flat menu look: while active, TMenuStyler measures and draws the
// entries of its form's popup menus itself: a coloured icon column, a
// framed selection box, flat separator lines, faded icons, grey icons for
// disabled entries and drawn check marks. Entries tagged 999 keep their own
// drawing.
//
// The styler can in principle also repaint ordinary controls flat; that is
// governed by the two kind sets below and is switched off in this program
// (no container kinds), so only the menus are taken over.
#pragma once

#include <bitset>
#include <initializer_list>

#include "framework/color.h"
#include "framework/fonts.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/popup_menu.h"
#include "widgets/menu_colors.h"

namespace huemira {

enum class XPControl {
  xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcEdit, xcMaskEdit, xcMemo,
  xcRichEdit, xcCheckBox, xcRadioButton, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox
};
enum class XPContainer {
  xccForm, xccFrame, xccToolbar, xccCoolbar, xccControlbar, xccPanel, xccScrollBox, xccGroupBox,
  xccTabSheet, xccPageScroller
};

template <typename Member, std::size_t kCount>
class EnumSet {
 public:
  EnumSet() = default;
  EnumSet(std::initializer_list<Member> members) {
    for (Member member : members) bits_.set(static_cast<std::size_t>(member));
  }
  static EnumSet All() {
    EnumSet all;
    all.bits_.set();
    return all;
  }
  bool Contains(Member member) const { return bits_.test(static_cast<std::size_t>(member)); }
  bool operator==(const EnumSet& other) const { return bits_ == other.bits_; }
  bool operator!=(const EnumSet& other) const { return bits_ != other.bits_; }

 private:
  std::bitset<kCount> bits_;
};
using TXPControls = EnumSet<XPControl, 16>;
using TXPContainers = EnumSet<XPContainer, 10>;

// Tag of an entry that keeps its own drawing.
inline constexpr int kOwnDrawingTag = 999;

class TMenuStyler {
 public:
  explicit TMenuStyler(Form& owner);
  // Hands every entry back to its own or the system's drawing.
  ~TMenuStyler();
  TMenuStyler(const TMenuStyler&) = delete;
  TMenuStyler& operator=(const TMenuStyler&) = delete;

  // Read at every draw.
  int DimLevel = 30;   // how far icons of enabled, unselected entries are faded, in percent
  int GrayLevel = 10;  // brightness added to the grey of disabled entries' icons
  TColor Color = clBtnFace;
  TColor IconBackColor = clBtnFace;
  TColor SelectColor = clHighlight;
  TColor SelectBorderColor = clHighlight;
  TColor SelectFontColor = clMenuText;
  TColor DisabledColor = clInactiveCaption;
  TColor SeparatorColor = clBtnFace;
  TColor CheckedColor = clHighlight;
  int IconWidth = 24;
  bool DrawSelect = true;
  bool Gradient = false;
  bool FlatMenu = false;
  // Becomes active when an entry is added to one of the form's menus.
  bool AutoDetect = false;

  // The entries' font. With system colours on, every draw takes the
  // system's menu font instead, so this one serves only measurements
  // made before the first draw.
  void SetFont(const FontDescription& font);
  TColor MenuBarColor() const { return menuBarColor_; }
  void SetMenuBarColor(TColor color);
  bool UseSystemColors() const { return useSystemColors_; }
  void SetUseSystemColors(bool use);
  // Takes over entries that already have their own handlers too; applies
  // from the next hooking.
  bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
  void SetOverrideOwnerDraw(bool override) { overrideOwnerDraw_ = override; }
  const TXPControls& XPControls() const { return xpControls_; }
  void SetXPControls(const TXPControls& controls);
  const TXPContainers& XPContainers() const { return xpContainers_; }
  void SetXPContainers(const TXPContainers& containers);
  bool Active() const { return active_; }
  void SetActive(bool active);

  // The operations the hooked entries call; they do nothing while inactive.
  void MeasureItem(MenuItem& item, HDC dc, int& width, int& height);
  void DrawItem(MenuItem& item, HDC dc, const RECT& rect, bool selected);

 private:
  void ApplyHooks(bool enable);
  void Hook(MenuItem& item);
  void Unhook(MenuItem& item) const;
  void HookSiblings(MenuItem& item);
  void RedrawMenuBar() const;
  // With the system's colours the styler takes the system's menu font too,
  // read at each use at the owner's resolution: the user may change it, and
  // the owner may move to a monitor of another resolution.
  void FollowSystemLook();
  // The surface shows more than 15 bits per pixel.
  static bool Deep(HDC surface);
  MenuColors Colors(HDC surface, bool deep) const;
  // dc: where the entry is drawn; surface: the menu's own, whose depth and
  // colours count.
  void PaintItem(MenuItem& item, HDC dc, HDC surface, const RECT& rect, bool selected);

  Form& owner_;
  UniqueFont font_;
  TColor fontColor_ = clMenuText;
  TColor menuBarColor_ = clBtnFace;
  bool useSystemColors_ = true;
  bool overrideOwnerDraw_ = false;
  TXPControls xpControls_ = TXPControls::All();
  TXPContainers xpContainers_ = TXPContainers::All();
  bool active_ = false;
};

// The system's menu font at a resolution, as the non-client metrics give it now.
UniqueFont SystemMenuFont(UINT dpi);

}  // namespace huemira
