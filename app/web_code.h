// The web colour code as the program shows and copies it: formatted with the
// prefix and suffix read from the settings file at every call.
#pragma once

#include <string>

#include "color/web_color.h"
#include "framework/system_color.h"

namespace huemira {

// prefix (LSign) + six upper-case digits + suffix (RSign); never fails.
std::wstring ColorToWebCode(TColor color);
// The prefix and suffix around six zeros: what an emptied code box shows.
std::wstring BlackWebCode();
// The one way text reaches the clipboard; throws "Cannot open clipboard".
void CopyToClipboard(const std::wstring& text);

}  // namespace huemira
