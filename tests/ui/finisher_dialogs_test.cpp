// The finisher dialogs' state: perfect binding's body sizes, cover lengths
// and tray rules, mail making's lists and pictures.
#include <gtest/gtest.h>

#include "ui/covers.h"
#include "ui/mail_making.h"
#include "ui/page_changes.h"
#include "ui/perfect_binding.h"

namespace {

std::unique_ptr<PrinterSession> SessionWith(std::vector<uint16_t> papers) {
    auto s = ZeroSession();
    for (size_t i = 0; i < papers.size(); i++) s->env.paperList[i] = PaperRow{u"P", {}, papers[i], 2100, 2970, papers[i]};
    const TrayRow trays[] = {{u"Std", 257, 0}, {u"T1", 258, 0}, {u"T2", 259, 0}, {u"Ins", 262, 0}};
    std::memcpy(s->env.trayList, trays, sizeof trays);
    return s;
}

TEST(PerfectBinding, BodySizesAndCoverLengths) {
    auto s = SessionWith({1, 11, 9});
    uint16_t sizes[4];
    int n = PerfectBindingBodySizes(s->env, sizes);
    EXPECT_EQ((std::vector<uint16_t>{9, 11, 1}), std::vector<uint16_t>(sizes, sizes + n));
    const struct {
        uint16_t body;
        int inches;
        uint32_t stored;
        int32_t shown, typed;
        uint32_t kept;
    } cases[] = {
        {9, 0, 45000, 4500, 4500, 45000},
        {9, 0, 0, 4650, 5000, 46500},      // unset shows 4650; beyond the range: 465.0 mm
        {11, 0, 46500, 3420, 2000, 29850}, // A5: at most 342.0, at least 298.5 mm
        {1, 1, 46500, 1831, 1877, 47676},  // Letter in inches: 18.77 in is 476.76 mm
        {13, 1, 0, 1610, 1000, 36576},     // unset shows 4650 units kept to 16.10; 14.40 in at least
    };
    for (const auto& k : cases) {
        EXPECT_EQ(k.shown, ShownCoverLength(k.stored, k.body, k.inches)) << k.body << " " << k.inches;
        EXPECT_EQ(k.kept, StoredCoverLength(k.typed, k.body, k.inches)) << k.body << " " << k.inches;
    }
}

TEST(PerfectBinding, TrayRules) {
    const struct {
        const char* what;
        uint16_t body, bodyTray, coverTray;
        uint8_t separately, modelFS;
        int change;
        uint16_t bodyAfter, coverAfter;
        uint8_t separatelyAfter;
        int coverChoices, separatelyEnabled;
    } cases[] = {
        {"A5 body takes the standard tray, its cover moves to tray 1", 11, 258, 257, 0, 0, kPbBodySize, 257, 258, 0,
         1, 1},
        {"the inserter as cover prints it apart, one-sided", 9, 258, 262, 0, 0, kPbCoverTray, 258, 262, 2, 0, 1},
        {"body on the cover's tray sends the cover to the inserter", 13, 259, 259, 0, 0, kPbBodyTray, 259, 262, 2, 0,
         1},
        {"a cover not offered falls back to standard, the body to auto", 9, 257, 258, 0, 0, kPbCoverTray, 7, 257, 0,
         1, 1},
        {"cover printed with the body leaves the inserter", 13, 258, 262, 0, 0, kPbSeparately, 7, 257, 0, 1, 1},
        {"a model without choices", 9, 258, 259, 0, 1, kPbOpened, 257, 262, 2, 0, 0},
    };
    for (const auto& k : cases) {
        auto s = SessionWith({9, 11});
        s->env.modelFS = k.modelFS;
        PrivateSettings& p = s->dm.priv;
        p.bodySize_PerfectBinding = k.body;
        p.inputTray_Body_PerfectBinding = k.bodyTray;
        p.inputTray_Cover_PerfectBinding = k.coverTray;
        p.printCoverSeparately_PerfectBinding = k.separately;
        p.duplexType_Cover_PerfectBinding = 1;
        PerfectBindingState state{};
        if (k.change == kPbOpened) OpenPerfectBinding(p, s->env, state);
        else PerfectBindingTrayRules(p, s->env, k.change, state);
        EXPECT_EQ(k.bodyAfter, p.inputTray_Body_PerfectBinding) << k.what;
        EXPECT_EQ(k.coverAfter, p.inputTray_Cover_PerfectBinding) << k.what;
        EXPECT_EQ(k.separatelyAfter, p.printCoverSeparately_PerfectBinding) << k.what;
        EXPECT_EQ(k.coverChoices, state.coverChoicesEnabled) << k.what;
        EXPECT_EQ(k.coverChoices, p.duplexType_Cover_PerfectBinding) << k.what;  // one-sided when apart
        EXPECT_EQ(k.separatelyEnabled, state.separatelyEnabled) << k.what;
    }
}

// The dialog over its model: a choice writes its field and what follows it,
// the refresh shows what the printer and the choices leave.
TEST(PerfectBinding, DialogChoices) {
    const struct {
        const char* what;
        uint8_t lightPaper;
        uint32_t control, value;
        uint32_t shownLength;           // the edit's value after the refresh
        size_t paperTypes;              // rows of the body's paper-type list
        int rightGroup, coverChoices;   // the right binding's picture shown; cover sides and type usable
    } cases[] = {
        {"A5 body: its default length, the standard tray", 1, 33915, 11, 3420, 7, 0, 1},
        {"right binding shows its picture group", 0, 33912, 1, 4650, 6, 1, 1},
        {"the cover inserter greys the cover's sides and paper", 1, 33932, 262, 4650, 7, 0, 0},
    };
    for (const auto& k : cases) {
        auto s = SessionWith({9, 11, 1});
        s->env.lightPaperSupport = k.lightPaper;
        PrivateSettings& p = s->dm.priv;
        p.bodySize_PerfectBinding = 9, p.coverLength_mm_PerfectBinding = 46500;
        p.inputTray_Body_PerfectBinding = 258, p.inputTray_Cover_PerfectBinding = 262;
        PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        ASSERT_EQ(kChangeWritten, ChangePageControl(kPerfectBindingDialog, in, k.control, k.value, nullptr)) << k.what;
        auto page = Refreshed(kPerfectBindingDialog, *s);
        EXPECT_EQ(k.shownLength, ControlOf(*page, 33925).value) << k.what;
        EXPECT_EQ(k.paperTypes, ItemValues(ControlOf(*page, 33921)).size()) << k.what;
        EXPECT_EQ(k.rightGroup, ControlOf(*page, 33939).visible) << k.what;
        EXPECT_EQ(!k.rightGroup, ControlOf(*page, 33938).visible) << k.what;
        EXPECT_EQ(k.coverChoices, ControlOf(*page, 33930).enabled) << k.what;
        EXPECT_EQ(k.coverChoices, ControlOf(*page, 33934).enabled) << k.what;
        if (k.value == 11) {
            EXPECT_EQ(257, p.inputTray_Body_PerfectBinding) << k.what;
        }
    }
}

TEST(MailMaking, ListsAndPictures) {
    auto s = SessionWith({1, 9, 13});
    uint16_t sizes[2];
    EXPECT_EQ(2, MailMakingInsertSizes(s->env, 1, sizes));
    EXPECT_EQ(1, MailMakingInsertSizes(s->env, 3, sizes));  // no Legal in the list
    EXPECT_EQ(1, sizes[0]);
    EXPECT_EQ(0, MailMakingInsertSizes(s->env, 4, sizes));

    PrivateSettings& p = s->dm.priv;
    ChooseMailMakingForm(p, s->env, 3);
    EXPECT_EQ(1, p.size_Insert_MailMaking);
    ChooseMailMakingInsert(p, 1);
    EXPECT_EQ(11921, MailMakingInsertPicture(p));
    p.duplexType_Envelope_MailMaking = 1;
    ChooseMailMakingInsert(p, 0);
    EXPECT_EQ(2, p.duplexType_Envelope_MailMaking);
    EXPECT_EQ(11923, MailMakingInsertPicture(p));

    // The dialog: a form change takes the form's first size; one size greys the list.
    PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
    ASSERT_EQ(kChangeWritten, ChangePageControl(kMailMakingDialog, in, 32913, 2, nullptr));
    EXPECT_EQ(9, p.size_Insert_MailMaking);
    ASSERT_EQ(kChangeWritten, ChangePageControl(kMailMakingDialog, in, 32920, 1, nullptr));
    auto page = std::make_unique<PageState>();
    ASSERT_EQ(1, RefreshPage(kMailMakingDialog, in, *page));
    EXPECT_EQ(0, ControlOf(*page, 32922).enabled);
    EXPECT_EQ(1, ControlOf(*page, 32924).enabled);  // the insert's tray with inserts on
    EXPECT_EQ(3, ControlOf(*page, 32917).itemCount);  // one-sided offered with inserts
}

}  // namespace

// The cover pictures by binding, output tray and face, the tray's kind and
// which cover; a booklet shows its own.
TEST(Covers, PreviewPictures) {
    const struct {
        uint8_t bookletBinding, booklet, binding, tray, face;
        uint16_t coverTray;
        int front;
        uint16_t picture;
    } cases[] = {
        {0, 0, 2, 2, 2, 257, 1, 11724}, {0, 0, 2, 2, 2, 258, 0, 12160}, {0, 0, 2, 1, 2, 261, 0, 12155},
        {0, 0, 0, 2, 2, 257, 1, 11722}, {0, 0, 1, 1, 2, 258, 1, 11725}, {0, 0, 1, 2, 2, 257, 0, 12153},
        {1, 1, 0, 1, 1, 257, 0, 12153}, {2, 3, 0, 1, 1, 258, 1, 12156},
        {1, 0, 0, 1, 1, 257, 1, 0},
    };
    for (const auto& k : cases) {
        PrivateSettings p{};
        p.bookletBinding = k.bookletBinding, p.booklet = k.booklet, p.bindingSide = k.binding;
        p.outputTray = k.tray, p.faceUpDown_OutputTray = k.face;
        p.tray_FrontCover = k.bookletBinding || k.front ? k.coverTray : 7;
        p.tray_BackCover = k.bookletBinding || k.front ? 7 : k.coverTray;
        EXPECT_EQ(k.picture, CoverPreviewPicture(p, k.front)) << int(k.binding) << " " << int(k.tray);
    }
}

// OK keeps a back cover only where the booklet is not bound.
TEST(Covers, OkDropsTheBackCoverOfABoundBooklet) {
    const struct {
        uint8_t bookletBinding, backCover;
    } cases[] = {{0, 1}, {1, 0}};
    for (const auto& k : cases) {
        PrivateSettings p{};
        p.bookletBinding = k.bookletBinding, p.backCover = 1, p.frontCover = 1;
        StoreCoverDialog(p);
        EXPECT_EQ(k.backCover, p.backCover) << int(k.bookletBinding);
        EXPECT_EQ(1, p.frontCover);
    }
}
