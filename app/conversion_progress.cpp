#include "app/conversion_progress.h"

#include "framework/form.h"
#include "framework/progress_bar.h"

namespace huemira {

namespace {
constexpr wchar_t kProgressFormClass[] = L"HuemiraProgressForm";
constexpr auto kQuietTime = std::chrono::milliseconds(500);
}  // namespace

class ConversionProgress::ProgressForm : public Form {
 public:
  ProgressForm() {
    CreateForm({.className = kProgressFormClass,
                .caption = L"Huemira-正在读取图片",
                .clientWidth = 280,
                .clientHeight = 40,
                .style = WS_CAPTION,
                .exStyle = WS_EX_TOPMOST},
               false);
    bar_.Create(*this, Bounds(12, 10, 256, 20));
    RECT frame;
    GetWindowRect(Handle(), &frame);
    SetWindowPos(Handle(), HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(Handle());
  }
  void SetPosition(int percent) { bar_.SetPosition(percent); }

 private:
  ProgressBar bar_;
};

ConversionProgress::ConversionProgress()
    : previousCursor_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))), start_(std::chrono::steady_clock::now()) {}

ConversionProgress::~ConversionProgress() {
  form_.reset();
  SetCursor(previousCursor_);
}

void ConversionProgress::Report(int percent) {
  if (!form_) {
    if (std::chrono::steady_clock::now() - start_ < kQuietTime) return;
    form_ = std::make_unique<ProgressForm>();
  }
  form_->SetPosition(percent);
}

}  // namespace huemira
