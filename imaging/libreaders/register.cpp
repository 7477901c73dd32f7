#include "imaging/libreaders/register.h"

#include "imaging/dib/picture_formats.h"
#include "imaging/libreaders/jpeg_graphic.h"
#include "imaging/libreaders/png_graphic.h"
#include "imaging/libreaders/tiff_graphic.h"

namespace huemira {

void RegisterTiffFormats() {
  RegisterDibFormat("tif", "TIFF file", GraphicFactory<TTiffGraphic>());
  RegisterDibFormat("tiff", "TIFF file", GraphicFactory<TTiffGraphic>());
}

void RegisterPngFormats() { RegisterDibFormat("png", "Portable Network Graphic", GraphicFactory<TPngGraphic>()); }

void RegisterJpegFormats() {
  RegisterDibFormat("jpg", "JPEG", GraphicFactory<TJpegGraphic>());
  RegisterDibFormat("jpeg", "JPEG", GraphicFactory<TJpegGraphic>());
}

}  // namespace huemira
