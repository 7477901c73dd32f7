#include "app/wrapped_lines.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

TEST(JoinWrappedLines, JoinsTheLinesOfAWrappedParagraphAndKeepsShortOnes) {
  EXPECT_EQ(JoinWrappedLines(L"The authors make NO WARRANTY or representation, either express or implied,\n"
                             L"with respect to this software, its quality, accuracy, merchantability, or\n"
                             L"fitness for a particular purpose.\n"
                             L"\n"
                             L"In legalese:\n"
                             L"Short line\n"
                             L"  Jean-loup Gailly        Mark Adler\n"
                             L"  jloup@gzip.org          madler@alumni.caltech.edu"),
            L"The authors make NO WARRANTY or representation, either express or implied, with respect to this "
            L"software, its quality, accuracy, merchantability, or fitness for a particular purpose.\n"
            L"\n"
            L"In legalese:\n"
            L"Short line\n"
            L"  Jean-loup Gailly        Mark Adler\n"
            L"  jloup@gzip.org          madler@alumni.caltech.edu");
}

TEST(JoinWrappedLines, ItemsCopyrightLinesAndRulesKeepTheirOwnLines) {
  const std::wstring wrapped =
      L"software (or portions thereof) for any purpose, without fee, subject to these\n"
      L"(1) If any part of the source code for this software is distributed, then this\n"
      L"    README file must be included.\n"
      L"in advertising or publicity relating to this software or products derived from\n"
      L"it.  This software may be referred to only as the IJG's software.\n"
      L" 2. Altered source versions must be plainly marked as such, and must\n"
      L"- Redistributions of source code must retain the above copyright notice,\n"
      L" * Copyright (c) 2000-2002, 2004, 2006-2018 Glenn Randers-Pehrson and others.\n"
      L"Copyright (C)2009-2023 D. R. Commander.  All Rights Reserved of the authors.\n"
      L"Copyright (C)2015 Viktor Szathmáry.  All Rights Reserved.\n"
      L"========================================================================\n"
      L"zlib 1.2.13\n"
      L"· 热键 Ctrl+B: 在任何程序中显示或隐藏主窗口；这一行长得足以是被折过的行，但下一行以圆点开始，是新的一项。\n"
      L"· 历史颜色库";
  EXPECT_EQ(JoinWrappedLines(wrapped),
            L"software (or portions thereof) for any purpose, without fee, subject to these\n"
            L"(1) If any part of the source code for this software is distributed, then this README file must be "
            L"included.\n"
            L"in advertising or publicity relating to this software or products derived from it.  This software may "
            L"be referred to only as the IJG's software.\n"
            L" 2. Altered source versions must be plainly marked as such, and must\n"
            L"- Redistributions of source code must retain the above copyright notice,\n"
            L" * Copyright (c) 2000-2002, 2004, 2006-2018 Glenn Randers-Pehrson and others.\n"
            L"Copyright (C)2009-2023 D. R. Commander.  All Rights Reserved of the authors.\n"
            L"Copyright (C)2015 Viktor Szathmáry.  All Rights Reserved.\n"
            L"========================================================================\n"
            L"zlib 1.2.13\n"
            L"· 热键 Ctrl+B: 在任何程序中显示或隐藏主窗口；这一行长得足以是被折过的行，但下一行以圆点开始，是新的一项。\n"
            L"· 历史颜色库");
}

TEST(JoinWrappedLines, EveryShapeOfItemMarkStartsALineAndWordsThatLookLikeOneDoNot) {
  const std::wstring longLine = L"a line that is long enough to have been wrapped at its own margin";
  for (const wchar_t* item : {L"a) letter", L"(ii) roman", L"(B2) mixed", L"12) number", L"* star"})
    EXPECT_EQ(JoinWrappedLines(longLine + L"\n" + item), longLine + L"\n" + item) << item;
  for (const wchar_t* word : {L"it. is", L"123. three digits", L"(abcd) four", L"ab) two letters", L"1.no blank"})
    EXPECT_EQ(JoinWrappedLines(longLine + L"\n" + word), longLine + L" " + word) << word;
}

TEST(JoinWrappedLines, ReadsWindowsLineEndingsAndKeepsATrailingLineBreak) {
  EXPECT_EQ(JoinWrappedLines(L"a line that is long enough to have been wrapped at its margin\r\nby the writer\r\n"),
            L"a line that is long enough to have been wrapped at its margin by the writer\n");
  EXPECT_EQ(JoinWrappedLines(L""), L"");
}

}  // namespace
}  // namespace huemira
