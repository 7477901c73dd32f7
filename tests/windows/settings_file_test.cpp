// The settings file is replaced in one step: a writer killed at any moment
// leaves the old file or the new one, whole, with what others wrote in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "framework/handles.h"
#include "framework/profile.h"

namespace huemira {
namespace {

namespace fs = std::filesystem;

fs::path BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path() / name;
}

// key=value of every line, as the file holds them now.
std::map<std::wstring, std::wstring> Entries(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string raw = bytes.str();
  std::map<std::wstring, std::wstring> entries;
  if (raw.size() < 2 || raw[0] != '\xFF' || raw[1] != '\xFE') return entries;
  std::wstring text((raw.size() - 2) / 2, L'\0');
  std::memcpy(text.data(), raw.data() + 2, text.size() * sizeof(wchar_t));
  std::wistringstream lines(text);
  for (std::wstring line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const auto equals = line.find(L'=');
    if (equals != std::wstring::npos) entries[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return entries;
}

TEST(SettingsFile, AWriterKilledAtAnyMomentLeavesAWholeFile) {
  const fs::path folder = fs::temp_directory_path() / L"huemira-kill-test";
  fs::create_directories(folder);
  const fs::path file = folder / L"QeltColor.ini";
  fs::remove(file);
  ASSERT_TRUE(ProfileWrite(file, {{L"Other", L"mine", L"kept"}}));
  const std::wstring eventName = L"HuemiraKillTest" + std::to_wstring(GetCurrentProcessId());
  const UniqueHandle started(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
  std::wstring command = L"\"" + BesideThisProgram(L"settings_writer_child.exe").wstring() + L"\" \"" +
                         file.wstring() + L"\" " + eventName;
  std::mt19937 random(17);
  std::uniform_int_distribution<DWORD> delay(0, 15);

  for (int run = 0; run < 200; ++run) {
    ResetEvent(started.get());
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    const UniqueHandle child(process.hProcess), thread(process.hThread);
    ASSERT_EQ(WaitForSingleObject(started.get(), 10000), WAIT_OBJECT_0) << "run " << run;
    Sleep(delay(random));
    TerminateProcess(child.get(), 9);
    WaitForSingleObject(child.get(), 10000);

    const auto entries = Entries(file);
    ASSERT_EQ(entries.count(L"mine"), 1u) << "run " << run << ": the other section is gone";
    ASSERT_EQ(entries.at(L"mine"), L"kept");
    const auto first = entries.find(L"HC1");
    ASSERT_NE(first, entries.end()) << "run " << run;
    for (int slot = 2; slot <= 88; ++slot) {
      const auto entry = entries.find(L"HC" + std::to_wstring(slot));
      ASSERT_NE(entry, entries.end()) << "run " << run << ": HC" << slot << " is missing";
      ASSERT_EQ(entry->second, first->second) << "run " << run << ": HC" << slot << " is of another round";
    }
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace huemira
