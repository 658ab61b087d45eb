// Scaled decimals of the numeric spin edits, in and out of text.
#include "ui/spin_number.h"

#include <cstdint>

namespace {

constexpr int64_t kPowerOfTen[kSpinMaxDecimals + 1] = {1, 10, 100, 1000};
constexpr int64_t kDigitsCap = INT64_C(100000000000);  // past 32 bits already: further digits change nothing

int Decimals(int d) { return d < 0 ? 0 : d > kSpinMaxDecimals ? kSpinMaxDecimals : d; }

int32_t Saturate(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

int IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Length of the separator's match at text (0 when the text does not begin with it).
int SeparatorAt(const char16_t* text, const char16_t* separator) {
    if (!separator || !separator[0]) return 0;
    int n = 0;
    for (; n < kSeparatorRoom && separator[n]; n++)
        if (text[n] != separator[n]) return 0;
    return n;
}

// Appends the decimal digits of v (non-negative) at out[at], returns the new end.
int AppendDigits(uint64_t v, int minDigits, char16_t* out, int at, int room) {
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v);
    while (n < minDigits) digits[n++] = u'0';
    while (n && at < room - 1) out[at++] = digits[--n];
    return at;
}

}  // namespace

int32_t ParseSpinText(const char16_t* text, int decimals, const char16_t* separator, int32_t fallback) {
    if (!text || !text[0]) return fallback;
    const int d = Decimals(decimals);
    int i = 0;
    const bool negative = text[0] == u'-';
    if (negative) i++;
    int64_t whole = 0, fraction = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    for (;;) {
        if (int n = SeparatorAt(text + i, separator)) {
            if (inFraction) return 0;
            inFraction = true;
            i += n;
            continue;
        }
        char16_t c = text[i];
        if (!IsDigit(c)) break;
        if (!inFraction) {
            if (whole < kDigitsCap) whole = whole * 10 + (c - u'0');
        } else if (fractionDigits < d) {
            fraction = fraction * 10 + (c - u'0');
            fractionDigits++;
        }
        i++;
    }
    if (d == 0) return Saturate(negative ? -whole : whole);
    for (; fractionDigits < d; fractionDigits++) fraction *= 10;
    int64_t v = whole * kPowerOfTen[d] + fraction;
    return Saturate(negative ? -v : v);
}

int32_t ClampSpinValue(int32_t value, int32_t low, int32_t high) {
    if (value > high) value = high;
    if (value < low) value = low;
    return value;
}

void FormatSpinValue(int32_t value, int decimals, const char16_t* separator, char16_t* out, int room) {
    if (!out || room <= 0) return;
    const int d = Decimals(decimals);
    int at = 0;
    int64_t v = value;
    if (v < 0 && at < room - 1) out[at++] = u'-';
    uint64_t magnitude = static_cast<uint64_t>(v < 0 ? -v : v);
    if (d == 0) {
        at = AppendDigits(magnitude, 1, out, at, room);
    } else {
        at = AppendDigits(magnitude / kPowerOfTen[d], 1, out, at, room);
        for (int k = 0; separator && k < kSeparatorRoom && separator[k] && at < room - 1; k++) out[at++] = separator[k];
        at = AppendDigits(magnitude % kPowerOfTen[d], d, out, at, room);
    }
    out[at] = 0;
}

int SpinTextLimit(int32_t low, int32_t high, int decimals, const char16_t* separator) {
    char16_t text[32];
    FormatSpinValue(low, decimals, separator, text, 32);
    int a = 0;
    while (text[a]) a++;
    FormatSpinValue(high, decimals, separator, text, 32);
    int b = 0;
    while (text[b]) b++;
    return a > b ? a : b;
}

int SpinCharAccepted(char16_t c, const SpinChars& chars) {
    if (IsDigit(c)) return 1;
    if (c == u'-') return chars.negative ? 1 : 0;
    if (c == 8 || c == 3 || c == 22) return 1;  // backspace, Ctrl+C, Ctrl+V
    return !chars.integerOnly && chars.separator && chars.separator[0] && c == chars.separator[0];
}

int FilterSpinPaste(const char16_t* pasted, const SpinChars& chars, char16_t* out) {
    int n = 0;
    for (int i = 0; pasted && pasted[i] && i < kSpinTextRoom - 1 && n < kSpinTextRoom - 1; i++)
        if (SpinCharAccepted(pasted[i], chars)) out[n++] = pasted[i];
    out[n] = 0;
    return n;
}

int32_t StepSpinValue(int32_t current, int32_t increment, int count, int32_t low, int32_t high) {
    int64_t v = current + static_cast<int64_t>(increment) * count;
    if (count > 0 && v > high) v = high;
    if (count < 0 && v < low) v = low;
    return Saturate(v);
}

int WheelSteps(int delta) { return delta / kWheelNotch; }
