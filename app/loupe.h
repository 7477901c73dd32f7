// The loupe beside the pointer while a screen pick is held: the 15 × 15
// physical pixels around the pointer enlarged 8 times, the centre pixel
// framed, and its code beneath as the code box would show it.
#pragma once

#include <windows.h>

#include <string>

#include "color/web_color.h"
#include "framework/handles.h"
#include "framework/window.h"

namespace huemira {

class Loupe : public Window {
 public:
  static constexpr int kCells = 15;
  static constexpr int kZoom = 8;

  Loupe() = default;
  ~Loupe() override;

  // Reads the pixels around the pointer (physical pixels of the virtual
  // desktop), then shows the loupe beside it, on the pointer's monitor.
  // Where the system cannot leave the loupe out of screen reads and the
  // pointer jumped onto it, it only hides, and the next call reads.
  void Follow(POINT pointer);
  void Close();

  // What the loupe shows: cells counted from the top left.
  TColor Cell(int column, int row) const;
  TColor CentreColor() const { return Cell(kCells / 2, kCells / 2); }
  const std::wstring& CodeText() const { return code_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateIfNeeded();
  // monitor: the pointer's; pixels outside it are looked up one by one.
  void ReadAround(POINT pointer, const RECT& monitor);
  void Paint(HDC dc) const;
  SIZE Size() const;

  UniqueMemoryDc cellsDc_;
  UniqueBitmap cellsBitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  DWORD* cells_ = nullptr;  // kCells × kCells, top-down, 0x00RRGGBB
  std::wstring code_;
  TColor codeColor_ = CLR_INVALID;
  UniqueFont font_;
  int textHeight_ = 0;
  UINT fontDpi_ = 0;
  bool excludedFromReads_ = false;
};

// The loupe's place for a pointer: offset below right of it, flipped to the
// other side at the edges of the pointer's monitor, so that it never covers
// the pixels it shows.
RECT LoupePlace(POINT pointer, SIZE loupe, const RECT& monitor);

}  // namespace huemira
