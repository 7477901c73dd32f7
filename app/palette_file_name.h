// The names of the palette files: a palette's name made safe as a Windows
// file name, and names made unique among those already taken.
#pragma once

#include <functional>
#include <string>

namespace huemira {

// The name with every character a file name cannot hold (< > : " / \ | ?
// * and control characters) replaced by "_", without the trailing dots and
// blanks Windows would drop, cut to a length that leaves room in a path,
// and never a device name (CON, NUL, COM1...), which gets a "_" in front.
// "调色板" for a name that leaves nothing.
std::wstring SafeFileStem(const std::wstring& name);

// wanted when it is free, else "wanted 2", "wanted 3"... the first that is.
std::wstring UniqueName(const std::wstring& wanted, const std::function<bool(const std::wstring& name)>& taken);

// Whether two file names name one file: Windows compares them without
// regard to case (here: the case of Latin letters).
bool SameFileName(const std::wstring& a, const std::wstring& b);

}  // namespace huemira
