// The contrast window "Huemira-对比度": the main window's current colour as
// text on a background colour of its own, their contrast ratio, the WCAG
// verdicts, a sample, and for AA and AAA the nearest colour that passes.
// Everything shown is worked out when a colour changes, never while
// painting. Made hidden the first time the swatch menu asks for it; it
// lives as long as the main window.
#pragma once

#include <array>
#include <optional>

#include "app/contrast_sample.h"
#include "app/screen_pick.h"
#include "color/contrast.h"
#include "color/nearest_passing_color.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "framework/timer.h"
#include "widgets/flat_button.h"

namespace huemira {

class TMainForm;

class TForm_Contrast : public Form {
 public:
  explicit TForm_Contrast(TMainForm& mainForm);
  // Creates the window hidden at its remembered place, with the remembered
  // background and the main window's current colour.
  void Create();

  TColor TextColor() const { return text_; }
  TColor BackgroundColor() const { return background_; }
  // The main window's current colour changed.
  void SetTextColor(TColor color);
  // Shows the colour in the field too and keeps it in the settings file
  // (once a held pick has ended).
  void SetBackgroundColor(TColor color);
  // Shows the codes in the main window's code box's letter case again.
  void ShowLetterCase();

  // The proposals for AA (4.5:1) and for AAA (7:1), in that order; empty
  // when no colour can pass.
  static constexpr std::array<double, 2> kTargets{kRatioAaNormalText, kRatioAaaNormalText};
  const std::optional<ColorProposal>& Proposal(std::size_t row) const { return ProposalRows[row].proposal; }

  Label Label_Text, Label_TextCode, Label_Background;
  Panel Panel_Text, Panel_Background;
  Edit Edit_Background;
  TFlatButton FlatButton_Swap;
  Button BitBtn_PickBackground;
  ScreenPick ScreenPick_Background;
  Label Label_Ratio;
  // AA normal, AA large, AAA normal, AAA large.
  std::array<Label, 4> Label_Verdicts;
  ContrastSample Sample_Contrast;
  struct ProposalRow {
    Label Label_Target;
    TFlatButton FlatButton_Color;
    Label Label_Color;
    std::optional<ColorProposal> proposal;
  };
  std::array<ProposalRow, kTargets.size()> ProposalRows;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void PlaceWindow();
  void SavePlace() const;
  // Ratio, verdicts, sample and proposals for the present pair.
  void Recompute();
  void SaveBackground();
  void ShowProposal(ProposalRow& row, double target);
  CharCase CodeBoxCase() const;
  void Edit_BackgroundChange();
  bool Edit_BackgroundKeyDown(WPARAM key);
  void FlatButton_SwapClick();
  void ProposalClick(std::size_t row);

  TMainForm& mainForm_;
  TColor text_ = clBlack;
  TColor background_ = clWhite;
  // What the settings file holds, so that it is written only on a change.
  std::optional<TColor> storedBackground_;
  // What Esc during a pick of the background brings back.
  TColor backgroundBeforePick_ = clWhite;
};

}  // namespace huemira
