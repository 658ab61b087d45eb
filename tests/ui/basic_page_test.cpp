// The Basic tab's rules on the page model: every question its changes ask
// with both answers, the writes that follow a change, the zoom summary and
// the sizes the apply fixes. The page texts of each model are in tests/ui/pages.
#include <gtest/gtest.h>

#include <string>

#include "ui/basic_page.h"
#include "ui/page_changes.h"

namespace {

constexpr uint32_t kColorMode = 30211, kDuplex = 30213, kCollate = 30220, kMixed = 30228, kZoom = 30230,
                   kZoomValue = 30231, kTrayPerPage = 30238, kPaperType = 30241, kFold = 30519, kContinuous = 30535,
                   kQuality = 30615, kForm = 30723, kCarbon = 30742, kOriginal = 30223, kOutput = 30235,
                   kStaple = 30514, kPunch = 30517;

constexpr uint32_t kDefaultPaperType = 30036, kPlural = 30411, kSingle = 30413;

const std::vector<ChangeCase> kCases = {
    {"mono over fine quality", {{kQuality, 2}, {kPaperType, 258}}, kColorMode, 2, {21019},
     {{kColorMode, 2}, {kQuality, 1}}, {{kColorMode, 0}, {kQuality, 2}}},
    {"mono over fine quality on matte paper", {{kQuality, 2}, {kPaperType, 260}}, kColorMode, 2, {21019},
     {{kQuality, 5}}, {{kQuality, 2}}},
    {"red over press quality", {{kQuality, 6}, {kPaperType, 261}}, kColorMode, 6, {25243},
     {{kColorMode, 6}, {kQuality, 5}}, {{kColorMode, 0}}},
    {"auto over press quality, default plain paper",
     {{kColorMode, 1}, {kQuality, 6}, {kPaperType, 257}, {kDefaultPaperType, 263}}, kColorMode, 0, {25243},
     {{kQuality, 1}}, {{kColorMode, 1}, {kQuality, 6}}},
    {"press quality stays on pressure-seal paper", {{kQuality, 6}, {kPaperType, 266}}, kColorMode, 2, {},
     {{kColorMode, 2}, {kQuality, 6}}, {}},
    {"cyan over inkjet quality on plain paper", {{kColorMode, 1}, {kQuality, 5}, {kPaperType, 259}}, kColorMode, 3,
     {25242}, {{kQuality, 1}}, {{kColorMode, 1}}},
    {"colour keeps inkjet quality", {{kQuality, 5}, {kPaperType, 259}}, kColorMode, 1, {},
     {{kColorMode, 1}, {kQuality, 5}}, {}},
    {"plain paper under mono inkjet quality", {{kColorMode, 2}, {kQuality, 5}, {kPaperType, 260}}, kPaperType, 258,
     {25242}, {{kPaperType, 258}, {kQuality, 1}}, {{kPaperType, 260}, {kQuality, 5}}},
    {"plain paper in colour", {{kColorMode, 1}, {kQuality, 5}, {kPaperType, 260}}, kPaperType, 258, {},
     {{kPaperType, 258}, {kQuality, 5}}, {}},
    {"matte paper under mono press quality", {{kColorMode, 2}, {kQuality, 6}, {kPaperType, 266}}, kPaperType, 260,
     {25243}, {{kPaperType, 260}, {kQuality, 5}}, {{kPaperType, 266}, {kQuality, 6}}},
    {"matte paper under standard quality", {{kColorMode, 1}, {kQuality, 1}, {kPaperType, 258}}, kPaperType, 260,
     {25201}, {{kPaperType, 260}, {kQuality, 5}}, {{kPaperType, 258}, {kQuality, 1}}},
    {"collate while continuous", {{kCollate, 1}, {kContinuous, 1}}, kCollate, 2, {20071},
     {{kCollate, 2}, {kContinuous, 0}}, {{kCollate, 1}, {kContinuous, 1}}},
    {"mixed sizes over 2-up and a poster", {{kPlural, 21}, {kSingle, 2}, {kForm, 1}, {kDuplex, 3}}, kMixed, 1,
     {20582, 20051, 20571}, {{kMixed, 1}, {kPlural, 0}, {kSingle, 0}, {kForm, 0}, {kDuplex, 3}},
     {{kMixed, 0}, {kPlural, 21}, {kForm, 1}}},
    {"mixed sizes alone take the two-sided choice", {{kDuplex, 2}}, kMixed, 1, {}, {{kMixed, 1}, {kDuplex, 2}}, {}},
    {"tray per page over fold and carbon copy", {{kFold, 4}, {kCarbon, 1}}, kTrayPerPage, 1, {20046, 21008},
     {{kTrayPerPage, 1}, {kFold, 0}, {kCarbon, 0}}, {{kTrayPerPage, 0}, {kFold, 4}}},
    {"envelope original under staple and fold", {{kOriginal, 9}, {kStaple, 10}, {kFold, 1}}, kOriginal, 20,
     {20054, 20043}, {{kOriginal, 20}, {kStaple, 0}, {kFold, 0}}, {{kOriginal, 9}, {kStaple, 10}, {kFold, 1}}},
    {"envelope original printed on A4", {{kOriginal, 9}, {kOutput, 9}, {kPunch, 1}}, kOriginal, 20, {},
     {{kOriginal, 20}, {kPunch, 1}}, {}},
    {"same as an envelope original under punch", {{kOriginal, 20}, {kOutput, 9}, {kPunch, 2}}, kOutput, 0, {20059},
     {{kOutput, 0}, {kPunch, 0}}, {{kOutput, 9}, {kPunch, 2}}},
    {"zoom on from no ratio", {}, kZoom, 1, {}, {{kZoomValue, 100}}, {}},
    {"zoom on keeps a ratio", {{kZoomValue, 71}}, kZoom, 1, {}, {{kZoomValue, 71}}, {}},
};

TEST(BasicPage, ChangesAskAndAnswer) {
    CheckChanges(30203, kCases, 0, [](const ChangeCase&) { return ZeroSession(); });
}

TEST(BasicPage, ZoomSummary) {
    struct Zoom {
        uint16_t scale;
        uint8_t on;
        const char* text;
    } zooms[] = {{75, 1, "( 75%)"}, {0, 0, "(---%)"}, {0, 1, "(100%)"}, {141, 0, "(141%)"}};
    for (const Zoom& z : zooms) {
        PrivateSettings p{};
        p.scale_Zoom = z.scale;
        p.zoomSupport = z.on;
        char16_t text[16] = {};
        BasicZoomText(p, text);
        EXPECT_EQ(std::string(z.text), std::string(text, text + std::u16string(text).size()));
    }
}

TEST(BasicPage, ApplyFixesThePhysicalSizes) {
    struct Case {
        uint8_t inches;
        uint16_t original, output;
        int32_t outputCustomWidth;
        std::vector<int32_t> sizes;  // the original's custom width and length, the output's physical ones
    } cases[] = {
        {0, 256, 0, 0, {21000, 29700, 21000, 29700}},
        {1, 256, 0, 0, {21006, 29693, 21006, 29693}},
        {0, 9, 0, 0, {0, 0, 21000, 29700}},
        {0, 9, 8, 0, {0, 0, 29700, 42000}},
        {1, 9, 256, 15000, {0, 0, 21006, 29693}},  // a custom output without its length gets A4 whole
    };
    for (const Case& k : cases) {
        auto s = ZeroSession();
        const PaperRow papers[] = {{u"A4", {}, 9, 2100, 2970, 9}, {u"A3", {}, 8, 2970, 4200, 8}};
        std::memcpy(s->env.paperList, papers, sizeof papers);
        s->env.unitOfLength = k.inches;
        s->dm.priv.originalSize = k.original;
        s->dm.priv.outputSize = k.output;
        s->dm.priv.outputWidth_mm_CustomPaper = k.outputCustomWidth;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        ASSERT_EQ(1, BasicPageApply(in));
        const PrivateSettings& p = s->dm.priv;
        EXPECT_EQ(k.sizes, (std::vector<int32_t>{p.originalWidth_mm_CustomPaper, p.originalLength_mm_CustomPaper,
                                                 p.outputWidth_mm, p.outputLength_mm}))
            << k.original << " " << k.output;
    }
}

}  // namespace

// The binding edge follows the page: turning a Z-folded page to landscape
// moves a right-edge binding to the left edge; a top binding stays (the
// engine's cascades, heard through the recorded change).
TEST(BasicPage, BindingFollowsTheOrientation) {
    constexpr uint32_t kPortrait = 30226, kLandscape = 30227, kBinding = 30511;
    const struct {
        uint32_t fold, binding, plural, control, value;
        uint32_t after;
    } cases[] = {
        {4, 2, 0, kLandscape, 2, 0},
        {4, 1, 0, kLandscape, 2, 1},
        {0, 2, 0, kLandscape, 2, 2},
        {4, 2, 0, kPortrait, 1, 2},
    };
    auto page = std::make_unique<PageState>();
    for (const auto& k : cases) {
        auto s = ZeroSession();
        for (auto [control, value] : Writes{{kFold, k.fold}, {kBinding, k.binding}, {kPlural, k.plural}})
            WriteControlValue(*s, control, value);
        s->dm.priv.originalOrientation = k.control == kPortrait ? 2 : 1;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        ASSERT_EQ(kChangeWritten, ChangePageControl(30200, in, k.control, k.value, nullptr));
        ASSERT_EQ(1, RefreshPage(30200, in, *page));
        EXPECT_EQ(k.after, ReadControlValue(*s, kBinding)) << k.fold << " " << k.binding << " " << k.plural;
    }
}
