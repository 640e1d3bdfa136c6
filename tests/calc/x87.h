#pragma once

// The x87 unit as the reference for Extended, where the compiler's long double
// is the 80-bit format (x86 with 64-bit precision control).

#include "calc/Extended.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace varlo::x87
{

inline constexpr bool Available =
    std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10;

inline Extended FromHardware(long double h)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &h, sizeof h);
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signExponent, bytes + 8, 2);
    return Extended::fromFields(signExponent, significand);
}

inline long double ToHardware(Extended x)
{
    unsigned char bytes[sizeof(long double)] = {};
    const std::uint64_t significand = x.significand();
    const std::uint16_t signExponent = x.signExponent();
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signExponent, 2);
    long double h;
    std::memcpy(&h, bytes, sizeof h);
    return h;
}

} // namespace varlo::x87
