// Checks Extended bit for bit against the x87 unit, where the compiler's long
// double is the 80-bit format (x86 with 64-bit precision control). The number of
// random pairs per operation comes from VARLO_DIFFERENTIAL_PAIRS.
#include "calc/Extended.h"
#include "tests/calc/x87.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

using varlo::Extended;
using varlo::FpStatus;

namespace
{

std::uint64_t pairCount()
{
    const char *env = std::getenv("VARLO_DIFFERENTIAL_PAIRS");
    return env ? std::strtoull(env, nullptr, 10) : 100000;
}

// Operands drawn to reach every range: ordinary numbers, subnormals, both ends
// of the exponent range, operands that cancel, and operands whose exact result
// lies on a rounding tie.
class OperandSource
{
public:
    explicit OperandSource(std::uint64_t seed) : m_random(seed) {}

    Extended any()
    {
        switch (pick(8)) {
        case 0:
            return normal(0x3FFF - 80, 0x3FFF + 80);
        case 1:
            return normal(1, 0x7FFE);
        case 2:
            return subnormal();
        case 3:
            return normal(1, 80);
        case 4:
            return normal(0x7FFE - 80, 0x7FFE);
        case 5:
            return fewBits(0x3FFF - 70, 0x3FFF + 70);
        case 6:
            return fromDoubleish();
        default:
            return normal(0x3FFF - 10000, 0x3FFF + 10000);
        }
    }

    // A second operand related to the first, for cancellation and ties.
    Extended relatedTo(Extended a)
    {
        const std::uint64_t sig = a.significand();
        const int exp = a.signExponent() & 0x7FFF;
        switch (pick(5)) {
        case 0: // nearly equal: cancellation
            return Extended::fromFields(a.signExponent() ^ (pick(2) << 15),
                                        sig ^ (bits() & ((std::uint64_t{1} << pick(64)) - 1)));
        case 1: // a power of two 64 or 65 places below: sums land on ties
            return Extended::fromFields(
                static_cast<std::uint16_t>((exp > 66 ? exp - 64 - pick(2) : 1) | (pick(2) << 15)),
                0x8000000000000000u | (pick(2) ? 0 : bits() >> 40 << 40));
        case 2: // few significant bits: exact products, ties in division
            return fewBits(exp > 40 ? exp - 32 : 1, exp + 32 < 0x7FFE ? exp + 32 : 0x7FFE);
        default:
            return any();
        }
    }

private:
    std::uint64_t bits() { return m_random(); }
    unsigned pick(unsigned n) { return static_cast<unsigned>(m_random() % n); }
    std::uint16_t sign() { return static_cast<std::uint16_t>(pick(2) << 15); }

    Extended normal(int lo, int hi)
    {
        const int exp = lo + static_cast<int>(pick(static_cast<unsigned>(hi - lo + 1)));
        return Extended::fromFields(static_cast<std::uint16_t>(exp) | sign(),
                                    bits() | 0x8000000000000000u);
    }
    Extended subnormal() { return Extended::fromFields(sign(), bits() >> (1 + pick(63))); }
    Extended fewBits(int lo, int hi)
    {
        const int exp = lo + static_cast<int>(pick(static_cast<unsigned>(hi - lo + 1)));
        const std::uint64_t sig = 0x8000000000000000u | (bits() >> (1 + pick(63)) << pick(40));
        return Extended::fromFields(static_cast<std::uint16_t>(exp) | sign(),
                                    sig | 0x8000000000000000u);
    }
    Extended fromDoubleish()
    {
        double d;
        std::uint64_t b = bits();
        std::memcpy(&d, &b, sizeof d);
        if (d != d)
            d = 1.0;
        return Extended::fromDouble(d);
    }

    std::mt19937_64 m_random;
};

struct Operation {
    const char *name;
    Extended (*soft)(Extended, Extended, FpStatus &);
    long double (*hard)(long double, long double);
};

class ExtendedDifferential : public ::testing::TestWithParam<Operation>
{
};

TEST_P(ExtendedDifferential, AgreesWithX87)
{
    if constexpr (!varlo::x87::Available) {
        GTEST_SKIP() << "long double is not the x87 format here";
    } else {
        const Operation op = GetParam();
        OperandSource source(0x5eed0000u + static_cast<unsigned>(op.name[0]));
        const std::uint64_t count = pairCount();
        std::uint64_t failures = 0;
        for (std::uint64_t i = 0; i < count && failures < 10; ++i) {
            const Extended a = source.any();
            const Extended b = (i & 1) ? source.relatedTo(a) : source.any();
            FpStatus status;
            const Extended soft = op.soft(a, b, status);
            const long double hard = op.hard(varlo::x87::ToHardware(a), varlo::x87::ToHardware(b));
            const Extended expected = varlo::x87::FromHardware(hard);
            if (!soft.sameBits(expected) && !(soft.isNaN() && expected.isNaN())) {
                ++failures;
                ADD_FAILURE() << op.name << std::hex << " a=" << a.signExponent() << ":"
                              << a.significand() << " b=" << b.signExponent() << ":"
                              << b.significand() << " soft=" << soft.signExponent() << ":"
                              << soft.significand() << " x87=" << expected.signExponent() << ":"
                              << expected.significand();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ExtendedDifferential,
    ::testing::Values(
        Operation{"add", &Extended::add, [](long double a, long double b) { return a + b; }},
        Operation{"sub", &Extended::sub, [](long double a, long double b) { return a - b; }},
        Operation{"mul", &Extended::mul, [](long double a, long double b) { return a * b; }},
        Operation{"div", &Extended::div, [](long double a, long double b) { return a / b; }}),
    [](const auto &info) { return std::string(info.param.name); });

template <typename Float>
void checkNarrowing(const char *name, Float (Extended::*narrow)(FpStatus &) const)
{
    OperandSource source(0xd0b1e);
    const std::uint64_t count = pairCount();
    int failures = 0;
    for (std::uint64_t i = 0; i < count && failures < 10; ++i) {
        Extended a = source.any();
        if (i % 3 == 0) // near the target format's range ends
            a = Extended::fromFields(
                static_cast<std::uint16_t>(
                    (a.signExponent() & 0x8000) |
                    (0x3FFF + (sizeof(Float) == 4 ? 127 : 1023) - static_cast<int>(i % 7))),
                a.significand());
        if (i % 3 == 1)
            a = Extended::fromFields(
                static_cast<std::uint16_t>(
                    (a.signExponent() & 0x8000) |
                    (0x3FFF - (sizeof(Float) == 4 ? 126 : 1022) - static_cast<int>(i % 60))),
                a.significand());
        FpStatus status;
        const Float soft = (a.*narrow)(status);
        volatile Float hard = static_cast<Float>(varlo::x87::ToHardware(a));
        const Float h = hard;
        if (std::memcmp(&soft, &h, sizeof soft) != 0 && !(soft != soft && h != h)) {
            ++failures;
            ADD_FAILURE() << name << std::hex << " a=" << a.signExponent() << ":" << a.significand()
                          << " soft=" << soft << " x87=" << h;
        }
    }
}

TEST(ExtendedDifferentialNarrowing, AgreesWithX87)
{
    if constexpr (!varlo::x87::Available) {
        GTEST_SKIP() << "long double is not the x87 format here";
    } else {
        checkNarrowing<float>("single", &Extended::toSingle);
        checkNarrowing<double>("double", &Extended::toDouble);
    }
}

} // namespace
