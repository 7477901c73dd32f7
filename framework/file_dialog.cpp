#include "framework/file_dialog.h"

#include <commdlg.h>

#include <algorithm>

namespace huemira {

namespace {

// Large enough that a file name of any length fits; the system's own limit.
constexpr DWORD kFileNameCapacity = 32768;

std::optional<std::wstring> RunFileDialog(const FileDialogArgs& args, DWORD flags,
                                          BOOL(WINAPI* run)(OPENFILENAMEW*)) {
  const std::wstring filter = FilterWithNulls(args.filter);
  std::wstring file = args.fileName;
  file.resize(kFileNameCapacity, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = args.owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(args.filterIndex);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileNameCapacity;
  dialog.lpstrTitle = args.title.c_str();
  dialog.lpstrDefExt = args.defaultExtension.empty() ? nullptr : args.defaultExtension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | flags;
  if (!run(&dialog)) return std::nullopt;
  return std::wstring(file.c_str());
}

}  // namespace

std::wstring FilterWithNulls(const std::wstring& filter) {
  std::wstring result = filter;
  std::replace(result.begin(), result.end(), L'|', L'\0');
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

std::optional<std::wstring> ChooseFileToOpen(const FileDialogArgs& args) {
  return RunFileDialog(args, OFN_FILEMUSTEXIST, GetOpenFileNameW);
}

std::optional<std::wstring> ChooseFileToSave(const FileDialogArgs& args) {
  return RunFileDialog(args, OFN_OVERWRITEPROMPT, GetSaveFileNameW);
}

}  // namespace huemira
