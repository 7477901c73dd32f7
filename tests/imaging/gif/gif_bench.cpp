// gif_bench FILE [RUNS]: median time of decoding FILE's first frame with our
// decoder and with giflib, and the ratio of the two.
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "imaging/gif/gif_image.h"

namespace {

double MedianSeconds(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gif_bench FILE [RUNS]\n");
    return 2;
  }
  const char* file = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  const double ours = MedianSeconds(runs, [&] {
    huemira::TGIFImage image;
    image.LoadFromFile(file);
  });
  const double theirs = MedianSeconds(runs, [&] {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(file, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) std::fprintf(stderr, "giflib failed\n");
    if (gif) DGifCloseFile(gif, &error);
  });
  std::printf("huemira %.3f s, giflib %.3f s, giflib/huemira %.2f\n", ours, theirs, theirs / ours);
  return 0;
}
