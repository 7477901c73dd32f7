#include "imaging/dib/resolution.h"

namespace huemira {
namespace {

constexpr std::int64_t kMetreParts = 5000;
constexpr std::int64_t kInchParts = 127;

// numerator / denominator (denominator > 0) rounded to nearest, ties to even.
std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // floor division, so that the rule is the same below zero
    --quotient;
    remainder += denominator;
  }
  const std::int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && (quotient & 1))) ++quotient;
  return quotient;
}

}  // namespace

std::int32_t DpiToPelsPerMeter(std::uint16_t dpi) {
  return static_cast<std::int32_t>(DivideRoundHalfEven(std::int64_t{dpi} * kMetreParts, kInchParts));
}

std::int64_t PelsPerMeterToDpi(std::int32_t pelsPerMeter) {
  return DivideRoundHalfEven(std::int64_t{pelsPerMeter} * kInchParts, kMetreParts);
}

std::uint16_t HeaderDpi(std::int32_t pelsPerMeter) {
  const std::int64_t dpi = PelsPerMeterToDpi(pelsPerMeter);
  return dpi > 0 && dpi <= 65535 ? static_cast<std::uint16_t>(dpi) : 0;
}

}  // namespace huemira
