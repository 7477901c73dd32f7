// huemira-convert INPUT OUTPUT.bmp
// huemira-convert --version
//
// Reads one picture with the imaging library's reader for its extension and
// writes the 24-bit bitmap that the picture window would load. Exit status 0
// on success; 1 with the reader's message on standard error when the picture
// cannot be read or written; 2 for a wrong command line.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "imaging/dib/bmp_conversion.h"
#include "imaging/register_formats.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "huemira-convert " HUEMIRA_VERSION "\n";
    return 0;
  }
  if (argc != 3) {
    std::cerr << "usage: huemira-convert INPUT OUTPUT.bmp | --version\n";
    return 2;
  }
  try {
    huemira::RegisterImagingFormats();
    huemira::ConvertToBmp(argv[1], argv[2]);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
}
