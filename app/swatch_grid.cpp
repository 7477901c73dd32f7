#include "app/swatch_grid.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/handles.h"

namespace huemira {

namespace {

constexpr wchar_t kSwatchGridClass[] = L"HuemiraSwatchGrid";
// A tile at 96 dpi: the swatch, then two lines of text beside it.
constexpr int kTileWidth = 156;
constexpr int kTileHeight = 36;
constexpr int kSwatchSize = 28;
constexpr int kMarkSize = 10;
constexpr int kGap = 4;
constexpr COLORREF kSwatchFrame = RGB(0x80, 0x80, 0x80);

// A memory bitmap the size of the area, painted into and then copied at
// once: no flicker while scrolling.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, const RECT& area)
      : target_(target),
        area_(area),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
        selected_(dc_.get(), bitmap_.get()) {
    SetViewportOrgEx(dc_.get(), -area.left, -area.top, nullptr);
  }
  ~BufferedPaint() {
    SetViewportOrgEx(dc_.get(), 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(), 0, 0,
           SRCCOPY);
  }
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  HDC get() const { return dc_.get(); }

 private:
  HDC target_;
  RECT area_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  SelectedObject selected_;
};

}  // namespace

void SwatchGrid::Create(Form& parent, const Args& args) {
  RegisterOwnClass(kSwatchGridClass, CS_DBLCLKS);
  CreateControl(parent, {kSwatchGridClass, L"", WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, args.bounds, args.hint});
  UpdateScrollBar();
}

SwatchGridLayout SwatchGrid::Layout() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return SwatchGridLayout(swatches_.size(), Owner().Scale(kTileWidth), Owner().Scale(kTileHeight), client.right);
}

int SwatchGrid::ViewHeight() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom;
}

void SwatchGrid::SetSwatches(std::vector<GridSwatch> swatches, std::optional<std::size_t> selected) {
  swatches_ = std::move(swatches);
  if (selected && *selected >= swatches_.size()) selected.reset();
  selected_ = selected;
  ScrollTo(selected_ ? Layout().ScrollToShow(*selected_, scroll_, ViewHeight()) : scroll_);
  Invalidate();
}

void SwatchGrid::Select(std::optional<std::size_t> index) {
  if (index && *index >= swatches_.size()) index.reset();
  selected_ = index;
  if (selected_) ScrollTo(Layout().ScrollToShow(*selected_, scroll_, ViewHeight()));
  Invalidate();
}

std::optional<std::size_t> SwatchGrid::IndexAt(POINT clientPoint) const {
  return Layout().IndexAt(clientPoint.x, clientPoint.y, scroll_);
}

void SwatchGrid::RescaleForDpi() {
  Control::RescaleForDpi();
  Select(selected_);
}

void SwatchGrid::ScrollTo(int position) {
  const int clamped = std::clamp(position, 0, Layout().MaxScroll(ViewHeight()));
  if (clamped != scroll_) {
    scroll_ = clamped;
    Invalidate();
  }
  UpdateScrollBar();
}

void SwatchGrid::UpdateScrollBar() {
  // Always shown (disabled when all fits): the tiles' width never changes
  // with the palette's length.
  SCROLLINFO info{sizeof(info)};
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(Layout().ContentHeight() - 1, 0);
  info.nPage = static_cast<UINT>(ViewHeight());
  info.nPos = scroll_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void SwatchGrid::HandleScrollRequest(WORD request) {
  const int line = Owner().Scale(kTileHeight);
  const int page = std::max(ViewHeight() - line, line);
  switch (request) {
    case SB_LINEUP: ScrollTo(scroll_ - line); break;
    case SB_LINEDOWN: ScrollTo(scroll_ + line); break;
    case SB_PAGEUP: ScrollTo(scroll_ - page); break;
    case SB_PAGEDOWN: ScrollTo(scroll_ + page); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(Layout().MaxScroll(ViewHeight())); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit position: the message's own is cut to 16 bits.
      SCROLLINFO info{sizeof(info)};
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, &info);
      ScrollTo(info.nTrackPos);
      break;
    }
  }
}

void SwatchGrid::Paint() {
  const PaintDc paint(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  RECT area = paint.Area();
  IntersectRect(&area, &area, &client);
  if (IsRectEmpty(&area)) return;
  const BufferedPaint buffer(paint.get(), area);
  const HDC dc = buffer.get();
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  const SelectedObject font(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  const SwatchGridLayout layout = Layout();
  const SwatchGridLayout::Range range = layout.TilesIn(area.top + scroll_, area.bottom + scroll_);
  for (std::size_t index = range.first; index < range.end; ++index) {
    const int left = layout.TileLeft(index);
    const int top = layout.TileTop(index) - scroll_;
    PaintTile(dc, index, RECT{left, top, left + layout.TileWidth(), top + layout.TileHeight()});
  }
}

void SwatchGrid::PaintTile(HDC dc, std::size_t index, const RECT& tile) const {
  const GridSwatch& swatch = swatches_[index];
  const bool selected = selected_ == index;
  const Form& form = Owner();
  if (selected) FillRect(dc, &tile, GetSysColorBrush(COLOR_HIGHLIGHT));
  const int gap = form.Scale(kGap);
  const int size = form.Scale(kSwatchSize);
  const RECT square{tile.left + gap, tile.top + gap, tile.left + gap + size, tile.top + gap + size};
  FillSolid(dc, square, swatch.color);
  FrameSolid(dc, square, kSwatchFrame);

  const int lineHeight = (tile.bottom - tile.top) / 2;
  RECT text{square.right + gap, tile.top + gap / 2, tile.right - gap, tile.top + gap / 2 + lineHeight};
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(dc, swatch.name.c_str(), static_cast<int>(swatch.name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  OffsetRect(&text, 0, lineHeight - gap / 2);
  if (swatch.mark) {
    const int markSize = form.Scale(kMarkSize);
    const int markTop = (text.top + text.bottom - markSize) / 2;
    const RECT mark{text.left, markTop, text.left + markSize, markTop + markSize};
    FillSolid(dc, mark, *swatch.mark);
    FrameSolid(dc, mark, kSwatchFrame);
    text.left = mark.right + gap;
  }
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
  if (!swatch.detailEnd.empty()) {
    RECT end = text;
    DrawTextW(dc, swatch.detailEnd.c_str(), static_cast<int>(swatch.detailEnd.size()), &end,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int width = end.right - end.left;
    end = RECT{std::max(text.right - width, text.left), text.top, text.right, text.bottom};
    DrawTextW(dc, swatch.detailEnd.c_str(), static_cast<int>(swatch.detailEnd.size()), &end,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
    text.right = end.left - gap;
  }
  DrawTextW(dc, swatch.detail.c_str(), static_cast<int>(swatch.detail.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (selected && Focused()) DrawFocusRect(dc, &tile);
}

void SwatchGrid::SelectByUser(std::size_t index) {
  if (selected_ == index) return;
  Select(index);
  if (OnSelect) OnSelect();
}

bool SwatchGrid::HandleKey(WPARAM key) {
  if (OnKeyDown && OnKeyDown(key)) return true;
  using Move = SwatchGridLayout::Move;
  std::optional<Move> move;
  switch (key) {
    case VK_LEFT: move = Move::Left; break;
    case VK_RIGHT: move = Move::Right; break;
    case VK_UP: move = Move::Up; break;
    case VK_DOWN: move = Move::Down; break;
    case VK_PRIOR: move = Move::PageUp; break;
    case VK_NEXT: move = Move::PageDown; break;
    case VK_HOME: move = Move::Home; break;
    case VK_END: move = Move::End; break;
    case VK_RETURN:
    case VK_SPACE:
      if (selected_ && OnActivate) OnActivate(*selected_);
      return true;
  }
  if (!move || swatches_.empty()) return move.has_value();
  // The first key on a grid without a selection chooses the first tile.
  SelectByUser(selected_ ? Layout().Moved(*selected_, *move, ViewHeight()) : 0);
  return true;
}

LRESULT SwatchGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      ScrollTo(scroll_);
      return 0;
    case WM_VSCROLL:
      HandleScrollRequest(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max(ViewHeight() / Owner().Scale(kTileHeight), 1));
      wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
      const int notches = wheelRemainder_ / WHEEL_DELTA;
      wheelRemainder_ -= notches * WHEEL_DELTA;
      ScrollTo(scroll_ - notches * static_cast<int>(lines) * Owner().Scale(kTileHeight));
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      // The second press of a double click takes nothing twice.
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus();
      if (const auto index = IndexAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        SelectByUser(*index);
        if (OnActivate) OnActivate(*index);
      }
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case WM_GETDLGCODE: {
      // The arrows and Enter belong to the grid; Tab and Esc to the window.
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    case WM_KEYDOWN:
      if (HandleKey(wParam)) return 0;
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace huemira
