// The carbon-copy tray order. A stored order is never trusted: trays the
// printer does not list, repeats and anything after a 0 are left out.
#include "ui/carbon_copy_dialog.h"

#include "base/tray_ids.h"
#include "session/model_list_access.h"

namespace {

constexpr uint32_t kCarbonControl = 30742, kStapleControl = 30514, kPunchControl = 30517;
constexpr uint32_t kCarbonName = 21008, kStapleName = 21039, kSaddleName = 21040, kPunchName = 21041,
                   kStaplePunchName = 21042, kAfterText = 20178, kStapleOff = 20516, kPunchOff = 20517;
constexpr uint8_t kSaddleStitch = 20;

int PaperSource(uint32_t tray) { return tray >= kTrayStandardFeed && tray <= kTrayHighCapacity; }

int Listed(const TrayPriorityForm& f, uint32_t tray) {
    for (int i = 0; i < f.count; i++)
        if (f.tray[i] == tray) return 1;
    return 0;
}

void Add(TrayPriorityForm& f, uint32_t tray) {
    if (f.count < kCarbonTrayRoom && PaperSource(tray) && !Listed(f, tray)) f.tray[f.count++] = static_cast<uint16_t>(tray);
}

}  // namespace

void LoadTrayPriority(const PrinterSession& s, TrayPriorityForm& form) {
    form = TrayPriorityForm{};
    int n = TrayListCount(&s.env);
    for (int i = 0; i < kCarbonTrayRoom; i++) {
        uint16_t t = s.dm.priv.inputTrayPriority_CarbonCopy[i];
        if (t == 0) break;
        if (TrayListIndex(&s.env, t) >= 0) Add(form, t);
    }
    for (int i = 0; i < n; i++) Add(form, TrayIdAt(&s.env, i));
}

int MoveTrayPriority(TrayPriorityForm& form, int index, int step) {
    int to = index + step;
    if (index < 0 || index >= form.count || to < 0 || to >= form.count) return index;
    uint16_t t = form.tray[index];
    form.tray[index] = form.tray[to];
    form.tray[to] = t;
    return to;
}

void StoreTrayPriority(const TrayPriorityForm& form, PrivateSettings& p) {
    uint16_t order[kCarbonTrayRoom] = {};
    for (int i = 0; i < form.count && i < kCarbonTrayRoom; i++) order[i] = form.tray[i];
    for (int i = 0; i < kCarbonTrayRoom; i++) p.inputTrayPriority_CarbonCopy[i] = order[i];
}

int CarbonCopyFinishingQuestion(const PrivateSettings& p, PageQuestion* question) {
    if (p.carbonCopySupport != 1 || (!p.staple && !p.punch)) return 0;
    PageQuestion q;
    StartPageQuestion(q, kCarbonControl, 1, kCarbonName);
    if (p.staple && p.punch) {
        AddQuestionCancel(q, kStapleControl, 0, kStaplePunchName);
    } else if (p.staple) {
        AddQuestionCancel(q, kStapleControl, 0, p.staple == kSaddleStitch ? kSaddleName : kStapleName);
    } else {
        AddQuestionCancel(q, kPunchControl, 0, kPunchName);
    }
    // After the change: each one switched off named, in place of "none".
    q.part[q.partCount++] = kAfterText;
    if (p.staple) q.part[q.partCount++] = kStapleOff;
    if (p.punch) q.part[q.partCount++] = kPunchOff;
    if (question) *question = q;
    return 1;
}

void AnswerCarbonCopyFinishing(PrivateSettings& p, int yes) {
    if (yes) p.staple = p.punch = 0;
    else p.carbonCopySupport = 0;
}
