// Times the palette code on 10,000 colours: the nearest entry by CIEDE2000
// (median and worst query), and reading and writing a palette in each
// file format. Targets: 0.2 ms a query, 100 ms to read or write.
//
// Each measurement is the quickest of a few runs: on a machine shared with
// other work a single run also measures whoever else had the processor.
// Reading and writing show the processor time of the bench's own thread
// beside the clock's, which other work inflates less; the verdict goes by
// the clock.
//
// usage: palette-bench [QUERIES [SEED]]      (1000 queries, seed 1)
//        palette-bench --read-gpl FILE       the quickest of five reads of FILE, for
//                                            side-by-side runs with other readers
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "color/gimp_palette.h"
#include "color/nearest_entry.h"
#include "color/palette_format.h"

namespace {

using huemira::Palette;
using huemira::TColor;

constexpr std::size_t kPaletteSize = 10000;
constexpr int kRuns = 5;
constexpr double kQueryLimitMs = 0.2;
constexpr double kFileLimitMs = 100.0;

double ThreadProcessorMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Timing {
  double ms = 1e300;           // the clock's, the quickest run
  double processorMs = 1e300;  // the least over the runs
};

template <typename Work>
Timing Quickest(int runs, Work work) {
  Timing best;
  for (int run = 0; run < runs; ++run) {
    const double processorStart = ThreadProcessorMs();
    const auto start = std::chrono::steady_clock::now();
    work();
    best.ms =
        std::min(best.ms, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    best.processorMs = std::min(best.processorMs, ThreadProcessorMs() - processorStart);
  }
  return best;
}

template <typename Work>
double QuickestMs(int runs, Work work) {
  return Quickest(runs, work).ms;
}

const char* Verdict(double ms, double limit) { return ms <= limit ? "ok" : "OVER"; }

Palette RandomPalette(std::mt19937& random) {
  Palette palette{.name = "bench"};
  for (std::size_t i = 0; i < kPaletteSize; ++i) {
    palette.entries.push_back(
        {.color = static_cast<TColor>(random() & 0xFFFFFF), .name = "colour " + std::to_string(i)});
  }
  return palette;
}

int ReadGpl(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t entries = 0;
  const double ms = QuickestMs(kRuns, [&] { entries = huemira::ReadGimpPalette(bytes, "bench").entries.size(); });
  std::printf("%.3f ms for %zu entries\n", ms, entries);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--read-gpl") return ReadGpl(argv[2]);
  const int queries = argc > 1 ? std::atoi(argv[1]) : 1000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
  if (queries < 1) {
    std::fprintf(stderr, "usage: palette-bench [QUERIES [SEED]] | --read-gpl FILE\n");
    return 2;
  }
  std::mt19937 random(seed);
  const Palette palette = RandomPalette(random);

  std::printf("palette of %zu colours\n", kPaletteSize);
  const double buildMs = QuickestMs(kRuns, [&] { huemira::NearestEntryIndex index(palette); });
  const huemira::NearestEntryIndex index(palette);
  std::vector<double> times;
  for (int i = 0; i < queries; ++i) {
    const TColor color = random() & 0xFFFFFF;
    times.push_back(QuickestMs(3, [&] {
      if (index.Nearest(color)->deltaE < 0) std::puts("");
    }));
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf(
      "nearest entry (CIEDE2000), %d queries: median %.4f ms, worst %.4f ms  [%s, limit %.1f ms]; index made in %.2f "
      "ms\n",
      queries, median, times.back(), Verdict(median, kQueryLimitMs), kQueryLimitMs, buildMs);

  bool over = median > kQueryLimitMs;
  std::printf("%-10s %10s %18s %18s\n", "format", "bytes", "write ms (cpu)", "read ms (cpu)");
  for (const huemira::PaletteFormatInfo& info : huemira::PaletteFormats()) {
    std::string bytes;
    const Timing write = Quickest(kRuns, [&] { bytes = huemira::WritePalette(palette, info.format); });
    const Timing read = Quickest(kRuns, [&] { huemira::ReadPalette(bytes, info.format, "bench"); });
    over = over || write.ms > kFileLimitMs || read.ms > kFileLimitMs;
    std::printf("%-10.*s %10zu %9.2f (%6.2f) %9.2f (%6.2f)  [%s, limit %.0f ms]\n", static_cast<int>(info.name.size()),
                info.name.data(), bytes.size(), write.ms, write.processorMs, read.ms, read.processorMs,
                Verdict(std::max(write.ms, read.ms), kFileLimitMs), kFileLimitMs);
  }
  return over ? 1 : 0;
}
