// The main window and a screen pick at the resolution of the display this
// program runs on; scripts/test-windows.sh runs it at 96 and at 144 dpi.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/contrast_form.h"
#include "app/screen_color.h"
#include "framework/dpi.h"
#include "imaging/dib/picture_formats.h"
#include "widgets/menu_styler.h"
#include "window_test_support.h"

#include <commctrl.h>

namespace huemira {
namespace {

// The resolution the run was set up for (the prefix's LogPixels).
UINT ExpectedDpi() {
  const char* dpi = std::getenv("HUEMIRA_WINE_DPI");
  return dpi ? static_cast<UINT>(std::atoi(dpi)) : kDefaultDpi;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

// A control's place in its window's client area.
RECT PlaceOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectPlace(HWND control, RECT described, UINT dpi) {
  const RECT expected = ScaleBounds(described, dpi);
  const RECT actual = PlaceOf(control);
  EXPECT_TRUE(EqualRect(&expected, &actual))
      << "expected " << expected.left << "," << expected.top << " " << expected.right - expected.left << "x"
      << expected.bottom - expected.top << ", got " << actual.left << "," << actual.top << " "
      << actual.right - actual.left << "x" << actual.bottom - actual.top;
}

void ExpectMainWindowLaidOutAt(TMainForm& form, UINT dpi) {
  const SIZE client = ClientSize(form.Handle());
  EXPECT_EQ(client.cx, ScaleToDpi(167, static_cast<int>(dpi)));
  EXPECT_EQ(client.cy, ScaleToDpi(200, static_cast<int>(dpi)));
  ExpectPlace(form.BitBtn_PScreen.Handle(), Bounds(96, 95, 70, 25), dpi);
  ExpectPlace(form.BitBtn_Option.Handle(), Bounds(96, 173, 70, 25), dpi);
  ExpectPlace(form.Edit_GetColor.Handle(), Bounds(1, 175, 92, 23), dpi);
  ExpectPlace(form.ScrollBar_B.Handle(), Bounds(2, 72, 130, 18), dpi);
  ExpectPlace(form.FlatButton_HC[7].Handle(), Bounds(3 + 18 * 7, 3, 17, 20), dpi);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.Edit_GetColor.Handle(), WM_GETFONT, 0, 0)), sizeof(font),
             &font);
  EXPECT_EQ(font.lfHeight, -ScaleToDpi(12, static_cast<int>(dpi))) << "the code box's font";
}

// What the system sends when a window is dragged to a monitor of another
// resolution; here the window stays where it is.
void MoveToResolution(HWND window, UINT dpi) {
  RECT suggested{};
  GetWindowRect(window, &suggested);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class DpiTest : public MainFormTest {};

TEST_F(DpiTest, TheMainWindowIsLaidOutForTheDisplaysResolution) {
  StartMainForm();
  ASSERT_EQ(form->Dpi(), ExpectedDpi());
  ExpectMainWindowLaidOutAt(*form, ExpectedDpi());
  const SIZE client = ClientSize(form->Handle());
  if (ExpectedDpi() == 96) {
    EXPECT_EQ(client.cx, 167);
    EXPECT_EQ(client.cy, 200);
  }
  if (ExpectedDpi() == 144) {
    EXPECT_EQ(client.cx, 251);
    EXPECT_EQ(client.cy, 300);
  }
}

TEST_F(DpiTest, AMoveToAMonitorOfAnotherResolutionLaysTheWindowOutAgain) {
  StartMainForm();
  RECT frame{};
  GetWindowRect(form->Handle(), &frame);
  RECT suggested{frame.left, frame.top, frame.left + 500, frame.top + 600};
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form->Dpi(), 192u);
  ExpectMainWindowLaidOutAt(*form, 192);
  GetWindowRect(form->Handle(), &frame);
  EXPECT_EQ(frame.left, suggested.left) << "at the system's suggested place";

  suggested = frame;
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(ExpectedDpi(), ExpectedDpi()),
               reinterpret_cast<LPARAM>(&suggested));
  ExpectMainWindowLaidOutAt(*form, ExpectedDpi());
}

// Each page fills the tab control's body, at start and after a move to a
// monitor of another resolution.
void ExpectPagesFillTheTabBody(TForm_Option& options) {
  PageControl& pages = options.PageControl_Option;
  RECT body{};
  GetClientRect(pages.Handle(), &body);
  TabCtrl_AdjustRect(pages.Handle(), FALSE, &body);
  MapWindowPoints(pages.Handle(), options.Handle(), reinterpret_cast<POINT*>(&body), 2);
  for (int index = 0; index < pages.PageCount(); ++index) {
    const RECT page = PlaceOf(pages.PageHandle(index));
    EXPECT_TRUE(EqualRect(&page, &body)) << "page " << index << " at " << page.left << "," << page.top << " "
                                         << page.right - page.left << "x" << page.bottom - page.top;
  }
}

TEST_F(DpiTest, TheOptionsPagesFillTheTabBodyAtEveryResolution) {
  StartMainForm();
  ExpectPagesFillTheTabBody(*optionForm);
  // The settings page's first field, placed in the page by its description.
  const RECT field = PlaceOf(optionForm->Edit_LSign.Handle());
  MoveToResolution(optionForm->Handle(), 192);
  ExpectPagesFillTheTabBody(*optionForm);
  const RECT moved = PlaceOf(optionForm->Edit_LSign.Handle());
  EXPECT_EQ(moved.left, MulDiv(field.left, 192, static_cast<int>(ExpectedDpi())));
}

// The picture window places its view and its swatch itself.
TEST_F(DpiTest, ThePictureWindowKeepsItsViewAndSwatchAtEveryResolution) {
  StartMainForm();
  auto big = std::make_unique<TDibGraphic>();
  big->NewImage(2000, 1500, TDibFormat::ifColorRgb24, nullptr, 96, 96);
  big->FillWithColor(0x336699);
  pictureForm->SetPicture(std::move(big));
  pictureForm->Show();
  Pump();
  const auto expectLaidOutAt = [this](int dpi) {
    RECT client{};
    GetClientRect(pictureForm->Handle(), &client);
    const RECT view = PlaceOf(pictureForm->Image_PColor.Handle());
    EXPECT_TRUE(EqualRect(&view, &client)) << "the view covers the client area at " << dpi;
    POINT pointer{100, 100};
    ClientToScreen(pictureForm->Handle(), &pointer);
    SetCursorPos(pointer.x, pointer.y);
    SendMessageW(pictureForm->Image_PColor.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    const RECT swatch = PlaceOf(pictureForm->Panel_ImageTempColor.Handle());
    EXPECT_EQ(swatch.left, 100 + ScaleToDpi(20, dpi));
    EXPECT_EQ(swatch.right - swatch.left, ScaleToDpi(50, dpi));
  };
  expectLaidOutAt(static_cast<int>(ExpectedDpi()));
  MoveToResolution(pictureForm->Handle(), 192);
  expectLaidOutAt(192);
}

// The swatch menu's entries are as wide as their text in the menu font at
// the window's resolution, and stay so after a move to another one.
TEST_F(DpiTest, StyledMenuEntriesAreMeasuredAtTheWindowsResolution) {
  StartMainForm();
  const auto expectFits = [this](UINT dpi) {
    MenuItem& entry = form->PopupMenu_ShowColor.Items(0);
    const WindowDc screen(nullptr);
    const UniqueFont font = SystemMenuFont(dpi);
    SIZE text{};
    {
      const SelectedObject selected(screen.get(), font.get());
      GetTextExtentPoint32W(screen.get(), entry.Caption.c_str(), static_cast<int>(entry.Caption.size()), &text);
    }
    int width = 0, height = 0;
    entry.OnMeasureItem(entry, screen.get(), width, height);
    EXPECT_GE(width, text.cx + ScaleToDpi(24, static_cast<int>(dpi))) << "at " << dpi;
    EXPECT_GE(height, text.cy) << "at " << dpi;
  };
  expectFits(ExpectedDpi());
  MoveToResolution(form->Handle(), 192);
  expectFits(192);
}

LONG FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// The rows of a window's client area that show anything besides the
// background, its two-pixel rim left out: how tall its text is drawn.
int InkRows(HWND window, COLORREF background) {
  RECT client{};
  GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
  void* bits = nullptr;
  const UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
  {
    const SelectedObject selected(memory.get(), bitmap.get());
    const WindowDc dc(window);
    BitBlt(memory.get(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
  }
  const auto* pixels = static_cast<const DWORD*>(bits);
  const DWORD plain = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
  int rows = 0;
  for (int y = 2; y < client.bottom - 2; ++y)
    for (int x = 2; x < client.right - 2; ++x)
      if ((pixels[y * client.right + x] & 0xFFFFFF) != plain) {
        ++rows;
        break;
      }
  return rows;
}

// The contrast window's own fonts (code field, ratio, the two sample sizes)
// follow its resolution.
TEST_F(DpiTest, TheContrastWindowsFontsFollowItsResolution) {
  StartMainForm();
  TForm_Contrast& window = form->ContrastForm();
  window.Show();
  Pump();
  const auto expectScaled = [&window](int dpi) {
    PumpFor(100);
    EXPECT_EQ(FontHeightOf(window.Edit_Background.Handle()), -ScaleToDpi(12, dpi));
    EXPECT_EQ(FontHeightOf(window.Label_Ratio.Handle()), -ScaleToDpi(24, dpi));
    // "Aa 示例文字" at 14 and at 24 pixels: about 35 rows of ink at 96 dpi.
    EXPECT_GT(InkRows(window.Sample_Contrast.Handle(), RGB(255, 255, 255)), ScaleToDpi(28, dpi)) << "at " << dpi;
  };
  expectScaled(static_cast<int>(ExpectedDpi()));
  MoveToResolution(window.Handle(), 192);
  expectScaled(192);
}

// Two colours meeting between two physical pixels: the pick and the nudge
// land on the exact pixel under the pointer.
TEST_F(DpiTest, APickTakesTheExactPhysicalPixelUnderThePointer) {
  StartMainForm();
  ColorWindow left(RGB(0xC0, 0x10, 0x20), RECT{300, 300, 401, 400});
  ColorWindow right(RGB(0x10, 0x80, 0xF0), RECT{401, 300, 500, 400});
  Pump();
  SetCursorPos(400, 350);
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PumpFor(250);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"c01020");
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  PumpFor(250);
  EXPECT_EQ(form->Edit_GetColor.Text(), L"1080f0");
  SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(history.Slot(1), MakeColor(0x10, 0x80, 0xF0));
  EXPECT_EQ(Clipboard(), L"1080f0");
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list) {
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(monitor, &info);
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(info.rcMonitor);
  return TRUE;
}

// Runs on a display of two monitors, the left one at negative coordinates
// (scripts/wine-env.sh); a display of one has nothing to show here.
TEST_F(DpiTest, APickOnEachMonitorTakesThePixelUnderThePointer) {
  std::vector<RECT> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.size() < 2) GTEST_SKIP() << "one monitor";
  StartMainForm();
  for (const RECT& monitor : monitors) {
    SCOPED_TRACE(testing::Message() << "monitor at " << monitor.left << "," << monitor.top);
    const RECT where{monitor.left + 40, monitor.top + 40, monitor.left + 140, monitor.top + 140};
    ColorWindow target(RGB(0x21, 0x43, monitor.left < 0 ? 0x65 : 0x87), where);
    Pump();
    SetCursorPos(where.left + 50, where.top + 50);
    SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpFor(250);
    EXPECT_EQ(form->ScreenPick1.PickLoupe().CentreColor(), MakeColor(0x21, 0x43, monitor.left < 0 ? 0x65 : 0x87));
    SendMessageW(form->BitBtn_PScreen.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(form->CurrentColor(), MakeColor(0x21, 0x43, monitor.left < 0 ? 0x65 : 0x87));
  }
  // Below the shorter monitor, beside the taller one: no monitor shows it.
  RECT box{};
  for (const RECT& monitor : monitors) UnionRect(&box, &box, &monitor);
  for (const RECT& monitor : monitors) {
    if (monitor.bottom < box.bottom) {
      EXPECT_EQ(ScreenColorAt(POINT{monitor.left + 1, box.bottom - 1}), 0xFFFFFFu);
    }
  }
}

}  // namespace
}  // namespace huemira
