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
// alive until it has released it (ReleaseRetrievalTargets).
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
    RetrievalTargets* targets;      // written by the worker, step by step, until released
    RetrievalNotice notice;         // may be null
    void* noticeContext;
};

// The four steps in order on the calling thread, stopping at the first
// failure; returns the number of steps that succeeded. The worker's body.
int RunRetrievalChain(const char16_t* printerName, PrinterSession* session, RetrievalTargets* targets);

// A document sheet's starting lists: the barcode areas and "TrayList" as
// stored by the last retrieval (zero where a value is missing or too long);
// the form and colour-profile lists start empty.
void LoadStoredRetrievalLists(PrinterHandle printer, RetrievalTargets* targets);

// Starts a worker for the request and puts it in the process-wide slot,
// replacing any earlier one (which runs on with its own copies); 1 started,
// 0 not (no thread or no memory).
int StartRetrievalThread(const RetrievalRequest& request);
// Waits without a time limit for the worker in the slot (the most recently
// started one), then empties the slot; an earlier worker is not waited for.
// A call from that worker's own thread leaves it in the slot.
void WaitRetrievalThread();
// No worker writes into targets or calls its notice after this returns: a
// sheet calls it before it frees the destinations, since its wait may have
// waited for a later sheet's worker instead of its own. Must not be called
// from a notice.
void ReleaseRetrievalTargets(const RetrievalTargets* targets);
// Waits for every worker still running; the slot is emptied too.
void WaitAllRetrievalThreads();
// Frees what is kept of every worker that has finished, without waiting for
// any: for the DLL's detach, where no wait may happen. Workers run on
// threads that keep the module loaded (platform/worker_threads.h), so when
// an application's FreeLibrary detaches it every one has finished.
void ForgetRetrievalThreads();
// Workers started and not yet joined.
int RetrievalThreadsPending();
