// Times what a display profile costs a screen pick: building the transform
// to sRGB (once per monitor and display change; target 20 ms) and one
// conversion of a picked colour (target 0.1 ms). Prints the median and the
// slowest build, and the mean conversion over many colours.
//
// usage: display-profile-bench [PROFILE]   (colord's Adobe RGB (1998))
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "color/display_to_srgb.h"

namespace {

constexpr int kBuilds = 25;
constexpr int kConversions = 1 << 20;
constexpr double kBuildLimitMs = 20.0;
constexpr double kConversionLimitMs = 0.1;

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "/usr/share/color/icc/colord/AdobeRGB1998.icc";
  std::ifstream file(path, std::ios::binary);
  const std::vector<std::uint8_t> profile{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

  std::vector<double> builds;
  std::shared_ptr<const huemira::DisplayToSrgb> transform;
  for (int i = 0; i < kBuilds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    transform = huemira::BuildDisplayToSrgb(profile).transform;
    builds.push_back(MsSince(start));
  }
  if (!transform) {
    std::printf("display profile: %s gives no transform\n", path);
    return 2;
  }
  std::sort(builds.begin(), builds.end());

  // Colours spread over the cube, so that no cache of the library's helps.
  huemira::TColor sum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kConversions; ++i) sum += transform->Convert(static_cast<huemira::TColor>(i) * 2654435761u);
  const double conversionMs = MsSince(start) / kConversions;

  std::printf("display profile (%s):\n", path);
  std::printf("  transform build: median %.2f ms, slowest %.2f ms of %d (target %.0f ms)%s\n",
              builds[builds.size() / 2], builds.back(), kBuilds, kBuildLimitMs,
              builds[builds.size() / 2] > kBuildLimitMs ? "  OVER" : "");
  std::printf("  one conversion: %.5f ms (target %.1f ms)%s\n", conversionMs, kConversionLimitMs,
              conversionMs > kConversionLimitMs ? "  OVER" : "");
  return sum == 1 ? 1 : 0;  // keeps the conversions from being optimised away
}
