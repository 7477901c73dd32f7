#include "app/start_menu_shortcut.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

namespace huemira {

namespace {

std::wstring StartMenuFolderFromRegistry() {
  wchar_t folder[MAX_PATH] = {};
  DWORD bytes = sizeof(folder);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   L"Start Menu", RRF_RT_REG_SZ, nullptr, folder, &bytes) != ERROR_SUCCESS)
    return {};
  return folder;
}

std::wstring StartMenuFolder() {
  std::wstring folder = StartMenuFolderFromRegistry();
  if (!folder.empty()) return folder;
  // "Shell Folders" is a compatibility copy that the shell fills only after
  // someone asked for the folder; on a fresh profile ask the shell itself.
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTMENU | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return path;
  return {};
}

}  // namespace

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void CreateStartMenuShortcut(const std::wstring& name, const std::wstring& target) {
  using Microsoft::WRL::ComPtr;
  const std::wstring folder = StartMenuFolder();
  if (folder.empty()) return;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return;
  link->SetPath(target.c_str());
  const std::size_t slash = target.find_last_of(L"\\/");
  if (slash != std::wstring::npos) link->SetWorkingDirectory(target.substr(0, slash).c_str());
  ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file))) return;
  file->Save((folder + L"\\" + name + L".lnk").c_str(), TRUE);
}

}  // namespace huemira
