// Writing a file anew in one step: the new content goes to a copy beside
// the file, is flushed to the disk, and then takes the file's place, so
// that a program killed at any moment leaves the old file or the new one,
// never a torn one.
#pragma once

#include <string>
#include <string_view>

namespace huemira {

// Returns whether the file now holds bytes; on a failure it is as it was
// (or still missing) and no copy is left beside it.
bool ReplaceFileContent(const std::wstring& path, std::string_view bytes);

}  // namespace huemira
