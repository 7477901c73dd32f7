// Converting a picture file into the temporary bitmap that the picture
// window shows, with the wait cursor and progress the user sees meanwhile.
#pragma once

#include <memory>
#include <string>

#include "imaging/dib/dib_graphic.h"

namespace huemira {

// Writes the temporary bitmap and returns the 24-bit picture it holds, so
// that the window need not read a large file back. Any failure (an
// unreadable or corrupt file, a reader's error, a bitmap that cannot be
// written) gives none, with no message of its own.
std::unique_ptr<TDibGraphic> ConvertToTemporaryBitmap(const std::wstring& fileName);

}  // namespace huemira
