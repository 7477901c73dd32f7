#include <cstdio>

#include "imaging/libreaders/png_warning.h"

namespace huemira {

void ShowPngWarning(const std::string& text) noexcept { std::fprintf(stderr, "PNG Error: %s\n", text.c_str()); }

}  // namespace huemira
