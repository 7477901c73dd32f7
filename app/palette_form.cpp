#include "app/palette_form.h"

#include <filesystem>

#include "app/form_place.h"
#include "app/main_form.h"
#include "app/palette_file_name.h"
#include "color/ciede2000.h"
#include "color/css_color_text.h"
#include "color/palette_file_error.h"
#include "color/palette_format.h"
#include "framework/exception.h"
#include "framework/file_dialog.h"
#include "framework/file_replace.h"
#include "framework/input_query.h"
#include "framework/message_box.h"
#include "framework/stream.h"
#include "framework/system_color.h"
#include "framework/text.h"

namespace huemira {

namespace {

constexpr wchar_t kPaletteFormClass[] = L"HuemiraPaletteForm";
constexpr wchar_t kSection[] = L"Palette";
constexpr int kClientWidth = 700;
constexpr int kClientHeight = 420;
constexpr COLORREF kFailureColor = RGB(0xC0, 0x00, 0x00);
// A history change is shown from the message loop, once for a whole push.
constexpr UINT kRefreshHistoryMessage = WM_APP + 1;
constexpr std::int64_t kMaxImportBytes = 64 << 20;

constexpr wchar_t kHistoryName[] = L"取色历史";
constexpr wchar_t kCssNamedName[] = L"CSS 命名颜色";
constexpr wchar_t kNewPaletteName[] = L"新调色板";

// The bytes of a file to import; a file of no palette's size is refused.
std::string ReadFileBytes(const std::wstring& path) {
  TFileStream file(std::filesystem::path(path), FileMode::OpenRead);
  const std::int64_t size = file.Size();
  if (size > kMaxImportBytes) throw PaletteFileError(0, "文件过大");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

std::wstring FileNameOf(const std::wstring& path) { return std::filesystem::path(path).filename().wstring(); }

std::wstring PatternOf(const PaletteFormatInfo& info) { return L"*" + Utf8ToWide(std::string(info.extension)); }

// One entry per format, after one for them all when reading.
std::wstring PaletteFilter(bool forReading) {
  std::wstring all, each;
  for (const PaletteFormatInfo& info : PaletteFormats()) {
    all += (all.empty() ? L"" : L";") + PatternOf(info);
    each += L"|" + Utf8ToWide(std::string(info.description)) + L" (" + PatternOf(info) + L")|" + PatternOf(info);
  }
  return forReading ? L"所有调色板文件|" + all + each + L"|所有文件|*.*" : each.substr(1);
}

// What the user is told when a file's name gives no palette format.
std::string UnknownFormatText() {
  std::string extensions;
  for (const PaletteFormatInfo& info : PaletteFormats()) {
    extensions += ' ';
    extensions += info.extension;
  }
  return "不支持的文件类型,可用的扩展名:" + extensions;
}

std::wstring ImportedText(const Palette& palette) {
  std::size_t mapped = 0;
  for (const PaletteEntry& entry : palette.entries) mapped += entry.mapped;
  std::wstring text = L"已导入 " + std::to_wstring(palette.entries.size()) + L" 种颜色";
  if (mapped) text += L",其中 " + std::to_wstring(mapped) + L" 种超出 sRGB,已映射到最近的颜色";
  return text;
}

}  // namespace

TForm_Palette::TForm_Palette(TMainForm& mainForm, PaletteLibrary& palettes, HistoryColors& history)
    : mainForm_(mainForm), palettes_(palettes), history_(history) {}

void TForm_Palette::Create() {
  CreateForm({.className = kPaletteFormClass,
              .caption = L"Huemira-调色板",
              .clientWidth = kClientWidth,
              .clientHeight = kClientHeight,
              .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
              .exStyle = WS_EX_TOPMOST},
             false);
  CreateControls();
  // A first opening: left of the main window, on its monitor.
  RECT frame, main;
  GetWindowRect(Handle(), &frame);
  GetWindowRect(mainForm_.Handle(), &main);
  RestoreFormPlace(Handle(), kSection,
                   POINT{main.left - (frame.right - frame.left) - 8, main.bottom - (frame.bottom - frame.top)},
                   mainForm_.Handle());
  // Files may have changed while the window was away.
  OnShow = [this] {
    palettes_.Reload();
    const std::optional<std::size_t> last = palettes_.LastUsed();
    ShowPalettes(last ? static_cast<int>(*last) + 1 : row_);
  };
  history_.AddListener([this](int) {
    if (row_ != kHistoryRow || historyRefreshPosted_ || !IsWindowVisible(Handle())) return;
    historyRefreshPosted_ = PostMessageW(Handle(), kRefreshHistoryMessage, 0, 0) != FALSE;
  });
}

void TForm_Palette::CreateControls() {
  Label_Palettes.Create(*this, {.position = {8, 8}, .caption = L"调色板:"});
  ListBox_Palettes.Create(*this, {.bounds = Bounds(8, 26, 170, 298),
                                  .hint = L"Delete 删除调色板,\r\nF2 重命名。"});
  ListBox_Palettes.OnChange = [this] { ChoosePalette(ListBox_Palettes.ItemIndex()); };
  ListBox_Palettes.OnKeyDown = [this](WPARAM key) { return ListBox_PalettesKeyDown(key); };
  Button_New.Create(*this, {.bounds = Bounds(8, 330, 54, 25), .caption = L"新建"});
  Button_New.OnClick = [this] { Button_NewClick(); };
  Button_RenamePalette.Create(*this, {.bounds = Bounds(66, 330, 54, 25), .caption = L"重命名"});
  Button_RenamePalette.OnClick = [this] { Button_RenamePaletteClick(); };
  Button_DeletePalette.Create(*this, {.bounds = Bounds(124, 330, 54, 25), .caption = L"删除"});
  Button_DeletePalette.OnClick = [this] { Button_DeletePaletteClick(); };
  Button_Import.Create(*this, {.bounds = Bounds(8, 360, 83, 25), .caption = L"导入…",
                               .hint = L"从调色板文件导入新调色板"});
  Button_Import.OnClick = [this] { Button_ImportClick(); };
  Button_Export.Create(*this, {.bounds = Bounds(95, 360, 83, 25), .caption = L"导出…",
                               .hint = L"把调色板保存为文件"});
  Button_Export.OnClick = [this] { Button_ExportClick(); };

  Label_Colors.Create(*this, {.position = {188, 8}, .caption = L"颜色:"});
  Grid_Colors.Create(*this, {.bounds = Bounds(188, 26, 504, 298),
                             .hint = L"单击即取用此颜色,\r\nDelete 移除, F2 命名,\r\nCtrl+方向键 移动。"});
  Grid_Colors.OnActivate = [this](std::size_t index) { Grid_ColorsActivate(index); };
  Grid_Colors.OnSelect = [this] { UpdateButtons(); };
  Grid_Colors.OnKeyDown = [this](WPARAM key) { return Grid_ColorsKeyDown(key); };
  Button_AddColor.Create(*this, {.bounds = Bounds(188, 330, 96, 25), .caption = L"添加当前颜色",
                                 .hint = L"把主窗口的当前颜色加到此调色板"});
  Button_AddColor.OnClick = [this] { Button_AddColorClick(); };
  Button_RemoveColor.Create(*this, {.bounds = Bounds(288, 330, 54, 25), .caption = L"移除"});
  Button_RemoveColor.OnClick = [this] { Button_RemoveColorClick(); };
  Button_MoveUp.Create(*this, {.bounds = Bounds(346, 330, 54, 25), .caption = L"前移"});
  Button_MoveUp.OnClick = [this] { MoveColor(-1); };
  Button_MoveDown.Create(*this, {.bounds = Bounds(404, 330, 54, 25), .caption = L"后移"});
  Button_MoveDown.OnClick = [this] { MoveColor(1); };
  Button_RenameColor.Create(*this, {.bounds = Bounds(462, 330, 72, 25), .caption = L"命名颜色"});
  Button_RenameColor.OnClick = [this] { Button_RenameColorClick(); };

  Label_Reference.Create(*this, {.position = {188, 365}, .caption = L"参照调色板:"});
  ComboBox_Reference.Create(*this, {.bounds = Bounds(262, 361, 200, 240),
                                    .hint = L"取色时和“复制为”给出\r\n此调色板中最近的颜色"});
  ComboBox_Reference.OnChange = [this] { ComboBox_ReferenceChange(); };
  CheckBox_Nearest.Create(*this, {.bounds = Bounds(472, 362, 220, 22), .caption = L"显示参照中最近的颜色"});
  CheckBox_Nearest.OnClick = [this] { ShowColors(Grid_Colors.Selected()); };

  Label_Status.Create(*this, {.position = {8, 396}, .caption = L""});
}

std::optional<std::size_t> TForm_Palette::ChosenStoredPalette() const {
  if (row_ <= kHistoryRow) return std::nullopt;
  return static_cast<std::size_t>(row_ - 1);
}

std::optional<Palette> TForm_Palette::ChosenPalette() const {
  if (row_ == kHistoryRow) {
    Palette history{.name = WideToUtf8(kHistoryName)};
    for (TColor color : history_.All()) history.entries.push_back(PaletteEntry{.color = color});
    return history;
  }
  const StoredPalette& stored = palettes_.Palettes().at(*ChosenStoredPalette());
  if (!stored.Readable()) return std::nullopt;
  return stored.palette;
}

void TForm_Palette::ShowPalettes(int row) {
  ShowPaletteList(row);
  ChoosePalette(ListBox_Palettes.ItemIndex());
}

void TForm_Palette::ShowPaletteList(int row) {
  std::vector<ListBox::Item> items{{kHistoryName, false}};
  for (const StoredPalette& stored : palettes_.Palettes())
    items.push_back(stored.Readable() ? ListBox::Item{Utf8ToWide(stored.palette.name), false}
                                      : ListBox::Item{stored.fileName, true});
  if (row < 0 || row >= static_cast<int>(items.size())) row = kHistoryRow;
  ListBox_Palettes.SetItems(items, row);
  ShowReferences();
}

void TForm_Palette::ShowStoredChange() {
  ShowPaletteList(row_);
  ShowColors(Grid_Colors.Selected());
}

void TForm_Palette::ShowReferences() {
  std::vector<std::wstring> items{kCssNamedName};
  const std::wstring reference = palettes_.Reference();
  int chosen = reference == PaletteLibrary::kCssNamedReference ? 0 : -1;
  for (const StoredPalette& stored : palettes_.Palettes()) {
    if (!stored.Readable()) continue;
    items.push_back(Utf8ToWide(stored.palette.name));
    if (items.back() == reference && chosen != 0) chosen = static_cast<int>(items.size()) - 1;
  }
  ComboBox_Reference.SetItems(items, chosen);
}

void TForm_Palette::ChoosePalette(int row) {
  if (row < 0) return;
  row_ = row;
  if (ListBox_Palettes.ItemIndex() != row) ListBox_Palettes.SetItemIndex(row);
  // Choosing a palette is using it: "添加到调色板" adds to it from now on.
  if (const auto index = ChosenStoredPalette(); index && palettes_.Palettes().at(*index).Readable())
    palettes_.SetLastUsed(*index);
  ShowColors(std::nullopt);
}

void TForm_Palette::ShowColors(std::optional<std::size_t> selected) {
  const std::optional<Palette> palette = ChosenPalette();
  std::vector<GridSwatch> swatches;
  if (palette) {
    const HexLetterCase letterCase = mainForm_.CodeLetterCase();
    const bool nearest = CheckBox_Nearest.Checked();
    swatches.reserve(palette->entries.size());
    for (const PaletteEntry& entry : palette->entries) {
      const std::wstring code = CssHexText(entry.color, letterCase);
      GridSwatch swatch{.color = entry.color, .name = entry.name.empty() ? code : Utf8ToWide(entry.name)};
      if (!entry.name.empty()) swatch.detail = code;
      if (nearest) {
        if (const std::optional<NearestToken> token = palettes_.ReferenceNearest(entry.color)) {
          swatch.mark = token->color;
          swatch.detail = Utf8ToWide(token->name);
          swatch.detailEnd = DeltaEText(token->deltaE);
        }
      }
      swatches.push_back(std::move(swatch));
    }
  }
  Grid_Colors.SetSwatches(std::move(swatches), selected);
  if (!palette) {
    ShowStatus(L"无法读取: " + Utf8ToWide(palettes_.Palettes().at(*ChosenStoredPalette()).error), true);
  } else if (row_ == kHistoryRow) {
    ShowStatus(L"取色历史: 最近取用的 " + std::to_wstring(palette->entries.size()) + L" 种颜色(只读)", false);
  } else {
    ShowStatus(std::to_wstring(palette->entries.size()) + L" 种颜色", false);
  }
  UpdateButtons();
}

void TForm_Palette::UpdateButtons() {
  const std::optional<std::size_t> stored = ChosenStoredPalette();
  const bool editable = stored && palettes_.Palettes().at(*stored).Readable();
  const std::optional<std::size_t> colour = Grid_Colors.Selected();
  const std::size_t count = Grid_Colors.Swatches().size();
  EnableWindow(Button_RenamePalette.Handle(), editable);
  EnableWindow(Button_DeletePalette.Handle(), editable);
  EnableWindow(Button_Export.Handle(), editable || row_ == kHistoryRow);
  EnableWindow(Button_AddColor.Handle(), editable);
  EnableWindow(Button_RemoveColor.Handle(), editable && colour);
  EnableWindow(Button_MoveUp.Handle(), editable && colour && *colour > 0);
  EnableWindow(Button_MoveDown.Handle(), editable && colour && *colour + 1 < count);
  EnableWindow(Button_RenameColor.Handle(), editable && colour);
}

void TForm_Palette::ShowStatus(const std::wstring& text, bool failure) {
  Label_Status.SetColor(failure ? kFailureColor : GetSysColor(COLOR_WINDOWTEXT));
  Label_Status.SetCaption(text);
}

void TForm_Palette::ChangeChosen(Palette palette, std::optional<std::size_t> selected) {
  const std::size_t index = *ChosenStoredPalette();
  const bool renamed = palette.name != palettes_.Palettes().at(index).palette.name;
  palettes_.Replace(index, std::move(palette));
  // The name in the list, and among the references, follows.
  if (renamed) ShowPaletteList(row_);
  ShowColors(selected);
}

void TForm_Palette::Button_NewClick() {
  const std::optional<std::wstring> name =
      InputQuery(Handle(), L"Huemira-新建调色板", L"调色板名称:",
                 Utf8ToWide(palettes_.UniqueName(WideToUtf8(kNewPaletteName))));
  if (!name || name->empty()) return;
  const std::size_t index = palettes_.Add(Palette{.name = WideToUtf8(*name)});
  ShowPalettes(static_cast<int>(index) + 1);
}

void TForm_Palette::Button_RenamePaletteClick() {
  const std::optional<std::size_t> index = ChosenStoredPalette();
  if (!index || !palettes_.Palettes().at(*index).Readable()) return;
  Palette palette = palettes_.Palettes()[*index].palette;
  const std::optional<std::wstring> name =
      InputQuery(Handle(), L"Huemira-重命名调色板", L"调色板名称:", Utf8ToWide(palette.name));
  if (!name || name->empty() || WideToUtf8(*name) == palette.name) return;
  palette.name = WideToUtf8(*name);
  ChangeChosen(std::move(palette), Grid_Colors.Selected());
}

void TForm_Palette::Button_DeletePaletteClick() {
  const std::optional<std::size_t> index = ChosenStoredPalette();
  if (!index || !palettes_.Palettes().at(*index).Readable()) return;
  const StoredPalette& stored = palettes_.Palettes()[*index];
  const int answer = ShowMessageBox({.owner = Handle(),
                                     .text = L"确定要删除调色板“" + Utf8ToWide(stored.palette.name) + L"”吗?\n文件 " +
                                             stored.fileName + L" 将被删除。",
                                     .caption = L"删除调色板",
                                     .type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2});
  if (answer != IDYES) return;
  palettes_.Delete(*index);
  ShowPalettes(std::min(row_, static_cast<int>(palettes_.Palettes().size())));
}

void TForm_Palette::ImportFile(const std::wstring& path) {
  Palette palette;
  try {
    const std::string name = WideToUtf8(path);
    const std::optional<PaletteFormat> format = PaletteFormatFromPath(name);
    if (!format) throw PaletteFileError(0, UnknownFormatText());
    palette = ReadPalette(ReadFileBytes(path), *format, PaletteNameFromPath(name));
  } catch (const PaletteFileError& failure) {
    TellFailure(L"导入失败", L"无法导入调色板:\n" + Utf8ToWide(PaletteFileErrorText(FileNameOf(path), failure.line(),
                                                                                   failure.what())));
    return;
  } catch (const EStreamError& failure) {
    TellFailure(L"导入失败", L"无法导入调色板:\n" + Utf8ToWide(PaletteFileErrorText(FileNameOf(path), 0, failure.what())));
    return;
  }
  const std::wstring imported = ImportedText(palette);
  const std::size_t index = palettes_.Add(std::move(palette));
  ShowPalettes(static_cast<int>(index) + 1);
  ShowStatus(imported, false);
}

void TForm_Palette::ExportFile(const std::wstring& path) {
  const std::optional<Palette> palette = ChosenPalette();
  if (!palette) return;
  const std::optional<PaletteFormat> format = PaletteFormatFromPath(WideToUtf8(path));
  if (!format) {
    TellFailure(L"导出失败", L"无法导出调色板:\n" + Utf8ToWide(PaletteFileErrorText(FileNameOf(path), 0,
                                                                                   UnknownFormatText())));
    return;
  }
  if (!ReplaceFileContent(path, WritePalette(*palette, *format)))
    throw EWriteError("调色板未能导出:无法写入文件\n" + WideToUtf8(path));
  ShowStatus(L"已导出到 " + path, false);
}

void TForm_Palette::TellFailure(const std::wstring& caption, const std::wstring& text) {
  ShowMessageBox({.owner = Handle(), .text = text, .caption = caption, .type = MB_OK | MB_ICONWARNING});
}

void TForm_Palette::Button_ImportClick() {
  const std::optional<std::wstring> path =
      ChooseFileToOpen({.owner = Handle(), .title = L"导入调色板", .filter = PaletteFilter(true)});
  if (path) ImportFile(*path);
}

void TForm_Palette::Button_ExportClick() {
  const std::optional<Palette> palette = ChosenPalette();
  if (!palette) return;
  const std::optional<std::wstring> path = ChooseFileToSave({.owner = Handle(),
                                                             .title = L"导出调色板",
                                                             .filter = PaletteFilter(false),
                                                             .fileName = SafeFileStem(Utf8ToWide(palette->name)),
                                                             .defaultExtension = L"gpl"});
  if (path) ExportFile(*path);
}

void TForm_Palette::Button_AddColorClick() {
  std::optional<Palette> palette = ChosenPalette();
  if (!palette || !ChosenStoredPalette()) return;
  palette->entries.push_back(PaletteEntry{.color = ColorToRGB(mainForm_.CurrentColor())});
  const std::size_t added = palette->entries.size() - 1;
  ChangeChosen(std::move(*palette), added);
}

void TForm_Palette::Button_RemoveColorClick() {
  std::optional<Palette> palette = ChosenPalette();
  const std::optional<std::size_t> selected = Grid_Colors.Selected();
  if (!palette || !ChosenStoredPalette() || !selected) return;
  palette->entries.erase(palette->entries.begin() + static_cast<std::ptrdiff_t>(*selected));
  // The colour after it takes its place in the selection.
  std::optional<std::size_t> next;
  if (!palette->entries.empty()) next = std::min(*selected, palette->entries.size() - 1);
  ChangeChosen(std::move(*palette), next);
}

void TForm_Palette::MoveColor(int step) {
  std::optional<Palette> palette = ChosenPalette();
  const std::optional<std::size_t> selected = Grid_Colors.Selected();
  if (!palette || !ChosenStoredPalette() || !selected) return;
  const auto target = static_cast<std::ptrdiff_t>(*selected) + step;
  if (target < 0 || target >= static_cast<std::ptrdiff_t>(palette->entries.size())) return;
  std::swap(palette->entries[*selected], palette->entries[static_cast<std::size_t>(target)]);
  ChangeChosen(std::move(*palette), static_cast<std::size_t>(target));
}

void TForm_Palette::Button_RenameColorClick() {
  std::optional<Palette> palette = ChosenPalette();
  const std::optional<std::size_t> selected = Grid_Colors.Selected();
  if (!palette || !ChosenStoredPalette() || !selected) return;
  PaletteEntry& entry = palette->entries[*selected];
  const std::optional<std::wstring> name =
      InputQuery(Handle(), L"Huemira-颜色名称", L"颜色 " + CssHexText(entry.color, mainForm_.CodeLetterCase()) +
                                                    L" 的名称(可留空):",
                 Utf8ToWide(entry.name));
  if (!name || WideToUtf8(*name) == entry.name) return;
  entry.name = WideToUtf8(*name);
  ChangeChosen(std::move(*palette), selected);
}

void TForm_Palette::Grid_ColorsActivate(std::size_t index) {
  UpdateButtons();
  mainForm_.TakePickedColor(Grid_Colors.Swatches().at(index).color);
}

bool TForm_Palette::Grid_ColorsKeyDown(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_DELETE) {
    Button_RemoveColorClick();
  } else if (key == VK_F2) {
    Button_RenameColorClick();
  } else if (control && (key == VK_LEFT || key == VK_UP)) {
    MoveColor(-1);
  } else if (control && (key == VK_RIGHT || key == VK_DOWN)) {
    MoveColor(1);
  } else {
    return false;
  }
  return true;
}

bool TForm_Palette::ListBox_PalettesKeyDown(WPARAM key) {
  if (key == VK_DELETE) {
    Button_DeletePaletteClick();
  } else if (key == VK_F2) {
    Button_RenamePaletteClick();
  } else {
    return false;
  }
  return true;
}

void TForm_Palette::ComboBox_ReferenceChange() {
  const int chosen = ComboBox_Reference.ItemIndex();
  if (chosen < 0) return;
  std::wstring key = PaletteLibrary::kCssNamedReference;
  if (chosen > 0) {
    int readable = 0;
    for (const StoredPalette& stored : palettes_.Palettes())
      if (stored.Readable() && ++readable == chosen) key = Utf8ToWide(stored.palette.name);
  }
  palettes_.SetReference(key);
  if (CheckBox_Nearest.Checked()) ShowColors(Grid_Colors.Selected());
}

LRESULT TForm_Palette::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Esc closes, as in a dialog.
      if (lParam == 0 && wParam == IDCANCEL) {
        Close();
        return 0;
      }
      if (lParam == 0 && wParam == IDOK) return 0;
      break;
    case kRefreshHistoryMessage:
      historyRefreshPosted_ = false;
      if (row_ == kHistoryRow) ShowColors(Grid_Colors.Selected());
      return 0;
    case WM_EXITSIZEMOVE:
      SaveFormPlace(Handle(), kSection);
      break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace huemira
