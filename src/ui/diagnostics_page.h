// The device sheet's diagnostics page (shown when "DebugTabEnable" is set):
// the 1612-byte "DebugSettings" record at its fixed offsets, its starting
// values, which control edits which field, and which controls the current
// values enable. The page procedure keeps one record per sheet, fills the
// controls from it, writes each change into it and stores it on apply.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

constexpr uint16_t kDiagnosticsPage = 30100;
constexpr int kDiagnosticsPathChars = 260;
constexpr int kDiagnosticsTimings = 5;
constexpr uint32_t kTimingMax = 20;

#pragma pack(push, 1)
struct DiagnosticsRecord {
    uint32_t logEnable;       // 30101
    uint32_t trackerEnable;   // 30103
    uint32_t level;           // 30105..30109: 0..4
    uint32_t output;          // 30111 / 30112: 0 / 1
    char16_t pictureFolder[kDiagnosticsPathChars];  // 30114
    uint32_t dumpEnable;      // 30118
    char16_t dumpFile[kDiagnosticsPathChars];       // 30120
    uint32_t timingEnable;    // 30123
    uint32_t timing[kDiagnosticsTimings];           // 30125, 30128, 30131, 30134, 30137
    uint32_t profileEnable;   // 30140
    char16_t profileFile[kDiagnosticsPathChars];    // 30142
    uint32_t scalingAlg;      // kept as read
};
#pragma pack(pop)
static_assert(sizeof(DiagnosticsRecord) == 1612);  // the stored "DebugSettings"
static_assert(offsetof(DiagnosticsRecord, pictureFolder) == 16);
static_assert(offsetof(DiagnosticsRecord, dumpEnable) == 536);
static_assert(offsetof(DiagnosticsRecord, dumpFile) == 540);
static_assert(offsetof(DiagnosticsRecord, timingEnable) == 1060);
static_assert(offsetof(DiagnosticsRecord, timing) == 1064);
static_assert(offsetof(DiagnosticsRecord, profileEnable) == 1084);
static_assert(offsetof(DiagnosticsRecord, profileFile) == 1088);
static_assert(offsetof(DiagnosticsRecord, scalingAlg) == 1608);

// The record the page starts from: the stored one, or the defaults (level 1,
// timings 7, the picture folder "<pictures>\", the dump file
// "<documents>\<device>.txt", the profile "<documents>\qvtprofile.ocp").
// Either way the output starts at 0 (the debugger).
void LoadDiagnostics(PrinterHandle printer, const char16_t* pictures, const char16_t* documents,
                     const char16_t* deviceName, DiagnosticsRecord* out);

// What a control is to the record.
// kDiagSpin: a timing's up-down, which only follows the timings' check.
enum DiagnosticsControlKind { kDiagSpin, kDiagCheck, kDiagRadio, kDiagPath, kDiagTiming, kDiagBrowse };
struct DiagnosticsControl {
    uint32_t id;
    DiagnosticsControlKind kind;
    uint32_t value;   // a radio's value, a timing's index, a browse button's path edit
};
const DiagnosticsControl* FindDiagnosticsControl(uint32_t id);
extern const DiagnosticsControl kDiagnosticsControls[];
extern const int kDiagnosticsControlCount;
// The field a check, radio or timing control edits; null for others.
uint32_t* DiagnosticsField(DiagnosticsRecord& r, uint32_t id);
// The path a path edit or its browse button edits (260 units); null for others.
char16_t* DiagnosticsPath(DiagnosticsRecord& r, uint32_t id);
// A click, a radio choice or a timing (clamped to 0..20) written; 1 when the
// control is one of the record's.
int WriteDiagnosticsValue(DiagnosticsRecord& r, uint32_t id, uint32_t value);
// Whether a control is enabled (1) under the current values; the output
// file radio (30112) is never shown.
int DiagnosticsControlEnabled(const DiagnosticsRecord& r, uint32_t id);
constexpr uint32_t kHiddenOutputFile = 30112;
