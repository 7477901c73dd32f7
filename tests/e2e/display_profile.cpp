// For the end-to-end checks: gives the display a colour profile, or takes
// it away again, as a user does in the colour management settings.
//   display-profile.exe associate|remove PROFILE
// The profile is copied into the colour directory under its file name.
#include <windows.h>
#include <icm.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const bool associate = std::wcscmp(argv[1], L"associate") == 0;
  wchar_t folder[MAX_PATH] = {};
  DWORD bytes = sizeof folder;
  if (!GetColorDirectoryW(nullptr, folder, &bytes)) return 1;
  const wchar_t* name = std::wcsrchr(argv[2], L'\\');
  const std::wstring installed = std::wstring(folder) + L"\\" + (name ? name + 1 : argv[2]);
  MONITORINFOEXW monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  if (associate) {
    if (!CopyFileW(argv[2], installed.c_str(), FALSE)) return 1;
    return AssociateColorProfileWithDeviceW(nullptr, installed.c_str(), monitor.szDevice) ? 0 : 1;
  }
  DisassociateColorProfileFromDeviceW(nullptr, installed.c_str(), monitor.szDevice);
  DeleteFileW(installed.c_str());
  return 0;
}
