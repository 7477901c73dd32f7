#include "color/ciede2000.h"

#include <cmath>
#include <cstdio>
#include <iterator>

namespace huemira {

namespace ciede2000_terms {

double ChromaCompensation(double meanChroma) {
  const double c7 = Pow7(meanChroma);
  return 0.5 * (1.0 - std::sqrt(c7 / (c7 + k25Pow7)));
}

double LightnessWeight(double meanLightness) {
  const double d2 = (meanLightness - 50.0) * (meanLightness - 50.0);
  return 1.0 + 0.015 * d2 / std::sqrt(20.0 + d2);
}

double RotationChroma(double meanChromaPrime) {
  const double c7 = Pow7(meanChromaPrime);
  return 2.0 * std::sqrt(c7 / (c7 + k25Pow7));
}

}  // namespace ciede2000_terms

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// h' in degrees [0, 360); 0 when a' = b = 0.
double HueAngle(double b, double aPrime) {
  if (b == 0 && aPrime == 0) return 0;
  const double hue = std::atan2(b, aPrime) / kRadiansPerDegree;
  return hue < 0 ? hue + 360.0 : hue;
}

}  // namespace

double Ciede2000(const CieLab& lab1, const CieLab& lab2) {
  using namespace ciede2000_terms;
  const double c1 = std::sqrt(lab1.a * lab1.a + lab1.b * lab1.b);
  const double c2 = std::sqrt(lab2.a * lab2.a + lab2.b * lab2.b);
  const double g = ChromaCompensation((c1 + c2) / 2.0);
  const double a1p = (1.0 + g) * lab1.a;
  const double a2p = (1.0 + g) * lab2.a;
  const double c1p = std::sqrt(a1p * a1p + lab1.b * lab1.b);
  const double c2p = std::sqrt(a2p * a2p + lab2.b * lab2.b);
  const double h1p = HueAngle(lab1.b, a1p);
  const double h2p = HueAngle(lab2.b, a2p);
  const bool achromatic = c1p * c2p == 0;

  const double dLp = lab2.l - lab1.l;
  const double dCp = c2p - c1p;
  double dhp = 0;
  if (!achromatic) {
    dhp = h2p - h1p;
    if (dhp > 180.0) dhp -= 360.0;
    else if (dhp < -180.0) dhp += 360.0;
  }
  const double dHp = 2.0 * std::sqrt(c1p * c2p) * std::sin(dhp / 2.0 * kRadiansPerDegree);

  const double lBarP = (lab1.l + lab2.l) / 2.0;
  const double cBarP = (c1p + c2p) / 2.0;
  double hBarP = h1p + h2p;
  if (!achromatic) {
    if (std::fabs(h1p - h2p) <= 180.0) hBarP /= 2.0;
    else hBarP = hBarP < 360.0 ? (hBarP + 360.0) / 2.0 : (hBarP - 360.0) / 2.0;
  }

  const double t = 1.0 - 0.17 * std::cos((hBarP - 30.0) * kRadiansPerDegree) +
                   0.24 * std::cos(2.0 * hBarP * kRadiansPerDegree) +
                   0.32 * std::cos((3.0 * hBarP + 6.0) * kRadiansPerDegree) -
                   0.20 * std::cos((4.0 * hBarP - 63.0) * kRadiansPerDegree);
  const double hueFrom275 = (hBarP - 275.0) / 25.0;
  const double dTheta = 30.0 * std::exp(-hueFrom275 * hueFrom275);
  const double rt = -std::sin(2.0 * dTheta * kRadiansPerDegree) * RotationChroma(cBarP);
  const double sl = LightnessWeight(lBarP);
  const double sc = 1.0 + 0.045 * cBarP;
  const double sh = 1.0 + 0.015 * cBarP * t;

  const double lightness = dLp / sl;
  const double chroma = dCp / sc;
  const double hue = dHp / sh;
  return std::sqrt(lightness * lightness + chroma * chroma + hue * hue + rt * chroma * hue);
}

std::wstring DeltaEText(double deltaE) {
  if (deltaE == 0) return L"ΔE 0";
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"ΔE %.2f", deltaE);
  return text;
}

}  // namespace huemira
