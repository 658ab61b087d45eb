// Reading the printer's tray answers: the output tray mode codes, the
// printer's paper-type coding, and the automatic tray evaluation that finds
// the tray a job's paper would be taken from. Pure functions over the tray
// table and the job settings; the paper sizes of paper ids come through a
// callback so that no printer or spooler is needed.
#pragma once
#include <cstdint>

#include "base/private_settings.h"
#include "snmp/printer_config.h"

constexpr uint32_t kPaperTypeAny = 257;
constexpr uint32_t kPaperTypePlain = 258;
constexpr uint16_t kInputTrayAuto = 7;
constexpr int kTraySlotCount = static_cast<int>(kPrinterTraySlots);

// Width and length in 0.1 mm of a paper id as the capability query lists
// it; 1, or 0 with the outputs untouched when the id is not listed.
typedef int (*PaperSizeLookup)(void* context, uint32_t paperId, int32_t* width, int32_t* length);

// The output tray mode code of a printer's reading, with its log line; a
// reading without a code leaves previous and logs nothing.
int32_t OutputTrayModeCode(uint32_t reading, int32_t previous);
// The driver paper type (258..265) of the printer's coding; 258 for any
// coding it does not know.
uint32_t DriverPaperType(uint32_t printerCoding);
// The log name of the printer's coding in the tray lines.
const char16_t* PrinterPaperTypeLogName(uint32_t printerCoding);

// Writes trayIndex, rotateFlag, paperType, feedFlag and rotation of info from
// info->trays and the job; the outcome reaches only the log. Returns 1.
int EvaluateTrays(const PrivateSettings& job, uint8_t a3OrA4, uint32_t defaultPaperType, PaperSizeLookup lookup,
                  void* lookupContext, PrinterTrayInfo* info);
