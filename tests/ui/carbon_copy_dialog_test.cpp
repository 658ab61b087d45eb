// The carbon-copy tray order: a stored order taken only as far as it names
// the printer's paper sources, each once; moves at the ends; the order stored.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "ui/carbon_copy_dialog.h"
#include "ui/page_changes.h"

namespace {

std::vector<uint16_t> Order(const TrayPriorityForm& f) { return std::vector<uint16_t>(f.tray, f.tray + f.count); }

TEST(CarbonCopyDialog, StoredOrderThenThePrintersOtherSources) {
    const struct {
        const char* what;
        std::vector<uint32_t> printer;
        std::vector<uint16_t> stored, shown;
    } rows[] = {
        {"default: the standard feed first", {7, 257, 258, 259, 260}, {257, 0, 0, 0}, {257, 258, 259, 260}},
        {"a full order kept", {7, 257, 258, 259, 260}, {260, 258, 257, 259}, {260, 258, 257, 259}},
        {"repeats, unknown trays and what follows a 0 dropped", {7, 261, 258, 259, 262},
         {259, 259, 300, 0}, {259, 261, 258}},
        {"no paper sources", {7}, {257, 0, 0, 0}, {}},
    };
    for (const auto& r : rows) {
        auto s = TraySession(r.printer);
        for (size_t i = 0; i < r.stored.size(); i++) s->dm.priv.inputTrayPriority_CarbonCopy[i] = r.stored[i];
        TrayPriorityForm f;
        LoadTrayPriority(*s, f);
        EXPECT_EQ(r.shown, Order(f)) << r.what;
    }
}

TEST(CarbonCopyDialog, MovesStopAtTheEndsAndTheOrderIsStored) {
    auto s = TraySession({257, 258, 259});
    TrayPriorityForm f;
    LoadTrayPriority(*s, f);
    EXPECT_EQ(0, MoveTrayPriority(f, 0, -1));  // the first cannot go up
    EXPECT_EQ(2, MoveTrayPriority(f, 2, 1));   // the last cannot go down
    EXPECT_EQ(5, MoveTrayPriority(f, 5, -1));  // outside the list
    EXPECT_EQ((std::vector<uint16_t>{257, 258, 259}), Order(f));
    EXPECT_EQ(1, MoveTrayPriority(f, 2, -1));
    EXPECT_EQ(0, MoveTrayPriority(f, 1, -1));
    StoreTrayPriority(f, s->dm.priv);
    const uint16_t* stored = s->dm.priv.inputTrayPriority_CarbonCopy;
    EXPECT_EQ((std::vector<uint16_t>{259, 257, 258, 0}), std::vector<uint16_t>(stored, stored + 4));
}

// Each question answered Yes (carbon copy kept) and No (the finishing kept).
TEST(CarbonCopyDialog, StapleOrPunchBesideCarbonCopyAsksOnOk) {
    const struct {
        uint8_t carbon, staple, punch;
        std::vector<uint32_t> parts;  // empty: nothing asked
    } rows[] = {
        {1, 20, 0, {21008, 20032, 20177, 21040, 20178, 20516}},  // saddle stitch
        {1, 1, 3, {21008, 20032, 20177, 21042, 20178, 20516, 20517}},
        {0, 1, 3, {}},
    };
    for (const auto& r : rows) {
        for (int yes : {1, 0}) {
            PrivateSettings p{};
            p.carbonCopySupport = r.carbon, p.staple = r.staple, p.punch = r.punch;
            PageQuestion q{};
            int asks = CarbonCopyFinishingQuestion(p, &q);
            EXPECT_EQ(r.parts, std::vector<uint32_t>(q.part, q.part + (asks ? q.partCount : 0)));
            if (!asks) continue;
            AnswerCarbonCopyFinishing(p, yes);
            EXPECT_EQ((std::vector<int>{yes, yes ? 0 : r.staple, yes ? 0 : r.punch}),
                      (std::vector<int>{p.carbonCopySupport, p.staple, p.punch}));
        }
    }
}

}  // namespace
