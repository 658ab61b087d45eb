// The carbon-copy tray order. A stored order is never trusted: trays the
// printer does not list, repeats and anything after a 0 are left out.
#include "ui/carbon_copy_dialog.h"

#include "base/tray_ids.h"
#include "session/model_list_access.h"

namespace {

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
