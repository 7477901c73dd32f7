#include "framework/progress_bar.h"

#include <commctrl.h>

namespace huemira {

void ProgressBar::Create(Form& parent, const RECT& bounds) {
  CreateControl(parent, {PROGRESS_CLASSW, L"", 0, 0, bounds, L""});
  SendMessageW(Handle(), PBM_SETRANGE32, 0, 100);
}

void ProgressBar::SetPosition(int percent) {
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  UpdateWindow(Handle());
}

}  // namespace huemira
