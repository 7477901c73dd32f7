// QeltMake.bmp in the temporary folder: the bitmap that pictures are
// converted into for the picture window.
#pragma once

#include <string>

namespace huemira {

std::wstring TemporaryBitmapPath();
// Deletes it if it exists; a failure is ignored.
void DeleteTemporaryBitmap();

}  // namespace huemira
