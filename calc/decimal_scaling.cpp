#include "calc/decimal_scaling.h"

#include "calc/powers_of_ten.h"

#include <cmath>
#include <compare>
#include <vector>

namespace varlo
{

namespace
{

constexpr int ExponentBias = 16383;
constexpr int SignificandBits = 64;

// A natural number of any size, least significant 32-bit word first: just
// enough to compare a binary number with a power of ten exactly.
class BigNatural
{
public:
    explicit BigNatural(std::uint64_t value)
        : m_words{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)}
    {
    }

    void multiplyBy(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t &word : m_words) {
            const std::uint64_t product = std::uint64_t{word} * factor + carry;
            word = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            m_words.push_back(static_cast<std::uint32_t>(carry));
    }

    void shiftLeft(std::int64_t bits)
    {
        m_words.insert(m_words.begin(), static_cast<std::size_t>(bits / 32), 0u);
        const unsigned partial = static_cast<unsigned>(bits % 32);
        if (partial == 0)
            return;
        std::uint32_t carry = 0;
        for (std::uint32_t &word : m_words) {
            const std::uint32_t next = word >> (32 - partial);
            word = (word << partial) | carry;
            carry = next;
        }
        if (carry != 0)
            m_words.push_back(carry);
    }

    friend std::strong_ordering operator<=>(const BigNatural &a, const BigNatural &b)
    {
        const std::size_t sizeA = a.significantWords();
        const std::size_t sizeB = b.significantWords();
        if (sizeA != sizeB)
            return sizeA <=> sizeB;
        for (std::size_t i = sizeA; i-- > 0;) {
            if (a.m_words[i] != b.m_words[i])
                return a.m_words[i] <=> b.m_words[i];
        }
        return std::strong_ordering::equal;
    }

private:
    std::size_t significantWords() const
    {
        std::size_t size = m_words.size();
        while (size > 0 && m_words[size - 1] == 0)
            --size;
        return size;
    }

    std::vector<std::uint32_t> m_words;
};

void MultiplyByPowerOfFive(BigNatural &number, int exponent)
{
    constexpr std::uint32_t FiveTo13 = 1220703125; // the largest power of 5 in 32 bits
    for (; exponent >= 13; exponent -= 13)
        number.multiplyBy(FiveTo13);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent)
        rest *= 5;
    number.multiplyBy(rest);
}

// a x 2^exponentA compared with b x 2^exponentB.
std::strong_ordering CompareScaled(BigNatural a, std::int64_t exponentA, BigNatural b,
                                   std::int64_t exponentB)
{
    if (exponentA > exponentB)
        a.shiftLeft(exponentA - exponentB);
    else
        b.shiftLeft(exponentB - exponentA);
    return a <=> b;
}

// The power of two that the significand, read as an integer, is scaled by.
int BinaryScale(Extended magnitude)
{
    const int field = magnitude.signExponent() & 0x7FFF;
    return (field == 0 ? 1 : field) - ExponentBias - (SignificandBits - 1);
}

bool AtLeastPowerOfTen(Extended magnitude, int power)
{
    constexpr int LargestExactPower = 27;
    if (power >= 0 && power <= LargestExactPower)
        return !(magnitude < PowersOfTenUnits[power]);

    // magnitude = M 2^s and 10^k = 5^k 2^k.
    BigNatural significand(magnitude.significand());
    const int scale = BinaryScale(magnitude);
    if (power >= 0) {
        BigNatural powerOfFive(1);
        MultiplyByPowerOfFive(powerOfFive, power);
        return CompareScaled(significand, scale, powerOfFive, power) >= 0;
    }
    // M 2^s >= 10^k  <=>  M 5^-k 2^(s-k) >= 1
    MultiplyByPowerOfFive(significand, -power);
    return CompareScaled(significand, std::int64_t{scale} - power, BigNatural(1), 0) >= 0;
}

} // namespace

Extended ScaleByPowerOfTen(Extended value, std::int64_t scale, FpStatus &status)
{
    if (scale == 0)
        return value;
    const std::int64_t magnitude = scale < 0 ? -scale : scale;
    if (magnitude >= 5120) {
        if (scale < 0)
            return Extended();
        // Beyond the tables, and far beyond the extended range for any non-zero value.
        if (value.isZero())
            return value;
        status.raise(FpOverflow | FpInexact);
        return Extended::fromFields((value.signExponent() & 0x8000u) | 0x7FFFu,
                                    0x8000000000000000u);
    }
    const Extended factors[] = {
        PowersOfTenUnits[magnitude % 32],
        PowersOfTenThirtyTwos[(magnitude / 32) % 16],
        PowersOfTenFiveTwelves[magnitude / 512],
    };
    for (const Extended &factor : factors) {
        if (factor.sameBits(PowersOfTenUnits[0]))
            continue;
        value =
            scale > 0 ? Extended::mul(value, factor, status) : Extended::div(value, factor, status);
    }
    return value;
}

int DecimalExponent(Extended magnitude)
{
    // The logarithm in doubles is off by far less than 1e-9; only a magnitude
    // that close to a power of ten needs the exact comparison.
    const double logarithm = std::log10(static_cast<double>(magnitude.significand())) +
                             BinaryScale(magnitude) * std::log10(2.0);
    const double whole = std::floor(logarithm);
    int exponent = static_cast<int>(whole) + 1;
    constexpr double Margin = 1e-9;
    if (logarithm - whole < Margin && !AtLeastPowerOfTen(magnitude, exponent - 1))
        --exponent;
    else if (logarithm - whole > 1 - Margin && AtLeastPowerOfTen(magnitude, exponent))
        ++exponent;
    return exponent;
}

} // namespace varlo
