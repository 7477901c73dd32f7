#include "app/conversion_progress.h"

#include "framework/application.h"
#include "framework/button.h"
#include "framework/form.h"
#include "framework/progress_bar.h"

namespace huemira {

namespace {
constexpr wchar_t kProgressFormClass[] = L"HuemiraProgressForm";
// How often the bar follows the worker's progress.
constexpr DWORD kTickMs = 50;
}  // namespace

class ConversionProgress::ProgressForm : public Form {
 public:
  ProgressForm() {
    CreateForm({.className = kProgressFormClass,
                .caption = L"Huemira-正在读取图片",
                .clientWidth = 280,
                .clientHeight = 72,
                .style = WS_CAPTION,
                .exStyle = WS_EX_TOPMOST},
               false);
    bar_.Create(*this, Bounds(12, 10, 256, 20));
    cancel_.Create(*this, {.bounds = Bounds(100, 40, 80, 24), .caption = L"取消"});
    cancel_.OnClick = [this] { cancelled_ = true; };
    RECT frame;
    GetWindowRect(Handle(), &frame);
    // Shown active with 取消 focused, so that Esc, Enter and Space cancel
    // as in any dialog.
    SetWindowPos(Handle(), HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(Handle());
    ::SetFocus(cancel_.Handle());
    UpdateWindow(Handle());
  }
  void SetPosition(int percent) { bar_.SetPosition(percent); }
  bool Cancelled() const { return cancelled_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    // Esc comes as the dialog command of no control.
    if (message == WM_COMMAND && lParam == 0 && LOWORD(wParam) == IDCANCEL) {
      cancelled_ = true;
      return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
  }

 private:
  ProgressBar bar_;
  Button cancel_;
  bool cancelled_ = false;
};

ConversionProgress::ConversionProgress()
    : previousCursor_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))), start_(std::chrono::steady_clock::now()) {}

ConversionProgress::~ConversionProgress() {
  form_.reset();
  SetCursor(previousCursor_);
}

bool ConversionProgress::Await(HANDLE done, const std::atomic<int>& percent) {
  return Application::Instance().ProcessMessagesUntil(done, kTickMs, [this, &percent] {
    if (!form_) {
      if (std::chrono::steady_clock::now() - start_ < QuietTime) return true;
      form_ = std::make_unique<ProgressForm>();
    }
    form_->SetPosition(percent.load());
    return !form_->Cancelled();
  });
}

}  // namespace huemira
