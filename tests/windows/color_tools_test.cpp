// The swatch menu's "复制为" submenu and the contrast window, driven as the
// user drives them.
#include <gtest/gtest.h>

#include "app/contrast_form.h"
#include "app/web_code.h"
#include "color/css_color_text.h"
#include "color/web_color.h"
#include "framework/clipboard.h"
#include "framework/system_color.h"
#include "window_test_support.h"

namespace huemira {
namespace {

class ColorToolsTest : public MainFormTest {
 protected:
  PopupMenu& CopyAs() { return *form->PopupMenu_ShowColor.Items(5).Submenu(); }
  // What choosing the submenu's entry at that position copies.
  std::wstring CopyEntry(std::size_t entry) {
    CopyToClipboard(L"");
    form->PopupMenu_ShowColor.Click(CopyAs().Items(entry).Id());
    return Clipboard();
  }
  TForm_Contrast& OpenContrast() {
    TForm_Contrast& window = form->ContrastForm();
    window.Show();
    Pump();
    return window;
  }
};

TEST_F(ColorToolsTest, TheSwatchMenuKeepsItsEntriesAndEndsWithCopyAsContrastAndPalettes) {
  StartMainForm();
  PopupMenu& menu = form->PopupMenu_ShowColor;
  ASSERT_EQ(menu.Count(), 8u);
  EXPECT_EQ(menu.Items(0).Caption, L"放大颜色浏览");
  EXPECT_TRUE(menu.Items(1).IsSeparator());
  EXPECT_EQ(menu.Items(2).Caption, L"添加到历史库");
  EXPECT_EQ(menu.Items(3).Caption, L"添加到调色板");
  EXPECT_TRUE(menu.Items(4).IsSeparator());
  EXPECT_EQ(menu.Items(5).Caption, L"复制为");
  ASSERT_NE(menu.Items(5).Submenu(), nullptr);
  EXPECT_EQ(menu.Items(5).Submenu()->Count(), 5u);
  EXPECT_EQ(menu.Items(6).Caption, L"对比度…");
  EXPECT_EQ(menu.Items(7).Caption, L"调色板…");
  menu.Click(menu.Items(6).Id());
  Pump();
  EXPECT_TRUE(IsWindowVisible(form->ContrastForm().Handle()));
  EXPECT_EQ(WindowText(form->ContrastForm().Handle()), L"Huemira-对比度");
}

TEST_F(ColorToolsTest, EachCopyAsEntryCopiesItsFormAndLeavesTheCodeBox) {
  PutSetting(L"HistoryColor", L"HC1", L"12AB34");
  StartMainForm();
  const std::wstring code = form->Edit_GetColor.Text();
  EXPECT_EQ(CopyEntry(0), L"#12ab34");
  EXPECT_EQ(CopyEntry(1), L"rgb(18, 171, 52)");
  EXPECT_EQ(CopyEntry(2), L"hsl(133, 81%, 37%)");
  EXPECT_EQ(CopyEntry(3), CssOklchText(MakeColor(0x12, 0xAB, 0x34)));
  EXPECT_EQ(CopyEntry(3).rfind(L"oklch(0.", 0), 0u);
  EXPECT_EQ(form->Edit_GetColor.Text(), code);
  EXPECT_EQ(form->CurrentColor(), MakeColor(0x12, 0xAB, 0x34));

  // The entries show what they copy, refreshed when the menu opens.
  form->TakePickedColor(MakeColor(0x80, 0x80, 0x80));
  WhenMenuShown([](HWND popup) { PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0); });
  SendMessageW(form->Panel_ShowColor.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Panel_ShowColor.Handle()),
               MAKELPARAM(300, 300));
  EXPECT_EQ(CopyAs().Items(1).Caption, L"rgb(128, 128, 128)");
  EXPECT_EQ(CopyAs().Items(3).Caption, L"oklch(0.600 0.000 none)");
}

TEST_F(ColorToolsTest, TheHexFormFollowsTheCodeBoxCaseAndSystemColorsAreResolved) {
  PutSetting(L"Main", L"LowerOrUpper", L"upper");
  PutSetting(L"HistoryColor", L"HC1", L"12AB34");
  StartMainForm();
  EXPECT_EQ(CopyEntry(0), L"#12AB34");
  form->SetCodeLetterCase(CharCase::Lower);
  EXPECT_EQ(CopyEntry(0), L"#12ab34");

  form->Panel_ShowColor.SetColor(clBtnFace);
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(CopyEntry(0), CssHexText(face, HexLetterCase::Lower));
  EXPECT_EQ(CopyEntry(1), CssRgbText(face));
}

TEST_F(ColorToolsTest, TheContrastWindowFollowsTheCurrentColorByEveryPath) {
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  EXPECT_EQ(window.TextColor(), form->CurrentColor());
  EXPECT_EQ(window.BackgroundColor(), clWhite);

  form->TakePickedColor(MakeColor(0x77, 0x77, 0x77));
  EXPECT_EQ(window.TextColor(), MakeColor(0x77, 0x77, 0x77));
  EXPECT_EQ(window.Label_Ratio.Caption(), L"4.47:1") << "4.478 is cut, never rounded into a pass";
  EXPECT_EQ(window.Label_Verdicts[0].Caption(), L"AA 普通文字: 未通过");
  EXPECT_EQ(window.Label_Verdicts[1].Caption(), L"AA 大号文字: 通过");

  form->ScrollBar_R.SetPosition(0);  // a slider
  form->ApplySwatchColor(2);         // a history swatch
  EXPECT_EQ(window.TextColor(), form->CurrentColor());
  form->Edit_GetColor.SetFocus();  // the code box, typed into
  SetWindowTextW(form->Edit_GetColor.Handle(), L"000000");
  Pump();
  EXPECT_EQ(window.TextColor(), clBlack);
  EXPECT_EQ(window.Label_Ratio.Caption(), L"21.00:1");
  EXPECT_EQ(window.Label_Verdicts[2].Caption(), L"AAA 普通文字: 通过");

  // While hidden it only keeps the colour, and catches up when shown.
  window.Hide();
  form->TakePickedColor(MakeColor(0xEE, 0xEE, 0xEE));
  window.Show();
  EXPECT_EQ(window.Label_TextCode.Caption(), L"#eeeeee");
  EXPECT_NE(window.Label_Ratio.Caption(), L"21.00:1");
}

TEST_F(ColorToolsTest, TheContrastWindowFollowsAScreenPickWhileItIsInProgress) {
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  ColorWindow target(RGB(0x12, 0x9A, 0xBC), Bounds(100, 100, 120, 90));
  Pump();
  SetCursorPos(CentreOf(target.Handle()).x, CentreOf(target.Handle()).y);
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PumpFor(350);
  EXPECT_EQ(window.TextColor(), RGB(0x12, 0x9A, 0xBC)) << "before the button is released";
  EXPECT_EQ(window.Label_TextCode.Caption(), L"#129abc");
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(history.Slot(1), RGB(0x12, 0x9A, 0xBC));
}

TEST_F(ColorToolsTest, TheBackgroundIsPickedFromTheScreenByDraggingFromItsButton) {
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  const TColor text = form->CurrentColor();
  ColorWindow target(RGB(0x20, 0x40, 0x60), Bounds(100, 100, 120, 90));
  Pump();
  SetCursorPos(CentreOf(target.Handle()).x, CentreOf(target.Handle()).y);
  HWND button = window.BitBtn_PickBackground.Handle();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PumpFor(350);
  EXPECT_EQ(window.BackgroundColor(), RGB(0x20, 0x40, 0x60)) << "live, while dragging";
  SetCursorPos(2, 2);
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpFor(250);
  EXPECT_FALSE(window.ScreenPick_Background.Picking());
  EXPECT_EQ(window.BackgroundColor(), RGB(0x20, 0x40, 0x60)) << "no reading after the release";
  EXPECT_EQ(window.Edit_Background.Text(), L"204060");
  EXPECT_EQ(Setting(L"Contrast", L"Background"), L"204060");
  EXPECT_EQ(form->CurrentColor(), text) << "the text colour is not touched";
}

TEST_F(ColorToolsTest, AClickOnAProposedColorPicksItAndAPassingColorProposesItself) {
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  form->TakePickedColor(MakeColor(0x77, 0x77, 0x77));
  ASSERT_TRUE(window.Proposal(0).has_value());
  const ColorProposal aa = *window.Proposal(0);
  EXPECT_NE(aa.color, MakeColor(0x77, 0x77, 0x77));
  EXPECT_GT(aa.deltaE, 0);
  EXPECT_TRUE(IsWindowVisible(window.ProposalRows[0].FlatButton_Color.Handle()));

  window.ProposalRows[0].FlatButton_Color.Click();
  EXPECT_EQ(history.Slot(1), aa.color);
  EXPECT_EQ(history.Slot(2), MakeColor(0x77, 0x77, 0x77));
  EXPECT_EQ(Clipboard(), SixDigitForm(aa.color));
  EXPECT_EQ(form->CurrentColor(), aa.color);
  EXPECT_EQ(window.TextColor(), aa.color);
  // Now it passes AA: it proposes itself.
  ASSERT_TRUE(window.Proposal(0).has_value());
  EXPECT_EQ(window.Proposal(0)->color, aa.color);
  EXPECT_EQ(window.Proposal(0)->deltaE, 0);
  EXPECT_NE(window.ProposalRows[0].Label_Color.Caption().find(L"ΔE 0"), std::wstring::npos);
}

TEST_F(ColorToolsTest, AMidGreyBackgroundLeavesNoColorAt7To1AndSaysSo) {
  PutSetting(L"Contrast", L"Background", L"777777");
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  EXPECT_EQ(window.BackgroundColor(), MakeColor(0x77, 0x77, 0x77));
  EXPECT_TRUE(window.Proposal(0).has_value());
  EXPECT_FALSE(window.Proposal(1).has_value());
  EXPECT_EQ(window.ProposalRows[1].Label_Color.Caption(), L"没有颜色能达到 7:1");
  EXPECT_FALSE(IsWindowVisible(window.ProposalRows[1].FlatButton_Color.Handle()));
  window.ProposalRows[1].FlatButton_Color.Click();  // nothing to take
  EXPECT_EQ(history.Slot(1), form->CurrentColor());
}

TEST_F(ColorToolsTest, TheBackgroundFieldTakesTypedAndPastedCodesAndIsRemembered) {
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  EXPECT_EQ(Setting(L"Contrast", L"Background"), L"FFFFFF");
  Edit& field = window.Edit_Background;
  EXPECT_EQ(field.Text(), L"ffffff") << "in the code box's letter case";

  SetWindowTextW(field.Handle(), L"");
  Type(field.Handle(), L"zz#1a2B3c");
  EXPECT_EQ(field.Text(), L"1a2b3c") << "the code box's key filter";
  EXPECT_EQ(window.BackgroundColor(), MakeColor(0x1A, 0x2B, 0x3C));
  EXPECT_EQ(Setting(L"Contrast", L"Background"), L"1A2B3C");

  // Ctrl+V, and the edit's own paste (Shift+Insert, its context menu).
  CopyToClipboard(L"#00ff00");
  SendMessageW(field.Handle(), EM_SETSEL, 0, -1);
  HoldKeys(true, false);
  SendMessageW(field.Handle(), WM_KEYDOWN, 'V', 0);
  HoldKeys(false, false);
  EXPECT_EQ(window.BackgroundColor(), MakeColor(0, 0xFF, 0));
  CopyToClipboard(L"0000ff");
  SendMessageW(field.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(field.Handle(), WM_PASTE, 0, 0);
  Pump();
  EXPECT_EQ(window.BackgroundColor(), MakeColor(0, 0, 0xFF));
  EXPECT_EQ(Setting(L"Contrast", L"Background"), L"0000FF");

  // The options window's letter case reaches the field and the codes shown.
  form->SetCodeLetterCase(CharCase::Upper);
  EXPECT_EQ(field.Text(), L"0000FF");
  EXPECT_EQ(window.Label_TextCode.Caption(), CssHexText(form->CurrentColor(), HexLetterCase::Upper));

  CopyToClipboard(L"no colour");
  SendMessageW(field.Handle(), EM_SETSEL, 0, -1);
  SendMessageW(field.Handle(), WM_PASTE, 0, 0);
  Pump();
  EXPECT_EQ(window.BackgroundColor(), MakeColor(0, 0, 0xFF)) << "what does not read changes nothing";
}

TEST_F(ColorToolsTest, SwappingTradesTheTwoColorsThroughAPick) {
  PutSetting(L"Contrast", L"Background", L"102030");
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  const TColor text = form->CurrentColor();
  window.FlatButton_Swap.Click();
  EXPECT_EQ(window.BackgroundColor(), text);
  EXPECT_EQ(form->CurrentColor(), MakeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(history.Slot(1), MakeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(Setting(L"Contrast", L"Background"), SixDigitForm(text));
}

TEST_F(ColorToolsTest, EnterPressesTheFocusedButtonAndEscClosesTheWindow) {
  PutSetting(L"Contrast", L"Background", L"102030");
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  const TColor text = form->CurrentColor();
  window.Edit_Background.SetFocus();
  PostMessageW(window.Edit_Background.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(window.BackgroundColor(), MakeColor(0x10, 0x20, 0x30)) << "Enter in the field presses nothing";
  window.FlatButton_Swap.SetFocus();
  PostMessageW(window.FlatButton_Swap.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(window.BackgroundColor(), text);
  EXPECT_EQ(form->CurrentColor(), MakeColor(0x10, 0x20, 0x30));
  // Tab goes from the field through the buttons to the proposals; against
  // FF5858 nothing reaches 7:1, and the hidden AAA swatch is no stop.
  ASSERT_FALSE(window.Proposal(1).has_value());
  const HWND order[] = {window.Edit_Background.Handle(), window.FlatButton_Swap.Handle(),
                        window.BitBtn_PickBackground.Handle(), window.ProposalRows[0].FlatButton_Color.Handle(),
                        window.Edit_Background.Handle()};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    EXPECT_EQ(GetNextDlgTabItem(window.Handle(), order[i], FALSE), order[i + 1]) << i;
  PostMessageW(window.FlatButton_Swap.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(ColorToolsTest, TheWindowOpensWhereItWasLeftWhileThatIsOnAMonitor) {
  PutSetting(L"Contrast", L"Left", L"40");
  PutSetting(L"Contrast", L"Top", L"30");
  StartMainForm();
  TForm_Contrast& window = OpenContrast();
  RECT frame;
  GetWindowRect(window.Handle(), &frame);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 30);
  SetWindowPos(window.Handle(), nullptr, 70, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageW(window.Handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(Setting(L"Contrast", L"Left"), L"70");
  EXPECT_EQ(Setting(L"Contrast", L"Top"), L"60");

  PutSetting(L"Contrast", L"Left", L"-5000");
  TForm_Contrast second(*form);
  second.Create();
  GetWindowRect(second.Handle(), &frame);
  EXPECT_GE(frame.left, 0) << "a monitor that is gone: back on the screen";
}

}  // namespace
}  // namespace huemira
