// The fold and slip-sheet dialogs' rules on top of the page refresh.
#include "ui/finishing_dialogs.h"

#include <tuple>

#include "ui/basic_page.h"

namespace {

enum FoldControl : uint32_t {
    kPreview = 32710, kInside = 32712, kOutside = 32713, kSides = 32715, kTop = 32716,
};
enum SlipSheetControl : uint32_t { kSlipTray = 32311, kSlipPrint = 32313 };

// Slip sheets come from a tray of their own: the list of purpose 3 (the
// automatic entry first, no standard feed).
constexpr int kSlipTrayPurpose = 3;
const IdTableRow kSlipPrintRows[] = {{20024, 0}, {20078, 1}, {20079, 2}};

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

// A radio pair is one choice: both usable only while the engine leaves both
// (it knows the pair by its first) and the dialog's condition holds.
void EnableBoth(PageState& page, uint32_t a, uint32_t b, int condition) {
    ControlState* first = Find(page, a);
    ControlState* second = Find(page, b);
    if (first && second) first->enabled = second->enabled = first->enabled && second->enabled && condition;
}

}  // namespace

int FoldPagePortrait(const PrivateSettings& p) {
    int portrait = p.originalOrientation == 1;
    int turned = BasicTurnsOrientation(p) || p.booklet != 0;
    return turned ? !portrait : portrait;
}

uint16_t FoldPreviewPicture(const PrivateSettings& p) {
    if (p.fold >= 1 && p.fold <= 3) {
        uint16_t base = static_cast<uint16_t>(11730 + 4 * (p.fold - 1));
        return static_cast<uint16_t>(base + (p.duplexType == 1 ? 0 : 1) + (p.direction_Fold == 2 ? 2 : 0));
    }
    if (p.fold == 4) return static_cast<uint16_t>(11742 + (p.mixedSizeSupport == 1 ? 2 : 0) + (p.bindingSide_Fold == 2));
    return 0;
}

void FoldDialogRules(const PageInput& in, PageState& page) {
    const PrivateSettings& p = in.session->dm.priv;
    EnableBoth(page, kInside, kOutside, p.fold >= 1 && p.fold <= 3);
    EnableBoth(page, kSides, kTop, p.fold == 4 && !FoldPagePortrait(p));
    // The first of each pair only for 1: anything else shows as the second.
    for (auto [first, second, value] : {std::tuple{kInside, kOutside, p.direction_Fold},
                                        std::tuple{kSides, kTop, p.bindingSide_Fold}}) {
        if (ControlState* c = Find(page, first)) c->checked = value == 1;
        if (ControlState* c = Find(page, second)) c->checked = value != 1;
    }
    if (ControlState* c = Find(page, kPreview)) {
        uint16_t picture = FoldPreviewPicture(p);
        c->itemCount = picture ? 1 : 0;
        c->item[0] = PageItem{picture, 0, kItemString};
    }
}

void SlipSheetRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    if (ControlState* c = Find(page, kSlipTray)) FillTrayList(*c, s.env, kSlipTrayPurpose, s.dm.priv.tray_SlipSheet);
    if (ControlState* c = Find(page, kSlipPrint))
        FillFromIdTable(*c, kSlipPrintRows, 3, s.dm.priv.number_SlipSheet);
}

int FoldDialogQuestion(const PageInput&, uint32_t, uint32_t, PageQuestion*) { return 0; }

void FoldDialogFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    if (control != kSides && control != kTop) return;
    if (value == 1 && p.bindingSide == 1) p.bindingSide = 0;
    if (value == 2) p.bindingSide = 1;
}
