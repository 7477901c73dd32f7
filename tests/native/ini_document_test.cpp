#include "framework/ini_document.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

TEST(IniDocument, ChangesOnlyTheKeyAndKeepsEverythingElse) {
  IniDocument document(
      L"; written by hand\n[Other]\nmine = 1\n\n[historycolor]\nHC1=FF5858\nhc2 = 00FF00\nExtra=x\n\n[Main]\nLowerOrUpper=lower");
  document.Set(L"HistoryColor", L"HC2", L"123456");
  document.Set(L"HistoryColor", L"HC3", L"ABCDEF");
  document.Set(L"QeltColor", L"LSign", L"#");
  EXPECT_EQ(document.Text(),
            L"; written by hand\r\n[Other]\r\nmine = 1\r\n\r\n[historycolor]\r\nHC1=FF5858\r\nHC2=123456\r\nExtra=x\r\n"
            L"HC3=ABCDEF\r\n\r\n[Main]\r\nLowerOrUpper=lower\r\n[QeltColor]\r\nLSign=#\r\n");
}

TEST(IniDocument, ReadsEveryLineEnding) {
  IniDocument document(L"[A]\r\na=1\rb=2\nc=3");
  document.Set(L"a", L"B", L"two");
  EXPECT_EQ(document.Text(), L"[A]\r\na=1\r\nB=two\r\nc=3\r\n");
  IniDocument empty(L"");
  empty.Set(L"Main", L"LowerOrUpper", L"lower");
  EXPECT_EQ(empty.Text(), L"[Main]\r\nLowerOrUpper=lower\r\n");
}

// The profile functions drop blanks around a value and one pair of
// enclosing quotes; this reads a stored value back the same way.
std::wstring ReadBack(std::wstring stored) {
  const auto first = stored.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  stored = stored.substr(first, stored.find_last_not_of(L" \t") - first + 1);
  if (stored.size() >= 2 && (stored.front() == L'"' || stored.front() == L'\'') && stored.back() == stored.front())
    stored = stored.substr(1, stored.size() - 2);
  return stored;
}

TEST(IniDocument, AnyTypedValueReadsBackExactly) {
  for (const std::wstring value : {L"", L"#", L" ", L"  0x ", L"\"", L"\"a\"", L"'a'", L"'", L"a=b", L"\"a", L"颜色:",
                                   L"\t[", L"' mixed \""}) {
    EXPECT_EQ(ReadBack(StoredIniValue(value)), value) << "[" << value.size() << "]";
  }
  EXPECT_EQ(StoredIniValue(L"first\r\nsecond"), L"first") << "a line break cannot be stored";
}

}  // namespace
}  // namespace huemira
