// The styled menus: the swatch menu's entries drawn by MenuStyler1 into a
// memory bitmap and read back pixel by pixel, their measurements, the
// hooking rules, and the real menu popped up under Wine.
#include <gtest/gtest.h>

#include "widgets/menu_colors.h"
#include "widgets/menu_layout.h"
#include "widgets/menu_styler.h"
#include "window_test_support.h"

namespace huemira {
namespace {

// A 32-bit bitmap to draw entries into, as a menu's surface would be.
class Canvas {
 public:
  Canvas(int width, int height) {
    HDC screen = GetDC(nullptr);
    dc_.reset(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    const RECT all{0, 0, width, height};
    const UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(dc_.get(), &all, white.get());
  }
  ~Canvas() { SelectObject(dc_.get(), previous_); }
  HDC dc() const { return dc_.get(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

class MenuStylerTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartMainForm();
  }
  TMenuStyler& Styler() { return form->MenuStyler1; }
  MenuItem& Entry(std::size_t index) { return form->PopupMenu_ShowColor.Items(index); }
  void Draw(Canvas& canvas, std::size_t index, const RECT& rect, bool selected) {
    Entry(index).OnDrawItem(Entry(index), canvas.dc(), rect, selected);
  }
  static TColor SystemColor(int index) { return GetSysColor(index); }
  static TColor IconColumn() { return BlendToWhite(SystemColor(COLOR_BTNFACE), 16); }
  static TColor Background() { return BlendToWhite(SystemColor(COLOR_BTNFACE), 86); }
  static TColor SelectionFill() { return BlendToWhite(SystemColor(COLOR_HIGHLIGHT), 68); }
};

TEST_F(MenuStylerTest, AnEntryHasA24PixelIconColumnWithItsFadedIconAt3_3AndItsTextAt27) {
  Canvas canvas(200, 40);
  Draw(canvas, 0, RECT{0, 0, 150, 22}, false);
  EXPECT_EQ(canvas.Pixel(1, 1), IconColumn());
  EXPECT_EQ(canvas.Pixel(23, 21), IconColumn());
  EXPECT_EQ(canvas.Pixel(23, 22), IconColumn()) << "fills reach a pixel below the entry";
  EXPECT_EQ(canvas.Pixel(24, 1), Background());
  EXPECT_EQ(canvas.Pixel(149, 22), Background());
  // The magnifier's rim starts at the icon's column 1, row 6, and row 1, column 6.
  const TColor rim = BlendToWhite(MakeColor(64, 64, 72), 30);
  EXPECT_EQ(canvas.Pixel(3 + 1, 3 + 6), rim);
  EXPECT_EQ(canvas.Pixel(3 + 0, 3 + 6), IconColumn()) << "the icon's background is transparent";
  EXPECT_EQ(canvas.Pixel(3 + 6, 3 + 1), rim);
  EXPECT_EQ(canvas.Pixel(3 + 6, 3 + 0), IconColumn());

  // The text: one space after x 27, in the system's menu font.
  const UniqueFont menuFont = SystemMenuFont(kDefaultDpi);
  const SelectedObject font(canvas.dc(), menuFont.get());
  SIZE space{};
  GetTextExtentPoint32W(canvas.dc(), L" ", 1, &space);
  int firstInk = -1;
  for (int x = 24; x < 150 && firstInk < 0; ++x)
    for (int y = 0; y < 22; ++y)
      if (canvas.Pixel(x, y) != Background()) {
        firstInk = x;
        break;
      }
  EXPECT_GE(firstInk, 27 + space.cx);
  EXPECT_LE(firstInk, 27 + space.cx + 3);
}

TEST_F(MenuStylerTest, TheSelectedEntryIsFilledAndFramedWithItsIconLiftedOverAShadow) {
  Canvas canvas(200, 40);
  Draw(canvas, 0, RECT{0, 0, 150, 22}, true);
  const TColor frame = SystemColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(canvas.Pixel(40, 0), Background()) << "the box starts a pixel below the entry's top";
  EXPECT_EQ(canvas.Pixel(0, 1), frame);
  EXPECT_EQ(canvas.Pixel(149, 10), frame);
  EXPECT_EQ(canvas.Pixel(40, 21), frame);
  EXPECT_EQ(canvas.Pixel(40, 22), Background());
  EXPECT_EQ(canvas.Pixel(1, 10), SelectionFill()) << "the box covers the icon column too";
  EXPECT_EQ(canvas.Pixel(148, 5), SelectionFill());
  // The icon at (2, 2), not faded, its background transparent on the fill.
  EXPECT_EQ(canvas.Pixel(2 + 1, 2 + 6), MakeColor(64, 64, 72));
  EXPECT_EQ(canvas.Pixel(2 + 0, 2 + 6), SelectionFill());
  // Its shadow at (4, 4): the handle's last pixel (14, 15) falls beyond the icon.
  EXPECT_EQ(canvas.Pixel(4 + 14, 4 + 15), DarkenBy(SelectionFill(), 50));
  EXPECT_EQ(canvas.Pixel(4 + 15, 4 + 15), SelectionFill());
}

TEST_F(MenuStylerTest, TheSeparatorIs4HighWithItsLine2BelowTheTopFrom31In) {
  MenuItem& separator = Entry(1);
  ASSERT_TRUE(separator.IsSeparator());
  int width = 0, height = 0;
  HDC screen = GetDC(nullptr);
  separator.OnMeasureItem(separator, screen, width, height);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(height, 4);

  Canvas canvas(200, 40);
  Draw(canvas, 1, RECT{0, 10, 150, 14}, false);
  const TColor line = BlendToWhite(SystemColor(COLOR_BTNSHADOW), 25);
  EXPECT_EQ(canvas.Pixel(30, 12), Background());
  EXPECT_EQ(canvas.Pixel(31, 12), line);
  EXPECT_EQ(canvas.Pixel(149, 12), line);
  EXPECT_EQ(canvas.Pixel(31, 11), Background());
  EXPECT_EQ(canvas.Pixel(31, 13), Background());
  EXPECT_EQ(canvas.Pixel(5, 12), IconColumn());
}

TEST_F(MenuStylerTest, ADisabledSelectedEntryHasNoBoxAGreyedIconAndTheDisabledTextColor) {
  Entry(2).Enabled = false;
  Canvas canvas(200, 40);
  Draw(canvas, 2, RECT{0, 0, 150, 22}, true);
  EXPECT_EQ(canvas.Pixel(0, 1), IconColumn());
  EXPECT_EQ(canvas.Pixel(148, 5), Background());
  // The plus's green (40, 170, 60) at the icon's (4, 8): grey 100, faded by 40 %.
  EXPECT_EQ(canvas.Pixel(3 + 4, 3 + 8), MakeColor(162, 162, 162));
  const TColor disabled = BlendToWhite(SystemColor(COLOR_BTNSHADOW), 10);
  int disabledInk = 0, normalInk = 0;
  for (int x = 27; x < 150; ++x)
    for (int y = 0; y < 22; ++y) {
      disabledInk += canvas.Pixel(x, y) == disabled;
      normalInk += canvas.Pixel(x, y) == SystemColor(COLOR_MENUTEXT);
    }
  EXPECT_GT(disabledInk, 0);
  EXPECT_EQ(normalInk, 0);
}

TEST_F(MenuStylerTest, CheckMarksAndRightToLeftMenus) {
  PopupMenu menu(*form);
  menu.AddItem(L"checked", nullptr);
  menu.Items(0).Checked = true;
  form->MenuStyler1.SetActive(false);
  form->MenuStyler1.SetActive(true);
  Canvas canvas(200, 60);
  menu.Items(0).OnDrawItem(menu.Items(0), canvas.dc(), RECT{0, 0, 150, 22}, false);
  // Without an image: a 10 x 10 box centred in the column, with a tick.
  EXPECT_EQ(canvas.Pixel(7, 6), SystemColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.Pixel(16, 15), SystemColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.Pixel(15, 7), BlendToWhite(SystemColor(COLOR_HIGHLIGHT), 80));
  EXPECT_EQ(canvas.Pixel(12, 12), clBlack) << "the tick";
  EXPECT_EQ(canvas.Pixel(6, 6), IconColumn());

  form->PopupMenu_ShowColor.SetRightToLeft(true);
  Draw(canvas, 0, RECT{0, 30, 150, 52}, false);
  EXPECT_EQ(canvas.Pixel(149, 31), IconColumn()) << "the icon column on the right";
  EXPECT_EQ(canvas.Pixel(126, 31), IconColumn());
  EXPECT_EQ(canvas.Pixel(125, 31), Background());
  EXPECT_EQ(canvas.Pixel(0, 31), Background());
  EXPECT_EQ(canvas.Pixel(150 - 16 - 3 + 1, 30 + 3 + 6), BlendToWhite(MakeColor(64, 64, 72), 30)) << "icon 3 from the edge";
}

TEST_F(MenuStylerTest, MeasuringAddsTheIconColumnAndLeavesOutTheAccessKeyMark) {
  PopupMenu menu(*form);
  menu.AddItem(L"AB", nullptr);
  menu.AddItem(L"A&B", nullptr);
  HDC screen = GetDC(nullptr);
  int plain[2] = {0, 0}, marked[2] = {0, 0};
  Styler().MeasureItem(menu.Items(0), screen, plain[0], plain[1]);
  Styler().MeasureItem(menu.Items(1), screen, marked[0], marked[1]);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(marked[0], plain[0]);
  EXPECT_EQ(marked[1], plain[1]);
  EXPECT_GT(plain[0], 24 + 5);
  EXPECT_GE(plain[1], 6);
}

TEST_F(MenuStylerTest, TheStylerTakesOverEveryPopupMenuEntryExceptThoseTagged999) {
  PopupMenu menu(*form);
  menu.AddItem(L"plain", nullptr);
  menu.AddItem(L"own", nullptr);
  int ownDraws = 0;
  menu.Items(1).Tag = 999;
  menu.Items(1).OnDrawItem = [&ownDraws](MenuItem&, HDC, const RECT&, bool) { ++ownDraws; };
  Styler().SetActive(false);
  EXPECT_FALSE(Entry(0).OnDrawItem) << "inactive: the entries are the system's again";
  EXPECT_FALSE(form->PopupMenu_ShowColor.OwnerDraw());
  Styler().SetActive(true);
  EXPECT_TRUE(form->PopupMenu_ShowColor.OwnerDraw());
  EXPECT_TRUE(menu.OwnerDraw());
  ASSERT_TRUE(menu.Items(0).OnDrawItem);
  ASSERT_TRUE(menu.Items(1).OnDrawItem);
  Canvas canvas(200, 40);
  menu.Items(1).OnDrawItem(menu.Items(1), canvas.dc(), RECT{0, 0, 150, 22}, false);
  EXPECT_EQ(ownDraws, 1);
  EXPECT_EQ(canvas.Pixel(1, 1), RGB(255, 255, 255));

  // Entries added later are taken over once a sibling has been drawn.
  menu.AddItem(L"later", nullptr);
  EXPECT_FALSE(menu.Items(2).OnDrawItem);
  menu.Items(0).OnDrawItem(menu.Items(0), canvas.dc(), RECT{0, 0, 150, 22}, false);
  EXPECT_TRUE(menu.Items(2).OnDrawItem);

  // With AutoDetect, a new entry makes the styler active.
  Styler().SetActive(false);
  Styler().AutoDetect = true;
  menu.AddItem(L"detected", nullptr);
  EXPECT_TRUE(Styler().Active());
  EXPECT_TRUE(menu.Items(3).OnDrawItem);

  // Without popup menus among the kinds it handles, the styler lets them go.
  Styler().SetXPControls({XPControl::xcMainMenu});
  EXPECT_FALSE(menu.Items(0).OnDrawItem);
  EXPECT_FALSE(menu.OwnerDraw());
  EXPECT_TRUE(menu.Items(1).OnDrawItem) << "an entry's own drawing stays";
}

TEST_F(MenuStylerTest, SubmenuEntriesRunFromTheRootAndTheArrowIsDrawnInTheTextColor) {
  PopupMenu menu(*form);
  int chosen = 0;
  menu.AddItem(L"first", [&chosen] { chosen = 1; });
  PopupMenu& more = menu.AddSubmenu(L"more");
  more.AddItem(L"inner", [&chosen] { chosen = 2; });
  PopupMenu& deeper = more.AddSubmenu(L"deeper");
  const UINT deepest = deeper.AddItem(L"deepest", [&chosen] { chosen = 3; });
  EXPECT_EQ(more.Parent(), &menu);
  const UINT ids[] = {menu.Items(0).Id(), menu.Items(1).Id(), more.Items(0).Id(), more.Items(1).Id(), deepest};
  for (std::size_t i = 0; i < std::size(ids); ++i)
    for (std::size_t j = i + 1; j < std::size(ids); ++j) EXPECT_NE(ids[i], ids[j]);
  menu.Click(more.Items(0).Id());
  EXPECT_EQ(chosen, 2);
  menu.Click(deepest);
  EXPECT_EQ(chosen, 3);
  menu.Click(menu.Items(1).Id());  // an entry that opens a submenu runs nothing
  EXPECT_EQ(chosen, 3);

  // The swatch menu's "复制为", drawn by the styler like its siblings.
  MenuItem& copyAs = Entry(5);
  ASSERT_NE(copyAs.Submenu(), nullptr);
  ASSERT_TRUE(copyAs.OnDrawItem);
  ASSERT_TRUE(copyAs.Submenu()->Items(0).OnDrawItem);
  Canvas canvas(200, 40);
  const RECT rect{0, 0, 150, 22};
  Draw(canvas, 5, rect, false);
  const auto arrow = SubmenuArrowColumns({rect.left, rect.top, rect.right, rect.bottom}, false);
  const TColor text = SystemColor(COLOR_MENUTEXT);
  EXPECT_EQ(canvas.Pixel(arrow[0].left, arrow[0].top), text);
  EXPECT_EQ(canvas.Pixel(arrow[3].left, arrow[3].top), text) << "the tip";
  EXPECT_EQ(canvas.Pixel(arrow[3].left + 1, arrow[3].top), Background());
  EXPECT_EQ(canvas.Pixel(arrow[0].left, arrow[0].top - 1), Background());
}

TEST_F(MenuStylerTest, TheRealSwatchMenuIsDrawnByTheStyler) {
  // Read from the screen while the menu is up.
  struct Seen {
    bool menuFound = false;
    RECT entry{}, separator{};
    COLORREF iconColumn = 0, background = 0, beforeLine = 0, line = 0;
  };
  static Seen seen;
  seen = Seen{};
  static HMENU menuHandle;
  menuHandle = form->PopupMenu_ShowColor.Handle();
  WhenModal([] {
    HWND menu = FindWindowW(L"#32768", nullptr);
    seen.menuFound = menu && IsWindowVisible(menu);
    GetMenuItemRect(nullptr, menuHandle, 0, &seen.entry);
    GetMenuItemRect(nullptr, menuHandle, 1, &seen.separator);
    HDC screen = GetDC(nullptr);
    seen.iconColumn = GetPixel(screen, seen.entry.left + 1, seen.entry.top + 1);
    seen.background = GetPixel(screen, seen.entry.left + 24, seen.entry.top + 1);
    seen.beforeLine = GetPixel(screen, seen.separator.left + 30, seen.separator.top + 2);
    seen.line = GetPixel(screen, seen.separator.left + 31, seen.separator.top + 2);
    ReleaseDC(nullptr, screen);
    EndMenu();
  });
  RECT panel;
  GetWindowRect(form->Panel_ShowColor.Handle(), &panel);
  SendMessageW(form->Panel_ShowColor.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Panel_ShowColor.Handle()),
               MAKELPARAM(panel.left + 10, panel.top + 10));
  Pump();
  ASSERT_TRUE(seen.menuFound);
  EXPECT_EQ(seen.separator.bottom - seen.separator.top, 4);
  EXPECT_EQ(seen.iconColumn, IconColumn());
  EXPECT_EQ(seen.background, Background());
  EXPECT_EQ(seen.beforeLine, Background());
  EXPECT_EQ(seen.line, BlendToWhite(GetSysColor(COLOR_BTNSHADOW), 25));
}

}  // namespace
}  // namespace huemira
