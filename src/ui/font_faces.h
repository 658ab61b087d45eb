// The font list of font combos: which of the screen's font families are
// offered, and which one a stored face name selects.
#pragma once
#include <cstdint>

constexpr int kFaceNameChars = 32;  // a face name with its terminator
constexpr uint8_t kSymbolCharset = 2;

struct FontFamily {
    char16_t face[kFaceNameChars];
    int trueType;
    uint8_t charset;
};

// Keeps, in order, the TrueType families that are not symbol fonts, not
// vertical-writing ("@" names) and not already kept (exact name); returns
// how many were kept at the front of families.
int KeepOfferedFonts(FontFamily* families, int count);
// The index of the exact face name, or 0 when it is missing.
int SelectedFontIndex(const FontFamily* families, int count, const char16_t* face);
