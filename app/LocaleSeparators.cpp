#include "app/LocaleSeparators.h"

#include <QLocale>
#include <QString>

namespace varlo
{

namespace
{

FieldTextView AsFieldText(const QString &text)
{
    return FieldTextView(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
}

} // namespace

Separators SeparatorsOf(const QLocale &locale)
{
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    return Separators::fromLocaleSymbols(AsFieldText(decimal), AsFieldText(group));
}

void ReadSystemSeparators()
{
    SetCurrentSeparators(SeparatorsOf(QLocale::system()));
}

} // namespace varlo
