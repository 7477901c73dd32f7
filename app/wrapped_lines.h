// Texts written for a fixed width (licences hard-wrapped near 72 columns)
// shown in a box of another width: the lines of each paragraph are joined,
// so that the box wraps them to its own width instead of breaking them twice.
#pragma once

#include <string>

namespace huemira {

// A line is joined to the one before it when that one is long enough to have
// been wrapped at a margin and neither begins a new item: blank lines, list
// items ("1.", "(2)", "-", "*", "·"), "Copyright" lines and rules ("====")
// keep their own lines, with their indentation.
std::wstring JoinWrappedLines(const std::wstring& text);

}  // namespace huemira
