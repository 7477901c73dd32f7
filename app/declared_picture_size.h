// A picture's size as its file's header declares it, read without decoding:
// what the open dialog's preview checks against its memory budget before it
// lets a reader allocate anything.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/stream.h"

namespace huemira {

struct DeclaredSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool operator==(const DeclaredSize&) const = default;
};

// Known by the header's signature (BMP, GIF, PNG, JPEG, TIFF, PCX, DCX, EMF,
// placeable WMF) or, for Targa, which has none, by the extension key
// (".TGA"). None for other files and for headers too short to say; a
// metafile's size is in pixels at 96 dpi.
std::optional<DeclaredSize> ReadDeclaredSize(TStream& file, const std::wstring& extensionKey);

}  // namespace huemira
