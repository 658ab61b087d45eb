// Installing a printer of this driver and upgrading its driver: the print
// processor on share clients, every printer-data value the rest of the driver
// expects, the model's forms and the preset favourites, or on an upgrade the
// DEVMODEs an older driver stored. Everything goes through the spooler
// interface, so the in-memory spooler sees each call.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"

// The installer's registry key and value for the language of a new printer.
constexpr const char16_t* kInstallerKey = u"SOFTWARE\\KELO\\IJ\\PrinterDriverInstaller\\KELO QM Series";
constexpr const char16_t* kInstallLanguageValue = u"InstallLanguage";

// The driver's print processor: its file among the driver's files and its
// registered name.
constexpr const char16_t* kPrintProcessorFile = u"ZR51APP.dll";
constexpr const char16_t* kPrintProcessorName = u"ZR51APP";

// 1 when the printer is reached through a print server (its name carries a
// server) and this machine is not a cluster node; logs which case it is.
int IsPrinterShareClient(PrinterHandle printer);

// Copies the print processor from the driver directory into the print
// processor directory and makes it the printer's, on share clients only.
// Failures are silent: the installation goes on without it.
void InstallProcessor(const char16_t* printerName);

// 1 with the installer's language when it is a non-zero REG_DWORD, else 0
// with *languageId untouched.
int ReadInstallLanguage(uint32_t* languageId);

// Writes the printer's default data: a new printer (upgrade 0) gets the
// model record, the environment, the default DEVMODE, forms and preset
// favourites; an upgrade (1) keeps the stored environment, refreshed from
// the model, and converts the stored DEVMODEs. 0 only when the driver
// information or the model description cannot be read (or memory runs out).
int InstallDefaultReg(PrinterHandle printer, const char16_t* printerName, int upgrade);

// Upgrade: the stored "PrvEnv" over the session's environment, then the
// printer's global and per-user DEVMODEs converted by the driver through the
// spooler. 1, or 0 at the first step that failed.
int ConvertStoredDevmodes(PrinterHandle printer, PrinterSession* session);
// Its two steps. The first copies a stored record of another size as far as
// it goes (with a log line); the caller makes its contents safe.
int ReadStoredEnvironment(PrinterHandle printer, PrinterSession* session);
int ConvertPrinterDevmodes(PrinterHandle printer);

// The four preset favourites of a new printer, named by display-name
// references ("+IDS_n"), built from the printer's stored defaults.
void InstallPresetFavorites(PrinterHandle printer, const char16_t* printerName, uint32_t languageId);
