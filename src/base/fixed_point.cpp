#include "base/fixed_point.h"

#include <cstdio>

namespace {

int64_t PowerOfTen(int n) {
    int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// Length of the separator when text starts with it, else 0.
int SeparatorAt(const char16_t* text, const char16_t* separator) {
    if (!separator || !separator[0]) return 0;
    int n = 0;
    while (separator[n]) {
        if (text[n] != separator[n]) return 0;
        n++;
    }
    return n;
}

}  // namespace

void FormatFixedPoint(char16_t* out, int capacity, int32_t value, int decimals, const char16_t* separator) {
    if (!out || capacity <= 0) return;
    if (decimals < 0) decimals = 0;
    if (decimals > kFixedPointMaxDecimals) decimals = kFixedPointMaxDecimals;
    const int64_t scale = PowerOfTen(decimals);
    const int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%s%lld", value < 0 ? "-" : "", static_cast<long long>(magnitude / scale));
    int n = 0;
    for (int i = 0; digits[i] && n < capacity - 1; i++) out[n++] = static_cast<char16_t>(digits[i]);
    if (decimals > 0) {
        for (int i = 0; separator && separator[i] && n < capacity - 1; i++) out[n++] = separator[i];
        std::snprintf(digits, sizeof digits, "%0*lld", decimals, static_cast<long long>(magnitude % scale));
        for (int i = 0; digits[i] && n < capacity - 1; i++) out[n++] = static_cast<char16_t>(digits[i]);
    }
    out[n] = 0;
}

int ParseFixedPoint(const char16_t* text, int32_t* value, int decimals, const char16_t* separator) {
    if (!text || !value || !text[0]) return 0;
    if (decimals < 0) decimals = 0;
    if (decimals > kFixedPointMaxDecimals) decimals = kFixedPointMaxDecimals;
    const char16_t* p = text;
    const int negative = *p == u'-';
    if (negative) p++;
    int64_t v = 0;
    int separatorSeen = 0, fraction = 0, anyDigit = 0;
    while (*p) {
        if (separatorSeen && fraction == decimals) {
            if (*p >= u'5' && *p <= u'9') v++;
            break;
        }
        if (*p >= u'0' && *p <= u'9') {
            v = v * 10 + (*p - u'0');
            if (v > 0x7FFFFFFF) return 0;
            anyDigit = 1;
            if (separatorSeen) fraction++;
            p++;
            continue;
        }
        const int sep = SeparatorAt(p, separator);
        if (!sep || separatorSeen) return 0;
        separatorSeen = 1;
        p += sep;
    }
    if (!anyDigit) return 0;
    v *= PowerOfTen(decimals - fraction);
    if (v > 0x7FFFFFFF) return 0;
    *value = static_cast<int32_t>(negative ? -v : v);
    return 1;
}
