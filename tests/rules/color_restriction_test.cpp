// The administrator's colour restriction: which modes each mask permits on
// each kind of model, the fallback it chooses, and the answer of the rule.
#include <gtest/gtest.h>

#include "rules/rule_session.h"
#include "rules/settings_application.h"

namespace {

struct ColorCase { uint8_t inkCount, localArea; uint16_t modelCode; uint8_t optionByte; uint32_t mask; uint8_t mode, want; };

const ColorCase kColorCases[] = {
    // No restriction.
    {2, 0, 0, 0, 15, 0, 0},
    {1, 0, 0, 0, 15, 2, 2},
    // One ink: restricted always to 0.
    {1, 0, 0, 0, 1, 2, 0},
    // Two inks, model 22: bit 1 decides between 2 and 7.
    {2, 0, 22, 0, 1, 0, 2},
    {2, 0, 22, 0, 4, 0, 7},
    // Two inks at home: fallback 2, then 5, then 0.
    {2, 0, 0, 0, 1, 0, 2},
    {2, 0, 0, 0, 8, 0, 5},
    {2, 0, 0, 0, 2, 6, 0},
    {2, 0, 0, 0, 8, 1, 1},
    // Two inks abroad: fallback 5 first.
    {2, 1, 0, 0, 9, 0, 5},
    {2, 1, 0, 0, 1, 5, 2},
    // Four inks: fallback 0, then 1, then 2.
    {4, 0, 0, 0, 2, 0, 1},
    {4, 0, 0, 0, 1, 1, 2},
    {4, 0, 0, 0, 6, 3, 0},
    {4, 0, 0, 0, 4, 6, 6},
    {4, 2, 0, 0, 4, 6, 0},
    {4, 2, 0, 0, 4, 4, 4},
    {4, 0, 0, 0, 8, 5, 5},
    // Five inks: modes 2 to 4 need bit 1; mode 7 needs the option byte.
    {5, 0, 0, 0, 2, 4, 1},
    {5, 0, 0, 0, 2, 7, 1},
    {5, 0, 0, 1, 2, 7, 7},
    // Other ink counts are left alone.
    {3, 0, 0, 0, 1, 0, 0},
};

TEST(ColorRestriction, MasksByModel) {
    for (const ColorCase& c : kColorCases) {
        PrinterEnvironment* env = new PrinterEnvironment{};
        env->inkCount = c.inkCount;
        env->localArea = c.localArea;
        env->modelCode = c.modelCode;
        env->modelOptionByte = c.optionByte;
        EXPECT_EQ(c.want, RestrictColorMode(*env, c.mask, c.mode))
            << "inks " << int(c.inkCount) << " area " << int(c.localArea) << " model " << c.modelCode << " mask "
            << c.mask << " mode " << int(c.mode);
        delete env;
    }
}

// The printer's stored mask reaches the record; the answer says whether the
// mode changed. A mask stored as text counts as no restriction.
TEST(ColorRestriction, ReadsThePrinterMask) {
    struct { uint32_t type; uint32_t mask; uint8_t mode; uint8_t want; int result; } cases[] = {
        {kRegDword, 1, 0, 2, 0},
        {kRegDword, 4, 0, 0, 1},
        {kRegSz, 1, 0, 0, 1},
    };
    for (const auto& c : cases) {
        RuleSession r;
        r.s->env.inkCount = 2;
        FakePrinter* p = r.fake.spooler.Printer(u"P1");
        if (c.type == kRegDword) p->SetDword(u"ColorRestriction", c.mask);
        else p->SetString(u"ColorRestriction", u"1");
        PrinterHandle h = nullptr;
        ASSERT_EQ(1, r.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        r.p().colorMode = c.mode;
        EXPECT_EQ(c.result, ApplyColorRestriction(h, r.s.get()));
        EXPECT_EQ(c.want, r.p().colorMode);
        // The device rules run it too.
        r.p().colorMode = c.mode;
        ApplyDeviceRestrictions(r.s.get(), h);
        EXPECT_EQ(c.want, r.p().colorMode);
        r.fake.spooler.ClosePrinter(h);
    }
}

}  // namespace
