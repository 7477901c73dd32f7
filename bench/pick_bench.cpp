// The processor time of a pointer move during a screen pick with the loupe
// open (one read of the block around the pointer, its average and one
// paint) at the smallest and largest sample sizes, beside a plain loop of
// single-pixel reads; and what freezing the whole desktop costs in time and
// memory. Run under Wine by scripts/bench.sh.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>

#include "app/loupe.h"
#include "app/pick_session.h"
#include "app/screen_color.h"
#include "framework/application.h"
#include "framework/dpi.h"

namespace {

// User and kernel time of this process, in microseconds.
double ProcessMicroseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto value = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10.0;
  };
  return value(kernel) + value(user);
}

template <typename Step>
double MicrosecondsPer(int count, Step step) {
  const double before = ProcessMicroseconds();
  for (int i = 0; i < count; ++i) step(i);
  return (ProcessMicroseconds() - before) / count;
}

void DeliverMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int wmain() {
  using namespace huemira;
  DeclareDpiAwareness();
  Application::Instance().Initialize(GetModuleHandleW(nullptr));
  constexpr int kMoves = 2000;
  Loupe loupe;
  ScreenPixels pixels;
  const auto moves = [&](int sampleSize) {
    loupe.Follow(POINT{200, 200}, pixels, sampleSize);
    DeliverMessages();
    return MicrosecondsPer(kMoves, [&](int i) {
      loupe.Follow(POINT{200 + i % 300, 200 + (i / 300) % 200}, pixels, sampleSize);
      DeliverMessages();
    });
  };
  const double perMove = moves(1);
  const double perLargestMove = moves(kLargestSampleSize);
  // Through the display's profile (Wine gives every display its sRGB
  // profile, a real transform all the same), its transform built first.
  DisplayProfiles profiles;
  const auto started = std::chrono::steady_clock::now();
  profiles.ToSrgb(POINT{200, 200}, 0);
  const double buildMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  // The look at DXGI for HDR runs once on a thread of its own; its
  // processor time is not a move's.
  profiles.Hdr(POINT{200, 200});
  Sleep(3000);
  loupe.SetConversion([&](POINT at, TColor display) { return LoupeConversion(&profiles, true, at, display); });
  const double perProfiledMove = moves(1);
  loupe.SetConversion(nullptr);
  loupe.Close();
  const double perPixel = MicrosecondsPer(kMoves, [](int i) { ScreenColorAt(POINT{200 + i % 300, 200}); });

  PROCESS_MEMORY_COUNTERS before{sizeof(before)};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
  const auto start = std::chrono::steady_clock::now();
  const bool frozen = pixels.Freeze();
  const double freezeMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  PROCESS_MEMORY_COUNTERS after{sizeof(after)};
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
  const double desktopMiB = GetSystemMetrics(SM_CXVIRTUALSCREEN) * 4.0 * GetSystemMetrics(SM_CYVIRTUALSCREEN) / 1048576;

  std::printf("pick: a pointer move with the loupe open   %8.1f us of processor time\n", perMove);
  std::printf("pick: the same, averaging %d x %d         %8.1f us (target: at most 1000)\n", kLargestSampleSize,
              kLargestSampleSize, perLargestMove);
  std::printf("pick: the same through the display's profile %8.1f us (target: at most 100 more than without)\n",
              perProfiledMove);
  std::printf("pick: finding and building that transform  %8.1f ms (target: at most 20)\n", buildMs);
  std::printf("pick: one GetPixel read of the screen      %8.1f us\n", perPixel);
  std::printf("pick: the loupe's block by 225 GetPixel    %8.1f us (for comparison)\n", perPixel * 225);
  std::printf("pick: freezing the desktop (%d x %d)     %8.1f ms (target: at most 60)%s\n",
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), freezeMs,
              frozen ? "" : " FAILED");
  std::printf("pick: memory the snapshot took             %8.1f MiB (one 32-bit copy: %.1f MiB)\n",
              (static_cast<double>(after.PagefileUsage) - static_cast<double>(before.PagefileUsage)) / 1048576,
              desktopMiB);
  return 0;
}
