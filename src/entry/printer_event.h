// DrvPrinterEvent, DrvUpgradePrinter and PrinterProperties' permission probe:
// the argument checks and error codes at the spooler boundary.
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

// TRUE/FALSE; unknown events fail with last error 87. The installation of a
// new printer is not wired yet: INITIALIZE fails with last error 50.
int DrvPrinterEventCore(const char16_t* printerName, int event, uint32_t flags, intptr_t lParam);

// infoPresent: the spooler passed a DRIVER_UPGRADE_INFO_1/_2; printerName is
// its first member. TRUE/FALSE, 87 for a bad level or no info; the upgrade of
// the stored data is not wired yet (FALSE, last error 50).
int DrvUpgradePrinterCore(uint32_t level, bool infoPresent, const char16_t* printerName);

// Writes "Permission" = 1 and answers the device sheet header's flags:
// kDpsNoPermission when the write failed.
uint32_t ProbePrinterPermission(PrinterHandle printer);
