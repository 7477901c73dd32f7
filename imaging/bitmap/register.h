// Start-up registration of the icon and bitmap picture classes with the
// picture-format registry (call in this order: icons, then bitmaps).
#pragma once

namespace huemira {

void RegisterIcoFormats();  // "ico"
void RegisterBmpFormats();  // "bmp"

}  // namespace huemira
