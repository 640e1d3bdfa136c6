#pragma once

#include "calc/Extended.h"

#include <cstdint>

namespace varlo
{

// value x 10^scale, the power applied as up to three factors taken from the
// tables of nearest extended powers, 10^(m mod 32), 10^(32 (m/32 mod 16)) and
// 10^(512 (m/512)) for m = |scale|, each product or quotient rounded to
// extended. A division by 10^5120 or more gives 0. Conditions go to `status`.
Extended ScaleByPowerOfTen(Extended value, std::int64_t scale, FpStatus &status);

// The E with 10^(E-1) <= magnitude < 10^E, exactly, for a finite magnitude > 0.
int DecimalExponent(Extended magnitude);

} // namespace varlo
