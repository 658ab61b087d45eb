// Paper sizes travel in three units: the paper list and the public DEVMODE in
// 0.1 mm, the private record in 0.01 mm, the spooler's forms in 0.001 mm.
// The list comes from a stored record or the printer and may hold anything,
// so conversions saturate instead of overflowing; the extents clamp later.
#pragma once
#include <cstdint>

// 0.1 mm to 0.01 mm, held inside what a signed 32-bit field can carry.
inline int32_t HundredthsFromTenths(int64_t tenths) {
    int64_t v = tenths * 10;
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// A form (0.001 mm) is the size given in 0.1 mm when both sides lie within
// 1 mm; computed wide so that no stored size can overflow it.
inline bool FormNearSize(int32_t formSmall, int32_t formLarge, int32_t small, int32_t large) {
    int64_t ds = static_cast<int64_t>(formSmall) - static_cast<int64_t>(small) * 100;
    int64_t dl = static_cast<int64_t>(formLarge) - static_cast<int64_t>(large) * 100;
    return ds >= -1000 && ds <= 1000 && dl >= -1000 && dl <= 1000;
}
