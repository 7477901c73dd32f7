// The palette window and the swatch menu's palette entries, driven as the
// user drives them, with the palette files in a folder of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/palette_form.h"
#include "app/palette_library.h"
#include "color/gimp_palette.h"
#include "color/palette_format.h"
#include "framework/input_query.h"
#include "framework/text.h"
#include "window_test_support.h"

namespace huemira {
namespace {

namespace fs = std::filesystem;

class PaletteWindowTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = fs::path(temp) / L"huemira-palette-test";
    inputs = fs::path(temp) / L"huemira-palette-test-input";
    fs::remove_all(folder);
    fs::remove_all(inputs);
  }

  void Start() {
    StartMainForm();
    palettes = std::make_unique<PaletteLibrary>(folder.wstring());
    form->AttachPalettes(*palettes);
  }
  MenuItem& Entry(const std::wstring& caption) {
    PopupMenu& menu = form->PopupMenu_ShowColor;
    for (std::size_t i = 0; i < menu.Count(); ++i)
      if (menu.Items(i).Caption == caption) return menu.Items(i);
    ADD_FAILURE() << "no entry " << WideToUtf8(caption);
    return menu.Items(0);
  }
  void Choose(const std::wstring& caption) { form->PopupMenu_ShowColor.Click(Entry(caption).Id()); }
  TForm_Palette& OpenWindow() {
    Choose(L"调色板…");
    Pump();
    return form->PaletteForm();
  }
  // Answers the next name box with text (none: cancels it).
  static void AnswerName(const std::wstring& text) {
    WhenModal([text] {
      HWND box = FindWindowW(InputQueryForm::kClassName, nullptr);
      ASSERT_NE(box, nullptr);
      SetWindowTextW(FindWindowExW(box, nullptr, L"Edit", nullptr), text.c_str());
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  }
  std::string FileBytes(const std::wstring& name) const {
    std::ifstream file(folder / name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }
  void PutFile(const fs::path& path, const std::string& bytes) const {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static Palette MakePalette(const std::string& name, std::vector<PaletteEntry> entries) {
    return Palette{.name = name, .entries = std::move(entries)};
  }
  void Press(HWND control, WPARAM key) { SendMessageW(control, WM_KEYDOWN, key, 0); }

  fs::path folder;
  // Files to import, outside the palettes' folder.
  fs::path inputs;
  // Declared after the base's windows: it outlives them.
  std::unique_ptr<PaletteLibrary> palettes;
};

TEST_F(PaletteWindowTest, TheSwatchMenuOpensTheWindow) {
  Start();
  TForm_Palette& window = OpenWindow();
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_EQ(WindowText(window.Handle()), L"Huemira-调色板");
  EXPECT_EQ(window.ListBox_Palettes.Count(), 1) << "the pick history, and no stored palette yet";
  EXPECT_EQ(window.Grid_Colors.Swatches().size(), static_cast<std::size_t>(HistoryColors::kSlots));
  EXPECT_FALSE(fs::exists(folder)) << "made by the first write only";
}

TEST_F(PaletteWindowTest, AddToPaletteAppendsToTheLastUsedPaletteOrMakesTheFirstOne) {
  PutSetting(L"HistoryColor", L"HC1", L"12AB34");
  Start();
  Choose(L"添加到调色板");
  EXPECT_EQ(FileBytes(L"我的调色板.gpl"),
            WriteGimpPalette(MakePalette("我的调色板", {{.color = MakeColor(0x12, 0xAB, 0x34)}})));
  EXPECT_EQ(Setting(L"Palette", L"Last"), L"我的调色板");

  palettes->Add(MakePalette("Brand", {{.color = clWhite, .name = "Paper"}}));
  PutSetting(L"Palette", L"Last", L"Brand");
  form->TakePickedColor(MakeColor(0xFF, 0x7F, 0x50));
  Choose(L"添加到调色板");
  EXPECT_EQ(FileBytes(L"Brand.gpl"),
            WriteGimpPalette(MakePalette("Brand", {{.color = clWhite, .name = "Paper"},
                                                   {.color = MakeColor(0xFF, 0x7F, 0x50)}})));
  EXPECT_EQ(FileBytes(L"我的调色板.gpl").find("255 127  80"), std::string::npos) << "the other one is untouched";
}

TEST_F(PaletteWindowTest, EditsInTheWindowWriteTheGimpFile) {
  Start();
  TForm_Palette& window = OpenWindow();
  AnswerName(L"品牌 Brand");
  window.Button_New.Click();
  ASSERT_EQ(window.ListBox_Palettes.Count(), 2);
  EXPECT_EQ(window.ChosenStoredPalette(), 0u);
  EXPECT_EQ(FileBytes(L"品牌 Brand.gpl"), WriteGimpPalette(MakePalette("品牌 Brand", {})));

  const TColor red = MakeColor(0xFF, 0x58, 0x58), blue = MakeColor(0x12, 0x34, 0xAB);
  form->TakePickedColor(red);
  window.Button_AddColor.Click();
  form->TakePickedColor(blue);
  window.Button_AddColor.Click();
  EXPECT_EQ(window.Grid_Colors.Selected(), 1u) << "the colour added";
  AnswerName(L"深蓝 navy");
  Press(window.Grid_Colors.Handle(), VK_F2);
  window.Button_MoveUp.Click();
  EXPECT_EQ(FileBytes(L"品牌 Brand.gpl"),
            WriteGimpPalette(MakePalette("品牌 Brand", {{.color = blue, .name = "深蓝 navy"}, {.color = red}})));

  window.Grid_Colors.Select(0);
  Press(window.Grid_Colors.Handle(), VK_DELETE);
  EXPECT_EQ(FileBytes(L"品牌 Brand.gpl"), WriteGimpPalette(MakePalette("品牌 Brand", {{.color = red}})));

  AnswerName(L"Brand/2026");
  window.Button_RenamePalette.Click();
  EXPECT_FALSE(fs::exists(folder / L"品牌 Brand.gpl"));
  EXPECT_EQ(FileBytes(L"Brand_2026.gpl"), WriteGimpPalette(MakePalette("Brand/2026", {{.color = red}})));
  EXPECT_EQ(Setting(L"Palette", L"Last"), L"Brand/2026") << "the last used follows its name";

  messageBoxAnswer = IDNO;
  Press(window.ListBox_Palettes.Handle(), VK_DELETE);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].text.find(L"Brand/2026"), std::wstring::npos);
  EXPECT_TRUE(fs::exists(folder / L"Brand_2026.gpl"));
  messageBoxAnswer = IDYES;
  window.Button_DeletePalette.Click();
  EXPECT_FALSE(fs::exists(folder / L"Brand_2026.gpl"));
  EXPECT_EQ(window.ListBox_Palettes.Count(), 1);
}

TEST_F(PaletteWindowTest, EveryPaletteGetsAFileOfItsOwnAndKeepsAFileNameItWasGiven) {
  PutFile(folder / L"custom.gpl", "GIMP Palette\nName: Brand\n");
  Start();
  EXPECT_EQ(palettes->Palettes()[palettes->Add(MakePalette("a/b", {}))].fileName, L"a_b.gpl");
  EXPECT_EQ(palettes->Palettes()[palettes->Add(MakePalette("a_b", {}))].fileName, L"a_b 2.gpl");
  const std::size_t again = palettes->Add(MakePalette("a/b", {}));
  EXPECT_EQ(palettes->Palettes()[again].palette.name, "a/b 2") << "names stay unique too";
  EXPECT_EQ(palettes->Palettes()[again].fileName, L"a_b 2 2.gpl");
  EXPECT_EQ(palettes->Palettes()[palettes->Add(MakePalette("con", {}))].fileName, L"_con.gpl");

  const std::size_t brand = 0;  // read from the folder before the others were added
  ASSERT_EQ(palettes->Palettes()[brand].fileName, L"custom.gpl");
  palettes->Replace(brand, MakePalette("Brand", {{.color = clWhite}}));
  EXPECT_EQ(FileBytes(L"custom.gpl"), WriteGimpPalette(MakePalette("Brand", {{.color = clWhite}})))
      << "new colours, the same file";
  palettes->Replace(brand, MakePalette("a_b", {{.color = clWhite}}));
  EXPECT_FALSE(fs::exists(folder / L"custom.gpl")) << "a new name moves the file";
  EXPECT_EQ(palettes->Palettes()[brand].palette.name, "a_b 2");
  EXPECT_EQ(palettes->Palettes()[brand].fileName, L"a_b 2 3.gpl");
}

TEST_F(PaletteWindowTest, AFileThatDoesNotReadIsListedGreyedAndLeftUntouched) {
  const std::string damaged = "GIMP Palette\r\nName: Damaged\r\n255 0\r\n";
  PutFile(folder / L"damaged.gpl", damaged);
  Start();
  palettes->Add(MakePalette("Fine", {{.color = clWhite}}));
  TForm_Palette& window = OpenWindow();
  ASSERT_EQ(window.ListBox_Palettes.Count(), 3);
  const std::vector<StoredPalette>& stored = palettes->Palettes();
  const auto damagedIndex = stored[0].fileName == L"damaged.gpl" ? 0 : 1;
  window.ChoosePalette(damagedIndex + 1);
  EXPECT_NE(window.Label_Status.Caption().find(L"damaged.gpl: 第 3 行: "), std::wstring::npos)
      << WideToUtf8(window.Label_Status.Caption());
  EXPECT_TRUE(window.Grid_Colors.Swatches().empty());
  EXPECT_FALSE(IsWindowEnabled(window.Button_AddColor.Handle()));
  EXPECT_FALSE(IsWindowEnabled(window.Button_DeletePalette.Handle()));

  messageBoxAnswer = IDYES;
  Press(window.ListBox_Palettes.Handle(), VK_DELETE);
  Press(window.ListBox_Palettes.Handle(), VK_F2);
  window.Button_AddColor.Click();
  Choose(L"添加到调色板");
  EXPECT_TRUE(messageBoxes.empty());
  EXPECT_EQ(FileBytes(L"damaged.gpl"), damaged) << "byte for byte";
}

TEST_F(PaletteWindowTest, AClickOnASwatchTakesItsColorAsAPickDoes) {
  Start();
  palettes->Add(MakePalette("Brand", {{.color = MakeColor(0x20, 0x40, 0x60), .name = "Ink"}}));
  TForm_Palette& window = OpenWindow();
  window.ChoosePalette(1);
  SendMessageW(window.Grid_Colors.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(window.Grid_Colors.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(form->CurrentColor(), MakeColor(0x20, 0x40, 0x60));
  EXPECT_EQ(history.Slot(1), MakeColor(0x20, 0x40, 0x60));
  EXPECT_EQ(Clipboard(), L"204060");
  EXPECT_EQ(window.Grid_Colors.Swatches()[0].name, L"Ink");
}

TEST_F(PaletteWindowTest, CopyAsOffersTheReferencesNearestEntryAsAVariable) {
  Start();
  PopupMenu& copyAs = *Entry(L"复制为").Submenu();
  const MenuItem& variable = copyAs.Items(copyAs.Count() - 1);
  form->TakePickedColor(MakeColor(0xFF, 0x7F, 0x51));
  form->CopyAsMenu_ShowColor.Refresh();
  EXPECT_EQ(variable.Caption, L"var(--coral)") << "the CSS named colours are the reference at first";
  form->PopupMenu_ShowColor.Click(variable.Id());
  EXPECT_EQ(Clipboard(), L"var(--coral)");
  const std::optional<NearestToken> coral = palettes->ReferenceNearest(form->CurrentColor());
  ASSERT_TRUE(coral.has_value());
  EXPECT_GT(coral->deltaE, 0);
  EXPECT_LT(coral->deltaE, 1);

  palettes->Add(MakePalette("Brand", {{.color = MakeColor(0xFF, 0x00, 0x00), .name = "Brand Red"},
                                      {.color = MakeColor(0x00, 0x00, 0xFF), .name = "Brand Blue"}}));
  TForm_Palette& window = OpenWindow();
  window.ComboBox_Reference.SetItemIndex(1);
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(window.ComboBox_Reference.Handle()));
  EXPECT_EQ(Setting(L"Palette", L"Reference"), L"Brand");
  form->CopyAsMenu_ShowColor.Refresh();
  EXPECT_EQ(variable.Caption, L"var(--Brand-Red)") << "as the palette's CSS export names it";

  // The window shows each colour's nearest beside it.
  window.CheckBox_Nearest.Click();
  window.ChoosePalette(TForm_Palette::kHistoryRow);
  EXPECT_EQ(window.Grid_Colors.Swatches()[0].mark, MakeColor(0xFF, 0x00, 0x00));
  EXPECT_EQ(window.Grid_Colors.Swatches()[0].detail, L"Brand Red");
  EXPECT_EQ(window.Grid_Colors.Swatches()[0].detailEnd.rfind(L"ΔE ", 0), 0u);
}

TEST_F(PaletteWindowTest, TheLoupeNamesTheReferencesNearestEntryWhilePicking) {
  Start();
  ColorWindow coral(RGB(255, 127, 80), Bounds(200, 200, 60, 60));
  Pump();
  SetCursorPos(230, 230);
  form->HotkeyPick1.Begin();
  EXPECT_EQ(form->HotkeyPick1.Session().PickLoupe().TokenLine(), L"≈ coral  ΔE 0");
  form->HotkeyPick1.Cancel();
}

TEST_F(PaletteWindowTest, ImportAndExportGoByTheFileNamesFormatAndAFailureImportsNothing) {
  Start();
  TForm_Palette& window = OpenWindow();
  PutFile(inputs / L"in.gpl", "GIMP Palette\nName: Imported\n1 2 3 One\nnot a colour\n");
  window.ImportFile((inputs / L"in.gpl").wstring());
  PutFile(inputs / L"in.txt", "GIMP Palette\n");
  window.ImportFile((inputs / L"in.txt").wstring());
  ASSERT_EQ(messageBoxes.size(), 2u);
  EXPECT_NE(messageBoxes[0].text.find(L"in.gpl: 第 4 行: "), std::wstring::npos) << WideToUtf8(messageBoxes[0].text);
  EXPECT_NE(messageBoxes[1].text.find(L"in.txt: 不支持的文件类型"), std::wstring::npos);
  EXPECT_EQ(window.ListBox_Palettes.Count(), 1);
  EXPECT_FALSE(fs::exists(folder)) << "no palette file written";

  PutFile(inputs / L"Brand.css", ":root {\n  --brand-red: #ff0000;\n  --beyond: oklch(0.7 0.4 30);\n  --gap: 4px;\n}\n");
  window.ImportFile((inputs / L"Brand.css").wstring());
  ASSERT_EQ(window.ListBox_Palettes.Count(), 2);
  EXPECT_EQ(window.Label_Status.Caption(), L"已导入 2 种颜色,其中 1 种超出 sRGB,已映射到最近的颜色");
  const Palette stored = ReadGimpPalette(FileBytes(L"Brand.gpl"), "");
  EXPECT_EQ(stored.name, "Brand");
  ASSERT_EQ(stored.entries.size(), 2u);
  EXPECT_EQ(stored.entries[0].name, "brand-red");

  window.ExportFile((folder / L"out.tokens.json").wstring());
  EXPECT_EQ(FileBytes(L"out.tokens.json"), WritePalette(stored, PaletteFormat::DesignTokens));
}

TEST_F(PaletteWindowTest, TenThousandColorsDrawOnlyWhatShowsAndScrollWithTheWheel) {
  Start();
  Palette large{.name = "Large"};
  for (int i = 0; i < 10000; ++i) large.entries.push_back({.color = MakeColor(i, i >> 8, 0x80), .name = "c"});
  palettes->Add(std::move(large));
  TForm_Palette& window = OpenWindow();
  window.ChoosePalette(1);
  HWND grid = window.Grid_Colors.Handle();
  const auto start = std::chrono::steady_clock::now();
  RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  SendMessageW(grid, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_GT(window.Grid_Colors.ScrollPosition(), 0);
  SendMessageW(grid, WM_VSCROLL, SB_BOTTOM, 0);
  const std::optional<std::size_t> last = window.Grid_Colors.IndexAt(POINT{5, window.Scale(298) - 10});
  ASSERT_TRUE(last.has_value());
  EXPECT_GE(*last, 9990u);
}

}  // namespace
}  // namespace huemira
