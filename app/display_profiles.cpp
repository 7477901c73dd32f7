#include "app/display_profiles.h"

#include <dxgi1_6.h>
#include <icm.h>
#include <wrl/client.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "framework/handles.h"

namespace huemira {
namespace {

using Microsoft::WRL::ComPtr;

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The profile that the system's colour management gives the monitor's device
// context, as a full path.
std::wstring AssignedProfilePath(const wchar_t* device) {
  // A DC made by CreateDCW is freed with DeleteDC, as a memory DC is.
  UniqueMemoryDc dc(CreateDCW(L"DISPLAY", device, nullptr, nullptr));
  if (!dc) return {};
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (!GetICMProfileW(dc.get(), &length, path.data())) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= path.size()) return {};
    path.assign(length, L'\0');
    if (!GetICMProfileW(dc.get(), &length, path.data())) return {};
  }
  path.resize(std::wcslen(path.c_str()));
  return path;
}

// The Windows colour system's default profile for the monitor. Wine's
// WcsGetDefaultColorProfile is a stub that ends the process, so this is
// asked only where GetICMProfileW gave nothing and never under Wine.
std::wstring DefaultProfilePath(const wchar_t* device) {
  DISPLAY_DEVICEW monitor{};
  monitor.cb = sizeof monitor;
  if (!EnumDisplayDevicesW(device, 0, &monitor, 0)) return {};
  DWORD bytes = 0;
  if (!WcsGetDefaultColorProfileSize(WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER, monitor.DeviceKey, CPT_ICC,
                                     CPST_NONE, 0, &bytes) ||
      bytes < sizeof(wchar_t)) {
    return {};
  }
  std::wstring name(bytes / sizeof(wchar_t), L'\0');
  if (!WcsGetDefaultColorProfile(WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER, monitor.DeviceKey, CPT_ICC, CPST_NONE,
                                 0, bytes, name.data())) {
    return {};
  }
  name.resize(std::wcslen(name.c_str()));
  if (name.empty()) return {};
  std::wstring folder(MAX_PATH, L'\0');
  DWORD folderBytes = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
  if (!GetColorDirectoryW(nullptr, folder.data(), &folderBytes)) return {};
  folder.resize(std::wcslen(folder.c_str()));
  return folder + L"\\" + name;
}

std::wstring ProfilePath(const wchar_t* device) {
  std::wstring path = AssignedProfilePath(device);
  if (path.empty() && !RunningUnderWine()) path = DefaultProfilePath(device);
  return path;
}

// The profile's bytes, or nothing when it cannot be read or is larger than a
// profile may be (then it is not read at all).
std::optional<std::vector<std::uint8_t>> ReadProfile(const std::wstring& path) {
  UniqueHandle file = OwnedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > LONGLONG{kMaxDisplayProfileBytes}) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

std::shared_ptr<const DisplayToSrgb> TransformOf(const wchar_t* device) {
  // A monitor gone before it could be described has no device name.
  if (device[0] == L'\0') return nullptr;
  const std::wstring path = ProfilePath(device);
  if (path.empty()) return nullptr;
  const std::optional<std::vector<std::uint8_t>> bytes = ReadProfile(path);
  return bytes ? BuildDisplayToSrgb(*bytes).transform : nullptr;
}

struct ModuleDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// The monitors whose DXGI output is in HDR mode. DXGI is loaded only for the
// question, so that the program starts where it is missing.
std::vector<HMONITOR> MonitorsInHdrMode() {
  std::vector<HMONITOR> found;
  const UniqueModule dxgi(LoadLibraryExW(L"dxgi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!dxgi) return found;
  using CreateFactory = HRESULT(WINAPI*)(REFIID, void**);
  const auto createFactory =
      reinterpret_cast<CreateFactory>(reinterpret_cast<void*>(GetProcAddress(dxgi.get(), "CreateDXGIFactory1")));
  if (!createFactory) return found;
  // Released before the module goes.
  ComPtr<IDXGIFactory1> factory;
  if (FAILED(createFactory(IID_PPV_ARGS(&factory)))) return found;
  ComPtr<IDXGIAdapter1> adapter;
  for (UINT a = 0; factory->EnumAdapters1(a, &adapter) == S_OK; ++a) {
    ComPtr<IDXGIOutput> output;
    for (UINT o = 0; adapter->EnumOutputs(o, &output) == S_OK; ++o) {
      ComPtr<IDXGIOutput6> output6;
      DXGI_OUTPUT_DESC1 description{};
      if (SUCCEEDED(output.As(&output6)) && SUCCEEDED(output6->GetDesc1(&description)) &&
          description.ColorSpace == DXGI_COLOR_SPACE_RGB_FULL_G2084_NONE_P2020) {
        found.push_back(description.Monitor);
      }
    }
  }
  return found;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM monitors) {
  reinterpret_cast<std::vector<HMONITOR>*>(monitors)->push_back(monitor);
  return TRUE;
}

std::vector<HMONITOR> AllMonitors() {
  std::vector<HMONITOR> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace

std::optional<TColor> DisplayProfiles::ToSrgb(POINT screenPoint, TColor displayValue) {
  std::shared_ptr<const DisplayToSrgb> toSrgb;
  {
    const std::lock_guard lock(mutex_);
    Monitor& monitor = MonitorAt(screenPoint);
    if (!monitor.transformBuilt) {
      monitor.toSrgb = TransformOf(monitor.device.c_str());
      monitor.transformBuilt = true;
    }
    // Kept alive by this copy should an Invalidate come meanwhile.
    toSrgb = monitor.toSrgb;
  }
  if (!toSrgb) return std::nullopt;
  return toSrgb->Convert(displayValue);
}

HdrInfo DisplayProfiles::Hdr(POINT screenPoint) {
  std::shared_ptr<HdrLook> look;
  HMONITOR monitor;
  {
    const std::lock_guard lock(mutex_);
    monitor = MonitorAt(screenPoint).handle;
    if (!hdrLook_) {
      // Some ms on Windows, up to a second under Wine: never on the caller's
      // thread, which may be the window's.
      hdrLook_ = std::make_shared<HdrLook>();
      std::thread([look = hdrLook_] {
        std::vector<HMONITOR> found = MonitorsInHdrMode();
        const std::lock_guard lock(look->mutex);
        look->monitors = std::move(found);
      }).detach();
    }
    look = hdrLook_;
  }
  const std::lock_guard lock(look->mutex);
  const bool hdr = look->monitors && std::find(look->monitors->begin(), look->monitors->end(), monitor) !=
                                         look->monitors->end();
  return {.hdr = hdr, .approximate = hdr};
}

void DisplayProfiles::Invalidate() {
  const std::lock_guard lock(mutex_);
  monitors_.reset();
  hdrLook_.reset();
}

DisplayProfiles::Monitor& DisplayProfiles::MonitorAt(POINT screenPoint) {
  static constexpr auto add = [](HMONITOR handle, std::vector<Monitor>& monitors) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(handle, &info)) info = {};
    monitors.push_back({handle, info.rcMonitor, info.szDevice});
  };
  if (!monitors_) {
    monitors_.emplace();
    for (HMONITOR handle : AllMonitors()) add(handle, *monitors_);
  }
  for (Monitor& monitor : *monitors_) {
    if (PtInRect(&monitor.area, screenPoint)) return monitor;
  }
  // Off every monitor (or on one that came since): the system's nearest one.
  const HMONITOR nearest = MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST);
  for (Monitor& monitor : *monitors_) {
    if (monitor.handle == nearest) return monitor;
  }
  add(nearest, *monitors_);
  return monitors_->back();
}

}  // namespace huemira
