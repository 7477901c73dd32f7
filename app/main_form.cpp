#include "app/main_form.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "app/contrast_form.h"
#include "app/history_form.h"
#include "app/option_form.h"
#include "app/palette_form.h"
#include "app/palette_library.h"
#include "app/picture_conversion.h"
#include "app/picture_extension.h"
#include "app/picture_form.h"
#include "app/picture_preview.h"
#include "app/running_copy.h"
#include "app/settings.h"
#include "app/show_color_form.h"
#include "app/start_menu_shortcut.h"
#include "app/temporary_bitmap.h"
#include "app/web_code.h"
#include "framework/application.h"
#include "framework/clipboard.h"
#include "framework/color_dialog.h"
#include "framework/exception.h"
#include "framework/fonts.h"
#include "framework/message_box.h"

namespace huemira {

namespace {

constexpr int kClientWidth = 167;
constexpr int kClientHeight = 200;
constexpr COLORREF kStartColor = 5789951;  // RGB FF5858

const wchar_t kSwatchHint[] = L"当前选取颜色,\r\n双击放大。";
const wchar_t kPictureFilter[] =
    L"All image files|*.jpg;*.bmp;*.ico;*.wmf;*.emf;*.gif;*.jpeg;*.pcx;*.png;*.tga;*.tif;*.tiff;*.dcx|"
    L"JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmap files (*.bmp)|*.bmp|Icon files (*.ico)|*.ico|"
    L"EnHanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|CompuServe GIF (*.gif)|*.gif|"
    L"Protable Network Graphic (*.png)|*.png|ZSoft PC Paintbrush (*.pcx)|*.pcx|Truevision Targa (*.tga)|*.tga|"
    L"Tag Image (*.tif;*.tiff)|*.tif;*.tiff|Dcx files (*.dcx)|*.dcx";
const wchar_t kCodeBoxHint[] =
    L"html 颜色代码框,\r\n颜色选取后自动复制,\r\n双击即可复制,\r\n可自己输入颜色代码查看颜色。";

}  // namespace

TMainForm::TMainForm(HistoryColors& history) : history_(history) {}

TMainForm::~TMainForm() = default;

void TMainForm::Create() {
  CreateForm({kClassName, L"Huemira", kClientWidth, kClientHeight, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
              WS_EX_TOPMOST},
             true);
  CreateControls();
  NotifyIcon1.Loaded();
  history_.AddListener([this](int slot) {
    if (slot <= HistoryColors::kMainWindowSlots)
      SetSwatchColor(FlatButton_HC[static_cast<std::size_t>(slot - 1)], history_.Slot(slot));
  });
  OnShow = [this] { FormShow(); };
  OnClose = [this] { FormClose(); };
  FormCreate();
  CreateMenuStyler();
}

void TMainForm::CreateControls() {
  FlatHint1.ColorBackground = MakeColor(0xEE, 0xF0, 0xC4);
  FlatHint1.ColorArrowBackground = MakeColor(0xCD, 0xE2, 0x3A);
  FlatHint1.ColorArrow = MakeColor(0x43, 0x36, 0xB4);
  FlatHint1.Font = FontDescription{L"Arial", -12, MakeColor(33, 36, 82)};

  const HFONT fieldFont = ScaledFont({.name = L"Arial", .height = -12});
  const struct {
    ScrollBar& slider;
    Edit& field;
    int top;
    int position;
    const wchar_t* hint;
  } rows[] = {{ScrollBar_R, Edit_R, 28, 255, L"RGB-R"},
              {ScrollBar_G, Edit_G, 50, 88, L"RGB-G"},
              {ScrollBar_B, Edit_B, 72, 88, L"RGB-B"}};
  for (const auto& row : rows) {
    row.slider.Create(*this, {Bounds(2, row.top, 130, 18), 0, 255, row.position, row.hint});
    row.field.Create(*this, {Bounds(135, row.top - 1, 30, 20), std::to_wstring(row.position), row.hint});
    row.field.SetFont(fieldFont);
    row.field.SetColors(GetSysColor(COLOR_WINDOWTEXT), kFieldBackground);
    row.slider.OnChange = [this, &slider = row.slider, &field = row.field] { ScrollBarChange(slider, field); };
    row.field.OnChange = [this, &field = row.field, &slider = row.slider] { EditChange(field, slider); };
    row.field.OnEnter = [this] { EditEnter(); };
    row.field.OnExit = [this, &field = row.field] { EditExit(field); };
    row.field.OnKeyPress = [this, &field = row.field](wchar_t& key) { EditKeyPress(field, key); };
  }

  BitBtn_PScreen.Create(*this, {Bounds(96, 95, 70, 25), L"屏幕取色", L"按住鼠标拖动,\r\n放开后即取得当前点颜色。"});
  BitBtn_PScreen.OnMouseDown = [this](POINT) { BitBtn_PScreenMouseDown(); };
  BitBtn_PScreen.OnMouseUp = [this](POINT) { BitBtn_PScreenMouseUp(); };
  ScreenPick1.OnSample = [this](TColor color) { Timer_CheckScreenColorTimer(color); };
  ScreenPick1.OnFinish = [this](TColor) { ScreenPickFinish(); };
  ScreenPick1.OnCancel = [this] { ScreenPickCancel(); };
  HotkeyPick1.OnTake = [this](TColor color, bool) { TakePickedColor(color); };
  ScreenPick1.SetDisplayProfiles(&DisplayProfiles1);
  HotkeyPick1.SetDisplayProfiles(&DisplayProfiles1);
  BitBtn_PBox.Create(*this, {Bounds(96, 121, 70, 25), L"色盒取色", L"从调色板中取得颜色"});
  BitBtn_PBox.OnClick = [this] { BitBtn_PBoxClick(); };
  BitBtn_PImage.Create(*this, {Bounds(96, 147, 70, 25), L"图片取色", L"从图片选取颜色"});
  BitBtn_PImage.OnClick = [this] { BitBtn_PImageClick(); };
  MyOpenPictureDialog.Title = L"请选择图片";
  MyOpenPictureDialog.Filter = kPictureFilter;
  MyOpenPictureDialog.RenderPreview = RenderPicturePreview;
  BitBtn_Option.Create(*this, {Bounds(96, 173, 70, 25), L"选项", L"设置选项"});
  BitBtn_Option.OnClick = [this] { BitBtn_OptionClick(); };

  Panel_ShowColor.Create(*this, {Bounds(1, 95, 93, 78), kStartColor, Bevel::LoweredInner, L"", kSwatchHint});
  Panel_ShowColor.OnDblClick = [this] { Panel_ShowColorDblClick(); };
  ImageList_ShowColorMenu.reset(ImageList_LoadImageW(Application::Instance().InstanceHandle(), L"SHOWCOLORMENU", 16,
                                                     0, RGB(0xFF, 0x00, 0xFF), IMAGE_BITMAP, LR_CREATEDIBSECTION));
  PopupMenu_ShowColor.SetImages(ImageList_ShowColorMenu.get());
  PopupMenu_ShowColor.AddItem(L"放大颜色浏览", [this] { Panel_ShowColorDblClick(); }, 0);
  PopupMenu_ShowColor.AddSeparator();
  PopupMenu_ShowColor.AddItem(L"添加到历史库", [this] { N_AddToHistoryClick(); }, 1);
  PopupMenu_ShowColor.AddItem(L"添加到调色板", [this] { N_AddToPaletteClick(); });
  PopupMenu_ShowColor.AddSeparator();
  CopyAsMenu_ShowColor.Fill(PopupMenu_ShowColor.AddSubmenu(L"复制为"));
  const auto referenceNearest = [this](TColor color) {
    return palettes_ ? palettes_->ReferenceNearest(color) : std::nullopt;
  };
  CopyAsMenu_ShowColor.SetNearestToken(referenceNearest);
  ScreenPick1.SetNearestToken(referenceNearest);
  HotkeyPick1.SetNearestToken(referenceNearest);
  PopupMenu_ShowColor.AddItem(L"对比度…", [this] { N_ContrastClick(); });
  PopupMenu_ShowColor.AddItem(L"调色板…", [this] { N_PaletteClick(); });
  Panel_ShowColor.OnContextMenu = [this](POINT point) {
    CopyAsMenu_ShowColor.Refresh();
    PopupMenu_ShowColor.Popup(Handle(), point);
  };
  // Every path that changes the current colour ends at the swatch; the
  // contrast window follows it from there, a screen pick in progress too.
  Panel_ShowColor.OnChange = [this] {
    if (contrastForm_) contrastForm_->SetTextColor(CurrentColor());
  };

  Edit_GetColor.Create(*this, {Bounds(1, 175, 92, 23), L"ff5858", kCodeBoxHint});
  Edit_GetColor.SetFont(fieldFont);
  Edit_GetColor.SetColors(GetSysColor(COLOR_WINDOWTEXT), kFieldBackground);
  Edit_GetColor.SetCharCase(CharCase::Lower);
  Edit_GetColor.OnChange = [this] { Edit_GetColorChange(); };
  Edit_GetColor.OnEnter = [this] { Edit_GetColorEnter(); };
  Edit_GetColor.OnExit = [this] { Edit_GetColorExit(); };
  Edit_GetColor.OnKeyPress = [this](wchar_t& key) { Edit_GetColorKeyPress(key); };
  Edit_GetColor.OnKeyDown = [this](WPARAM key) { return Edit_GetColorKeyDown(key); };
  Edit_GetColor.OnDblClick = [this] { Edit_GetColorDblClick(); };

  for (int slot = 1; slot <= HistoryColors::kMainWindowSlots; ++slot) {
    TFlatButton& swatch = FlatButton_HC[static_cast<std::size_t>(slot - 1)];
    swatch.Create(*this, {Bounds(3 + 18 * (slot - 1), 3, 17, 20), L"", L"历史颜色"});
    SetSwatchColor(swatch, history_.Slot(slot));
    swatch.OnClick = [this, slot] { ApplySwatchColor(slot); };
  }
  FlatButton_MoreHistoryColor.Create(*this, {Bounds(147, 3, 17, 20), L">>", L"查看更多历史颜色", RGB(0xBC, 0xCE, 0x73)});
  FlatButton_MoreHistoryColor.SetColorFocused(RGB(0xED, 0xF4, 0xCE));
  FlatButton_MoreHistoryColor.SetColorDown(RGB(0xB8, 0xC5, 0xD8));
  for (auto setter : {&TFlatButton::SetColorBorder, &TFlatButton::SetColorHighLight, &TFlatButton::SetColorShadow})
    (FlatButton_MoreHistoryColor.*setter)(RGB(0x00, 0x00, 0x40));
  FlatButton_MoreHistoryColor.OnClick = [this] { FlatButton_MoreHistoryColorClick(); };

  for (Edit* word : {&Edit_Mode, &Edit_ScrollMode, &Edit_HotKey}) word->Create(*this, {RECT{}, L"", L"", false});
  Edit_HotKey.SetText(kShown);

  CreateTrayIcon();
}

void TMainForm::CreateTrayIcon() {
  const HINSTANCE instance = Application::Instance().InstanceHandle();
  ImageList_TrayPopMenu.reset(ImageList_Create(16, 16, ILC_COLOR32, 6, 0));
  if (UniqueBitmap strip{static_cast<HBITMAP>(
          LoadImageW(instance, L"TRAYMENUIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))})
    ImageList_Add(ImageList_TrayPopMenu.get(), strip.get(), nullptr);
  enum TrayImage { kExitImage, kHelpImage, kHideImage, kAboutImage, kShowImage, kOptionsImage };
  PopupMenu_Tray.SetImages(ImageList_TrayPopMenu.get());
  N1 = PopupMenu_Tray.AddItem(L"显示主窗口", [this] { N1Click(); }, kShowImage);
  PopupMenu_Tray.AddSeparator();
  N3 = PopupMenu_Tray.AddItem(L"隐藏主窗口", [this] { N3Click(); }, kHideImage);
  PopupMenu_Tray.AddSeparator();
  N5 = PopupMenu_Tray.AddItem(L"选项", [this] { N5Click(); }, kOptionsImage);
  PopupMenu_Tray.AddSeparator();
  N7 = PopupMenu_Tray.AddItem(L"帮助", [this] { N7Click(); }, kHelpImage);
  PopupMenu_Tray.AddSeparator();
  N9 = PopupMenu_Tray.AddItem(L"关于", [this] { N9Click(); }, kAboutImage);
  PopupMenu_Tray.AddSeparator();
  N11 = PopupMenu_Tray.AddItem(L"退出", [this] { N11Click(); }, kExitImage);

  NotifyIcon1.Create(Handle());
  UniqueIcon icon(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, 32, 32, 0)));
  NotifyIcon1.SetIcon(icon.get());
  NotifyIcon1.SetIconVisible(true);
  NotifyIcon1.SetPopupMenu(&PopupMenu_Tray);
  NotifyIcon1.OnClick = [this] { NotifyIcon1Click(); };
}

void TMainForm::CreateMenuStyler() {
  MenuStyler1.DimLevel = 30;
  MenuStyler1.GrayLevel = 10;
  MenuStyler1.SetFont(FontDescription{L"Tahoma", -11, clMenuText, GB2312_CHARSET});
  MenuStyler1.Color = clBtnFace;
  MenuStyler1.IconBackColor = clBtnFace;
  MenuStyler1.SetMenuBarColor(clBtnFace);
  MenuStyler1.SelectColor = clHighlight;
  MenuStyler1.SelectBorderColor = clHighlight;
  MenuStyler1.SelectFontColor = clMenuText;
  MenuStyler1.DisabledColor = clInactiveCaption;
  MenuStyler1.SeparatorColor = clBtnFace;
  MenuStyler1.CheckedColor = clHighlight;
  MenuStyler1.IconWidth = 24;
  MenuStyler1.DrawSelect = true;
  MenuStyler1.SetUseSystemColors(true);
  MenuStyler1.SetOverrideOwnerDraw(false);
  MenuStyler1.Gradient = false;
  MenuStyler1.FlatMenu = false;
  MenuStyler1.AutoDetect = false;
  MenuStyler1.SetXPContainers({});
  MenuStyler1.SetXPControls({XPControl::xcMainMenu, XPControl::xcPopupMenu});
  // Last, when every menu of the window has its entries.
  MenuStyler1.SetActive(true);
}

void TMainForm::AttachWindows(TForm_PImage& picture, TForm_ShowColor& showColor, TForm_Option& option,
                              TForm_HistoryColor& historyColor) {
  pictureForm_ = &picture;
  picture.OnPick = [this](TColor color) { TakePickedColor(color); };
  showColorForm_ = &showColor;
  optionForm_ = &option;
  historyForm_ = &historyColor;
  historyColor.OnSwatchClick = [this](int slot) { ApplySwatchColor(slot); };
}

void TMainForm::FormCreate() {
  Edit_ScrollMode.SetText(kScrollEdit);
  Edit_Mode.SetText(kColorDrivesCode);

  RECT frame;
  GetWindowRect(Handle(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(Handle(), nullptr, GetSystemMetrics(SM_CXSCREEN) - width - 20,
               GetSystemMetrics(SM_CYSCREEN) - height - 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  // The hidden application window becomes a tool window: no taskbar button.
  SetWindowLongPtrW(Application::Instance().Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);

  CreateStartMenuShortcut(L"Huemira", ProgramPath());
  ChangeHotkey(HotkeyAction::kShowHide, ReadHotkeySetting(L"ShowHide", kDefaultShowHideHotkey));
  ChangeHotkey(HotkeyAction::kPick, ReadHotkeySetting(L"Pick", kDefaultPickHotkey));

  try {
    LoadStartColors();
  } catch (const EClipboardException& failure) {
    Application::Instance().ShowException(failure);
  }

  DragAcceptFiles(Handle(), TRUE);
}

void TMainForm::LoadStartColors() {
  Edit_GetColor.SetCharCase(ReadLowerCaseSetting() ? CharCase::Lower : CharCase::Upper);

  const TColor color = HistoryColors::StoredColor(1, ReadSetting(L"HistoryColor", HistoryColors::Key(1)));
  Panel_ShowColor.SetColor(color);
  ShowColorOnSliders(color);
  ShowColorInFields(color);
  Edit_GetColor.SetText(ColorToWebCode(color));
  history_.SetSlot(1, color);
  // A clipboard that another program holds must not cost the stored
  // history: swatches that stayed at their defaults would be written over
  // the stored keys at closing. The failure is reported once they are loaded.
  std::exception_ptr copyFailure;
  try {
    CopyToClipboard(Edit_GetColor.Text());
  } catch (const EClipboardException&) {
    copyFailure = std::current_exception();
  }

  const auto read = [](const std::wstring& key) { return ReadSetting(L"HistoryColor", key); };
  history_.Load(2, HistoryColors::kMainWindowSlots, read);
  if (copyFailure) std::rethrow_exception(copyFailure);
}

void TMainForm::FormShow() { ForceForeground(Handle()); }

void TMainForm::FormClose() {
  SaveHistory(SaveFailure::Tell);
  for (const int id : {kHotKeyId, kPickHotKeyId}) UnregisterHotKey(Handle(), id);
  HotkeyPick1.Cancel();
  DeleteTemporaryBitmap();
}

void TMainForm::SaveHistory(SaveFailure failure) {
  if (savedHistory_ == history_.All()) return;
  std::vector<ProfileEntry> entries;
  for (int slot = 1; slot <= HistoryColors::kSlots; ++slot)
    entries.push_back({L"HistoryColor", HistoryColors::Key(slot), SixDigitForm(ColorToRGB(history_.Slot(slot)))});
  if (WriteSettings(entries)) {
    savedHistory_ = history_.All();
  } else if (failure == SaveFailure::Tell) {
    WarnNotSaved(Handle(), L"历史颜色");
  }
}

void TMainForm::ShowColorOnSliders(TColor color) {
  ScrollBar_R.SetPosition(RedOf(color));
  ScrollBar_G.SetPosition(GreenOf(color));
  ScrollBar_B.SetPosition(BlueOf(color));
}

void TMainForm::ShowColorInFields(TColor color) {
  Edit_R.SetText(std::to_wstring(RedOf(color)));
  Edit_G.SetText(std::to_wstring(GreenOf(color)));
  Edit_B.SetText(std::to_wstring(BlueOf(color)));
}

bool TMainForm::AtRest() const {
  return Edit_ScrollMode.Text() == kScrollEdit && Edit_Mode.Text() == kColorDrivesCode;
}

void TMainForm::ShowColorInSwatchAndCode(TColor color) {
  Panel_ShowColor.SetColor(color);
  Edit_GetColor.SetText(ColorToWebCode(CurrentColor()));
}

void TMainForm::ApplySwatchColor(int slot) {
  if (!AtRest()) return;
  const TColor color = history_.Slot(slot);
  ShowColorOnSliders(color);
  ShowColorInFields(color);
  ShowColorInSwatchAndCode(color);
  CopyToClipboard(Edit_GetColor.Text());
}

void TMainForm::PushHistoryColor(TColor color) {
  Edit_Mode.SetText(kColorDrivesCode);
  history_.Push(color);
}

void TMainForm::BitBtn_PScreenMouseDown() {
  colorBeforePick_ = CurrentColor();
  ScreenPick1.Begin(BitBtn_PScreen.Handle());
}

void TMainForm::Timer_CheckScreenColorTimer(TColor color) {
  Panel_ShowColor.SetColor(color);
  ShowColorOnSliders(color);
  ShowColorInFields(color);
  Edit_GetColor.SetText(ColorToWebCode(color));
}

void TMainForm::BitBtn_PScreenMouseUp() { ScreenPick1.End(); }

// The release keeps the current colour, which is the last sample, or the
// colour from before the press when the release came before any sample.
void TMainForm::ScreenPickFinish() {
  if (CurrentColor() == history_.Slot(1)) return;
  PushHistoryColor(CurrentColor());
  CopyToClipboard(Edit_GetColor.Text());
}

void TMainForm::ScreenPickCancel() {
  const TColor color = colorBeforePick_;
  // The sliders rewrite the code box as they move, too.
  quietCodeChange_ = true;
  Panel_ShowColor.SetColor(color);
  ShowColorOnSliders(color);
  ShowColorInFields(color);
  Edit_GetColor.SetText(ColorToWebCode(color));
  quietCodeChange_ = false;
}

void TMainForm::BitBtn_PBoxClick() {
  COLORREF color = CurrentColor();
  if (ExecuteColorDialog(Handle(), color)) TakePickedColor(color);
}

void TMainForm::TakePickedColor(TColor color) {
  Panel_ShowColor.SetColor(color);
  ShowColorOnSliders(color);
  ShowColorInFields(color);
  PushHistoryColor(color);
  Edit_GetColor.SetText(ColorToWebCode(color));
  CopyToClipboard(Edit_GetColor.Text());
}

void TMainForm::BitBtn_PImageClick() {
  // One picture at a time: the window thread handles input while a
  // conversion runs, and a second one would pile up beneath it.
  if (openingPicture_) return;
  if (MyOpenPictureDialog.Execute(Handle())) OpenPicture(MyOpenPictureDialog.FileName(), true);
}

void TMainForm::HandleDroppedFiles(HDROP drop) {
  // Only the last of the dropped files is taken, by its full name at any length.
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::wstring fileName;
  if (count > 0) {
    const UINT length = DragQueryFileW(drop, count - 1, nullptr, 0);
    fileName.resize(length + 1);
    fileName.resize(DragQueryFileW(drop, count - 1, fileName.data(), length + 1));
  }
  DragFinish(drop);
  if (IsPictureKey(ExtensionKey(fileName))) OpenPicture(fileName, false);
}

void TMainForm::OpenPicture(const std::wstring& fileName, bool modal) {
  if (openingPicture_) return;
  openingPicture_ = true;
  struct EndOfOpening {
    bool& opening;
    ~EndOfOpening() { opening = false; }
  } endOfOpening{openingPicture_};
  TForm_PImage& window = *pictureForm_;
  window.Edit_TempBmpFileName.SetText(L"");
  const std::wstring key = ExtensionKey(fileName);
  // There is only ever one temporary bitmap: the next picture, the user's
  // own bitmap too, replaces the window's picture and so ends the old one.
  DeleteTemporaryBitmap();
  if (IsBitmapKey(key)) {
    // A bitmap that does not read raises its own error: the error box, and no window.
    window.LoadPicture(fileName);
  } else {
    ConvertedPicture converted;
    if (IsConvertedKey(key)) converted = ConvertToTemporaryBitmap(fileName);
    // The user cancelled, or the program is ending: no window, no box.
    if (converted.outcome == ConvertedPicture::Outcome::Cancelled) return;
    if (converted.outcome == ConvertedPicture::Outcome::Failed) {
      ShowMessageBox({.owner = Handle(), .text = L"暂不支持该图片格式取色!", .caption = L"消息", .type = MB_OK | MB_ICONWARNING});
      return;
    }
    window.Edit_TempBmpFileName.SetText(converted.bitmapFile);
    window.SetPicture(std::move(converted.picture));
  }
  if (IsWindowVisible(window.Handle())) {
    // Already open (after a drop): the new picture takes the old one's place
    // in the window as it is shown, never modal over windows left usable.
    window.Show();
  } else if (modal) {
    window.ShowModal();
  } else {
    window.Show();
  }
}

void TMainForm::Panel_ShowColorDblClick() {
  if (showColorForm_) showColorForm_->ShowColor(CurrentColor(), Edit_GetColor.Text());
}

void TMainForm::N_AddToHistoryClick() {
  const TColor color = CurrentColor();
  if (color == history_.Slot(1)) return;
  ShowColorOnSliders(color);
  ShowColorInFields(color);
  PushHistoryColor(color);
  Edit_GetColor.SetText(ColorToWebCode(color));
  CopyToClipboard(Edit_GetColor.Text());
}

void TMainForm::N_ContrastClick() { ContrastForm().Show(); }

TForm_Contrast& TMainForm::ContrastForm() {
  if (!contrastForm_) {
    contrastForm_ = std::make_unique<TForm_Contrast>(*this);
    contrastForm_->Create();
  }
  return *contrastForm_;
}

void TMainForm::N_AddToPaletteClick() {
  if (!palettes_) return;
  palettes_->AddToLastUsed(CurrentColor());
  if (paletteForm_ && IsWindowVisible(paletteForm_->Handle())) paletteForm_->ShowStoredChange();
}

void TMainForm::N_PaletteClick() {
  if (palettes_) PaletteForm().Show();
}

TForm_Palette& TMainForm::PaletteForm() {
  if (!paletteForm_) {
    paletteForm_ = std::make_unique<TForm_Palette>(*this, *palettes_, history_);
    paletteForm_->Create();
  }
  return *paletteForm_;
}

void TMainForm::SetCodeLetterCase(CharCase letterCase) {
  Edit_GetColor.SetCharCase(letterCase);
  if (contrastForm_) contrastForm_->ShowLetterCase();
}

HexLetterCase TMainForm::CodeLetterCase() const {
  return Edit_GetColor.GetCharCase() == CharCase::Upper ? HexLetterCase::Upper : HexLetterCase::Lower;
}

void TMainForm::BitBtn_OptionClick() {
  if (optionForm_) optionForm_->ShowAtPage(TForm_Option::kOptionsPage);
}

void TMainForm::FlatButton_MoreHistoryColorClick() {
  if (historyForm_) historyForm_->ShowModal();
}

void TMainForm::ScrollBarChange(ScrollBar& slider, Edit& field) {
  if (!AtRest()) return;
  field.SetText(std::to_wstring(slider.Position()));
  ShowColorInSwatchAndCode(MakeColor(ScrollBar_R.Position(), ScrollBar_G.Position(), ScrollBar_B.Position()));
}

void TMainForm::EditChange(Edit& field, ScrollBar& slider) {
  if (Edit_ScrollMode.Text() != kEditScroll || Edit_Mode.Text() != kColorDrivesCode) return;
  try {
    slider.SetPosition(StrToInt(field.Text()));
    // A value above 255 stops the slider at 255; the colour follows the
    // slider rather than the value's low byte, so the views agree.
    const auto component = [](const Edit& edit) { return std::clamp(StrToInt(edit.Text()), 0, 255); };
    const int blue = component(Edit_B);
    const int green = component(Edit_G);
    const int red = component(Edit_R);
    ShowColorInSwatchAndCode(MakeColor(red, green, blue));
  } catch (const EConvertError&) {
    // Not a number (yet): the views keep their state.
  }
}

void TMainForm::EditEnter() { Edit_ScrollMode.SetText(kEditScroll); }

void TMainForm::EditExit(Edit& field) {
  Edit_ScrollMode.SetText(kScrollEdit);
  if (field.Text().empty()) field.SetText(L"0");
}

void TMainForm::EditKeyPress(Edit& field, wchar_t& key) {
  bool clearField = false;
  key = FilterDigitKey(key, field.Text().size(), clearField);
  if (clearField) field.SetText(L"");
}

void TMainForm::Edit_GetColorChange() {
  if (!quietCodeChange_) CopyToClipboard(Edit_GetColor.Text());
  if (Edit_Mode.Text() != kCodeDrivesColor) return;
  try {
    const TColor color = WebCodeToColor(Edit_GetColor.Text());
    Panel_ShowColor.SetColor(color);
    ShowColorOnSliders(color);
    ShowColorInFields(color);
  } catch (const EConvertError&) {
    // A code being typed: the colour stays until the code reads.
  }
}

void TMainForm::Edit_GetColorEnter() { Edit_Mode.SetText(kCodeDrivesColor); }

void TMainForm::Edit_GetColorExit() {
  try {
    Edit_Mode.SetText(kColorDrivesCode);
    if (Edit_GetColor.Text().empty()) Edit_GetColor.SetText(BlackWebCode());
  } catch (const std::exception&) {
  }
}

void TMainForm::Edit_GetColorKeyPress(wchar_t& key) {
  if (!IsCodeBoxKey(key)) key = 0;
}

bool TMainForm::Edit_GetColorKeyDown(WPARAM key) {
  if (key != 'V' || !OnlyControlHeld()) return false;
  Edit_GetColor.PasteFromClipboard();
  Edit_GetColor.SetText(GetClipboardText());
  return true;
}

void TMainForm::Edit_GetColorDblClick() { CopyToClipboard(Edit_GetColor.Text()); }

void TMainForm::ShowFromHidden() {
  Edit_HotKey.SetText(kShown);
  RECT frame;
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), HWND_TOPMOST, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_SHOWWINDOW);
  UpdateWindow(Handle());
  Show();
}

void TMainForm::NotifyIcon1Click() { ShowFromHidden(); }

void TMainForm::N1Click() { ShowFromHidden(); }

void TMainForm::N3Click() {
  Edit_HotKey.SetText(kHidden);
  Hide();
}

void TMainForm::N5Click() { BitBtn_Option.Click(); }

void TMainForm::N7Click() {
  if (optionForm_) optionForm_->ShowAtPage(TForm_Option::kHelpPage);
}

void TMainForm::N9Click() {
  if (optionForm_) optionForm_->ShowAtPage(TForm_Option::kAboutPage);
}

// Closes as the close box does: the history is written.
void TMainForm::N11Click() { Close(); }

std::optional<Hotkey> TMainForm::RegisteredHotkey(HotkeyAction action) const {
  return hotkeys_[static_cast<std::size_t>(action)];
}

bool TMainForm::ChangeHotkey(HotkeyAction action, Hotkey hotkey) {
  auto& current = hotkeys_[static_cast<std::size_t>(action)];
  if (current == hotkey) return true;
  // Tried under an id of its own first, so that a key someone holds leaves
  // the current one registered throughout.
  constexpr int kTrialId = 103;
  if (!RegisterHotKey(Handle(), kTrialId, hotkey.modifiers, hotkey.key)) return false;
  UnregisterHotKey(Handle(), kTrialId);
  const int id = action == HotkeyAction::kShowHide ? kHotKeyId : kPickHotKeyId;
  UnregisterHotKey(Handle(), id);
  if (!RegisterHotKey(Handle(), id, hotkey.modifiers, hotkey.key)) {
    if (!current || !RegisterHotKey(Handle(), id, current->modifiers, current->key)) current.reset();
    return false;
  }
  current = hotkey;
  return true;
}

void TMainForm::HandleHotKey(WPARAM id) {
  if (id == kPickHotKeyId) {
    if (!ScreenPick1.Picking()) HotkeyPick1.Begin();
    return;
  }
  if (id != kHotKeyId) return;
  if (Edit_HotKey.Text() == kHidden) {
    ShowFromHidden();
    Edit_HotKey.SetText(kShown);
  } else {
    Hide();
    Edit_HotKey.SetText(kHidden);
  }
}

bool TMainForm::HandleSysCommand(WPARAM command) {
  if ((command & 0xFFF0) != SC_MINIMIZE) return false;
  // Minimising puts the window away like the hotkey does.
  Hide();
  Edit_HotKey.SetText(kHidden);
  return true;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ShowRunningCopyMessage()) {
    // A second start of the program: it ends, and this copy comes forward.
    ShowFromHidden();
    return 0;
  }
  switch (message) {
    case WM_HOTKEY:
      HandleHotKey(wParam);
      return 0;
    case WM_SYSCOMMAND:
      if (HandleSysCommand(wParam)) return 0;
      break;
    case WM_DROPFILES:
      HandleDroppedFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DISPLAYCHANGE:
      // A monitor may have come or gone, or changed its profile or HDR mode.
      DisplayProfiles1.Invalidate();
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows is logging off or shutting down: the process ends without a
      // close, so the history is saved here as closing would. Should the
      // session go on after all, a later close saves what was picked since.
      if (wParam) SaveHistory(SaveFailure::Quiet);
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

bool OnlyControlHeld() {
  return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

bool ForceForeground(HWND window) {
  HWND foreground = GetForegroundWindow();
  const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD ownThread = GetCurrentThreadId();
  const bool attach = foregroundThread != 0 && foregroundThread != ownThread;
  if (attach) AttachThreadInput(foregroundThread, ownThread, TRUE);
  const bool result = SetForegroundWindow(window) != FALSE;
  if (attach) AttachThreadInput(foregroundThread, ownThread, FALSE);
  return result;
}

}  // namespace huemira
