// Start-up registration of the library-backed picture classes with the
// picture-format registry (see imaging/dib/picture_formats.h).
#pragma once

namespace huemira {

void RegisterTiffFormats();  // "tif", "tiff"
void RegisterPngFormats();   // "png"
void RegisterJpegFormats();  // "jpg", "jpeg"

}  // namespace huemira
