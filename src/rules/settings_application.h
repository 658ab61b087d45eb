// The settings application: defaults of a fresh record, the environment
// reset, and the rules that make settings fit the printer.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

// Mode 0 factory defaults (every other mode but 1 and 2 too); mode 1 the
// printer's stored defaults ("DefDevmode"); mode 2 takes the printer's own
// DEVMODE. Returns 1 (mode 2: whether a DEVMODE was found).
int ResetPrivateSettings(PrinterSession* session, PrinterHandle printer, int mode);
// Mode 0 resets the environment's user-adjustable part; mode 1 loads the
// installation's environment ("DefEnv") with its option values checked.
void ResetEnvironment(PrinterSession* session, PrinterHandle printer, int mode);
// A stored environment record (installation's or an older driver's) made
// safe: option bytes outside their values back to "not installed", texts
// terminated, the lists to be rebuilt.
void FitStoredEnvironment(PrinterEnvironment& env, PrinterHandle printer);
// 1 when the private part was found in dm (size bytes).
int TakeSettingsFromPrinterDevmode(PrinterSession* session, const uint8_t* dm, size_t size);
// Makes the settings fit the printer's model and options, rule by rule.
void ApplyDeviceRestrictions(PrinterSession* session, PrinterHandle printer);
// The printer's "ColorRestriction" applied to colorMode: 0 when it changed
// colorMode, else 1.
int ApplyColorRestriction(PrinterHandle printer, PrinterSession* session);
// The colour mode that mask m leaves of mode on the printer env describes.
uint8_t RestrictColorMode(const PrinterEnvironment& env, uint32_t m, uint8_t mode);
// Sets reverseOrder from the output tray, finishing and delivery values.
void ComputeReverseOrder(PrinterSession* session);
// The caller's 256 header bytes replace the session's, then the ticket is
// converted by the caller's ticketKind. callerPrivate points at the caller's
// private record (at least its 256 header bytes).
void ConvertHeaderTicket(PrinterSession* session, const uint8_t* callerPrivate);
// The job identity strings: computer, user and printer display name.
void FillIdentityNames(PrinterSession* session, PrinterHandle printer, const char16_t* printerName);
// The message font's face name, with its fallbacks.
void DefaultFontFace(char16_t out[64]);
