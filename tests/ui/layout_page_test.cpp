// The Layout tab's rules on the page model: the 2-up words by orientation,
// the dialog buttons that follow their check boxes, every question its
// layout choices ask with both answers, and the rotation's angle.
#include <gtest/gtest.h>

#include "ui/layout_page.h"
#include "ui/page_changes.h"

namespace {

constexpr uint32_t kPlural = 30411, kPoster = 30413, kBooklet = 30415, kRotation = 30423;
constexpr uint32_t kMixed = 30228, kCollate = 30220, kOutput = 30235, kBinding = 30522,
                   kPerfect = 30546, kMail = 30548, kForm = 30723;
// The fixed parts of a conflict question, and the booklet finishing question.
constexpr uint32_t kOn = 20032, kNow = 20177, kAfter = 20178, kGoOn = 20024, kAdjust = 20842;

// setUp: a landscape original, a booklet finisher.
constexpr int kLandscape = 1, kFinisher = 2;

std::unique_ptr<PrinterSession> Session(const Writes& before, int setUp) {
    auto s = ZeroSession();
    s->dm.priv.originalOrientation = setUp & kLandscape ? 2 : 1;
    if (setUp & kFinisher) s->env.outputUnit_Option = 25, s->env.outputSubOption = 1;
    for (const auto& [control, value] : before) WriteControlValue(*s, control, value);
    return s;
}

// The question's whole text is checked.
const std::vector<ChangeCase> kCases = {
    {"4-up over mixed sizes", {{kMixed, 1}}, kPlural, 41, {20585, kOn, kNow, 25030, kAfter, kGoOn},
     {{kPlural, 41}, {kMixed, 0}}, {{kPlural, 0}, {kMixed, 1}}},
    {"landscape 2-up names itself by its landscape words", {{kMail, 1}, {kPerfect, 1}}, kPlural, 21,
     {20592, kOn, kNow, 20970, 20824, kAfter, kGoOn}, {{kPlural, 21}, {kMail, 0}, {kPerfect, 0}},
     {{kPlural, 0}, {kMail, 1}, {kPerfect, 1}}, kLandscape},
    {"poster over binding and form overlay", {{kBinding, 1}, {kForm, 1}}, kPoster, 4,
     {20052, kOn, kNow, 20064, 20571, kAfter, kGoOn}, {{kPoster, 4}, {kBinding, 0}, {kForm, 0}},
     {{kPoster, 0}, {kBinding, 1}, {kForm, 1}}},
    {"no layout asks nothing", {{kPlural, 41}, {kMixed, 1}}, kPlural, 0, {}, {{kPlural, 0}, {kMixed, 1}}, {}},
    {"booklet over perfect binding", {{kPerfect, 1}}, kBooklet, 1,
     {20016, 20066, kOn, kNow, 20970, kAfter, kGoOn}, {{kBooklet, 1}, {kPerfect, 0}}, {{kBooklet, 0}, {kPerfect, 1}}},
    {"booklet without a finisher", {}, kBooklet, 2, {}, {{kBooklet, 2}, {kBinding, 0}}, {}},
    {"booklet with a finisher proposes its finishing", {{kCollate, 1}, {kOutput, 8}}, kBooklet, 2, {kAdjust},
     {{kBooklet, 2}, {kBinding, 2}, {kCollate, 2}, {kOutput, 9}},
     {{kBooklet, 2}, {kBinding, 0}, {kCollate, 1}, {kOutput, 8}}, kFinisher},
    {"booklet finishing already set", {{kBinding, 2}, {kCollate, 2}, {kOutput, 9}}, kBooklet, 1, {},
     {{kBooklet, 1}}, {}, kFinisher},
};

TEST(LayoutPage, ChangesAskAndAnswer) {
    auto make = [](const ChangeCase& k) {
        auto s = Session({}, k.setUp);
        s->dm.priv.duplexType_MixedSize = 2;
        return s;
    };
    CheckChanges(30400, kCases, -1, make, ReadControlValue,
                 [](const ChangeCase& k, PageInput& in, const PageQuestion& q, int yes) {
                     if (!k.asked.empty()) {
                         EXPECT_EQ(0, NextPageQuestion(30400, in, q, yes, nullptr)) << k.what;
                     }
                     // A poster taken puts mixed sizes' own two-sided choice back to one-sided.
                     const PrivateSettings& p = in.session->dm.priv;
                     EXPECT_EQ(k.control == kPoster && p.singlePagesPerSheet ? 5 : 2, p.duplexType_MixedSize)
                         << k.what;
                 });
}

// A booklet taken over mail making on a printer with a booklet finisher: Yes
// leads to the finishing question, No to nothing more.
TEST(LayoutPage, BookletYesLeadsToItsFinishing) {
    for (int yes = 1; yes >= 0; yes--) {
        auto s = Session({{kMail, 1}}, kFinisher);
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        PageQuestion q{}, next{};
        ASSERT_EQ(kChangeAsks, ChangePageControl(30400, in, kBooklet, 1, &q));
        AnswerPageControl(30400, in, q, yes);
        ASSERT_EQ(yes, NextPageQuestion(30400, in, q, yes, &next));
        if (!yes) continue;
        EXPECT_EQ(kAdjust, next.part[0]);
        AnswerPageControl(30400, in, next, 1);
        EXPECT_EQ(1u, ReadControlValue(*s, kBooklet));
        EXPECT_EQ(0u, ReadControlValue(*s, kMail));
        EXPECT_EQ(2u, ReadControlValue(*s, kBinding));
        auto page = std::make_unique<PageState>();
        ASSERT_EQ(1, RefreshPage(30400, in, *page));  // the engine keeps the finishing the Yes chose
        EXPECT_EQ(2u, ReadControlValue(*s, kBinding));
        EXPECT_EQ(9u, ReadControlValue(*s, kOutput));
        EXPECT_EQ(2u, ReadControlValue(*s, kCollate));
    }
}

TEST(LayoutPage, RotationSetsItsAngle) {
    for (uint32_t r : {0u, 4u}) {
        auto s = Session({{kRotation, 6}}, 0);
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        ASSERT_EQ(kChangeWritten, ChangePageControl(30400, in, kRotation, r, nullptr));
        EXPECT_EQ(r ? r : 2u, s->dm.priv.angle_ImageRotation);
    }
}

// What the refresh shows: the 2-up words by orientation, and each dialog
// button enabled in the same refresh as its check box (the settings behind a
// button stay as they were).
TEST(LayoutPage, RefreshFollowsOrientationAndCheckBoxes) {
    struct Row {
        int landscape;
        uint32_t watermark, stamp, position;
        uint32_t twoUp[2];
        int buttons[3];
    } rows[] = {
        {0, 1, 0, 0, {20582, 20583}, {1, 0, 0}},
        {1, 0, 1, 1, {20592, 20593}, {0, 1, 1}},
    };
    auto page = std::make_unique<PageState>();
    for (const Row& r : rows) {
        auto s = Session({{30416, r.watermark}, {30418, r.stamp}, {30420, r.position}}, r.landscape);
        s->dm.priv.size_Watermark = 77;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        ASSERT_EQ(1, RefreshPage(30400, in, *page));
        std::vector<uint32_t> twoUp;
        const ControlState& plural = ControlOf(*page, kPlural);
        for (int k = 0; k < plural.itemCount; k++)
            if (plural.item[k].value == 21 || plural.item[k].value == 22) twoUp.push_back(plural.item[k].stringId);
        EXPECT_EQ(std::vector<uint32_t>(r.twoUp, r.twoUp + 2), twoUp);
        for (int b = 0; b < 3; b++) EXPECT_EQ(r.buttons[b], ControlOf(*page, 30417u + 2 * b).enabled) << b;
        EXPECT_EQ(77, s->dm.priv.size_Watermark);
    }
}

}  // namespace
