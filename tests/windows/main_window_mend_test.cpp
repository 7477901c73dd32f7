// The main window as a new user tries it: Tab, every way of pasting a code,
// a clipboard held at start-up, closing from outside, and a screen pick
// that loses the mouse.
#include <gtest/gtest.h>

#include <thread>

#include "app/option_form.h"
#include "app/settings.h"
#include "app/web_code.h"
#include "framework/application.h"
#include "framework/clipboard.h"
#include "window_test_support.h"

namespace huemira {
namespace {

// Another program that holds the clipboard open until it is released.
class ClipboardHolder {
 public:
  ClipboardHolder()
      : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] {
      HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
      OpenClipboard(window);
      SetEvent(opened_);
      WaitForSingleObject(release_, INFINITE);
      CloseClipboard();
      DestroyWindow(window);
    });
    WaitForSingleObject(opened_, INFINITE);
  }
  ~ClipboardHolder() { Release(); }
  void Release() {
    if (!thread_.joinable()) return;
    SetEvent(release_);
    thread_.join();
    CloseHandle(opened_);
    CloseHandle(release_);
  }

 private:
  HANDLE opened_;
  HANDLE release_;
  std::thread thread_;
};

void PressKey(HWND control, WPARAM key) {
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 0xC0000001);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Application::Dispatch(message);
}

TEST_F(MainFormTest, TabAndShiftTabMoveTheFocusAndLeaveAFullFieldAlone) {
  StartMainForm();
  form->Edit_R.SetFocus();
  PressKey(form->Edit_R.Handle(), VK_TAB);
  EXPECT_TRUE(form->ScrollBar_G.Focused()) << "the next control in the tab order";
  EXPECT_EQ(form->Edit_R.Text(), L"255");
  EXPECT_EQ(form->ScrollBar_R.Position(), 255);
  HoldKeys(false, true);
  PressKey(form->ScrollBar_G.Handle(), VK_TAB);
  HoldKeys(false, false);
  EXPECT_TRUE(form->Edit_R.Focused());
  EXPECT_EQ(form->Edit_R.Text(), L"255");
  // From the code box on to the history button's neighbours and round again.
  form->Edit_GetColor.SetFocus();
  PressKey(form->Edit_GetColor.Handle(), VK_TAB);
  EXPECT_FALSE(form->Edit_GetColor.Focused());
  EXPECT_EQ(form->Edit_GetColor.Text(), L"ff5858");
}

TEST_F(MainFormTest, TabMovesTheFocusInTheModalOptionsWindow) {
  PutSetting(L"QeltColor", L"LSign", L"#");
  StartMainForm();
  HWND focusAfterTab = nullptr;
  WhenModal([&] {
    optionForm->Edit_LSign.SetFocus();
    PressKey(optionForm->Edit_LSign.Handle(), VK_TAB);
    focusAfterTab = GetFocus();
    optionForm->Close();
  });
  optionForm->ShowAtPage(TForm_Option::kOptionsPage);
  EXPECT_NE(focusAfterTab, optionForm->Edit_LSign.Handle());
  EXPECT_TRUE(IsChild(optionForm->Handle(), focusAfterTab));
  EXPECT_EQ(optionForm->Edit_LSign.Text(), L"#") << "no tab character typed into the field";
}

class CodeBoxPasteTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartMainForm();
    form->Edit_GetColor.SetFocus();
    SendMessageW(form->Edit_GetColor.Handle(), EM_SETSEL, 0, -1);
    SetClipboardText(L"#00FF00\r\nsecond line");
  }
  void ExpectPasted() {
    Pump();
    EXPECT_EQ(form->Edit_GetColor.Text(), L"#00ff00") << "cut at the line break, in the box's case";
    EXPECT_EQ(Clipboard(), L"#00ff00");
    EXPECT_EQ(form->CurrentColor(), MakeColor(0, 255, 0));
    EXPECT_EQ(form->ScrollBar_G.Position(), 255);
  }
};

TEST_F(CodeBoxPasteTest, CtrlV) {
  HoldKeys(true, false);
  PressKey(form->Edit_GetColor.Handle(), 'V');
  HoldKeys(false, false);
  ExpectPasted();
}

TEST_F(CodeBoxPasteTest, ShiftInsert) {
  HoldKeys(false, true);
  PressKey(form->Edit_GetColor.Handle(), VK_INSERT);
  HoldKeys(false, false);
  ExpectPasted();
}

TEST_F(CodeBoxPasteTest, TheEditsContextMenu) {
  bool menuShown = false;
  WhenMenuShown([&](HWND) {
    menuShown = true;
    // The menu's "Paste" entry by its underlined letter.
    PostMessageW(form->Edit_GetColor.Handle(), WM_CHAR, L'p', 1);
  });
  RECT box;
  GetWindowRect(form->Edit_GetColor.Handle(), &box);
  SendMessageW(form->Edit_GetColor.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Edit_GetColor.Handle()),
               MAKELPARAM(box.left + 5, box.top + 5));
  EXPECT_TRUE(menuShown);
  ExpectPasted();
}

TEST_F(MainFormTest, AClipboardHeldAtStartCostsNoStoredHistory) {
  const wchar_t* stored[] = {L"112233", L"010101", L"020202", L"030303", L"040404", L"050505", L"060606", L"070707"};
  for (int slot = 1; slot <= 8; ++slot) PutSetting(L"HistoryColor", HistoryColors::Key(slot), stored[slot - 1]);
  ClipboardHolder otherProgram;
  const std::vector<std::string> boxes = ErrorBoxesDuring([this] { StartMainForm(); });
  otherProgram.Release();
  ASSERT_FALSE(boxes.empty()) << "the failed copy is reported";
  for (const std::string& box : boxes) EXPECT_EQ(box, "Cannot open clipboard");
  for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(SixDigitForm(history.Slot(slot)), stored[slot - 1]) << slot;
  EXPECT_EQ(form->Edit_GetColor.Text(), L"112233");
  form->Close();
  Pump();
  for (int slot = 1; slot <= 8; ++slot)
    EXPECT_EQ(Setting(L"HistoryColor", HistoryColors::Key(slot)), stored[slot - 1]) << slot;
}

TEST_F(MainFormTest, ClosingTheHiddenOwnerWindowClosesTheMainWindowTheNormalWay) {
  StartMainForm();
  history.Push(MakeColor(1, 2, 3));
  const UINT icon = form->NotifyIcon1.Id();
  SendMessageW(Application::Instance().Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(form->Handle()));
  EXPECT_TRUE(IsWindow(Application::Instance().Handle())) << "the owner window stays until the program ends";
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"010203");
  EXPECT_EQ(Setting(L"HistoryColor", L"HC88"), L"FF5858");
  form.reset();
  EXPECT_EQ(CountShellCalls(NIM_DELETE, icon), 1);
}

BOOL CALLBACK PostClose(HWND window, LPARAM) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

TEST_F(MainFormTest, ClosingEveryTopLevelWindowAtOnceWritesTheHistoryOnce) {
  StartMainForm();
  history.Push(MakeColor(4, 5, 6));
  // What taskkill without /f does: a close for each top-level window.
  EnumThreadWindows(GetCurrentThreadId(), PostClose, 0);
  Pump();
  EXPECT_FALSE(IsWindow(form->Handle()));
  EXPECT_EQ(Setting(L"HistoryColor", L"HC1"), L"040506");
  DeleteFileW(SettingsFilePath().c_str());
  EnumThreadWindows(GetCurrentThreadId(), PostClose, 0);
  Pump();
  EXPECT_EQ(GetFileAttributesW(SettingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES) << "written once";
}

TEST_F(MainFormTest, AScreenPickThatLosesTheMouseEndsAsAReleaseWould) {
  StartMainForm();
  HWND button = form->BitBtn_PScreen.Handle();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_EQ(GetCapture(), button);
  ASSERT_TRUE(form->ScreenPick1.Picking());
  form->ScrollBar_R.SetPosition(0);  // the colour under the pointer meanwhile
  ReleaseCapture();                  // another window takes the mouse
  EXPECT_FALSE(form->ScreenPick1.Picking());
  EXPECT_EQ(history.Slot(1), MakeColor(0, 88, 88));
  EXPECT_EQ(Clipboard(), L"005858");
  SetClipboardText(L"mine");
  PumpFor(250);
  EXPECT_EQ(Clipboard(), L"mine") << "no more sampling after the pick ended";
  EXPECT_EQ(history.Slot(2), MakeColor(255, 88, 88)) << "pushed once";
}

}  // namespace
}  // namespace huemira
