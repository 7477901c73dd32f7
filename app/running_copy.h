// One running copy per session: a second start (the Start Menu shortcut, a
// double click on the program) shows the copy that runs and ends itself.
#pragma once

#include <windows.h>

#include "framework/handles.h"

namespace huemira {

class RunningCopyClaim {
 public:
  // Claims the session for this process through a named mutex of the
  // session's own namespace.
  RunningCopyClaim();
  RunningCopyClaim(const RunningCopyClaim&) = delete;
  RunningCopyClaim& operator=(const RunningCopyClaim&) = delete;

  // False when another copy of the program already runs in this session.
  bool First() const { return first_; }

 private:
  UniqueHandle mutex_;
  bool first_ = true;
};

// The message the running copy's main window answers by showing itself as
// the hotkey does when it is hidden, and coming to the front.
UINT ShowRunningCopyMessage();

// Asks the running copy's main window, found by its window class (captions
// change, classes do not), to show itself. The copy may still be starting:
// it is waited for a few seconds.
void ShowRunningCopy(const wchar_t* mainWindowClass);

}  // namespace huemira
