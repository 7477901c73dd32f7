// Start-up registration of the PCX, DCX and Targa picture classes with the
// picture-format registry (call in this order: Targa, PCX, DCX).
#pragma once

namespace huemira {

void RegisterTgaFormats();
void RegisterPcxFormats();
void RegisterDcxFormats();

}  // namespace huemira
