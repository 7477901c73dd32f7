#include "app/palette_file_name.h"

#include <gtest/gtest.h>

#include <set>

namespace huemira {
namespace {

TEST(PaletteFileName, CharactersAFileNameCannotHoldBecomeUnderscores) {
  EXPECT_EQ(SafeFileStem(L"品牌 Brand"), L"品牌 Brand");
  EXPECT_EQ(SafeFileStem(L"a<b>c:d\"e/f\\g|h?i*j"), L"a_b_c_d_e_f_g_h_i_j");
  EXPECT_EQ(SafeFileStem(L"tab\there\x1F"), L"tab_here_");
  EXPECT_EQ(SafeFileStem(L"ends with dots. . "), L"ends with dots") << "Windows would drop them";
  EXPECT_EQ(SafeFileStem(L"... "), L"调色板");
  EXPECT_EQ(SafeFileStem(L""), L"调色板");
}

TEST(PaletteFileName, DeviceNamesGetAnUnderscoreInFront) {
  for (const wchar_t* device : {L"CON", L"con", L"Nul", L"aux", L"PRN", L"COM1", L"lpt9", L"COM\u00B9"})
    EXPECT_EQ(SafeFileStem(device), std::wstring(L"_") + device);
  EXPECT_EQ(SafeFileStem(L"con.backup"), L"_con.backup") << "the part before the first dot counts";
  EXPECT_EQ(SafeFileStem(L"nul .x"), L"_nul .x");
  EXPECT_EQ(SafeFileStem(L"CONSOLE"), L"CONSOLE");
  EXPECT_EQ(SafeFileStem(L"COM10"), L"COM10");
}

TEST(PaletteFileName, ALongNameIsCutWithoutSplittingACharacter) {
  EXPECT_EQ(SafeFileStem(std::wstring(200, L'a')).size(), 80u);
  // 79 letters, then a character outside the basic plane (two UTF-16 units).
  std::wstring name(79, L'a');
  name += std::wstring{static_cast<wchar_t>(0xD83C), static_cast<wchar_t>(0xDFA8)};
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(SafeFileStem(name), std::wstring(79, L'a'));
  }
}

TEST(PaletteFileName, UniqueNamesCountOnFromTwo) {
  std::set<std::wstring> taken;
  const auto isTaken = [&](const std::wstring& name) { return taken.count(name) > 0; };
  EXPECT_EQ(UniqueName(L"我的调色板", isTaken), L"我的调色板");
  taken = {L"我的调色板", L"我的调色板 2"};
  EXPECT_EQ(UniqueName(L"我的调色板", isTaken), L"我的调色板 3");
}

TEST(PaletteFileName, FileNamesCompareWithoutCase) {
  EXPECT_TRUE(SameFileName(L"Brand.gpl", L"bRAND.GPL"));
  EXPECT_FALSE(SameFileName(L"Brand.gpl", L"Brand 2.gpl"));
  EXPECT_TRUE(SameFileName(L"品牌.gpl", L"品牌.GPL"));
}

}  // namespace
}  // namespace huemira
