#include "color/color_spaces.h"

#include <cmath>

namespace huemira {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

struct Matrix {
  double m[3][3];
  LinearRgb operator*(const CieXyz& v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
};

CieXyz AsXyz(const LinearRgb& v) { return {v.r, v.g, v.b}; }

// The matrices of CSS Color 4's sample code, as exact fractions.
constexpr Matrix kXyzD65ToLinearSrgb{{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                                      {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                                      {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
constexpr Matrix kD50ToD65Bradford{{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                                    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                                    {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
constexpr Matrix kLinearP3ToXyzD65{{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
                                    {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
                                    {0.0, 32229.0 / 714400, 5220557.0 / 5000800}}};
constexpr Matrix kLinearA98ToXyzD65{{{573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
                                     {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
                                     {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835}}};
constexpr Matrix kLinearProPhotoToXyzD50{{{0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
                                          {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
                                          {0.0, 0.0, 0.82510460251046020}}};
constexpr Matrix kLinearRec2020ToXyzD65{{{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
                                         {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
                                         {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};
// D50 from its chromaticity (0.3457, 0.3585).
constexpr CieXyz kWhiteD50{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

double HueToRgb(double m1, double m2, double hue) {
  // hue in [0, 360)
  if (hue < 60) return m1 + (m2 - m1) * hue / 60;
  if (hue < 180) return m2;
  if (hue < 240) return m1 + (m2 - m1) * (240 - hue) / 60;
  return m1;
}

// Each component through a transfer function, odd as CSS extends them.
template <typename Transfer>
CieXyz Linearized(const EncodedRgb& c, Transfer transfer) {
  const auto odd = [&](double v) { return std::copysign(transfer(std::abs(v)), v); };
  return {odd(c.r), odd(c.g), odd(c.b)};
}

double WrapDegrees(double hue) {
  hue = std::fmod(hue, 360.0);
  return hue < 0 ? hue + 360.0 : hue;
}

}  // namespace

double LinearFromEncoded(double encoded) {
  const double magnitude = std::abs(encoded);
  const double linear = magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
  return std::copysign(linear, encoded);
}

double EncodedFromLinear(double linear) {
  const double magnitude = std::abs(linear);
  const double encoded = magnitude <= 0.0031308 ? magnitude * 12.92 : 1.055 * std::pow(magnitude, 1 / 2.4) - 0.055;
  return std::copysign(encoded, linear);
}

LinearRgb LinearFromSrgb(const EncodedRgb& srgb) {
  return {LinearFromEncoded(srgb.r), LinearFromEncoded(srgb.g), LinearFromEncoded(srgb.b)};
}

EncodedRgb SrgbFromHsl(double hue, double saturation, double lightness) {
  // CSS Color 4 §7.1.
  hue = WrapDegrees(hue);
  const double m2 = lightness <= 0.5 ? lightness * (saturation + 1) : lightness + saturation - lightness * saturation;
  const double m1 = lightness * 2 - m2;
  return {HueToRgb(m1, m2, WrapDegrees(hue + 120)), HueToRgb(m1, m2, hue), HueToRgb(m1, m2, WrapDegrees(hue - 120))};
}

EncodedRgb SrgbFromHwb(double hue, double whiteness, double blackness) {
  if (whiteness + blackness >= 1) {
    const double grey = whiteness / (whiteness + blackness);
    return {grey, grey, grey};
  }
  const EncodedRgb pure = SrgbFromHsl(hue, 1, 0.5);
  const double scale = 1 - whiteness - blackness;
  return {pure.r * scale + whiteness, pure.g * scale + whiteness, pure.b * scale + whiteness};
}

LinearRgb LinearFromOkLab(const OkLab& lab) {
  // The inverse of OkLabOfLinear, as Ottosson published it.
  const double l = lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b;
  const double m = lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b;
  const double s = lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b;
  const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
  return {4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3,
          -1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3,
          -0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076147010 * s3};
}

OkLab OkLabFromOkLch(const OkLch& lch) {
  return {lch.l, lch.c * std::cos(lch.h * kRadiansPerDegree), lch.c * std::sin(lch.h * kRadiansPerDegree)};
}

LinearRgb LinearFromXyzD65(const CieXyz& xyz) { return kXyzD65ToLinearSrgb * xyz; }

LinearRgb LinearFromXyzD50(const CieXyz& xyz) { return LinearFromXyzD65(AsXyz(kD50ToD65Bradford * xyz)); }

LinearRgb LinearFromLabD50(const CieLab& lab) {
  // CSS Color 4 §17.5, with the CIE's exact constants.
  constexpr double kKappa = 24389.0 / 27.0;
  constexpr double kEpsilon = 216.0 / 24389.0;
  const double f1 = (lab.l + 16) / 116;
  const double f0 = lab.a / 500 + f1;
  const double f2 = f1 - lab.b / 200;
  const auto component = [&](double f) { return f * f * f > kEpsilon ? f * f * f : (116 * f - 16) / kKappa; };
  const double y = lab.l > kKappa * kEpsilon ? f1 * f1 * f1 : lab.l / kKappa;
  return LinearFromXyzD50({component(f0) * kWhiteD50.x, y * kWhiteD50.y, component(f2) * kWhiteD50.z});
}

CieLab LabFromLch(double lightness, double chroma, double hue) {
  return {lightness, chroma * std::cos(hue * kRadiansPerDegree), chroma * std::sin(hue * kRadiansPerDegree)};
}

LinearRgb LinearFromDisplayP3(const EncodedRgb& p3) {
  return LinearFromXyzD65(AsXyz(kLinearP3ToXyzD65 * AsXyz(LinearFromSrgb(p3))));
}

LinearRgb LinearFromA98Rgb(const EncodedRgb& a98) {
  const CieXyz linear = Linearized(a98, [](double v) { return std::pow(v, 563.0 / 256); });
  return LinearFromXyzD65(AsXyz(kLinearA98ToXyzD65 * linear));
}

LinearRgb LinearFromProPhotoRgb(const EncodedRgb& proPhoto) {
  const CieXyz linear = Linearized(proPhoto, [](double v) { return v <= 16.0 / 512 ? v / 16 : std::pow(v, 1.8); });
  return LinearFromXyzD50(AsXyz(kLinearProPhotoToXyzD50 * linear));
}

LinearRgb LinearFromRec2020(const EncodedRgb& rec2020) {
  constexpr double kAlpha = 1.09929682680944;
  constexpr double kBeta = 0.018053968510807;
  const CieXyz linear = Linearized(rec2020, [](double v) {
    return v < kBeta * 4.5 ? v / 4.5 : std::pow((v + kAlpha - 1) / kAlpha, 1 / 0.45);
  });
  return LinearFromXyzD65(AsXyz(kLinearRec2020ToXyzD65 * linear));
}

}  // namespace huemira
