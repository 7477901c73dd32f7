// What the user sees while a picture is converted on a worker: the wait
// cursor at once, and once the work has gone on for half a second (a large
// photo takes seconds) a small window with a progress bar and a cancel
// button. The window thread handles messages all the while.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>

namespace huemira {

class ConversionProgress {
 public:
  // How long the work goes on before the window shows; tests shorten it.
  static inline std::chrono::milliseconds QuietTime{500};

  ConversionProgress();
  ~ConversionProgress();
  ConversionProgress(const ConversionProgress&) = delete;
  ConversionProgress& operator=(const ConversionProgress&) = delete;

  // Waits, handling messages, until done is set (true), showing percent
  // (0 ... 100); false when the user cancelled or the program is ending.
  bool Await(HANDLE done, const std::atomic<int>& percent);

 private:
  class ProgressForm;

  HCURSOR previousCursor_;
  std::chrono::steady_clock::time_point start_;
  std::unique_ptr<ProgressForm> form_;
};

}  // namespace huemira
