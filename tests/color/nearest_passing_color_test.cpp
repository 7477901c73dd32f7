#include "color/nearest_passing_color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "color/ciede2000.h"
#include "color/cielab.h"
#include "color/contrast.h"

namespace huemira {
namespace {

constexpr TColor kWhite = 0xFFFFFF;

TEST(NearestPassingColor, TheTextColorItselfWhenItPasses) {
  const auto proposal = NearestPassingColor(MakeColor(0x59, 0x59, 0x59), kWhite, kRatioAaNormalText);
  ASSERT_TRUE(proposal);
  EXPECT_EQ(proposal->color, MakeColor(0x59, 0x59, 0x59));
  EXPECT_EQ(proposal->deltaE, 0.0);
}

TEST(NearestPassingColor, NothingAgainstAMidGreyAtSevenToOne) {
  // Luminance 0.184: black reaches 4.69:1 and white 4.48:1.
  EXPECT_FALSE(NearestPassingColor(MakeColor(0, 0, 0), MakeColor(0x77, 0x77, 0x77), kRatioAaaNormalText));
  EXPECT_FALSE(NearestPassingColor(kWhite, MakeColor(0x77, 0x77, 0x77), kRatioAaaNormalText));
  // At 4.5:1 black still passes, and is proposed for a grey text.
  const auto proposal = NearestPassingColor(MakeColor(0x30, 0x30, 0x30), MakeColor(0x77, 0x77, 0x77), 4.5);
  ASSERT_TRUE(proposal);
  EXPECT_TRUE(MeetsRatio(ContrastRatio(proposal->color, MakeColor(0x77, 0x77, 0x77)), 4.5));
}

TEST(NearestPassingColor, GreyOnWhiteGoesJustDarkEnough) {
  // #777777 fails AA on white by a little; #767676 is the lightest grey
  // that passes, and no coloured grey comes nearer.
  const auto proposal = NearestPassingColor(MakeColor(0x77, 0x77, 0x77), kWhite, kRatioAaNormalText);
  ASSERT_TRUE(proposal);
  EXPECT_EQ(proposal->color, MakeColor(0x76, 0x76, 0x76));
  EXPECT_EQ(proposal->deltaE, Ciede2000(CieLabOf(MakeColor(0x77, 0x77, 0x77)), CieLabOf(proposal->color)));
  EXPECT_EQ(RatioText(ContrastRatio(proposal->color, kWhite)), L"4.54:1");
}

// Every colour, grouped by bins of L*, made once for all the pairs.
class ColorsByLightness {
 public:
  static constexpr int kBins = 10000;

  ColorsByLightness()
      : first_(kBins + 1, 0), lMin_(kBins, 1e9), lMax_(kBins, -1e9), yMin_(kBins, 1e9), yMax_(kBins, -1e9) {
    std::vector<std::uint16_t> binOf(kColors);
    for (TColor color = 0; color < kColors; ++color) {
      const double y = RelativeLuminance(color);
      const double l = CieLightnessOfF(CieLabF(y));
      const int bin = std::clamp(static_cast<int>(l * (kBins / 100.0)), 0, kBins - 1);
      binOf[color] = static_cast<std::uint16_t>(bin);
      ++first_[bin + 1];
      lMin_[bin] = std::min(lMin_[bin], l);
      lMax_[bin] = std::max(lMax_[bin], l);
      yMin_[bin] = std::min(yMin_[bin], y);
      yMax_[bin] = std::max(yMax_[bin], y);
    }
    std::partial_sum(first_.begin(), first_.end(), first_.begin());
    colors_.resize(kColors);
    std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
    for (TColor color = 0; color < kColors; ++color) colors_[next[binOf[color]]++] = color;
  }

  // The nearest passing colour by checking each passing colour. Two plain
  // facts save time: the ratio rises with the distance of the luminance
  // from the background's on either side, so a bin whose least and
  // greatest luminance both fail holds no passing colour; and
  // dE00^2 = (dL/SL)^2 + x^2 + y^2 + RT x y with |RT| < 2, so
  // dE00 >= |dL| / SL puts whole bins farther than the best so far.
  std::optional<ColorProposal> Nearest(TColor text, TColor background, double target) const {
    const CieLab textLab = CieLabOf(text);
    const double backgroundLuminance = RelativeLuminance(background);
    const auto passes = [&](double y) { return MeetsRatio(ContrastRatioOfLuminances(y, backgroundLuminance), target); };
    std::vector<std::pair<double, int>> bins;
    for (int bin = 0; bin < kBins; ++bin) {
      if (first_[bin] == first_[bin + 1] || (!passes(yMin_[bin]) && !passes(yMax_[bin]))) continue;
      const double dL = textLab.l < lMin_[bin] ? lMin_[bin] - textLab.l : textLab.l > lMax_[bin] ? textLab.l - lMax_[bin] : 0;
      const double sl = std::max(ciede2000_terms::LightnessWeight((textLab.l + lMin_[bin]) / 2),
                                 ciede2000_terms::LightnessWeight((textLab.l + lMax_[bin]) / 2));
      bins.emplace_back(dL / sl, bin);
    }
    std::sort(bins.begin(), bins.end());
    std::optional<ColorProposal> best;
    for (const auto& [lightnessBound, bin] : bins) {
      if (best && lightnessBound > best->deltaE * (1 + 1e-9) + 1e-9) break;
      for (std::uint32_t i = first_[bin]; i < first_[bin + 1]; ++i) {
        const TColor color = colors_[i];
        if (!MeetsRatio(ContrastRatio(color, background), target)) continue;
        const double deltaE = Ciede2000(textLab, CieLabOf(color));
        if (!best || deltaE < best->deltaE || (deltaE == best->deltaE && color < best->color)) best = {color, deltaE};
      }
    }
    return best;
  }

 private:
  static constexpr TColor kColors = 1 << 24;
  std::vector<std::uint32_t> first_;
  std::vector<double> lMin_, lMax_, yMin_, yMax_;
  std::vector<TColor> colors_;
};

#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
constexpr int kCheckedPairs = 40;  // slower arithmetic; the native run checks 200
#else
constexpr int kCheckedPairs = 200;
#endif

TEST(NearestPassingColor, SameAnswerAsCheckingEveryColor) {
  const ColorsByLightness colors;
  std::mt19937 random(2024);
  for (int pair = 0; pair < kCheckedPairs; ++pair) {
    const TColor text = random() & 0xFFFFFF;
    const TColor background = random() & 0xFFFFFF;
    const double target = pair % 2 ? kRatioAaaNormalText : kRatioAaNormalText;
    SCOPED_TRACE(testing::Message() << std::hex << "text " << text << ", background " << background << std::dec
                                    << ", target " << target);
    const auto expected = colors.Nearest(text, background, target);
    const auto proposal = NearestPassingColor(text, background, target);
    ASSERT_EQ(proposal.has_value(), expected.has_value());
    if (!expected) continue;
    EXPECT_EQ(proposal->color, expected->color);
    EXPECT_EQ(proposal->deltaE, expected->deltaE);
  }
}

}  // namespace
}  // namespace huemira
