// Converting a picture file into the temporary bitmap that the picture
// window loads, with the wait cursor and progress the user sees meanwhile.
#pragma once

#include <string>

namespace huemira {

// Any failure (an unreadable or corrupt file, a reader's error, a bitmap
// that cannot be written) gives false, with no message of its own.
bool ConvertToTemporaryBitmap(const std::wstring& fileName);

}  // namespace huemira
