#pragma once

// Shared pieces of the fuzz targets: turning bytes into field texts and
// separator settings, and failing loudly.

#include "calc/field_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace varlo::fuzz
{

// The first byte picks the separator setting; both common ones and the space
// thousands separator of many European locales.
inline Separators separatorsFor(std::uint8_t selector)
{
    switch (selector % 3) {
    case 0:
        return Separators{u'.', u','};
    case 1:
        return Separators{u',', u'.'};
    default:
        return Separators{u',', u'\u00A0'};
    }
}

// Bytes below 0x80 stand for themselves; the others for characters that a paste
// may bring: Unicode spaces, separators, line breaks and letters of other scripts.
inline FieldText textFrom(const std::uint8_t *data, std::size_t size)
{
    static constexpr char16_t others[] = {u'\u00A0', u'\u2009', u'\u202F',        u'\u3000',
                                          u'\u2028', u'\u066B', u'\u066C',        u'\u0660',
                                          u'\u0669', u'\uFF10', u'\uFF0C',        u'\u00B7',
                                          u'\u2019', u'\uFEFF', char16_t(0xD800), u'\uFFFF'};
    FieldText text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        text.push_back(data[i] < 0x80 ? char16_t(data[i]) : others[data[i] % 16]);
    return text;
}

[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void check(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

} // namespace varlo::fuzz
