// Perfect binding: body sizes, cover lengths and the tray rules.
#include "ui/perfect_binding.h"

#include <memory>

#include "base/tray_ids.h"
#include "session/global_list.h"
#include "ui/page_model.h"

namespace {

struct LimitRow {
    uint16_t size;
    CoverLengthLimits mm, inch;
};
const LimitRow kLimits[] = {
    {1, {4333, 4768, 4650}, {1706, 1877, 1831}},
    {9, {4215, 4650, 4650}, {1660, 1831, 1831}},
    {11, {2985, 3420, 3420}, {1175, 1346, 1346}},
    {13, {3655, 4090, 4090}, {1440, 1610, 1610}},
};
constexpr int32_t kUnsetLength = 4650;
constexpr uint8_t kSeparately = 2;  // the cover printed apart (from the inserter)
constexpr uint16_t kCoverFallback = 258;  // tray 1

uint16_t StandardTray(const PrinterEnvironment& env) {
    return env.inputUnit_Option == 10 ? kTrayHighCapacity : kTrayStandardFeed;
}

int InTrayList(const PrinterEnvironment& env, int purpose, uint16_t tray) {
    auto c = std::make_unique<ControlState>();
    *c = ControlState{};
    FillTrayList(*c, env, purpose, tray);
    return c->selected >= 0;
}

int32_t Clamp(int32_t v, const CoverLengthLimits& l) { return v < l.low ? l.low : v > l.high ? l.high : v; }

}  // namespace

int PerfectBindingBodySizes(const PrinterEnvironment& env, uint16_t* sizes) {
    int n = 0;
    for (uint16_t size : {9, 13, 11, 1})
        if (PaperListIndex(&env, size) >= 0) sizes[n++] = size;
    return n;
}

int CoverLengthLimitsOf(uint16_t bodySize, int inches, CoverLengthLimits& limits) {
    for (const LimitRow& r : kLimits)
        if (r.size == bodySize) {
            limits = inches ? r.inch : r.mm;
            return 1;
        }
    return 0;
}

int32_t ShownCoverLength(uint32_t stored, uint16_t bodySize, int inches) {
    CoverLengthLimits l{};
    if (!CoverLengthLimitsOf(bodySize, inches, l)) CoverLengthLimitsOf(9, inches, l);
    int64_t shown = inches ? (static_cast<int64_t>(stored) * 10 + 127) / 254 : (static_cast<int64_t>(stored) + 5) / 10;
    if (shown < 1) shown = kUnsetLength;
    return Clamp(shown > l.high ? l.high : static_cast<int32_t>(shown), l);
}

uint32_t StoredCoverLength(int32_t typed, uint16_t bodySize, int inches) {
    CoverLengthLimits l{};
    if (!CoverLengthLimitsOf(bodySize, inches, l)) CoverLengthLimitsOf(9, inches, l);
    int32_t v = Clamp(typed, l);
    return inches ? static_cast<uint32_t>((v * 254 + 5) / 10) : static_cast<uint32_t>(v * 10);
}

void OpenPerfectBinding(PrivateSettings& p, const PrinterEnvironment& env, PerfectBindingState& state) {
    for (uint16_t* tray : {&p.inputTray_Body_PerfectBinding, &p.inputTray_Cover_PerfectBinding}) {
        uint16_t t = *tray;
        if (env.inputUnit_Option == 0 && t == kTrayHighCapacity) *tray = kTrayStandardFeed;
        if (env.inputUnit_Option == 10 && t == kTrayStandardFeed) *tray = kTrayHighCapacity;
    }
    for (uint32_t* type : {&p.paperType_Body_PerfectBinding, &p.paperType_Cover_PerfectBinding})
        if (*type == 263 && env.lightPaperSupport != 1) *type = 257;
    PerfectBindingTrayRules(p, env, kPbCoverTray, state);
}

void PerfectBindingTrayRules(PrivateSettings& p, const PrinterEnvironment& env, int change, PerfectBindingState& s) {
    uint16_t std = StandardTray(env);
    uint16_t body = p.inputTray_Body_PerfectBinding, cover = p.inputTray_Cover_PerfectBinding;
    s = PerfectBindingState{1, 6, 1, 1};
    switch (p.bodySize_PerfectBinding) {
    case 11:
        s.bodyPurpose = 4, s.coverPurpose = 7;
        body = std;
        if (cover == kTrayStandardFeed || cover == kTrayHighCapacity) cover = kCoverFallback;
        break;
    case 13: s.coverPurpose = 5; break;
    default:
        if (!InTrayList(env, 6, cover)) {
            cover = std;
            if (body == cover) body = kTrayAuto;
        }
        break;
    }
    auto coverApart = [&]() {
        p.printCoverSeparately_PerfectBinding = kSeparately;
        p.duplexType_Cover_PerfectBinding = 0;
        s.coverChoicesEnabled = 0;
    };
    if (change == kPbBodyTray && body == cover) {
        cover = kTrayCoverInserter;
        coverApart();
    }
    if (change == kPbCoverTray && cover == kTrayCoverInserter) {
        coverApart();
        if (body == cover) body = kTrayAuto;
    }
    if (p.printCoverSeparately_PerfectBinding != kSeparately) {
        s.coverChoicesEnabled = 1;
        if (cover == kTrayCoverInserter) cover = kTrayStandardFeed, body = kTrayAuto;
    } else {
        coverApart();
    }
    if (env.modelFS == 1) {
        body = std, cover = kTrayCoverInserter;
        coverApart();
        s.separatelyEnabled = 0;
    }
    p.inputTray_Body_PerfectBinding = body;
    p.inputTray_Cover_PerfectBinding = cover;
}
