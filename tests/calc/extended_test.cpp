#include "calc/Extended.h"
#include "calc/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using varlo::Extended;
using varlo::FpStatus;

namespace
{

Extended fields(std::uint16_t se, std::uint64_t sig)
{
    return Extended::fromFields(se, sig);
}

void expectBits(Extended actual, std::uint16_t se, std::uint64_t sig)
{
    EXPECT_EQ(actual.signExponent(), se) << std::hex << actual.signExponent();
    EXPECT_EQ(actual.significand(), sig) << std::hex << actual.significand();
}

std::uint32_t bitsOf(float f)
{
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

std::uint64_t bitsOf(double d)
{
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

TEST(ExtendedWidening, IsExactForDoublesSinglesAndIntegers)
{
    expectBits(Extended::fromDouble(1.0), 0x3FFF, 0x8000000000000000u);
    expectBits(Extended::fromDouble(-0.0), 0x8000, 0);
    expectBits(Extended::fromDouble(0.1), 0x3FFB, 0xCCCCCCCCCCCCD000u);
    // The smallest subnormal double, 2^-1074, is a normal extended number.
    expectBits(Extended::fromDouble(std::numeric_limits<double>::denorm_min()), 0x3FFF - 1074,
               0x8000000000000000u);
    expectBits(Extended::fromDouble(std::numeric_limits<double>::max()), 0x43FE,
               0xFFFFFFFFFFFFF800u);
    expectBits(Extended::fromSingle(std::numeric_limits<float>::denorm_min()), 0x3FFF - 149,
               0x8000000000000000u);
    expectBits(Extended::fromInt(-1000000), 0xC012, 0xF424000000000000u);
    expectBits(Extended::fromUInt(~std::uint64_t{0}), 0x403E, ~std::uint64_t{0});
    expectBits(Extended::fromInt(std::numeric_limits<std::int64_t>::min()), 0xC03E,
               0x8000000000000000u);
    EXPECT_TRUE(Extended::fromDouble(std::numeric_limits<double>::infinity()).isInfinite());
    EXPECT_TRUE(Extended::fromDouble(std::nan("")).isNaN());
}

TEST(ExtendedArithmetic, RoundsOnceToNearestEven)
{
    const Extended one = Extended::fromInt(1);
    const Extended three = Extended::fromInt(3);
    // 1/3 rounds down, 2/3 rounds up in the last of 64 bits.
    expectBits(one / three, 0x3FFD, 0xAAAAAAAAAAAAAAABu);
    expectBits(Extended::fromInt(2) / three, 0x3FFE, 0xAAAAAAAAAAAAAAABu);
    // 1 + 2^-64 is a tie between 1 and 1 + 2^-63: even wins.
    const Extended tiny = fields(0x3FFF - 64, 0x8000000000000000u);
    expectBits(one + tiny, 0x3FFF, 0x8000000000000000u);
    // (1 + 2^-63) + 2^-64 is a tie that rounds up to the even neighbour.
    expectBits(fields(0x3FFF, 0x8000000000000001u) + tiny, 0x3FFF, 0x8000000000000002u);
    // Anything beyond the tie rounds up.
    expectBits(one + fields(0x3FFF - 64, 0x8000000000000001u), 0x3FFF, 0x8000000000000001u);
    // Exact cancellation gives +0, even for negative operands.
    expectBits(three.negated() - three.negated(), 0x0000, 0);
    expectBits(Extended::fromDouble(-0.0) + Extended::fromDouble(-0.0), 0x8000, 0);
}

TEST(ExtendedArithmetic, UnderflowIsGradualAndSilent)
{
    const Extended minNormal = fields(0x0001, 0x8000000000000000u);
    FpStatus status;
    const Extended half = Extended::div(minNormal, Extended::fromInt(2), status);
    expectBits(half, 0x0000, 0x4000000000000000u);
    EXPECT_FALSE(status.any(varlo::FpUnderflow)); // exact, so no underflow
    const Extended third = Extended::div(minNormal, Extended::fromInt(3), status);
    expectBits(third, 0x0000, 0x2AAAAAAAAAAAAAABu);
    EXPECT_TRUE(status.any(varlo::FpUnderflow));
    EXPECT_NO_THROW(minNormal / Extended::fromInt(3));
    // A subnormal that rounds up to the smallest normal number.
    expectBits(fields(0x0000, 0x7FFFFFFFFFFFFFFFu) + fields(0x0000, 0x0000000000000001u), 0x0001,
               0x8000000000000000u);
    // Far below the smallest subnormal: zero, keeping the sign.
    expectBits(Extended::mul(minNormal, minNormal.negated(), status), 0x8000, 0);
}

TEST(ExtendedArithmetic, TrappedConditionsThrowTheirErrors)
{
    const Extended huge = fields(0x7FFE, 0xFFFFFFFFFFFFFFFFu);
    const Extended zero;
    const Extended one = Extended::fromInt(1);
    EXPECT_THROW(huge * Extended::fromInt(2), varlo::EOverflow);
    EXPECT_THROW(huge + huge, varlo::EOverflow);
    EXPECT_THROW(one / zero, varlo::EZeroDivide);
    EXPECT_THROW(zero / zero, varlo::EInvalidOp);
    EXPECT_NO_THROW(huge + one); // inexact only

    FpStatus status;
    EXPECT_TRUE(Extended::mul(huge, huge, status).isInfinite());
    EXPECT_TRUE(status.any(varlo::FpOverflow));

    try {
        (void)(huge * huge);
        FAIL();
    } catch (const varlo::EMathError &e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(varlo::EZeroDivide().message(), "Floating point division by zero");
    EXPECT_EQ(varlo::EInvalidOp().message(), "Invalid floating point operation");
}

struct NarrowingCase {
    const char *name;
    Extended value;
    bool overflows;
    std::uint64_t bits; // the expected pattern when it does not overflow
};

TEST(ExtendedNarrowing, SingleOverflowsExactlyFromTwoTo128MinusTwoTo103)
{
    // 2^128 - 2^103 is the midpoint between the largest single and 2^128.
    const Extended threshold = fields(0x3FFF + 127, 0xFFFFFF8000000000u);
    const Extended below = fields(0x3FFF + 127, 0xFFFFFF7FFFFFFFFFu);
    const NarrowingCase cases[] = {
        {"threshold", threshold, true, 0},
        {"just below", below, false, 0x7F7FFFFF},
        {"negative threshold", threshold.negated(), true, 0},
        {"negative just below", below.negated(), false, 0xFF7FFFFF},
        {"tie to even", Extended::fromDouble(1.0 + std::ldexp(1.0, -24)), false, 0x3F800000},
        {"tie to odd rounds up", Extended::fromDouble(1.0 + 3 * std::ldexp(1.0, -24)), false,
         0x3F800002},
        {"subnormal", Extended::fromDouble(std::ldexp(3.0, -149)), false, 0x00000003},
        {"half the smallest subnormal", Extended::fromDouble(std::ldexp(1.0, -150)), false, 0},
        {"above half the smallest", Extended::fromDouble(std::ldexp(1.5, -150)), false, 1},
        {"rounds up to smallest normal",
         Extended::fromDouble(std::ldexp(1.0, -126) * (1 - 0x1p-30)), false, 0x00800000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.overflows) {
            EXPECT_THROW((void)c.value.toSingle(), varlo::EOverflow);
        } else {
            EXPECT_EQ(bitsOf(c.value.toSingle()), c.bits);
        }
    }
}

TEST(ExtendedNarrowing, DoubleOverflowsExactlyFromTwoTo1024MinusTwoTo970)
{
    const Extended threshold = fields(0x3FFF + 1023, 0xFFFFFFFFFFFFFC00u);
    const Extended below = fields(0x3FFF + 1023, 0xFFFFFFFFFFFFFBFFu);
    const NarrowingCase cases[] = {
        {"threshold", threshold, true, 0},
        {"just below", below, false, 0x7FEFFFFFFFFFFFFF},
        {"negative threshold", threshold.negated(), true, 0},
        {"subnormal", fields(0x3FFF - 1074, 0xC000000000000000u), false, 2}, // 1.5 x 2^-1074
        {"tie at the bottom", fields(0x3FFF - 1075, 0x8000000000000000u), false, 0},
        {"far below", fields(0x0001, 0x8000000000000000u), false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.overflows) {
            EXPECT_THROW((void)c.value.toDouble(), varlo::EOverflow);
        } else {
            EXPECT_EQ(bitsOf(c.value.toDouble()), c.bits);
        }
    }
}

TEST(ExtendedRounding, ToIntegerTiesToEven)
{
    const struct {
        double in;
        double out;
    } cases[] = {{0.5, 0.0},
                 {1.5, 2.0},
                 {2.5, 2.0},
                 {-2.5, -2.0},
                 {2.5000001, 3.0},
                 {-0.3, -0.0},
                 {0.75, 1.0},
                 {1e300, 1e300},
                 {123456789012345678.0, 123456789012345678.0},
                 {4503599627370497.5, 4503599627370498.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in);
        const double got = Extended::fromDouble(c.in).roundToInteger().toDouble();
        EXPECT_EQ(bitsOf(got), bitsOf(c.out));
    }
    // Above 2^63 the value is already whole; just below, the last fraction bit counts.
    expectBits(fields(0x3FFF + 62, 0xFFFFFFFFFFFFFFFFu).roundToInteger(), 0x3FFF + 63,
               0x8000000000000000u);
}

TEST(ExtendedComparison, OrdersNumbersAndTreatsZerosAlike)
{
    const Extended minusTwo = Extended::fromInt(-2);
    const Extended one = Extended::fromInt(1);
    const Extended subnormal = fields(0x0000, 1);
    EXPECT_LT(minusTwo, one);
    EXPECT_GT(one, subnormal);
    EXPECT_GT(subnormal, Extended());
    EXPECT_EQ(Extended::fromDouble(-0.0), Extended());
    EXPECT_LT(minusTwo, minusTwo.negated());
    EXPECT_LT(Extended::fromInt(-3), minusTwo);
    EXPECT_FALSE(Extended::fromDouble(std::nan("")) == Extended::fromDouble(std::nan("")));
    EXPECT_LT(Extended::fromDouble(-INFINITY), minusTwo);
}

} // namespace
