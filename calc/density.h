#pragma once

#include "calc/Extended.h"

#include <optional>

namespace varlo
{

// The extended values nearest to pi/4 and pi/12, ready-made so that no division
// happens at run time.
inline constexpr Extended QuarterPi = Extended::fromFields(0x3FFE, 0xC90FDAA22168C235);
inline constexpr Extended TwelfthPi = Extended::fromFields(0x3FFD, 0x860A91C16B9B2C23);

// Net yarn volume in mm3 of a cylindrical package (diameters and traverse in mm),
// rounded to single. Throws EOverflow when the volume exceeds the single range.
float CilindricVolume(double packageDiameter, double tubeDiameter, double traverse);

// Net yarn volume in mm3 of a conical package on a conical tube, rounded to
// single. Throws EOverflow when the tube volume or the net volume exceeds the
// single range.
float ConicVolume(double maxPackageDiameter, double minPackageDiameter, double traverse,
                  double maxTubeDiameter, double minTubeDiameter);

// Average winding density in g/dm3 (a single widened to double), or no result
// when the net volume or the yarn weight is not positive. Throws EOverflow when
// the density exceeds the single range.
std::optional<double> WindingDensity(double yarnWeight, float netVolume);

} // namespace varlo
