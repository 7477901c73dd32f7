#include "app/option_form.h"

#include <shellapi.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "app/build_info.h"
#include "app/help_text.h"
#include "app/main_form.h"
#include "app/option_backdrop.h"
#include "app/settings.h"
#include "color/sample_average.h"
#include "framework/application.h"
#include "framework/fonts.h"
#include "framework/message_box.h"

namespace huemira {

namespace {

constexpr wchar_t kOptionFormClass[] = L"HuemiraOptionForm";
constexpr int kClientWidth = 417;
constexpr int kClientHeight = 279;

constexpr wchar_t kConfigHint[] =
    L"配置您的自定义的html代码前缀和html代码后缀，\r\n设置生效后您的颜色代码将自动加上该前缀后缀。";
constexpr wchar_t kRestoreHint[] = L"默认值:\r\nHtml代码前缀为空,\r\nHtml代码后缀为空.";
constexpr wchar_t kSampleSizeHint[] =
    L"取色时取指针周围 n × n 像素的平均色,\r\n适合照片、渐变和抗锯齿文字。\r\n取色时滚动鼠标滚轮或按 + / - 可随时调整。";
constexpr wchar_t kValuesHint[] =
    L"显示器的值: 屏幕上像素的原值。\r\nsRGB: 按显示器的颜色配置文件换算回 sRGB,\r\n即网页作者写下的颜色。图片取色不换算。";
constexpr wchar_t kFreezeHint[] = L"取色开始时定格整个屏幕,\r\n之后屏幕上的变化(悬停、菜单、动画)不影响取色。";
constexpr wchar_t kHotkeyHint[] = L"点击后按下新的组合键。\r\n组合键须含 Ctrl 或 Alt。";
constexpr wchar_t kPickRestoreHint[] =
    L"默认值:\r\n取样大小 1 × 1 像素,取显示器的值,不冻结屏幕,\r\n显示/隐藏 Ctrl+B,开始取色 Ctrl+Alt+C.";

// The settings page's buttons in the pale blues of its background.
void StyleButton(TFlatButton& button) {
  button.SetColor(RGB(0xFF, 0xFF, 0xFF));
  button.SetColorFocused(RGB(0xE6, 0xEF, 0xFB));
  button.SetColorDown(RGB(0xCC, 0xDB, 0xF0));
  button.SetColorBorder(RGB(0x8C, 0x9C, 0xB4));
  button.SetColorHighLight(RGB(0xFF, 0xFF, 0xFF));
  button.SetColorShadow(RGB(0x4A, 0x55, 0x68));
  button.SetTabStop(true);
}

void OpenWithShell(HWND owner, const std::wstring& target) {
  // A shell that cannot open the address reports nothing.
  ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

TForm_Option::TForm_Option(TMainForm& mainForm) : mainForm_(mainForm) {}

void TForm_Option::Create() {
  CreateForm({.className = kOptionFormClass,
              .caption = L"Huemira-选项",
              .clientWidth = kClientWidth,
              .clientHeight = kClientHeight,
              .style = WS_CAPTION | WS_SYSMENU,
              .exStyle = WS_EX_TOPMOST},
             false);
  PageControl_Option.Create(*this, {.bounds = Bounds(0, 0, kClientWidth, kClientHeight), .pageCount = 4});
  RECT area;
  GetClientRect(PageControl_Option.PageHandle(0), &area);
  const SIZE page{area.right, area.bottom};
  CreateAboutPage(page);
  CreateSettingsPage(page);
  CreateHelpPage(page);
  CreatePickPage(page);
  OnShow = [this] { CenterOnScreen(); };
  FormCreate();
}

void TForm_Option::CreateAboutPage(SIZE page) {
  Image_Logo.Create(*this, {.bounds = Bounds(28, 24, 48, 48)});
  const HICON icon = static_cast<HICON>(
      LoadImageW(Application::Instance().InstanceHandle(), L"MAINICON", IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR));
  Image_Logo.SetBitmap(BitmapFromIcon(icon, 48));
  if (icon) DestroyIcon(icon);

  Label_Name.Create(*this,
                    {.position = {92, 22}, .caption = L"Huemira", .font = ScaledFont({.height = -24, .bold = true})});
  Label_Version.Create(*this, {.position = {93, 56}, .caption = std::wstring(L"版本 ") + kVersion + L" · 免费软件"});
  Label_Credit1.Create(*this, {.position = {28, 100}, .caption = L"使用 libjpeg-turbo、libpng、LibTIFF、libdeflate、zlib 和 Little CMS。"});
  Label_Credit2.Create(*this,
                       {.position = {28, 124}, .caption = L"本软件部分基于 Independent JPEG Group 的工作成果。"});
  Label_Copyright.Create(
      *this, {.position = {28, 156}, .caption = L"Copyright (c) 2026 The Huemira developers · MIT 许可证"});

  Label1_Email.Create(*this, {.position = {28, page.cy - 60}, .caption = std::wstring(L"电子邮件: ") + kContactEmail});
  Label1_Email.OnClick = [this] { Label1_EmailClick(); };
  Label1_Email.SetVisible(kContactEmail[0] != L'\0');
  Label11.Create(*this, {.position = {28, page.cy - 36},
                         .caption = std::wstring(L"网站: ") + kWebsite,
                         .hint = L"访问 Huemira 的网站"});
  Label11.OnClick = [this] { Label11Click(); };
  Label11.SetVisible(kWebsite[0] != L'\0');

  for (Control* control : std::initializer_list<Control*>{&Image_Logo, &Label_Name, &Label_Version, &Label_Credit1,
                                                          &Label_Credit2, &Label_Copyright, &Label1_Email, &Label11})
    PageControl_Option.AddToPage(kAboutPage, *control);
}

void TForm_Option::CreateSettingsPage(SIZE page) {
  const int fieldLeft = 136;
  const int fieldWidth = 132;
  const struct {
    Label& label;
    const wchar_t* caption;
    int top;
  } rows[] = {{Label_LSign, L"Html代码前缀:", 52}, {Label_RSign, L"Html代码后缀:", 88},
              {Label_LowerOrUpper, L"颜色代码大小写:", 124}};
  for (const auto& row : rows) row.label.Create(*this, {.position = {28, row.top + 3}, .caption = row.caption});
  Edit_LSign.Create(*this, {.bounds = Bounds(fieldLeft, 52, fieldWidth, 22)});
  Edit_RSign.Create(*this, {.bounds = Bounds(fieldLeft, 88, fieldWidth, 22)});
  drpLowerOrUpper.Create(*this,
                         {.bounds = Bounds(fieldLeft, 124, fieldWidth, 120), .items = {L"小写颜色代码", L"大写颜色代码"}});

  FlatButton_Config.Create(*this, {.bounds = Bounds(fieldLeft, 172, 62, 24), .caption = L"确定", .hint = kConfigHint});
  FlatButton_Config.OnClick = [this] { FlatButton_ConfigClick(); };
  FlatButton_Restore.Create(
      *this, {.bounds = Bounds(fieldLeft + fieldWidth - 62, 172, 62, 24), .caption = L"默认", .hint = kRestoreHint});
  FlatButton_Restore.OnClick = [this] { FlatButton_RestoreClick(); };
  StyleButton(FlatButton_Config);
  StyleButton(FlatButton_Restore);

  Image2.Create(*this, {.bounds = Bounds(0, 0, page.cx, page.cy)});
  Image2.SetBitmap(DrawOptionBackdrop(page.cx, page.cy));

  // The order of the tab key; the picture goes beneath everything.
  for (Control* control : std::initializer_list<Control*>{
           &Label_LSign, &Edit_LSign, &Label_RSign, &Edit_RSign, &Label_LowerOrUpper, &drpLowerOrUpper,
           &FlatButton_Config, &FlatButton_Restore, &Image2})
    PageControl_Option.AddToPage(kOptionsPage, *control);
}

void TForm_Option::CreateHelpPage(SIZE page) {
  MemoAbout.Create(*this, {.bounds = Bounds(4, 4, page.cx - 8, page.cy - 8), .text = HelpText()});
  PageControl_Option.AddToPage(kHelpPage, MemoAbout);
}

void TForm_Option::CreatePickPage(SIZE page) {
  const int fieldLeft = 136;
  const int fieldWidth = 180;
  const struct {
    Label& label;
    const wchar_t* caption;
    int top;
  } rows[] = {{Label_SampleSize, L"取样大小:", 20}, {Label_Values, L"取色值:", 52},
              {Label_ShowHideKey, L"显示/隐藏:", 116}, {Label_PickKey, L"开始取色:", 148}};
  for (const auto& row : rows) row.label.Create(*this, {.position = {28, row.top + 3}, .caption = row.caption});
  std::vector<std::wstring> sizes;
  for (const int size : kSampleSizes)
    sizes.push_back(std::to_wstring(size) + L" × " + std::to_wstring(size) + (size == 1 ? L" 像素" : L" 像素平均"));
  drpSampleSize.Create(*this, {.bounds = Bounds(fieldLeft, 20, fieldWidth, 240),
                               .items = sizes,
                               .hint = kSampleSizeHint});
  drpValues.Create(*this, {.bounds = Bounds(fieldLeft, 52, fieldWidth, 80),
                           .items = {L"显示器的值", L"sRGB(按显示器配置文件换算)"},
                           .hint = kValuesHint});
  CheckBox_Freeze.Create(*this, {.bounds = Bounds(fieldLeft, 84, fieldWidth + 60, 20),
                                 .caption = L"冻结屏幕(取色时按 F 切换)",
                                 .hint = kFreezeHint});
  HotKey_ShowHide.Create(*this, {.bounds = Bounds(fieldLeft, 116, fieldWidth, 22), .hint = kHotkeyHint});
  HotKey_Pick.Create(*this, {.bounds = Bounds(fieldLeft, 148, fieldWidth, 22), .hint = kHotkeyHint});
  Label_KeyProblem.Create(*this, {.position = {28, 176}, .caption = L"", .color = RGB(0xC0, 0x00, 0x00)});

  FlatButton_PickConfig.Create(*this,
                               {.bounds = Bounds(fieldLeft, 206, 62, 24), .caption = L"确定", .hint = L"保存取色设置"});
  FlatButton_PickConfig.OnClick = [this] { FlatButton_PickConfigClick(); };
  FlatButton_PickRestore.Create(*this, {.bounds = Bounds(fieldLeft + fieldWidth - 62, 206, 62, 24),
                                        .caption = L"默认",
                                        .hint = kPickRestoreHint});
  FlatButton_PickRestore.OnClick = [this] { FlatButton_PickRestoreClick(); };
  StyleButton(FlatButton_PickConfig);
  StyleButton(FlatButton_PickRestore);

  Image_PickBackdrop.Create(*this, {.bounds = Bounds(0, 0, page.cx, page.cy)});
  Image_PickBackdrop.SetBitmap(DrawOptionBackdrop(page.cx, page.cy));
  PickBackdropBrush.reset(CreatePatternBrush(Image_PickBackdrop.Bitmap()));
  CheckBox_Freeze.SetBackdrop(PickBackdropBrush.get(), Image_PickBackdrop.Handle());

  for (Control* control : std::initializer_list<Control*>{
           &Label_SampleSize, &drpSampleSize, &Label_Values, &drpValues, &CheckBox_Freeze, &Label_ShowHideKey,
           &HotKey_ShowHide, &Label_PickKey, &HotKey_Pick, &Label_KeyProblem, &FlatButton_PickConfig,
           &FlatButton_PickRestore, &Image_PickBackdrop})
    PageControl_Option.AddToPage(kPickPage, *control);
}

void TForm_Option::LoadPickPage() {
  const int size = ReadSampleSizeSetting();
  drpSampleSize.SetItemIndex(
      static_cast<int>(std::find(kSampleSizes.begin(), kSampleSizes.end(), size) - kSampleSizes.begin()));
  drpValues.SetItemIndex(ReadSrgbValuesSetting() ? 1 : 0);
  CheckBox_Freeze.SetChecked(ReadFreezeSetting());
  HotKey_ShowHide.SetValue(mainForm_.RegisteredHotkey(HotkeyAction::kShowHide)
                               .value_or(ReadHotkeySetting(L"ShowHide", kDefaultShowHideHotkey)));
  HotKey_Pick.SetValue(
      mainForm_.RegisteredHotkey(HotkeyAction::kPick).value_or(ReadHotkeySetting(L"Pick", kDefaultPickHotkey)));
  Label_KeyProblem.SetCaption(L"");
}

void TForm_Option::FormCreate() {
  PageControl_Option.SetPageCaption(kAboutPage, L"  关于  ");
  PageControl_Option.SetPageCaption(kOptionsPage, L"  选项  ");
  PageControl_Option.SetPageCaption(kHelpPage, L"  帮助  ");
  PageControl_Option.SetPageCaption(kPickPage, L"  取色  ");
  // Read once per run: reopening shows what was typed last, even if it
  // could not be saved.
  Edit_LSign.SetText(ReadSetting(L"QeltColor", L"LSign"));
  Edit_RSign.SetText(ReadSetting(L"QeltColor", L"RSign"));
  drpLowerOrUpper.SetItemIndex(ReadLowerCaseSetting() ? 0 : 1);
}

void TForm_Option::ShowAtPage(int pageIndex) {
  PageControl_Option.SetActivePageIndex(pageIndex);
  if (Modal()) {
    SetForegroundWindow(Handle());
    return;
  }
  LoadPickPage();
  lastFocus_ = nullptr;  // a new opening starts at the page's first field
  ShowModal();
}

void TForm_Option::FlatButton_ConfigClick() {
  const bool upper = drpLowerOrUpper.ItemIndex() != 0;
  const bool saved = WriteSettings({{L"QeltColor", L"LSign", Edit_LSign.Text()},
                                    {L"QeltColor", L"RSign", Edit_RSign.Text()},
                                    {L"Main", L"LowerOrUpper", upper ? L"upper" : L"lower"}});
  mainForm_.SetCodeLetterCase(upper ? CharCase::Upper : CharCase::Lower);
  TellSaved(saved, L"设置成功!");
  mainForm_.ClickFirstSwatch();
}

void TForm_Option::FlatButton_RestoreClick() {
  const bool saved = WriteSettings(
      {{L"QeltColor", L"LSign", L""}, {L"QeltColor", L"RSign", L""}, {L"Main", L"LowerOrUpper", L"lower"}});
  mainForm_.SetCodeLetterCase(CharCase::Lower);
  drpLowerOrUpper.SetItemIndex(0);
  Edit_LSign.SetText(L"");
  Edit_RSign.SetText(L"");
  TellSaved(saved, L"设置成功恢复为默认状态!");
  mainForm_.ClickFirstSwatch();
}

void TForm_Option::FlatButton_PickConfigClick() { ApplyPickPage(L"设置成功!"); }

void TForm_Option::FlatButton_PickRestoreClick() {
  drpSampleSize.SetItemIndex(0);
  drpValues.SetItemIndex(0);
  CheckBox_Freeze.SetChecked(false);
  HotKey_ShowHide.SetValue(kDefaultShowHideHotkey);
  HotKey_Pick.SetValue(kDefaultPickHotkey);
  ApplyPickPage(L"设置成功恢复为默认状态!");
}

void TForm_Option::ApplyPickPage(const std::wstring& success) {
  const int sizeIndex = std::max(drpSampleSize.ItemIndex(), 0);
  std::vector<ProfileEntry> entries{
      {L"Pick", L"SampleSize", std::to_wstring(kSampleSizes[static_cast<std::size_t>(sizeIndex)])},
      {L"Pick", L"Values", drpValues.ItemIndex() == 1 ? L"sRGB" : L"Display"},
      {L"Pick", L"Freeze", CheckBox_Freeze.Checked() ? L"1" : L"0"}};
  std::wstring problems;
  const struct {
    HotkeyField& field;
    HotkeyAction action;
    const wchar_t* key;
  } hotkeys[] = {{HotKey_ShowHide, HotkeyAction::kShowHide, L"ShowHide"}, {HotKey_Pick, HotkeyAction::kPick, L"Pick"}};
  for (const auto& hotkey : hotkeys) {
    const std::optional<Hotkey> wanted = hotkey.field.Value();
    const std::optional<Hotkey> current = mainForm_.RegisteredHotkey(hotkey.action);
    // The settings file spells only the keys it can read back.
    const bool nameable = wanted && ParseHotkey(HotkeyText(*wanted)) == wanted;
    if (nameable && mainForm_.ChangeHotkey(hotkey.action, *wanted)) {
      entries.push_back({L"Hotkey", hotkey.key, HotkeyText(*wanted)});
      continue;
    }
    problems += !wanted     ? std::wstring(L"热键不能为空")
                : !nameable ? HotkeyText(*wanted) + L" 不可用:请用字母、数字或功能键配合 Ctrl 或 Alt"
                            : HotkeyText(*wanted) + L" 已被其他程序占用";
    problems += current ? L",仍使用 " + HotkeyText(*current) + L"。\r\n" : std::wstring(L"。\r\n");
    if (current) hotkey.field.SetValue(*current);
  }
  const bool saved = WriteSettings(entries);
  Label_KeyProblem.SetCaption(problems);
  if (!saved) {
    WarnNotSaved(Handle(), L"设置");
  } else if (problems.empty()) {
    TellSaved(true, success);
  }
}

// Success is told only once the file holds the settings.
void TForm_Option::TellSaved(bool saved, const std::wstring& success) {
  if (saved) {
    ShowMessageBox({.owner = Handle(), .text = success, .caption = L"信息", .type = MB_ICONINFORMATION | MB_OK});
  } else {
    WarnNotSaved(Handle(), L"设置");
  }
}

void TForm_Option::Label1_EmailClick() { OpenWithShell(Handle(), std::wstring(L"mailto:") + kContactEmail); }

void TForm_Option::Label11Click() { OpenWithShell(Handle(), kWebsite); }

bool TForm_Option::HandleDialogCommand(WPARAM command) {
  if (command == IDCANCEL) {
    Close();
    return true;
  }
  if (command != IDOK) return false;
  // Enter presses the focused button, and confirms anywhere else on the
  // settings and pick pages; the about and help pages have nothing to confirm.
  const int page = PageControl_Option.ActivePageIndex();
  if (page != kOptionsPage && page != kPickPage) return true;
  TFlatButton& confirm = page == kOptionsPage ? FlatButton_Config : FlatButton_PickConfig;
  TFlatButton& restore = page == kOptionsPage ? FlatButton_Restore : FlatButton_PickRestore;
  if (GetFocus() == restore.Handle()) {
    restore.Click();
  } else {
    confirm.Click();
  }
  return true;
}

void TForm_Option::RestoreFocus() {
  if (lastFocus_ && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
    ::SetFocus(lastFocus_);
  } else if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
    ::SetFocus(first);
  }
}

LRESULT TForm_Option::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The dialog keys send IDOK and IDCANCEL as commands of no control.
      if (lParam == 0 && HandleDialogCommand(wParam)) return 0;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (IsChild(Handle(), focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      // Activation gives the focus to the window itself; a control takes it,
      // as in a dialog.
      RestoreFocus();
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
