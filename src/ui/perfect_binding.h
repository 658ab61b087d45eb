// The perfect-binding dialog's state over its working copy: the body sizes
// offered, the cover length's range and its two units, and the tray rules
// that keep body, cover and cover inserter apart.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "ui/page_model.h"

constexpr uint16_t kPerfectBindingDialog = 33900;

// The body sizes the paper list has, in the order A4, B5, A5, Letter.
int PerfectBindingBodySizes(const PrinterEnvironment& env, uint16_t* sizes);

// The cover length's range and default for a body size, in the shown unit
// (0.1 mm or 0.01 inch); 0 for a size without limits.
struct CoverLengthLimits {
    int32_t low, high, initial;
};
int CoverLengthLimitsOf(uint16_t bodySize, int inches, CoverLengthLimits& limits);
// The stored length (0.01 mm) as shown, inside the size's range (a length
// below one shown unit shows 4650 units, kept in the range).
int32_t ShownCoverLength(uint32_t stored, uint16_t bodySize, int inches);
// A typed length clamped to the size's range, stored in 0.01 mm.
uint32_t StoredCoverLength(int32_t typed, uint16_t bodySize, int inches);

// What the tray rules leave: the lists of the two tray combos (purposes) and
// which cover controls may be changed.
struct PerfectBindingState {
    int bodyPurpose, coverPurpose;
    int separatelyEnabled;    // 33928
    int coverChoicesEnabled;  // 33930 (two-sided) and 33934 (paper type)
};
enum PerfectBindingChange { kPbOpened, kPbBodySize, kPbBodyTray, kPbCoverTray, kPbSeparately };
// Opening: the standard tray of the input unit for either tray, a light paper
// type the printer lacks made plain; then the rules as after a cover tray change.
void OpenPerfectBinding(PrivateSettings& p, const PrinterEnvironment& env, PerfectBindingState& state);
void PerfectBindingTrayRules(PrivateSettings& p, const PrinterEnvironment& env, int change,
                             PerfectBindingState& state);
// What the settings leave of the lists and cover controls (no writes).
PerfectBindingState PerfectBindingStateOf(const PrivateSettings& p, const PrinterEnvironment& env);

// Run last in the refresh of 33900: the lists (paper types without the light
// paper the printer lacks), the trays by the state's purposes, the cover
// controls the rules leave, the picture group of the binding side, and the
// cover length as shown.
void PerfectBindingRules(const PageInput& in, PageState& page);
// The dialog asks nothing; a body size brings its default cover length, and
// the body size, both trays and the cover choice run the tray rules.
int PerfectBindingQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void PerfectBindingFollows(PageInput& in, uint32_t control, uint32_t value);
