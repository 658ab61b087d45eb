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

enum PerfectBindingControl : uint32_t {
    kSide = 33912, kBodySize = 33915, kBodySides = 33917, kBodyTray = 33919, kBodyType = 33921, kCoverLength = 33925,
    kPrintCover = 33928, kCoverSides = 33930, kCoverTray = 33932, kCoverType = 33934,
};
// The picture, its two lines and the words of the cover's halves, one group
// for each binding side.
const uint32_t kLeftGroup[] = {33938, 33940, 33941, 33942, 33943};
const uint32_t kRightGroup[] = {33939, 33944, 33945, 33946, 33947};

const IdTableRow kSides[] = {{20973, 0}, {20974, 1}};
const IdTableRow kTwoSided[] = {{20983, 1}, {20984, 0}};
const IdTableRow kPrintCoverRows[] = {{20983, 0}, {20984, 2}};
// The last, light paper, only where the printer takes it.
const IdTableRow kPaperTypes[] = {{20232, 257}, {20026, 258}, {20027, 259}, {20028, 260},
                                  {20029, 261}, {20030, 262}, {20182, 263}};

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

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

PerfectBindingState PerfectBindingStateOf(const PrivateSettings& p, const PrinterEnvironment& env) {
    PerfectBindingState s{1, 6, 1, 1};
    if (p.bodySize_PerfectBinding == 11) s.bodyPurpose = 4, s.coverPurpose = 7;
    if (p.bodySize_PerfectBinding == 13) s.coverPurpose = 5;
    s.separatelyEnabled = env.modelFS != 1;
    s.coverChoicesEnabled = p.printCoverSeparately_PerfectBinding != kSeparately;
    return s;
}

// The cover's choices first, then the body size's lists, so that no tray
// stays that the size's lists lack.
void PerfectBindingTrayRules(PrivateSettings& p, const PrinterEnvironment& env, int change, PerfectBindingState& s) {
    uint16_t std = StandardTray(env);
    uint16_t body = p.inputTray_Body_PerfectBinding, cover = p.inputTray_Cover_PerfectBinding;
    // A cover from the inserter is not printed: apart, one-sided.
    auto coverApart = [&]() {
        p.printCoverSeparately_PerfectBinding = kSeparately;
        p.duplexType_Cover_PerfectBinding = 0;
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
        if (cover == kTrayCoverInserter) cover = kTrayStandardFeed, body = kTrayAuto;
    } else {
        coverApart();
    }
    switch (p.bodySize_PerfectBinding) {
    case 11:
        body = std;
        if (cover == kTrayStandardFeed || cover == kTrayHighCapacity) cover = kCoverFallback;
        break;
    case 13: break;
    default:
        if (!InTrayList(env, 6, cover)) {
            cover = std;
            if (body == cover) body = kTrayAuto;
        }
        break;
    }
    if (env.modelFS == 1) {
        body = std, cover = kTrayCoverInserter;
        coverApart();
    }
    p.inputTray_Body_PerfectBinding = body;
    p.inputTray_Cover_PerfectBinding = cover;
    s = PerfectBindingStateOf(p, env);
}

void PerfectBindingRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    PerfectBindingState state = PerfectBindingStateOf(p, s.env);
    int types = s.env.lightPaperSupport == 1 ? 7 : 6;
    if (ControlState* c = Find(page, kSide)) FillFromIdTable(*c, kSides, 2, p.bindingSide_PerfectBinding);
    if (ControlState* c = Find(page, kBodySize)) {
        uint16_t sizes[4];
        int n = PerfectBindingBodySizes(s.env, sizes);
        c->itemCount = 0;
        c->selected = -1;
        for (int i = 0; i < n; i++) {
            if (sizes[i] == p.bodySize_PerfectBinding) c->selected = i;
            c->item[c->itemCount++] = PageItem{sizes[i], 0, kItemPaperSecondName};
        }
        c->enabled = n >= 2;
    }
    if (ControlState* c = Find(page, kBodySides)) FillFromIdTable(*c, kTwoSided, 2, p.duplexType_Body_PerfectBinding);
    if (ControlState* c = Find(page, kBodyTray)) FillTrayList(*c, s.env, state.bodyPurpose, p.inputTray_Body_PerfectBinding);
    if (ControlState* c = Find(page, kBodyType)) FillFromIdTable(*c, kPaperTypes, types, p.paperType_Body_PerfectBinding);
    if (ControlState* c = Find(page, kPrintCover)) {
        FillFromIdTable(*c, kPrintCoverRows, 2, p.printCoverSeparately_PerfectBinding);
        c->enabled = c->enabled && state.separatelyEnabled;
    }
    if (ControlState* c = Find(page, kCoverSides)) {
        FillFromIdTable(*c, kTwoSided, 2, p.duplexType_Cover_PerfectBinding);
        c->enabled = c->enabled && state.coverChoicesEnabled;
    }
    if (ControlState* c = Find(page, kCoverTray))
        FillTrayList(*c, s.env, state.coverPurpose, p.inputTray_Cover_PerfectBinding);
    if (ControlState* c = Find(page, kCoverType)) {
        FillFromIdTable(*c, kPaperTypes, types, p.paperType_Cover_PerfectBinding);
        c->enabled = c->enabled && state.coverChoicesEnabled;
    }
    int right = p.bindingSide_PerfectBinding == 1;
    for (uint32_t id : kLeftGroup)
        if (ControlState* c = Find(page, id)) c->visible = !right;
    for (uint32_t id : kRightGroup)
        if (ControlState* c = Find(page, id)) c->visible = right;
    if (ControlState* c = Find(page, kCoverLength))
        c->value = static_cast<uint32_t>(
            ShownCoverLength(p.coverLength_mm_PerfectBinding, p.bodySize_PerfectBinding, s.env.unitOfLength != 0));
}

int PerfectBindingQuestion(const PageInput&, uint32_t, uint32_t, PageQuestion*) { return 0; }

void PerfectBindingFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    const PrinterEnvironment& env = in.session->env;
    PerfectBindingState state{};
    switch (control) {
    case kBodySize: {
        int inches = env.unitOfLength != 0;
        CoverLengthLimits l{};
        if (CoverLengthLimitsOf(static_cast<uint16_t>(value), inches, l))
            p.coverLength_mm_PerfectBinding = StoredCoverLength(l.initial, static_cast<uint16_t>(value), inches);
        PerfectBindingTrayRules(p, env, kPbBodySize, state);
        break;
    }
    case kBodyTray: PerfectBindingTrayRules(p, env, kPbBodyTray, state); break;
    case kCoverTray: PerfectBindingTrayRules(p, env, kPbCoverTray, state); break;
    case kPrintCover: PerfectBindingTrayRules(p, env, kPbSeparately, state); break;
    default: break;
    }
}
