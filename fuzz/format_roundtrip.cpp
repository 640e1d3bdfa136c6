// FormatFieldNumber and the read on random doubles: the text a field shows for a
// number reads back to the number as shown, survives the text assignment
// unchanged, and passes the decimal-text test.
#include "fuzz/fuzz_support.h"

#include <cmath>
#include <cstring>

using namespace varlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 9)
        return 0;
    const Separators separators = fuzz::separatorsFor(data[0]);
    double x;
    std::memcpy(&x, data + 1, sizeof x);
    if (!std::isfinite(x))
        return 0;

    const FieldText shown = WriteNumberValue(x, 1, separators);
    fuzz::check(IsDecimalText(shown, separators), "a written number fails the decimal-text test");
    fuzz::check(AssignFieldText(shown, 1, separators) == shown,
                "the text assignment changes a written number");
    double back = 0;
    try {
        back = ReadNumberValue(shown, separators);
    } catch (...) {
        fuzz::fail("a written number does not read back");
    }
    fuzz::check(WriteNumberValue(back, 1, separators) == shown,
                "a written number reads back to a number that shows otherwise");

    // The extended form of the same value, as the text assignment formats it.
    const FieldText formatted = FormatFieldNumber(Extended::fromDouble(x), 1, separators.decimal);
    fuzz::check(formatted == shown, "formatting the widened double differs from the write");
    return 0;
}
