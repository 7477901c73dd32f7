// The processor time of a pointer move during a screen pick with the loupe
// open (one read of the 15 x 15 block and one paint), beside a plain loop of
// single-pixel reads. Run under Wine by scripts/bench.sh.
#include <windows.h>

#include <cstdio>

#include "app/loupe.h"
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
  loupe.Follow(POINT{200, 200});
  DeliverMessages();
  const double perMove = MicrosecondsPer(kMoves, [&](int i) {
    loupe.Follow(POINT{200 + i % 300, 200 + (i / 300) % 200});
    DeliverMessages();
  });
  loupe.Close();
  const double perPixel = MicrosecondsPer(kMoves, [](int i) { ScreenColorAt(POINT{200 + i % 300, 200}); });
  std::printf("pick: a pointer move with the loupe open   %8.1f us of processor time\n", perMove);
  std::printf("pick: one GetPixel read of the screen      %8.1f us\n", perPixel);
  std::printf("pick: the loupe's block by 225 GetPixel    %8.1f us (for comparison)\n", perPixel * 225);
  return 0;
}
