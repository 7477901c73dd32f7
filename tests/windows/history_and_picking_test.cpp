// The history across the two windows, and the three ways of picking that
// end in it: the screen, the colour dialog, and the zoom view.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/screen_color.h"
#include "color/web_color.h"
#include "window_test_support.h"

namespace huemira {
namespace {

TEST_F(MainFormTest, APushMovesSlotEightIntoTheHistoryWindowAndDropsSlot88) {
  StartMainForm();
  history.SetSlot(88, MakeColor(9, 9, 9));
  form->PushHistoryColor(MakeColor(1, 2, 3));
  EXPECT_EQ(form->FlatButton_HC[0].Color(), MakeColor(1, 2, 3));
  EXPECT_EQ(SixDigitForm(form->FlatButton_HC[1].Color()), L"FF5858");
  EXPECT_EQ(SixDigitForm(historyForm->Swatch(9).Color()), L"008040");
  EXPECT_EQ(SixDigitForm(historyForm->Swatch(88).Color()), L"FF5858");
  // A swatch keeps all six colours equal, so it is a plain square in every look.
  TFlatButton& swatch = historyForm->Swatch(9);
  for (COLORREF c : {swatch.ColorFocused(), swatch.ColorDown(), swatch.ColorBorder(), swatch.ColorHighLight(),
                     swatch.ColorShadow()})
    EXPECT_EQ(c, swatch.Color());
  EXPECT_EQ(form->Edit_Mode.Text(), L"TColor-WebColor");
}

TEST_F(MainFormTest, ABadValueAtHC40CostsTheHistoryWindowOnlyThatSwatch) {
  for (int slot = 9; slot < 40; ++slot) PutSetting(L"HistoryColor", HistoryColors::Key(slot), L"010203");
  PutSetting(L"HistoryColor", L"HC40", L"zz0000");
  PutSetting(L"HistoryColor", L"HC41", L"040506");
  StartMainForm();
  EXPECT_EQ(SixDigitForm(historyForm->Swatch(39).Color()), L"010203");
  EXPECT_EQ(SixDigitForm(historyForm->Swatch(40).Color()), L"FF5858");
  EXPECT_EQ(SixDigitForm(historyForm->Swatch(41).Color()), L"040506");
}

TEST_F(MainFormTest, AHistoryWindowSwatchClickMakesItsColorCurrent) {
  PutSetting(L"HistoryColor", L"HC20", L"123456");
  StartMainForm();
  SendMessageW(historyForm->Swatch(20).Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(historyForm->Swatch(20).Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(form->Edit_GetColor.Text(), L"123456");
  EXPECT_EQ(form->ScrollBar_B.Position(), 0x56);
  EXPECT_EQ(Clipboard(), L"123456");
}

TEST_F(MainFormTest, ScreenPickTakesThePixelUnderThePointerAndPushesItOnce) {
  StartMainForm();
  ColorWindow target(RGB(0x12, 0x9A, 0xBC), Bounds(100, 100, 120, 90));
  Pump();
  SetCursorPos(CentreOf(target.Handle()).x, CentreOf(target.Handle()).y);
  for (int pick = 0; pick < 2; ++pick) {
    SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpFor(350);
    SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
  }
  EXPECT_FALSE(form->ScreenPick1.Picking());
  EXPECT_EQ(form->Edit_GetColor.Text(), L"129abc");
  EXPECT_EQ(Clipboard(), L"129abc");
  EXPECT_EQ(history.Slot(1), MakeColor(0x12, 0x9A, 0xBC));
  EXPECT_EQ(SixDigitForm(history.Slot(2)), L"FF5858") << "the second pick of the same colour adds nothing";
}

TEST_F(MainFormTest, AQuickPressAndReleasePushesAColorChangedMeanwhile) {
  StartMainForm();
  form->ScrollBar_R.SetPosition(0);
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(history.Slot(1), MakeColor(0, 88, 88));
}

// GetGuiResources counts GDI objects on Windows; Wine answers 0, but there a
// leaked handle shows as the next new object getting a fresh table slot
// instead of the one just freed.
int NextGdiSlot() {
  HBRUSH probe = CreateSolidBrush(0);
  const int slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
  DeleteObject(probe);
  return slot;
}

TEST_F(MainFormTest, SamplingTheScreenManyTimesLeaksNoGdiObjects) {
  StartMainForm();
  ColorWindow target(RGB(0, 0, 255), Bounds(300, 100, 50, 50));
  Pump();
  const POINT centre = CentreOf(target.Handle());
  EXPECT_EQ(ScreenColorAt(centre), MakeColor(0, 0, 255));
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const int slotBefore = NextGdiSlot();
  for (int sample = 0; sample < 3000; ++sample) ScreenColorAt(centre);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 2);
  EXPECT_LT(std::abs(NextGdiSlot() - slotBefore), 50);
  EXPECT_EQ(ScreenColorAt(POINT{-5000, -5000}), 0xFFFFFFu) << "an unreadable pixel is white";
}

TEST_F(MainFormTest, AcceptingTheColorDialogPushesEvenAnUnchangedColor) {
  StartMainForm();
  WhenModal([] {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  form->BitBtn_PBox.Click();
  EXPECT_EQ(history.Slot(1), MakeColor(255, 88, 88));
  EXPECT_EQ(history.Slot(2), MakeColor(255, 88, 88));
  EXPECT_EQ(Clipboard(), L"ff5858");
}

TEST_F(MainFormTest, CancellingTheColorDialogChangesNothing) {
  StartMainForm();
  form->ScrollBar_G.SetPosition(0);
  WhenModal([] { PostMessageW(FindWindowW(L"#32770", nullptr), WM_COMMAND, IDCANCEL, 0); });
  form->BitBtn_PBox.Click();
  EXPECT_EQ(form->CurrentColor(), MakeColor(255, 0, 88));
  EXPECT_EQ(SixDigitForm(history.Slot(2)), L"FFFF80");
}

TEST_F(MainFormTest, TheZoomWindowShowsTheCurrentCodeAndColorAndClosesOnDoubleClickOrEsc) {
  PutSetting(L"QeltColor", L"LSign", L"#");
  PutSetting(L"Main", L"LowerOrUpper", L"upper");
  StartMainForm();
  std::wstring caption;
  TColor shown = 0;
  WhenModal([&] {
    caption = showColorForm->Text();
    shown = showColorForm->ShownColor();
    EXPECT_TRUE(showColorForm->Visible());
    SendMessageW(showColorForm->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  });
  SendMessageW(form->Panel_ShowColor.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(caption, L"Huemira-当前选择颜色:#FF5858");
  EXPECT_EQ(shown, MakeColor(255, 88, 88));
  EXPECT_FALSE(showColorForm->Visible());

  // Posted, so that it comes through the window's message loop as a key does.
  WhenModal([&] { PostMessageW(showColorForm->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); });
  SendMessageW(form->Panel_ShowColor.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(showColorForm->Visible()) << "Esc closes it too";
}

}  // namespace
}  // namespace huemira
