// One call at start-up makes every picture reader of the imaging library
// known to the picture-format registry. Inline, so that any program linking
// huemira_imaging (which holds every reader module) has it without a library
// of its own.
#pragma once

#include "imaging/bitmap/register.h"
#include "imaging/gif/register.h"
#include "imaging/libreaders/register.h"
#include "imaging/pcx_tga/register.h"

#ifdef _WIN32
#include "imaging/metafile/metafile_graphic.h"
#endif

namespace huemira {

// Registers the reader modules in start-up order: the metafiles (on Windows),
// icons, bitmaps, TIFF, Targa, PCX, DCX, PNG, GIF, JPEG. Later registrations
// of an extension win, so our JPEG reader is the one found for ".jpg" and
// ".jpeg". Call it once.
inline void RegisterImagingFormats() {
#ifdef _WIN32
  RegisterMetafileFormats();
#endif
  RegisterIcoFormats();
  RegisterBmpFormats();
  RegisterTiffFormats();
  RegisterTgaFormats();
  RegisterPcxFormats();
  RegisterDcxFormats();
  RegisterPngFormats();
  RegisterGifFormats();
  RegisterJpegFormats();
}

}  // namespace huemira
