// printf-style message texts ("Frame %d does not exist").
#pragma once

#include <string>

namespace huemira {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string FormatText(const char* format, ...);

}  // namespace huemira
