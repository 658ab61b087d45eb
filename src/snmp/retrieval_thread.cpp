#include "snmp/retrieval_thread.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "base/text16.h"
#include "model/printer_data.h"
#include "platform/platform.h"
#include "snmp/printer_config.h"

namespace {

constexpr int kStepOk = 0;
constexpr int kStepFailed = 1;
constexpr size_t kPrinterNameUnits = 261;

// What one worker owns: its own copies of the printer name and session, so
// that neither a later sheet nor the sheet's own edits reach it.
struct RetrievalJob {
    char16_t printerName[kPrinterNameUnits];
    PrinterSession session;
    RetrievalTargets* targets;
    RetrievalNotice notice;
    void* noticeContext;
};

// The process-wide slot: every worker started and not yet waited for, the
// most recent last. Earlier ones stay until a wait, so a sheet is never
// destroyed while a worker still writes into it.
std::mutex g_slotMutex;
std::vector<std::thread>* g_slot = nullptr;

// Writes of steps 2 to 4 count: a printer that cannot be opened to
// administer it is no failure, a refused value is.
int WriteCounted(const char16_t* printerName, const char16_t* value, const void* data, uint32_t size) {
    return SetPrinterDataByName(printerName, value, data, size) ? kStepOk : kStepFailed;
}

bool OpenForUse(const char16_t* printerName, PrinterHandle* handle) {
    return Spool().OpenPrinter(printerName, kPrinterAccessUse, handle) != 0;
}

int BarcodeStep(const char16_t* printerName, PrinterSession* session, RetrievalTargets* t) {
    PrinterHandle h = nullptr;
    if (!OpenForUse(printerName, &h)) return kStepFailed;
    auto* areas = static_cast<BarcodeAreaEntry*>(std::calloc(kBarcodeAreaRows, sizeof(BarcodeAreaEntry)));
    uint32_t count = 0;
    int ok = areas && GetBarcodeAreas(h, &session->env, areas, &count);
    Spool().ClosePrinter(h);
    if (!ok) {
        std::free(areas);
        return kStepFailed;
    }
    if (count > kBarcodeAreaSlots) count = kBarcodeAreaSlots;
    std::memset(t->barcodeNames, 0, sizeof t->barcodeNames);
    std::memset(t->barcodeRepeats, 0, sizeof t->barcodeRepeats);
    std::memset(t->barcodeMaxPages, 0, sizeof t->barcodeMaxPages);
    for (uint32_t i = 0; i < count; ++i) {
        Text16Copy(t->barcodeNames[i], kBarcodeNameUnits, areas[i].name);
        t->barcodeRepeats[i] = areas[i].repeatCount;
        t->barcodeMaxPages[i] = areas[i].maxPageNumber;
    }
    std::free(areas);
    // The three lists are stored whatever the spooler says: the sheet has them.
    SetPrinterDataByName(printerName, u"BarcodeRegNames", t->barcodeNames, count * kBarcodeNameUnits * 2);
    SetPrinterDataByName(printerName, u"BarcodeRegRepeats", t->barcodeRepeats, count * 4);
    SetPrinterDataByName(printerName, u"BarcodeRegMaxPageNumber", t->barcodeMaxPages, count * 4);
    return kStepOk;
}

typedef int (*NameFetch)(PrinterHandle, const PrinterEnvironment*, PrinterListName*, uint32_t*);

int NamesStep(const char16_t* printerName, PrinterSession* session, NameFetch fetch, char16_t (*dest)[kRegNameUnits],
              uint32_t slots, const char16_t* value) {
    PrinterHandle h = nullptr;
    if (!OpenForUse(printerName, &h)) return kStepFailed;
    auto* names = static_cast<PrinterListName*>(std::calloc(slots, sizeof(PrinterListName)));
    uint32_t count = 0;
    int ok = names && fetch(h, &session->env, names, &count);
    Spool().ClosePrinter(h);
    if (!ok) {
        std::free(names);
        return kStepFailed;
    }
    if (count > slots) count = slots;
    std::memset(dest, 0, slots * sizeof(char16_t[kRegNameUnits]));
    for (uint32_t i = 0; i < count; ++i) Text16Copy(dest[i], kRegNameUnits, names[i].name);
    std::free(names);
    return WriteCounted(printerName, value, dest, count * kRegNameUnits * 2);
}

int TrayStep(const char16_t* printerName, PrinterSession* session, RetrievalTargets* t) {
    PrinterHandle h = nullptr;
    if (!OpenForUse(printerName, &h)) return kStepFailed;
    PrinterTrayInfo info{};
    int ok = GetTrayInfo(h, session, &info);
    Spool().ClosePrinter(h);
    if (!ok) return kStepFailed;
    // The sheet's copy takes only the sizes; the stored list takes the table.
    for (uint32_t i = 0; i < kPrinterTraySlots; ++i) {
        t->trayList[i].width = info.trays[i].width;
        t->trayList[i].length = info.trays[i].length;
    }
    return WriteCounted(printerName, u"TrayList", info.trays, sizeof info.trays);
}

void Worker(RetrievalJob* job) {
    int done = RunRetrievalChain(job->printerName, &job->session, job->targets);
    if (job->notice) job->notice(job->noticeContext, job->targets, done);
    std::free(job);
}

}  // namespace

int RunRetrievalChain(const char16_t* printerName, PrinterSession* session, RetrievalTargets* targets) {
    if (!printerName || !session || !targets) return 0;
    if (BarcodeStep(printerName, session, targets) != kStepOk) return 0;
    if (NamesStep(printerName, session, GetFormNames, targets->formNames, kFormNameSlots, u"FormRegNames") !=
        kStepOk) {
        return 1;
    }
    if (NamesStep(printerName, session, GetColorProfileNames, targets->profileNames, kProfileNameSlots,
                  u"ColorProfileRegNames") != kStepOk) {
        return 2;
    }
    if (TrayStep(printerName, session, targets) != kStepOk) return 3;
    return 4;
}

int StartRetrievalThread(const RetrievalRequest& request) {
    if (!request.printerName || !request.session || !request.targets) return 0;
    RetrievalJob* job = static_cast<RetrievalJob*>(std::malloc(sizeof(RetrievalJob)));
    if (!job) return 0;
    Text16Copy(job->printerName, kPrinterNameUnits, request.printerName);
    std::memcpy(&job->session, request.session, sizeof(PrinterSession));
    job->targets = request.targets;
    job->notice = request.notice;
    job->noticeContext = request.noticeContext;
    std::lock_guard<std::mutex> lock(g_slotMutex);
    try {
        if (!g_slot) g_slot = new std::vector<std::thread>();
        g_slot->reserve(g_slot->size() + 1);  // so that a started worker always finds its place
        g_slot->emplace_back(Worker, job);
    } catch (...) {
        std::free(job);
        return 0;
    }
    return 1;
}

void WaitRetrievalThread() {
    std::vector<std::thread> workers;
    std::thread::id self = std::this_thread::get_id();
    {
        std::lock_guard<std::mutex> lock(g_slotMutex);
        if (!g_slot) return;
        workers.swap(*g_slot);
    }
    for (std::thread& t : workers) {
        if (!t.joinable()) continue;
        if (t.get_id() != self) {
            t.join();
            continue;
        }
        // A worker that waits from its own notice cannot wait for itself: it
        // goes back into the slot for the sheet's own wait.
        std::lock_guard<std::mutex> lock(g_slotMutex);
        try {
            g_slot->push_back(std::move(t));
        } catch (...) {
            t.detach();
        }
    }
}

int RetrievalThreadsPending() {
    std::lock_guard<std::mutex> lock(g_slotMutex);
    return g_slot ? static_cast<int>(g_slot->size()) : 0;
}
