// The environment page model: which controls each view shows, and the
// page's rules (network fields, output unit items, fold unit, the model's
// restrictions, MAC parts, rights, fallbacks of choices no longer offered).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "ui/environment_page.h"
#include "ui/page_model.h"

namespace {

struct EnvPage {
    FakePlatformScope fake;
    std::unique_ptr<PrinterSession> s = std::make_unique<PrinterSession>();
    std::unique_ptr<PageState> page = std::make_unique<PageState>();
    PageInput in{};
    PrinterHandle h = nullptr;

    EnvPage() {
        std::memset(s.get(), 0, sizeof *s);
        fake.spooler.AddPrinter(u"P1");
        in.session = s.get();
        in.facts = SheetFacts{1, 1, 0, 0};
    }
    ~EnvPage() {
        if (h) Spool().ClosePrinter(h);
    }
    // A stored model description with the given restriction flags.
    void Model(uint8_t finisher, uint8_t anotherNetwork, uint8_t fold, uint8_t light, uint8_t barcode) {
        auto ctx = std::make_unique<RdfContext>();
        ctx->RdfFile = const_cast<char16_t*>(u"C:\\m.rdf");
        ctx->DeviceName = const_cast<char16_t*>(u"M");
        ctx->PrinterName = const_cast<char16_t*>(u"P1");
        ctx->info.FinisherSupportEnable = finisher;
        ctx->info.PrinterOnAnotherNetworkEnable = anotherNetwork;
        ctx->info.FoldUnit_OptionEnable = fold;
        ctx->info.LightPaperEnable = light;
        ctx->info.BarcodeAreaFileEnable = barcode;
        ASSERT_EQ(1, SaveRdfContext(ctx.get()));
        ASSERT_TRUE(Spool().OpenPrinter(u"P1", kPrinterAccessUse, &h));
        in.printer = h;
    }
    void Refresh(int view = 0) {
        page->view = view;
        ASSERT_EQ(1, RefreshPage(30003, in, *page));
    }
    const ControlState& C(uint32_t id) const {
        for (int i = 0; i < page->controlCount; i++)
            if (page->control[i].id == id) return page->control[i];
        ADD_FAILURE() << "no control " << id;
        return page->control[0];
    }
    std::u16string Text(uint32_t id) const { return C(id).text; }
};

std::string Shown(const EnvPage& p, const std::vector<uint32_t>& ids) {
    std::string out;
    for (uint32_t id : ids) out += p.C(id).visible ? '1' : '0';
    return out;
}

TEST(EnvironmentPage, ViewsShowTheirControls) {
    // Columns: input unit 30026, fold 30030, length 30034, paper type 30036,
    // light 30038, press 30056, semi-gloss 30042, choice A 30047, choice C
    // 30058, model option 30060, choice B 30062, input picture 30022.
    const std::vector<uint32_t> ids = {30026, 30030, 30034, 30036, 30038, 30056,
                                       30042, 30047, 30058, 30060, 30062, 30022};
    struct Case {
        int view;
        uint8_t localArea;
        uint8_t modelColor;
        const char* shown;
    };
    const Case cases[] = {
        {0, 1, '1', "111100000001"},  // no paper-support choices in local areas (elsewhere: the page dumps)
        {1, 0, '1', "000000111011"},  // the model option only on colour models
        {1, 0, '3', "000000111111"},
        {1, 1, '3', "000000111111"},
    };
    for (const Case& k : cases) {
        EnvPage p;
        p.s->env.localArea = k.localArea;
        p.s->env.modelColor = k.modelColor;
        p.Refresh(k.view);
        EXPECT_EQ(k.shown, Shown(p, ids)) << "view " << k.view << " local " << int(k.localArea) << " colour "
                                          << k.modelColor;
        EXPECT_EQ(static_cast<uint32_t>(k.view), p.C(30045).value);
    }
    // Scroll requests: line, page, thumb, top/bottom, end of scrolling.
    struct Scroll {
        int view, request, thumb, result;
    };
    const Scroll scrolls[] = {{0, 1, 0, 1}, {1, 1, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 0}, {0, 3, 0, 1}, {1, 2, 0, 0},
                              {0, 4, 1, 1}, {1, 5, 0, 0}, {0, 4, 7, 1}, {1, 6, 0, 0}, {0, 7, 0, 1}, {1, 8, 0, 1}};
    for (const Scroll& k : scrolls)
        EXPECT_EQ(k.result, ScrolledView(k.view, k.request, k.thumb)) << k.view << " " << k.request;
}

TEST(EnvironmentPage, Rules) {
    struct Want {
        uint32_t id;
        int enabled, visible;  // enabled -1: either
    };
    struct Case {
        const char* what;
        std::function<void(EnvPage&)> setUp;
        std::vector<Want> want;
        std::function<void(EnvPage&)> check;  // the stored values and lists; may be empty
    };
    auto none = [](EnvPage&) {};
    const Case cases[] = {
        {"network fields follow their check boxes", [](EnvPage& p) { p.s->env.useTypedAddress = 1; },
         {{30010, 1, 1}, {30054, 0, 1}, {30014, 0, 1}, {30019, 0, 1}, {30020, 0, 1}}, none},
        {"wake-up enables the MAC parts and the direct packet",
         [](EnvPage& p) { p.s->env.wakeUpEnable = p.s->env.communityOverride = 1; },
         {{30010, 0, 1}, {30054, 1, 1}, {30016, 1, 1}, {30020, 1, 1}}, none},
        {"no administration rights", [](EnvPage& p) { p.s->env.wakeUpEnable = 1, p.in.facts.canAdminister = 0; },
         {{30008, 0, 1}, {30016, 0, 1}, {30026, 0, 1}, {30045, 0, 1}, {30051, 0, 1}}, none},
        {"without a finisher the output units are the plain ones", [](EnvPage& p) { p.Model(0, 1, 1, 1, 1); }, {},
         [](EnvPage& p) { EXPECT_EQ(6, p.C(30028).itemCount); }},
        {"item 42 stores unit 25 without sub-option with fold, and shows as 42 again",
         [](EnvPage& p) {
             p.Model(1, 1, 1, 1, 1);
             ASSERT_EQ(kChangeWritten, ApplyPageChange(p.in, 30028, 42, nullptr, 0, nullptr));
             EXPECT_EQ(25u, p.in.last.value);  // the engine sees the stored unit
         },
         {{30030, 1, 1}},
         [](EnvPage& p) {
             EXPECT_EQ(25, p.s->env.outputUnit_Option);
             EXPECT_EQ(0, p.s->env.outputSubOption);
             EXPECT_EQ(1, p.s->env.foldUnit_Option);
             const ControlState& c = p.C(30028);
             ASSERT_EQ(10, c.itemCount);
             ASSERT_GE(c.selected, 0);
             EXPECT_EQ(42u, c.item[c.selected].value);
         }},
        {"local-area finisher models offer finisher B in place of 43 and 42",
         [](EnvPage& p) {
             p.Model(1, 1, 1, 1, 1);
             p.s->env.localArea = p.s->env.outputSubOption = 1;
             p.s->env.outputUnit_Option = 26;
         },
         {},
         [](EnvPage& p) {
             const ControlState& c = p.C(30028);
             ASSERT_EQ(10, c.itemCount);
             EXPECT_EQ(51u, c.item[3].value);
             EXPECT_EQ(50u, c.item[4].value);
             EXPECT_EQ(3, c.selected);  // 26 with sub-option, no fold
         }},
        {"no finisher: the fold unit is disabled and reset",
         [](EnvPage& p) { p.s->env.outputUnit_Option = 20, p.s->env.foldUnit_Option = 1; },
         {{30029, 0, 1}, {30030, 0, 1}}, [](EnvPage& p) { EXPECT_EQ(0, p.s->env.foldUnit_Option); }},
        {"model flags 0: disabled and cleared",
         [](EnvPage& p) {
             p.Model(1, 0, 0, 0, 0);
             p.s->env.wakeUpEnable = p.s->env.wakeUpTarget = p.s->env.lightPaperSupport = 1;
             p.s->env.outputUnit_Option = 25;
             p.s->env.foldUnit_Option = 1;
         },
         {{30020, 0, 1}, {30038, 0, 1}, {30030, 0, 1}, {30050, 0, 1}},
         [](EnvPage& p) {
             EXPECT_EQ(0, p.s->env.wakeUpTarget);
             EXPECT_EQ(0, p.s->env.lightPaperSupport);
             EXPECT_EQ(0, p.s->env.foldUnit_Option);
         }},
        {"model flags 2: hidden", [](EnvPage& p) { p.Model(1, 2, 2, 2, 2); },
         {{30020, -1, 0}, {30029, -1, 0}, {30030, -1, 0}, {30037, -1, 0}, {30038, -1, 0}, {30050, -1, 0}, {30036, -1, 1}},
         none},
        {"clearing MAC part 3 stores 00",
         [](EnvPage& p) {
             std::memcpy(p.s->env.macAddress, u"0A:1B:2C:3D:4E:5F", 36);
             ASSERT_EQ(kChangeWritten, ApplyPageText(p.in, 30016, u""));
         },
         {},
         [](EnvPage& p) {
             EXPECT_EQ(std::u16string(u"0A:1B:00:3D:4E:5F"), std::u16string(p.s->env.macAddress));
             EXPECT_EQ(u"0A", p.Text(30014));
             EXPECT_EQ(u"00", p.Text(30016));
         }},
        {"a short MAC address gets its missing parts",
         [](EnvPage& p) {
             std::memcpy(p.s->env.macAddress, u"12:34", 12);
             ASSERT_EQ(kChangeWritten, ApplyPageText(p.in, 30019, u"ff"));
         },
         {}, [](EnvPage& p) { EXPECT_EQ(std::u16string(u"12:34:00:00:00:ff"), std::u16string(p.s->env.macAddress)); }},
        {"the community keeps only its allowed characters",
         [](EnvPage& p) { ASSERT_EQ(kChangeWritten, ApplyPageText(p.in, 30054, u"pub lic!@[]")); }, {},
         [](EnvPage& p) {
             EXPECT_EQ(u"public@[]", p.Text(30054));
             char16_t typed[] = u"a b!c";
             int caret = 4;  // after the '!'
             EXPECT_EQ(1, KeepCommunityChars(typed, &caret));
             EXPECT_EQ(std::u16string(u"abc"), typed);
             EXPECT_EQ(2, caret);
         }},
        {"an input unit no longer offered falls back to none", [](EnvPage& p) { p.s->env.inputUnit_Option = 7; }, {},
         [](EnvPage& p) {
             EXPECT_EQ(0, p.s->env.inputUnit_Option);
             EXPECT_EQ(0, p.C(30026).selected);
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EnvPage p;
        k.setUp(p);
        p.Refresh();
        for (const Want& w : k.want) {
            if (w.enabled >= 0) {
                EXPECT_EQ(w.enabled, p.C(w.id).enabled) << w.id;
            }
            EXPECT_EQ(w.visible, p.C(w.id).visible) << w.id;
        }
        k.check(p);
    }
}

}  // namespace
