// Resolution conversions between dots per inch (what pictures and users
// speak) and pixels per metre (what a DIB header stores). An inch is exactly
// 0.0254 m, so pixels per metre = dpi x 5000 / 127 (39.370078740157480317...);
// integer arithmetic keeps the rounding exact: to the nearest, ties to even.
#pragma once

#include <cstdint>

namespace huemira {

std::int32_t DpiToPelsPerMeter(std::uint16_t dpi);
std::int64_t PelsPerMeterToDpi(std::int32_t pelsPerMeter);
// The dpi of a header value, or 0 (unknown) when it is not in 1 ... 65535.
std::uint16_t HeaderDpi(std::int32_t pelsPerMeter);

}  // namespace huemira
