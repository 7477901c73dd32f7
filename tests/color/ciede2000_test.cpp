#include "color/ciede2000.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "color/ciede2000_bound.h"

namespace huemira {
namespace {

struct SharmaPair {
  CieLab lab1, lab2;
  double deltaE;
};

// The 34 test pairs of Sharma, Wu and Dalal (2005), Table 1, as shipped
// with scikit-image 0.19.3 (Debian python3-skimage,
// skimage/color/tests/ciede2000_test_data.txt).
const SharmaPair kSharmaPairs[] = {
    {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
    {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
    {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
    {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
    {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
    {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
    {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
    {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
    {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

TEST(Ciede2000, SharmaWuDalalTestPairsToFourDecimals) {
  int pair = 1;
  for (const SharmaPair& p : kSharmaPairs) {
    EXPECT_NEAR(Ciede2000(p.lab1, p.lab2), p.deltaE, 0.00005) << "pair " << pair;
    EXPECT_NEAR(Ciede2000(p.lab2, p.lab1), p.deltaE, 0.00005) << "pair " << pair << ", swapped";
    ++pair;
  }
  EXPECT_EQ(Ciede2000({50, 2.5, 0}, {50, 2.5, 0}), 0.0);
}

TEST(Ciede2000, DifferenceTextsShowTwoDecimalsAndAPlainZero) {
  EXPECT_EQ(DeltaEText(0), L"ΔE 0");
  EXPECT_EQ(DeltaEText(1.234), L"ΔE 1.23");
  EXPECT_EQ(DeltaEText(0.004), L"ΔE 0.00") << "a difference, however small, is not none";
}

TEST(CieLab, WhiteGreysAndRed) {
  const CieLab white = CieLabOf(0xFFFFFF);
  EXPECT_EQ(white.l, 100.0);
  EXPECT_EQ(white.a, 0.0);
  EXPECT_EQ(white.b, 0.0);
  const CieLab grey = CieLabOf(MakeColor(0x77, 0x77, 0x77));
  EXPECT_NEAR(grey.l, 50.03, 0.01);
  EXPECT_NEAR(grey.a, 0.0, 1e-9);
  EXPECT_NEAR(grey.b, 0.0, 1e-9);
  // The 4-digit matrix with its own white: other texts, with a 7-digit
  // matrix, give 53.24, 80.09, 67.20.
  const CieLab red = CieLabOf(MakeColor(255, 0, 0));
  EXPECT_NEAR(red.l, 53.233, 0.001);
  EXPECT_NEAR(red.a, 80.105, 0.001);
  EXPECT_NEAR(red.b, 67.223, 0.001);
}

// The search drops whole boxes of colours on these bounds, so a bound above
// a single difference in its box would lose answers. Boxes are made the way
// the search meets them, small and large, all over the cube, with
// references of every hue and greys.
TEST(Ciede2000LowerBound, NeverExceedsTheDifferenceOfAnyColorInTheBox) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 4000; ++trial) {
    TColor reference = random() & 0xFFFFFF;
    if (trial % 10 == 0) reference = (random() & 0xFF) * 0x010101u;
    const CieLab referenceLab = CieLabOf(reference);
    const int size = 1 << (random() % 7);
    int low[3];
    for (int& component : low) component = static_cast<int>(random() % static_cast<unsigned>(257 - size));

    CieLab samples[24];
    CieLabBox box{1e9, -1e9, 1e9, -1e9, 1e9, -1e9};
    for (int i = 0; i < 24; ++i) {
      // The eight corners, then points inside.
      const auto at = [&](int axis) {
        return low[axis] + (i < 8 ? ((i >> axis) & 1) * (size - 1) : static_cast<int>(random() % static_cast<unsigned>(size)));
      };
      samples[i] = CieLabOf(MakeColor(at(0), at(1), at(2)));
      box = {std::min(box.lMin, samples[i].l), std::max(box.lMax, samples[i].l), std::min(box.aMin, samples[i].a),
             std::max(box.aMax, samples[i].a), std::min(box.bMin, samples[i].b), std::max(box.bMax, samples[i].b)};
    }
    const double bound = Ciede2000LowerBound(referenceLab, box);
    const double lightnessBound = Ciede2000LightnessLowerBound(referenceLab, box.lMin, box.lMax);
    for (const CieLab& sample : samples) {
      const double deltaE = Ciede2000(referenceLab, sample);
      ASSERT_LE(bound, deltaE) << std::hex << reference << " box at " << low[0] << "," << low[1] << "," << low[2]
                               << " size " << std::dec << size;
      ASSERT_LE(lightnessBound, deltaE);
    }
  }
}

}  // namespace
}  // namespace huemira
