#include "color/web_color.h"

#include <gtest/gtest.h>

#include "framework/exception.h"

namespace huemira {
namespace {

TEST(WebColor, MakeColorKeepsTheLowByteOfEachComponent) {
  EXPECT_EQ(MakeColor(255, 88, 88), 5789951u);
  EXPECT_EQ(MakeColor(300, 0, 0), 44u);
  EXPECT_EQ(MakeColor(0, 0, 256 + 7), 0x070000u);
}

TEST(WebColor, ImagingPixelValuesConvertByName) {
  EXPECT_EQ(ColorFromRgb(0x123456), MakeColor(0x12, 0x34, 0x56));
  EXPECT_EQ(RgbFromColor(MakeColor(0x12, 0x34, 0x56)), 0x123456u);
  EXPECT_EQ(RedOf(ColorFromRgb(MakeRgb(200, 100, 50))), 200);
}

TEST(WebColor, SixDigitFormIsRedFirstUpperCaseWithLeadingZeros) {
  EXPECT_EQ(SixDigitForm(MakeColor(255, 88, 88)), L"FF5858");
  EXPECT_EQ(SixDigitForm(0), L"000000");
  EXPECT_EQ(SixDigitForm(MakeColor(0, 128, 64)), L"008040");
  EXPECT_EQ(SixDigitForm(0xFFFFFF), L"FFFFFF");
  EXPECT_EQ(FormatWebCode(0xFFFFFF, L"#", L";"), L"#FFFFFF;");
}

struct CodeExample {
  const wchar_t* text;
  TColor color;
};

class WebCodeToColorExamples : public ::testing::TestWithParam<CodeExample> {};

TEST_P(WebCodeToColorExamples, ReadsTheCodeAsTheTableGivesIt) {
  EXPECT_EQ(WebCodeToColor(GetParam().text), GetParam().color) << std::wstring(GetParam().text).size();
}

INSTANTIATE_TEST_SUITE_P(Table, WebCodeToColorExamples,
                         ::testing::Values(CodeExample{L"ff5858", MakeColor(0xFF, 0x58, 0x58)},
                                           CodeExample{L"#FF5858", MakeColor(0xFF, 0x58, 0x58)},
                                           CodeExample{L"#ff5858;", MakeColor(0xFF, 0x58, 0x58)},
                                           CodeExample{L"ff58", MakeColor(0xFF, 0x58, 0x00)},
                                           CodeExample{L"ff585", MakeColor(0xFF, 0x58, 0x05)},
                                           CodeExample{L"", 0}, CodeExample{L"#", 0},
                                           CodeExample{L"#00ff00", MakeColor(0, 255, 0)},
                                           CodeExample{L"f", 0x0F}, CodeExample{L"ff5858zzzz", 0x5858FF}));

TEST(WebCodeToColor, RefusesAnyOtherPrefixOrNonHexDigit) {
  EXPECT_THROW(WebCodeToColor(L"0x1234"), EConvertError);
  EXPECT_THROW(WebCodeToColor(L"zz"), EConvertError);
  EXPECT_THROW(WebCodeToColor(L"ff 858"), EConvertError);
  EXPECT_THROW(WebCodeToColor(L"##ff5858"), EConvertError);
  EXPECT_THROW(WebCodeToColor(L"-f5858"), EConvertError);
}

TEST(WebCodeToColor, RoundTripsEverySixDigitForm) {
  for (TColor color : {0x000000u, 0xFFFFFFu, 0x123456u, 0xABCDEFu, 0x5858FFu})
    EXPECT_EQ(WebCodeToColor(SixDigitForm(color)), color);
}

TEST(CodeBoxKeyFilter, PassesBackspaceDigitsAndHexLettersOnly) {
  for (wchar_t key : std::wstring(L"0123456789abcdefABCDEF\b")) EXPECT_TRUE(IsCodeBoxKey(key)) << int(key);
  // Letters past F, the prefix characters, and the control characters of
  // copy (3), paste (22), cut (24) and select-all (1).
  for (wchar_t key : std::wstring(L"gGzZ#x ;\r\t\x1b\x03\x16\x18\x01")) EXPECT_FALSE(IsCodeBoxKey(key)) << int(key);
}

TEST(DigitKeyFilter, DigitsPassAndAFullFieldIsEmptiedFirst) {
  bool clear = true;
  EXPECT_EQ(FilterDigitKey(L'7', 2, clear), L'7');
  EXPECT_FALSE(clear);
  EXPECT_EQ(FilterDigitKey(L'7', 3, clear), L'7');
  EXPECT_TRUE(clear);
  // A letter in a full field empties it and is itself discarded.
  EXPECT_EQ(FilterDigitKey(L'a', 3, clear), 0);
  EXPECT_TRUE(clear);
  EXPECT_EQ(FilterDigitKey(L'a', 1, clear), 0);
  EXPECT_FALSE(clear);
  // Backspace always passes and never empties the field.
  EXPECT_EQ(FilterDigitKey(L'\b', 3, clear), L'\b');
  EXPECT_FALSE(clear);
}

TEST(StrToInt, ReadsPlainDecimalAndRefusesTheRest) {
  EXPECT_EQ(StrToInt(L"0"), 0);
  EXPECT_EQ(StrToInt(L"255"), 255);
  EXPECT_EQ(StrToInt(L"-12"), -12);
  EXPECT_EQ(StrToInt(L"+12"), 12);
  EXPECT_EQ(StrToInt(L"2147483647"), 2147483647);
  EXPECT_EQ(StrToInt(L"-2147483648"), -2147483647 - 1);
  for (const wchar_t* bad : {L"", L"-", L"12a", L" 1", L"2147483648", L"99999999999999999999"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << std::wstring(bad).size();
}

}  // namespace
}  // namespace huemira
