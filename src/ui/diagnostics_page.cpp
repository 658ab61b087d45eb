#include "ui/diagnostics_page.h"

#include <cstring>

#include "base/text16.h"
#include "diagnostics/debug_settings.h"

namespace {

constexpr uint32_t kLog = 30101, kTracker = 30103, kDump = 30118, kTiming = 30123, kProfile = 30140;
constexpr uint32_t kFolder = 30114, kDumpFile = 30120, kProfileFile = 30142;

// path = first + second + third, cut to capacity units and zero-filled.
void Join(char16_t* path, const char16_t* first, const char16_t* second, const char16_t* third,
          int capacity = kDiagnosticsPathChars) {
    std::memset(path, 0, sizeof(char16_t) * static_cast<size_t>(capacity));
    int n = 0;
    for (const char16_t* part : {first, second, third})
        for (int i = 0; part && part[i] && n < capacity - 1; i++) path[n++] = part[i];
}

}  // namespace

const DiagnosticsControl kDiagnosticsControls[] = {
    {kLog, kDiagCheck, 0},       {kTracker, kDiagCheck, 0},     {30105, kDiagRadio, 0},
    {30106, kDiagRadio, 1},      {30107, kDiagRadio, 2},        {30108, kDiagRadio, 3},
    {30109, kDiagRadio, 4},      {30111, kDiagRadio, 0},        {30112, kDiagRadio, 1},
    {kFolder, kDiagPath, 0},     {30115, kDiagBrowse, kFolder}, {kDump, kDiagCheck, 0},
    {kDumpFile, kDiagPath, 0},   {30121, kDiagBrowse, kDumpFile}, {kTiming, kDiagCheck, 0},
    {30125, kDiagTiming, 0},     {30128, kDiagTiming, 1},       {30131, kDiagTiming, 2},
    {30134, kDiagTiming, 3},     {30137, kDiagTiming, 4},       {kProfile, kDiagCheck, 0},
    {kProfileFile, kDiagPath, 0}, {30143, kDiagBrowse, kProfileFile}, {30124, kDiagSpin, 0},
    {30127, kDiagSpin, 0},       {30130, kDiagSpin, 0},         {30133, kDiagSpin, 0},
    {30136, kDiagSpin, 0},
};
const int kDiagnosticsControlCount = sizeof kDiagnosticsControls / sizeof kDiagnosticsControls[0];

const DiagnosticsControl* FindDiagnosticsControl(uint32_t id) {
    for (const DiagnosticsControl& c : kDiagnosticsControls)
        if (c.id == id) return &c;
    return nullptr;
}

void LoadDiagnostics(PrinterHandle printer, const char16_t* pictures, const char16_t* documents,
                     const char16_t* deviceName, DiagnosticsRecord* out) {
    if (!GetDebugSettings(printer, out)) {
        std::memset(out, 0, sizeof *out);
        out->level = 1;
        for (uint32_t& t : out->timing) t = 7;
        Join(out->pictureFolder, pictures, u"\\", nullptr);
        char16_t name[40] = {};
        Text16Copy(name, 33, deviceName ? deviceName : u"");
        const int n = static_cast<int>(Text16Length(name, 40));
        Join(name + n, u".txt", nullptr, nullptr, 40 - n);
        Join(out->dumpFile, documents, u"\\", name);
        Join(out->profileFile, documents, u"\\qvtprofile.ocp", nullptr);
        out->scalingAlg = kDefaultScalingAlg;
    }
    for (char16_t* path : {out->pictureFolder, out->dumpFile, out->profileFile}) path[kDiagnosticsPathChars - 1] = 0;
    out->output = 0;
}

uint32_t* DiagnosticsField(DiagnosticsRecord& r, uint32_t id) {
    const DiagnosticsControl* c = FindDiagnosticsControl(id);
    if (!c) return nullptr;
    switch (id) {
        case kLog: return &r.logEnable;
        case kTracker: return &r.trackerEnable;
        case kDump: return &r.dumpEnable;
        case kTiming: return &r.timingEnable;
        case kProfile: return &r.profileEnable;
        default: break;
    }
    if (c->kind == kDiagRadio) return id <= 30109 ? &r.level : &r.output;
    if (c->kind == kDiagTiming) return &r.timing[c->value];
    return nullptr;
}

char16_t* DiagnosticsPath(DiagnosticsRecord& r, uint32_t id) {
    const DiagnosticsControl* c = FindDiagnosticsControl(id);
    if (!c) return nullptr;
    const uint32_t edit = c->kind == kDiagBrowse ? c->value : id;
    if (edit == kFolder) return r.pictureFolder;
    if (edit == kDumpFile) return r.dumpFile;
    if (edit == kProfileFile) return r.profileFile;
    return nullptr;
}

int WriteDiagnosticsValue(DiagnosticsRecord& r, uint32_t id, uint32_t value) {
    const DiagnosticsControl* c = FindDiagnosticsControl(id);
    uint32_t* field = DiagnosticsField(r, id);
    if (!c || !field) return 0;
    if (c->kind == kDiagCheck) *field = value ? 1 : 0;
    if (c->kind == kDiagRadio) *field = c->value;
    if (c->kind == kDiagTiming) *field = value > kTimingMax ? kTimingMax : value;
    return 1;
}

int DiagnosticsControlEnabled(const DiagnosticsRecord& r, uint32_t id) {
    const DiagnosticsControl* c = FindDiagnosticsControl(id);
    if (!c) return 1;
    if (id >= 30105 && id <= 30109) return r.logEnable != 0;
    if (id == 30111 || id == kHiddenOutputFile) return r.logEnable != 0;
    if (id == kDumpFile || id == 30121) return r.dumpEnable != 0;
    if (c->kind == kDiagTiming || c->kind == kDiagSpin) return r.timingEnable != 0;  // the timings and their spins
    if (id == kProfileFile || id == 30143) return r.profileEnable != 0;
    return 1;
}
