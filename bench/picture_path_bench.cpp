// picture-path-bench FILE [MOVES]
// picture-path-bench FILE --convert-only
// picture-path-bench FILE --preview
//
// The user's path from a drop to the picture window, on the real windows:
// the main window receives a drop handle for FILE as the shell hands it over,
// converts the picture, and shows the picture window; the time runs until
// that window and its picture have painted. Then MOVES pointer moves
// (default 300) cross the picture, each previewed and painted.
//
// Prints one line of figures for scripts/bench-picture-path.sh:
//   path_ms=... peak_working_set_mb=... peak_private_mb=... bitmap_mb=... move_cpu_ms=...
// bitmap_mb is the picture's 24-bit bitmap, the measure for the memory target.
// With --convert-only it does what huemira-convert does, in this process,
// and prints convert_ms=...: the same work timed the same way, without the
// start of a Wine process.
// With --preview it prints preview_ms=...: the open dialog's path from a
// selection to the preview drawn: the worker's reading and reduction, then
// the window thread's drawing.
// Exit status 1 when the picture window did not show.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/picture_preview.h"
#include "app/program_windows.h"
#include "app/temporary_bitmap.h"
#include "imaging/dib/bmp_conversion.h"
#include "imaging/register_formats.h"

namespace {

using namespace huemira;

// A drop handle as the shell makes it: DROPFILES followed by wide names.
HDROP MakeDrop(const std::wstring& file) {
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::copy(file.begin(), file.end(), reinterpret_cast<wchar_t*>(drop + 1));
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

void PaintNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

double ProcessCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](FILETIME time) { return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double Megabytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main() {
  // Wide arguments, so that a picture named in any language is found.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) {
    std::fputs("usage: picture-path-bench FILE [MOVES]\n", stderr);
    return 2;
  }
  wchar_t full[MAX_PATH * 4];
  const std::wstring file(full, GetFullPathNameW(argv[1], MAX_PATH * 4, full, nullptr));
  if (argc > 2 && std::wstring(argv[2]) == L"--convert-only") {
    RegisterImagingFormats();
    const auto start = std::chrono::steady_clock::now();
    ConvertToBmp(file, TemporaryBitmapPath());
    const double convertMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    DeleteTemporaryBitmap();
    std::printf("convert_ms=%.0f\n", convertMs);
    return 0;
  }
  if (argc > 2 && std::wstring(argv[2]) == L"--preview") {
    RegisterImagingFormats();
    const SIZE area{200, 200};
    const auto start = std::chrono::steady_clock::now();
    // What the dialog's worker does, then what its window thread does.
    const std::optional<PicturePreview> preview = RenderPicturePreview(file, area, [] { return true; });
    if (preview && preview->bitmap) {
      HDC screen = GetDC(nullptr);
      UniqueMemoryDc source(CreateCompatibleDC(screen));
      SelectedObject selected(source.get(), preview->bitmap.get());
      BitBlt(screen, 0, 0, preview->bitmapSize.cx, preview->bitmapSize.cy, source.get(), 0, 0, SRCCOPY);
      GdiFlush();
      ReleaseDC(nullptr, screen);
    }
    const double previewMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("preview_ms=%.0f\n", previewMs);
    return preview && preview->bitmap ? 0 : 1;
  }
  const int moves = argc > 2 ? std::max(1, _wtoi(argv[2])) : 300;

  InitializeProgram(GetModuleHandleW(nullptr));
  ProgramWindows windows;
  TMainForm& mainForm = windows.mainForm;
  TForm_PImage& pictureForm = windows.pictureForm;
  mainForm.Show();
  PaintNow(mainForm.Handle());

  const auto start = std::chrono::steady_clock::now();
  SendMessageW(mainForm.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(file)), 0);
  if (!pictureForm.Visible()) {
    std::fputs("picture-path-bench: the picture window did not show\n", stderr);
    return 1;
  }
  PaintNow(pictureForm.Handle());
  GdiFlush();
  const double pathMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  // Moves along a diagonal of the visible picture, as a hand crosses it. The
  // window reads the pointer's place, so the bench puts the pointer there
  // first; that cost is the system's, not the program's, and is taken off.
  RECT shown;
  GetClientRect(pictureForm.Image_PColor.Handle(), &shown);
  const auto pointAt = [&shown](int i) {
    return POINT{static_cast<int>(shown.right * (i % 100 + 0.5) / 100),
                 static_cast<int>(shown.bottom * (i % 100 + 0.5) / 100)};
  };
  const auto placePointer = [&pictureForm](POINT client) {
    ClientToScreen(pictureForm.Image_PColor.Handle(), &client);
    SetCursorPos(client.x, client.y);
  };
  double before = ProcessCpuMilliseconds();
  for (int i = 0; i < moves; ++i) placePointer(pointAt(i));
  const double pointerPlacingMs = ProcessCpuMilliseconds() - before;
  before = ProcessCpuMilliseconds();
  for (int i = 0; i < moves; ++i) {
    const POINT at = pointAt(i);
    placePointer(at);
    SendMessageW(pictureForm.Image_PColor.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    PaintNow(pictureForm.Handle());
  }
  GdiFlush();
  const double moveCpuMs = std::max(0.0, ProcessCpuMilliseconds() - before - pointerPlacingMs) / moves;

  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
  const SIZE picture = pictureForm.Image_PColor.PictureSize();
  const std::size_t bitmapBytes = static_cast<std::size_t>((picture.cx * 3 + 3) & ~3) * picture.cy;
  std::printf("path_ms=%.0f peak_working_set_mb=%.1f peak_private_mb=%.1f bitmap_mb=%.1f move_cpu_ms=%.3f\n", pathMs,
              Megabytes(memory.PeakWorkingSetSize), Megabytes(memory.PeakPagefileUsage), Megabytes(bitmapBytes),
              moveCpuMs);
  // The temporary bitmap goes as on closing the program.
  mainForm.Close();
  return 0;
}
