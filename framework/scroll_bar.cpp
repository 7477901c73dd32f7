#include "framework/scroll_bar.h"

#include <algorithm>

#include "framework/form.h"

namespace huemira {

void ScrollBar::Create(Form& parent, const Args& args) {
  CreateControl(parent, {L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, 0, args.bounds, args.hint});
  min_ = args.min;
  max_ = args.max;
  position_ = std::clamp(args.position, min_, max_);
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS};
  info.nMin = min_;
  info.nMax = max_;
  info.nPage = 1;  // with a page of 1 the thumb reaches every value up to max
  info.nPos = position_;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void ScrollBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  SetScrollPos(Handle(), SB_CTL, position, TRUE);
  if (OnChange) OnChange();
}

void ScrollBar::HandleScroll(WORD request) {
  SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
  switch (request) {
    case SB_LINELEFT: SetPosition(position_ - 1); break;
    case SB_LINERIGHT: SetPosition(position_ + 1); break;
    case SB_PAGELEFT: SetPosition(position_ - 1); break;
    case SB_PAGERIGHT: SetPosition(position_ + 1); break;
    case SB_LEFT: SetPosition(min_); break;
    case SB_RIGHT: SetPosition(max_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      GetScrollInfo(Handle(), SB_CTL, &info);
      SetPosition(info.nTrackPos);
      break;
    default: break;
  }
}

}  // namespace huemira
