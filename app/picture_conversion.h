// Converting a picture file into the temporary bitmap that the picture
// window shows, on a worker, with the wait cursor and the progress (and its
// cancel button) that the user sees meanwhile.
#pragma once

#include <memory>
#include <string>

#include "imaging/dib/dib_graphic.h"

namespace huemira {

struct ConvertedPicture {
  enum class Outcome { Converted, Failed, Cancelled };
  Outcome outcome = Outcome::Failed;
  // The 24-bit picture, so that the window need not read a large file back.
  std::unique_ptr<TDibGraphic> picture;
  // The temporary bitmap that holds it; empty when it could not be written,
  // which does not keep the picture from showing.
  std::wstring bitmapFile;
};

// The window thread handles messages until the conversion ends or the user
// cancels it. Failed for an unreadable or corrupt file or a reader's error,
// with no message of its own. Cancelled leaves no file behind: a reader that
// cannot stop finishes unseen, and what it made is deleted.
ConvertedPicture ConvertToTemporaryBitmap(const std::wstring& fileName);

}  // namespace huemira
