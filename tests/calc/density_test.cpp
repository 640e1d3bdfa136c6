#include "calc/density.h"
#include "calc/errors.h"
#include "calc/field_values.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace varlo
{
namespace
{

std::uint32_t Bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

// What the result field shows: the density written with one decimal, or
// nothing when there is no result.
std::u16string Shown(std::optional<double> density)
{
    return density ? WriteNumberValue(*density, 1, Separators{}) : std::u16string();
}

// Checks a computed net volume against a case's bits, then the density of the
// case's yarn weight in it and what the result field shows for that.
template <typename Case> void ExpectVolumeAndDensity(float netVolume, const Case &c)
{
    EXPECT_EQ(Bits(netVolume), Bits(c.netVolume)) << netVolume;
    const std::optional<double> density = WindingDensity(c.yarn, netVolume);
    ASSERT_EQ(density.has_value(), c.density.has_value());
    if (density) {
        EXPECT_EQ(*density, static_cast<double>(*c.density)) << *density;
    }
    EXPECT_EQ(Shown(density), c.shown);
}

struct CilindricCase {
    double package, tube, traverse, yarn;
    float netVolume;
    std::optional<float> density;
    std::u16string shown;
};

TEST(CilindricVolume, GivesExactNetVolumeAndDensity)
{
    const CilindricCase cases[] = {
        {180, 60, 150, 1250, 3392920.0f, 368.414215087890625f, u"368.4"},
        {180, 0, 150, 1250, 3817035.0f, 327.47930908203125f, u"327.5"},
        // Computed in doubles throughout this would be 469.1500087... and show 469.2.
        {152.9, 60, 155, 1129.6, 2407758.75f, 469.149993896484375f, u"469.1"},
        {180, 60, 0, 1250, 0.0f, std::nullopt, u""},
        {180, 60, 150, 0, 3392920.0f, std::nullopt, u""},
        {60, 180, 150, 1250, -3392920.0f, std::nullopt, u""},
        {180, 180, 150, 1250, 0.0f, std::nullopt, u""},
        {0, 0, 0, 0, 0.0f, std::nullopt, u""},
        // Negative inputs, as a pasted text delivers them.
        {-180, 60, 150, 1250, 3392920.0f, 368.414215087890625f, u"368.4"},
        {60, 180, -150, 1250, 3392920.0f, 368.414215087890625f, u"368.4"},
        {180, 60, -150, 1250, -3392920.0f, std::nullopt, u""},
        {180, 60, 150, -1250, 3392920.0f, std::nullopt, u""},
        // A density far below the shown decimal.
        {1e13, 0, 1e12, 1, 7.8539818097135607e37f, 1.2732394978922439e-32f, u"0.0"},
        // A subnormal net volume is still positive.
        {0.1, 0, 0.1, 1e29, 7.8539818059653044e-4f, 1.2732395196065636e38f,
         u"127323951960656364000000000000000000000.0"},
        // The net volume underflows to zero: no result, where doubles would give 1.27e54.
        {1e-24, 0, 1, 1, 0.0f, std::nullopt, u""},
    };
    for (const CilindricCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.package << " / " << c.tube << " x " << c.traverse
                                        << ", " << c.yarn << " g");
        ExpectVolumeAndDensity(CilindricVolume(c.package, c.tube, c.traverse), c);
    }
}

struct ConicCase {
    double maxPackage, minPackage, traverse, maxTube, minTube, yarn;
    float netVolume;
    std::optional<float> density;
    std::u16string shown;
};

TEST(ConicVolume, GivesExactNetVolumeAndDensity)
{
    const ConicCase cases[] = {
        {200, 160, 150, 72, 52, 1500, 3375955.5f, 444.31866455078125f, u"444.3"},
        // A minimum above the maximum is the same frustum.
        {160, 200, 150, 52, 72, 1500, 3375955.5f, 444.31866455078125f, u"444.3"},
        // The tube volume rounds to the single 399500.625 first; in doubles
        // throughout this would be 442.0500039... and show 442.1.
        {200.5, 169.8, 145, 68, 50, 1553.1, 3513403.5f, 442.04998779296875f, u"442.0"},
        {210, 170, 152, 0, 0, 1800, 4325554.0f, 416.13165283203125f, u"416.1"},
        // A tube wider than the package at one end but smaller in volume.
        {100, 100, 150, 110, 10, 1000, 655807.4375f, 1524.837890625f, u"1524.8"},
        {80, 60, 150, 110, 90, 1000, -600829.625f, std::nullopt, u""},
        {210, 170, 0, 70, 50, 1800, 0.0f, std::nullopt, u""},
        {200, 160, 150, 72, 52, 0, 3375955.5f, std::nullopt, u""},
        // A negative tube diameter turns the sign of the cross product: 4144 instead of 11632.
        {200, 160, 150, -72, 52, 1500, 3670008.5f, 408.7184143066406f, u"408.7"},
        // A negative traverse turns both volumes.
        {80, 60, -150, 110, 90, 1000, 600829.625f, 1664.3653564453125f, u"1664.4"},
    };
    for (const ConicCase &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.maxPackage << "/" << c.minPackage << " on " << c.maxTube << "/"
                     << c.minTube << " x " << c.traverse << ", " << c.yarn << " g");
        ExpectVolumeAndDensity(
            ConicVolume(c.maxPackage, c.minPackage, c.traverse, c.maxTube, c.minTube), c);
    }
}

// The tube volume goes through single on its own, so a tube identical to its
// package is in general not exactly the package volume. That rounding must not
// turn an empty package into an enormous density (100/80 would otherwise show
// 107010392064.0), while a rounding that leaves the difference negative keeps it.
TEST(ConicVolume, TubeFillingThePackageLeavesNoYarnVolume)
{
    struct IdenticalCase {
        double max, min, traverse;
        float netVolume;
    };
    const IdenticalCase cases[] = {
        // W = 958185.7593448869..., the tube volume rounds down to 958185.75.
        {100, 80, 150, 0.0f},
        // W = 1178097.2450961724..., the tube volume rounds up to 1178097.25.
        {100, 100, 150, -0.004903827328234911f},
        {100, 80, -150, -0.009344886988401413f},
        {100, 100, -150, 0.0f},
        {140, 140, 150, 0.0f},
    };
    for (const IdenticalCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.max << "/" << c.min << " x " << c.traverse);
        const float netVolume = ConicVolume(c.max, c.min, c.traverse, c.max, c.min);
        EXPECT_EQ(Bits(netVolume), Bits(c.netVolume)) << netVolume;
        EXPECT_EQ(WindingDensity(1000, netVolume), std::nullopt);
    }
}

TEST(ConicVolume, TubeMinutelyLargerThanPackageLeavesNoYarnVolume)
{
    // The package's minimum a double below the tube's: without the check the
    // rounded tube volume would still leave 0.0093 mm3.
    const double below80 = std::nextafter(80.0, 0.0);
    EXPECT_EQ(ConicVolume(100, below80, 150, 100, 80), 0.0f);
}

TEST(DensityOverflow, StopsWhereTheSingleRangeIsExceeded)
{
    // The net volume, about 7.85e38.
    EXPECT_THROW(CilindricVolume(1e13, 0, 1e13), EOverflow);
    // The tube volume, about 1.05e39, overflows before the zero net volume is formed.
    EXPECT_THROW(ConicVolume(2e13, 0, 1e13, 2e13, 0), EOverflow);
    // The same package on no tube: the net volume overflows.
    EXPECT_THROW(ConicVolume(2e13, 0, 1e13, 0, 0), EOverflow);

    // The density, about 1.27e39, from a fine net volume of about 7.85e-4.
    const float smallVolume = CilindricVolume(0.1, 0, 0.1);
    EXPECT_THROW(WindingDensity(1e30, smallVolume), EOverflow);
    // The density of a subnormal net volume, about 1.27e46.
    const float subnormalVolume = CilindricVolume(1e-20, 0, 1);
    EXPECT_EQ(Bits(subnormalVolume), 0x0000DAF0u);
    EXPECT_THROW(WindingDensity(1, subnormalVolume), EOverflow);

    try {
        CilindricVolume(1e13, 0, 1e13);
        FAIL() << "no overflow";
    } catch (const EMathError &error) {
        EXPECT_EQ(error.message(), "Floating point overflow");
    }
}

} // namespace
} // namespace varlo
