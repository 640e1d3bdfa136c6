// ReadDecimalText and ParseFieldNumber on arbitrary texts: no crash, no
// exception, and on short texts the same bits as a slow, plainly written reader
// of the same rules that computes with the x87 unit.
#include "fuzz/fuzz_support.h"

#include "calc/errors.h"
#include "tests/calc/x87.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

using namespace varlo;

namespace
{

// Powers of ten as the compiler reads them: the nearest 80-bit values.
const long double ones[32] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,
                              1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
                              1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L,
                              1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
const long double thirtyTwos[16] = {1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
                                    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L};
const long double fiveTwelves[10] = {1e0L,    1e512L,  1e1024L, 1e1536L, 1e2048L,
                                     1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::optional<long double> referenceRead(const FieldText &t, char16_t decimal)
{
    std::size_t i = 0;
    while (i < t.size() && t[i] == u' ')
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negative = t[i++] == u'-';
    volatile long double v = 0;
    bool anything = false;
    long fractionDigits = 0;
    while (i < t.size() && isDigit(t[i])) {
        v = v * 10;
        v = v + (t[i++] - u'0');
        anything = true;
    }
    if (i < t.size() && t[i] == decimal) {
        ++i;
        anything = true;
        while (i < t.size() && isDigit(t[i])) {
            v = v * 10;
            v = v + (t[i++] - u'0');
            ++fractionDigits;
        }
    }
    if (!anything)
        return std::nullopt;
    long exponent = 0;
    if (i < t.size() && (t[i] == u'E' || t[i] == u'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            exponentNegative = t[i++] == u'-';
        while (i < t.size() && isDigit(t[i])) {
            exponent = exponent * 10 + (t[i++] - u'0');
            if (exponent >= 500)
                break;
        }
        if (exponentNegative)
            exponent = -exponent;
    }
    while (i < t.size() && t[i] == u' ')
        ++i;
    if (i != t.size())
        return std::nullopt;
    const long n = exponent - fractionDigits;
    const long m = n < 0 ? -n : n;
    if (n < 0 && m >= 5120) {
        v = 0;
    } else if (n != 0) {
        const long double factors[] = {ones[m % 32], thirtyTwos[(m / 32) % 16],
                                       fiveTwelves[m / 512]};
        for (long double f : factors) {
            if (f == 1)
                continue;
            if (n > 0)
                v = v * f;
            else
                v = v / f;
        }
    }
    if (std::isinf(static_cast<long double>(v)))
        return std::nullopt;
    return negative ? -v : +v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Separators separators = fuzz::separatorsFor(data[0]);
    const FieldText text = fuzz::textFrom(data + 1, size - 1);

    const std::optional<Extended> read = ReadDecimalText(text, separators.decimal);
    Extended parsed;
    try {
        parsed = ParseFieldNumber(text, separators);
    } catch (...) {
        fuzz::fail("ParseFieldNumber let an exception out");
    }
    // Without thousands separators in the text, the parse is the read (or 0).
    if (text.find(separators.thousands) == FieldText::npos) {
        const Extended expected = read ? *read : Extended();
        fuzz::check(parsed.sameBits(expected), "ParseFieldNumber differs from ReadDecimalText");
    }
    if constexpr (x87::Available) {
        if (text.size() <= 64) {
            const std::optional<long double> reference = referenceRead(text, separators.decimal);
            fuzz::check(reference.has_value() == read.has_value(),
                        "ReadDecimalText accepts differently from the reference");
            if (reference)
                fuzz::check(read->sameBits(x87::FromHardware(*reference)),
                            "ReadDecimalText gives other bits than the reference");
        }
    }
    return 0;
}
