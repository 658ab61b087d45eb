// Retrieval of the printer's configuration over SNMP: its address from the
// print queue's port, one request runner that logs every exchange, the
// wake-up, and one fetch per kind of information. Each fetch opens and closes
// its own session; a failed fetch leaves its destination as it was (storage
// folder names excepted: they fall back to the default names). Values from
// the printer are cut to their fields and never trusted for lengths or counts.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/session.h"
#include "platform/platform.h"
#include "snmp/snmp_codec.h"

// Time-outs in seconds of the fetches.
constexpr uint32_t kSnmpShortTimeout = 3;   // folders, barcode areas, forms, profiles, first tray request
constexpr uint32_t kSnmpLongTimeout = 7;    // options, press paper, registered papers
constexpr uint32_t kSnmpWakeTimeout = 1;    // readiness polls of the wake-up

constexpr uint32_t kStorageFolderRows = 100;
constexpr uint32_t kRegisteredPaperRows = 99;
constexpr uint32_t kBarcodeAreaRows = 100;
constexpr uint32_t kFormNameRows = 100;
constexpr uint32_t kColorProfileRows = 30;
constexpr uint32_t kPrinterTraySlots = 5;
constexpr uint32_t kIppPortInfoSize = 6212;   // the IPP port monitor's answer
constexpr uint32_t kIppPortUrlOffset = 2100;  // its URL, UTF-16, terminated

#pragma pack(push, 1)
// One registered paper size: width and length in 0.1 mm, name terminated.
struct RegisteredPaperSize {
    int32_t width;
    int32_t length;
    char16_t name[64];
};
static_assert(sizeof(RegisteredPaperSize) == 136);
static_assert(offsetof(RegisteredPaperSize, name) == 8);

// One barcode area: name of at most 31 characters, terminated.
struct BarcodeAreaEntry {
    char16_t name[32];
    uint32_t repeatCount;
    uint32_t maxPageNumber;
};
static_assert(sizeof(BarcodeAreaEntry) == 72);
static_assert(offsetof(BarcodeAreaEntry, repeatCount) == 64);
static_assert(offsetof(BarcodeAreaEntry, maxPageNumber) == 68);

// A form or colour-profile name of at most 256 characters, terminated.
struct PrinterListName {
    char16_t name[257];
};
static_assert(sizeof(PrinterListName) == 514);

// One input tray as the printer reports it; also the stored "TrayList" row.
struct TrayEntry {
    uint8_t status;       // 1 = usable
    uint8_t reserved1;
    uint8_t paperType;    // printer coding 1..9
    uint8_t autoSelect;   // 1 = automatic selection allowed
    uint8_t feedSetting;
    uint8_t reserved5[3];
    int32_t width;        // kept only for usable, automatically selectable trays
    int32_t length;
};
static_assert(sizeof(TrayEntry) == 16);
static_assert(offsetof(TrayEntry, feedSetting) == 4);
static_assert(offsetof(TrayEntry, width) == 8);
static_assert(offsetof(TrayEntry, length) == 12);

struct PrinterTrayInfo {
    int32_t result;
    int32_t trayIndex;   // -1 none
    int32_t rotateFlag;
    int32_t paperType;   // -1 not set
    int32_t feedFlag;
    int32_t rotation;    // -1 not set
    int32_t outputMode[3];
    TrayEntry trays[kPrinterTraySlots];
};
static_assert(sizeof(PrinterTrayInfo) == 116);
static_assert(offsetof(PrinterTrayInfo, outputMode) == 24);
static_assert(offsetof(PrinterTrayInfo, trays) == 36);
#pragma pack(pop)

// The IPP port monitor's information for a port: 0 with out filled
// (kIppPortInfoSize bytes), 0x12200009 when the port is not the monitor's,
// 87 without port name or buffer, or the spooler's error.
constexpr uint32_t kNotIppPort = 0x12200009;
uint32_t GetIppPortInfo(const char16_t* portName, uint8_t* out);
// The host part of an IPP URL ("ipp://host:631/..." or "ipp://[v6]/...")
// into out (capacity characters, terminated); its length, 0 when none.
size_t ExtractUrlHost(const char16_t* url, size_t urlCapacity, char16_t* out, size_t capacity);

// The printer's network address from its port, as 8-bit text; 1/0.
int GetPrinterAddress(PrinterHandle printer, char* address, uint32_t size);

// One GetRequest for all records to the printer of the environment (typed
// address or port), with its community, logged request and answers;
// timeoutSeconds 0 keeps the session's 7 s. 1 on success, 0 on failure.
int RunSnmpRequest(SnmpVarRecord* records, uint32_t count, PrinterHandle printer, const PrinterEnvironment* env,
                   uint32_t timeoutSeconds);
// The status of the latest RunSnmpRequest on this thread (0 on success).
int32_t LastSnmpRequestStatus();

// Wakes the printer with the magic packet when it sleeps; 1 ready, 0 not.
int WakeUpPrinter(PrinterHandle printer, PrinterSession* session);

// Installed options, network identity and paper support into env; 1/0.
int GetDeviceOptions(PrinterHandle printer, PrinterEnvironment* env);
int GetPressPaperSupport(PrinterHandle printer, PrinterEnvironment* env);
// Storage folder names, presence and the storage flags into env; 1/0.
int GetStorageFolders(PrinterHandle printer, PrinterEnvironment* env);
// The default name of a storage folder slot (0..99) in the environment's
// language, for when the printer cannot tell.
void DefaultStorageFolderName(uint32_t languageId, uint32_t slot, char16_t* out, int capacity);

// Valid rows in row order into out; *count their number. 1/0 (out and count
// untouched on failure).
int GetRegisteredPaperSizes(PrinterHandle printer, const PrinterEnvironment* env,
                            RegisteredPaperSize out[kRegisteredPaperRows], uint32_t* count);
int GetBarcodeAreas(PrinterHandle printer, const PrinterEnvironment* env, BarcodeAreaEntry out[kBarcodeAreaRows],
                    uint32_t* count);
int GetFormNames(PrinterHandle printer, const PrinterEnvironment* env, PrinterListName out[kFormNameRows],
                 uint32_t* count);
int GetColorProfileNames(PrinterHandle printer, const PrinterEnvironment* env,
                         PrinterListName out[kColorProfileRows], uint32_t* count);

// The input trays and output tray modes with the automatic tray evaluation
// for the job settings of the session; 1/0.
int GetTrayInfo(PrinterHandle printer, PrinterSession* session, PrinterTrayInfo* out);
