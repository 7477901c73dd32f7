// A scrolled grid of swatches, each with its name and a line beneath it:
// the palette window's colours. Only the tiles in view are drawn, so that
// a palette of any size paints as fast as one screenful. The wheel, the
// scroll bar and the keys scroll; a click or Enter takes a colour.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/swatch_grid_layout.h"
#include "framework/color.h"
#include "framework/control.h"

namespace huemira {

struct GridSwatch {
  TColor color = clBlack;
  std::wstring name;
  std::wstring detail;  // the second line, in grey
  // Kept whole at the second line's right end, the detail cut before it ("ΔE 1.23").
  std::wstring detailEnd;
  // A colour shown as a small square before the detail (a nearest match).
  std::optional<TColor> mark;
};

class SwatchGrid : public Control {
 public:
  struct Args {
    RECT bounds{};
    std::wstring hint;
  };
  void Create(Form& parent, const Args& args);

  // Replaces the tiles; selected is kept in view.
  void SetSwatches(std::vector<GridSwatch> swatches, std::optional<std::size_t> selected);
  const std::vector<GridSwatch>& Swatches() const { return swatches_; }
  std::optional<std::size_t> Selected() const { return selected_; }
  // Selects a tile and scrolls it into view; raises no event.
  void Select(std::optional<std::size_t> index);
  int ScrollPosition() const { return scroll_; }
  // What the tiles beneath a point of the grid's client area are.
  std::optional<std::size_t> IndexAt(POINT clientPoint) const;

  // The user chose a tile (click, Enter): the colour is taken.
  std::function<void(std::size_t index)> OnActivate;
  // The selection changed by the user's hand.
  std::function<void()> OnSelect;
  // Sees each key first; returns true when it consumed it.
  std::function<bool(WPARAM virtualKey)> OnKeyDown;

  void RescaleForDpi() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SwatchGridLayout Layout() const;
  int ViewHeight() const;
  void ScrollTo(int position);
  void UpdateScrollBar();
  void HandleScrollRequest(WORD request);
  void Paint();
  void PaintTile(HDC dc, std::size_t index, const RECT& tile) const;
  void SelectByUser(std::size_t index);
  bool HandleKey(WPARAM key);

  std::vector<GridSwatch> swatches_;
  std::optional<std::size_t> selected_;
  int scroll_ = 0;
  int wheelRemainder_ = 0;
};

}  // namespace huemira
