// The system's plain open and save dialogs for one file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace huemira {

struct FileDialogArgs {
  HWND owner = nullptr;
  std::wstring title;
  // Descriptions and pattern lists, all separated by "|": "All|*.a;*.b|A files|*.a".
  std::wstring filter;
  // 1 selects the first pair of the filter.
  int filterIndex = 1;
  // The name the dialog starts with.
  std::wstring fileName;
  // Added to a name typed without one (no dot: "gpl").
  std::wstring defaultExtension;
};

// The chosen file's full name, or none when the user cancelled. The open
// dialog takes only an existing file; the save dialog asks before it
// names one that exists.
std::optional<std::wstring> ChooseFileToOpen(const FileDialogArgs& args);
std::optional<std::wstring> ChooseFileToSave(const FileDialogArgs& args);

// A "|"-separated filter as the dialogs take it: separated and ended by nulls.
std::wstring FilterWithNulls(const std::wstring& filter);

}  // namespace huemira
