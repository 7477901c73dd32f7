// One call at start-up makes every picture reader of the imaging library
// known to the picture-format registry.
#pragma once

namespace huemira {

// Registers the reader modules in start-up order: TIFF, Targa, PCX, DCX, PNG,
// GIF, JPEG. Later registrations of an extension win, so our JPEG reader is
// the one found for ".jpg" and ".jpeg". Call it once.
void RegisterImagingFormats();

}  // namespace huemira
