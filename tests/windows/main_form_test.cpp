// The main window under Wine: start-up, the four views kept in step, the key
// filters, and closing.
#include <gtest/gtest.h>

#include "color/web_color.h"
#include "framework/clipboard.h"
#include "window_test_support.h"

namespace huemira {
namespace {

TEST_F(MainFormTest, FirstStartWritesOnlyTheLetterCaseAndShowsFF5858) {
  StartMainForm();
  EXPECT_EQ(SettingsText(), L"[Main]\r\nLowerOrUpper=lower\r\n");
  EXPECT_EQ(Clipboard(), L"ff5858");
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858");
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 88, 88));
  EXPECT_EQ(form->ScrollBar_R.Position(), 255);
  EXPECT_EQ(form->ScrollBar_G.Position(), 88);
  EXPECT_EQ(form->ScrollBar_B.Position(), 88);
  EXPECT_EQ(form->Edit_R.Text(), L"255");
  EXPECT_EQ(form->Edit_G.Text(), L"88");
  EXPECT_EQ(form->Edit_B.Text(), L"88");
  EXPECT_EQ(form->Edit_ScrollMode.Text(), L"Scroll-Edit");
  EXPECT_EQ(form->Edit_Mode.Text(), L"TColor-WebColor");
  EXPECT_EQ(form->Edit_HotKey.Text(), L"Show");
  const wchar_t* defaults[] = {L"FF5858", L"FFFF80", L"80FF80", L"80FFFF", L"0080FF", L"FF8040", L"8000FF", L"008040"};
  for (int slot = 1; slot <= 8; ++slot)
    EXPECT_EQ(SixDigitForm(form->FlatButton_HC[slot - 1].Color()), defaults[slot - 1]) << slot;
}

TEST_F(MainFormTest, WindowHasItsClientSizeAtTheBottomRightAlwaysOnTop) {
  StartMainForm();
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 167);
  EXPECT_EQ(client.bottom, 200);
  RECT frame;
  GetWindowRect(form->Handle(), &frame);
  EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN) - 20);
  EXPECT_EQ(frame.bottom, GetSystemMetrics(SM_CYSCREEN) - 50);
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  wchar_t caption[32] = {};
  GetWindowTextW(form->Handle(), caption, 32);
  EXPECT_STREQ(caption, L"Huemira");
}

TEST_F(MainFormTest, StoredLetterCaseAndHistoryAreUsed) {
  PutSetting(L"Main", L"LowerOrUpper", L"Lower");  // anything but exactly "lower" is upper case
  PutSetting(L"HistoryColor", L"HC1", L"#00ff00");
  PutSetting(L"HistoryColor", L"HC4", L"123456");
  StartMainForm();
  EXPECT_EQ(form->Edit_GetColor.Text(), L"00FF00");
  EXPECT_EQ(Clipboard(), L"00FF00");
  EXPECT_EQ(form->ScrollBar_G.Position(), 255);
  EXPECT_EQ(form->FlatButton_HC[3].Color(), MakeColor(0x12, 0x34, 0x56));
}

TEST_F(MainFormTest, ABadStoredValueCostsOnlyItsOwnSlotAndTheOthersSurviveTheClose) {
  PutSetting(L"HistoryColor", L"HC1", L"zz");
  PutSetting(L"HistoryColor", L"HC2", L"010203");
  PutSetting(L"HistoryColor", L"HC3", L"zz");
  PutSetting(L"HistoryColor", L"HC4", L"040506");
  StartMainForm();
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858") << "a bad HC1 starts with its default";
  EXPECT_EQ(form->FlatButton_HC[1].Color(), MakeColor(1, 2, 3));
  EXPECT_EQ(SixDigitForm(form->FlatButton_HC[2].Color()), L"80FF80");
  EXPECT_EQ(form->FlatButton_HC[3].Color(), MakeColor(4, 5, 6));
  form->Close();
  Pump();
  EXPECT_EQ(Setting(L"HistoryColor", L"HC3"), L"80FF80");
  EXPECT_EQ(Setting(L"HistoryColor", L"HC4"), L"040506");
}

TEST_F(MainFormTest, ClosingWritesAll88KeysInUpperCase) {
  StartMainForm();
  history.Push(MakeColor(0xAB, 0xCD, 0xEF));
  form->Close();
  Pump();
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"ABCDEF");
  EXPECT_EQ(Setting(L"HistoryColor", L"HC2"), L"FF5858");
  EXPECT_EQ(Setting(L"HistoryColor", L"HC9"), L"008040");  // old slot 8 moved on
  for (int slot = 10; slot <= 88; ++slot) EXPECT_EQ(Setting(L"HistoryColor", HistoryColors::Key(slot)), L"FF5858");
}

TEST_F(MainFormTest, MovingASliderAtRestRewritesFieldSwatchCodeAndClipboard) {
  StartMainForm();
  form->ScrollBar_R.SetPosition(0);
  EXPECT_EQ(form->Edit_R.Text(), L"0");
  EXPECT_EQ(form->Edit_GetColor.Text(), L"005858");
  EXPECT_EQ(form->CurrentColor(), MakeColor(0, 88, 88));
  EXPECT_EQ(Clipboard(), L"005858");
  // The user's scroll arrives through the form as WM_HSCROLL.
  SendMessageW(form->Handle(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(form->ScrollBar_G.Handle()));
  EXPECT_EQ(form->Edit_G.Text(), L"89");
  EXPECT_EQ(Clipboard(), L"005958");
}

TEST_F(MainFormTest, TypingIntoAnRgbFieldMovesItsSliderAfterEachKey) {
  StartMainForm();
  form->Edit_G.SetFocus();
  EXPECT_EQ(form->Edit_ScrollMode.Text(), L"Edit-Scroll");
  form->Edit_G.SetText(L"");
  EXPECT_EQ(form->ScrollBar_G.Position(), 88) << "an empty field changes nothing";
  Type(form->Edit_G.Handle(), L"1");
  EXPECT_EQ(form->ScrollBar_G.Position(), 1);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff0158");
  Type(form->Edit_G.Handle(), L"2");
  EXPECT_EQ(form->ScrollBar_G.Position(), 12);
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 12, 88));
  EXPECT_EQ(Clipboard(), L"ff0c58");
  EXPECT_EQ(form->Edit_G.Text(), L"12") << "the slider's own handling stays quiet";
}

TEST_F(MainFormTest, RgbFieldKeyFilterReplacesAFullFieldAndDropsLetters) {
  StartMainForm();
  form->Edit_R.SetFocus();
  SendMessageW(form->Edit_R.Handle(), EM_SETSEL, 3, 3);
  Type(form->Edit_R.Handle(), L"7");
  EXPECT_EQ(form->Edit_R.Text(), L"7");
  EXPECT_EQ(form->ScrollBar_R.Position(), 7);
  Type(form->Edit_R.Handle(), L"x");
  EXPECT_EQ(form->Edit_R.Text(), L"7");
  Type(form->Edit_R.Handle(), L"99");
  Type(form->Edit_R.Handle(), L"q");  // a letter into a full field empties it
  EXPECT_EQ(form->Edit_R.Text(), L"");
  EXPECT_EQ(form->ScrollBar_R.Position(), 255);
}

TEST_F(MainFormTest, LeavingAnEmptiedFieldShowsZeroWithoutChangingTheColor) {
  StartMainForm();
  form->Edit_B.SetFocus();
  form->Edit_B.SetText(L"");
  form->Edit_GetColor.SetFocus();
  EXPECT_EQ(form->Edit_ScrollMode.Text(), L"Scroll-Edit");
  EXPECT_EQ(form->Edit_B.Text(), L"0");
  EXPECT_EQ(form->ScrollBar_B.Position(), 88);
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 88, 88));
}

TEST_F(MainFormTest, AValueAbove255StopsTheSliderAndTheColorAgreesWithIt) {
  StartMainForm();
  form->Edit_B.SetFocus();
  form->Edit_B.SetText(L"300");
  EXPECT_EQ(form->ScrollBar_B.Position(), 255);
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 88, 255));
}

TEST_F(MainFormTest, TypingACodeDrivesTheOtherViews) {
  StartMainForm();
  form->Edit_GetColor.SetFocus();
  EXPECT_EQ(form->Edit_Mode.Text(), L"WebColor-TColor");
  form->Edit_GetColor.SetText(L"");
  EXPECT_EQ(form->CurrentColor(), 0u) << "the empty code reads as black";
  Type(form->Edit_GetColor.Handle(), L"12AB");
  EXPECT_EQ(form->Edit_GetColor.Text(), L"12ab") << "the box is in lower-case mode";
  EXPECT_EQ(form->CurrentColor(), MakeColor(0x12, 0xAB, 0));
  Type(form->Edit_GetColor.Handle(), L"g#;\x03" L"ef");
  EXPECT_EQ(form->Edit_GetColor.Text(), L"12abef") << "only hex digits pass the filter";
  EXPECT_EQ(Clipboard(), L"12abef");
  EXPECT_EQ(form->ScrollBar_R.Position(), 0x12);
  EXPECT_EQ(form->ScrollBar_G.Position(), 0xAB);
  EXPECT_EQ(form->ScrollBar_B.Position(), 0xEF);
  EXPECT_EQ(form->Edit_B.Text(), L"239");
}

TEST_F(MainFormTest, AMalformedCodeKeepsTheColorAndTheTypedText) {
  StartMainForm();
  form->Edit_GetColor.SetFocus();
  SendMessageW(form->Edit_GetColor.Handle(), EM_SETSEL, 0, -1);
  SetClipboardText(L"0x1234");
  HoldKeys(true, false);
  SendMessageW(form->Edit_GetColor.Handle(), WM_KEYDOWN, 'V', 1);
  HoldKeys(false, false);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"0x1234");
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 88, 88));
}

TEST_F(MainFormTest, CtrlVPastesAtTheCaret) {
  StartMainForm();
  form->Edit_GetColor.SetFocus();
  SendMessageW(form->Edit_GetColor.Handle(), EM_SETSEL, 2, 4);
  SetClipboardText(L"AB");
  HoldKeys(true, false);
  SendMessageW(form->Edit_GetColor.Handle(), WM_KEYDOWN, 'V', 1);
  HoldKeys(false, false);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ffab58");
  EXPECT_EQ(Clipboard(), L"ffab58");
  EXPECT_EQ(form->CurrentColor(), MakeColor(0xFF, 0xAB, 0x58));
}

TEST_F(MainFormTest, CtrlVPastesAnyTextButCtrlShiftVDoesNot) {
  StartMainForm();
  form->Edit_GetColor.SetFocus();
  SendMessageW(form->Edit_GetColor.Handle(), EM_SETSEL, 0, -1);
  SetClipboardText(L"#00FF00");
  HoldKeys(true, true);
  SendMessageW(form->Edit_GetColor.Handle(), WM_KEYDOWN, 'V', 1);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858");
  HoldKeys(true, false);
  SendMessageW(form->Edit_GetColor.Handle(), WM_KEYDOWN, 'V', 1);
  HoldKeys(false, false);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"#00ff00");
  EXPECT_EQ(form->CurrentColor(), MakeColor(0, 255, 0));
  EXPECT_EQ(Clipboard(), L"#00ff00");
}

TEST_F(MainFormTest, LeavingAnEmptiedCodeBoxShowsPrefixZerosSuffixAndKeepsTheColor) {
  PutSetting(L"QeltColor", L"LSign", L"#");
  PutSetting(L"QeltColor", L"RSign", L";");
  StartMainForm();
  EXPECT_EQ(form->Edit_GetColor.Text(), L"#ff5858;");
  form->ScrollBar_R.SetFocus();
  form->Edit_GetColor.SetFocus();
  SendMessageW(form->Edit_GetColor.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(form->Edit_GetColor.Handle(), WM_CHAR, VK_BACK, 1);
  form->ScrollBar_R.SetFocus();
  EXPECT_EQ(form->Edit_Mode.Text(), L"TColor-WebColor");
  EXPECT_EQ(form->Edit_GetColor.Text(), L"#000000;");
  EXPECT_EQ(Clipboard(), L"#000000;");
  EXPECT_EQ(form->CurrentColor(), 0u) << "emptying the box while typing made it black";
  EXPECT_EQ(form->ScrollBar_R.Position(), 0);
}

TEST_F(MainFormTest, DoubleClickOnTheCodeBoxCopiesItAgain) {
  StartMainForm();
  SetClipboardText(L"something else");
  SendMessageW(form->Edit_GetColor.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Clipboard(), L"ff5858");
}

TEST_F(MainFormTest, ASwatchClickAppliesItsColorOnlyWhenBothWordsRest) {
  StartMainForm();
  TFlatButton& swatch = form->FlatButton_HC[4];
  // The word of a field whose focus-leave has not arrived yet: the click is ignored.
  form->Edit_ScrollMode.SetText(L"Edit-Scroll");
  SendMessageW(swatch.Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 88, 88));
  // A press takes the focus, which puts the word back to rest before the click.
  form->Edit_R.SetFocus();
  SendMessageW(swatch.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(swatch.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form->CurrentColor(), MakeColor(0, 0x80, 0xFF));
  EXPECT_EQ(form->Edit_GetColor.Text(), L"0080ff");
  EXPECT_EQ(Clipboard(), L"0080ff");
  EXPECT_EQ(history.Slot(1), MakeColor(255, 88, 88)) << "a click never reorders the history";
}

}  // namespace
}  // namespace huemira
