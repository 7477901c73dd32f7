#include "color/display_to_srgb.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace huemira {
namespace {

// Debian's colord-data, which scripts/setup.sh installs.
const std::string kProfiles = "/usr/share/color/icc/colord/";

std::vector<std::uint8_t> ReadProfile(const std::string& name) {
  std::ifstream file(kProfiles + name, std::ios::binary);
  EXPECT_TRUE(file) << kProfiles + name << " is missing (install colord-data)";
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::shared_ptr<const DisplayToSrgb> UsableTransform(const std::vector<std::uint8_t>& profile) {
  DisplayTransformBuild build = BuildDisplayToSrgb(profile);
  EXPECT_EQ(build.verdict, DisplayProfileVerdict::Usable);
  return build.transform;
}

int LargestComponentDifference(TColor a, TColor b) {
  return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)), std::abs(BlueOf(a) - BlueOf(b))});
}

TEST(DisplayToSrgb, AgreesWithPillowOnAGridThroughAdobeRgb) {
  const auto transform = UsableTransform(ReadProfile("AdobeRGB1998.icc"));
  ASSERT_TRUE(transform);
  // Debian's own interpreter: Pillow is Debian's python3-pil.
  const std::string command = std::string(HUEMIRA_PYTHON " ") + HUEMIRA_SOURCE_DIR +
                              "/tests/color/pillow_display_to_srgb.py " + kProfiles + "AdobeRGB1998.icc";
  FILE* reference = popen(command.c_str(), "r");
  ASSERT_NE(reference, nullptr);
  int values = 0, worst = 0;
  int r, g, b, sr, sg, sb;
  while (std::fscanf(reference, "%d %d %d %d %d %d", &r, &g, &b, &sr, &sg, &sb) == 6) {
    const TColor converted = transform->Convert(MakeColor(r, g, b));
    const int difference = LargestComponentDifference(converted, MakeColor(sr, sg, sb));
    EXPECT_LE(difference, 1) << r << ' ' << g << ' ' << b;
    worst = std::max(worst, difference);
    ++values;
  }
  EXPECT_EQ(pclose(reference), 0) << "the reference script failed: " << command;
  EXPECT_EQ(values, 17 * 17 * 17);
  RecordProperty("worst_difference", worst);
}

// sRGB content drawn on a wide-gamut display (sRGB to display values, as a
// colour-managed program does) comes back as the sRGB it was. Every sRGB
// colour lies inside these displays' gamuts, but the display value is
// rounded to 8 bits, and where the display's step is coarser than sRGB's (a
// component near black in sRGB while the display's is not) one display step
// spans several sRGB steps. So the colour must come back between the
// conversions of the display values around it, give or take one step.
TEST(DisplayToSrgb, UndoesWhatAColourManagedProgramDrew) {
  for (const char* name : {"AdobeRGB1998.icc", "WideGamutRGB.icc"}) {
    const std::vector<std::uint8_t> bytes = ReadProfile(name);
    const auto back = UsableTransform(bytes);
    ASSERT_TRUE(back) << name;
    cmsHPROFILE display = cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM draw =
        cmsCreateTransform(srgb, TYPE_RGB_8, display, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    ASSERT_NE(draw, nullptr) << name;
    int outside = 0, exact = 0, tried = 0;
    for (int r = 0; r < 256; r += 7) {
      for (int g = 0; g < 256; g += 7) {
        for (int b = 0; b < 256; b += 7) {
          const std::uint8_t source[3] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                          static_cast<std::uint8_t>(b)};
          std::uint8_t drawn[3];
          cmsDoTransform(draw, source, drawn, 1);
          const TColor picked = back->Convert(MakeColor(drawn[0], drawn[1], drawn[2]));
          int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
          for (int dr = -1; dr <= 1; ++dr) {
            for (int dg = -1; dg <= 1; ++dg) {
              for (int db = -1; db <= 1; ++db) {
                const TColor around = back->Convert(MakeColor(std::clamp(drawn[0] + dr, 0, 255),
                                                              std::clamp(drawn[1] + dg, 0, 255),
                                                              std::clamp(drawn[2] + db, 0, 255)));
                const int parts[3] = {RedOf(around), GreenOf(around), BlueOf(around)};
                for (int i = 0; i < 3; ++i) {
                  low[i] = std::min(low[i], parts[i]);
                  high[i] = std::max(high[i], parts[i]);
                }
              }
            }
          }
          const int sources[3] = {r, g, b};
          for (int i = 0; i < 3; ++i) {
            if (sources[i] < low[i] - 1 || sources[i] > high[i] + 1) ++outside;
          }
          if (LargestComponentDifference(picked, MakeColor(r, g, b)) <= 1) ++exact;
          ++tried;
        }
      }
    }
    EXPECT_EQ(outside, 0) << name;
    // Most colours come back within one step outright.
    EXPECT_GT(exact, tried * 3 / 4) << name;
    cmsDeleteTransform(draw);
    cmsCloseProfile(srgb);
    cmsCloseProfile(display);
  }
}

TEST(DisplayToSrgb, IgnoresTheBitsAboveTheColour) {
  const auto transform = UsableTransform(ReadProfile("AdobeRGB1998.icc"));
  ASSERT_TRUE(transform);
  EXPECT_EQ(transform->Convert(0xFF123456u), transform->Convert(0x00123456u));
  EXPECT_EQ(transform->Convert(0xFF123456u) >> 24, 0u);
}

std::vector<std::uint8_t> SavedProfile(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::vector<std::uint8_t> bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

TEST(DisplayToSrgb, RefusesWhatIsNoRgbDisplayProfile) {
  const std::vector<std::uint8_t> adobe = ReadProfile("AdobeRGB1998.icc");
  EXPECT_EQ(BuildDisplayToSrgb({}).verdict, DisplayProfileVerdict::Unreadable);
  const std::string text = "not a colour profile at all, though long enough for a header ..........................";
  EXPECT_EQ(BuildDisplayToSrgb({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}).verdict,
            DisplayProfileVerdict::Unreadable);
  EXPECT_EQ(BuildDisplayToSrgb(std::span(adobe).first(100)).verdict, DisplayProfileVerdict::Unreadable);
  // The header, the tag table and the white point whole; the colorants cut off.
  const DisplayTransformBuild cut = BuildDisplayToSrgb(std::span(adobe).first(6300));
  EXPECT_NE(cut.verdict, DisplayProfileVerdict::Usable);
  EXPECT_EQ(cut.transform, nullptr);

  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
  EXPECT_EQ(BuildDisplayToSrgb(SavedProfile(cmsCreateGrayProfile(cmsD50_xyY(), gamma))).verdict,
            DisplayProfileVerdict::NotRgbDisplay);
  cmsFreeToneCurve(gamma);
  EXPECT_EQ(BuildDisplayToSrgb(ReadProfile("x11-colors.icc")).verdict, DisplayProfileVerdict::NotRgbDisplay);
}

TEST(DisplayToSrgb, ReadsProfilesUpToTheSizeCapOnly) {
  std::vector<std::uint8_t> padded = ReadProfile("AdobeRGB1998.icc");
  padded.resize(kMaxDisplayProfileBytes);
  EXPECT_EQ(BuildDisplayToSrgb(padded).verdict, DisplayProfileVerdict::Usable);
  padded.push_back(0);
  const DisplayTransformBuild refused = BuildDisplayToSrgb(padded);
  EXPECT_EQ(refused.verdict, DisplayProfileVerdict::TooLarge);
  EXPECT_EQ(refused.transform, nullptr);
}

// Damage anywhere in a real profile gives a transform or a refusal, never a
// crash; a transform that is built still converts.
TEST(DisplayToSrgb, SurvivesDamagedProfiles) {
  const std::vector<std::uint8_t> adobe = ReadProfile("AdobeRGB1998.icc");
  // Densely in the header and tag table, sparsely in the tags.
  for (std::size_t at = 0; at < adobe.size(); at += at < 300 ? 3 : 97) {
    for (std::uint8_t damage : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
      std::vector<std::uint8_t> damaged = adobe;
      damaged[at] = damage;
      const DisplayTransformBuild build = BuildDisplayToSrgb(damaged);
      ASSERT_EQ(build.transform != nullptr, build.verdict == DisplayProfileVerdict::Usable) << at;
      if (build.transform) build.transform->Convert(MakeColor(200, 100, 50));
    }
  }
}

}  // namespace
}  // namespace huemira
