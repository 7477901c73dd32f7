// The main window: one current colour shown four ways (sliders, RGB fields,
// swatch, code box), kept in step through the state words held in
// invisible fields, plus the eight newest history swatches.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <string>

#include "app/history_colors.h"
#include "app/web_color.h"
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

inline constexpr int kHotKeyId = 101;

class TForm_HistoryColor;
class TForm_Option;
class TForm_PImage;
class TForm_ShowColor;

class TMainForm : public Form {
 public:
  explicit TMainForm(HistoryColors& history);
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
  void SetCodeLetterCase(CharCase letterCase) { Edit_GetColor.SetCharCase(letterCase); }
  void ClickFirstSwatch() { FlatButton_HC[0].Click(); }

  ScrollBar ScrollBar_R, ScrollBar_G, ScrollBar_B;
  Edit Edit_R, Edit_G, Edit_B;
  Button BitBtn_PScreen, BitBtn_PBox, BitBtn_PImage, BitBtn_Option;
  Panel Panel_ShowColor;
  Edit Edit_GetColor;
  std::array<TFlatButton, HistoryColors::kMainWindowSlots> FlatButton_HC;  // [0] is FlatButton_HC1
  TFlatButton FlatButton_MoreHistoryColor;
  Edit Edit_Mode, Edit_ScrollMode, Edit_HotKey;
  Timer Timer_CheckScreenColor{100};
  UniqueImageList ImageList_ShowColorMenu;
  PopupMenu PopupMenu_ShowColor{*this};
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
  // Writes HC1..HC88; a session end and the close box both come here, and
  // the keys are written once per run.
  void SaveHistory();

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
  void Timer_CheckScreenColorTimer();
  void BitBtn_PScreenMouseUp();
  void BitBtn_PBoxClick();
  void BitBtn_PImageClick();
  void HandleDroppedFiles(HDROP drop);
  // Prepares a picture file for the picture window and shows it there.
  void OpenPicture(const std::wstring& fileName, bool modal);
  // A colour from the palette or a picture: current, pushed and copied.
  void TakePickedColor(TColor color);
  void Panel_ShowColorDblClick();
  void N_AddToHistoryClick();
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
  TForm_ShowColor* showColorForm_ = nullptr;
  TForm_Option* optionForm_ = nullptr;
  TForm_HistoryColor* historyForm_ = nullptr;
  bool historySaved_ = false;
  UniqueFont fieldFont_;
};

// Brings a window to the front even while another program is active.
bool ForceForeground(HWND window);

}  // namespace huemira
