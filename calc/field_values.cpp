#include "calc/field_values.h"

#include "calc/decimal_scaling.h"
#include "calc/errors.h"
#include "calc/powers_of_ten.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace varlo
{

namespace
{

constinit Separators currentSeparators;

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Characters a number is written with; a thousands separator that is one of
// them would be deleted from every number before it is read.
bool BelongsToNumberSyntax(char16_t c)
{
    return IsDigit(c) || c == u'-' || c == u'+';
}

std::string ToUtf8(FieldTextView text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool highSurrogate = code >= 0xD800 && code <= 0xDBFF;
        const bool lowSurrogate = code >= 0xDC00 && code <= 0xDFFF;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (highSurrogate || lowSurrogate) {
            code = 0xFFFD; // an unpaired surrogate has no UTF-8 form
        }
        if (code < 0x80) {
            result += static_cast<char>(code);
        } else if (code < 0x800) {
            result += static_cast<char>(0xC0 | (code >> 6));
            result += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            result += static_cast<char>(0xE0 | (code >> 12));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (code >> 18));
            result += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return result;
}

// v = v x 10 + digit, each step rounded to extended. Below 2^64 both steps are
// exact, so an integer register gives the same bits much faster; once the value
// has overflowed to infinity it stays there without raising anything new.
class DigitAccumulator
{
public:
    explicit DigitAccumulator(FpStatus &status) : m_status(status) {}

    void append(unsigned digit)
    {
        if (!m_inExtended) {
            if (m_exact <= (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
                m_exact = m_exact * 10 + digit;
                return;
            }
            m_value = Extended::fromUInt(m_exact);
            m_inExtended = true;
        }
        if (m_value.isInfinite())
            return;
        m_value = Extended::mul(m_value, PowersOfTenUnits[1], m_status);
        m_value = Extended::add(m_value, Extended::fromUInt(digit), m_status);
    }

    Extended value() const { return m_inExtended ? m_value : Extended::fromUInt(m_exact); }

private:
    FpStatus &m_status;
    std::uint64_t m_exact = 0;
    bool m_inExtended = false;
    Extended m_value;
};

// Scans one decimal number; see ReadDecimalText.
class DecimalScanner
{
public:
    DecimalScanner(FieldTextView text, char16_t decimalSeparator)
        : m_text(text), m_decimalSeparator(decimalSeparator)
    {
    }

    std::optional<Extended> read()
    {
        FpStatus status;
        DigitAccumulator digits(status);

        skipSpaces();
        const bool negative = at(u'-');
        if (negative || at(u'+'))
            ++m_position;

        bool tookMantissa = false;
        while (IsDigit(peek())) {
            digits.append(take() - u'0');
            tookMantissa = true;
        }
        std::int64_t fractionDigits = 0;
        if (at(m_decimalSeparator)) {
            ++m_position;
            tookMantissa = true;
            while (IsDigit(peek())) {
                digits.append(take() - u'0');
                ++fractionDigits;
            }
        }
        if (!tookMantissa)
            return std::nullopt;

        const std::int64_t scale = readExponent() - fractionDigits;
        skipSpaces();
        if (m_position != m_text.size())
            return std::nullopt;

        Extended value = ScaleByPowerOfTen(digits.value(), scale, status);
        if (status.any(FpOverflow | FpInvalid))
            return std::nullopt;
        return negative ? value.negated() : value;
    }

private:
    char16_t peek() const { return m_position < m_text.size() ? m_text[m_position] : u'\0'; }
    bool at(char16_t c) const { return m_position < m_text.size() && m_text[m_position] == c; }
    char16_t take() { return m_text[m_position++]; }

    void skipSpaces()
    {
        while (at(u' '))
            ++m_position;
    }

    // The exponent stops taking digits once it reaches 500: a longer exponent
    // leaves digits behind, which makes the text unreadable.
    std::int64_t readExponent()
    {
        if (!at(u'E') && !at(u'e'))
            return 0;
        ++m_position;
        const bool negative = at(u'-');
        if (negative || at(u'+'))
            ++m_position;
        std::int64_t exponent = 0;
        while (exponent < 500 && IsDigit(peek()))
            exponent = exponent * 10 + (take() - u'0');
        return negative ? -exponent : exponent;
    }

    FieldTextView m_text;
    char16_t m_decimalSeparator;
    std::size_t m_position = 0;
};

// The 18 significant decimal digits of a number, 0.d1 d2 ... x 10^exponent.
// Digits hold '0' to '9'; an empty string is zero.
struct DecimalForm {
    std::string digits;
    int exponent = 0;
};

std::uint64_t IntegerBelow2To64(Extended integral)
{
    const int unbiased = (integral.signExponent() & 0x7FFF) - 16383;
    if (integral.significand() == 0 || unbiased < 0)
        return 0;
    return integral.significand() >> (63 - unbiased);
}

DecimalForm EighteenDigits(Extended magnitude)
{
    constexpr int Digits = 18;
    DecimalForm form;
    if (magnitude.isZero())
        return form;
    form.exponent = DecimalExponent(magnitude);

    FpStatus status;
    Extended scaled = ScaleByPowerOfTen(magnitude, Digits - form.exponent, status);
    scaled = scaled.roundToInteger(status);
    if (!(scaled < PowersOfTenUnits[Digits])) {
        scaled = Extended::div(scaled, PowersOfTenUnits[1], status).roundToInteger(status);
        ++form.exponent;
    }
    ThrowTrappedConditions(status.raised());

    std::uint64_t integer = IntegerBelow2To64(scaled);
    form.digits.assign(Digits, '0');
    for (int i = Digits - 1; i >= 0; --i) {
        form.digits[i] = static_cast<char>('0' + integer % 10);
        integer /= 10;
    }
    return form;
}

// Rounds half away from zero on the decimal digits, keeping `decimals` places
// after the decimal point.
void RoundToDecimals(DecimalForm &form, int decimals)
{
    const int keep = form.exponent + decimals;
    if (form.digits.empty() || keep >= static_cast<int>(form.digits.size()))
        return;
    if (keep < 0) {
        form = DecimalForm{};
        return;
    }
    const bool roundUp = form.digits[keep] >= '5';
    form.digits.resize(keep);
    if (!roundUp)
        return;
    // Trailing nines carry into the digit on their left; they would become
    // zeros, which are dropped anyway.
    const auto lastBelowNine = form.digits.find_last_not_of('9');
    if (lastBelowNine == std::string::npos) {
        form.digits.assign(1, '1');
        ++form.exponent;
        return;
    }
    ++form.digits[lastBelowNine];
    form.digits.resize(lastBelowNine + 1);
}

void DropTrailingZeros(DecimalForm &form)
{
    const auto lastNonZero = form.digits.find_last_not_of('0');
    form.digits.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
    if (form.digits.empty())
        form.exponent = 0;
}

// Fixed notation: the integer digits (a single "0" below 1), then the decimal
// separator and `decimals` digits, padded with "0" where the digits run out.
// Numbers of 10^18 or more keep the same layout, so that every number a field
// shows is a decimal text it can read back.
FieldText LayOutFixed(const DecimalForm &form, bool negative, int decimals,
                      char16_t decimalSeparator)
{
    const auto digitAt = [&form](int index) -> char16_t {
        return index < static_cast<int>(form.digits.size()) ? form.digits[index] : u'0';
    };
    FieldText text;
    text.reserve(std::max(form.exponent, 1) + std::max(decimals, 0) + 2);
    if (negative && !form.digits.empty())
        text += u'-';
    if (form.exponent <= 0)
        text += u'0';
    for (int i = 0; i < form.exponent; ++i)
        text += digitAt(i);
    if (decimals > 0) {
        text += decimalSeparator;
        const int leadingZeros = form.exponent < 0 ? std::min(-form.exponent, decimals) : 0;
        text.append(leadingZeros, u'0');
        int next = std::max(form.exponent, 0);
        for (int i = leadingZeros; i < decimals; ++i)
            text += digitAt(next++);
    }
    return text;
}

// A number of 10^18 or more shows as its significant digits (18 at most)
// padded with zeros. Read back digit by digit, every padded zero rounds once
// more, which can move the last shown digit; a text in that form is what
// formatting the number it denotes gives, so it is kept as it stands.
bool IsShownLargeNumber(FieldTextView text, int precision, char16_t decimalSeparator)
{
    constexpr std::size_t SignificantDigits = 18;
    std::size_t position = text.starts_with(u'-') ? 1 : 0;
    const std::size_t integerStart = position;
    while (position < text.size() && IsDigit(text[position]))
        ++position;
    if (position - integerStart <= SignificantDigits || text[integerStart] == u'0')
        return false;
    if (precision > 0) {
        if (position == text.size() || text[position] != decimalSeparator)
            return false;
        const std::size_t fractionStart = ++position;
        while (position < text.size() && IsDigit(text[position]))
            ++position;
        if (position - fractionStart != static_cast<std::size_t>(precision))
            return false;
    }
    if (position != text.size())
        return false;
    const FieldTextView padding = text.substr(integerStart + SignificantDigits);
    return std::all_of(padding.begin(), padding.end(), [decimalSeparator](char16_t c) {
        return c == u'0' || c == decimalSeparator;
    });
}

} // namespace

Separators Separators::fromLocaleSymbols(FieldTextView decimalSymbol, FieldTextView groupSymbol)
{
    Separators separators;
    if (decimalSymbol.size() == 1 && (decimalSymbol[0] == u'.' || decimalSymbol[0] == u','))
        separators.decimal = decimalSymbol[0];
    if (groupSymbol.size() == 1 && !BelongsToNumberSyntax(groupSymbol[0]))
        separators.thousands = groupSymbol[0];
    if (separators.thousands == separators.decimal)
        separators.thousands = separators.decimal == u'.' ? u',' : u'.';
    return separators;
}

Separators CurrentSeparators()
{
    return currentSeparators;
}

void SetCurrentSeparators(const Separators &separators)
{
    currentSeparators = separators;
}

std::optional<Extended> ReadDecimalText(FieldTextView text, char16_t decimalSeparator)
{
    return DecimalScanner(text, decimalSeparator).read();
}

Extended DemandDecimalNumber(FieldTextView text, char16_t decimalSeparator)
{
    if (const auto value = ReadDecimalText(text, decimalSeparator))
        return *value;
    throw EConvertError(ToUtf8(text));
}

Extended ParseFieldNumber(FieldTextView text, const Separators &separators)
{
    std::optional<Extended> value;
    if (text.find(separators.thousands) == FieldTextView::npos) {
        value = ReadDecimalText(text, separators.decimal);
    } else {
        FieldText withoutThousands;
        withoutThousands.reserve(text.size());
        std::copy_if(text.begin(), text.end(), std::back_inserter(withoutThousands),
                     [&separators](char16_t c) { return c != separators.thousands; });
        value = ReadDecimalText(withoutThousands, separators.decimal);
    }
    return value.value_or(Extended());
}

FieldText FormatFieldNumber(Extended value, int decimals, char16_t decimalSeparator)
{
    if (!value.isFinite())
        throw EInvalidOp();
    DecimalForm form = EighteenDigits(value.abs());
    RoundToDecimals(form, decimals);
    DropTrailingZeros(form);
    return LayOutFixed(form, value.isNegative(), decimals, decimalSeparator);
}

bool IsDecimalText(FieldTextView text, const Separators &separators)
{
    if (text.empty())
        return false;
    int minusSigns = 0;
    int decimalSeparators = 0;
    std::optional<std::size_t> lastThousands;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!IsDigit(c) && c != u'-' && c != u',' && c != u'.')
            return false;
        if (c == separators.thousands) {
            if (i == 0 || (lastThousands && i - *lastThousands < 3))
                return false;
            lastThousands = i;
        }
        minusSigns += c == u'-';
        decimalSeparators += c == separators.decimal;
    }
    return minusSigns <= 1 && decimalSeparators <= 1;
}

FieldText AssignFieldText(FieldTextView text, int precision, const Separators &separators)
{
    if (text.empty())
        return {};
    if (IsShownLargeNumber(text, precision, separators.decimal))
        return FieldText(text);
    const FieldTextView decimalText = IsDecimalText(text, separators) ? text : u"0";
    return FormatFieldNumber(ParseFieldNumber(decimalText, separators), precision,
                             separators.decimal);
}

double ReadNumberValue(FieldTextView text, const Separators &separators)
{
    if (text.empty())
        return 0.0;
    return ParseFieldNumber(text, separators).toDouble();
}

FieldText WriteNumberValue(double value, int precision, const Separators &separators)
{
    const FieldText shown =
        FormatFieldNumber(Extended::fromDouble(value), precision, separators.decimal);
    return AssignFieldText(shown, precision, separators);
}

} // namespace varlo
