// gif_bench FILE [RUNS]: median processor time of decoding FILE's first
// frame with our decoder and with giflib, and the ratio of the two. Runs
// alternate, and processor time rather than wall time is taken, so that
// other work on a shared machine disturbs the ratio less.
#include <gif_lib.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "imaging/gif/gif_image.h"

namespace {

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double ProcessorSeconds(const std::function<void()>& work) {
  const std::clock_t start = std::clock();
  work();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gif_bench FILE [RUNS]\n");
    return 2;
  }
  const char* file = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  const auto decodeOurs = [&] {
    huemira::TGIFImage image;
    image.LoadFromFile(file);
  };
  const auto decodeGiflib = [&] {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(file, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) std::fprintf(stderr, "giflib failed\n");
    if (gif) DGifCloseFile(gif, &error);
  };
  std::vector<double> oursTimes, giflibTimes;
  for (int i = 0; i < runs; ++i) {
    oursTimes.push_back(ProcessorSeconds(decodeOurs));
    giflibTimes.push_back(ProcessorSeconds(decodeGiflib));
  }
  const double ours = Median(oursTimes);
  const double theirs = Median(giflibTimes);
  std::printf("huemira %.3f s, giflib %.3f s, giflib/huemira %.2f\n", ours, theirs, theirs / ours);
  return 0;
}
