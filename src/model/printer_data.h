// Typed access to the values the driver keeps in the printer's data. Readers
// fall back to the value's default and never report an error; writers return
// 1 when the spooler took the value.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

struct PrinterEnvironment;

// Stored sizes of the fixed-size values (text values are as long as their
// text, stored without the terminator).
constexpr uint32_t kDefDevmodeSize = 19040;      // "DefDevmode", binary
constexpr uint32_t kDefEnvSize = 196632;         // "DefEnv" and "PrvEnv", binary
constexpr uint32_t kDebugSettingsSize = 1612;    // "DebugSettings", binary
constexpr uint32_t kTrayListValueSize = 80;      // "TrayList", binary
constexpr uint32_t kCustomPaperNamesSize = 6138; // "CustomPaperSizeNames": 99 slots of 31 characters
constexpr uint32_t kCustomPaperSize = 84;        // "CustomPaperSize_%d", binary
constexpr uint32_t kCustomWMTextSize = 3900;     // "CustomWMText": 30 texts of 130 bytes
constexpr uint32_t kCustomWMColorSize = 64;      // "CustomWMColor": 16 colours

// Defaults of the DWORD values when absent or unreadable.
constexpr uint32_t kDefaultColorRestriction = 15;  // no restriction
constexpr uint32_t kDefaultDuplexOrSimplex = 2;    // two-sided
constexpr uint32_t kDefaultUnitOfLength = 0;       // millimetres
constexpr uint32_t kDefaultDebugScalingAlg = 3;

// Two-call typed read: the size query must report a non-zero size with
// success or ERROR_MORE_DATA and the expected type; then the value is read
// into the buffer with the caller's size. 1 on success; a refused read
// leaves the buffer as it was.
int ReadTypedPrinterData(PrinterHandle printer, const char16_t* value, uint32_t type, void* buffer, uint32_t size);

// A text or binary value as a new zero-filled block of its stored size plus
// 2 bytes, so that text stored without a terminator reads back terminated.
// Null when absent, empty or of another type. Free with FreePrinterDataString.
char16_t* GetPrinterDataString(PrinterHandle printer, const char16_t* value);
void FreePrinterDataString(char16_t* text);
// Writes text as REG_SZ of (characters x 2) bytes, without the terminator.
int SetPrinterDataText(PrinterHandle printer, const char16_t* value, const char16_t* text);

uint32_t GetLocaleID(PrinterHandle printer);          // 0 when absent
int SetLocaleID(PrinterHandle printer, uint32_t localeId);
uint32_t GetColorRestriction(PrinterHandle printer);  // 15 when absent
uint32_t GetDebugTabEnable(PrinterHandle printer);    // 0 when absent

// One plain read into 4 bytes, no type check; the low 8 bits.
uint8_t GetDuplexOrSimplex(PrinterHandle printer);    // 2 when absent
uint8_t GetUnitOfLength(PrinterHandle printer);       // 0 when absent
int SetDuplexOrSimplex(PrinterHandle printer, uint8_t value);  // stored as a DWORD
int SetUnitOfLength(PrinterHandle printer, uint8_t value);

// The driver DEVMODE (19040 bytes) and environment record built at
// installation. SetDefEnv stamps the record with the host's local time first.
int SetDefDevmode(PrinterHandle printer, const void* devmode);
int GetDefDevmode(PrinterHandle printer, void* devmode);
int SetDefEnv(PrinterHandle printer, PrinterEnvironment* env);
int GetDefEnv(PrinterHandle printer, PrinterEnvironment* env);

int SetSnmpCommunityName(PrinterHandle printer, const char16_t* community);
int SetUIModuleName(PrinterHandle printer, const char16_t* path);

// Opens the printer by name for use, reads the value (type not checked).
// Returns 1 also when nothing could be read for want of a name, a buffer or
// an openable printer.
int GetPrinterDataByName(const char16_t* printerName, const char16_t* value, void* buffer, uint32_t size);
// Opens the printer by name to administer it and writes a binary value.
// Returns 1 also when the printer cannot be opened.
int SetPrinterDataByName(const char16_t* printerName, const char16_t* value, const void* data, uint32_t size);

// The logged-on user's name, asked again while it reads "SYSTEM" as the
// printer's retry settings allow. The settings are read through the given
// handle, or by opening the printer by name when there is none.
std::u16string LookUpUserName(PrinterHandle printer, const char16_t* printerName);
