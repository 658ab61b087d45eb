// The Finishing tab's rules on the page model: every question its changes ask
// with both answers, the writes that follow a change, and what the output
// unit and the model show.
#include <gtest/gtest.h>

#include "ui/finishing_dialogs.h"
#include "ui/finishing_page.h"
#include "ui/page_changes.h"

namespace {

constexpr uint32_t kBinding = 30511, kSideMargin = 30512, kStaple = 30514, kPunch = 30517, kFold = 30519,
                   kBookletBinding = 30522, kOffset = 30525, kSlipSheet = 30528, kCovers = 30530, kOutputTray = 30533,
                   kContinuous = 30535, kPerfect = 30546, kPerfectDialog = 30547, kMail = 30548, kMailDialog = 30549;
constexpr uint32_t kCollate = 30220, kOriginal = 30223, kPortrait = 30226, kOutput = 30235, kMixed = 30228,
                   kTrayPerPage = 30238, kPlural = 30411, kBooklet = 30415, kWatermark = 30416, kForm = 30723,
                   kProgram = 30725, kCarbon = 30742, kFoldSide = 32715, kFaceUp = 32811;

// The names asked: the feature's, then those switched off.
const std::vector<ChangeCase> kCases = {
    {"staple over carbon copy", {{kCarbon, 1}, {kOriginal, 9}}, kStaple, 10, {21039, 21008},
     {{kStaple, 10}, {kCarbon, 0}, {kOutput, 9}}, {{kStaple, 0}, {kCarbon, 1}, {kOutput, 0}}},
    {"saddle stitch over carbon copy", {{kCarbon, 1}}, kStaple, 20, {21040, 21008}, {{kStaple, 20}, {kCarbon, 0}},
     {{kStaple, 0}, {kCarbon, 1}}},
    {"punch over carbon copy", {{kCarbon, 1}}, kPunch, 2, {21041, 21008}, {{kPunch, 2}, {kCarbon, 0}},
     {{kPunch, 0}, {kCarbon, 1}}},
    {"punch alone prints on the original's size", {{kOriginal, 13}}, kPunch, 1, {}, {{kPunch, 1}, {kOutput, 13}}, {}},
    {"no staple asks nothing", {{kCarbon, 1}, {kStaple, 10}}, kStaple, 0, {}, {{kStaple, 0}, {kCarbon, 1}}, {}},
    {"fold over tray per page and carbon copy", {{kTrayPerPage, 1}, {kCarbon, 1}, {kOriginal, 9}}, kFold, 2,
     {20044, 20230, 21008}, {{kFold, 2}, {kTrayPerPage, 0}, {kCarbon, 0}, {kOutput, 9}},
     {{kFold, 0}, {kTrayPerPage, 1}, {kCarbon, 1}, {kOutput, 0}}},
    {"booklet binding over a form, mixed sizes and 2-up",
     {{kForm, 1}, {kMixed, 1}, {kPlural, 21}, {kPortrait, 1}, {kOriginal, 9}}, kBookletBinding, 1,
     {20064, 20571, 25030, 20582},
     {{kBookletBinding, 1}, {kForm, 0}, {kMixed, 0}, {kPlural, 0}, {kBooklet, 1}, {kOutput, 8}},
     {{kBookletBinding, 0}, {kForm, 1}, {kMixed, 1}, {kPlural, 21}, {kBooklet, 0}, {kOutput, 0}}},
    {"booklet binding over program print, landscape", {{kProgram, 1}, {kPortrait, 2}, {kOriginal, 6}},
     kBookletBinding, 2, {20065, 20379}, {{kProgram, 0}, {kBooklet, 3}, {kOutput, 0}},
     {{kProgram, 1}, {kBooklet, 0}}},
    {"booklet binding alone takes the booklet", {{kPortrait, 1}, {kOriginal, 11}}, kBookletBinding, 1, {},
     {{kBooklet, 1}, {kOutput, 9}}, {}},
    {"continuous output while collating", {{kCollate, 2}}, kContinuous, 1, {20071, 20003},
     {{kContinuous, 1}, {kCollate, 1}}, {{kContinuous, 0}, {kCollate, 2}}},
    {"continuous output uncollated", {{kCollate, 1}}, kContinuous, 1, {}, {{kContinuous, 1}}, {}},
    {"perfect binding over booklet binding and a booklet", {{kBookletBinding, 1}, {kBooklet, 1}}, kPerfect, 1,
     {20970, 20064, 20016}, {{kPerfect, 1}, {kBookletBinding, 0}, {kBooklet, 0}},
     {{kPerfect, 0}, {kBookletBinding, 1}, {kBooklet, 1}}},
    {"mail making over a watermark and mixed sizes", {{kWatermark, 1}, {kMixed, 1}}, kMail, 1, {20824, 25030, 25053},
     {{kMail, 1}, {kWatermark, 0}, {kMixed, 0}}, {{kMail, 0}, {kWatermark, 1}, {kMixed, 1}}},
    {"binding on top folds on top", {}, kBinding, 1, {}, {{kFoldSide, 2}}, {}},
    {"another output tray is face up", {{kFaceUp, 2}, {kOriginal, 9}}, kOutputTray, 2, {},
     {{kFaceUp, 1}, {kOutput, 9}}, {}},
    {"offset keeps a chosen output size", {{kOriginal, 9}, {kOutput, 8}}, kOffset, 1, {}, {{kOutput, 8}}, {}},
    {"covers print on the original's size", {{kOriginal, 1}}, kCovers, 1, {}, {{kOutput, 1}}, {}},
};

std::unique_ptr<PrinterSession> NewSession() {
    auto s = ZeroSession();
    const PaperRow papers[] = {{u"A4", {}, 9, 2100, 2970, 9}, {u"A3", {}, 8, 2970, 4200, 8}};
    std::memcpy(s->env.paperList, papers, sizeof papers);
    return s;
}

// The fold side is a field of the fold dialog, read here directly.
uint32_t Read(const PrinterSession& s, uint32_t control) {
    return control == kFoldSide ? s.dm.priv.bindingSide_Fold : ReadControlValue(s, control);
}

TEST(FinishingPage, ChangesAskAndAnswer) {
    CheckChanges(kFinishingPage, kCases, 1, [](const ChangeCase& k) {
        auto s = NewSession();
        // The fold side starts on the other side than the binding's.
        if (k.control == kBinding) s->dm.priv.bindingSide_Fold = 3 - FoldSideOfBinding(k.value);
        return s;
    }, Read);
}

// What the output unit and the model show, and the dialog buttons that
// follow their features; a Z-fold keeps the binding margin's button usable.
TEST(FinishingPage, RefreshShowsAndEnables) {
    const struct {
        uint8_t unit, modelFS, fold, slipSheet;
        int perfect, mail, slipAndCovers;  // shown
        int sideMargin, foldDialog, slipDialog;  // enabled; -1: not checked
    } cases[] = {
        {23, 0, 0, 0, 0, 1, 1, -1, 0, 0},
        {24, 1, 0, 0, 1, 0, 0, -1, 0, 0},
        {22, 0, 4, 1, 0, 0, 1, 1, 1, 1},
    };
    for (const auto& k : cases) {
        auto s = NewSession();
        s->env.outputUnit_Option = k.unit;
        s->env.modelFS = k.modelFS;
        s->env.foldUnit_Option = 1;
        s->dm.priv.fold = k.fold;
        s->dm.priv.slipSheet = k.slipSheet;
        auto page = Refreshed(kFinishingPage, *s);
        ASSERT_EQ(k.fold, s->dm.priv.fold);
        auto visible = [&](uint32_t id) { return ControlOf(*page, id).visible; };
        const int unit = k.unit;
        EXPECT_EQ(k.perfect, visible(kPerfect)) << unit;
        EXPECT_EQ(k.perfect, visible(kPerfectDialog)) << unit;
        EXPECT_EQ(k.mail, visible(kMail)) << unit;
        EXPECT_EQ(k.mail, visible(kMailDialog)) << unit;
        for (uint32_t id : {30527u, kSlipSheet, 30529u, kCovers, 30531u})
            EXPECT_EQ(k.slipAndCovers, visible(id)) << unit << " " << id;
        if (k.sideMargin >= 0) {
            EXPECT_EQ(k.sideMargin, ControlOf(*page, kSideMargin).enabled);
        }
        EXPECT_EQ(k.foldDialog, ControlOf(*page, 30520).enabled) << unit;
        EXPECT_EQ(k.slipDialog, ControlOf(*page, 30529).enabled) << unit;
    }
}

}  // namespace

// The fold dialog: which radios it offers for each fold and page, its
// preview, and the page's binding side after its binding-side radios.
TEST(FoldDialog, RadiosPreviewAndBindingSide) {
    constexpr uint32_t kInside = 32712, kOutside = 32713, kSides = 32715, kTop = 32716;
    const struct {
        uint8_t fold, orientation, plural, duplex, mixed, direction, side;
        int directions, sides;
        uint16_t picture;
    } cases[] = {
        {1, 1, 0, 1, 0, 1, 1, 1, 0, 11730},
        {2, 1, 0, 2, 0, 2, 1, 1, 0, 11737},
        {3, 2, 0, 1, 0, 0, 1, 1, 0, 11738},  // a direction of 0 shows as the second radio, pictured as the first
        {4, 2, 0, 1, 0, 1, 2, 0, 1, 11743},
        {4, 1, 0, 1, 1, 1, 1, 0, 0, 11744},  // portrait: no binding side
        {4, 1, 21, 1, 0, 1, 1, 0, 1, 11742},  // two-up turns the portrait page
        {0, 2, 0, 1, 0, 1, 1, 0, 0, 0},
    };
    for (const auto& k : cases) {
        auto s = NewSession();
        PrivateSettings& p = s->dm.priv;
        s->env.foldUnit_Option = 1;
        s->env.outputUnit_Option = 25;
        p.fold = k.fold, p.originalOrientation = k.orientation, p.pluralPagesPerSheet = k.plural;
        p.duplexType = k.duplex, p.mixedSizeSupport = k.mixed, p.direction_Fold = k.direction;
        p.bindingSide_Fold = k.side;
        EXPECT_EQ(k.picture, FoldPreviewPicture(p)) << int(k.fold);
        auto page = Refreshed(32700, *s);
        auto control = [&](uint32_t id) { return ControlOf(*page, id); };
        EXPECT_EQ(k.directions, control(kInside).enabled) << int(k.fold);
        EXPECT_EQ(k.directions, control(kOutside).enabled) << int(k.fold);
        EXPECT_EQ(k.sides, control(kSides).enabled) << int(k.fold) << " " << int(k.orientation);
        EXPECT_EQ(k.direction == 1, control(kInside).checked) << int(k.fold);
        EXPECT_EQ(k.direction != 1, control(kOutside).checked) << int(k.fold);
        EXPECT_EQ(k.side != 1, control(kTop).checked) << int(k.fold);
    }
    const struct {
        uint32_t control, value, bindingBefore;
        uint8_t foldSide, bindingAfter;
    } clicks[] = {{kTop, 2, 0, 2, 1}, {kSides, 1, 1, 1, 0}, {kSides, 1, 2, 1, 2}, {kInside, 1, 1, 1, 1}};
    for (const auto& c : clicks) {
        auto s = NewSession();
        s->dm.priv.bindingSide = static_cast<uint8_t>(c.bindingBefore);
        s->dm.priv.bindingSide_Fold = 1;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        ASSERT_EQ(kChangeWritten, ChangePageControl(32700, in, c.control, c.value, nullptr));
        EXPECT_EQ(c.foldSide, s->dm.priv.bindingSide_Fold) << c.control;
        EXPECT_EQ(c.bindingAfter, s->dm.priv.bindingSide) << c.control;
    }
}

// The slip-sheet dialog: trays of their own list (no standard feed, the
// automatic entry first) and the stored printing choice chosen.
TEST(SlipSheetDialog, ListsAndChoice) {
    auto s = NewSession();
    const TrayRow trays[] = {{u"Auto", 257, 0}, {u"Tray 1", 258, 0}, {u"Tray 2", 259, 0}, {u"Cover inserter", 262, 0}};
    std::memcpy(s->env.trayList, trays, sizeof trays);
    s->dm.priv.tray_SlipSheet = 259;
    s->dm.priv.number_SlipSheet = 2;
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    ASSERT_EQ(1, RefreshPage(32300, in, *page));
    const ControlState &tray = ControlOf(*page, 32311), &print = ControlOf(*page, 32313);
    EXPECT_EQ((std::vector<uint32_t>{257, 258, 259}), ItemValues(tray));
    EXPECT_EQ(2, tray.selected);
    EXPECT_EQ(2, print.selected);
    ASSERT_EQ(kChangeWritten, ChangePageControl(32300, in, 32313, 1, nullptr));
    EXPECT_EQ(1, s->dm.priv.number_SlipSheet);
}
