// hostile-files-bench DIR
//
// Writes each hostile file (small files that declare huge pictures or endless
// work) into DIR and converts it as the program does, each in a child process
// of its own, so that its time and peak memory are its own. Prints per file
// the outcome (converted, or refused with the reader's message), the time and
// the peak resident memory, and checks the target: a file converts within 2 s
// at no more than 1.2 x the largest bitmap the size cap admits, or is refused
// within 2 s. Exits 1 when a file misses it. DIR keeps the files, for the open
// dialog's benchmark under Wine.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/exception.h"
#include "hostile_files.h"
#include "imaging/dib/bmp_conversion.h"
#include "imaging/dib/image_limits.h"
#include "imaging/libreaders/png_graphic.h"
#include "imaging/register_formats.h"

namespace {

namespace fs = std::filesystem;
using huemira::test::HostileFile;

constexpr double kMaxSeconds = 2.0;
constexpr double kMaxMemoryShare = 1.2;

// In the child: converts the file, writes the outcome to a pipe, and ends.
[[noreturn]] void ConvertInChild(const fs::path& input, const fs::path& output, int pipe) {
  std::string outcome = "converted";
  try {
    huemira::ConvertToBmp(input, output);
  } catch (const huemira::Exception& error) {
    outcome = std::string("refused: ") + error.what();
  }
  const ssize_t written = ::write(pipe, outcome.data(), outcome.size());
  ::_exit(written < 0 ? 2 : 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: hostile-files-bench DIR\n");
    return 2;
  }
  const fs::path folder = argv[1];
  fs::create_directories(folder);
  huemira::RegisterImagingFormats();
  huemira::QuietPngWarnings = true;
  const double capMb = static_cast<double>(huemira::DibStride(11585, 24) * 11585) / (1 << 20);
  std::printf("Hostile files converted as the program does (target: within %.0f s at <= %.0f MB, or refused)\n",
              kMaxSeconds, kMaxMemoryShare * capMb);
  std::printf("%-62s %8s %8s  %s\n", "file", "ms", "peak MB", "outcome");
  bool allMet = true;
  int index = 0;
  for (const HostileFile& file : huemira::test::HostileFiles()) {
    const fs::path input = folder / ("hostile" + std::to_string(++index) + "." + file.extension);
    const auto bytes = file.make();
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    int pipes[2];
    if (::pipe(pipes) != 0) return 2;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipes[0]);
      ConvertInChild(input, folder / "out.bmp", pipes[1]);
    }
    ::close(pipes[1]);
    char buffer[256] = {};
    const ssize_t length = ::read(pipes[0], buffer, sizeof buffer - 1);
    ::close(pipes[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double peakMb = usage.ru_maxrss / 1024.0;  // kilobytes on Linux
    const std::string outcome = length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : "crashed";
    const bool met = outcome != "crashed" && ms <= kMaxSeconds * 1000 &&
                     (outcome != "converted" || peakMb <= kMaxMemoryShare * capMb);
    allMet = allMet && met;
    std::printf("%-62s %8.0f %8.0f  %s%s\n", file.name, ms, peakMb, outcome.c_str(), met ? "" : "  MISSED");
  }
  fs::remove(folder / "out.bmp");
  return allMet ? 0 : 1;
}
