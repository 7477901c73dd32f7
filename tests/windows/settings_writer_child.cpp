// Rewrites a settings file as fast as it can until it is killed: every
// round sets the 88 history keys to one number of that round. Started by
// the settings file's test, which kills it at random moments.
//   settings_writer_child FILE EVENT
// EVENT is set once the first round is written.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/profile.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const HANDLE started = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  for (unsigned round = 1;; ++round) {
    wchar_t value[16];
    std::swprintf(value, std::size(value), L"%06X", round & 0xFFFFFF);
    std::vector<huemira::ProfileEntry> entries;
    for (int slot = 1; slot <= 88; ++slot) entries.push_back({L"HistoryColor", L"HC" + std::to_wstring(slot), value});
    if (!huemira::ProfileWrite(argv[1], entries)) return 1;
    if (round == 1 && started) SetEvent(started);
  }
}
