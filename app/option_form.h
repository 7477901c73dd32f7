// The options window: an about page, the settings page (prefix, suffix and
// letter case of web colour codes) and the help page with the description
// and the licences. Created once at start-up, shown modally at the page
// each opener asks for.
#pragma once

#include "framework/combo_box.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/memo.h"
#include "framework/page_control.h"
#include "widgets/flat_button.h"

namespace huemira {

class TMainForm;

class TForm_Option : public Form {
 public:
  enum Page : int { kAboutPage = 0, kOptionsPage = 1, kHelpPage = 2 };

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

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateAboutPage(SIZE page);
  void CreateSettingsPage(SIZE page);
  void CreateHelpPage(SIZE page);
  void FormCreate();

  void FlatButton_ConfigClick();
  void FlatButton_RestoreClick();
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
