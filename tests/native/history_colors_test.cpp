#include "app/history_colors.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace huemira {
namespace {

TEST(HistoryColors, StartsWithTheDefaults) {
  HistoryColors history;
  const TColor expected[] = {0x5858FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8000, 0x4080FF, 0xFF0080, 0x408000};
  for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(history.Slot(slot), expected[slot - 1]) << slot;
  for (int slot = 9; slot <= 88; ++slot) EXPECT_EQ(history.Slot(slot), 0x5858FFu) << slot;
}

TEST(HistoryColors, PushShiftsAcrossBothWindowsAndDropsTheOldest) {
  HistoryColors history;
  for (int slot = 1; slot <= 88; ++slot) history.SetSlot(slot, static_cast<TColor>(slot));
  std::vector<int> changed;
  history.AddListener([&](int slot) { changed.push_back(slot); });
  history.Push(0xABCDEF);
  EXPECT_EQ(history.Slot(1), 0xABCDEFu);
  EXPECT_EQ(history.Slot(2), 1u);
  EXPECT_EQ(history.Slot(9), 8u);  // old slot 8 is now the history window's first swatch
  EXPECT_EQ(history.Slot(88), 87u);
  // Every swatch hears of its change, oldest end first.
  ASSERT_EQ(changed.size(), 88u);
  EXPECT_EQ(changed.front(), 88);
  EXPECT_EQ(changed.back(), 1);
}

TEST(HistoryColors, PushKeepsDuplicatesWhereTheyStand) {
  HistoryColors history;
  history.Push(0x123456);
  history.Push(0x123456);
  EXPECT_EQ(history.Slot(1), 0x123456u);
  EXPECT_EQ(history.Slot(2), 0x123456u);
}

TEST(HistoryColors, LoadUsesDefaultsForEmptyValuesAndAcceptsHashAndLowerCase) {
  HistoryColors history;
  std::map<std::wstring, std::wstring> file{{L"HC9", L"#80ff80"}, {L"HC10", L""}};
  history.Load(9, 88, [&](const std::wstring& key) { return file[key]; });
  EXPECT_EQ(SixDigitForm(history.Slot(9)), L"80FF80");
  EXPECT_EQ(SixDigitForm(history.Slot(10)), L"FF5858");
}

TEST(HistoryColors, ABadValueDefaultsOnlyItsOwnSlot) {
  for (int bad : {3, 40}) {
    HistoryColors history;
    const int first = bad <= 8 ? 2 : 9;
    const int last = bad <= 8 ? 8 : 88;
    history.Load(first, last, [&](const std::wstring& key) {
      return key == HistoryColors::Key(bad) ? std::wstring(L"zz0000") : std::wstring(L"010203");
    });
    for (int slot = first; slot <= last; ++slot)
      EXPECT_EQ(SixDigitForm(history.Slot(slot)), slot == bad ? HistoryColors::DefaultCode(slot) : L"010203") << slot;
  }
}

}  // namespace
}  // namespace huemira
