// TMenuStyler's drawing of one entry.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/canvas.h"
#include "framework/system_color.h"
#include "widgets/menu_layout.h"
#include "widgets/menu_styler.h"

namespace huemira {

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// Pixels of a 32-bit top-down DIB are 0x00RRGGBB, colour values 0x00BBGGRR.
TColor FromDibPixel(std::uint32_t pixel) { return MakeColor((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }
std::uint32_t ToDibPixel(TColor color) {
  return (static_cast<std::uint32_t>(RedOf(color)) << 16) | (static_cast<std::uint32_t>(GreenOf(color)) << 8) |
         static_cast<std::uint32_t>(BlueOf(color));
}

// An entry's icon as a small bitmap of its own, so that it can be faded,
// greyed and shadowed pixel by pixel before it is drawn.
class IconBitmap {
 public:
  IconBitmap(const MenuItem& item, HDC surface) {
    HIMAGELIST images = item.Menu().Images();
    if (!images || item.ImageIndex == -1) return;
    ImageList_GetIconSize(images, &width_, &height_);
    if (width_ <= 0 || height_ <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(surface, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.reset(CreateCompatibleDC(surface));
    if (!bitmap_ || !dc_) {
      width_ = height_ = 0;
      return;
    }
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    // The image's transparent parts take the colour the menu shows there.
    COLORREF backdrop = GetPixel(surface, 2, 2);
    if (backdrop == CLR_INVALID) backdrop = GetSysColor(COLOR_MENU);
    FillSolid(dc_.get(), RECT{0, 0, width_, height_}, backdrop);
    ImageList_Draw(images, item.ImageIndex, dc_.get(), 0, 0, ILD_NORMAL);
    GdiFlush();
  }
  ~IconBitmap() {
    if (previous_) SelectObject(dc_.get(), previous_);
  }
  IconBitmap(const IconBitmap&) = delete;
  IconBitmap& operator=(const IconBitmap&) = delete;

  int Width() const { return width_; }

  std::vector<TColor> Pixels() const {
    std::vector<TColor> pixels(static_cast<std::size_t>(width_) * height_);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = FromDibPixel(bits_[i]);
    return pixels;
  }
  void SetPixels(const std::vector<TColor>& pixels) {
    for (std::size_t i = 0; i < pixels.size(); ++i) bits_[i] = ToDibPixel(pixels[i]);
  }
  void GreyOut(int level) {
    std::vector<TColor> pixels = Pixels();
    GreyOutImage(pixels, level);
    SetPixels(pixels);
  }
  void Fade(int percent) {
    std::vector<TColor> pixels = Pixels();
    HDC dc = dc_.get();
    FadeImage(pixels, percent, [dc](TColor color) {
      const COLORREF nearest = GetNearestColor(dc, color);
      return nearest == CLR_INVALID ? color : static_cast<TColor>(nearest);
    });
    SetPixels(pixels);
  }
  // Every pixel but the background ones casts a shadow at (x, y).
  void Shadow(HDC target, int x, int y, TColor color) const {
    const std::vector<bool> mask = ShadowMask(Pixels(), width_, height_);
    for (int row = 0; row < height_; ++row)
      for (int column = 0; column < width_; ++column)
        if (mask[static_cast<std::size_t>(row) * width_ + column]) SetPixel(target, x + column, y + row, color);
  }
  // Drawn with the bottom-left pixel's colour as the transparent one.
  void Draw(HDC target, int x, int y) const {
    const TColor transparent = FromDibPixel(bits_[static_cast<std::size_t>(height_ - 1) * width_]);
    TransparentBlt(target, x, y, width_, height_, dc_.get(), 0, 0, width_, height_, transparent);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  UniqueBitmap bitmap_;
  UniqueMemoryDc dc_;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

void DrawGradient(HDC dc, const Rect& item, bool rightToLeft, int iconWidth, TColor iconColumn,
                  const NearestColor& nearest) {
  const int stripes = item.Width() + 2;
  const std::vector<int> steps = GradientSteps(stripes, iconWidth);
  for (int i = 0; i < stripes; ++i) {
    const int x = rightToLeft ? item.right + 1 - i : item.left + i;
    FillSolid(dc, RECT{x, item.top, x + 1, item.bottom}, nearest(BlendToWhite(iconColumn, steps[static_cast<std::size_t>(i)])));
  }
}

void DrawCheck(HDC dc, const MenuItem& item, const Rect& box, bool hasImage, bool selected, const MenuColors& colors) {
  const TColor area = selected ? colors.checkAreaSelected : colors.checkArea;
  const TColor frame = item.RadioItem || hasImage ? colors.selectionFrame : colors.checkFrame;
  const UniquePen pen(CreatePen(PS_SOLID, 1, item.Enabled ? frame : colors.disabledText));
  const UniqueBrush brush(CreateSolidBrush(area));
  const SelectedObject selectedPen(dc, pen.get());
  // A disabled entry keeps the brush the surface has.
  const SelectedObject selectedBrush(dc, item.Enabled ? brush.get() : GetCurrentObject(dc, OBJ_BRUSH));
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  if (item.RadioItem) {
    if (hasImage) RoundRect(dc, l, t, r, b, 6, 6);
    else Ellipse(dc, l, t, r, b);
    return;
  }
  Rectangle(dc, l, t, r, b);
  if (hasImage) return;
  const UniquePen tickPen(CreatePen(PS_SOLID, 1, item.Enabled ? clBlack : colors.disabledText));
  const SelectedObject selectedTickPen(dc, tickPen.get());
  Line(dc, l + 1, t + 5, l + 4, b - 2);
  Line(dc, l + 2, t + 5, l + 4, b - 3);
  Line(dc, l + 2, t + 4, l + 5, b - 3);
  Line(dc, l + 4, b - 3, r + 2, t - 1);
  Line(dc, l + 4, b - 2, r - 2, t + 3);
}

// The menu window's border in the flat colours, painted over the system's.
void PaintFlatBorder(HWND menuWindow, const MenuColors& colors) {
  RECT frame;
  GetWindowRect(menuWindow, &frame);
  OffsetRect(&frame, -frame.left, -frame.top);
  const WindowDc dc(menuWindow, DcArea::WholeWindow);
  if (!dc) return;
  RECT r = frame;
  FrameSolid(dc.get(), r, colors.flatBorder);
  InflateRect(&r, -1, -1);
  FrameSolid(dc.get(), r, colors.background);
  FillSolid(dc.get(), RECT{r.right - 1, r.top, r.right, r.bottom}, colors.flatShadow);
  FillSolid(dc.get(), RECT{r.left, r.bottom - 1, r.right, r.bottom}, colors.flatShadow);
}

}  // namespace

bool TMenuStyler::Deep(HDC surface) { return GetDeviceCaps(surface, BITSPIXEL) * GetDeviceCaps(surface, PLANES) > 15; }

void TMenuStyler::DrawItem(MenuItem& item, HDC surface, const RECT& rect, bool selected) {
  if (!active_) return;
  // Drawn off-screen and copied in one step, so that moving across the
  // entries never shows one half drawn. The fills reach a pixel lower.
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top + 1;
  const UniqueMemoryDc buffer(CreateCompatibleDC(surface));
  const UniqueBitmap bitmap(CreateCompatibleBitmap(surface, width, height));
  {
    const SelectedObject selectedBitmap(buffer.get(), bitmap.get());
    SetViewportOrgEx(buffer.get(), -rect.left, -rect.top, nullptr);
    PaintItem(item, buffer.get(), surface, rect, selected);
    BitBlt(surface, rect.left, rect.top, width, height, buffer.get(), rect.left, rect.top, SRCCOPY);
  }
  // The system draws its own arrow after this, in its colours, unless the
  // entry is out of the surface's reach by then.
  if (item.Submenu()) ExcludeClipRect(surface, rect.left, rect.top, rect.right, rect.bottom);
  if (FlatMenu) {
    HWND window = WindowFromDC(surface);
    if (window && window != owner_.Handle()) PaintFlatBorder(window, Colors(surface, Deep(surface)));
  }
  HookSiblings(item);
}

void TMenuStyler::PaintItem(MenuItem& item, HDC dc, HDC surface, const RECT& rect, bool selected) {
  const bool deep = Deep(surface);
  FollowSystemLook();
  const MenuColors colors = Colors(surface, deep);
  const NearestColor nearest = [surface](TColor color) {
    const COLORREF found = GetNearestColor(surface, color);
    return found == CLR_INVALID ? color : static_cast<TColor>(found);
  };
  const bool separator = item.IsSeparator();
  const bool enabled = item.Enabled;
  const bool checked = item.Checked;
  const bool rightToLeft = item.Menu().RightToLeft();
  const SelectedObject font(dc, font_.get());

  IconBitmap icon(item, surface);
  const Rect itemRect{rect.left, rect.top, rect.right, rect.bottom + 1};
  // The icon column grows with the owner's resolution; the images keep
  // their size, centred in it.
  const int iconWidth = owner_.Scale(IconWidth);
  const MenuItemGeometry g =
      LayoutMenuItem({rect.left, rect.top, rect.right, rect.bottom}, iconWidth, icon.Width(), rightToLeft, FlatMenu);

  if (Gradient && deep) {
    DrawGradient(dc, itemRect, rightToLeft, iconWidth, colors.iconColumn, nearest);
  } else {
    FillSolid(dc, ToRECT(itemRect), colors.background);
    FillSolid(dc, ToRECT(g.iconColumn), colors.iconColumn);
  }

  if (selected && DrawSelect && enabled) {
    FillSolid(dc, ToRECT(g.selection), colors.selectionFill);
    FrameSolid(dc, ToRECT(g.selection), colors.selectionFrame);
  }

  if (checked) DrawCheck(dc, item, g.checkBox, icon.Width() > 0, selected, colors);

  if (icon.Width() > 0) {
    int x = g.icon.x, y = g.icon.y;
    const bool lifted = selected && enabled && !checked;
    if (lifted) {
      --x;
      --y;
    }
    if (!selected && enabled && !checked && deep) icon.Fade(DimLevel);
    if (!enabled) {
      icon.GreyOut(GrayLevel);
      icon.Fade(40);
    }
    if (lifted) icon.Shadow(dc, x + 2, y + 2, DarkenBy(colors.selectionFill, 50));
    icon.Draw(dc, x, y);
  }

  if (separator) {
    const UniquePen pen(CreatePen(PS_SOLID, 1, colors.separator));
    const SelectedObject selectedPen(dc, pen.get());
    Line(dc, g.separatorFrom.x, g.separatorFrom.y, g.separatorTo.x, g.separatorTo.y);
  } else {
    TColor textColor = colors.text;
    if (selected) textColor = colors.selectedText;
    if (!enabled) textColor = colors.disabledText;
    SIZE letter{};
    GetTextExtentPoint32W(dc, L"W", 1, &letter);
    const int top = TextTop(g.text, letter.cy);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    std::wstring text = L" " + item.Caption;
    RECT textBox = rightToLeft ? RECT{g.text.left, top, g.textX, g.text.bottom}
                               : RECT{g.textX, top, g.text.right, g.text.bottom};
    const UINT direction = rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    DrawTextExW(dc, text.data(), -1, &textBox, direction | DT_SINGLELINE | DT_EXPANDTABS, nullptr);
    if (item.Submenu())
      for (const Rect& column : SubmenuArrowColumns({rect.left, rect.top, rect.right, rect.bottom}, rightToLeft))
        FillSolid(dc, ToRECT(column), textColor);
    if (!item.ShortCutText.empty()) {
      std::wstring shortcut = item.ShortCutText + L" ";
      SetTextColor(dc, deep ? DarkenBy(textColor, -40) : textColor);
      RECT shortcutBox = rightToLeft ? RECT{g.shortcutX, top, g.text.right, g.text.bottom}
                                     : RECT{g.text.left, top, g.shortcutX, g.text.bottom};
      DrawTextExW(dc, shortcut.data(), -1, &shortcutBox,
                  (rightToLeft ? DT_LEFT | DT_RTLREADING : DT_RIGHT) | DT_SINGLELINE, nullptr);
    }
  }
}

}  // namespace huemira
