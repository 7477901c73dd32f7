// libFuzzer harness: arbitrary bytes as a palette file, the first byte
// choosing the format. A palette that reads is written in the same format
// and read again, and must give the same colours.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "color/palette_file_error.h"
#include "color/palette_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace huemira;
  if (size == 0) return 0;
  const auto formats = PaletteFormats();
  const PaletteFormat format = formats[data[0] % formats.size()].format;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  Palette palette;
  try {
    palette = ReadPalette(bytes, format, "fuzz");
  } catch (const PaletteFileError&) {
    return 0;
  }
  const Palette again = ReadPalette(WritePalette(palette, format), format, "fuzz");
  if (again.entries.size() != palette.entries.size()) __builtin_trap();
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    if (again.entries[i].color != palette.entries[i].color) __builtin_trap();
  }
  return 0;
}
