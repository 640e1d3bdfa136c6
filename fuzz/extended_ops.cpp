// Extended against the x87 unit on arbitrary encodings: every operation gives
// the same bits (any NaN counting as equal to any NaN) and raises the same
// overflow, division-by-zero and invalid conditions.
#include "fuzz/fuzz_support.h"
#include "tests/calc/x87.h"

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>

using namespace varlo;

namespace
{

Extended extendedFrom(const std::uint8_t *bytes)
{
    std::uint64_t sig;
    std::uint16_t se;
    std::memcpy(&sig, bytes, 8);
    std::memcpy(&se, bytes + 8, 2);
    return Extended::fromFields(se, sig);
}

unsigned hardwareConditions()
{
    unsigned raised = 0;
    if (std::fetestexcept(FE_INVALID))
        raised |= FpInvalid;
    if (std::fetestexcept(FE_DIVBYZERO))
        raised |= FpZeroDivide;
    if (std::fetestexcept(FE_OVERFLOW))
        raised |= FpOverflow;
    return raised;
}

constexpr unsigned Trapped = FpInvalid | FpZeroDivide | FpOverflow;

void compare(Extended soft, long double hard, const FpStatus &status, const char *what)
{
    const Extended expected = x87::FromHardware(hard);
    if (!(soft.isNaN() && expected.isNaN()))
        fuzz::check(soft.sameBits(expected), what);
    fuzz::check((status.raised() & Trapped) == hardwareConditions(), "conditions differ");
}

template <typename Float>
void compareNarrowing(Extended a, Float (Extended::*narrow)(FpStatus &) const, const char *what)
{
    FpStatus status;
    const Float soft = (a.*narrow)(status);
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile Float hard = static_cast<Float>(x87::ToHardware(a));
    const Float h = hard;
    if (!(soft != soft && h != h))
        fuzz::check(std::memcmp(&soft, &h, sizeof soft) == 0, what);
    fuzz::check((status.raised() & Trapped) == hardwareConditions(), "narrowing conditions differ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if constexpr (!x87::Available) {
        return 0;
    } else {
        if (size < 21)
            return 0;
        const Extended a = extendedFrom(data + 1);
        const Extended b = extendedFrom(data + 11);
        const long double ha = x87::ToHardware(a);
        const long double hb = x87::ToHardware(b);
        FpStatus status;
        volatile long double hard = 0;
        std::feclearexcept(FE_ALL_EXCEPT);
        switch (data[0] % 7) {
        case 0:
            hard = ha + hb;
            compare(Extended::add(a, b, status), hard, status, "add");
            break;
        case 1:
            hard = ha - hb;
            compare(Extended::sub(a, b, status), hard, status, "sub");
            break;
        case 2:
            hard = ha * hb;
            compare(Extended::mul(a, b, status), hard, status, "mul");
            break;
        case 3:
            hard = ha / hb;
            compare(Extended::div(a, b, status), hard, status, "div");
            break;
        case 4:
            hard = std::nearbyint(ha);
            compare(a.roundToInteger(status), hard, status, "round to integer");
            break;
        case 5:
            compareNarrowing<float>(a, &Extended::toSingle, "to single");
            break;
        default:
            compareNarrowing<double>(a, &Extended::toDouble, "to double");
            break;
        }
        return 0;
    }
}
