#include <windows.h>
#include <objbase.h>

#include "app/program_windows.h"
#include "app/running_copy.h"
#include "framework/application.h"

namespace {

// The shell link object needs COM on this thread for the whole run.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace huemira;
  const RunningCopyClaim claim;
  if (!claim.First()) {
    ShowRunningCopy(TMainForm::kClassName);
    return 0;
  }
  ComApartment com;
  InitializeProgram(instance);
  ProgramWindows windows;
  Application& application = Application::Instance();
  if (application.ShowMainForm) windows.mainForm.Show();
  return application.Run();
}
