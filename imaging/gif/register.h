// Start-up registration of the GIF picture class.
#pragma once

namespace huemira {

// Registers TGIFImage for "gif" as "CompuServe GIF Image" and, on Windows,
// the "GIF Image" clipboard format.
void RegisterGifFormats();

#ifdef _WIN32
// The clipboard format number of "GIF Image" (0 before RegisterGifFormats).
unsigned GifClipboardFormat();
#endif

}  // namespace huemira
