// Shared by the tests that create the real windows under Wine: one
// application per test program, a clean settings file per test, and helpers
// that deliver input the way the message loop would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/history_colors.h"
#include "app/main_form.h"

namespace huemira {

class MainFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Creates and shows the main window as the program's start does.
  void StartMainForm();
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

  HistoryColors history;
  std::unique_ptr<TMainForm> form;
};

}  // namespace huemira
