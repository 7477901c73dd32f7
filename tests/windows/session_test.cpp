// What must survive outside the happy path: a session that ends while the
// program runs, and a clipboard that another program holds.
#include <gtest/gtest.h>

#include <thread>

#include "app/settings.h"
#include "app/web_code.h"
#include "framework/exception.h"
#include "window_test_support.h"

namespace huemira {
namespace {

TEST_F(MainFormTest, SessionEndSavesTheHistoryOnce) {
  StartMainForm();
  history.Push(MakeColor(1, 2, 3));
  EXPECT_TRUE(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"010203");
  EXPECT_EQ(Setting(L"HistoryColor", L"HC88"), L"FF5858");

  DeleteFileW(SettingsFilePath().c_str());
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  form->Close();
  Pump();
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"") << "the keys are written once";
}

TEST_F(MainFormTest, ACancelledSessionEndWritesNothing) {
  StartMainForm();
  SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"");
}

TEST_F(MainFormTest, AHeldClipboardFailsWithItsMessageAndTheNextCopyWorks) {
  StartMainForm();
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread otherProgram([&] {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(window);
    SetEvent(opened);
    WaitForSingleObject(release, INFINITE);
    CloseClipboard();
    DestroyWindow(window);
  });
  WaitForSingleObject(opened, INFINITE);
  try {
    CopyToClipboard(L"abc");
    ADD_FAILURE() << "the copy should fail while the clipboard is held";
  } catch (const EClipboardException& failure) {
    EXPECT_STREQ(failure.what(), "Cannot open clipboard");
  }
  SetEvent(release);
  otherProgram.join();
  CloseHandle(opened);
  CloseHandle(release);
  CopyToClipboard(L"abc");
  EXPECT_EQ(Clipboard(), L"abc");
}

}  // namespace
}  // namespace huemira
