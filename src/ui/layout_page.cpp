// The Layout tab's own rules. Several pages a sheet, a poster and a booklet
// each lay the job out on their own terms: choosing one while a feature that
// needs the plain page order is on asks before switching that feature off.
#include "ui/layout_page.h"

#include <memory>

#include "rules/constraint_engine.h"
#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/basic_page.h"
#include "ui/page_rules.h"

namespace {

enum LayoutControl : uint32_t {
    kPagesPerSheet = 30411, kPoster = 30413, kBooklet = 30415, kWatermark = 30416, kWatermarkDialog = 30417,
    kStamp = 30418, kStampDialog = 30419, kImagePosition = 30420, kImagePositionDialog = 30421,
    kRotation = 30423, kOriginalText = 30427, kOutputText = 30429, kZoomText = 30430,
};
// Features of other pages the layout choices switch off.
enum OtherControl : uint32_t {
    kMixedSizes = 30228, kCollate = 30220, kOutputSize = 30235,
    kBookletBinding = 30522, kPerfectBinding = 30546, kMailMaking = 30548, kFormOverlay = 30723,
};
constexpr uint32_t kMixedSizesName = 25030, kFormOverlayName = 20571, kPerfectBindingName = 20970;
constexpr uint32_t kMailMakingName = 20824, kBookletName = 20016, kBookletAdjustText = 20842;
constexpr uint32_t kFoldBinding = 2, kCollated = 2, kA4 = 9, kMixedOneSided = 5;

const char* ListOf(uint32_t control) {
    switch (control) {
    case kPagesPerSheet: return "pagesPerSheet";
    case kPoster: return "poster";
    case kBooklet: return "booklets";
    case kBookletBinding: return "bookletBindings";
    default: return nullptr;
    }
}

int Landscape(const PrivateSettings& p) { return p.originalOrientation == 2; }

// The finishing a booklet goes with is proposed only where the printer can
// fold the booklet (the engine offers the fold binding with the booklet on)
// and not everything is set that way already.
int ProposesBookletFinishing(const PrinterSession& s, uint32_t booklet) {
    const PrivateSettings& p = s.dm.priv;
    if (booklet == 0) return 0;
    if (p.bookletBinding == kFoldBinding && p.collate == kCollated && p.outputSize == kA4) return 0;
    auto trial = std::make_unique<PrinterSession>(s);
    trial->dm.priv.booklet = static_cast<uint8_t>(booklet);
    SettingsPairArray pairs;
    BuildSettingsPairs(*trial, pairs);
    ConstraintResult results[kConstraintResultRoom];
    int count = CheckConstraints(nullptr, kBooklet, booklet, kSettingsPairCount, pairs.entry, results);
    for (int r = 0; r < count && r < kConstraintResultRoom; r++) {
        const ConstraintResult& c = results[r];
        if (c.control != kBookletBinding) continue;
        if (c.kind == kControlDisabled) return 0;
        if (c.kind == kOptionNotOffered && c.value == kFoldBinding) return 0;
    }
    return 1;
}

// Yes takes the booklet with the fold binding, collation and A4 output; No
// takes the booklet alone.
void BookletFinishingQuestion(PageQuestion& q, uint32_t booklet) {
    q = PageQuestion{};
    q.control = kBooklet;
    q.value = booklet;
    q.part[q.partCount++] = kBookletAdjustText;
    q.off[q.offCount++] = ConflictCancel{kBookletBinding, kFoldBinding, 0};
    q.off[q.offCount++] = ConflictCancel{kCollate, kCollated, 0};
    q.off[q.offCount++] = ConflictCancel{kOutputSize, kA4, 0};
    q.no[q.noCount++] = ConflictCancel{kBooklet, booklet, 0};
}

}  // namespace

uint32_t LayoutOptionName(uint32_t control, uint32_t value, int landscape) {
    if (control == kPagesPerSheet && landscape && value == 21) return 20592;
    if (control == kPagesPerSheet && landscape && value == 22) return 20593;
    return OptionName(ListOf(control), value);
}

void LayoutPageRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    if (ControlState* c = FindControl(page, kPagesPerSheet))
        for (int i = 0; i < c->itemCount; i++)
            if (c->item[i].source == kItemString && (c->item[i].value == 21 || c->item[i].value == 22))
                c->item[i].stringId = LayoutOptionName(kPagesPerSheet, c->item[i].value, Landscape(p));
    EnableWith(page, kWatermarkDialog, kWatermark, p.watermarkSupport == 1);
    EnableWith(page, kStampDialog, kStamp, p.stampSupport == 1);
    EnableWith(page, kImagePositionDialog, kImagePosition, p.imagePositioning == 1);
    SummaryTexts(page, s, kOriginalText, kOutputText, kZoomText);
}

int LayoutChangeQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question) {
    const PrinterSession& s = *in.session;
    PageQuestion q;
    int asks = 0;
    switch (control) {
    case kPagesPerSheet:
    case kPoster:
        if (value == 0) return 0;
        StartPageQuestion(q, control, value, LayoutOptionName(control, value, Landscape(s.dm.priv)));
        CancelIfOn(q, s, kMixedSizes, 0, kMixedSizesName);
        CancelIfOn(q, s, kBookletBinding, 0, 0, "bookletBindings");
        CancelIfOn(q, s, kFormOverlay, 0, kFormOverlayName);
        CancelIfOn(q, s, kPerfectBinding, 0, kPerfectBindingName);
        CancelIfOn(q, s, kMailMaking, 0, kMailMakingName);
        asks = FinishPageQuestion(q);
        break;
    case kBooklet: {
        if (value == 0) return 0;
        // The feature's name is the booklet followed by its kind.
        StartPageQuestion(q, control, value, kBookletName);
        for (int k = q.partCount; k > 1; k--) q.part[k] = q.part[k - 1];
        q.part[1] = OptionName(ListOf(kBooklet), value);
        q.partCount++;
        CancelIfOn(q, s, kMixedSizes, 0, kMixedSizesName);
        CancelIfOn(q, s, kFormOverlay, 0, kFormOverlayName);
        CancelIfOn(q, s, kPerfectBinding, 0, kPerfectBindingName);
        CancelIfOn(q, s, kMailMaking, 0, kMailMakingName);
        asks = FinishPageQuestion(q);
        if (!asks && ProposesBookletFinishing(s, value)) {
            BookletFinishingQuestion(q, value);
            asks = 1;
        }
        break;
    }
    default: return 0;
    }
    if (asks && question) *question = q;
    return asks;
}

void LayoutChangeFollows(PageInput& in, uint32_t control, uint32_t value) {
    PrivateSettings& p = in.session->dm.priv;
    if (control == kRotation) p.angle_ImageRotation = static_cast<uint8_t>(value ? value : 2);
    // A poster leaves mixed sizes off (it asked first when they were on): its
    // own two-sided choice goes back to one-sided.
    if (control == kPoster && value != 0) p.duplexType_MixedSize = kMixedOneSided;
}

int LayoutNextQuestion(const PageInput& in, const PageQuestion& answered, int yes, PageQuestion* next) {
    if (!yes || !in.session || answered.control != kBooklet || answered.part[0] != kBookletName) return 0;
    if (!ProposesBookletFinishing(*in.session, answered.value)) return 0;
    if (next) BookletFinishingQuestion(*next, answered.value);
    return 1;
}
