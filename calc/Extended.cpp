#include "calc/Extended.h"

#include "calc/errors.h"

#include <bit>
#include <cstring>

// The operations follow the shape of a soft-float library: unpack, treat special
// values first, normalise, compute on a 64-bit significand plus a 64-bit word of
// round bits, then one rounding routine (roundPack) gives ties-to-even, gradual
// underflow, overflow and the condition flags. The wide product and quotient use
// the compiler's 128-bit integers and the x86-64 division where there are, and
// plain 64-bit arithmetic elsewhere; both give the same bits (the portable path
// can be forced with VARLO_PORTABLE_ARITHMETIC, and is tested that way).

// The rounding and unpacking steps sit on every operation's path; inlining them
// removes most of the cost of emulating the unit.
#if defined(__GNUC__)
#define VARLO_ALWAYS_INLINE [[gnu::always_inline]] inline
#else
#define VARLO_ALWAYS_INLINE inline
#endif

namespace varlo
{

namespace
{

constexpr int Bias = 16383;
constexpr int MaxExponentField = 0x7FFF;
constexpr std::uint64_t IntegerBit = 0x8000000000000000u;

// A finite nonzero value sig * 2^(exp - Bias - 63), or a zero. `exp` may lie
// outside the field's range while a result is being formed.
struct Unpacked {
    bool sign = false;
    int exp = 0;
    std::uint64_t sig = 0;
};

struct Wide {
    std::uint64_t hi;
    std::uint64_t lo;
};

Wide multiply64(std::uint64_t a, std::uint64_t b)
{
#if defined(__SIZEOF_INT128__) && !defined(VARLO_PORTABLE_ARITHMETIC)
    // The compiler's 128-bit product is one instruction on 64-bit CPUs; the
    // portable form below gives the same result everywhere else.
    const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
    return {static_cast<std::uint64_t>(p >> 64), static_cast<std::uint64_t>(p)};
#else
    const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
    const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xFFFFFFFFu)};
#endif
}

// (hi:lo) / d for a normalised d (top bit set) and hi < d: the 64-bit quotient
// and the remainder, by two steps of 32-bit long division.
std::uint64_t divide128(std::uint64_t hi, std::uint64_t lo, std::uint64_t d, std::uint64_t &rem)
{
#if defined(__x86_64__) && defined(__GNUC__) && !defined(VARLO_PORTABLE_ARITHMETIC)
    // The CPU's own 128-by-64-bit division; hi < d keeps the quotient in range.
    std::uint64_t quotient;
    __asm__("divq %4" : "=a"(quotient), "=d"(rem) : "a"(lo), "d"(hi), "rm"(d));
    return quotient;
#else
    constexpr std::uint64_t b = 1ull << 32;
    const std::uint64_t dHi = d >> 32, dLo = d & 0xFFFFFFFFu;
    const std::uint64_t lo1 = lo >> 32, lo0 = lo & 0xFFFFFFFFu;

    std::uint64_t q1 = hi / dHi;
    std::uint64_t rhat = hi - q1 * dHi;
    while (q1 >= b || q1 * dLo > ((rhat << 32) | lo1)) {
        --q1;
        rhat += dHi;
        if (rhat >= b)
            break;
    }
    const std::uint64_t mid = (hi << 32) + lo1 - q1 * d;

    std::uint64_t q0 = mid / dHi;
    rhat = mid - q0 * dHi;
    while (q0 >= b || q0 * dLo > ((rhat << 32) | lo0)) {
        --q0;
        rhat += dHi;
        if (rhat >= b)
            break;
    }
    rem = (mid << 32) + lo0 - q0 * d;
    return (q1 << 32) + q0;
#endif
}

// Shifts (hi:lo) right by `count`, folding every bit shifted out into the lowest
// bit of the result (the sticky bit).
Wide shiftRightJam(Wide v, int count)
{
    if (count <= 0)
        return v;
    if (count < 64) {
        const std::uint64_t out = v.lo << (64 - count);
        return {v.hi >> count, (v.hi << (64 - count)) | (v.lo >> count) | (out != 0)};
    }
    if (count == 64)
        return {0, v.hi | (v.lo != 0)};
    if (count < 128) {
        const std::uint64_t out = (v.hi << (128 - count)) | v.lo;
        return {0, (v.hi >> (count - 64)) | (out != 0)};
    }
    return {0, (v.hi | v.lo) != 0};
}

Wide shiftLeft(Wide v, int count)
{
    if (count <= 0)
        return v;
    if (count < 64)
        return {(v.hi << count) | (v.lo >> (64 - count)), v.lo << count};
    return {v.lo << (count - 64), 0};
}

Extended pack(bool sign, int expField, std::uint64_t sig)
{
    return Extended::fromFields(static_cast<std::uint16_t>((sign ? 0x8000u : 0u) | expField), sig);
}

Extended infinity(bool sign)
{
    return pack(sign, MaxExponentField, IntegerBit);
}

Extended defaultNaN()
{
    return pack(true, MaxExponentField, 0xC000000000000000u);
}

int exponentField(Extended x)
{
    return x.signExponent() & 0x7FFF;
}

// x87 refuses the encodings its predecessor formats allowed: unnormals,
// pseudo-infinities and pseudo-NaNs (integer bit clear with a nonzero exponent).
bool isUnsupported(Extended x)
{
    return exponentField(x) != 0 && (x.significand() & IntegerBit) == 0;
}

bool isSignalingNaN(Extended x)
{
    return x.isNaN() && (x.significand() & 0x4000000000000000u) == 0;
}

// A finite value in normalised form (top significand bit set); zero stays zero.
// Raises the denormal condition for a denormal operand.
VARLO_ALWAYS_INLINE Unpacked unpackFinite(Extended x, FpStatus &status)
{
    Unpacked u;
    u.sign = x.isNegative();
    u.sig = x.significand();
    const int field = exponentField(x);
    if (field != 0) { // normal operands need no shifting
        u.exp = field;
        return u;
    }
    u.exp = 1;
    if (u.sig == 0)
        return u;
    status.raise(FpDenormal);
    const int shift = std::countl_zero(u.sig);
    u.sig <<= shift;
    u.exp -= shift;
    return u;
}

// The single rounding step: `sig` holds the 64 significand bits with the integer
// bit on top (or fewer leading bits for a value that underflows), `extra` the bits
// below them (its top bit is the round bit, the rest sticky).
VARLO_ALWAYS_INLINE Extended roundPack(bool sign, int exp, std::uint64_t sig, std::uint64_t extra,
                                       FpStatus &status)
{
    if (exp <= 0) {
        // Tininess is detected before rounding, as the x87 unit does.
        const Wide shifted = shiftRightJam({sig, extra}, 1 - exp);
        sig = shifted.hi;
        extra = shifted.lo;
        if (extra != 0)
            status.raise(FpUnderflow | FpInexact);
        if (extra >= IntegerBit) {
            ++sig;
            if ((extra & ~IntegerBit) == 0)
                sig &= ~std::uint64_t{1};
        }
        return pack(sign, (sig & IntegerBit) != 0 ? 1 : 0, sig);
    }
    const bool roundUp = extra >= IntegerBit;
    if (exp > MaxExponentField - 1 ||
        (exp == MaxExponentField - 1 && sig == ~std::uint64_t{0} && roundUp)) {
        status.raise(FpOverflow | FpInexact);
        return infinity(sign);
    }
    if (extra != 0)
        status.raise(FpInexact);
    if (roundUp) {
        ++sig;
        if (sig == 0) {
            ++exp;
            sig = IntegerBit;
        } else if ((extra & ~IntegerBit) == 0) {
            sig &= ~std::uint64_t{1};
        }
    }
    return pack(sign, exp, sig);
}

VARLO_ALWAYS_INLINE Extended roundPackNormalised(bool sign, int exp, Wide value, FpStatus &status)
{
    if (value.hi == 0 && value.lo == 0)
        return pack(sign, 0, 0);
    const int shift = value.hi != 0 ? std::countl_zero(value.hi) : 64 + std::countl_zero(value.lo);
    value = shiftLeft(value, shift);
    return roundPack(sign, exp - shift, value.hi, value.lo, status);
}

// The NaN an operation returns when an operand is a NaN: a signalling NaN is
// quietened (and is an invalid operation); of two NaNs, the larger significand.
Extended propagateNaN(Extended a, Extended b, FpStatus &status)
{
    if (isSignalingNaN(a) || isSignalingNaN(b))
        status.raise(FpInvalid);
    auto quiet = [](Extended x) {
        return Extended::fromFields(x.signExponent(), x.significand() | 0xC000000000000000u);
    };
    if (a.isNaN() && b.isNaN()) {
        const std::uint64_t sa = a.significand() | 0x4000000000000000u;
        const std::uint64_t sb = b.significand() | 0x4000000000000000u;
        if (sa != sb)
            return quiet(sa > sb ? a : b);
        return quiet(a.isNegative() ? b : a);
    }
    return quiet(a.isNaN() ? a : b);
}

// Invalid encodings and NaN operands: the result of an operation with such an
// operand, if there is one.
VARLO_ALWAYS_INLINE bool specialOperandResult(Extended a, Extended b, FpStatus &status,
                                              Extended &result)
{
    if (isUnsupported(a) || isUnsupported(b)) {
        status.raise(FpInvalid);
        result = defaultNaN();
        return true;
    }
    if (a.isNaN() || b.isNaN()) {
        result = propagateNaN(a, b, status);
        return true;
    }
    return false;
}

Extended addSigned(Extended a, Extended b, bool negateB, FpStatus &status)
{
    Extended result;
    if (specialOperandResult(a, b, status, result))
        return result;
    const bool signB = b.isNegative() != negateB;
    if (a.isInfinite() || b.isInfinite()) {
        if (a.isInfinite() && b.isInfinite() && a.isNegative() != signB) {
            status.raise(FpInvalid);
            return defaultNaN();
        }
        return a.isInfinite() ? a : infinity(signB);
    }

    Unpacked x = unpackFinite(a, status);
    Unpacked y = unpackFinite(b, status);
    y.sign = signB;
    if (x.sig == 0 && y.sig == 0)
        return pack(x.sign && y.sign, 0, 0);
    if (y.sig == 0)
        return roundPack(x.sign, x.exp, x.sig, 0, status);
    if (x.sig == 0)
        return roundPack(y.sign, y.exp, y.sig, 0, status);

    if (x.exp < y.exp || (x.exp == y.exp && x.sig < y.sig))
        std::swap(x, y);
    const Wide aligned = shiftRightJam({y.sig, 0}, x.exp - y.exp);
    if (x.sign == y.sign) {
        Wide sum{x.sig + aligned.hi, aligned.lo};
        if (sum.hi < x.sig) { // carry out of the top bit
            sum = shiftRightJam(sum, 1);
            sum.hi |= IntegerBit;
            return roundPack(x.sign, x.exp + 1, sum.hi, sum.lo, status);
        }
        return roundPack(x.sign, x.exp, sum.hi, sum.lo, status);
    }
    const Wide difference{x.sig - aligned.hi - (aligned.lo != 0 ? 1 : 0), 0 - aligned.lo};
    if (difference.hi == 0 && difference.lo == 0)
        return pack(false, 0, 0); // an exact zero difference is +0 when rounding to nearest
    return roundPackNormalised(x.sign, x.exp, difference, status);
}

// Rounds the magnitude of a finite extended value to a binary format of
// `precision` significand bits whose normal numbers have unbiased exponents
// 1 - bias .. bias; returns the format's bit pattern without sign. An overflow
// gives the pattern of infinity.
std::uint64_t roundMagnitudeToBinary(Extended x, int precision, int bias, FpStatus &status)
{
    const int emin = 1 - bias;
    const int emax = bias;
    const std::uint64_t infinityBits = std::uint64_t(2 * bias + 1) << (precision - 1);
    const Unpacked u = unpackFinite(x, status);
    if (u.sig == 0)
        return 0;
    const int e = u.exp - Bias; // value = sig * 2^(e - 63), sig normalised
    if (e > emax) {
        status.raise(FpOverflow | FpInexact);
        return infinityBits;
    }
    const int drop = 64 - precision + (e < emin ? emin - e : 0);

    std::uint64_t kept = 0;
    bool roundUp = false;
    bool inexact = true;
    if (drop == 64) {
        roundUp = u.sig > IntegerBit; // exactly half rounds to the even 0
    } else if (drop < 64) {
        kept = u.sig >> drop;
        const std::uint64_t rest = u.sig << (64 - drop);
        inexact = rest != 0;
        roundUp = rest > IntegerBit || (rest == IntegerBit && (kept & 1) != 0);
    }
    if (inexact) {
        status.raise(FpInexact);
        if (e < emin)
            status.raise(FpUnderflow);
    }
    if (roundUp)
        ++kept;
    // Adding the significand with its leading bit carries into the exponent field,
    // so a subnormal that rounds up to the smallest normal number, and a
    // significand that rounds up to the next power of two, come out right.
    const int effectiveExp = e < emin ? emin : e;
    const std::uint64_t bits = (std::uint64_t(effectiveExp + bias - 1) << (precision - 1)) + kept;
    if (bits >= infinityBits) {
        status.raise(FpOverflow | FpInexact);
        return infinityBits;
    }
    return bits;
}

template <typename Float> Float fromBits(std::uint64_t bits)
{
    if constexpr (sizeof(Float) == 4) {
        const auto narrow = static_cast<std::uint32_t>(bits);
        Float f;
        std::memcpy(&f, &narrow, sizeof f);
        return f;
    } else {
        Float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
}

template <int precision, int exponentBits, int bias> Extended fromBinary(std::uint64_t bits)
{
    const bool sign = (bits >> (precision - 1 + exponentBits)) & 1;
    const int field = static_cast<int>((bits >> (precision - 1)) & ((1u << exponentBits) - 1));
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << (precision - 1)) - 1);
    const int shift = 64 - precision;
    if (field == (1 << exponentBits) - 1) {
        if (fraction == 0)
            return infinity(sign);
        return pack(sign, MaxExponentField, IntegerBit | (fraction << shift));
    }
    if (field == 0) {
        if (fraction == 0)
            return pack(sign, 0, 0);
        const int lead = std::countl_zero(fraction);
        // fraction * 2^(1 - bias - (precision - 1))
        const int exp = 1 - bias - (precision - 1) + (63 - lead) + Bias;
        return pack(sign, exp, fraction << lead);
    }
    return pack(sign, field - bias + Bias, IntegerBit | (fraction << shift));
}

template <typename Float> Float toBinaryFloat(Extended x, FpStatus &status)
{
    constexpr bool isSingle = sizeof(Float) == 4;
    constexpr int precision = isSingle ? 24 : 53;
    constexpr int exponentBits = isSingle ? 8 : 11;
    constexpr int bias = isSingle ? 127 : 1023;
    constexpr std::uint64_t signBit = std::uint64_t{1} << (precision - 1 + exponentBits);
    const std::uint64_t sign = x.isNegative() ? signBit : 0;
    const std::uint64_t infField = ((std::uint64_t{1} << exponentBits) - 1) << (precision - 1);
    if (isUnsupported(x)) {
        status.raise(FpInvalid);
        return fromBits<Float>(signBit | infField | (std::uint64_t{1} << (precision - 2)));
    }
    if (x.isInfinite())
        return fromBits<Float>(sign | infField);
    if (x.isNaN()) {
        if (isSignalingNaN(x))
            status.raise(FpInvalid);
        const std::uint64_t payload = (x.significand() << 1) >> (64 - (precision - 1));
        return fromBits<Float>(sign | infField | payload | (std::uint64_t{1} << (precision - 2)));
    }
    return fromBits<Float>(sign | roundMagnitudeToBinary(x, precision, bias, status));
}

constexpr unsigned TrappedConditions = FpInvalid | FpZeroDivide | FpOverflow;

Extended checked(Extended result, const FpStatus &status)
{
    if (status.any(TrappedConditions))
        ThrowTrappedConditions(status.raised());
    return result;
}

} // namespace

void ThrowTrappedConditions(unsigned raised)
{
    if (raised & FpInvalid)
        throw EInvalidOp();
    if (raised & FpZeroDivide)
        throw EZeroDivide();
    if (raised & FpOverflow)
        throw EOverflow();
}

Extended Extended::fromDouble(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return fromBinary<53, 11, 1023>(bits);
}

Extended Extended::fromSingle(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return fromBinary<24, 8, 127>(bits);
}

Extended Extended::fromUInt(std::uint64_t value)
{
    if (value == 0)
        return Extended();
    const int lead = std::countl_zero(value);
    return pack(false, Bias + 63 - lead, value << lead);
}

Extended Extended::fromInt(std::int64_t value)
{
    const std::uint64_t magnitude =
        value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : std::uint64_t(value);
    const Extended x = fromUInt(magnitude);
    return value < 0 ? x.negated() : x;
}

bool Extended::isZero() const
{
    return (m_signExponent & 0x7FFF) == 0 && m_significand == 0;
}

bool Extended::isInfinite() const
{
    return (m_signExponent & 0x7FFF) == MaxExponentField && m_significand == IntegerBit;
}

bool Extended::isNaN() const
{
    return (m_signExponent & 0x7FFF) == MaxExponentField && m_significand != IntegerBit;
}

Extended Extended::add(Extended a, Extended b, FpStatus &status)
{
    return addSigned(a, b, false, status);
}

Extended Extended::sub(Extended a, Extended b, FpStatus &status)
{
    return addSigned(a, b, true, status);
}

Extended Extended::mul(Extended a, Extended b, FpStatus &status)
{
    Extended result;
    if (specialOperandResult(a, b, status, result))
        return result;
    const bool sign = a.isNegative() != b.isNegative();
    if (a.isInfinite() || b.isInfinite()) {
        if (a.isZero() || b.isZero()) {
            status.raise(FpInvalid);
            return defaultNaN();
        }
        return infinity(sign);
    }
    const Unpacked x = unpackFinite(a, status);
    const Unpacked y = unpackFinite(b, status);
    if (x.sig == 0 || y.sig == 0)
        return pack(sign, 0, 0);
    const Wide product = multiply64(x.sig, y.sig);
    return roundPackNormalised(sign, x.exp + y.exp - Bias + 1, product, status);
}

Extended Extended::div(Extended a, Extended b, FpStatus &status)
{
    Extended result;
    if (specialOperandResult(a, b, status, result))
        return result;
    const bool sign = a.isNegative() != b.isNegative();
    if (a.isInfinite()) {
        if (b.isInfinite()) {
            status.raise(FpInvalid);
            return defaultNaN();
        }
        return infinity(sign);
    }
    if (b.isInfinite())
        return pack(sign, 0, 0);
    const Unpacked x = unpackFinite(a, status);
    const Unpacked y = unpackFinite(b, status);
    if (y.sig == 0) {
        if (x.sig == 0) {
            status.raise(FpInvalid);
            return defaultNaN();
        }
        status.raise(FpZeroDivide);
        return infinity(sign);
    }
    if (x.sig == 0)
        return pack(sign, 0, 0);

    // The quotient of the significands lies in (1/2, 2); numerator chosen so that
    // its 64-bit quotient has the top bit set.
    int exp = x.exp - y.exp + Bias;
    std::uint64_t numHi = x.sig, numLo = 0;
    if (x.sig < y.sig) {
        exp -= 1;
    } else {
        numLo = x.sig << 63;
        numHi = x.sig >> 1;
    }
    std::uint64_t rem;
    const std::uint64_t quotient = divide128(numHi, numLo, y.sig, rem);
    // The remainder against half the divisor gives the round bit, and whether it
    // is exactly half gives the sticky bit: no further division is needed.
    std::uint64_t extra = 0;
    if (rem != 0) {
        const std::uint64_t other = y.sig - rem;
        if (rem >= other)
            extra = IntegerBit;
        if (rem != other)
            extra |= 1;
    }
    return roundPack(sign, exp, quotient, extra, status);
}

Extended Extended::roundToInteger(FpStatus &status) const
{
    if (isUnsupported(*this)) {
        status.raise(FpInvalid);
        return defaultNaN();
    }
    if (isNaN())
        return propagateNaN(*this, *this, status);
    if (isInfinite())
        return *this;
    const Unpacked u = unpackFinite(*this, status);
    if (u.sig == 0)
        return pack(u.sign, 0, 0);
    const int fractionBits = Bias + 63 - u.exp;
    if (fractionBits <= 0)
        return pack(u.sign, u.exp, u.sig);
    std::uint64_t integer;
    std::uint64_t fraction; // the bits below the binary point, top-aligned
    bool sticky = false;
    if (fractionBits < 64) {
        integer = u.sig >> fractionBits;
        fraction = u.sig << (64 - fractionBits);
    } else if (fractionBits == 64) {
        integer = 0;
        fraction = u.sig;
    } else {
        integer = 0;
        fraction = 0;
        sticky = true;
    }
    if (fraction != 0 || sticky)
        status.raise(FpInexact);
    if (fraction > IntegerBit || (fraction == IntegerBit && (integer & 1) != 0))
        ++integer; // cannot wrap: fewer than 64 integer bits here
    const Extended magnitude = fromUInt(integer);
    return u.sign ? magnitude.negated() : magnitude;
}

float Extended::toSingle(FpStatus &status) const
{
    return toBinaryFloat<float>(*this, status);
}

double Extended::toDouble(FpStatus &status) const
{
    return toBinaryFloat<double>(*this, status);
}

Extended operator+(Extended a, Extended b)
{
    FpStatus status;
    return checked(Extended::add(a, b, status), status);
}

Extended operator-(Extended a, Extended b)
{
    FpStatus status;
    return checked(Extended::sub(a, b, status), status);
}

Extended operator*(Extended a, Extended b)
{
    FpStatus status;
    return checked(Extended::mul(a, b, status), status);
}

Extended operator/(Extended a, Extended b)
{
    FpStatus status;
    return checked(Extended::div(a, b, status), status);
}

Extended Extended::roundToInteger() const
{
    FpStatus status;
    return checked(roundToInteger(status), status);
}

float Extended::toSingle() const
{
    FpStatus status;
    const float result = toSingle(status);
    if (status.any(TrappedConditions))
        ThrowTrappedConditions(status.raised());
    return result;
}

double Extended::toDouble() const
{
    FpStatus status;
    const double result = toDouble(status);
    if (status.any(TrappedConditions))
        ThrowTrappedConditions(status.raised());
    return result;
}

std::partial_ordering operator<=>(Extended a, Extended b)
{
    if (a.isNaN() || b.isNaN() || isUnsupported(a) || isUnsupported(b))
        return std::partial_ordering::unordered;
    FpStatus ignored;
    if (a.isInfinite() || b.isInfinite()) {
        const int ra = a.isInfinite() ? (a.isNegative() ? -1 : 1) : 0;
        const int rb = b.isInfinite() ? (b.isNegative() ? -1 : 1) : 0;
        if (ra != rb)
            return ra <=> rb;
        if (ra != 0)
            return std::partial_ordering::equivalent;
    }
    const Unpacked x = unpackFinite(a, ignored);
    const Unpacked y = unpackFinite(b, ignored);
    const bool xZero = x.sig == 0, yZero = y.sig == 0;
    if (xZero && yZero)
        return std::partial_ordering::equivalent;
    const bool xNeg = !xZero && x.sign, yNeg = !yZero && y.sign;
    if (xNeg != yNeg)
        return xNeg ? std::partial_ordering::less : std::partial_ordering::greater;
    // Same sign (a zero counts as positive here): compare magnitudes.
    std::partial_ordering magnitude = std::partial_ordering::equivalent;
    if (xZero || yZero)
        magnitude = xZero ? std::partial_ordering::less : std::partial_ordering::greater;
    else if (x.exp != y.exp)
        magnitude = x.exp <=> y.exp;
    else
        magnitude = x.sig <=> y.sig;
    if (!xNeg)
        return magnitude;
    if (magnitude == std::partial_ordering::less)
        return std::partial_ordering::greater;
    if (magnitude == std::partial_ordering::greater)
        return std::partial_ordering::less;
    return magnitude;
}

bool operator==(Extended a, Extended b)
{
    return (a <=> b) == std::partial_ordering::equivalent;
}

} // namespace varlo
