// The printer's input trays and output tray modes, asked over SNMP for the
// background retrieval, and the record they are handed over in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "entry/session.h"
#include "platform/platform.h"

#pragma pack(push, 1)
// One input tray as the printer reports it; five of them in a row are also
// the printer-data value "TrayList".
struct TrayEntry {
    uint8_t status;       // 1 = usable
    uint8_t zero1;
    uint8_t paperType;    // the printer's coding 1..9
    uint8_t autoSelect;   // 1 = automatic selection allowed
    uint8_t feedSetting;
    uint8_t zero5[3];
    int32_t width;        // 0.1 mm; 0 unless usable and automatically selectable
    int32_t length;
};

struct PrinterTrayInfo {
    int32_t result;
    int32_t trayIndex;   // tray slot, -1 none
    int32_t rotateFlag;
    int32_t paperType;   // driver paper type, -1 not set
    int32_t feedFlag;
    int32_t rotation;    // -1 not set
    int32_t outputMode[3];
    TrayEntry trays[5];
};
#pragma pack(pop)

static_assert(sizeof(TrayEntry) == 16);
static_assert(offsetof(TrayEntry, feedSetting) == 4);
static_assert(offsetof(TrayEntry, width) == 8);
static_assert(offsetof(TrayEntry, length) == 12);
static_assert(sizeof(PrinterTrayInfo) == 116);
static_assert(offsetof(PrinterTrayInfo, rotation) == 20);
static_assert(offsetof(PrinterTrayInfo, outputMode) == 24);
static_assert(offsetof(PrinterTrayInfo, trays) == 36);

constexpr int kTraySlotCount = 5;
constexpr uint32_t kTrayListSize = sizeof(TrayEntry) * kTraySlotCount;  // "TrayList", 80 bytes

// Asks the printer for its trays and first output tray mode (3 s), evaluates
// which tray the job's paper would come from, then asks for the two other
// output tray modes. 0 without a request when the job's settings make the
// answer useless, or when the first request fails; otherwise 1, whatever the
// second request gives.
int GetTrayInfo(PrinterHandle printer, PrinterSession* session, PrinterTrayInfo* out);
