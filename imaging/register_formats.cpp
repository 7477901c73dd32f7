#include "imaging/register_formats.h"

// A reader module that is not part of the build (imaging/CMakeLists.txt adds
// only the module directories present) simply registers nothing.
#ifdef HUEMIRA_IMAGING_PCX_TGA
#include "imaging/pcx_tga/register.h"
#endif

namespace huemira {

void RegisterImagingFormats() {
#ifdef HUEMIRA_IMAGING_PCX_TGA
  RegisterTgaFormats();
  RegisterPcxFormats();
  RegisterDcxFormats();
#endif
}

}  // namespace huemira
