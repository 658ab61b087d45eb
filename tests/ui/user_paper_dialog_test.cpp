// The user-defined paper dialog's portable half: its unit and limits, the
// range texts, stored papers shown in inches, typed papers, and fetch,
// import and export over the in-memory spooler.
#include "ui/user_paper_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/text16.h"
#include "model/rdf.h"
#include "platform/fake_platform.h"
#include "snmp/printer_config.h"

namespace {

struct Printer {
    FakePlatformScope fake;
    PrinterHandle a = nullptr, b = nullptr;
    Printer() {
        fake.spooler.AddPrinter(u"A");
        fake.spooler.AddPrinter(u"B");
        EXPECT_EQ(1, fake.spooler.OpenPrinter(u"A", kPrinterAllAccess, &a));
        EXPECT_EQ(1, fake.spooler.OpenPrinter(u"B", kPrinterAllAccess, &b));
    }
};

std::string Range(const UserPaperUnit& u, int length) {
    char16_t text[48];
    UserPaperRangeText(u, length, text, 48);
    return Text16ToUtf8(text);
}

}  // namespace

TEST(UserPaperDialog, UnitsLimitsAndRanges) {
    auto model = std::make_unique<RdfInfo>();
    std::memset(model.get(), 0, sizeof *model);
    model->MinPaperSizeMM[0] = 1000, model->MinPaperSizeMM[1] = 1482;
    model->MaxPaperSizeMM[0] = 3300, model->MaxPaperSizeMM[1] = 4877;
    model->MinPaperSizeINCH[0] = 3940, model->MinPaperSizeINCH[1] = 5839;
    model->MaxPaperSizeINCH[0] = 12999, model->MaxPaperSizeINCH[1] = 19200;
    struct Case { uint32_t unitOfLength; bool withModel; const char* width; const char* length; int decimals; } cases[] = {
        {0, false, "[90 - 340]", "[148 - 550]", 1},
        {0, true, "[100 - 330]", "[148 - 487]", 1},
        {1, true, "[3.94 - 12.99]", "[5.83 - 19.20]", 2},
        {7, false, "[90 - 340]", "[148 - 550]", 1},
    };
    for (const Case& c : cases) {
        const UserPaperUnit u = UserPaperUnitFor(c.unitOfLength, c.withModel ? model.get() : nullptr);
        EXPECT_EQ(Range(u, 0), c.width) << c.unitOfLength << c.withModel;
        EXPECT_EQ(Range(u, 1), c.length) << c.unitOfLength << c.withModel;
        EXPECT_EQ(u.decimals, c.decimals);
    }
}

TEST(UserPaperDialog, StoredPapersShownInTheDialogUnit) {
    const UserPaperUnit mm = UserPaperUnitFor(0, nullptr), inch = UserPaperUnitFor(1, nullptr);
    struct Case { UserPaperRecord r; const UserPaperUnit* u; int32_t width, length; } cases[] = {
        {MakeUserPaper(900, 1480, kUserPaperMillimetres, u"x"), &inch, 355, 583},
        {MakeUserPaper(2100, 2970, kUserPaperMillimetres, u"x"), &mm, 2100, 2970},
        {MakeUserPaper(850, 1100, kUserPaperInches, u"x"), &mm, 2159, 2794},
    };
    for (const Case& c : cases) {
        int32_t w = 0, l = 0;
        ShownUserPaperSize(*c.u, c.r, &w, &l);
        EXPECT_EQ(w, c.width) << c.r.width;
        EXPECT_EQ(l, c.length) << c.r.width;
    }
}

TEST(UserPaperDialog, TypedPapers) {
    const UserPaperUnit mm = UserPaperUnitFor(0, nullptr), inch = UserPaperUnitFor(1, nullptr);
    struct Case { const UserPaperUnit* u; const char16_t *name, *width, *length; int ok; uint32_t w, l, unit; } cases[] = {
        {&mm, u"Card", u"100,5", u"148", 1, 1005, 1480, kUserPaperMillimetres},
        {&inch, u"Wide", u"8,5", u"14", 1, 850, 1400, kUserPaperInches},
        {&mm, u"Small", u"10", u"600", 1, 900, 5500, kUserPaperMillimetres},
        {&mm, u"", u"100", u"200", 0, 0, 0, 0},
        {&mm, u"Bad", u"1x0", u"200", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        UserPaperRecord r = {};
        EXPECT_EQ(TypedUserPaper(*c.u, c.name, c.width, c.length, u",", &r), c.ok) << Text16ToUtf8(c.name);
        if (!c.ok) continue;
        EXPECT_EQ((std::vector<uint32_t>{r.width, r.length, r.unit}), (std::vector<uint32_t>{c.w, c.l, c.unit}));
    }
}

// Two papers exported from one printer are 300 bytes and come back on
// another with their sizes and units.
TEST(UserPaperDialog, ExportThenImportElsewhere) {
    Printer p;
    UserPaperNames names;
    LoadPaperNames(p.a, &names);
    ASSERT_EQ(RegisterPaper(p.a, &names, MakeUserPaper(1005, 1480, kUserPaperMillimetres, u"Card")), 0);
    ASSERT_EQ(RegisterPaper(p.a, &names, MakeUserPaper(850, 1400, kUserPaperInches, u"Wide")), 1);
    const int slots[] = {1, 0};
    std::vector<uint8_t> file;
    ASSERT_EQ(ExportUserPapers(p.a, &names, slots, 2, kLatin1Names, &file), 2);
    ASSERT_EQ(file.size(), 300u);
    EXPECT_EQ(std::string(file.begin() + 80, file.begin() + 82), "02");

    UserPaperNames other;
    LoadPaperNames(p.b, &other);
    int got[kUserPaperSlots] = {};
    ASSERT_EQ(ImportUserPapers(p.b, &other, file.data(), file.size(), kLatin1Names, got), 2);
    UserPaperRecord r;
    ASSERT_EQ(ReadPaper(p.b, &other, got[0], &r), 1);
    EXPECT_EQ((std::vector<uint32_t>{r.width, r.length, r.unit}), (std::vector<uint32_t>{850, 1400, kUserPaperInches}));
    ASSERT_EQ(ReadPaper(p.b, &other, got[1], &r), 1);
    EXPECT_EQ(Text16ToUtf8(r.name), "Card");

    file[40] = 'X';
    EXPECT_EQ(ImportUserPapers(p.b, &other, file.data(), file.size(), kLatin1Names, got), -1);
}

TEST(UserPaperDialog, FetchedPapersRegistered) {
    Printer p;
    RegisteredPaperSize fetched[4] = {};
    const struct { int32_t w, l; const char16_t* name; } rows[] = {
        {2100, 2970, u"Office A4"}, {0, 2970, u"Broken"}, {1000, 1480, u"Office A4"}, {1200, 1800, u"Photo"}};
    for (int i = 0; i < 4; i++) {
        fetched[i].width = rows[i].w, fetched[i].length = rows[i].l;
        Text16Copy(fetched[i].name, 64, rows[i].name);
    }
    UserPaperNames names;
    LoadPaperNames(p.a, &names);
    EXPECT_EQ(RegisterFetchedPapers(p.a, &names, fetched, 4), 3);
    EXPECT_EQ(CountPapers(&names), 2);
    UserPaperRecord r;
    ASSERT_EQ(ReadPaper(p.a, &names, 0, &r), 1);
    EXPECT_EQ((std::vector<uint32_t>{r.width, r.widthDots, r.unit}), (std::vector<uint32_t>{1000, 1181, 0}));
}
