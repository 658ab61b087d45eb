// The settings application: defaults of a fresh record, the environment
// reset, and the rules that make settings fit the printer.
#pragma once
#include <cstdint>

#include "entry/session.h"
#include "platform/platform.h"

// Mode 0 factory defaults (every other mode but 1 and 2 too); mode 2 takes
// the printer's own DEVMODE. Returns 1 (mode 2: whether a DEVMODE was found).
int ResetPrivateSettings(PrinterSession* session, PrinterHandle printer, int mode);
// Mode 0 resets the environment's user-adjustable part.
void ResetEnvironment(PrinterSession* session, PrinterHandle printer, int mode);
// 1 when the private part was found in dm (size bytes).
int TakeSettingsFromPrinterDevmode(PrinterSession* session, const uint8_t* dm, size_t size);
// Makes the settings fit the printer's model and options.
void ApplyDeviceRestrictions(PrinterSession* session, PrinterHandle printer);
// The caller's 256 header bytes replace the session's, then the ticket is
// converted. callerPrivate points at the caller's private record.
void ConvertHeaderTicket(PrinterSession* session, const uint8_t* callerPrivate);
// The job identity strings: computer, user and printer display name.
void FillIdentityNames(PrinterSession* session, PrinterHandle printer, const char16_t* printerName);
// The message font's face name, with its fallbacks.
void DefaultFontFace(char16_t out[64]);
