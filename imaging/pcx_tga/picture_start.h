// Readers whose offsets count from the start of the picture work on a stream
// whose position 0 is that start.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "framework/stream.h"

namespace huemira {

// Calls read with stream itself when it is at position 0, otherwise with a
// memory copy of everything from its position to its end.
template <typename Read>
void ReadFromPictureStart(TStream& stream, Read read) {
  if (stream.Position() == 0) {
    read(stream);
    return;
  }
  // Sized once: the rest of a real stream, never a number from the file.
  std::vector<std::uint8_t> rest(static_cast<std::size_t>(stream.Remaining()));
  stream.ReadBuffer(rest.data(), rest.size());
  TMemoryStream copy(std::move(rest));
  read(copy);
}

}  // namespace huemira
