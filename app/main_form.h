// The main window: one current colour shown four ways (sliders, RGB fields,
// swatch, code box), kept in step through the state words held in
// invisible fields, plus the eight newest history swatches.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/copy_as_menu.h"
#include "app/display_profiles.h"
#include "app/history_colors.h"
#include "app/hotkey_pick.h"
#include "app/hotkey_text.h"
#include "app/screen_pick.h"
#include "color/web_color.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/open_picture_dialog.h"
#include "framework/panel.h"
#include "framework/popup_menu.h"
#include "framework/scroll_bar.h"
#include "framework/timer.h"
#include "widgets/flat_button.h"
#include "widgets/flat_hint.h"
#include "widgets/menu_styler.h"
#include "widgets/notify_icon.h"

namespace huemira {

// State words; the first of each pair is the rest state.
inline constexpr wchar_t kScrollEdit[] = L"Scroll-Edit";
inline constexpr wchar_t kEditScroll[] = L"Edit-Scroll";
inline constexpr wchar_t kColorDrivesCode[] = L"TColor-WebColor";
inline constexpr wchar_t kCodeDrivesColor[] = L"WebColor-TColor";
inline constexpr wchar_t kShown[] = L"Show";
inline constexpr wchar_t kHidden[] = L"Hide";

// The global hotkeys' ids: showing and hiding the window, starting a pick.
inline constexpr int kHotKeyId = 101;
inline constexpr int kPickHotKeyId = 102;
enum class HotkeyAction { kShowHide, kPick };
// Background of the RGB fields, the code box and the fields that look like
// it (colour value 8186867).
inline constexpr COLORREF kFieldBackground = 8186867;

class TForm_Contrast;
class TForm_HistoryColor;
class TForm_Option;
class TForm_Palette;
class TForm_PImage;
class PaletteLibrary;
class TForm_ShowColor;

class TMainForm : public Form {
 public:
  // A second start of the program finds the running copy by it.
  static constexpr wchar_t kClassName[] = L"HuemiraMainForm";

  explicit TMainForm(HistoryColors& history);
  ~TMainForm() override;
  // Creates the window and its controls and runs the start-up (FormCreate).
  void Create();
  // The windows created after this one that its buttons and menus open.
  void AttachWindows(TForm_PImage& picture, TForm_ShowColor& showColor, TForm_Option& option,
                     TForm_HistoryColor& historyColor);

  TColor CurrentColor() const { return Panel_ShowColor.Color(); }
  void ShowColorOnSliders(TColor color);
  void ShowColorInFields(TColor color);
  // Makes a swatch's colour current without touching the history.
  void ApplySwatchColor(int slot);
  // Puts a colour into history slot 1, the older ones moving one slot on.
  void PushHistoryColor(TColor color);
  // What the options window changes: the letter case of the code box (the
  // text in it follows at once), and then a click on the first swatch, which
  // shows the newest colour in the new form.
  // The contrast window's codes follow too.
  void SetCodeLetterCase(CharCase letterCase);
  void ClickFirstSwatch() { FlatButton_HC[0].Click(); }
  // The letter case the code box shows codes in.
  HexLetterCase CodeLetterCase() const;
  // A colour chosen in another window (a picture, the contrast window's
  // proposals): current, pushed into the history and copied.
  void TakePickedColor(TColor color);
  // The contrast window, made the first time it is asked for.
  TForm_Contrast& ContrastForm();
  // The key that runs an action; none while no key is registered for it
  // (its stored key was taken by another program at the start).
  std::optional<Hotkey> RegisteredHotkey(HotkeyAction action) const;
  // Registers hotkey for the action in place of its current key. False,
  // keeping the current key, when another program or the other action
  // holds it.
  bool ChangeHotkey(HotkeyAction action, Hotkey hotkey);

  // The palettes that the swatch menu and the palette window work on.
  void AttachPalettes(PaletteLibrary& palettes) { palettes_ = &palettes; }
  // Null until attached; ReferenceNearest gives the reference's nearest entry.
  PaletteLibrary* Palettes() const { return palettes_; }
  // The palette window, made the first time it is asked for (palettes attached).
  TForm_Palette& PaletteForm();

  ScrollBar ScrollBar_R, ScrollBar_G, ScrollBar_B;
  Edit Edit_R, Edit_G, Edit_B;
  Button BitBtn_PScreen, BitBtn_PBox, BitBtn_PImage, BitBtn_Option;
  Panel Panel_ShowColor;
  Edit Edit_GetColor;
  std::array<TFlatButton, HistoryColors::kMainWindowSlots> FlatButton_HC;  // [0] is FlatButton_HC1
  TFlatButton FlatButton_MoreHistoryColor;
  Edit Edit_Mode, Edit_ScrollMode, Edit_HotKey;
  // Each monitor's way from display values back to sRGB.
  DisplayProfiles DisplayProfiles1;
  // Its sampling timer is the main window's Timer_CheckScreenColor.
  ScreenPick ScreenPick1;
  // The pick that the pick hotkey starts; it works while the window is hidden.
  HotkeyPick HotkeyPick1;
  UniqueImageList ImageList_ShowColorMenu;
  PopupMenu PopupMenu_ShowColor{*this};
  // The "复制为" submenu of PopupMenu_ShowColor.
  CopyAsMenu CopyAsMenu_ShowColor{[this] { return CurrentColor(); }, [this] { return CodeLetterCase(); }};
  // Images of the tray menu: exit, help, hide, about, show, options.
  UniqueImageList ImageList_TrayPopMenu;
  PopupMenu PopupMenu_Tray{*this};
  // Declared after its menu, which it uses until it is gone.
  TNotifyIcon NotifyIcon1;
  // The tray menu's entries (the even ones are separators).
  UINT N1 = 0, N3 = 0, N5 = 0, N7 = 0, N9 = 0, N11 = 0;
  OpenPictureDialog MyOpenPictureDialog;
  TFlatHint FlatHint1;
  // After the menus: it hands them back before they go.
  TMenuStyler MenuStyler1{*this};

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void CreateTrayIcon();
  void CreateMenuStyler();
  void FormCreate();
  void LoadStartColors();
  void FormShow();
  void FormClose();
  // Writes HC1..HC88 in one step; a session end and the close box both come
  // here. A history already written as it stands is not written again. A
  // failure is told unless the session is ending, when no box can be seen.
  enum class SaveFailure { Tell, Quiet };
  void SaveHistory(SaveFailure failure);

  bool AtRest() const;
  void ShowColorInSwatchAndCode(TColor color);

  void ScrollBarChange(ScrollBar& slider, Edit& field);
  void EditChange(Edit& field, ScrollBar& slider);
  void EditEnter();
  void EditExit(Edit& field);
  void EditKeyPress(Edit& field, wchar_t& key);
  void Edit_GetColorChange();
  void Edit_GetColorEnter();
  void Edit_GetColorExit();
  void Edit_GetColorKeyPress(wchar_t& key);
  bool Edit_GetColorKeyDown(WPARAM key);
  void Edit_GetColorDblClick();

  void BitBtn_PScreenMouseDown();
  void Timer_CheckScreenColorTimer(TColor color);
  void BitBtn_PScreenMouseUp();
  void ScreenPickFinish();
  // Esc during a pick: the colour from before the press comes back,
  // and nothing is pushed or copied.
  void ScreenPickCancel();
  void BitBtn_PBoxClick();
  void BitBtn_PImageClick();
  void HandleDroppedFiles(HDROP drop);
  // Prepares a picture file for the picture window and shows it there.
  void OpenPicture(const std::wstring& fileName, bool modal);
  void Panel_ShowColorDblClick();
  void N_AddToHistoryClick();
  void N_ContrastClick();
  void N_AddToPaletteClick();
  void N_PaletteClick();
  void BitBtn_OptionClick();
  void FlatButton_MoreHistoryColorClick();

  void NotifyIcon1Click();
  void N1Click();
  void N3Click();
  void N5Click();
  void N7Click();
  void N9Click();
  void N11Click();

  void HandleHotKey(WPARAM id);
  bool HandleSysCommand(WPARAM command);
  void ShowFromHidden();

  HistoryColors& history_;
  TForm_PImage* pictureForm_ = nullptr;
  // True while a picture is being opened; a second one is ignored.
  bool openingPicture_ = false;
  TForm_ShowColor* showColorForm_ = nullptr;
  TForm_Option* optionForm_ = nullptr;
  TForm_HistoryColor* historyForm_ = nullptr;
  std::unique_ptr<TForm_Contrast> contrastForm_;
  PaletteLibrary* palettes_ = nullptr;
  std::unique_ptr<TForm_Palette> paletteForm_;
  std::optional<HistoryColors::Colors> savedHistory_;
  std::array<std::optional<Hotkey>, 2> hotkeys_;
  TColor colorBeforePick_ = 0;
  // While set, a change of the code box copies nothing.
  bool quietCodeChange_ = false;
};

// Whether Ctrl alone is held: Ctrl+V pastes into the code fields.
bool OnlyControlHeld();

// Brings a window to the front even while another program is active.
bool ForceForeground(HWND window);

}  // namespace huemira
