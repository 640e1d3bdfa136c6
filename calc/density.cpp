#include "calc/density.h"

namespace varlo
{

namespace
{

// Cubic millimetres in a cubic decimetre, held as a single like the volumes it
// scales.
constexpr float UnitFactor = 1000000.0f;

Extended Widen(double value)
{
    return Extended::fromDouble(value);
}

// pi/12 x (a^2 + a b + b^2), the sum added left to right as the frustum formula
// reads; only its magnitude differs when the two diameters are exchanged.
Extended FrustumFactor(double maxDiameter, double minDiameter)
{
    const Extended max = Widen(maxDiameter);
    const Extended min = Widen(minDiameter);
    Extended sum = max * max;
    sum = sum + min * max;
    sum = sum + min * min;
    return sum * TwelfthPi;
}

} // namespace

float CilindricVolume(double packageDiameter, double tubeDiameter, double traverse)
{
    const Extended package = Widen(packageDiameter);
    const Extended tube = Widen(tubeDiameter);
    const Extended squares = package * package - tube * tube;
    return (Widen(traverse) * (squares * QuarterPi)).toSingle();
}

float ConicVolume(double maxPackageDiameter, double minPackageDiameter, double traverse,
                  double maxTubeDiameter, double minTubeDiameter)
{
    const Extended length = Widen(traverse);

    // The tube volume goes through single before it is subtracted, so a value
    // beyond the single range stops the computation here, whatever the package.
    const Extended tubeVolume = length * FrustumFactor(maxTubeDiameter, minTubeDiameter);
    const float roundedTubeVolume = tubeVolume.toSingle();

    const Extended packageVolume = length * FrustumFactor(maxPackageDiameter, minPackageDiameter);
    const float netVolume = (packageVolume - Extended::fromSingle(roundedTubeVolume)).toSingle();

    // Rounding the tube volume to single can leave a sliver of positive volume
    // for a tube that fills the package, which would show an absurd density for
    // a package holding no yarn. A tube at least as large as the package leaves
    // no room for yarn.
    if (!(tubeVolume < packageVolume) && netVolume > 0.0f)
        return 0.0f;
    return netVolume;
}

std::optional<double> WindingDensity(double yarnWeight, float netVolume)
{
    if (!(netVolume > 0.0f))
        return std::nullopt;
    if (!(yarnWeight > 0.0))
        return std::nullopt;
    const Extended grams = Widen(yarnWeight) * Extended::fromSingle(UnitFactor);
    const Extended density = grams / Extended::fromSingle(netVolume);
    return static_cast<double>(density.toSingle());
}

} // namespace varlo
