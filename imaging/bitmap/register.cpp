#include "imaging/bitmap/register.h"

#include "imaging/bitmap/bmp_graphic.h"
#include "imaging/bitmap/ico_graphic.h"
#include "imaging/dib/picture_formats.h"

namespace huemira {

void RegisterIcoFormats() { RegisterDibFormat("ico", "Icons", GraphicFactory<TIcon>()); }

void RegisterBmpFormats() { RegisterDibFormat("bmp", "Bitmaps", GraphicFactory<TBmpGraphic>()); }

}  // namespace huemira
