// The form-overlay dialog on the page model: the name each form choice
// stores, a registered form found again by its name (or gone), and what the
// pattern and sides leave to choose, with the settings they bring back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/form_overlay_dialog.h"
#include "ui/page_changes.h"
#include "ui/sub_dialog_model.h"

namespace {

constexpr uint32_t kFront = 33822, kSeparate = 33824, kFrontForm = 33826, kBackForm = 33828;
constexpr uint32_t kPreview = 33832, kPageShown = 33833, kSideBack = 33836, kSideNext = 33837;

std::unique_ptr<PrinterSession> Session() {
    auto s = ZeroSession();
    s->env.printCheckLevel = 1;  // levels 0, 3 and 4 leave the overlay's method to the printer
    s->dm.priv.pattern_Form = 1;
    s->dm.priv.printSide_Form = 2;
    s->dm.priv.printSideSeparately_Form = 1;
    return s;
}

TEST(FormOverlayDialog, ChoicesStoreIndexAndName) {
    auto lists = NamedLists(&RetrievalTargets::formNames, {u"Letterhead", u"Invoice"});
    const struct {
        uint32_t control, value;
        int written;
        uint8_t index;
        std::u16string name;
    } rows[] = {
        {kFrontForm, 3, 1, 3, u"#kElOcUsToMfOrM3"}, {kFrontForm, 12, 1, 11, u"Invoice"}, {kFrontForm, 0, 1, 0, u""},
        {kBackForm, 11, 1, 11, u"Letterhead"},      {kBackForm, 13, 0, 11, u"Letterhead"},  // past the list
    };
    auto s = Session();
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, lists.get()};
    for (const auto& r : rows) {
        EXPECT_EQ(r.written ? kChangeWritten : kChangeRefused, ChangeSubDialogControl(kFormOverlayDialog, in, r.control, r.value));
        const PrivateSettings& p = s->dm.priv;
        EXPECT_EQ(r.index, r.control == kFrontForm ? p.index_Form : p.index_BackSide_Form) << r.value;
        EXPECT_EQ(r.name, std::u16string(r.control == kFrontForm ? p.fileName_Form : p.fileName_BackSide_Form)) << r.value;
    }
}

TEST(FormOverlayDialog, PatternAndSidesDecideWhatIsChosen) {
    auto lists = NamedLists(&RetrievalTargets::formNames, {u"Letterhead", u"Invoice"});
    const struct {
        const char* what;
        uint8_t pattern, side, separate;
        std::u16string front;  // the stored front form (index 11 when not numbered)
        std::vector<int> enabled;  // front radio, separate check, back form
        uint8_t sideAfter, separateAfter, frontIndex;
        int frontSelected;       // list value selected
        std::u16string backAfter;
    } rows[] = {
        {"every page, both sides, separate", 1, 2, 1, u"Invoice", {1, 1, 1}, 2, 1, 11, 12, u""},
        {"every page, front only", 1, 1, 1, u"Invoice", {1, 0, 0}, 1, 0, 11, 12, u"Invoice"},
        {"first page only: both sides implied", 2, 1, 1, u"Invoice", {0, 1, 1}, 2, 1, 11, 12, u""},
        {"a registered form the printer dropped", 1, 2, 0, u"Gone", {1, 1, 0}, 2, 0, 0, 0, u""},
    };
    for (const auto& r : rows) {
        auto s = Session();
        PrivateSettings& p = s->dm.priv;
        p.pattern_Form = r.pattern;
        p.printSide_Form = r.side;
        p.printSideSeparately_Form = r.separate;
        p.index_Form = 11;
        for (size_t k = 0; k < r.front.size(); k++) p.fileName_Form[k] = r.front[k];
        auto page = Refreshed(kFormOverlayDialog, *s, lists.get());
        std::vector<int> enabled;
        for (uint32_t id : {kFront, kSeparate, kBackForm}) enabled.push_back(ControlOf(*page, id).enabled);
        EXPECT_EQ(r.enabled, enabled) << r.what;
        EXPECT_EQ(r.sideAfter, p.printSide_Form) << r.what;
        EXPECT_EQ(r.separateAfter, p.printSideSeparately_Form) << r.what;
        EXPECT_EQ(r.frontIndex, p.index_Form) << r.what;
        const ControlState& front = ControlOf(*page, kFrontForm);
        ASSERT_GE(front.selected, 0) << r.what;
        EXPECT_EQ(uint32_t(r.frontSelected), front.item[front.selected].value) << r.what;
        EXPECT_EQ(13, front.itemCount) << r.what;  // none, ten numbered, two registered
        EXPECT_EQ(r.backAfter, std::u16string(p.fileName_BackSide_Form)) << r.what;
    }
}

// The preview's side, stepped to or turned to by a form choice, as its
// indicator, picture (none without a form) and step buttons show it.
TEST(FormOverlayDialog, PreviewStepsThroughTheSides) {
    const struct {
        uint8_t separate, back;
        std::vector<uint32_t> clicks;
        std::u16string shown;
        int pictures, backOn, nextOn;
    } rows[] = {
        {0, 3, {kSideNext}, u"1/1", 1, 0, 0},  {1, 0, {kSideNext, kSideNext}, u"2/2", 0, 1, 0},
        {1, 5, {kBackForm}, u"2/2", 1, 1, 0},  {1, 5, {kSideNext, kFrontForm}, u"1/2", 1, 0, 1},
        {1, 5, {kSideNext, kSeparate}, u"1/1", 1, 0, 0},  // the back given up while shown
    };
    for (const auto& r : rows) {
        auto s = Session();
        PrivateSettings& p = s->dm.priv;
        p.printSideSeparately_Form = r.separate;
        p.index_Form = 3;
        p.index_BackSide_Form = r.back;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        auto page = std::make_unique<PageState>();
        page->view = 0;
        for (size_t i = 0; i <= r.clicks.size(); i++) {
            ASSERT_EQ(1, RefreshPage(kFormOverlayDialog, in, *page));
            if (i == r.clicks.size()) break;
            if (r.clicks[i] == kSeparate) p.printSideSeparately_Form = 0;
            else ShowFormOverlaySide(*page, p, r.clicks[i]);
        }
        const ControlState& preview = ControlOf(*page, kPreview);
        EXPECT_EQ(r.shown, std::u16string(ControlOf(*page, kPageShown).text)) << r.clicks.size();
        EXPECT_EQ(r.pictures, preview.itemCount && preview.item[0].value == kFormPreviewPicture) << r.clicks.size();
        EXPECT_EQ(r.backOn, ControlOf(*page, kSideBack).enabled) << r.clicks.size();
        EXPECT_EQ(r.nextOn, ControlOf(*page, kSideNext).enabled) << r.clicks.size();
    }
}

}  // namespace
