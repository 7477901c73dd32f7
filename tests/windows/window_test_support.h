// Shared by the tests that create the real windows under Wine: one
// application per test program, a clean settings file per test, and helpers
// that deliver input the way the message loop would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/history_colors.h"
#include "app/history_form.h"
#include "app/main_form.h"
#include "app/option_form.h"
#include "app/picture_form.h"
#include "app/show_color_form.h"
#include "framework/form.h"
#include "framework/message_box.h"

namespace huemira {

// A call the program made to the shell's notification area.
struct ShellCall {
  DWORD message;
  NOTIFYICONDATAW data;
};

// A plain window of one colour somewhere on the screen, to pick from.
class ColorWindow : public Form {
 public:
  ColorWindow(COLORREF color, RECT where);
};

POINT CentreOf(HWND window);

// Hands files to the main window as the shell hands over a drop.
void DropFiles(HWND window, const std::vector<std::wstring>& files);

class MainFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Creates the windows and shows the main one as the program's start does.
  void StartMainForm();
  // Runs the message loop for a while (timers tick meanwhile).
  static void PumpFor(DWORD milliseconds);
  // Runs action once the message loop of a modal window is running, on its
  // thread: it is how a test answers a dialog.
  static void WhenModal(std::function<void()> action);
  // Runs action on the popup menu's window once a menu shows (checked every
  // 50 ms, also while the menu's own loop runs); a menu that shows later
  // than expected is still found. Ends with the test.
  static void WhenMenuShown(std::function<void(HWND popup)> action);
  // Delivers the messages that are waiting (a WM_QUIT from a closed main
  // window is dropped, so that the next test starts clean).
  static void Pump();
  // Types characters into a control as the keyboard would.
  static void Type(HWND control, const std::wstring& characters);
  // Sets the state of the modifier keys that handlers read with GetKeyState.
  static void HoldKeys(bool control, bool shift);

  static std::wstring SettingsText();
  static std::wstring Setting(const std::wstring& section, const std::wstring& key);
  static void PutSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  static std::wstring Clipboard();
  // Runs action with failures that would reach the error box collected
  // instead of failing the test; returns their messages.
  static std::vector<std::string> ErrorBoxesDuring(const std::function<void()>& action);

  // The tray icons talk to this recorder instead of the shell; it answers
  // shellAnswers (false: a shell without a notification area).
  static std::vector<ShellCall> shellCalls;
  static bool shellAnswers;
  static int CountShellCalls(DWORD message, UINT id);

  // The message boxes shown since the test began, each answered with
  // messageBoxAnswer (IDOK unless the test says otherwise).
  static std::vector<MessageBoxRequest> messageBoxes;
  static int messageBoxAnswer;
  // The texts of the error boxes; a test that expects one clears it.
  static std::vector<std::string> shownErrors;

  HistoryColors history;
  std::unique_ptr<TMainForm> form;
  std::unique_ptr<TForm_PImage> pictureForm;
  std::unique_ptr<TForm_ShowColor> showColorForm;
  std::unique_ptr<TForm_Option> optionForm;
  std::unique_ptr<TForm_HistoryColor> historyForm;
};

}  // namespace huemira
