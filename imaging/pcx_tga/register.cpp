#include "imaging/pcx_tga/register.h"

#include "imaging/dib/picture_formats.h"
#include "imaging/pcx_tga/dcx_graphic.h"
#include "imaging/pcx_tga/pcx_graphic.h"
#include "imaging/pcx_tga/tga_graphic.h"

namespace huemira {

void RegisterTgaFormats() {
  RegisterDibFormat("tga", "Truevision Targa", GraphicFactory<TTgaGraphic>());
  RegisterDibFormat("vst", "Truevision Vista", GraphicFactory<TTgaGraphic>());
  RegisterDibFormat("afi", "Truevision Targa", GraphicFactory<TTgaGraphic>());
}

void RegisterPcxFormats() {
  RegisterDibFormat("pcx", "ZSoft PC Paintbrush", GraphicFactory<TPcxGraphic>());
  RegisterDibFormat("pcc", "ZSoft PC Paintbrush", GraphicFactory<TPcxGraphic>());
}

void RegisterDcxFormats() { RegisterDibFormat("dcx", "DCX file", GraphicFactory<TDcxGraphic>()); }

}  // namespace huemira
