// The page refresh over the generated control rows: the engine's answer for
// the current settings, then every control of the page filled from them.
#include <cstring>

#include "rules/constraint_engine.h"
#include "rules/control_fields.h"
#include "ui/advanced_page.h"
#include "ui/basic_page.h"
#include "ui/color_profile_dialog.h"
#include "ui/environment_page.h"
#include "ui/form_overlay_dialog.h"
#include "ui/gamma_dialog.h"
#include "ui/image_page.h"
#include "ui/layout_page.h"
#include "ui/covers.h"
#include "ui/finishing_dialogs.h"
#include "ui/finishing_page.h"
#include "ui/mail_making.h"
#include "ui/perfect_binding.h"
#include "ui/binding_margins.h"
#include "ui/output_destination.h"
#include "ui/favorites_page.h"
#include "ui/page_lists.h"
#include "ui/page_model.h"
#include "ui/preview_conditions.h"
#include "ui/program_print_dialog.h"
#include "ui/stamp_dialog.h"
#include "ui/sub_dialog_model.h"
#include "ui/version_info.h"
#include "ui/watermark_dialog.h"

namespace {

constexpr uint16_t kFinishingLayout = 30500;   // the page whose choices the device options limit
constexpr uint32_t kZoomValueControl = 30231;  // a page showing the zoom computes it first
constexpr uint16_t kAddFavoriteTextId = 25010;
constexpr uint32_t kOrientationControl = 30226;

// A page's own enabling rules, run last; each tab adds its own.
using PageRulesFn = void (*)(const PageInput& in, PageState& page);
struct PageRules {
    uint16_t layoutId;
    PageRulesFn rules;
};
const PageRules kPageRules[] = {
    {kBasicLayout, BasicPageRules}, {kEnvironmentLayout, EnvironmentPageRules}, {kMixedDuplexDialog, MixedDuplexRules},
    {kOutputModeDialog, OutputModeRules},
    {kImageLayout, ImagePageRules}, {kAdvancedLayout, AdvancedPageRules},
    {kBarcodeDensityDialog, BarcodeDensityRules}, {kColorProfileDialog, ColorProfileRules},
    {kVersionDialog, VersionDialogRules}, {kProgramPrintDialog, ProgramPrintRules},
    {kFormOverlayDialog, FormOverlayRules}, {kGammaDialog, GammaDialogRules},
    {kFavoritesPage, FavoritesPageRules}, {kLayoutLayout, LayoutPageRules},
    {kFinishingPage, FinishingPageRules},
    {kFoldDialog, FoldDialogRules}, {kSlipSheetDialog, SlipSheetRules}, {kCoverDialog, CoverDialogRules},
    {kMailMakingDialog, MailMakingRules},
    {kWatermarkDialog, WatermarkDialogRules},
    {33500, StampPanelRules}, {33600, StampPanelRules}, {33700, StampPanelRules},
    {kPerfectBindingDialog, PerfectBindingRules}, {kBookletBindingDialog, BookletBindingRules}};

int SameName(const char* a, const char* b) {
    for (; *a && *b; a++, b++)
        if ((*a | 0x20) != (*b | 0x20)) return 0;
    return *a == *b;
}

const char* ListSourceOf(uint32_t control) {
    for (int i = 0; i < kControlListRowCount; i++)
        if (kControlListRows[i].id == control) return kControlListRows[i].source;
    return nullptr;
}

void FillText(ControlState& c, const PrinterSession& s) {
    for (int i = 0; i < kControlTextCount; i++) {
        const ControlText& t = kControlTexts[i];
        if (t.control != c.id) continue;
        const uint8_t* base = t.place == kEnvironmentField ? reinterpret_cast<const uint8_t*>(&s.env)
                                                           : reinterpret_cast<const uint8_t*>(&s.dm.priv);
        const char16_t* src = reinterpret_cast<const char16_t*>(base + t.offset);
        int n = static_cast<int>(t.size / sizeof(char16_t));
        int k = 0;
        for (; k < n && k < kPageTextChars - 1 && src[k]; k++) c.text[k] = src[k];
        c.text[k] = 0;
        return;
    }
}

void FillControl(ControlState& c, const ControlRow& row, const PageInput& in, const ConstraintResult* results,
                 int count) {
    const PrinterSession& s = *in.session;
    c.value = ReadControlValue(s, c.id);
    switch (row.kind) {
    case kComboControl:
    case kPiccomboControl:
        FillText(c, s);
        FillControlList(c, ListSourceOf(c.id), s, results, count, in.printerLists);
        break;
    case kCheckControl: c.checked = c.value != 0; break;
    case kRadioControl:
    case kPicradioControl:
        for (int i = 0; i < kRadioValueRowCount; i++)
            if (kRadioValueRows[i].id == c.id) c.checked = c.value == kRadioValueRows[i].value;
        break;
    case kTextControl:
    case kEditControl:
    case kPasswordControl: FillText(c, s); break;
    case kPreviewControl: {
        // The preview's pictures as items: their ids, bottom layer first.
        uint32_t images[kPreviewImageRoom];
        int n = PreviewImagesOf(s, in.facts, PreviewKindOf(c.id), images);
        for (int i = 0; i < n; i++) c.item[c.itemCount++] = PageItem{images[i], 0, kItemString};
        break;
    }
    case kButtonControl:
        if (row.textId == kAddFavoriteTextId) c.enabled = AddFavoriteEnabled(in.facts);
        break;
    default: break;
    }
}

}  // namespace

const PageRow* FindPageRow(uint16_t templateId) {
    for (int i = 0; i < kPageRowCount; i++)
        if (kPageRows[i].templateId == templateId) return &kPageRows[i];
    return nullptr;
}

const PageRow* FindPageRowByName(const char* name) {
    for (int i = 0; name && i < kPageRowCount; i++)
        if (SameName(kPageRows[i].name, name)) return &kPageRows[i];
    return nullptr;
}

int RefreshPage(uint16_t templateId, PageInput& in, PageState& out) {
    out.templateId = templateId;
    out.controlCount = 0;
    const PageRow* page = FindPageRow(templateId);
    if (!page || !in.session) return 0;
    out.layoutId = page->layoutId;
    PrinterSession& s = *in.session;

    bool showsZoom = false;
    for (int i = 0; i < kControlRowCount; i++)
        if (kControlRows[i].templateId == page->layoutId && kControlRows[i].id == kZoomValueControl) showsZoom = true;
    if (page->layoutId == kFinishingLayout) NormalizeDeviceOptionSettings(s);
    if (showsZoom && s.dm.priv.zoomSupport != 1) ComputeAutoZoom(s);  // a zoom of one's own stays

    SettingsPairArray pairs;
    BuildSettingsPairs(s, pairs);
    // The Basic and Finishing tabs and the fold dialog hand the engine the
    // orientation of the sheet, which two-up and eight-up layouts turn; what
    // the engine answers for it is turned back the same way.
    int turned = (page->layoutId == kBasicLayout || page->layoutId == kFinishingLayout ||
                  page->layoutId == kFoldDialog) &&
                 BasicTurnsOrientation(s.dm.priv);
    for (int i = 0; turned && i < kSettingsPairCount; i++)
        if (pairs.entry[i].control == kOrientationControl)
            pairs.entry[i].value = TurnedOrientation(pairs.entry[i].value);
    ConstraintResult results[kConstraintResultRoom];
    int count = CheckConstraints(nullptr, in.last.control, in.last.value, kSettingsPairCount, pairs.entry, results);
    for (int r = 0; turned && r < count; r++)
        if (results[r].control == kOrientationControl) results[r].value = TurnedOrientation(results[r].value);
    ApplyForcedOptions(results, count, s);

    for (int i = 0; i < kControlRowCount && out.controlCount < kPageControlRoom; i++) {
        const ControlRow& row = kControlRows[i];
        if (row.templateId != page->layoutId || row.id == 0 || row.kind == kFeatureControl) continue;
        ControlState& c = out.control[out.controlCount++];
        std::memset(&c, 0, sizeof c);
        c.id = row.id;
        c.kind = row.kind;
        c.selected = -1;
        c.enabled = 1;
        c.visible = 1;
        FillControl(c, row, in, results, count);
    }
    for (int r = 0; r < count; r++) {
        if (results[r].kind != kControlDisabled) continue;
        for (int i = 0; i < out.controlCount; i++)
            if (out.control[i].id == results[r].control) out.control[i].enabled = 0;
    }
    for (const PageRules& p : kPageRules)
        if (p.rules && p.layoutId == page->layoutId) p.rules(in, out);
    return 1;
}
