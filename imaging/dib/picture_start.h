// Readers whose offsets count from the start of the picture work on a stream
// whose position 0 is that start.
#pragma once

#include "framework/stream.h"
#include "imaging/dib/stream_window.h"

namespace huemira {

// Calls read with stream itself when it is at position 0, otherwise with a
// window on everything from its position to its end.
template <typename Read>
void ReadFromPictureStart(TStream& stream, Read read) {
  const std::int64_t start = stream.Position();
  if (start == 0) {
    read(stream);
    return;
  }
  TStreamWindow picture(stream, start, stream.Size() - start);
  read(picture);
}

}  // namespace huemira
