// The program's start-up, shared by the program and by what measures it:
// the process-wide settings every window relies on, then the five windows,
// made in their start-up order and joined to the main window. The windows
// live as long as the ProgramWindows object.
#pragma once

#include <windows.h>

#include "app/history_colors.h"
#include "app/history_form.h"
#include "app/main_form.h"
#include "app/option_form.h"
#include "app/palette_library.h"
#include "app/picture_form.h"
#include "app/show_color_form.h"

namespace huemira {

// Resolution awareness, the common controls, the application's hidden
// window and the picture readers: once, before the first window.
void InitializeProgram(HINSTANCE instance);

struct ProgramWindows {
  ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  HistoryColors history;
  // Before the main window, whose palette window uses it until it is gone.
  PaletteLibrary palettes{PaletteStore::DefaultFolder()};
  TMainForm mainForm{history};
  TForm_PImage pictureForm;
  TForm_ShowColor showColorForm;
  TForm_Option optionForm{mainForm};
  TForm_HistoryColor historyForm{history};
};

}  // namespace huemira
