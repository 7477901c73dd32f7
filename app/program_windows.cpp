#include "app/program_windows.h"

#include <commctrl.h>

#include "framework/application.h"
#include "framework/dpi.h"
#include "imaging/register_formats.h"

namespace huemira {

void InitializeProgram(HINSTANCE instance) {
  // Systems that do not read the manifest's awareness get it here.
  DeclareDpiAwareness();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  Application& application = Application::Instance();
  application.SetTitle(L"Huemira");
  application.Initialize(instance);
  RegisterImagingFormats();
}

ProgramWindows::ProgramWindows() {
  mainForm.Create();
  pictureForm.Create();
  showColorForm.Create();
  optionForm.Create();
  historyForm.Create();
  mainForm.AttachWindows(pictureForm, showColorForm, optionForm, historyForm);
  mainForm.AttachPalettes(palettes);
}

}  // namespace huemira
