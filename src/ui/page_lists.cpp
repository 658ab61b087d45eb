// The lists a page's combo boxes show: a table of (string id, value) rows,
// the tray list by purpose, the session's paper and media lists, and the
// catalogue options of a feature; each keeps only what the engine offers.
#include "base/tray_ids.h"
#include "session/model_list_access.h"
#include "rules/constraint_engine.h"
#include "ui/page_lists.h"
#include "ui/page_model.h"

#include <cstring>

namespace {

constexpr uint32_t kCoverInserterTextId = 20985;

constexpr uint32_t kSameAsOriginalTextId = 20551;

void Add(ControlState& c, uint32_t value, uint32_t stringId, ItemTextSource source) {
    if (c.itemCount >= kPageItemRoom) return;
    c.item[c.itemCount++] = PageItem{value, stringId, static_cast<uint8_t>(source)};
}

void Select(ControlState& c, uint32_t current) {
    c.selected = -1;
    for (int i = 0; i < c.itemCount; i++)
        if (c.item[i].value == current) {
            c.selected = i;
            break;
        }
    c.enabled = c.itemCount >= 2;
}

// Drops the items a kind-2 result takes away.
void KeepOffered(ControlState& c, const ConstraintResult* results, int count) {
    int n = 0;
    for (int i = 0; i < c.itemCount; i++)
        if (OptionOffered(results, count, c.id, c.item[i].value)) c.item[n++] = c.item[i];
    c.itemCount = n;
}

}  // namespace

void FillFromIdTable(ControlState& c, const IdTableRow* rows, int count, uint32_t current) {
    c.itemCount = 0;
    for (int i = 0; rows && i < count; i++) Add(c, rows[i].value, rows[i].stringId, kItemString);
    Select(c, current);
}

void FillTrayList(ControlState& c, const PrinterEnvironment& env, int purpose, uint32_t current) {
    c.itemCount = 0;
    if (purpose >= 3 && purpose <= 6) {
        int autoAt = TrayListIndex(&env, kTrayStandardFeed) >= 0 ? TrayListIndex(&env, kTrayStandardFeed)
                                                         : TrayListIndex(&env, kTrayHighCapacity);
        if (autoAt >= 0) Add(c, TrayIdAt(&env, autoAt), 0, kItemTray);
    }
    int n = TrayListCount(&env);
    for (int i = 0; i < n; i++) {
        uint32_t t = TrayIdAt(&env, i);
        if (t == kTrayAuto && purpose != 1) continue;
        if ((t == kTrayStandardFeed || t == kTrayHighCapacity) && purpose >= 3) continue;
        if (t == kTrayCoverInserter && purpose <= 4) continue;
        if (t >= kTray1 && t <= kTray3 && (purpose == 4 || purpose == 6)) continue;
        Add(c, t, 0, kItemTray);
    }
    if (purpose >= 5 && purpose <= 7) Add(c, kTrayCoverInserter, kCoverInserterTextId, kItemString);
    Select(c, current);
}

void FillControlList(ControlState& c, const char* source, const PrinterSession& s, const ConstraintResult* results,
                     int count, const RetrievalTargets* lists) {
    const PrinterEnvironment& env = s.env;
    uint32_t current = ReadControlValue(s, c.id);
    c.itemCount = 0;
    if (!source) source = "";
    if (!std::strcmp(source, "trays")) {
        FillTrayList(c, env, 1, current);
    } else if (!std::strcmp(source, "installed") || !std::strcmp(source, "choices") ||
               !std::strcmp(source, "paperTypes")) {
        // Lists of the environment page: every worded option.
        for (int i = 0; i < kOptionTextRowCount; i++)
            if (!std::strcmp(kOptionTextRows[i].list, source))
                Add(c, kOptionTextRows[i].value, kOptionTextRows[i].stringId, kItemString);
    } else if (!std::strcmp(source, "papers") || !std::strcmp(source, "outputPapers")) {
        if (source[0] == 'o') Add(c, 0, kSameAsOriginalTextId, kItemString);
        int n = PaperListCount(&env);
        for (int i = 0; i < n; i++) Add(c, PaperIdAt(&env, i), 0, kItemPaper);
    } else if (!std::strcmp(source, "barcodeAreas") && lists && lists->barcodeNames[0][0]) {
        // The areas of the printer's file, by slot.
        for (int i = 0; i < kBarcodeAreaSlots && lists->barcodeNames[i][0]; i++)
            Add(c, static_cast<uint32_t>(i), 0, kItemBarcodeArea);
    } else if (!std::strcmp(source, "colorProfiles") || !std::strcmp(source, "barcodeAreas")) {
        // Off, then the entry the settings name (the profile dialog's choice,
        // the chosen barcode area), worded by the control's text field.
        for (int i = 0; i < kOptionTextRowCount; i++)
            if (!std::strcmp(kOptionTextRows[i].list, source))
                Add(c, kOptionTextRows[i].value, kOptionTextRows[i].stringId, kItemString);
        if (c.text[0]) Add(c, source[0] == 'c' ? 1 : current, 0, kItemControlText);
    } else if (!std::strcmp(source, "mediaTypes")) {
        int n = MediaListCount(&env);
        for (int i = 0; i < n; i++) Add(c, MediaIdAt(&env, i), 0, kItemMedia);
    } else {
        // A feature of the catalogue: its options in the order of their words
        // where the table words them, else in catalogue order.
        const ConstraintTables& t = DefaultConstraintTables();
        for (int k = 0; k < kOptionTextRowCount; k++) {
            if (std::strcmp(kOptionTextRows[k].list, source)) continue;
            for (uint32_t i = 0; i < t.catalogCount; i++)
                if (t.catalog[i].control == c.id && t.catalog[i].value == kOptionTextRows[k].value) {
                    Add(c, kOptionTextRows[k].value, kOptionTextRows[k].stringId, kItemString);
                    break;
                }
        }
        if (c.itemCount == 0)
            for (uint32_t i = 0; i < t.catalogCount; i++)
                if (t.catalog[i].control == c.id) Add(c, t.catalog[i].value, 0, kItemString);
    }
    KeepOffered(c, results, count);
    Select(c, current);
}
