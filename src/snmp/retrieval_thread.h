// The background retrieval of a document sheet: one worker per sheet fetches
// the barcode areas, form names, colour-profile names and the input trays
// from the printer, stores each list as printer data and copies it into the
// sheet's destinations, so that the sheet opens at once with the lists
// stored last time and later sheets find the fresh ones.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "snmp/printer_config.h"

constexpr int kBarcodeAreaSlots = 100;
constexpr int kBarcodeNameUnits = 31;
constexpr int kFormNameSlots = 100;
constexpr int kProfileNameSlots = 30;
constexpr int kRegNameUnits = 257;  // 514-byte slots

// Where a worker puts what it fetched. The sheet context will hold these
// fields; until it exists a sheet (or a test) owns one of these and keeps it
// alive until it has waited for the worker.
#pragma pack(push, 1)
struct RetrievalTargets {
    char16_t barcodeNames[kBarcodeAreaSlots][kBarcodeNameUnits];  // 6200 bytes
    uint32_t barcodeRepeats[kBarcodeAreaSlots];
    uint32_t barcodeMaxPages[kBarcodeAreaSlots];
    char16_t formNames[kFormNameSlots][kRegNameUnits];        // 51400 bytes
    char16_t profileNames[kProfileNameSlots][kRegNameUnits];  // 15420 bytes
    TrayEntry trayList[kPrinterTraySlots];                    // the sheet's copy of "TrayList"
};
#pragma pack(pop)
static_assert(sizeof(RetrievalTargets::barcodeNames) == 6200);
static_assert(sizeof(RetrievalTargets::formNames) == 51400);
static_assert(sizeof(RetrievalTargets::profileNames) == 15420);
static_assert(sizeof(RetrievalTargets::trayList) == 80);

// Called on the worker's thread when its chain has ended, with how many of
// the four steps succeeded (4 = all). The receiver hands it over to the
// sheet's own thread; it must not wait for the worker from there.
typedef void (*RetrievalNotice)(void* context, RetrievalTargets* targets, int stepsDone);

struct RetrievalRequest {
    const char16_t* printerName;    // copied, up to 260 characters
    const PrinterSession* session;  // copied: the sheet may change its own meanwhile
    RetrievalTargets* targets;      // written by the worker until a wait returns
    RetrievalNotice notice;         // may be null
    void* noticeContext;
};

// The four steps in order on the calling thread, stopping at the first
// failure; returns the number of steps that succeeded. The worker's body.
int RunRetrievalChain(const char16_t* printerName, PrinterSession* session, RetrievalTargets* targets);

// Starts a worker for the request; 1 started, 0 not (no thread or no memory).
int StartRetrievalThread(const RetrievalRequest& request);
// Waits without a time limit for every worker started and not yet waited
// for, then empties the slot. A call from a worker's own thread leaves that
// worker in the slot.
void WaitRetrievalThread();
// Workers started and not yet waited for.
int RetrievalThreadsPending();
