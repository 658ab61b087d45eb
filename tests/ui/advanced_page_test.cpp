// The Advanced tab's rules on the page model: every question with both
// answers, the writes that follow a change, what the model hides, and the
// input check and limits of its text edits.
#include <gtest/gtest.h>

#include <string>

#include "ui/advanced_page.h"
#include "ui/page_changes.h"

namespace {

constexpr uint32_t kMixed = 30228, kTrayPerPage = 30238, kPlural = 30411, kBooklet = 30415, kStaple = 30514,
                   kPunch = 30517, kFold = 30519, kBookletBinding = 30522, kPerfect = 30546, kMail = 30548,
                   kGamma = 30628, kForm = 30723, kProgram = 30725, kSpeed = 30728, kBlankCut = 30729,
                   kReverse = 30730, kCarbon = 30742, kCarbonDialog = 30743,
                   kFaceUp = 32811;

// Blank pages are skipped face down only.
const std::vector<ChangeCase> kCases = {
    {"form overlay over mixed sizes, 2-up and booklet binding", {{kMixed, 1}, {kPlural, 21}, {kBookletBinding, 2}},
     kForm, 1, {25030, 20582, 20065}, {{kForm, 1}, {kMixed, 0}, {kBookletBinding, 0}, {kPlural, 21}},
     {{kForm, 0}, {kMixed, 1}, {kBookletBinding, 2}}},
    {"form overlay over a booklet alone", {{kBooklet, 1}}, kForm, 1, {20066}, {{kForm, 1}, {kBooklet, 1}},
     {{kForm, 0}}},
    {"program print over perfect binding and mail making", {{kPerfect, 1}, {kMail, 1}}, kProgram, 1, {20970, 20824},
     {{kProgram, 1}, {kPerfect, 0}, {kMail, 0}}, {{kProgram, 0}, {kPerfect, 1}, {kMail, 1}}},
    {"program print over saddle booklet binding", {{kBookletBinding, 1}}, kProgram, 1, {20064},
     {{kProgram, 1}, {kBookletBinding, 0}}, {{kProgram, 0}, {kBookletBinding, 1}}},
    {"skipping blank pages over gamma", {{kGamma, 1}}, kBlankCut, 1, {20269}, {{kBlankCut, 1}, {kGamma, 0}, {kFaceUp, 2}},
     {{kBlankCut, 0}, {kGamma, 1}, {kFaceUp, 1}}},
    {"skipping blank pages alone", {}, kBlankCut, 1, {}, {{kBlankCut, 1}, {kFaceUp, 2}}, {}},
    {"carbon copy over tray per page and a fold", {{kTrayPerPage, 1}, {kFold, 2}}, kCarbon, 1, {20230, 20044},
     {{kCarbon, 1}, {kTrayPerPage, 0}, {kFold, 0}}, {{kCarbon, 0}, {kTrayPerPage, 1}, {kFold, 2}}},
    {"carbon copy over staple and punch", {{kStaple, 10}, {kPunch, 2}}, kCarbon, 1, {21042},
     {{kCarbon, 1}, {kStaple, 0}, {kPunch, 0}}, {{kCarbon, 0}, {kStaple, 10}, {kPunch, 2}}},
    {"carbon copy over saddle stitch", {{kStaple, 20}}, kCarbon, 1, {21040}, {{kCarbon, 1}, {kStaple, 0}},
     {{kStaple, 20}}},
    {"print speed stores 11", {}, kSpeed, 1, {}, {{kSpeed, 11}}, {}},
};

TEST(AdvancedPage, ChangesAskAndAnswer) {
    CheckChanges(30700, kCases, 0, [](const ChangeCase&) {
        auto s = ZeroSession();
        s->dm.priv.faceUpDown_OutputTray = 1;
        return s;
    });
}

TEST(AdvancedPage, ReverseOrderSetsBothFields) {
    auto s = ZeroSession();
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    for (uint32_t v : {1u, 0u}) {
        ChangePageControl(30700, in, kReverse, v, nullptr);
        EXPECT_EQ(v, s->dm.priv.reverseOrder_UI);
        EXPECT_EQ(v, s->dm.priv.reverseOrder);
    }
}

TEST(AdvancedPage, CarbonCopyHiddenOnModelsWithTheirOwnFeed) {
    for (uint8_t fs : {0, 1, 2}) {
        auto s = ZeroSession();
        s->env.modelFS = fs;
        auto page = Refreshed(30700, *s);
        EXPECT_EQ(fs == 0, ControlOf(*page, kCarbon).visible) << int(fs);
        EXPECT_EQ(fs == 0, ControlOf(*page, kCarbonDialog).visible) << int(fs);
    }
}

TEST(AdvancedPage, TextEditsAreCheckedAndCut) {
    const struct {
        uint32_t control;
        std::u16string typed;
        int caret;
        std::u16string kept;  // what the check leaves
        int caretAfter;
        uint32_t warning;     // 0: nothing removed
        std::u16string stored;
    } rows[] = {
        {30711, u"a/b", 2, u"ab", 1, 20180, u"ab"},
        {30711, u"owner name of more than twenty", 30, u"owner name of more than twenty", 30, 0,
         u"owner name of more t"},
        {30721, u"fine, thanks", 12, u"fine thanks", 11, 20180, u"fine thanks"},
        {30717, u"ab12-_x", 7, u"ab12x", 5, 25114, u"ab12x"},
        {30717, u"123456789", 9, u"123456789", 9, 0, u"12345678"},
    };
    for (const auto& r : rows) {
        char16_t text[kPageTextChars] = {};
        for (size_t k = 0; k < r.typed.size(); k++) text[k] = r.typed[k];
        int caret = r.caret;
        uint32_t warning = 0;
        EXPECT_EQ(r.warning != 0, FilterAdvancedText(r.control, text, &caret, &warning)) << r.control;
        EXPECT_EQ(r.kept, std::u16string(text)) << r.control;
        EXPECT_EQ(r.caretAfter, caret) << r.control;
        EXPECT_EQ(r.warning, warning) << r.control;

        auto s = ZeroSession();
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        std::u16string typed = r.typed;
        ASSERT_EQ(kChangeWritten, ApplyPageText(in, r.control, typed.c_str())) << r.control;
        auto page = std::make_unique<PageState>();
        RefreshPage(30700, in, *page);
        EXPECT_EQ(r.stored, std::u16string(ControlOf(*page, r.control).text));
    }
}

}  // namespace
