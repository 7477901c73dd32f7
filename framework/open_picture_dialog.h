// The system's open-file dialog, with a preview of the selected picture
// beside the file list and its size in pixels beneath it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/handles.h"

namespace huemira {

// A bitmap that fits the preview area, and the picture's own size.
struct PicturePreview {
  UniqueBitmap bitmap;
  SIZE bitmapSize{};
  SIZE pictureSize{};
};
// Makes the preview of a file for an area of the given size, or none.
using PreviewRenderer = std::function<std::optional<PicturePreview>(const std::wstring& fileName, SIZE area)>;

class OpenPictureDialog {
 public:
  std::wstring Title;
  // Descriptions and pattern lists, all separated by "|": "All|*.a;*.b|A files|*.a".
  std::wstring Filter;
  // 1 selects the first pair of the filter.
  int FilterIndex = 1;
  PreviewRenderer RenderPreview;

  // Runs the dialog; true when the user chose a file, whose full name
  // FileName() then gives, at any length.
  bool Execute(HWND owner);
  const std::wstring& FileName() const { return fileName_; }

 private:
  static UINT_PTR CALLBACK Hook(HWND hookDialog, UINT message, WPARAM wParam, LPARAM lParam);
  void LayOut(HWND hookDialog) const;
  void ShowPreviewOf(HWND hookDialog);
  void DrawPreview(const DRAWITEMSTRUCT& item) const;

  std::wstring fileName_;
  std::wstring previewedFile_;
  std::optional<PicturePreview> preview_;
};

}  // namespace huemira
