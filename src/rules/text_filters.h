// Filters for text that users type: names, stamp texts and the SNMP
// community end up in file names, printer-data values and job data where
// some characters are not allowed; two numeric fields keep only digits or
// hexadecimal digits. These are the text rules alone; the pages run them on
// every edit change, warn and put the caret back.
#pragma once
#include <cstddef>
#include <cstdint>

enum class TextFilterKind : uint8_t {
    Name,       // favourite and user-paper names, watermark, gamma and tray-per-page names
    Stamp,      // page and date stamps: as names, but dates keep their slashes
    Community,  // the SNMP community
};

// 1 when c may not appear in a text of this kind.
int IsForbiddenChar(TextFilterKind kind, char16_t c);
// Resource string of the warning shown when characters were removed.
uint32_t TextFilterWarning(TextFilterKind kind);
// Removes every forbidden character from the terminated text in place;
// returns 1 when it removed any.
int RemoveForbiddenChars(TextFilterKind kind, char16_t* text);

// Characters the numeric fields read from their control.
constexpr size_t kDigitsFieldChars = 7;
constexpr size_t kHexByteFieldChars = 3;

// Digits field: keeps the digits among the first 7 characters. When
// something was removed, text holds the kept digits (perhaps none), *caret
// moves one place back (never before the start) and 1 is returned; else
// text and caret stay and 0 is returned.
int KeepDigits(char16_t* text, int* caret);
// MAC byte field: keeps the hexadecimal digits among the first 3
// characters; when something was removed, text holds them, or "0" when none
// was kept, and 1 is returned.
int KeepHexDigits(char16_t* text);
