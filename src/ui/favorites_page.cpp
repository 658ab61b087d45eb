#include "ui/favorites_page.h"

#include <cstring>
#include <memory>

#include "base/text16.h"
#include "base/tray_ids.h"

namespace {

constexpr uint32_t kAddFavoriteTextId = 25010;
constexpr uint32_t kOnText = 20680, kOffText = 20679;

// The settings a detail view lists, in page order: the control that shows
// each and the words of its name.
struct DetailRow {
    uint16_t page;
    uint32_t control;
    uint32_t nameId;
};
const DetailRow kDetailRows[] = {
    {30200, 30211, 25020}, {30200, 30213, 25021}, {30200, 30216, 25022}, {30200, 30218, 25023},
    {30200, 30223, 25026}, {30200, 30235, 25032}, {30200, 30231, 25031}, {30200, 30228, 25030},
    {30200, 30237, 25033}, {30200, 30241, 25034}, {30200, 30244, 25035}, {30400, 30411, 25050},
    {30400, 30413, 25051}, {30400, 30415, 25052}, {30400, 30416, 25053}, {30400, 30418, 25054},
    {30400, 30423, 25056}, {30500, 30511, 25060}, {30500, 30514, 25062}, {30500, 30517, 25064},
    {30500, 30519, 25065}, {30500, 30522, 25066}, {30500, 30525, 25067}, {30500, 30533, 25071},
    {30600, 30611, 25080}, {30600, 30613, 25081}, {30600, 30615, 25082}, {30600, 30621, 25083},
    {30600, 30627, 25084}, {30600, 30628, 25085}, {30700, 30730, 25109},
};

const ControlState* Find(const PageState& s, uint32_t id) {
    for (int i = 0; i < s.controlCount; i++)
        if (s.control[i].id == id) return &s.control[i];
    return nullptr;
}

}  // namespace

int IsAddFavoriteButton(uint32_t control) {
    for (int i = 0; i < kControlRowCount; i++)
        if (kControlRows[i].id == control && kControlRows[i].kind == kButtonControl)
            return kControlRows[i].textId == kAddFavoriteTextId;
    return 0;
}

int FavoritesButtonEnabled(uint32_t control, const SheetFacts& facts, int selected) {
    switch (control) {
    case kFavoritesAddButton:
    case kFavoritesImportButton: return AddFavoriteEnabled(facts);
    case kFavoritesExportButton: return facts.fullAccess && selected >= 0;
    case kFavoritesManageButton: return facts.fullAccess && facts.favoriteCount > 0;
    default: return -1;
    }
}

void FavoritesPageRules(const PageInput& in, PageState& page) {
    for (int i = 0; i < page.controlCount; i++) {
        ControlState& c = page.control[i];
        const int on = FavoritesButtonEnabled(c.id, in.facts, in.facts.favoriteSelected ? 0 : -1);
        if (on >= 0) c.enabled = on;
    }
}

FavoritesHost FavoritesHostOf(const PageInput& in, const char16_t* printerName) {
    return FavoritesHost{printerName, in.printer, in.session};
}

int ApplySelectedFavorite(PageInput& in, const FavoritesStore& store) {
    const int slot = store.selected;
    if (slot < 0 || slot >= kFavoriteSlots || !FavoriteSlotName(store, slot)[0] || !store.entry[slot].readable ||
        !in.session)
        return 0;
    const FavoriteEntry& e = store.entry[slot];
    PrivateSettings& p = in.session->dm.priv;
    p = e.settings;
    const PrinterEnvironment& env = in.session->env;
    if (env.modelFS == 1 && e.preset == kQuickSettingPreset)
        p.inputTray = env.defaultTray[0] == 10 ? kTrayHighCapacity : kTrayStandardFeed;
    in.last = LastChange{0, 0};
    return 1;
}

int FavoriteCells(const FavoritesStore& store, int cells[kFavoriteSlots]) {
    int n = 0;
    for (int i = 0; i < kFavoriteSlots; i++)
        if (FavoriteSlotName(store, i)[0]) cells[n++] = i;
    return n;
}

int FavoriteCellRows(int cells) { return (cells + 2) / 3; }

int FavoriteCellAt(const FavoritesStore& store, int row, int x, int cellWidth) {
    if (row < 0 || x < 0 || cellWidth <= 0 || x >= 3 * cellWidth) return -1;
    int cells[kFavoriteSlots];
    const int n = FavoriteCells(store, cells);
    const int at = row * 3 + x / cellWidth;
    if (at >= n || !store.entry[cells[at]].usable) return -1;
    return cells[at];
}

int FavoriteDetailLines(const PageInput& sheet, const PrivateSettings& settings, DetailLine* out, int room) {
    if (!sheet.session || !out) return 0;
    auto work = std::make_unique<PrinterSession>();
    std::memcpy(work.get(), sheet.session, sizeof *work);
    work->dm.priv = settings;
    PageInput in = sheet;
    in.session = work.get();
    in.last = LastChange{0, 0};
    auto state = std::make_unique<PageState>();
    uint16_t shown = 0;
    int n = 0;
    for (const DetailRow& row : kDetailRows) {
        if (n >= room) break;
        if (row.page != shown) {
            // Each page's refresh makes the settings fit as the page would.
            if (!RefreshPage(row.page, in, *state)) continue;
            shown = row.page;
        }
        const ControlState* c = Find(*state, row.control);
        if (!c || !c->visible) continue;
        DetailLine& line = out[n++];
        line.nameId = row.nameId;
        line.valueId = 0;
        line.value.clear();
        if (!c->enabled && c->kind != kEditControl) {
            line.value = "---";
        } else if (c->kind == kCheckControl) {
            line.valueId = c->checked ? kOnText : kOffText;
        } else if (c->kind == kEditControl) {
            line.value = c->enabled ? std::to_string(c->value) : "---";
        } else if (c->selected < 0 || c->selected >= c->itemCount) {
            line.value = "---";
        } else if (c->item[c->selected].source == kItemString) {
            line.valueId = c->item[c->selected].stringId;
        } else {
            line.value = PageItemText(*work, *c, c->item[c->selected]);
        }
    }
    return n;
}
