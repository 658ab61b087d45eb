// The option constraint engine: the current choices of every feature, as
// settings pairs, are checked against the rule tables; the answer is a list of
// forced options, options not offered and controls disabled. Pages refresh in
// this order: NormalizeDeviceOptionSettings, ComputeAutoZoom where the page
// shows the zoom, BuildSettingsPairs, CheckConstraints, ApplyForcedOptions,
// their lists (OptionOffered), DisableConstrainedControls.
//
// The functions take the printer session rather than the sheet context: the
// sheet context holds its working session, and the engine reads nothing else.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/session.h"
#include "rules/constraint_tables.h"

#pragma pack(push, 1)

// One entry of the pair array: the control with the settings value, and the
// feature and option the translation gives them.
struct SettingsPair {
    uint32_t control;
    uint32_t feature;
    uint32_t value;
    uint32_t option;
};

constexpr int kSettingsPairCount = 94;
struct SettingsPairArray {
    SettingsPair entry[kSettingsPairCount];
};

enum ConstraintKind : uint32_t {
    kForcedOption = 1,
    kOptionNotOffered = 2,
    kControlDisabled = 3,
};

struct ConstraintResult {
    uint32_t kind;
    uint32_t feature;
    uint32_t control;
    uint32_t option;
    uint32_t value;
};

#pragma pack(pop)

static_assert(sizeof(SettingsPair) == 16);
static_assert(sizeof(SettingsPairArray) == 94 * 16);
static_assert(sizeof(ConstraintResult) == 20);
static_assert(offsetof(ConstraintResult, value) == 16);

// Room the caller supplies for results; more are counted but not written.
constexpr int kConstraintResultRoom = 255;

// Pseudo-control of the output binding position (feature 167).
constexpr uint32_t kOutputBindingPositionControl = 167;

// Fills the 94 entries' controls and values from the private record and the
// environment; features and options are left 0 for CheckConstraints.
void BuildSettingsPairs(const PrinterSession& s, SettingsPairArray& out);

// The output binding position, 0 or 1, from rotation, layout and orientation.
uint32_t OutputBindingPosition(const PrivateSettings& p);

// Translates the pairs (features and options are rewritten), evaluates the
// cascade, removal and disable rules and translates the results back. At page
// initialisation the changed control and value are 0. Writes at most
// kConstraintResultRoom results and returns how many it wrote. The dialog is
// not read; it identifies the caller as the page's own code does.
int CheckConstraints(const void* dialog, uint32_t changedControl, uint32_t changedValue, int entryCount,
                     SettingsPair* pairs, ConstraintResult* results,
                     const ConstraintTables& tables = DefaultConstraintTables());

// The module-wide counters of the last evaluation: results written, and
// results that did not fit the caller's room.
struct ConstraintCounters {
    uint32_t written;
    uint32_t dropped;
};
ConstraintCounters LastConstraintCounters();

// Writes the forced results (kind 1, in order: a later one for the same
// control wins) into the settings at each field's width; then an image
// rotation outside 0, 2, 4, 6, 8 becomes 0, also when there are no results.
void ApplyForcedOptions(const ConstraintResult* results, int count, PrinterSession& s);

// 1 when a list with this control may offer this value: no kind-2 result
// names both.
int OptionOffered(const ConstraintResult* results, int count, uint32_t control, uint32_t value);

// Calls disable(dialog, control) for every kind-3 result; the DLL passes a
// function over EnableWindow(GetDlgItem(dialog, control), FALSE).
using DisableControlFn = void (*)(void* dialog, uint32_t control);
void DisableConstrainedControls(void* dialog, int count, const ConstraintResult* results, DisableControlFn disable);

// Clears finishing choices the installed device options cannot do, papers the
// printer does not support, and the choices an S model lacks.
void NormalizeDeviceOptionSettings(PrinterSession& s);

// scale_Zoom from the original and output paper sizes (0 for pairs without a
// fixed ratio).
void ComputeAutoZoom(PrinterSession& s);
uint16_t AutoZoomPercent(uint32_t originalSize, uint32_t outputSize);
