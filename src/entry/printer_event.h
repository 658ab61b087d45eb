// DrvPrinterEvent, DrvUpgradePrinter and PrinterProperties' permission probe:
// the argument checks and error codes at the spooler boundary, and the
// handover to the installation.
#pragma once
#include <cstdint>

#include "base/sheet_modes.h"
#include "platform/platform.h"

constexpr int kPrinterEventAddConnection = 1;
constexpr int kPrinterEventDeleteConnection = 2;
constexpr int kPrinterEventInitialize = 3;
constexpr int kPrinterEventDelete = 4;
constexpr int kPrinterEventCacheRefresh = 5;
constexpr int kPrinterEventCacheDelete = 6;
constexpr int kPrinterEventAttributesChanged = 7;
constexpr int kPrinterEventConfigurationUpdate = 8;

// TRUE/FALSE; unknown events fail with last error 87. INITIALIZE installs
// the printer (print processor, default data) and fails when its data cannot
// be written (no driver information, no readable model description: last
// error 2); CONFIGURATION_UPDATE installs the print processor.
int DrvPrinterEventCore(const char16_t* printerName, int event, uint32_t flags, intptr_t lParam);

// infoPresent: the spooler passed a DRIVER_UPGRADE_INFO_1/_2; printerName is
// its first member. TRUE/FALSE, 87 for a bad level or no info; a named
// printer's stored data is upgraded, and the result is TRUE whatever became
// of it (the log tells).
int DrvUpgradePrinterCore(uint32_t level, bool infoPresent, const char16_t* printerName);

// Writes "Permission" = 1 and answers the device sheet header's flags:
// kDpsNoPermission when the write failed.
uint32_t ProbePrinterPermission(PrinterHandle printer);
