#include "color/nearest_entry.h"

#include <gtest/gtest.h>

#include <random>

#include "color/ciede2000.h"
#include "color/css_named_colors.h"

namespace huemira {
namespace {

NearestMatch BruteForce(const Palette& palette, TColor color) {
  const CieLab target = CieLabOf(color);
  NearestMatch best{0, Ciede2000(target, CieLabOf(palette.entries[0].color))};
  for (std::size_t i = 1; i < palette.entries.size(); ++i) {
    const double deltaE = Ciede2000(target, CieLabOf(palette.entries[i].color));
    if (deltaE < best.deltaE) best = {i, deltaE};
  }
  return best;
}

TEST(NearestEntry, AgreesWithACheckOfEveryEntry) {
  std::mt19937 random(11);
  for (const std::size_t size : {1u, 2u, 7u, 9u, 100u, 3000u}) {
    Palette palette;
    for (std::size_t i = 0; i < size; ++i) {
      // Some palettes crowd into a corner of the colour space, some repeat
      // colours, so that ties and near ties occur.
      const TColor mask = size == 100 ? 0x3F3F3F : size == 3000 ? 0xF0F0F0 : 0xFFFFFF;
      palette.entries.push_back({.color = static_cast<TColor>(random() & mask)});
    }
    const NearestEntryIndex index(palette);
    for (int query = 0; query < 300; ++query) {
      const TColor color = random() & 0xFFFFFF;
      const std::optional<NearestMatch> match = index.Nearest(color);
      const NearestMatch expected = BruteForce(palette, color);
      ASSERT_TRUE(match.has_value());
      ASSERT_EQ(match->index, expected.index) << size << " " << color;
      ASSERT_EQ(match->deltaE, expected.deltaE);
    }
  }
}

TEST(NearestEntry, NamesTheCssColourOfAPick) {
  const Palette palette = CssNamedColorsPalette();
  const NearestEntryIndex index(palette);
  const std::optional<NearestMatch> coral = index.Nearest(MakeColor(0xFF, 0x7F, 0x50));
  ASSERT_TRUE(coral.has_value());
  EXPECT_EQ(palette.entries[coral->index].name, "coral");
  EXPECT_EQ(coral->deltaE, 0.0);
  // "aqua" and "cyan" are one colour: the first in the palette wins.
  EXPECT_EQ(palette.entries[index.Nearest(MakeColor(0, 250, 250))->index].name, "aqua");
  EXPECT_FALSE(NearestEntryIndex(Palette{}).Nearest(clBlack).has_value());
}

}  // namespace
}  // namespace huemira
