// Reading pictures off the window thread: the open dialog's previews come
// from workers and never hold the dialog up, and opening a picture can be
// cancelled while the program goes on answering.
#include <windows.h>

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/conversion_progress.h"
#include "app/picture_preview.h"
#include "app/temporary_bitmap.h"
#include "framework/application.h"
#include "framework/handles.h"
#include "framework/open_picture_dialog.h"
#include "framework/stream.h"
#include "imaging/dib/picture_formats.h"
#include "window_test_support.h"

namespace huemira {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A generous bound: the work that used to happen inside these calls took
// seconds; what is left of them takes a few milliseconds.
constexpr auto kAnswerLimit = 100ms;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Handles messages until done says so, or a time limit passes.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
  const auto start = Clock::now();
  while (!done()) {
    if (MillisecondsSince(start) > limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) Application::Dispatch(message);
    }
  }
  return true;
}

// The longest of a few SendMessage round trips to window from another thread,
// while this thread handles messages as the program's loop does.
double SlowestRoundTripMs(HWND window) {
  std::atomic<double> slowest{0};
  std::atomic<bool> finished{false};
  std::thread asker([&] {
    for (int i = 0; i < 5; ++i) {
      const auto start = Clock::now();
      SendMessageW(window, WM_NULL, 0, 0);
      slowest = std::max(slowest.load(), MillisecondsSince(start));
      std::this_thread::sleep_for(20ms);
    }
    finished = true;
  });
  PumpUntil([&] { return finished.load(); });
  asker.join();
  return slowest;
}

void WritePicture(const fs::path& path, int width, int height) {
  TDibGraphic picture;
  picture.NewImage(width, height, TDibFormat::ifColorRgb24, nullptr, 96, 96);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.SetRgbPixel(x, y, MakeRgb(static_cast<std::uint8_t>(x), 90, 200));
  std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(Utf8Path(path.extension()));
  dynamic_cast<TDibGraphic&>(*graphic).Assign(&picture);
  TFileStream file(path, FileMode::Create);
  graphic->SaveToStream(file);
}

class PictureBackgroundTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    folder = fs::temp_directory_path() / L"huemira-background-test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    DeleteTemporaryBitmap();
    StartMainForm();
  }
  void TearDown() override {
    MainFormTest::TearDown();
    // The dialog opens in the current folder, which the folder must not stay.
    SetCurrentDirectoryW(fs::temp_directory_path().c_str());
    fs::remove_all(folder);
  }
  fs::path folder;
};

// The open dialog run by the test: selecting a file as the system's list
// does, and reading the size label beneath the preview.
class DialogDriver {
 public:
  explicit DialogDriver(const std::wstring& title) {
    box = FindWindowW(L"#32770", title.c_str());
    hook = FindWindowExW(box, nullptr, L"#32770", nullptr);
  }
  // Names a file of the dialog's folder in the file name field and tells the
  // hook that the selection changed; returns how long that took.
  double Select(const std::wstring& file) {
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(file.c_str()));
    OFNOTIFYW notify{};
    notify.hdr = {box, 0, static_cast<UINT>(CDN_SELCHANGE)};
    const auto start = Clock::now();
    SendMessageW(hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    return MillisecondsSince(start);
  }
  std::wstring SizeLabel() const {
    wchar_t text[64] = {};
    GetDlgItemTextW(hook, 1001, text, 64);
    return text;
  }
  HWND box = nullptr;
  HWND hook = nullptr;
};

// A renderer whose files named "slow..." take as long as the test keeps its
// door shut; every other file is 7 x 9 at once. It counts what it renders.
struct FakeRenderer {
  UniqueHandle door{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<int> renders{0};

  PreviewRenderer Renderer() {
    return [this](const std::wstring& file, SIZE, const std::function<bool()>&) -> std::optional<PicturePreview> {
      ++renders;
      if (fs::path(file).filename().wstring().starts_with(L"slow")) {
        WaitForSingleObject(door.get(), 30000);
        return PicturePreview{.pictureSize = {1, 1}};
      }
      return PicturePreview{.pictureSize = {7, 9}};
    };
  }
};

TEST_F(PictureBackgroundTest, ASlowPreviewNeverHoldsUpTheDialogAndTheNewestSelectionShows) {
  for (const wchar_t* name : {L"slow.png", L"slow2.png", L"quick.png"}) TFileStream(folder / name, FileMode::Create);
  // Lives past the test: a worker may still hold its renderer.
  static FakeRenderer fake;
  OpenPictureDialog dialog;
  dialog.Title = L"slow preview";
  dialog.Filter = L"Pictures|*.png";
  dialog.RenderPreview = fake.Renderer();
  SetCurrentDirectoryW(folder.c_str());
  double selectMs = -1, roundTripMs = -1, afterSlowEnded = -1;
  std::wstring newest, afterDoorOpened;
  Clock::time_point closing;
  WhenModal([&] {
    DialogDriver driver(L"slow preview");
    ASSERT_NE(driver.hook, nullptr);
    selectMs = driver.Select(L"slow.png");
    roundTripMs = SlowestRoundTripMs(driver.box);
    // A newer selection shows while the slow file is still being read.
    driver.Select(L"quick.png");
    PumpUntil([&] { return driver.SizeLabel() == L"7 × 9"; }, 5000);
    newest = driver.SizeLabel();
    SetEvent(fake.door.get());
    PumpUntil([] { return false; }, 200);
    afterDoorOpened = driver.SizeLabel();
    // Closing while a slow file is read: the dialog goes at once.
    ResetEvent(fake.door.get());
    driver.Select(L"slow2.png");
    closing = Clock::now();
    PostMessageW(driver.box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(dialog.Execute(form->Handle()));
  afterSlowEnded = MillisecondsSince(closing);
  EXPECT_LT(selectMs, kAnswerLimit.count());
  EXPECT_LT(roundTripMs, kAnswerLimit.count());
  EXPECT_EQ(newest, L"7 × 9");
  EXPECT_EQ(afterDoorOpened, L"7 × 9") << "the slow file's late preview replaced the newest";
  EXPECT_LT(afterSlowEnded, 2000);
  // The worker finishes after the dialog is gone and must post nowhere.
  SetEvent(fake.door.get());
  PumpUntil([] { return false; }, 200);
}

TEST_F(PictureBackgroundTest, ArrowingBackToARecentFileShowsItsPreviewWithoutReading) {
  for (const wchar_t* name : {L"a.png", L"b.png"}) TFileStream(folder / name, FileMode::Create);
  static FakeRenderer fake;
  OpenPictureDialog dialog;
  dialog.Title = L"recent previews";
  dialog.Filter = L"Pictures|*.png";
  dialog.RenderPreview = fake.Renderer();
  SetCurrentDirectoryW(folder.c_str());
  int rendersBeforeReturn = -1, rendersAfter = -1;
  std::wstring shownAtOnce;
  WhenModal([&] {
    DialogDriver driver(L"recent previews");
    for (const wchar_t* name : {L"a.png", L"b.png"}) {
      driver.Select(name);
      PumpUntil([&] { return driver.SizeLabel() == L"7 × 9"; }, 5000);
    }
    rendersBeforeReturn = fake.renders;
    driver.Select(L"a.png");
    shownAtOnce = driver.SizeLabel();
    PumpUntil([] { return false; }, 100);
    rendersAfter = fake.renders;
    PostMessageW(driver.box, WM_COMMAND, IDCANCEL, 0);
  });
  dialog.Execute(form->Handle());
  EXPECT_EQ(rendersBeforeReturn, 2);
  EXPECT_EQ(rendersAfter, 2);
  EXPECT_EQ(shownAtOnce, L"7 × 9");
}

// An RLE8 bitmap of nothing but its end code that declares 11585 x 11585
// would cost 128 MiB to decode; the preview shows only its size.
TEST_F(PictureBackgroundTest, APictureOverThePreviewBudgetShowsOnlyItsSize) {
  const fs::path hostile = folder / L"hostile.bmp";
  {
    std::uint8_t bytes[14 + 40 + 2] = {'B', 'M'};
    const auto put32 = [&bytes](int at, std::uint32_t value) {
      for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put32(2, sizeof bytes), put32(10, 14 + 40), put32(14, 40), put32(18, 11585), put32(22, 11585);
    bytes[26] = 1, bytes[28] = 8, put32(30, 1 /* BI_RLE8 */), put32(34, 2);
    bytes[55] = 1;  // 00 01: end of bitmap
    TFileStream(hostile, FileMode::Create).WriteBuffer(bytes, sizeof bytes);
  }
  const auto start = Clock::now();
  const auto preview = RenderPicturePreview(hostile.wstring(), SIZE{200, 150}, [] { return true; });
  EXPECT_LT(MillisecondsSince(start), 500);
  ASSERT_TRUE(preview);
  EXPECT_FALSE(preview->bitmap);
  EXPECT_EQ(preview->pictureSize.cx, 11585);
  EXPECT_EQ(preview->pictureSize.cy, 11585);

  const fs::path small = folder / L"small.png";
  WritePicture(small, 40, 30);
  const auto shown = RenderPicturePreview(small.wstring(), SIZE{200, 150}, [] { return true; });
  ASSERT_TRUE(shown);
  EXPECT_TRUE(shown->bitmap);
  EXPECT_EQ(shown->pictureSize.cx, 40);
  EXPECT_EQ(shown->bitmapSize.cy, 30);
}

bool AnyConversionFileLeft() {
  for (const auto& entry : fs::directory_iterator(TemporaryFolder())) {
    const std::wstring name = entry.path().filename().wstring();
    if (name == L"QeltMake.bmp" || (name.starts_with(L"Qlt") && entry.path().extension() == L".tmp")) return true;
  }
  return false;
}

TEST_F(PictureBackgroundTest, DuringAConversionTheProgramAnswersTakesNoSecondPictureAndCanCancel) {
  const fs::path large = folder / L"large.tga";
  const fs::path second = folder / L"second.png";
  WritePicture(large, 4000, 3000);
  WritePicture(second, 20, 20);
  const auto quiet = ConversionProgress::QuietTime;
  ConversionProgress::QuietTime = 0ms;
  // Another thread waits for the progress window, measures how fast the
  // program answers meanwhile, drops a second picture, and then cancels with
  // Esc.
  std::atomic<double> answerMs{-1};
  std::atomic<bool> secondShown{true};
  std::atomic<bool> pressed{false};
  std::thread user([&] {
    HWND progress = nullptr;
    for (int i = 0; i < 5000 && !progress; ++i) {
      progress = FindWindowW(L"HuemiraProgressForm", nullptr);
      if (!progress) std::this_thread::sleep_for(1ms);
    }
    if (!progress) return;
    // Once the progress window has drawn, the window thread has nothing to
    // do but answer.
    std::this_thread::sleep_for(100ms);
    double slowest = 0;
    for (int i = 0; i < 3; ++i) {
      const auto start = Clock::now();
      SendMessageW(form->Handle(), WM_NULL, 0, 0);
      slowest = std::max(slowest, MillisecondsSince(start));
      std::this_thread::sleep_for(20ms);
    }
    answerMs = slowest;
    // Taken, it would have been converted and shown before the drop returned.
    DropFiles(form->Handle(), {second.wstring()});
    secondShown = pictureForm->Visible();
    // Esc on the focused cancel button, as the keyboard sends it.
    PostMessageW(FindWindowExW(progress, nullptr, L"Button", nullptr), WM_KEYDOWN, VK_ESCAPE, 1);
    pressed = true;
  });
  DropFiles(form->Handle(), {large.wstring()});
  user.join();
  ConversionProgress::QuietTime = quiet;
  ASSERT_TRUE(pressed) << "no progress window showed";
  EXPECT_GE(answerMs, 0.0);
  EXPECT_LT(answerMs, kAnswerLimit.count());
  EXPECT_FALSE(secondShown);
  EXPECT_FALSE(pictureForm->Visible());
  EXPECT_TRUE(messageBoxes.empty());
  EXPECT_EQ(FindWindowW(L"HuemiraProgressForm", nullptr), nullptr);
  // A reader that could not stop at once still leaves nothing behind.
  EXPECT_TRUE(PumpUntil([] { return !AnyConversionFileLeft(); }, 10000));
}

TEST_F(PictureBackgroundTest, APictureThatReadsShowsEvenWhenItsBitmapCannotBeWritten) {
  const fs::path picture = folder / L"fine.png";
  WritePicture(picture, 64, 48);
  wchar_t saved[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
  SetEnvironmentVariableW(L"TMP", (folder / L"no such folder\\").c_str());
  DropFiles(form->Handle(), {picture.wstring()});
  SetEnvironmentVariableW(L"TMP", saved[0] ? saved : nullptr);
  EXPECT_TRUE(messageBoxes.empty());
  ASSERT_TRUE(pictureForm->Visible());
  EXPECT_EQ(pictureForm->Edit_TempBmpFileName.Text(), L"");
  EXPECT_EQ(pictureForm->Image_PColor.PictureSize().cx, 64);
  EXPECT_EQ(pictureForm->Image_PColor.PixelColor({10, 5}), RGB(10, 90, 200));
  pictureForm->Close();
}

}  // namespace
}  // namespace huemira
