#include "app/hotkey_text.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

TEST(HotkeyText, ReadsWhatItWrites) {
  EXPECT_EQ(ParseHotkey(L"Ctrl+B"), kDefaultShowHideHotkey);
  EXPECT_EQ(ParseHotkey(L"Ctrl+Alt+C"), kDefaultPickHotkey);
  EXPECT_EQ(HotkeyText(kDefaultPickHotkey), L"Ctrl+Alt+C");
  for (const wchar_t* text : {L"Ctrl+Alt+Shift+Win+Z", L"Alt+F1", L"Shift+Win+F24", L"Ctrl+7"})
    EXPECT_EQ(HotkeyText(*ParseHotkey(text)), text);
  // Any order and case in, the one spelling out.
  EXPECT_EQ(HotkeyText(*ParseHotkey(L" alt + CTRL + c ")), L"Ctrl+Alt+C");
  EXPECT_EQ(ParseHotkey(L"Ctrl+f12")->key, 0x7Bu);
}

TEST(HotkeyText, RefusesWhatWouldTakeTypingOrIsUnknown) {
  for (const wchar_t* text : {L"", L"C", L"Shift+C", L"Ctrl+", L"+C", L"Ctrl+Ctrl+C", L"Ctrl+Meta+C", L"Ctrl+CC",
                              L"Ctrl+F0", L"Ctrl+F25", L"Ctrl+F999999999999", L"Ctrl+é", L"Ctrl+Alt"})
    EXPECT_FALSE(ParseHotkey(text)) << testing::PrintToString(std::wstring(text));
}

}  // namespace
}  // namespace huemira
