// huemira-convert INPUT OUTPUT.bmp
//
// Reads one picture with the imaging library's reader for its extension and
// writes the 24-bit bitmap that the picture window would load. Exit status 0
// on success; 1 with the reader's message on standard error when the picture
// cannot be read or written; 2 for a wrong command line.
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/dib/bmp_writer.h"
#include "imaging/dib/picture_formats.h"
#include "imaging/register_formats.h"

namespace {

using namespace huemira;

void Convert(const std::filesystem::path& input, const std::filesystem::path& output) {
  const std::string extension = input.extension().string();
  std::unique_ptr<TGraphic> picture = CreateGraphicForExtension(extension);
  if (!picture) throw Exception("No reader for \"" + extension + "\" files");
  picture->LoadFromFile(input);
  auto stream = std::make_unique<TFileStream>(output, FileMode::Create);
  try {
    SaveToBmp(*picture, *stream);
  } catch (...) {
    // No half-written bitmap is left behind for a caller to mistake for a picture.
    stream.reset();
    std::error_code ignored;
    std::filesystem::remove(output, ignored);
    throw;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: huemira-convert INPUT OUTPUT.bmp\n";
    return 2;
  }
  const std::filesystem::path input = argv[1], output = argv[2];
  try {
    huemira::RegisterImagingFormats();
    Convert(input, output);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
}
