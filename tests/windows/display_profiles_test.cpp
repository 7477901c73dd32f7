// Each monitor's colour profile as the system hands it out: a real wide-gamut
// profile associated with the display for the length of a test.
#include <windows.h>
#include <icm.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/display_profiles.h"
#include "app/hotkey_pick.h"
#include "framework/handles.h"
#include "window_test_support.h"

namespace huemira {
namespace {

// Debian's colord-data, seen through Wine's drive for the host's root.
const wchar_t kAdobeRgb[] = L"Z:\\usr\\share\\color\\icc\\colord\\AdobeRGB1998.icc";

std::vector<std::uint8_t> ReadHostFile(const wchar_t* path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "missing host file (install colord-data)";
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::wstring ColorDirectory() {
  wchar_t folder[MAX_PATH] = {};
  DWORD bytes = sizeof folder;
  EXPECT_TRUE(GetColorDirectoryW(nullptr, folder, &bytes));
  return folder;
}

std::wstring PrimaryDevice() {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.szDevice;
}

// A profile installed in the colour directory and associated with the
// display while it lives; taken away again at its end, so that the other
// test programs sharing the Wine prefix never see it.
class AssociatedProfile {
 public:
  AssociatedProfile(const wchar_t* name, const std::vector<std::uint8_t>& bytes)
      : path_(ColorDirectory() + L"\\" + name), device_(PrimaryDevice()) {
    UniqueHandle file = OwnedFile(
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    EXPECT_TRUE(file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    file.reset();  // the system opens it to read its class
    EXPECT_TRUE(AssociateColorProfileWithDeviceW(nullptr, path_.c_str(), device_.c_str()));
  }
  ~AssociatedProfile() {
    DisassociateColorProfileFromDeviceW(nullptr, path_.c_str(), device_.c_str());
    DeleteFileW(path_.c_str());
  }
  AssociatedProfile(const AssociatedProfile&) = delete;
  AssociatedProfile& operator=(const AssociatedProfile&) = delete;

 private:
  std::wstring path_, device_;
};

const POINT kOnPrimary{10, 10};
// Pillow's conversion through Adobe RGB (1998), relative colorimetric
// (tests/color/pillow_display_to_srgb.py).
const TColor kDisplayValue = MakeColor(120, 200, 80);
const TColor kItsSrgb = MakeColor(51, 201, 67);

std::vector<std::uint8_t> BrokenProfile() {
  std::vector<std::uint8_t> bytes = ReadHostFile(kAdobeRgb);
  // The header and the tag table whole (the system opens it), the colorants cut off.
  bytes.resize(6300);
  return bytes;
}

TEST(DisplayProfiles, ConvertsThroughTheDisplaysProfile) {
  AssociatedProfile adobe(L"HuemiraTestAdobeRGB.icm", ReadHostFile(kAdobeRgb));
  DisplayProfiles profiles;
  EXPECT_EQ(profiles.ToSrgb(kOnPrimary, kDisplayValue), kItsSrgb);
  // Wine reports no HDR output.
  EXPECT_FALSE(profiles.Hdr(kOnPrimary).hdr);
  EXPECT_FALSE(profiles.Hdr(kOnPrimary).approximate);
}

TEST(DisplayProfiles, ABrokenProfileGivesTheDisplayValueAlone) {
  AssociatedProfile broken(L"HuemiraTestBroken.icm", BrokenProfile());
  DisplayProfiles profiles;
  EXPECT_EQ(profiles.ToSrgb(kOnPrimary, kDisplayValue), std::nullopt);
}

TEST(DisplayProfiles, KeepsATransformUntilInvalidated) {
  DisplayProfiles profiles;
  {
    AssociatedProfile adobe(L"HuemiraTestAdobeRGB.icm", ReadHostFile(kAdobeRgb));
    EXPECT_EQ(profiles.ToSrgb(kOnPrimary, kDisplayValue), kItsSrgb);
  }
  AssociatedProfile broken(L"HuemiraTestBroken.icm", BrokenProfile());
  EXPECT_EQ(profiles.ToSrgb(kOnPrimary, kDisplayValue), kItsSrgb);
  profiles.Invalidate();
  EXPECT_EQ(profiles.ToSrgb(kOnPrimary, kDisplayValue), std::nullopt);
}

// A pick through the main window's service, as the user makes one.
class ProfiledPickTest : public MainFormTest {
 protected:
  // Starts a hotkey pick over a window of the display value.
  const Loupe& PickOverDisplayValue(const wchar_t* values) {
    PutSetting(L"Pick", L"Values", values);
    SetCursorPos(240, 240);
    form->HotkeyPick1.Begin();
    return form->HotkeyPick1.Session().PickLoupe();
  }
};

TEST_F(ProfiledPickTest, TakesTheSrgbValueOrTheDisplayValueAndTheLoupeShowsBoth) {
  AssociatedProfile adobe(L"HuemiraTestAdobeRGB.icm", ReadHostFile(kAdobeRgb));
  StartMainForm();
  ColorWindow filled(kDisplayValue, Bounds(200, 200, 80, 80));
  Pump();

  const Loupe& loupe = PickOverDisplayValue(L"sRGB");
  EXPECT_EQ(loupe.CodeText(), L"33c943");
  EXPECT_EQ(loupe.OtherLine(), L"显示器值 78c850");
  form->HotkeyPick1.Deliver(HotkeyPick::Input::kTake);
  EXPECT_EQ(history.Slot(1), kItsSrgb);
  EXPECT_EQ(Clipboard(), L"33c943");

  PickOverDisplayValue(L"Display");
  EXPECT_EQ(loupe.CodeText(), L"78c850");
  EXPECT_EQ(loupe.OtherLine(), L"sRGB 33c943");
  form->HotkeyPick1.Deliver(HotkeyPick::Input::kTake);
  EXPECT_EQ(history.Slot(1), kDisplayValue);
}

TEST_F(ProfiledPickTest, ABrokenProfilePicksTheDisplayValue) {
  AssociatedProfile broken(L"HuemiraTestBroken.icm", BrokenProfile());
  StartMainForm();
  ColorWindow filled(kDisplayValue, Bounds(200, 200, 80, 80));
  Pump();
  const Loupe& loupe = PickOverDisplayValue(L"sRGB");
  EXPECT_EQ(loupe.OtherLine(), L"");
  form->HotkeyPick1.Deliver(HotkeyPick::Input::kTake);
  EXPECT_EQ(history.Slot(1), kDisplayValue);
  EXPECT_TRUE(messageBoxes.empty());
}

}  // namespace
}  // namespace huemira
