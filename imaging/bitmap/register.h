// Start-up registration of the bitmap picture class with the picture-format
// registry.
#pragma once

namespace huemira {

void RegisterBmpFormats();  // "bmp"

}  // namespace huemira
