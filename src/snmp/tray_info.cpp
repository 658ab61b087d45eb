#include "snmp/printer_config.h"

#include <cstdio>
#include <cstring>

#include "diagnostics/log.h"
#include "diagnostics/memory_tracker.h"
#include "session/capability_answers.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"
#include "snmp/snmp_codec.h"
#include "snmp/tray_evaluation.h"

namespace {

// The slots' names in the tray lines; slot k is printer tray kTrayOrder[k].
const char16_t* const kSlotNames[kTraySlotCount] = {u"High Capacity Feeder", u"Feeder", u"Tray3", u"Tray2",
                                                   u"Tray1"};
constexpr int kTrayRecords = kTraySlotCount * 6 + 1;  // and the first output tray mode

constexpr uint32_t kSecondRequestTimeout = 0;  // the session keeps its 7 s

// The records of one request with a 4-byte value buffer each, in one block
// of the tracked heap.
struct RequestBlock {
    SnmpVarRecord records[kTrayRecords];
    uint8_t values[kTrayRecords][4];
};

void SetInteger(RequestBlock* b, int i, const char* oid, uint32_t capacity) {
    SetRecord(&b->records[i], oid, kSnmpTypeInteger, b->values[i], capacity);
}

// A one-byte field believes only a one-byte answer: a longer or empty one
// is no value of its set (kRefused; tray bytes read it as 0).
constexpr uint32_t kRefused = 0xFFFFFFFF;
uint32_t ByteValue(const SnmpVarRecord& r) { return r.length == 1 ? r.value[0] : kRefused; }
uint8_t TrayByte(const SnmpVarRecord& r) { return r.length == 1 ? r.value[0] : 0; }

// The size the capability query gives a paper id over the session, as
// DC_PAPERS and DC_PAPERSIZE list them.
int SessionPaperSize(void* context, uint32_t paperId, int32_t* width, int32_t* length) {
    const PrinterSession* session = static_cast<const PrinterSession*>(context);
    uint16_t ids[kPaperSlots];
    int32_t sizes[kPaperSlots][2];
    uint32_t n = AnswerDeviceCapability(session, kDcPapers, ids);
    if (n > kPaperSlots || AnswerDeviceCapability(session, kDcPaperSize, sizes) != n) return 0;
    for (uint32_t i = 0; i < n; ++i) {
        if (ids[i] == paperId) {
            *width = sizes[i][0];
            *length = sizes[i][1];
            return 1;
        }
    }
    return 0;
}

// Whether the job's settings leave nothing for the tray answer to decide.
bool TraysIrrelevant(const PrivateSettings& job) {
    if (job.inputTray != kInputTrayAuto && job.paperType != kPaperTypeAny && job.imageRotation != 0 &&
        (job.outputTray != 0 || job.offsetOutput != 0)) {
        return true;
    }
    return job.paperType != kPaperTypeAny && job.mixedSizeSupport == 0 &&
           (job.bookletBinding != 0 || job.fold != 0 || job.staple != 0 || job.punch != 0);
}

}  // namespace

int GetTrayInfo(PrinterHandle printer, PrinterSession* session, PrinterTrayInfo* out) {
    if (session == nullptr || out == nullptr || TraysIrrelevant(session->dm.priv)) return 0;
    std::memset(out, 0, sizeof *out);
    DrvLog(nullptr, "\nSNMP Start : get tray info.\n");
    RequestBlock* b = static_cast<RequestBlock*>(TRACK_ALLOC(sizeof(RequestBlock)));
    if (b == nullptr) return 0;

    char oid[kSnmpOidTextSize];
    int n = 0;
    for (int slot = 0; slot < kTraySlotCount; ++slot) {
        for (uint32_t column : kTrayColumns) {
            FormatTrayOid(oid, column, kTrayOrder[slot]);
            SetInteger(b, n++, oid, column == kTrayColumnWidth || column == kTrayColumnLength ? 4 : 1);
        }
    }
    SetInteger(b, n++, kOidOutputMode1, 1);
    if (!RunSnmpRequest(b->records, n, printer, &session->env, kSnmpShortTimeout)) {
        DrvLog(nullptr, "SNMP Fail : get tray info.\n");
        TrackFree(b);
        return 0;
    }
    DrvLog(nullptr, "SNMP Success : get tray info.\n");

    for (int slot = 0; slot < kTraySlotCount; ++slot) {
        const SnmpVarRecord* r = &b->records[slot * 6];
        TrayEntry& t = out->trays[slot];
        t.status = TrayByte(r[0]);
        t.feedSetting = TrayByte(r[1]);
        t.paperType = TrayByte(r[2]);
        t.autoSelect = TrayByte(r[3]);
        if (t.status == 1 && t.autoSelect == 1) {
            t.width = static_cast<int32_t>(RecordInteger(r[4]));
            t.length = static_cast<int32_t>(RecordInteger(r[5]));
        }
        DrvLog(nullptr,
               "SNMP Tray Info : %s -- status=%d autoSelect=%d feedSetting=%d paperType=%s horizontal=%d "
               "vertical=%d\n",
               kSlotNames[slot], t.status, t.autoSelect, t.feedSetting, PrinterPaperTypeLogName(t.paperType),
               t.width, t.length);
    }
    out->outputMode[0] = OutputTrayModeCode(ByteValue(b->records[kTraySlotCount * 6]), out->outputMode[0]);

    out->result = EvaluateTrays(session->dm.priv, session->env.a3OrA4, session->env.defaultPaperType,
                                SessionPaperSize, session, out);

    DrvLog(nullptr, "\nSNMP Start : get tray info.\n");
    SetInteger(b, 0, kOidOutputMode2, 1);
    SetInteger(b, 1, kOidOutputMode3, 1);
    if (RunSnmpRequest(b->records, 2, printer, &session->env, kSecondRequestTimeout)) {
        DrvLog(nullptr, "SNMP Success : get tray info.\n");
        out->outputMode[1] = OutputTrayModeCode(ByteValue(b->records[0]), out->outputMode[1]);
        out->outputMode[2] = OutputTrayModeCode(ByteValue(b->records[1]), out->outputMode[2]);
    } else {
        DrvLog(nullptr, "SNMP Fail : get tray info.\n");
    }
    TrackFree(b);
    return out->result;
}
