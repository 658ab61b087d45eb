// The range text shown beside a numeric field: "(low - high)" in the words
// of the resource module (string 20966, two %s places).
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// Characters written to out (capacity characters, terminated), 0 with out
// empty when the string is missing.
int FormatRangeMessage(HMODULE module, uint16_t language, wchar_t* out, int capacity, const wchar_t* low,
                       const wchar_t* high);
