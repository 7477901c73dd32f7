// A top-level window built from a list of controls: sized by its client
// area, owned by the application window, with hints, modal showing, and the
// notifications of its controls passed back to them. The numbers of a
// form's description are pixels at 96 dpi; the form scales them, its
// controls' bounds and its fonts to its monitor's resolution, and again when
// it is moved to a monitor of another resolution.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/dpi.h"
#include "framework/fonts.h"
#include "framework/handles.h"
#include "framework/window.h"

namespace huemira {

enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class PopupMenu;

class Form : public Window {
 public:
  struct Args {
    const wchar_t* className;
    std::wstring caption;
    int clientWidth = 0;
    int clientHeight = 0;
    DWORD style = WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = 0;
    HBRUSH background = nullptr;
    // The whole window's size instead of the client area's, for forms
    // described that way (0: the client size counts).
    int outerWidth = 0;
    int outerHeight = 0;
  };

  // The resolution the form is laid out for: its monitor's.
  UINT Dpi() const { return dpi_; }
  // A length of the form's description in pixels at the form's resolution.
  int Scale(int value) const { return ScaleToDpi(value, static_cast<int>(dpi_)); }
  RECT Scale(const RECT& bounds) const { return ScaleBounds(bounds, dpi_); }

  // The form's font: the system's dialog font at the form's resolution.
  HFONT Font() const;
  // The font of a description at the form's resolution. The form owns it
  // for its own lifetime; after a change of resolution its controls that
  // show such a font get the description's font at the new one.
  HFONT ScaledFont(const FontDescription& description) const;
  // The description a font of ScaledFont was made from; none for another font.
  std::optional<FontDescription> DescriptionOf(HFONT font) const;
  // Shows text as the hint of a window of this form, through the
  // application's hint machinery (Application::Hints).
  void AddHint(HWND control, const std::wstring& text);

  // The normal show path: raises OnShow whenever the form did not count
  // as shown, also when something else already made its window visible.
  void Show();
  void Hide();
  // Shows the form and runs a nested message loop until it closes, the
  // other windows of the program disabled meanwhile.
  int ShowModal();
  bool Modal() const { return modal_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // What the close box does.
  void Close() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }
  // Moves the window to the middle of the screen, its z-order kept.
  void CenterOnScreen();

  // Paints the form's own face: the background colour unless one is set.
  void SetBackgroundColor(COLORREF color);

  // Raised each time the form is shown after being hidden.
  std::function<void()> OnShow;
  // Raised when the form is closing (close box, Close()).
  std::function<void()> OnClose;
  std::function<void()> OnDblClick;
  // Draws on the form's client area (frames around groups of controls).
  std::function<void(HDC dc)> OnPaint;
  // Raised when the form and its controls have been laid out for another
  // resolution: for what the form's own code made at a size (bitmaps).
  std::function<void()> OnDpiChanged;

  // The popup menus made for this form, in the order they were made.
  const std::vector<PopupMenu*>& Menus() const { return menus_; }
  // Raised when an entry is added to one of the form's menus.
  std::function<void(PopupMenu& menu)> OnMenuItemInserted;

 protected:
  // isMainForm: closing it destroys it, which ends the program; other forms hide.
  void CreateForm(const Args& args, bool isMainForm);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Menu command (WM_COMMAND from a menu); returns true when handled.
  virtual bool HandleMenuCommand(UINT id) { return false; }

 private:
  struct ScaledFontEntry {
    FontDescription description;
    UINT dpi;
    UniqueFont font;
  };

  void RaiseShow();
  SIZE ScaledClientSize() const { return SIZE{Scale(logicalClient_.cx), Scale(logicalClient_.cy)}; }
  // Lays the form and its controls out for another resolution; suggested:
  // the platform's place for the window at it.
  void ChangeDpi(UINT dpi, const RECT& suggested);
  void FitClientArea();

  bool isMainForm_ = false;
  // Whether the form counts as shown: its show event ran since it was last
  // hidden. Not the window's visibility, which a window-position call may
  // change without a show message.
  bool shown_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  UniqueBrush background_;
  UINT dpi_ = kDefaultDpi;
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  SIZE logicalClient_{};  // at 96 dpi
  // Every font made for the form, at every resolution it had: a font handed
  // out stays valid for as long as the form.
  mutable std::vector<ScaledFontEntry> fonts_;
  friend class PopupMenu;
  std::vector<PopupMenu*> menus_;
};

}  // namespace huemira
