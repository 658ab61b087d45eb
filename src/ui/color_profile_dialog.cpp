// The colour-profile dialog's own rules. The stored name says which entry is
// chosen: "Auto", "NotUse" or a profile's name; a name the printer no longer
// lists falls back to the automatic entry.
#include "ui/color_profile_dialog.h"

namespace {

constexpr uint32_t kProfileList = 32211, kIntent = 32213, kMaxDrop = 32215;
constexpr uint32_t kAutoText = 20025, kNotUsedText = 21038;
constexpr uint32_t kAutoEntry = 0, kNotUsedEntry = 1;
constexpr uint32_t kDefaultIntent = 3;
const IdTableRow kIntents[] = {{20633, 1}, {20634, 2}, {20635, 3}, {20636, 4}};
const char16_t kAutoName[] = u"Auto";
const char16_t kNotUsedName[] = u"NotUse";
constexpr int kNameUnits = 256;  // fileName_ColorProfile

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

// Exact comparison of the stored name with a text of at most room units.
int SameName(const char16_t* stored, const char16_t* text, int room) {
    int k = 0;
    for (; k < room && k < kNameUnits; k++) {
        char16_t t = text[k];
        if (stored[k] != t) return 0;
        if (!t) return 1;
    }
    return k == kNameUnits || stored[k] == 0;
}

void StoreName(PrivateSettings& p, const char16_t* text, int room) {
    char16_t name[kNameUnits] = {};
    for (int k = 0; k < room && k < kNameUnits - 1 && text[k]; k++) name[k] = text[k];
    for (int k = 0; k < kNameUnits; k++) p.fileName_ColorProfile[k] = name[k];
}

uint32_t ChosenEntry(const PrivateSettings& p, const RetrievalTargets* lists, int profiles) {
    char16_t stored[kNameUnits];
    for (int k = 0; k < kNameUnits; k++) stored[k] = p.fileName_ColorProfile[k];
    if (SameName(stored, kAutoName, 5)) return kAutoEntry;
    if (SameName(stored, kNotUsedName, 7)) return kNotUsedEntry;
    for (int i = 0; stored[0] && i < profiles; i++)
        if (SameName(stored, lists->profileNames[i], kRegNameUnits)) return kProfileItemBase + i;
    return kAutoEntry;
}

void Select(ControlState& c, uint32_t value) {
    c.selected = -1;
    for (int i = 0; i < c.itemCount; i++)
        if (c.item[i].value == value) c.selected = i;
    c.value = value;
}

}  // namespace

int ColorProfileCount(const RetrievalTargets* lists) {
    int n = 0;
    while (lists && n < kProfileNameSlots && lists->profileNames[n][0]) n++;
    return n;
}

void ColorProfileRules(const PageInput& in, PageState& page) {
    PrivateSettings& p = in.session->dm.priv;
    int profiles = ColorProfileCount(in.printerLists);
    uint32_t entry = ChosenEntry(p, in.printerLists, profiles);
    if (ControlState* list = Find(page, kProfileList)) {
        list->itemCount = 0;
        list->item[list->itemCount++] = PageItem{kAutoEntry, kAutoText, kItemString};
        list->item[list->itemCount++] = PageItem{kNotUsedEntry, kNotUsedText, kItemString};
        for (int i = 0; i < profiles && list->itemCount < kPageItemRoom; i++)
            list->item[list->itemCount++] = PageItem{kProfileItemBase + i, 0, kItemProfile};
        Select(*list, entry);
        list->enabled = 1;
    }
    ControlState* intent = Find(page, kIntent);
    ControlState* drop = Find(page, kMaxDrop);
    // Intent and ink limit belong to the printer's profiles; without one
    // they keep their neutral values.
    if (entry < kProfileItemBase) p.renderingIntent_ColorProfile = kDefaultIntent;
    if (entry == kAutoEntry) p.maxDrop_ColorProfile = 0;
    if (drop) {
        int offered = 0;
        for (int i = 0; i < drop->itemCount; i++) offered |= drop->item[i].value == uint32_t(p.maxDrop_ColorProfile);
        if (!offered) p.maxDrop_ColorProfile = 0;
        Select(*drop, static_cast<uint32_t>(p.maxDrop_ColorProfile));
        if (entry == kAutoEntry) drop->enabled = 0;
    }
    if (intent) {
        FillFromIdTable(*intent, kIntents, 4, p.renderingIntent_ColorProfile);
        intent->value = p.renderingIntent_ColorProfile;
        if (entry < kProfileItemBase) intent->enabled = 0;
    }
}

int ChangeColorProfile(PageInput& in, uint32_t control, uint32_t value) {
    if (control != kProfileList || !in.session) return 0;
    PrivateSettings& p = in.session->dm.priv;
    if (value == kAutoEntry) StoreName(p, kAutoName, 5);
    else if (value == kNotUsedEntry) StoreName(p, kNotUsedName, 7);
    else if (value - kProfileItemBase < uint32_t(ColorProfileCount(in.printerLists)))
        StoreName(p, in.printerLists->profileNames[value - kProfileItemBase], kRegNameUnits);
    else return 0;
    in.last = LastChange{0, 0};
    return 1;
}
