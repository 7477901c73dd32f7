#include "window_test_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include <cstring>
#include <fstream>
#include <sstream>

#include "app/settings.h"
#include "framework/application.h"
#include "framework/clipboard.h"
#include "framework/dpi.h"
#include "framework/text.h"
#include "imaging/register_formats.h"
#include "widgets/notify_icon.h"

namespace huemira {

// Hands files to the main window as the shell hands over a drop.
void DropFiles(HWND window, const std::vector<std::wstring>& files) {
  std::size_t characters = 1;
  for (const auto& file : files) characters += file.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* names = reinterpret_cast<wchar_t*>(drop + 1);
  for (const auto& file : files) names = std::copy(file.begin(), file.end(), names) + 1;
  GlobalUnlock(block);
  SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

namespace {

std::function<void(HWND popup)> pendingMenuAction;
UINT_PTR menuTimer = 0;

void StopWaitingForMenu() {
  if (menuTimer) KillTimer(nullptr, menuTimer);
  menuTimer = 0;
  pendingMenuAction = nullptr;
}

void CALLBACK RunMenuAction(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  std::function<void(HWND)> run = std::move(pendingMenuAction);
  StopWaitingForMenu();
  if (run) run(popup);
}

}  // namespace

ColorWindow::ColorWindow(COLORREF color, RECT where) {
  CreateForm({L"HuemiraTestColorWindow", L"colour", 0, 0, WS_POPUP, WS_EX_TOPMOST}, false);
  SetBackgroundColor(color);
  SetWindowPos(Handle(), HWND_TOPMOST, where.left, where.top, where.right - where.left, where.bottom - where.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateWindow(Handle());
}

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<MessageBoxRequest> MainFormTest::messageBoxes;
int MainFormTest::messageBoxAnswer = IDOK;
std::vector<std::string> MainFormTest::shownErrors;
std::vector<ShellCall> MainFormTest::shellCalls;
bool MainFormTest::shellAnswers = true;

void MainFormTest::SetUpTestSuite() {
  static const bool initialized = [] {
    // As the program's manifest declares it.
    DeclareDpiAwareness();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Application::Instance().SetTitle(L"Huemira");
    Application::Instance().Initialize(GetModuleHandleW(nullptr));
    RegisterImagingFormats();
    // A failure that would reach the error box is recorded instead of
    // waiting for someone to press OK; a test that expects none fails.
    Application::Instance().OnException = [](const std::exception& failure) {
      shownErrors.push_back(failure.what());
    };
    SetMessageBoxHandler([](const MessageBoxRequest& request) {
      messageBoxes.push_back(request);
      return messageBoxAnswer;
    });
    TNotifyIcon::ShellNotifyIcon = [](DWORD message, NOTIFYICONDATAW* data) {
      shellCalls.push_back({message, *data});
      return shellAnswers ? TRUE : FALSE;
    };
    return true;
  }();
  (void)initialized;
}

void MainFormTest::SetUp() {
  shownErrors.clear();
  DeleteFileW(SettingsFilePath().c_str());
  messageBoxes.clear();
  messageBoxAnswer = IDOK;
  shellCalls.clear();
  shellAnswers = true;
  HoldKeys(false, false);
}

void MainFormTest::TearDown() {
  StopWaitingForMenu();
  for (const std::string& error : shownErrors) ADD_FAILURE() << "error box: " << error;
  historyForm.reset();
  optionForm.reset();
  showColorForm.reset();
  pictureForm.reset();
  form.reset();
  Pump();
}

void MainFormTest::StartMainForm() {
  form = std::make_unique<TMainForm>(history);
  form->Create();
  pictureForm = std::make_unique<TForm_PImage>();
  pictureForm->Create();
  showColorForm = std::make_unique<TForm_ShowColor>();
  showColorForm->Create();
  optionForm = std::make_unique<TForm_Option>(*form);
  optionForm->Create();
  historyForm = std::make_unique<TForm_HistoryColor>(history);
  historyForm->Create();
  form->AttachWindows(*pictureForm, *showColorForm, *optionForm, *historyForm);
  form->Show();
  Pump();
}

void MainFormTest::PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    Pump();
    Sleep(5);
  }
}

namespace {

std::function<void()> pendingModalAction;

void CALLBACK RunModalAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> run = std::move(pendingModalAction);
  if (run) run();
}

}  // namespace

void MainFormTest::WhenMenuShown(std::function<void(HWND popup)> action) {
  StopWaitingForMenu();
  pendingMenuAction = std::move(action);
  menuTimer = SetTimer(nullptr, 0, 50, RunMenuAction);
}

void MainFormTest::WhenModal(std::function<void()> action) {
  pendingModalAction = std::move(action);
  SetTimer(nullptr, 0, 200, RunModalAction);
}

void MainFormTest::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    Application::Dispatch(message);
  }
}

void MainFormTest::Type(HWND control, const std::wstring& characters) {
  for (wchar_t c : characters) SendMessageW(control, WM_CHAR, c, 1);
}

void MainFormTest::HoldKeys(bool control, bool shift) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = control ? 0x80 : 0;
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
}

std::wstring MainFormTest::SettingsText() {
  std::ifstream file(WideToUtf8(SettingsFilePath()).c_str(), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string bytes = text.str();
  // The program writes UTF-16 after a byte-order mark; others may write UTF-8.
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    std::memcpy(wide.data(), bytes.data() + 2, wide.size() * sizeof(wchar_t));
    return wide;
  }
  return Utf8ToWide(bytes);
}

std::wstring MainFormTest::Setting(const std::wstring& section, const std::wstring& key) {
  return ReadSetting(section, key);
}

void MainFormTest::PutSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  WriteSetting(section, key, value);
}

std::wstring MainFormTest::Clipboard() { return GetClipboardText(); }

std::vector<std::string> MainFormTest::ErrorBoxesDuring(const std::function<void()>& action) {
  std::vector<std::string> messages;
  auto& onException = Application::Instance().OnException;
  auto previous = onException;
  onException = [&messages](const std::exception& failure) { messages.push_back(failure.what()); };
  action();
  onException = previous;
  return messages;
}

int MainFormTest::CountShellCalls(DWORD message, UINT id) {
  int count = 0;
  for (const ShellCall& call : shellCalls) count += call.message == message && call.data.uID == id;
  return count;
}

}  // namespace huemira
