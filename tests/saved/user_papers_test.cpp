// The user-defined paper store over the in-memory spooler: slots kept in
// place, names replaced, the full table, writes refused half-way, the paper
// lists and the forms.
#include "saved/user_papers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/text16.h"
#include "platform/fake_platform.h"
#include "session/model_forms.h"

namespace {

struct Store {
    FakePlatformScope fake;
    FakePrinter& printer = fake.spooler.AddPrinter(u"P");
    PrinterHandle h = nullptr;
    Store() { EXPECT_EQ(1, fake.spooler.OpenPrinter(u"P", kPrinterAllAccess, &h)); }
    int Register(const char16_t* name, uint32_t width, uint32_t length, uint32_t unit = kUserPaperMillimetres) {
        return RegisterPaper(h, nullptr, MakeUserPaper(width, length, unit, name));
    }
    UserPaperNames Names() {
        UserPaperNames n;
        LoadPaperNames(h, &n);
        return n;
    }
};

std::u16string Name(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "Paper %d", i);
    std::u16string s;
    for (int k = 0; text[k]; k++) s += static_cast<char16_t>(text[k]);
    return s;
}

}  // namespace

TEST(UserPapers, RecordSizesInDots) {
    struct Case { uint32_t w, l, unit, wDots, lDots; } cases[] = {
        {2100, 2970, kUserPaperMillimetres, 2480, 3508}, {827, 1169, kUserPaperInches, 2481, 3507},
        {900, 1480, kUserPaperMillimetres, 1063, 1748},
    };
    for (const Case& c : cases) {
        UserPaperRecord r = MakeUserPaper(c.w, c.l, c.unit, u"A name far longer than thirty characters");
        EXPECT_EQ(r.widthDots, c.wDots);
        EXPECT_EQ(r.lengthDots, c.lDots);
        EXPECT_EQ(Text16ToUtf8(r.name), "A name far longer than thirty ");
    }
    EXPECT_EQ(DotsToTenthMillimetres(2480), 2100u);
    EXPECT_EQ(DotsToTenthMillimetres(2481), 2101u);
}

TEST(UserPapers, SameNameReplacesAndHolesAreReused) {
    Store s;
    for (int i = 0; i < 6; i++) EXPECT_EQ(s.Register(Name(i).c_str(), 1000 + i, 2000), i);
    EXPECT_EQ(s.Register(u"Paper 2", 1500, 2500), 2) << "the same name keeps its slot";
    UserPaperNames names = s.Names();
    ASSERT_EQ(DeletePaper(s.h, &names, 3), 1);
    EXPECT_EQ(DeletePaper(s.h, &names, 3), 0);
    EXPECT_EQ(s.printer.Find(u"CustomPaperSize_3"), nullptr);
    EXPECT_EQ(s.Register(u"New", 1200, 2200), 3);
    EXPECT_EQ(s.Register(u"Paper 5", 1300, 2300), 5);
    names = s.Names();
    EXPECT_EQ(CountPapers(&names), 6);
    UserPaperRecord r;
    ASSERT_EQ(ReadPaper(s.h, &names, 2, &r), 1);
    EXPECT_EQ(r.width, 1500u);
    ASSERT_EQ(ReadPaper(s.h, &names, 5, &r), 1);
    EXPECT_EQ(r.length, 2300u);
    EXPECT_EQ(ReadPaper(s.h, &names, 6, &r), 0);

    UserPaper list[kUserPaperSlots];
    ASSERT_EQ(EnumeratePapers(s.h, list), 6);
    EXPECT_EQ(list[3].id, 1003u);
    EXPECT_EQ(Text16ToUtf8(list[3].name), "New");
    EXPECT_EQ(list[2].width, 1500u);
}

TEST(UserPapers, FullTableRefusesANewNameOnly) {
    Store s;
    for (int i = 0; i < kUserPaperSlots; i++) ASSERT_EQ(s.Register(Name(i).c_str(), 1000, 2000), i);
    EXPECT_EQ(s.Register(u"One too many", 1000, 2000), -1);
    EXPECT_EQ(s.Register(u"Paper 98", 1100, 2000), 98);
    UserPaperNames names = s.Names();
    EXPECT_EQ(CountPapers(&names), kUserPaperSlots);
}

// A refused write leaves names and records agreeing: no name without its
// record, no record left behind for a name that was never stored.
TEST(UserPapers, RefusedWritesLeaveNoHalfPaper) {
    struct Case { const char16_t* refused; } cases[] = {{u"CustomPaperSize_1"}, {u"CustomPaperSizeNames"}};
    for (const Case& c : cases) {
        Store s;
        ASSERT_EQ(s.Register(u"First", 1000, 2000), 0);
        s.printer.setValueError[c.refused] = kErrAccessDenied;
        UserPaperNames names = s.Names();
        EXPECT_EQ(RegisterPaper(s.h, &names, MakeUserPaper(1100, 2100, 0, u"Second")), -1);
        EXPECT_EQ(names.slot[1][0], 0) << "the caller's table unchanged";
        EXPECT_EQ(s.printer.Find(u"CustomPaperSize_1"), nullptr);
        names = s.Names();
        EXPECT_EQ(CountPapers(&names), 1);
    }
    Store s;
    EXPECT_EQ(s.Register(u"", 1000, 2000), -1);
}

FakePrinter* g_formPrinter = nullptr;
int UpdateForm(PrinterHandle, const FormInfo& form) {
    for (FormInfo& f : g_formPrinter->forms)
        if (f.name == form.name) return f = form, 1;
    return 0;
}

TEST(UserPapers, FormsAddedOrUpdated) {
    Store s;
    g_formPrinter = &s.printer;
    ASSERT_EQ(s.Register(u"Card", 1000, 1480), 0);
    ASSERT_EQ(s.Register(u"Letter wide", 850, 1100, kUserPaperInches), 1);
    EXPECT_EQ(RegisterUserPaperForms(s.h, UpdateForm), 0);
    ASSERT_EQ(s.printer.forms.size(), 2u);
    EXPECT_EQ(s.printer.forms[0].width, 100000);
    EXPECT_EQ(s.printer.forms[0].bottom, 148000);
    EXPECT_EQ(s.printer.forms[1].width, 215900);
    EXPECT_EQ(s.printer.forms[1].flags, kFormFlagPrinter);
    ASSERT_EQ(s.Register(u"Card", 1100, 1480), 0);
    EXPECT_EQ(RegisterUserPaperForms(s.h, UpdateForm), 0);
    ASSERT_EQ(s.printer.forms.size(), 2u);
    EXPECT_EQ(s.printer.forms[0].width, 110000) << "an existing form takes the new size";
}
