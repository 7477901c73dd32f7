#include "color/ciede2000_bound.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "color/ciede2000.h"

namespace huemira {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Both computations round a few dozen times on values below 1000; their
// errors stay under 1e-10, far below this.
constexpr double kRoundingAllowance = 1e-6;

double Square(double x) { return x * x; }

double DistanceToRange(double x, double low, double high) { return x < low ? low - x : x > high ? x - high : 0.0; }

struct Range {
  double low, high;
};

// a' = (1 + G) a for every G in [gLow, gHigh].
Range StretchedA(const Range& a, double gLow, double gHigh) {
  return {a.low * (1.0 + (a.low < 0 ? gHigh : gLow)), a.high * (1.0 + (a.high > 0 ? gHigh : gLow))};
}

// Distances from the origin of the points of a rectangle.
Range RadiusRange(const Range& a, const Range& b) {
  return {std::sqrt(Square(DistanceToRange(0.0, a.low, a.high)) + Square(DistanceToRange(0.0, b.low, b.high))),
          std::sqrt(std::max(Square(a.low), Square(a.high)) + std::max(Square(b.low), Square(b.high)))};
}

// An arc of hue angles in degrees: from start in [0, 360), counter-
// clockwise, over length. A length of 360 stands for every hue.
struct HueArc {
  double start, length;
};
constexpr HueArc kEveryHue{0.0, 360.0};

// Arcs this long or longer say nothing about the mean hue; the margin
// below a half turn keeps rounding away from the turn at 180 degrees.
constexpr double kLongestUsefulArc = 179.0;

double Degrees(double b, double a) { return std::atan2(b, a) / kRadiansPerDegree; }

// to - from brought into (-180, 180], for angles in [-360, 720).
double WrappedDifference(double to, double from) {
  double d = to - from;
  while (d > 180.0) d -= 360.0;
  while (d <= -180.0) d += 360.0;
  return d;
}

// The hues of a rectangle that keeps clear of the origin lie within less
// than a half turn, between the hues of two corners: the most clockwise
// and the most counter-clockwise, found by cross products.
HueArc HueArcOf(const Range& a, const Range& b) {
  if (a.low <= 0 && a.high >= 0 && b.low <= 0 && b.high >= 0) return kEveryHue;
  struct Point {
    double a, b;
  };
  const Point corners[] = {{a.low, b.low}, {a.high, b.low}, {a.low, b.high}, {a.high, b.high}};
  const auto cross = [](const Point& p, const Point& q) { return p.a * q.b - p.b * q.a; };
  Point first = corners[0], last = corners[0];
  for (const Point& corner : corners) {
    if (cross(first, corner) < 0) first = corner;
    if (cross(last, corner) > 0) last = corner;
  }
  const double start = Degrees(first.b, first.a);
  const double length = WrappedDifference(Degrees(last.b, last.a), start);
  return {start < 0 ? start + 360.0 : start, std::max(0.0, length)};
}

// How the box's hues h2 lie from the reference's hues h1.
struct HueRelation {
  double leastDifference;  // least |dh'|
  int sign;                // of every dh' when they share one, else 0
  HueArc meanHues;         // where the formula's mean hue can lie
};

HueRelation RelationOf(const HueArc& reference, const HueArc& box) {
  if (reference.length >= 360.0 || box.length >= 360.0) return {0.0, 0, kEveryHue};
  // dh' = h2 - h1 runs over [low, high], low in (-180, 180].
  const double low = WrappedDifference(box.start, reference.start + reference.length);
  const double high = low + box.length + reference.length;
  HueRelation relation{0.0, 0, kEveryHue};
  if (low > 0) relation.leastDifference = high < 360.0 ? std::min(low, 360.0 - high) : 0.0;
  if (high < 0) relation.leastDifference = -high;
  // Without a wrap, the mean hue is h1 + dh'/2: the formula's mean of two
  // hues less than a half turn apart.
  if (low > -kLongestUsefulArc && high < kLongestUsefulArc) {
    relation.sign = low > 0 ? 1 : high < 0 ? -1 : 0;
    const double start = reference.start + low / 2.0;
    relation.meanHues = {start < 0 ? start + 360.0 : start >= 360.0 ? start - 360.0 : start,
                         reference.length + (high - low) / 2.0};
  }
  return relation;
}

// Upper bound of |sin(2 dTheta)|, dTheta = 30 exp(-((h - 275) / 25)^2) deg,
// over the mean hues h of the arc, taken as numbers in [0, 360) as the
// formula gives them.
double MaxRotationSine(const HueArc& arc) {
  double distance = 0.0;
  if (arc.length < 360.0) {
    const double end = arc.start + arc.length;
    distance = end <= 360.0 ? DistanceToRange(275.0, arc.start, end)
                            : std::min(DistanceToRange(275.0, arc.start, 360.0), DistanceToRange(275.0, 0.0, end - 360.0));
  }
  const double dTheta = 30.0 * std::exp(-Square(distance / 25.0));
  return std::sin(2.0 * dTheta * kRadiansPerDegree);  // 2 dTheta <= 60 deg, where sin grows
}

// Upper bounds of the hue weight T over each whole degree of mean hue: the
// largest of samples every 0.1 degree, plus the most T can rise within
// 0.05 degree (its slope is at most 0.17 + 2*0.24 + 3*0.32 + 4*0.20 per
// radian). The last entry holds the largest of all.
using HueWeightCeilings = std::array<double, 361>;

HueWeightCeilings MakeHueWeightCeilings() {
  constexpr double kMaxRise = (0.17 + 2 * 0.24 + 3 * 0.32 + 4 * 0.20) * kRadiansPerDegree * 0.05;
  HueWeightCeilings ceilings{};
  for (std::size_t degree = 0; degree < 360; ++degree) {
    double highest = 0;
    for (int tenth = 0; tenth <= 10; ++tenth) {
      const double h = (static_cast<double>(degree) + tenth / 10.0) * kRadiansPerDegree;
      highest = std::max(highest, 1.0 - 0.17 * std::cos(h - 30.0 * kRadiansPerDegree) + 0.24 * std::cos(2.0 * h) +
                                      0.32 * std::cos(3.0 * h + 6.0 * kRadiansPerDegree) -
                                      0.20 * std::cos(4.0 * h - 63.0 * kRadiansPerDegree));
    }
    ceilings[degree] = highest + kMaxRise;
    ceilings[360] = std::max(ceilings[360], ceilings[degree]);
  }
  return ceilings;
}

double MaxHueWeight(const HueArc& arc) {
  static const HueWeightCeilings ceilings = MakeHueWeightCeilings();
  if (arc.length >= 360.0) return ceilings[360];
  const auto first = static_cast<std::size_t>(arc.start);
  const auto last = static_cast<std::size_t>(arc.start + arc.length);
  double highest = 0;
  for (std::size_t degree = first; degree <= last; ++degree) highest = std::max(highest, ceilings[degree < 360 ? degree : degree - 360]);
  return highest;
}

// Least value of u^2 + v^2 - r u v for u >= u0 >= 0, v >= v0 >= 0, r < 2.
// The form is convex with its minimum at the origin, so the least value
// lies on one of the two edges.
double LeastSkewedSquare(double u0, double v0, double r) {
  const auto onEdge = [r](double fixed, double other0) {
    const double other = std::max(other0, r * fixed / 2.0);
    return fixed * fixed + other * other - r * fixed * other;
  };
  return std::min(onEdge(u0, v0), onEdge(v0, u0));
}

// |dL'| / SL at its least. SL grows with |mean L - 50|, so its largest
// value over the range is at an end.
double LightnessTerm(const CieLab& reference, double lMin, double lMax) {
  const double slMax = std::max(ciede2000_terms::LightnessWeight((reference.l + lMin) / 2.0),
                                ciede2000_terms::LightnessWeight((reference.l + lMax) / 2.0));
  return DistanceToRange(reference.l, lMin, lMax) / slMax;
}

}  // namespace

double Ciede2000LightnessLowerBound(const CieLab& reference, double lMin, double lMax) {
  return std::max(0.0, LightnessTerm(reference, lMin, lMax) - kRoundingAllowance);
}

// With x = dC'/SC and y = dH'/SH the difference is
//   dE^2 = (dL'/SL)^2 + x^2 + y^2 + RT x y.
// (1) The lightness term is bounded on its own (LightnessTerm).
// (2) dC'^2 + dH'^2 = C'1^2 + C'2^2 - 2 C'1 C'2 cos(dh') is the squared
//     distance of the points (a', b), a' = (1 + G) a: at least
//     ((1 + G) da)^2 + db^2 with G at its smallest. T < 3 makes SH < SC, so
//     with that distance split into dC'^2 and dH'^2, x^2 + y^2 is smallest
//     when dC' takes as much as it can.
// (3) |x| and |y| have their own least values, from the ranges of C' and
//     of hue: |dH'| = 2 sqrt(C'1 C'2) |sin(dh'/2)|.
// (4) RT = -RC sin(2 dTheta) lies in [-R, 0], R < 2: the cross term cannot
//     lower dE when x and y differ in sign (or the reference is grey, when
//     dH' = 0); otherwise x^2 + y^2 + RT x y >= (1 - R/2) (x^2 + y^2), and
//     >= |x|^2 + |y|^2 - R |x| |y| with |x|, |y| at their least.
// G, C', SC, SH and RC are bounded over the box through the ranges of C
// and hue: G falls as the mean C grows, and C' <= (1 + G) C.
double Ciede2000LowerBound(const CieLab& reference, const CieLabBox& box) {
  using namespace ciede2000_terms;
  const Range a{box.aMin, box.aMax}, b{box.bMin, box.bMax};
  const Range a1{reference.a, reference.a}, b1{reference.b, reference.b};
  const Range c = RadiusRange(a, b);
  const double c1 = std::sqrt(Square(reference.a) + Square(reference.b));
  const double gLow = ChromaCompensation((c1 + c.high) / 2.0);
  const double gHigh = ChromaCompensation((c1 + c.low) / 2.0);
  const Range aPrime = StretchedA(a, gLow, gHigh);
  const Range a1Prime = StretchedA(a1, gLow, gHigh);
  const Range cPrime = RadiusRange(aPrime, b);
  const Range c1Prime = RadiusRange(a1Prime, b1);
  const HueRelation hues = RelationOf(HueArcOf(a1Prime, b1), HueArcOf(aPrime, b));

  const double cBarPMax = (c1Prime.high + cPrime.high) / 2.0;
  const double scMax = 1.0 + 0.045 * cBarPMax;
  const double shMax = 1.0 + 0.015 * cBarPMax * MaxHueWeight(hues.meanHues);

  const double distance2 = Square((1.0 + gLow) * DistanceToRange(reference.a, a.low, a.high)) +
                           Square(DistanceToRange(reference.b, b.low, b.high));
  const double dCMin = std::max({0.0, cPrime.low - c1Prime.high, c1Prime.low - cPrime.high});
  const double dCMax = std::max(cPrime.high - c1Prime.low, c1Prime.high - cPrime.low);
  const double chromaPart = std::max(Square(dCMin), std::min(distance2, Square(dCMax)));
  const double huePart = std::max(0.0, distance2 - Square(dCMax));
  const double xMin = dCMin / scMax;
  const double yMin = 2.0 * std::sqrt(c1Prime.low * cPrime.low) *
                      std::sin(std::min(hues.leastDifference, 180.0) / 2.0 * kRadiansPerDegree) / shMax;
  const double squares = std::max(chromaPart / Square(scMax) + huePart / Square(shMax), Square(xMin) + Square(yMin));

  const int chromaSign = dCMin == 0 ? 0 : cPrime.low > c1Prime.high ? 1 : -1;
  double colorfulness = squares;
  if (c1 != 0 && chromaSign * hues.sign >= 0) {
    const double r = RotationChroma(cBarPMax) * MaxRotationSine(hues.meanHues);
    colorfulness = std::max((1.0 - r / 2.0) * squares, LeastSkewedSquare(xMin, yMin, r));
  }

  const double bound = std::sqrt(Square(LightnessTerm(reference, box.lMin, box.lMax)) + colorfulness);
  return std::max(0.0, bound - kRoundingAllowance);
}

}  // namespace huemira
