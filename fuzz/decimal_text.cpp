// IsDecimalText with the text assignment: whatever text is assigned, the field
// ends up empty or with a text that passes the test, and assigning that text
// again changes nothing.
#include "fuzz/fuzz_support.h"

using namespace varlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Separators separators = fuzz::separatorsFor(data[0]);
    const FieldText text = fuzz::textFrom(data + 1, size - 1);

    const bool decimal = IsDecimalText(text, separators);
    if (!text.empty() && !decimal)
        fuzz::check(AssignFieldText(text, 1, separators) ==
                        u"0" + FieldText(1, separators.decimal) + u"0",
                    "a refused text does not show zero");
    const FieldText shown = AssignFieldText(text, 1, separators);
    fuzz::check(shown.empty() == text.empty(), "only an empty text stays empty");
    if (!shown.empty()) {
        fuzz::check(IsDecimalText(shown, separators),
                    "an assigned text fails the decimal-text test");
        fuzz::check(AssignFieldText(shown, 1, separators) == shown,
                    "assigning twice changes the text");
    }
    return 0;
}
