#pragma once

#include "calc/Extended.h"

#include <optional>
#include <string>
#include <string_view>

namespace varlo
{

// Field texts are UTF-16, as QString holds them, so they convert without loss.
using FieldText = std::u16string;
using FieldTextView = std::u16string_view;

// The decimal and thousands separators of the user's number format.
struct Separators {
    char16_t decimal = u'.';
    char16_t thousands = u',';

    // From the locale's decimal and digit-grouping symbols: the first character of
    // each, the default for a symbol that is empty or longer than one character.
    // A decimal symbol other than "." or "," gives "."; a thousands symbol that is
    // a digit or a sign counts as unreadable; a thousands separator equal to the
    // decimal separator becomes the other of "." and ",".
    static Separators fromLocaleSymbols(FieldTextView decimalSymbol, FieldTextView groupSymbol);

    friend bool operator==(const Separators &, const Separators &) = default;
};

// The process-wide separators every field conversion uses. The application sets
// them from the user's locale at start-up and whenever the locale changes.
Separators CurrentSeparators();
void SetCurrentSeparators(const Separators &separators);

// Reads a decimal number (optional sign, digits, decimal separator, exponent,
// spaces around it). Every floating-point condition stays silent; the result is
// empty when the text is not a number or its value overflows the extended range.
std::optional<Extended> ReadDecimalText(FieldTextView text, char16_t decimalSeparator);

// ReadDecimalText for a caller that demands a number: throws EConvertError.
Extended DemandDecimalNumber(FieldTextView text, char16_t decimalSeparator);

// The number in a field's text, thousands separators ignored; 0 when unreadable.
Extended ParseFieldNumber(FieldTextView text, const Separators &separators);

// Fixed notation with `decimals` decimals, rounded half away from zero on the
// 18 significant decimal digits; no thousands separator, no minus sign on zero.
FieldText FormatFieldNumber(Extended value, int decimals, char16_t decimalSeparator);

// Whether a text looks like a field number: only digits, "-", "," and "."; at
// most one "-" and one decimal separator; thousands separators neither first nor
// fewer than three positions apart.
bool IsDecimalText(FieldTextView text, const Separators &separators);

// The text a field shows after `text` is assigned to it.
FieldText AssignFieldText(FieldTextView text, int precision, const Separators &separators);

// A field's number as a double. Throws EOverflow beyond the double range.
double ReadNumberValue(FieldTextView text, const Separators &separators);

// The text a field shows after the number `value` is written to it.
FieldText WriteNumberValue(double value, int precision, const Separators &separators);

} // namespace varlo
