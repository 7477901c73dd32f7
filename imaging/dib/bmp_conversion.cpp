#include "imaging/dib/bmp_conversion.h"

#include <memory>
#include <system_error>

#include "framework/exception.h"
#include "framework/stream.h"
#include "imaging/dib/bmp_writer.h"
#include "imaging/dib/dib_graphic.h"
#include "imaging/dib/picture_formats.h"

namespace huemira {

std::unique_ptr<TGraphic> CreateReaderForExtension(const std::string& extension) {
  std::unique_ptr<TGraphic> picture = CreateGraphicForExtension(extension);
  if (!picture) throw Exception("No reader for \"" + extension + "\" files");
  return picture;
}

void LoadPicture(TGraphic& picture, TStream& input, const TConversionProgress& onProgress) {
  auto* dib = dynamic_cast<TDibGraphic*>(&picture);
  if (dib && onProgress) dib->OnPercentDone = [&onProgress](TDibGraphic&, int percent) { onProgress(percent); };
  picture.LoadFromStream(input);
  // The picture outlives this call; the listener does not.
  if (dib) dib->OnPercentDone = nullptr;
}

std::unique_ptr<TGraphic> ReadPicture(const std::filesystem::path& input, const TConversionProgress& onProgress) {
  // The extension as UTF-8: a name in any language has an ASCII extension
  // when it is a picture, and anything else finds no reader.
  std::unique_ptr<TGraphic> picture = CreateReaderForExtension(Utf8Path(input.extension()));
  TFileStream file(input, FileMode::OpenRead);
  LoadPicture(*picture, file, onProgress);
  return picture;
}

void WriteBmpFile(const TGraphic& picture, const std::filesystem::path& output) {
  auto stream = std::make_unique<TFileStream>(output, FileMode::Create);
  try {
    SaveToBmp(picture, *stream);
    stream->Close();
  } catch (...) {
    stream.reset();
    std::error_code ignored;
    std::filesystem::remove(output, ignored);
    throw;
  }
}

std::unique_ptr<TGraphic> ConvertToBmp(const std::filesystem::path& input, const std::filesystem::path& output,
                                       const TConversionProgress& onProgress) {
  std::unique_ptr<TGraphic> picture = ReadPicture(input, onProgress);
  WriteBmpFile(*picture, output);
  return picture;
}

}  // namespace huemira
