// The numbers of a numeric spin edit: a value is a scaled integer (12.5 shown
// with one decimal place is held as 125), shown with the user's decimal
// separator. Parsing, formatting, the characters an edit accepts, what a paste
// leaves and stepping; the window side is spin_edit_win32.
#pragma once
#include <cstdint>

constexpr int kSpinTextRoom = 261;      // a pasted or parsed text: 260 characters and the terminator
constexpr int kSeparatorRoom = 10;      // the cached decimal separator with its terminator
constexpr int kSpinMaxDecimals = 3;
constexpr int kWheelNotch = 120;

// What a field accepts besides digits.
struct SpinChars {
    int negative;     // "-" is accepted: the range reaches below 0
    int integerOnly;  // no decimal places: the separator is refused
    const char16_t* separator;
};

// The scaled value of a text with decimals places (0 to 3), not yet clamped:
// a leading "-" negates; the first whole separator starts the fraction, a
// second makes the result 0; fraction digits beyond decimals are ignored; any
// other character ends the scan. An empty text gives fallback. Values beyond
// 32 bits saturate.
int32_t ParseSpinText(const char16_t* text, int decimals, const char16_t* separator, int32_t fallback);

int32_t ClampSpinValue(int32_t value, int32_t low, int32_t high);

// The text of a scaled value: sign, whole part, separator and exactly
// decimals fraction digits ("%d" with no decimal places). Cut to room.
void FormatSpinValue(int32_t value, int decimals, const char16_t* separator, char16_t* out, int room);

// The longest text the range formats to: what the edit is limited to.
int SpinTextLimit(int32_t low, int32_t high, int decimals, const char16_t* separator);

// 1 for a character the edit takes as typed: a digit, "-" where negatives
// are allowed, the separator's first character where decimals are, and
// backspace, Ctrl+C and Ctrl+V.
int SpinCharAccepted(char16_t c, const SpinChars& chars);

// The accepted characters of a pasted text, in order, at most 260; returns
// their count (0: the paste changes nothing).
int FilterSpinPaste(const char16_t* pasted, const SpinChars& chars, char16_t* out);

// A step by count increments (negative: down), capped at high going up and
// floored at low going down.
int32_t StepSpinValue(int32_t current, int32_t increment, int count, int32_t low, int32_t high);

// The steps of a wheel movement: notches, truncated toward zero.
int WheelSteps(int delta);
