// QeltMake.bmp in the temporary folder: the bitmap that pictures are
// converted into for the picture window.
#pragma once

#include <string>

namespace huemira {

// The system's temporary folder, ending in a backslash; empty when the
// system names none or a relative one, so that nothing is ever written to
// the current folder.
std::wstring TemporaryFolder();
// Empty when there is no temporary folder.
std::wstring TemporaryBitmapPath();
// Deletes it if it exists; a failure is ignored.
void DeleteTemporaryBitmap();

}  // namespace huemira
