#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/history_colors.h"
#include "app/history_form.h"
#include "app/main_form.h"
#include "app/option_form.h"
#include "app/picture_form.h"
#include "app/show_color_form.h"
#include "framework/application.h"
#include "framework/dpi.h"
#include "imaging/register_formats.h"

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
  // Before the first window: systems that do not read the manifest's
  // awareness get it here.
  DeclareDpiAwareness();
  ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  Application& application = Application::Instance();
  application.SetTitle(L"Huemira");
  application.Initialize(instance);
  RegisterImagingFormats();

  // The windows live for the whole run, created in this order.
  HistoryColors history;
  TMainForm mainForm(history);
  mainForm.Create();
  TForm_PImage pictureForm;
  pictureForm.Create();
  TForm_ShowColor showColorForm;
  showColorForm.Create();
  TForm_Option optionForm(mainForm);
  optionForm.Create();
  TForm_HistoryColor historyForm(history);
  historyForm.Create();
  mainForm.AttachWindows(pictureForm, showColorForm, optionForm, historyForm);
  if (application.ShowMainForm) mainForm.Show();
  return application.Run();
}
