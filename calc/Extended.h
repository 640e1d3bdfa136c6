#pragma once

#include <compare>
#include <cstdint>

namespace varlo
{

// Floating-point conditions, as bits of a mask (the x87 status word's exception bits).
enum FpCondition : unsigned {
    FpInvalid = 1u << 0,
    FpDenormal = 1u << 1,
    FpZeroDivide = 1u << 2,
    FpOverflow = 1u << 3,
    FpUnderflow = 1u << 4,
    FpInexact = 1u << 5,
};

// Sticky record of the conditions raised by quiet operations. A caller that runs
// with every condition silent (the decimal reader) passes one in and looks at it
// afterwards instead of catching exceptions.
class FpStatus
{
public:
    void raise(unsigned conditions) { m_raised |= conditions; }
    unsigned raised() const { return m_raised; }
    bool any(unsigned conditions) const { return (m_raised & conditions) != 0; }
    void clear() { m_raised = 0; }

private:
    unsigned m_raised = 0;
};

// Throws what the program's floating-point environment traps: EInvalidOp,
// EZeroDivide or EOverflow (in that order of precedence). Underflow, denormal
// and inexact are silent.
void ThrowTrappedConditions(unsigned raised);

// The x87 80-bit double-extended format in software: sign, 15-bit biased
// exponent, 64-bit significand with an explicit integer bit. Every operation
// rounds once to nearest-even at 64 bits with gradual underflow, giving the
// same bits as an x87 unit whose precision control is set to 64 bits.
class Extended
{
public:
    constexpr Extended() = default; // +0

    // The raw fields; `signExponent` holds the sign in bit 15.
    static constexpr Extended fromFields(std::uint16_t signExponent, std::uint64_t significand)
    {
        Extended x;
        x.m_signExponent = signExponent;
        x.m_significand = significand;
        return x;
    }
    static Extended fromDouble(double value); // exact
    static Extended fromSingle(float value);  // exact
    static Extended fromInt(std::int64_t value);
    static Extended fromUInt(std::uint64_t value);

    constexpr std::uint16_t signExponent() const { return m_signExponent; }
    constexpr std::uint64_t significand() const { return m_significand; }
    constexpr bool isNegative() const { return (m_signExponent & 0x8000u) != 0; }
    bool isZero() const;
    bool isNaN() const;
    bool isInfinite() const;
    bool isFinite() const { return !isNaN() && !isInfinite(); }
    Extended negated() const { return fromFields(m_signExponent ^ 0x8000u, m_significand); }
    Extended abs() const { return fromFields(m_signExponent & 0x7FFFu, m_significand); }
    constexpr bool sameBits(Extended other) const
    {
        return m_signExponent == other.m_signExponent && m_significand == other.m_significand;
    }

    // Quiet operations: they never throw and record every condition in `status`
    // (an overflow gives infinity, an invalid operation the default NaN, as a
    // masked x87 unit would).
    static Extended add(Extended a, Extended b, FpStatus &status);
    static Extended sub(Extended a, Extended b, FpStatus &status);
    static Extended mul(Extended a, Extended b, FpStatus &status);
    static Extended div(Extended a, Extended b, FpStatus &status);
    Extended roundToInteger(FpStatus &status) const; // ties to even
    float toSingle(FpStatus &status) const;          // nearest-even
    double toDouble(FpStatus &status) const;         // nearest-even

    // Trapping forms: the same results, but overflow, division by zero and
    // invalid operations throw (ThrowTrappedConditions) and give no result.
    friend Extended operator+(Extended a, Extended b);
    friend Extended operator-(Extended a, Extended b);
    friend Extended operator*(Extended a, Extended b);
    friend Extended operator/(Extended a, Extended b);
    Extended operator-() const { return negated(); }
    Extended roundToInteger() const;
    float toSingle() const;
    double toDouble() const;

    // Numeric comparison: -0 equals +0; any NaN is unordered.
    friend std::partial_ordering operator<=>(Extended a, Extended b);
    friend bool operator==(Extended a, Extended b);

private:
    std::uint16_t m_signExponent = 0;
    std::uint64_t m_significand = 0;
};

} // namespace varlo
