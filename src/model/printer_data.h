// Typed access to the values the driver keeps in the printer's data. Readers
// fall back to the value's default and never report an error.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

// Two-call typed read: the size query must report a non-zero size with
// success or ERROR_MORE_DATA and the expected type; then the value is read
// into the buffer. 1 on success.
int ReadTypedPrinterData(PrinterHandle printer, const char16_t* value, uint32_t type, void* buffer, uint32_t size);

uint32_t GetLocaleID(PrinterHandle printer);                // 0 when absent
uint8_t GetDuplexOrSimplex(PrinterHandle printer);          // 2 when absent
uint8_t GetUnitOfLength(PrinterHandle printer);             // 0 when absent
uint32_t GetColorRestriction(PrinterHandle printer);        // 15 when absent

// Opens the printer by name for use, reads the value (type not checked).
// Returns 1 also when nothing could be read.
int GetPrinterDataByName(const char16_t* printerName, const char16_t* value, void* buffer, uint32_t size);

// The logged-on user's name, asked again while it reads "SYSTEM" as the
// printer's retry settings allow. The settings are read through the given
// handle, or by opening the printer by name when there is none.
std::u16string LookUpUserName(PrinterHandle printer, const char16_t* printerName);
