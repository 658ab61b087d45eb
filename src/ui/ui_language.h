// Choosing the user-interface language: the languages the resource module
// carries, and the rule that picks a printer's language.
#pragma once
#include <cstdint>

// The user's UI language mapped onto a language the resource module carries;
// anything not listed becomes 1033 (English, United States).
uint16_t MapUILanguage(uint16_t userLanguage);

// A printer's language from its stored "LocaleID" value as read (found, type,
// size, value): the value when it was read as a 4-byte REG_DWORD and is not 0,
// otherwise fallback (the mapped user language).
uint32_t ChooseUILanguage(int found, uint32_t type, uint32_t size, uint32_t value, uint32_t fallback);
