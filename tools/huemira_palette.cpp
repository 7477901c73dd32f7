// huemira-palette convert IN OUT [--format F] [--from F]
// huemira-palette --help | --version
//
// Converts a palette file into another format with the program's own
// readers and writers. Exit status 0 on success; 1 with "IN:LINE: message"
// (or "FILE: message") on standard error when IN cannot be read or OUT
// cannot be written; 2 for a wrong command line. OUT is written only after
// IN was read whole, and in one step: a temporary file beside it, renamed.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "color/palette_file_error.h"
#include "color/palette_format.h"
#include "framework/exception.h"
#include "framework/stream.h"

namespace {

using huemira::PaletteFormat;
namespace fs = std::filesystem;

// Palette files are small; a larger file is a mistake, not a palette.
constexpr std::uintmax_t kMaxInputSize = 64u << 20;

void PrintHelp(std::ostream& out) {
  out << "usage: huemira-palette convert IN OUT [--format F] [--from F]\n"
         "       huemira-palette --help | --version\n"
         "\n"
         "Reads the palette IN and writes it to OUT. Each file's format follows from\n"
         "its name:\n";
  for (const huemira::PaletteFormatInfo& info : huemira::PaletteFormats()) {
    out << "  " << info.name << std::string(10 - info.name.size(), ' ') << "*" << info.extension;
    if (info.format == PaletteFormat::DesignTokens) out << ", *.tokens";
    out << '\n';
  }
  out << "--format F forces the format of OUT, --from F the format of IN (F as in the\n"
         "first column). A Tailwind theme is read as any CSS.\n"
         "\n"
         "Exit status: 0 done; 1 IN could not be read (\"IN:LINE: message\") or OUT not\n"
         "written, and OUT is left as it was; 2 a wrong command line.\n";
}

class Failure {
 public:
  explicit Failure(std::string message) : message_(std::move(message)) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

std::string ReadWholeFile(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) throw Failure(huemira::Utf8Path(path) + ": cannot open the file");
  if (size > kMaxInputSize) throw Failure(huemira::Utf8Path(path) + ": too large for a palette file");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  try {
    huemira::TFileStream file(path, huemira::FileMode::OpenRead);
    file.ReadBuffer(bytes.data(), bytes.size());
  } catch (const huemira::EStreamError&) {
    throw Failure(huemira::Utf8Path(path) + ": cannot read the file");
  }
  return bytes;
}

void ReplaceFile(const fs::path& path, const std::string& bytes) {
  fs::path partial = path;
  partial += ".partial";
  try {
    huemira::TFileStream file(partial, huemira::FileMode::Create);
    file.WriteBuffer(bytes.data(), bytes.size());
    file.Close();
    fs::rename(partial, path);
  } catch (const std::exception&) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    throw Failure(huemira::Utf8Path(path) + ": cannot write the file");
  }
}

std::optional<PaletteFormat> FormatOption(const std::string& name) {
  std::optional<PaletteFormat> format = huemira::PaletteFormatFromName(name);
  if (!format) std::cerr << "huemira-palette: unknown format \"" << name << "\" (see --help)\n";
  return format;
}

int Run(const std::vector<fs::path>& args) {
  const auto text = [&](std::size_t i) { return huemira::Utf8Path(args[i]); };
  if (args.size() == 1 && text(0) == "--version") {
    std::cout << "huemira-palette " HUEMIRA_VERSION "\n";
    return 0;
  }
  if (args.size() == 1 && text(0) == "--help") {
    PrintHelp(std::cout);
    return 0;
  }
  std::vector<fs::path> files;
  std::optional<PaletteFormat> inFormat, outFormat;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if ((text(i) == "--format" || text(i) == "--from") && i + 1 < args.size()) {
      (text(i) == "--format" ? outFormat : inFormat) = FormatOption(text(i + 1));
      if (!(text(i) == "--format" ? outFormat : inFormat)) return 2;
      ++i;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 3 || huemira::Utf8Path(files[0]) != "convert") {
    PrintHelp(std::cerr);
    return 2;
  }
  const fs::path& in = files[1];
  const fs::path& out = files[2];
  if (!inFormat) inFormat = huemira::PaletteFormatFromPath(huemira::Utf8Path(in));
  if (!outFormat) outFormat = huemira::PaletteFormatFromPath(huemira::Utf8Path(out));
  if (!inFormat || !outFormat) {
    std::cerr << "huemira-palette: the format of " << huemira::Utf8Path(inFormat ? out : in)
              << " does not follow from its name; give it with " << (inFormat ? "--format" : "--from") << '\n';
    return 2;
  }
  try {
    const std::string bytes = ReadWholeFile(in);
    huemira::Palette palette;
    try {
      palette = huemira::ReadPalette(bytes, *inFormat, huemira::PaletteNameFromPath(huemira::Utf8Path(in)));
    } catch (const huemira::PaletteFileError& error) {
      const std::string where = error.line() > 0 ? ":" + std::to_string(error.line()) : std::string();
      throw Failure(huemira::Utf8Path(in) + where + ": " + error.what());
    }
    ReplaceFile(out, huemira::WritePalette(palette, *outFormat));
    return 0;
  } catch (const Failure& failure) {
    std::cerr << failure.message() << '\n';
    return 1;
  }
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that file names in any language arrive whole.
int wmain(int argc, wchar_t** argv) { return Run(std::vector<fs::path>(argv + 1, argv + argc)); }
#else
int main(int argc, char** argv) { return Run(std::vector<fs::path>(argv + 1, argv + argc)); }
#endif
