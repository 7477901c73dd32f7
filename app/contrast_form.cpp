#include "app/contrast_form.h"

#include <cstdio>

#include "app/form_place.h"
#include "app/history_form.h"
#include "app/main_form.h"
#include "app/settings.h"
#include "color/ciede2000.h"
#include "color/css_color_text.h"
#include "color/web_color.h"
#include "framework/exception.h"
#include "framework/fonts.h"
#include "framework/system_color.h"

namespace huemira {

namespace {

constexpr wchar_t kContrastFormClass[] = L"HuemiraContrastForm";
constexpr wchar_t kSection[] = L"Contrast";
constexpr int kClientWidth = 264;
constexpr int kClientHeight = 252;
constexpr COLORREF kPassColor = RGB(0x00, 0x80, 0x00);
constexpr COLORREF kFailColor = RGB(0xC0, 0x00, 0x00);

// In the order of Label_Verdicts.
constexpr const wchar_t* kVerdictNames[] = {L"AA 普通文字: ", L"AA 大号文字: ", L"AAA 普通文字: ", L"AAA 大号文字: "};

constexpr wchar_t kPickHint[] = L"按住鼠标拖动,\r\n放开后即取得当前点颜色作为背景色。";
constexpr wchar_t kSwapHint[] = L"交换文字颜色和背景颜色";
constexpr wchar_t kProposalHint[] = L"单击使用此颜色";

std::wstring TargetText(double target) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%g:1", target);
  return text;
}

}  // namespace

TForm_Contrast::TForm_Contrast(TMainForm& mainForm) : mainForm_(mainForm) {}

void TForm_Contrast::Create() {
  CreateForm({.className = kContrastFormClass,
              .caption = L"Huemira-对比度",
              .clientWidth = kClientWidth,
              .clientHeight = kClientHeight,
              .style = WS_CAPTION | WS_SYSMENU,
              .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW},
             false);
  CreateControls();
  PlaceWindow();
  text_ = ColorToRGB(mainForm_.CurrentColor());
  const std::wstring stored = ReadSetting(kSection, L"Background");
  try {
    if (!stored.empty()) background_ = WebCodeToColor(stored);
  } catch (const EConvertError&) {
    // Nothing readable: white, written back.
  }
  Edit_Background.SetText(SixDigitForm(background_));
  if (stored == SixDigitForm(background_)) storedBackground_ = background_;
  SaveBackground();
  OnShow = [this] { Recompute(); };
}

void TForm_Contrast::CreateControls() {
  Label_Text.Create(*this, {.position = {10, 12}, .caption = L"文字颜色:"});
  Panel_Text.Create(*this, {Bounds(76, 9, 24, 20), text_, Bevel::LoweredInner, L"", L"主窗口的当前颜色"});
  Label_TextCode.Create(*this, {.position = {108, 12}, .caption = L"#000000"});

  Label_Background.Create(*this, {.position = {10, 40}, .caption = L"背景颜色:"});
  Panel_Background.Create(*this, {Bounds(76, 37, 24, 20), background_, Bevel::LoweredInner, L"", L"背景颜色"});
  Edit_Background.Create(*this, {.bounds = Bounds(106, 37, 64, 20), .hint = L"背景颜色代码,\r\n可输入或粘贴。"});
  Edit_Background.SetFont(ScaledFont({.name = L"Arial", .height = -12}));
  Edit_Background.SetColors(GetSysColor(COLOR_WINDOWTEXT), kFieldBackground);
  Edit_Background.SetCharCase(CodeBoxCase());
  Edit_Background.OnChange = [this] { Edit_BackgroundChange(); };
  Edit_Background.OnKeyPress = [](wchar_t& key) {
    if (!IsCodeBoxKey(key)) key = 0;
  };
  Edit_Background.OnKeyDown = [this](WPARAM key) { return Edit_BackgroundKeyDown(key); };

  FlatButton_Swap.Create(*this, {.bounds = Bounds(174, 37, 36, 20), .caption = L"交换", .hint = kSwapHint});
  FlatButton_Swap.SetTabStop(true);
  FlatButton_Swap.OnClick = [this] { FlatButton_SwapClick(); };
  BitBtn_PickBackground.Create(*this, {.bounds = Bounds(214, 36, 40, 22), .caption = L"取色", .hint = kPickHint});
  BitBtn_PickBackground.OnMouseDown = [this](POINT) {
    backgroundBeforePick_ = background_;
    ScreenPick_Background.Begin(BitBtn_PickBackground.Handle());
  };
  BitBtn_PickBackground.OnMouseUp = [this](POINT) { ScreenPick_Background.End(); };
  ScreenPick_Background.OnSample = [this](TColor color) { SetBackgroundColor(color); };
  ScreenPick_Background.OnFinish = [this](TColor color) { SetBackgroundColor(color); };
  ScreenPick_Background.OnCancel = [this] { SetBackgroundColor(backgroundBeforePick_); };
  ScreenPick_Background.SetDisplayProfiles(&mainForm_.DisplayProfiles1);

  Label_Ratio.Create(*this, {.position = {10, 64}, .caption = L"21.00:1", .font = ScaledFont({.height = -24, .bold = true})});
  for (std::size_t i = 0; i < Label_Verdicts.size(); ++i)
    Label_Verdicts[i].Create(*this, {.position = {static_cast<LONG>(10 + 124 * (i % 2)), static_cast<LONG>(96 + 18 * (i / 2))},
                                     .caption = kVerdictNames[i]});

  Sample_Contrast.Create(*this, Bounds(10, 134, 244, 54));

  for (std::size_t i = 0; i < ProposalRows.size(); ++i) {
    ProposalRow& row = ProposalRows[i];
    const int top = 196 + 26 * static_cast<int>(i);
    row.Label_Target.Create(
        *this, {.position = {10, top + 3}, .caption = (i == 0 ? L"AA " : L"AAA ") + TargetText(kTargets[i])});
    row.FlatButton_Color.Create(*this, {.bounds = Bounds(76, top, 24, 20), .hint = kProposalHint});
    row.FlatButton_Color.SetTabStop(true);
    row.FlatButton_Color.OnClick = [this, i] { ProposalClick(i); };
    row.Label_Color.Create(*this, {.position = {108, top + 3}, .caption = L""});
  }
}

void TForm_Contrast::PlaceWindow() {
  // A first opening: left of the main window, on its monitor.
  RECT frame, main;
  GetWindowRect(Handle(), &frame);
  GetWindowRect(mainForm_.Handle(), &main);
  const POINT fallback{main.left - (frame.right - frame.left) - 8, main.bottom - (frame.bottom - frame.top)};
  RestoreFormPlace(Handle(), kSection, fallback, mainForm_.Handle());
}

void TForm_Contrast::SavePlace() const { SaveFormPlace(Handle(), kSection); }

void TForm_Contrast::SetTextColor(TColor color) {
  color = ColorToRGB(color);
  if (color == text_) return;
  text_ = color;
  // A hidden window works it out when it shows.
  if (IsWindowVisible(Handle())) Recompute();
}

void TForm_Contrast::SetBackgroundColor(TColor color) {
  color = ColorToRGB(color);
  if (color != background_) {
    background_ = color;
    if (IsWindowVisible(Handle())) Recompute();
  }
  // A held pick changes the colour ten times a second: it is kept once the
  // pick ends.
  if (!ScreenPick_Background.Picking()) SaveBackground();
  // The field shows the colour unless it already reads as it (while typing).
  try {
    if (WebCodeToColor(Edit_Background.Text()) == background_) return;
  } catch (const EConvertError&) {
  }
  Edit_Background.SetText(SixDigitForm(background_));
}

void TForm_Contrast::SaveBackground() {
  if (storedBackground_ == background_) return;
  if (WriteSetting(kSection, L"Background", SixDigitForm(background_))) storedBackground_ = background_;
}

void TForm_Contrast::ShowLetterCase() {
  Edit_Background.SetCharCase(CodeBoxCase());
  if (IsWindowVisible(Handle())) Recompute();
}

CharCase TForm_Contrast::CodeBoxCase() const {
  return mainForm_.CodeLetterCase() == HexLetterCase::Upper ? CharCase::Upper : CharCase::Lower;
}

void TForm_Contrast::Recompute() {
  const HexLetterCase letterCase = mainForm_.CodeLetterCase();
  Panel_Text.SetColor(text_);
  Label_TextCode.SetCaption(CssHexText(text_, letterCase));
  Panel_Background.SetColor(background_);
  const double ratio = ContrastRatio(text_, background_);
  Label_Ratio.SetCaption(RatioText(ratio));
  const ContrastVerdict verdict = JudgeContrast(ratio);
  const bool passes[] = {verdict.aaNormalText, verdict.aaLargeText, verdict.aaaNormalText, verdict.aaaLargeText};
  for (std::size_t i = 0; i < Label_Verdicts.size(); ++i) {
    Label_Verdicts[i].SetCaption(std::wstring(kVerdictNames[i]) + (passes[i] ? L"通过" : L"未通过"));
    Label_Verdicts[i].SetColor(passes[i] ? kPassColor : kFailColor);
  }
  Sample_Contrast.SetColors(text_, background_);
  for (std::size_t i = 0; i < ProposalRows.size(); ++i) ShowProposal(ProposalRows[i], kTargets[i]);
}

void TForm_Contrast::ShowProposal(ProposalRow& row, double target) {
  row.proposal = NearestPassingColor(text_, background_, target);
  row.FlatButton_Color.SetVisible(row.proposal.has_value());
  if (!row.proposal) {
    row.Label_Color.SetCaption(L"没有颜色能达到 " + TargetText(target));
    return;
  }
  SetSwatchColor(row.FlatButton_Color, row.proposal->color);
  std::wstring caption = CssHexText(row.proposal->color, mainForm_.CodeLetterCase()) + L"  " +
                         DeltaEText(row.proposal->deltaE);
  if (row.proposal->color == text_) caption += L"  已达标";
  row.Label_Color.SetCaption(caption);
}

void TForm_Contrast::Edit_BackgroundChange() {
  try {
    SetBackgroundColor(WebCodeToColor(Edit_Background.Text()));
  } catch (const EConvertError&) {
    // A code being typed: the background stays until the code reads.
  }
}

bool TForm_Contrast::Edit_BackgroundKeyDown(WPARAM key) {
  if (key != 'V' || !OnlyControlHeld()) return false;
  Edit_Background.PasteFromClipboard();
  return true;
}

void TForm_Contrast::FlatButton_SwapClick() {
  const TColor oldBackground = background_;
  SetBackgroundColor(text_);
  mainForm_.TakePickedColor(oldBackground);
}

void TForm_Contrast::ProposalClick(std::size_t row) {
  if (ProposalRows[row].proposal) mainForm_.TakePickedColor(ProposalRows[row].proposal->color);
}

LRESULT TForm_Contrast::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Esc closes, as in a dialog; Enter presses the focused flat button.
      if (lParam == 0 && wParam == IDCANCEL) {
        Close();
        return 0;
      }
      if (lParam == 0 && wParam == IDOK) {
        if (auto* button = dynamic_cast<TFlatButton*>(Control::FromHandle(GetFocus()))) button->Click();
        return 0;
      }
      break;
    case WM_EXITSIZEMOVE:
      SavePlace();
      break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
