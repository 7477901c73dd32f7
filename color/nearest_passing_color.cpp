#include "color/nearest_passing_color.h"

#include <algorithm>
#include <array>
#include <limits>
#include <queue>
#include <vector>

#include "color/ciede2000.h"
#include "color/ciede2000_bound.h"
#include "color/cielab.h"
#include "color/contrast.h"

namespace huemira {

namespace {

// An axis-aligned box of the RGB cube: component i (red, green, blue) runs
// from low[i] through low[i] + size[i] - 1. Sizes are powers of two.
struct CubeBox {
  std::array<int, 3> low, size;
  double bound;  // no passing colour in the box is nearer than this
  int Colors() const { return size[0] * size[1] * size[2]; }
};

struct FartherBound {
  bool operator()(const CubeBox& x, const CubeBox& y) const { return x.bound > y.bound; }
};

// Boxes this small are checked colour by colour.
constexpr int kLeafColors = 4;

// Halving green first separates lightness best (it weighs most in it).
constexpr int kSplitOrder[] = {1, 0, 2};

class NearestColorSearch {
 public:
  NearestColorSearch(TColor text, TColor background, double targetRatio)
      : textLab_(CieLabOf(text)),
        backgroundLuminance_(RelativeLuminance(background)),
        targetRatio_(targetRatio),
        // The exact luminance limits of passing, widened far beyond the
        // rounding of the ratio, so that no colour that Passes lies between
        // them. They only narrow the lightness range of a bound.
        darkLimit_((backgroundLuminance_ + 0.05) / targetRatio - 0.05 + kLimitAllowance),
        lightLimit_((backgroundLuminance_ + 0.05) * targetRatio - 0.05 - kLimitAllowance),
        darkLimitLightness_(LightnessOf(darkLimit_)),
        lightLimitLightness_(LightnessOf(lightLimit_)) {}

  std::optional<ColorProposal> Run() {
    Consider({.low = {0, 0, 0}, .size = {256, 256, 256}, .bound = 0});
    while (!boxes_.empty() && boxes_.top().bound <= bestDeltaE_) {
      const CubeBox box = boxes_.top();
      boxes_.pop();
      if (box.Colors() <= kLeafColors) {
        CheckEachColor(box);
        continue;
      }
      int axis = kSplitOrder[0];
      for (int candidate : kSplitOrder)
        if (box.size[candidate] > box.size[axis]) axis = candidate;
      CubeBox half = box;
      half.size[axis] /= 2;
      Consider(half);
      half.low[axis] += half.size[axis];
      Consider(half);
    }
    if (!found_) return std::nullopt;
    return ColorProposal{.color = best_, .deltaE = bestDeltaE_};
  }

 private:
  static constexpr double kLimitAllowance = 1e-9;

  static double LightnessOf(double luminance) { return CieLightnessOfF(CieLabF(luminance)); }

  bool Passes(double luminance) const {
    return MeetsRatio(ContrastRatioOfLuminances(luminance, backgroundLuminance_), targetRatio_);
  }

  // Queues the box with its bound, unless it holds no passing colour or
  // cannot beat (or tie) the best colour so far.
  void Consider(CubeBox box) {
    const TColor low = MakeColor(box.low[0], box.low[1], box.low[2]);
    const TColor high = MakeColor(box.low[0] + box.size[0] - 1, box.low[1] + box.size[1] - 1, box.low[2] + box.size[2] - 1);
    // Luminance, X and Z grow with every component, and so does the rounded
    // computation of each (sums of products of positive numbers): all
    // colours of the box lie between its two extreme corners. Passing is a
    // luminance below one limit or above another, so when both corners
    // fail, every colour between them fails.
    const CieXyz xyzLow = CieXyzOf(low);
    const CieXyz xyzHigh = CieXyzOf(high);
    if (!Passes(xyzLow.y) && !Passes(xyzHigh.y)) return;

    // Only the passing colours count: the dark ones up to darkLimit_, the
    // light ones from lightLimit_. Each part gets its own bound, the cheap
    // one on lightness first.
    const double fyLow = CieLabF(xyzLow.y), fyHigh = CieLabF(xyzHigh.y);
    const double lLow = CieLightnessOfF(fyLow);
    const double lHigh = CieLightnessOfF(fyHigh);
    struct Part {
      double lMin, lMax;
    } parts[2];
    int partCount = 0;
    const auto keepIfNear = [&](Part part) {
      if (Ciede2000LightnessLowerBound(textLab_, part.lMin, part.lMax) <= bestDeltaE_) parts[partCount++] = part;
    };
    if (xyzLow.y <= darkLimit_) keepIfNear({lLow, std::min(lHigh, darkLimitLightness_)});
    if (xyzHigh.y >= lightLimit_) keepIfNear({std::max(lLow, lightLimitLightness_), lHigh});
    if (partCount == 0) return;

    const double fxLow = CieLabF(xyzLow.x / kWhiteX), fxHigh = CieLabF(xyzHigh.x / kWhiteX);
    const double fzLow = CieLabF(xyzLow.z / kWhiteZ), fzHigh = CieLabF(xyzHigh.z / kWhiteZ);
    box.bound = std::numeric_limits<double>::infinity();
    for (int i = 0; i < partCount; ++i)
      box.bound = std::min(box.bound, Ciede2000LowerBound(textLab_, {.lMin = parts[i].lMin,
                                                                     .lMax = parts[i].lMax,
                                                                     .aMin = 500.0 * (fxLow - fyHigh),
                                                                     .aMax = 500.0 * (fxHigh - fyLow),
                                                                     .bMin = 200.0 * (fyLow - fzHigh),
                                                                     .bMax = 200.0 * (fyHigh - fzLow)}));
    if (box.bound <= bestDeltaE_) boxes_.push(box);
  }

  void CheckEachColor(const CubeBox& box) {
    for (int blue = box.low[2]; blue < box.low[2] + box.size[2]; ++blue)
      for (int green = box.low[1]; green < box.low[1] + box.size[1]; ++green)
        for (int red = box.low[0]; red < box.low[0] + box.size[0]; ++red) {
          const TColor color = MakeColor(red, green, blue);
          if (!Passes(RelativeLuminance(color))) continue;
          const double deltaE = Ciede2000(textLab_, CieLabOf(color));
          if (!found_ || deltaE < bestDeltaE_ || (deltaE == bestDeltaE_ && color < best_)) {
            found_ = true;
            best_ = color;
            bestDeltaE_ = deltaE;
          }
        }
  }

  const CieLab textLab_;
  const double backgroundLuminance_;
  const double targetRatio_;
  const double darkLimit_;
  const double lightLimit_;
  // L* of the limits; L* grows with luminance, so min(L*(Y), this) is the
  // L* of min(Y, limit).
  const double darkLimitLightness_;
  const double lightLimitLightness_;
  std::priority_queue<CubeBox, std::vector<CubeBox>, FartherBound> boxes_;
  bool found_ = false;
  TColor best_ = 0;
  double bestDeltaE_ = std::numeric_limits<double>::infinity();
};

}  // namespace

std::optional<ColorProposal> NearestPassingColor(TColor text, TColor background, double targetRatio) {
  text &= 0xFFFFFF;
  if (MeetsRatio(ContrastRatio(text, background), targetRatio)) return ColorProposal{.color = text, .deltaE = 0.0};
  return NearestColorSearch(text, background, targetRatio).Run();
}

}  // namespace huemira
