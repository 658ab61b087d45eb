#include "snmp/retrieval_thread.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "base/text16.h"
#include "model/printer_data.h"
#include "platform/platform.h"
#include "platform/worker_threads.h"
#include "snmp/printer_config.h"

namespace {

constexpr int kStepOk = 0;
constexpr int kStepFailed = 1;
constexpr size_t kPrinterNameUnits = 261;

// What one worker owns: its own copies of the printer name and session, and
// its own results, so that neither a later sheet nor the sheet's own edits
// reach it. The sheet's destinations are written only through publish(),
// under g_publishMutex, and only while the sheet has not released them.
struct RetrievalJob {
    char16_t printerName[kPrinterNameUnits];
    PrinterSession session;
    RetrievalTargets own;
    RetrievalTargets* targets;  // null once the sheet released them
    RetrievalNotice notice;
    void* noticeContext;
    std::atomic<int> finished;
};

struct WorkerEntry {
    WorkerHandle thread;
    RetrievalJob* job;
};

// Every worker not yet joined, and the slot: the most recently started one
// not yet waited for. A second start replaces the slot; the earlier worker
// runs on with its own copies and is joined once it has finished (at a later
// start or wait) or by WaitAllRetrievalThreads.
std::mutex g_slotMutex;
std::vector<WorkerEntry>* g_workers = nullptr;
RetrievalJob* g_slot = nullptr;
// Taken around every write into a sheet's destinations, the notice and the
// release; before g_slotMutex when both are held.
std::mutex g_publishMutex;

// Writes of steps 2 to 4 count: a printer that cannot be opened to
// administer it is no failure, a refused value is.
int WriteCounted(const char16_t* printerName, const char16_t* value, const void* data, uint32_t size) {
    return SetPrinterDataByName(printerName, value, data, size) ? kStepOk : kStepFailed;
}

bool OpenForUse(const char16_t* printerName, PrinterHandle* handle) {
    return Spool().OpenPrinter(printerName, kPrinterAccessUse, handle) != 0;
}

int BarcodeStep(const char16_t* printerName, PrinterSession* session, RetrievalTargets* t, int* wrote) {
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
    *wrote = 1;
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
              uint32_t slots, const char16_t* value, int* wrote) {
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
    *wrote = 1;
    std::memset(dest, 0, slots * sizeof(char16_t[kRegNameUnits]));
    for (uint32_t i = 0; i < count; ++i) Text16Copy(dest[i], kRegNameUnits, names[i].name);
    std::free(names);
    return WriteCounted(printerName, value, dest, count * kRegNameUnits * 2);
}

int TrayStep(const char16_t* printerName, PrinterSession* session, RetrievalTargets* t, int* wrote) {
    PrinterHandle h = nullptr;
    if (!OpenForUse(printerName, &h)) return kStepFailed;
    PrinterTrayInfo info{};
    int ok = GetTrayInfo(h, session, &info);
    Spool().ClosePrinter(h);
    if (!ok) return kStepFailed;
    // The sheet's copy takes only the sizes; the stored list takes the table.
    *wrote = 1;
    for (uint32_t i = 0; i < kPrinterTraySlots; ++i) {
        t->trayList[i].width = info.trays[i].width;
        t->trayList[i].length = info.trays[i].length;
    }
    return WriteCounted(printerName, u"TrayList", info.trays, sizeof info.trays);
}

// The parts of the destinations each step fills.
enum StepPart { kPartBarcodes, kPartForms, kPartProfiles, kPartTrays };

// One step's results into the sheet's destinations, unless the sheet has
// released them.
void Publish(RetrievalJob* job, int part) {
    RetrievalTargets* t = job->targets;
    const RetrievalTargets& o = job->own;
    if (!t) return;
    switch (part) {
    case kPartBarcodes:
        std::memcpy(t->barcodeNames, o.barcodeNames, sizeof o.barcodeNames);
        std::memcpy(t->barcodeRepeats, o.barcodeRepeats, sizeof o.barcodeRepeats);
        std::memcpy(t->barcodeMaxPages, o.barcodeMaxPages, sizeof o.barcodeMaxPages);
        break;
    case kPartForms:
        std::memcpy(t->formNames, o.formNames, sizeof o.formNames);
        break;
    case kPartProfiles:
        std::memcpy(t->profileNames, o.profileNames, sizeof o.profileNames);
        break;
    case kPartTrays:
        // The sheet's copy takes only the sizes.
        for (uint32_t i = 0; i < kPrinterTraySlots; ++i) {
            t->trayList[i].width = o.trayList[i].width;
            t->trayList[i].length = o.trayList[i].length;
        }
        break;
    }
}

typedef void (*StepFilled)(void* context, int part);

// The chain over targets; after each step that filled its part of them,
// filled (when given) is told which.
int RunChain(const char16_t* printerName, PrinterSession* session, RetrievalTargets* targets, StepFilled filled,
             void* context) {
    int wrote = 0;
    auto told = [&](int part) {
        if (wrote && filled) filled(context, part);
        wrote = 0;
    };
    int ok = BarcodeStep(printerName, session, targets, &wrote) == kStepOk;
    told(kPartBarcodes);
    if (!ok) return 0;
    ok = NamesStep(printerName, session, GetFormNames, targets->formNames, kFormNameSlots, u"FormRegNames",
                   &wrote) == kStepOk;
    told(kPartForms);
    if (!ok) return 1;
    ok = NamesStep(printerName, session, GetColorProfileNames, targets->profileNames, kProfileNameSlots,
                   u"ColorProfileRegNames", &wrote) == kStepOk;
    told(kPartProfiles);
    if (!ok) return 2;
    ok = TrayStep(printerName, session, targets, &wrote) == kStepOk;
    told(kPartTrays);
    return ok ? 4 : 3;
}

void PublishPart(void* context, int part) {
    std::lock_guard<std::mutex> lock(g_publishMutex);
    Publish(static_cast<RetrievalJob*>(context), part);
}

void Worker(void* argument) {
    RetrievalJob* job = static_cast<RetrievalJob*>(argument);
    int done = RunChain(job->printerName, &job->session, &job->own, PublishPart, job);
    {
        std::lock_guard<std::mutex> lock(g_publishMutex);
        if (job->notice && job->targets) job->notice(job->noticeContext, job->targets, done);
    }
    job->finished = 1;
}

void FreeJob(RetrievalJob* job) {
    job->~RetrievalJob();
    std::free(job);
}

// Joins and frees every worker that has finished, except the slot's (its
// wait joins it). Called with g_slotMutex held; a finished worker has only
// its return left, so the joins are short.
void ReapFinished() {
    if (!g_workers) return;
    for (size_t i = 0; i < g_workers->size();) {
        WorkerEntry& e = (*g_workers)[i];
        if (e.job == g_slot || !e.job->finished || Workers().IsCurrent(e.thread)) {
            ++i;
            continue;
        }
        Workers().Join(e.thread);
        FreeJob(e.job);
        g_workers->erase(g_workers->begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// Takes the worker of job out of the list (null when it is not there or is
// the calling thread, which cannot wait for itself).
bool TakeWorker(RetrievalJob* job, WorkerEntry* out) {
    if (!g_workers) return false;
    for (size_t i = 0; i < g_workers->size(); ++i) {
        WorkerEntry& e = (*g_workers)[i];
        if (e.job != job) continue;
        if (Workers().IsCurrent(e.thread)) return false;
        *out = e;
        g_workers->erase(g_workers->begin() + static_cast<std::ptrdiff_t>(i));
        return true;
    }
    return false;
}

void JoinAndFree(WorkerEntry& e) {
    Workers().Join(e.thread);
    FreeJob(e.job);
}

}  // namespace

int RunRetrievalChain(const char16_t* printerName, PrinterSession* session, RetrievalTargets* targets) {
    if (!printerName || !session || !targets) return 0;
    return RunChain(printerName, session, targets, nullptr, nullptr);
}

void LoadStoredRetrievalLists(PrinterHandle printer, RetrievalTargets* targets) {
    if (!targets) return;
    std::memset(targets, 0, sizeof *targets);
    if (!printer) return;
    struct Stored {
        const char16_t* value;
        void* into;
        uint32_t size;
    };
    const Stored rows[] = {
        {u"BarcodeRegNames", targets->barcodeNames, sizeof targets->barcodeNames},
        {u"BarcodeRegRepeats", targets->barcodeRepeats, sizeof targets->barcodeRepeats},
        {u"BarcodeRegMaxPageNumber", targets->barcodeMaxPages, sizeof targets->barcodeMaxPages},
        {u"TrayList", targets->trayList, sizeof targets->trayList},
    };
    for (const Stored& r : rows) {
        uint32_t type = 0, needed = 0;
        // A value that does not fit leaves its part as it was: zero.
        if (Spool().GetPrinterData(printer, r.value, &type, r.into, r.size, &needed) != kErrSuccess)
            std::memset(r.into, 0, r.size);
    }
}

int StartRetrievalThread(const RetrievalRequest& request) {
    if (!request.printerName || !request.session || !request.targets) return 0;
    void* memory = std::malloc(sizeof(RetrievalJob));
    if (!memory) return 0;
    RetrievalJob* job = new (memory) RetrievalJob;
    Text16Copy(job->printerName, kPrinterNameUnits, request.printerName);
    std::memcpy(&job->session, request.session, sizeof(PrinterSession));
    std::memset(&job->own, 0, sizeof job->own);
    job->targets = request.targets;
    job->notice = request.notice;
    job->noticeContext = request.noticeContext;
    job->finished = 0;
    std::lock_guard<std::mutex> lock(g_slotMutex);
    try {
        if (!g_workers) g_workers = new std::vector<WorkerEntry>();
        ReapFinished();
        g_workers->reserve(g_workers->size() + 1);  // so that a started worker always finds its place
    } catch (...) {
        FreeJob(job);
        return 0;
    }
    WorkerHandle thread = Workers().Start(Worker, job);
    if (!thread) {
        FreeJob(job);
        return 0;
    }
    g_workers->push_back({thread, job});
    g_slot = job;
    return 1;
}

void WaitRetrievalThread() {
    WorkerEntry latest{};
    {
        std::lock_guard<std::mutex> lock(g_slotMutex);
        if (!g_slot) return;
        // A worker that waits from its own notice cannot wait for itself: it
        // stays in the slot for the sheet's own wait.
        if (!TakeWorker(g_slot, &latest)) return;
        g_slot = nullptr;
        ReapFinished();
    }
    JoinAndFree(latest);
}

void ReleaseRetrievalTargets(const RetrievalTargets* targets) {
    std::lock_guard<std::mutex> publish(g_publishMutex);
    std::lock_guard<std::mutex> lock(g_slotMutex);
    if (!g_workers) return;
    for (WorkerEntry& e : *g_workers) {
        if (e.job->targets != targets) continue;
        e.job->targets = nullptr;
        e.job->notice = nullptr;
    }
}

void WaitAllRetrievalThreads() {
    std::vector<WorkerEntry> all;
    {
        std::lock_guard<std::mutex> lock(g_slotMutex);
        if (!g_workers) return;
        for (size_t i = 0; i < g_workers->size();) {
            if (Workers().IsCurrent((*g_workers)[i].thread)) {
                ++i;
                continue;
            }
            if ((*g_workers)[i].job == g_slot) g_slot = nullptr;
            all.push_back((*g_workers)[i]);
            g_workers->erase(g_workers->begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (WorkerEntry& e : all) JoinAndFree(e);
}

void ForgetRetrievalThreads() {
    std::lock_guard<std::mutex> lock(g_slotMutex);
    if (!g_workers) return;
    for (size_t i = 0; i < g_workers->size();) {
        WorkerEntry& e = (*g_workers)[i];
        if (!e.job->finished) {
            ++i;
            continue;
        }
        if (e.job == g_slot) g_slot = nullptr;
        Workers().Forget(e.thread);
        FreeJob(e.job);
        g_workers->erase(g_workers->begin() + static_cast<std::ptrdiff_t>(i));
    }
    // The list itself goes too once empty: an unloaded DLL leaves nothing behind.
    if (g_workers->empty()) {
        delete g_workers;
        g_workers = nullptr;
    }
}

int RetrievalThreadsPending() {
    std::lock_guard<std::mutex> lock(g_slotMutex);
    return g_workers ? static_cast<int>(g_workers->size()) : 0;
}
