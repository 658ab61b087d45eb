// The diagnostics settings record that the device sheet's diagnostics page
// edits, kept in the printer data.
#pragma once
#include <cstdint>

#include "platform/platform.h"

constexpr uint32_t kDebugSettingsSize = 1612;
constexpr uint32_t kDebugScalingAlgOffset = 1608;
constexpr uint32_t kDefaultScalingAlg = 3;

// TRUE when the 1612 bytes were stored as "DebugSettings".
int SetDebugSettings(PrinterHandle printer, const void* record);
// TRUE when "DebugSettings" holds exactly 1612 bytes; the scaling algorithm
// at offset 1608 then comes from "DebugScalingAlg", or 3 without it.
int GetDebugSettings(PrinterHandle printer, void* record);

// wvsprintfW-style formatting into a caller's 1024-character buffer.
int FormatText(char16_t* buffer, const char* format, ...);
