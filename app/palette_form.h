// The palette window "Huemira-调色板": the stored palettes (and the pick
// history as one more, read-only) on the left, the chosen palette's colours
// on the right. Palettes are made, renamed, deleted, imported and exported;
// colours added (the main window's current one), removed, moved and named;
// a click on a colour takes it as a pick does. With "显示参照中最近的颜色"
// every colour shows its nearest in the reference palette, with its ΔE.
// Made hidden the first time the swatch menu asks for it; it lives as long
// as the main window.
#pragma once

#include <optional>
#include <string>

#include "app/history_colors.h"
#include "app/palette_library.h"
#include "app/swatch_grid.h"
#include "framework/button.h"
#include "framework/check_box.h"
#include "framework/combo_box.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/list_box.h"

namespace huemira {

class TMainForm;

class TForm_Palette : public Form {
 public:
  // The list's first row, before the stored palettes.
  static constexpr int kHistoryRow = 0;

  TForm_Palette(TMainForm& mainForm, PaletteLibrary& palettes, HistoryColors& history);
  // Creates the window hidden at its remembered place.
  void Create();

  // What choosing a row of the list does: the stored palette at row - 1,
  // or the history at kHistoryRow.
  void ChoosePalette(int row);
  // The stored palette the list shows chosen, if it is one.
  std::optional<std::size_t> ChosenStoredPalette() const;
  // Reads a palette file in the format its name's ending gives, and stores
  // it as a new palette; or tells why the file does not read ("FILE: 第 N
  // 行: ...") and stores nothing. What the import button does with the
  // file chosen.
  void ImportFile(const std::wstring& path);
  // Writes the chosen palette (or the history) to a file, in the format its
  // name's ending gives.
  void ExportFile(const std::wstring& path);
  // The stored palettes changed elsewhere (the swatch menu added a colour).
  void ShowStoredChange();

  Label Label_Palettes, Label_Colors, Label_Reference, Label_Status;
  ListBox ListBox_Palettes;
  Button Button_New, Button_RenamePalette, Button_DeletePalette, Button_Import, Button_Export;
  SwatchGrid Grid_Colors;
  Button Button_AddColor, Button_RemoveColor, Button_MoveUp, Button_MoveDown, Button_RenameColor;
  ComboBox ComboBox_Reference;
  CheckBox CheckBox_Nearest;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  // The list of palettes and the reference choices from the library, row
  // chosen and shown.
  void ShowPalettes(int row);
  void ShowPaletteList(int row);
  void ShowReferences();
  // The chosen palette's colours, its state in the buttons and the status line.
  void ShowColors(std::optional<std::size_t> selected);
  void UpdateButtons();
  void ShowStatus(const std::wstring& text, bool failure);
  // A warning box: a file that could not be imported or exported.
  void TellFailure(const std::wstring& caption, const std::wstring& text);
  // The palette the grid shows: the history as a palette, or a stored one.
  std::optional<Palette> ChosenPalette() const;
  // Gives the chosen stored palette new content; the grid selects selected.
  void ChangeChosen(Palette palette, std::optional<std::size_t> selected);

  void Button_NewClick();
  void Button_RenamePaletteClick();
  void Button_DeletePaletteClick();
  void Button_ImportClick();
  void Button_ExportClick();
  void Button_AddColorClick();
  void Button_RemoveColorClick();
  void MoveColor(int step);
  void Button_RenameColorClick();
  void Grid_ColorsActivate(std::size_t index);
  bool Grid_ColorsKeyDown(WPARAM key);
  bool ListBox_PalettesKeyDown(WPARAM key);
  void ComboBox_ReferenceChange();

  TMainForm& mainForm_;
  PaletteLibrary& palettes_;
  HistoryColors& history_;
  int row_ = kHistoryRow;
  // A history change is shown once, after the pick that made it.
  bool historyRefreshPosted_ = false;
};

}  // namespace huemira
