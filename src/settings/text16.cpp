#include "settings/text16.h"

size_t Text16Length(const char16_t* s, size_t max) {
    size_t n = 0;
    if (!s) return 0;
    while (n < max && s[n]) n++;
    return n;
}

void Text16Copy(char16_t* dst, size_t capacity, const char16_t* src) {
    if (!dst || capacity == 0) return;
    size_t n = 0;
    if (src)
        for (; n + 1 < capacity && src[n]; n++) dst[n] = src[n];
    dst[n] = 0;
}

int Text16Compare(const char16_t* a, const char16_t* b, size_t n) {
    for (size_t i = 0; i < n; i++) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
        if (!a[i]) return 0;
    }
    return 0;
}
