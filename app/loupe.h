// The loupe beside the pointer while a screen pick runs: the physical pixels
// around the pointer enlarged (15 × 15 of them 8 times; more and smaller
// cells for the largest sample sizes, so that the loupe keeps its size), the
// sampled square framed, and beneath it the code of the sample as the code
// box would show it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/screen_pixels.h"
#include "color/web_color.h"
#include "framework/handles.h"
#include "framework/pixel_surface.h"
#include "framework/window.h"

namespace huemira {

class Loupe : public Window {
 public:
  // The cells across for sample sizes up to kCells - 2.
  static constexpr int kCells = 15;

  Loupe() = default;
  ~Loupe() override = default;

  // Reads the pixels around the pointer (physical pixels of the virtual
  // desktop) from pixels, then shows the loupe beside the pointer, on its
  // monitor, and above every other window. Where the system cannot leave
  // the loupe out of screen reads and the pointer jumped onto it, it only
  // hides, and the next call reads.
  void Follow(POINT pointer, ScreenPixels& pixels, int sampleSize = 1);
  void Close();

  // What the loupe shows: cells counted from the top left.
  int Cells() const { return cells_; }
  TColor Cell(int column, int row) const;
  TColor CentreColor() const { return Cell(cells_ / 2, cells_ / 2); }
  // The mean over the sampled square, as the screen has it.
  TColor SampleColor() const { return sampleColor_; }
  // The code of what a pick takes, and the other value's line (empty when
  // there is none).
  const std::wstring& OtherLine() const { return otherLine_; }
  const std::wstring& TokenLine() const { return tokenLine_; }
  // As the code box shows it, in the form the settings had when the loupe
  // was first shown after Close.
  const std::wstring& CodeText() const { return code_; }
  // Shown beneath the code while not empty: what the pick reads from.
  void SetStatus(std::wstring status) { status_ = std::move(status); }

  // What a pick would take of a sample read at a point, and what else the
  // loupe says of it.
  struct Conversion {
    TColor taken = clBlack;
    std::optional<TColor> other;  // shown beneath the code, after otherLabel
    std::wstring otherLabel;
    std::wstring token;  // the reference palette's nearest entry
    std::wstring note;
  };
  // Without one, the sample itself is taken.
  void SetConversion(std::function<Conversion(POINT, TColor)> conversion) { conversion_ = std::move(conversion); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateIfNeeded();
  void Paint(HDC dc) const;
  int Zoom() const;
  SIZE Size() const;
  std::vector<std::wstring> TextLines() const;

  std::unique_ptr<PixelSurface> cellsSurface_;  // the largest block; the top left cells_ × cells_ in use
  int cells_ = kCells;
  int sampleSize_ = 1;
  TColor sampleColor_ = CLR_INVALID;
  TColor takenColor_ = CLR_INVALID;
  std::optional<TColor> otherColor_;
  // The code box's form of a code: prefix, suffix and letter case.
  struct CodeForm {
    std::wstring prefix, suffix;
    bool lowerCase = true;
    static CodeForm FromSettings();
    std::wstring Of(TColor color) const;
  };
  std::optional<CodeForm> codeForm_;
  std::function<Conversion(POINT, TColor)> conversion_;
  std::wstring code_;
  std::wstring otherLine_;
  std::wstring tokenLine_;
  std::wstring note_;
  std::wstring status_;
  UniqueFont font_;
  int lineHeight_ = 0;
  UINT fontDpi_ = 0;
  bool excludedFromReads_ = false;
};

// The cells across that show a sample size: the square and a cell of its
// surroundings on each side, at least kCells.
int LoupeCells(int sampleSize);

// The loupe's place for a pointer: offset below right of it, flipped to the
// other side at the edges of the pointer's monitor, so that it never covers
// the pixels it shows.
RECT LoupePlace(POINT pointer, SIZE loupe, const RECT& monitor);

}  // namespace huemira
