// How a libpng warning reaches the user: a message box captioned "PNG Error"
// on Windows, standard error elsewhere. Never throws (it runs inside libpng).
#pragma once

#include <string>

namespace huemira {

void ShowPngWarning(const std::string& text) noexcept;

}  // namespace huemira
