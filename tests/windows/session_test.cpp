// What must survive outside the happy path: a session that ends while the
// program runs, and a clipboard that another program holds.
#include <gtest/gtest.h>

#include <thread>

#include "app/settings.h"
#include "app/web_code.h"
#include "framework/exception.h"
#include "framework/handles.h"
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

TEST_F(MainFormTest, PicksAfterASessionEndThatDidNotEndTheSessionAreSavedAtTheClose) {
  StartMainForm();
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  history.Push(MakeColor(7, 8, 9));
  form->Close();
  Pump();
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"070809");
}

TEST_F(MainFormTest, AHistoryThatCannotBeWrittenIsToldAtTheCloseButNotAtASessionEnd) {
  StartMainForm();
  history.Push(MakeColor(1, 2, 3));
  // Another program holds the file open and shares it with no one.
  const UniqueHandle held = OwnedFile(
      CreateFileW(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(messageBoxes.empty()) << "no box can be seen while the session ends";
  form->Close();
  Pump();
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].text.find(L"历史颜色"), std::wstring::npos);
  EXPECT_NE(messageBoxes[0].text.find(SettingsFilePath()), std::wstring::npos);
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
