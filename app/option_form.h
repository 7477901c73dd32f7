// The options window: an about page, the settings page (prefix, suffix and
// letter case of web colour codes), the help page with the description and
// the licences, and the pick page (sample size, frozen screen, hotkeys). Created once at start-up, shown modally at the page
// each opener asks for.
#pragma once

#include "framework/check_box.h"
#include "framework/combo_box.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/hotkey_field.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/memo.h"
#include "framework/page_control.h"
#include "widgets/flat_button.h"

namespace huemira {

class TMainForm;

class TForm_Option : public Form {
 public:
  enum Page : int { kAboutPage = 0, kOptionsPage = 1, kHelpPage = 2, kPickPage = 3 };

  explicit TForm_Option(TMainForm& mainForm);
  // Creates the window hidden and runs FormCreate, which reads the settings.
  void Create();
  // Selects the page, then shows the window modally. While the window is
  // already open, this only selects the page.
  void ShowAtPage(int pageIndex);

  PageControl PageControl_Option;

  Image Image_Logo;
  Label Label_Name, Label_Version, Label_Credit1, Label_Credit2, Label_Copyright;
  LinkLabel Label1_Email, Label11;

  Image Image2;
  Label Label_LSign, Label_RSign, Label_LowerOrUpper;
  Edit Edit_LSign, Edit_RSign;
  ComboBox drpLowerOrUpper;
  TFlatButton FlatButton_Config, FlatButton_Restore;

  Memo MemoAbout;

  // The pick page's picture as a brush for its check box, which outlives it.
  UniqueBrush PickBackdropBrush;
  Image Image_PickBackdrop;
  Label Label_SampleSize, Label_Values, Label_ShowHideKey, Label_PickKey, Label_KeyProblem;
  ComboBox drpSampleSize, drpValues;
  CheckBox CheckBox_Freeze;
  HotkeyField HotKey_ShowHide, HotKey_Pick;
  TFlatButton FlatButton_PickConfig, FlatButton_PickRestore;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateAboutPage(SIZE page);
  void CreateSettingsPage(SIZE page);
  void CreateHelpPage(SIZE page);
  void CreatePickPage(SIZE page);
  // The pick page shows the settings as they are at each opening: picks
  // change the sample size.
  void LoadPickPage();
  void FormCreate();

  void FlatButton_ConfigClick();
  void FlatButton_RestoreClick();
  void FlatButton_PickConfigClick();
  void FlatButton_PickRestoreClick();
  // Registers the fields' keys and stores the pick page; the page tells of
  // a key it could not take.
  void ApplyPickPage(const std::wstring& success);
  void TellSaved(bool saved, const std::wstring& success);
  void Label1_EmailClick();
  void Label11Click();

  // Enter and Esc, as the message loop's dialog keys deliver them.
  bool HandleDialogCommand(WPARAM command);
  // Where the keyboard goes when the window becomes active again.
  void RestoreFocus();

  TMainForm& mainForm_;
  HWND lastFocus_ = nullptr;
};

}  // namespace huemira
