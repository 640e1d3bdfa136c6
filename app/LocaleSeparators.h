#pragma once

#include "calc/field_values.h"

class QLocale;

namespace varlo
{

// The decimal and thousands separators of a locale's number format.
Separators SeparatorsOf(const QLocale &locale);

// Makes the user's current number format the one every field uses.
void ReadSystemSeparators();

} // namespace varlo
