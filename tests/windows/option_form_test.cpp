// The options window under Wine: its pages and openers, the settings it
// reads once and writes on confirm and default, the dialog keys, and the
// help text.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/build_info.h"
#include "app/settings.h"
#include "app/wrapped_lines.h"
#include "framework/clipboard.h"
#include "framework/text.h"
#include "window_test_support.h"

namespace huemira {
namespace {

void ClickButton(TFlatButton& button) {
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// A key as the message loop's dialog handling sees it; true when it took it.
bool DialogKey(HWND dialog, WPARAM key) {
  MSG message{GetFocus(), WM_KEYDOWN, key, 1};
  return IsDialogMessageW(dialog, &message) != FALSE;
}

std::wstring SourceFile(const char* name) {
  std::ifstream file(std::string(HUEMIRA_SOURCE_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return Utf8ToWide(text.str());
}

std::wstring WithCrLf(const std::wstring& text) {
  std::wstring result;
  for (wchar_t c : text) {
    if (c == L'\n') result += L'\r';
    result += c;
  }
  return result;
}

TEST_F(MainFormTest, OptionsWindowHasItsFrameSizeAndTabs) {
  StartMainForm();
  const HWND window = optionForm->Handle();
  EXPECT_EQ(optionForm->Text(), L"Huemira-选项");
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 417);
  EXPECT_EQ(client.bottom, 279);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT tabs;
  GetClientRect(optionForm->PageControl_Option.Handle(), &tabs);
  EXPECT_EQ(tabs.right, 417);
  EXPECT_EQ(tabs.bottom, 279);
  EXPECT_EQ(optionForm->PageControl_Option.PageCaption(0), L"  关于  ");
  EXPECT_EQ(optionForm->PageControl_Option.PageCaption(1), L"  选项  ");
  EXPECT_EQ(optionForm->PageControl_Option.PageCaption(2), L"  帮助  ");
  EXPECT_FALSE(optionForm->Visible()) << "created hidden";
  EXPECT_EQ(optionForm->Label_Version.Caption(), std::wstring(L"版本 ") + kVersion + L" · 免费软件");
  // This build sets no addresses: no link to nowhere.
  EXPECT_EQ(IsWindowVisible(optionForm->Label1_Email.Handle()) != FALSE, kContactEmail[0] != L'\0');
  EXPECT_EQ(IsWindowVisible(optionForm->Label11.Handle()) != FALSE, kWebsite[0] != L'\0');
}

TEST_F(MainFormTest, EachOpenerShowsTheWindowModallyCentredAtItsPage) {
  StartMainForm();
  struct Seen {
    int page = -1;
    bool modal = false;
    bool mainEnabled = true;
    bool onlyThatPageShown = false;
    HWND focus = nullptr;
    RECT frame{};
  };
  // focusAgain: on a virtual screen with no window manager, the desktop may
  // take the foreground back when a window hides; the window is then given
  // the focus as an activation would.
  const auto open = [this](const std::function<void()>& opener, bool focusAgain) {
    Seen seen;
    WhenModal([&] {
      if (focusAgain) ::SetFocus(optionForm->Handle());
      PageControl& pages = optionForm->PageControl_Option;
      seen.page = pages.ActivePageIndex();
      seen.modal = optionForm->Modal() && optionForm->Visible();
      seen.mainEnabled = IsWindowEnabled(form->Handle()) != FALSE;
      seen.onlyThatPageShown = true;
      for (int page = 0; page < pages.PageCount(); ++page)
        seen.onlyThatPageShown &= (IsWindowVisible(pages.PageHandle(page)) != FALSE) == (page == seen.page);
      seen.focus = GetFocus();
      GetWindowRect(optionForm->Handle(), &seen.frame);
      optionForm->Close();
    });
    opener();
    return seen;
  };

  const Seen fromButton = open([this] { form->BitBtn_Option.Click(); }, false);
  EXPECT_EQ(fromButton.page, TForm_Option::kOptionsPage);
  EXPECT_TRUE(fromButton.modal);
  EXPECT_FALSE(fromButton.mainEnabled);
  EXPECT_TRUE(fromButton.onlyThatPageShown);
  EXPECT_EQ(fromButton.focus, optionForm->Edit_LSign.Handle()) << "the first field takes the keys";
  EXPECT_NEAR(fromButton.frame.left + fromButton.frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(fromButton.frame.top + fromButton.frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
  EXPECT_FALSE(optionForm->Visible());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));

  const Seen help = open([this] { optionForm->ShowAtPage(TForm_Option::kHelpPage); }, true);
  EXPECT_EQ(help.page, TForm_Option::kHelpPage);
  EXPECT_TRUE(help.onlyThatPageShown);
  EXPECT_EQ(help.focus, optionForm->MemoAbout.Handle()) << "the wheel scrolls the text at once";

  const Seen about = open([this] { optionForm->ShowAtPage(TForm_Option::kAboutPage); }, true);
  EXPECT_EQ(about.page, TForm_Option::kAboutPage);
  EXPECT_TRUE(about.onlyThatPageShown);
  EXPECT_EQ(about.focus, optionForm->PageControl_Option.Handle()) << "arrows switch pages from there";
}

TEST_F(MainFormTest, OpeningWhileOpenOnlySwitchesThePage) {
  StartMainForm();
  int pageAfter = -1;
  WhenModal([&] {
    optionForm->ShowAtPage(TForm_Option::kHelpPage);  // the tray's "帮助" while the window is open
    pageAfter = optionForm->PageControl_Option.ActivePageIndex();
    EXPECT_TRUE(optionForm->Visible());
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);
  EXPECT_EQ(pageAfter, TForm_Option::kHelpPage);
  EXPECT_FALSE(optionForm->Visible());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(MainFormTest, ConfirmSavesPrefixSuffixAndCaseAndShowsTheFirstHistoryColorSo) {
  StartMainForm();
  form->ScrollBar_G.SetPosition(0);  // the current colour is no longer the first history colour
  WhenModal([&] {
    optionForm->Edit_LSign.SetText(L"#");
    optionForm->drpLowerOrUpper.SetItemIndex(1);
    ClickButton(optionForm->FlatButton_Config);
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);

  EXPECT_EQ(SettingsText(), L"[Main]\r\nLowerOrUpper=upper\r\n[QeltColor]\r\nLSign=#\r\nRSign=\r\n");
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, L"设置成功!");
  EXPECT_EQ(messageBoxes[0].caption, L"信息");
  EXPECT_EQ(messageBoxes[0].type, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
  EXPECT_EQ(messageBoxes[0].owner, optionForm->Handle());
  EXPECT_EQ(form->Edit_GetColor.Text(), L"#FF5858");
  EXPECT_EQ(Clipboard(), L"#FF5858");
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 88, 88));
  EXPECT_EQ(form->ScrollBar_G.Position(), 88);
}

TEST_F(MainFormTest, ConfirmingUnchangedSettingsStillSavesThemAndShowsTheBox) {
  StartMainForm();
  form->ScrollBar_R.SetPosition(0);
  WhenModal([&] {
    optionForm->FlatButton_Config.Click();
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);
  EXPECT_EQ(SettingsText(), L"[Main]\r\nLowerOrUpper=lower\r\n[QeltColor]\r\nLSign=\r\nRSign=\r\n");
  EXPECT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858");
  EXPECT_EQ(Clipboard(), L"ff5858");
}

TEST_F(MainFormTest, DefaultWritesEmptyPrefixAndSuffixAndLowerCase) {
  PutSetting(L"QeltColor", L"LSign", L"<");
  PutSetting(L"QeltColor", L"RSign", L">");
  PutSetting(L"Main", L"LowerOrUpper", L"upper");
  StartMainForm();
  EXPECT_EQ(form->Edit_GetColor.Text(), L"<FF5858>");
  std::wstring prefixShown, suffixShown;
  int caseShown = -1;
  WhenModal([&] {
    prefixShown = optionForm->Edit_LSign.Text();
    suffixShown = optionForm->Edit_RSign.Text();
    caseShown = optionForm->drpLowerOrUpper.ItemIndex();
    ClickButton(optionForm->FlatButton_Restore);
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);

  EXPECT_EQ(prefixShown, L"<");
  EXPECT_EQ(suffixShown, L">");
  EXPECT_EQ(caseShown, 1);
  EXPECT_EQ(SettingsText(), L"[QeltColor]\r\nLSign=\r\nRSign=\r\n[Main]\r\nLowerOrUpper=lower\r\n");
  EXPECT_EQ(optionForm->Edit_LSign.Text(), L"");
  EXPECT_EQ(optionForm->Edit_RSign.Text(), L"");
  EXPECT_EQ(optionForm->drpLowerOrUpper.ItemIndex(), 0);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, L"设置成功恢复为默认状态!");
  EXPECT_EQ(messageBoxes[0].caption, L"信息");
  EXPECT_EQ(messageBoxes[0].type, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858");
  EXPECT_EQ(Clipboard(), L"ff5858");
}

TEST_F(MainFormTest, AFileThatCannotBeWrittenIsNamedInAWarningAndTheTypedTextIsKept) {
  StartMainForm();
  const std::wstring before = SettingsText();
  // Another program holds the file open and shares it with no one.
  const HANDLE held = CreateFileW(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  WhenModal([&] {
    Type(optionForm->Edit_LSign.Handle(), L"0x");
    Type(optionForm->Edit_RSign.Handle(), L";");
    optionForm->drpLowerOrUpper.SetItemIndex(1);
    ClickButton(optionForm->FlatButton_Config);
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);
  std::wstring prefixShown, suffixShown;
  int caseShown = -1;
  WhenModal([&] {
    prefixShown = optionForm->Edit_LSign.Text();
    suffixShown = optionForm->Edit_RSign.Text();
    caseShown = optionForm->drpLowerOrUpper.ItemIndex();
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);
  CloseHandle(held);

  EXPECT_EQ(SettingsText(), before) << "nothing could be written";
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].text.find(SettingsFilePath()), std::wstring::npos) << "a warning naming the file";
  EXPECT_EQ(messageBoxes[0].type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
  EXPECT_EQ(prefixShown, L"0x");
  EXPECT_EQ(suffixShown, L";");
  EXPECT_EQ(caseShown, 1);
}

TEST_F(MainFormTest, OptionsKeysTabThroughTheFieldsEnterConfirmsEscCloses) {
  StartMainForm();
  std::vector<HWND> forward, backward;
  size_t boxesAfterEnter = 0;
  WhenModal([&] {
    const HWND dialog = optionForm->Handle();
    forward.push_back(GetFocus());
    for (int step = 0; step < 6; ++step) {
      EXPECT_TRUE(DialogKey(dialog, VK_TAB));
      forward.push_back(GetFocus());
    }
    HoldKeys(false, true);
    for (int step = 0; step < 2; ++step) {
      DialogKey(dialog, VK_TAB);
      backward.push_back(GetFocus());
    }
    HoldKeys(false, false);
    optionForm->Edit_RSign.SetFocus();
    DialogKey(dialog, VK_RETURN);
    boxesAfterEnter = messageBoxes.size();
    DialogKey(dialog, VK_ESCAPE);
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);

  TForm_Option& o = *optionForm;
  const std::vector<HWND> order = {o.Edit_LSign.Handle(),        o.Edit_RSign.Handle(),
                                   o.drpLowerOrUpper.Handle(),   o.FlatButton_Config.Handle(),
                                   o.FlatButton_Restore.Handle(), o.PageControl_Option.Handle(),
                                   o.Edit_LSign.Handle()};
  EXPECT_EQ(forward, order);
  EXPECT_EQ(backward, (std::vector<HWND>{o.PageControl_Option.Handle(), o.FlatButton_Restore.Handle()}));
  EXPECT_EQ(boxesAfterEnter, 1u) << "Enter in a field confirms";
  EXPECT_FALSE(optionForm->Visible()) << "Esc closes the window";
}

TEST_F(MainFormTest, EnterOnTheDefaultButtonRestoresInsteadOfConfirming) {
  StartMainForm();
  WhenModal([&] {
    optionForm->FlatButton_Restore.SetFocus();
    DialogKey(optionForm->Handle(), VK_RETURN);
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, L"设置成功恢复为默认状态!");
}

TEST_F(MainFormTest, EnterConfirmsOnlyOnTheSettingsPage) {
  StartMainForm();
  for (int page : {TForm_Option::kAboutPage, TForm_Option::kHelpPage}) {
    WhenModal([&] {
      DialogKey(optionForm->Handle(), VK_RETURN);
      optionForm->Close();
    });
    optionForm->ShowAtPage(page);
    EXPECT_TRUE(messageBoxes.empty()) << "page " << page;
  }
  EXPECT_EQ(Setting(L"QeltColor", L"LSign"), L"") << "nothing was confirmed";
}

TEST_F(MainFormTest, AnyTypedPrefixAndSuffixReadBackExactly) {
  StartMainForm();
  for (const auto& [prefix, suffix] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"颜色:", L" ;"}, {L"\"#", L"\""}, {L"' ", L"=x'"}}) {
    WhenModal([&] {
      optionForm->Edit_LSign.SetText(prefix);
      optionForm->Edit_RSign.SetText(suffix);
      ClickButton(optionForm->FlatButton_Config);
      optionForm->Close();
    });
    optionForm->ShowAtPage(TForm_Option::kOptionsPage);
    EXPECT_EQ(Setting(L"QeltColor", L"LSign"), prefix);
    EXPECT_EQ(Setting(L"QeltColor", L"RSign"), suffix);
    EXPECT_EQ(form->Edit_GetColor.Text(), prefix + L"ff5858" + suffix);
  }
}

TEST_F(MainFormTest, TheOptionFieldsPasteWithCtrlVAndTheContextMenu) {
  StartMainForm();
  SetClipboardText(L"0x");
  Type(optionForm->Edit_LSign.Handle(), L"\x16");  // Ctrl+V as the keyboard types it
  EXPECT_EQ(optionForm->Edit_LSign.Text(), L"0x");
  SetClipboardText(L";\r\nsecond line");
  SendMessageW(optionForm->Edit_RSign.Handle(), WM_PASTE, 0, 0);  // what the menu's "Paste" sends
  EXPECT_EQ(optionForm->Edit_RSign.Text(), L";") << "a single-line field keeps the first line";
}

TEST_F(MainFormTest, TheHelpPageHoldsTheDescriptionTheLicenceAndTheLibraryNotices) {
  StartMainForm();
  Memo& memo = optionForm->MemoAbout;
  const std::wstring text = memo.Text();
  EXPECT_EQ(text.rfind(std::wstring(L"Huemira ") + kVersion + L"\r\n", 0), 0u);
  for (const wchar_t* fact : {L"免费软件", L"Windows 7", L"Ctrl+B", L"88 种颜色", L"PCX", L"TIFF", L"屏幕取色"})
    EXPECT_NE(text.find(fact), std::wstring::npos) << fact;
  // The licence and the notices as the files have them, each paragraph on one line.
  EXPECT_NE(text.find(WithCrLf(JoinWrappedLines(SourceFile("LICENSE")))), std::wstring::npos);
  EXPECT_NE(text.find(WithCrLf(JoinWrappedLines(SourceFile("THIRD-PARTY-NOTICES")))), std::wstring::npos);
  for (const wchar_t* notice : {L"based in part on the work of the Independent JPEG Group", L"libjpeg-turbo",
                                L"PNG Reference Library License version 2", L"Sam Leffler", L"Jean-loup Gailly"})
    EXPECT_NE(text.find(notice), std::wstring::npos) << notice;
  EXPECT_LT(text.find(L"MIT License"), text.find(L"libjpeg-turbo 2")) << "the licence comes before the notices";

  const LONG_PTR style = GetWindowLongPtrW(memo.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & WS_VSCROLL);
  int firstLineAfterWheel = 0;
  WhenModal([&] {
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    RECT r;
    GetWindowRect(memo.Handle(), &r);
    SendMessageW(memo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(r.left + 20, r.top + 20));
    firstLineAfterWheel = memo.FirstVisibleLine();
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kHelpPage);
  EXPECT_GT(firstLineAfterWheel, 0);
}

}  // namespace
}  // namespace huemira
