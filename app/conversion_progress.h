// What the user sees while a picture is converted on the window thread: the
// wait cursor at once, and a small window with a progress bar once the work
// has gone on for half a second (a large photo takes seconds).
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>

namespace huemira {

class ConversionProgress {
 public:
  ConversionProgress();
  ~ConversionProgress();
  ConversionProgress(const ConversionProgress&) = delete;
  ConversionProgress& operator=(const ConversionProgress&) = delete;

  // How far the conversion has come, 0 ... 100.
  void Report(int percent);

 private:
  class ProgressForm;

  HCURSOR previousCursor_;
  std::chrono::steady_clock::time_point start_;
  std::unique_ptr<ProgressForm> form_;
};

}  // namespace huemira
