// Lengths and other values held with implied decimals (210.5 mm with one
// decimal is 2105) as text and back. The separator is passed in: "." for
// files, the user's decimal separator for what the user sees and types.
#pragma once
#include <cstdint>

constexpr int kFixedPointMaxDecimals = 4;

// value / 10^decimals with exactly decimals digits after the separator
// ("-" before a negative value; no separator with 0 decimals), cut to
// capacity and terminated.
void FormatFixedPoint(char16_t* out, int capacity, int32_t value, int decimals, const char16_t* separator);

// The scaled value of text: digits, at most one separator, an optional
// leading '-'. A digit 5..9 right after the last kept decimal rounds up and
// ends the reading; missing decimals count as zeros. 1 with *value set, 0
// (value untouched) for empty text, another character, a second separator,
// no digit at all or a value beyond 32 bits.
int ParseFixedPoint(const char16_t* text, int32_t* value, int decimals, const char16_t* separator);
