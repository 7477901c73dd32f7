// The help page's text: Huemira's description, its licence and the notices of
// the libraries it is built on, made at build time from
// app/help_description.txt, LICENSE and THIRD-PARTY-NOTICES.
#pragma once

#include <string>

namespace huemira {

// As the files have it, lines ending in "\n".
extern const wchar_t kHelpSource[];

// The text with each hard-wrapped paragraph on one line, for a box that
// wraps lines to its own width.
std::wstring HelpText();

}  // namespace huemira
