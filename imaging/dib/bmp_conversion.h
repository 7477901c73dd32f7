// A picture file of any registered format turned into the 24-bit BMP file
// that the picture window loads.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "framework/stream.h"
#include "imaging/dib/graphic.h"

namespace huemira {

// Hears how far reading has come, 0 ... 100, from readers that report it.
using TConversionProgress = std::function<void(int percent)>;

// The two steps of reading a picture, for callers that hold the file's bytes
// in a stream of their own.
// A new picture of the class registered for extension (with or without its
// dot); Exception "No reader for "EXT" files" when there is none.
std::unique_ptr<TGraphic> CreateReaderForExtension(const std::string& extension);
// Reads input into picture, reporting progress when the reader does.
void LoadPicture(TGraphic& picture, TStream& input, const TConversionProgress& onProgress = {});

// Reads input with the reader registered for its extension; throws the
// reader's error. onProgress may throw to stop reading.
std::unique_ptr<TGraphic> ReadPicture(const std::filesystem::path& input, const TConversionProgress& onProgress = {});

// Writes picture as a 24-bit BMP file; throws the writer's error, and then
// no output file is left.
void WriteBmpFile(const TGraphic& picture, const std::filesystem::path& output);

// ReadPicture, then WriteBmpFile.
// Throws the reader's or the writer's error; then no output file is left, so
// that nothing can mistake a half-written bitmap for the picture. Returns the
// picture as read: made 24-bit (AssignToBitmap24) it is what the file holds.
std::unique_ptr<TGraphic> ConvertToBmp(const std::filesystem::path& input, const std::filesystem::path& output,
                  const TConversionProgress& onProgress = {});

}  // namespace huemira
