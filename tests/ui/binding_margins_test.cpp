// Margin widths in both units, the auto-reduce question and the booklet-
// binding dialog's form: what each choice leaves and what OK writes.
#include <gtest/gtest.h>

#include <vector>

#include "ui/binding_margins.h"

namespace {

TEST(BindingMargins, TypedWidthsInBothUnits) {
    const struct {
        int inches;
        int32_t typed;
        uint16_t mm, inch;
        uint8_t support;
    } cases[] = {
        {1, 20, 5000, 200, 1},  // 2.0 inch: 5080 capped
        {0, 50, 5000, 197, 1},
        {1, 1, 254, 10, 1},     // 0.1 inch
        {0, 1, 100, 4, 1},
        {0, 0, 0, 0, 0},
        {0, 80, 5000, 197, 1},  // beyond the range: 50 mm
        {1, -3, 0, 0, 0},
    };
    for (const auto& k : cases) {
        MarginForm f;
        LoadMarginForm(k.inches, 0, 0, f);
        PrivateSettings p{};
        StoreSideMargin(f, k.typed, 1, p);
        EXPECT_EQ(k.mm, p.width_mm_SideMargin) << k.inches << " " << k.typed;
        EXPECT_EQ(k.inch, p.width_inch_SideMargin) << k.inches << " " << k.typed;
        EXPECT_EQ(k.support, p.sideMarginSupport);
        EXPECT_EQ(1, p.autoReduce_SideMargin);
    }
    // Shown: tenths of an inch or whole millimetres, kept in the range.
    MarginForm f;
    LoadMarginForm(1, 5000, 200, f);
    EXPECT_EQ(20, f.value);
    EXPECT_EQ(20152u, f.unitText);
    LoadMarginForm(0, 1290, 51, f);
    EXPECT_EQ(12, f.value);
    LoadMarginForm(0, 65000, 0, f);
    EXPECT_EQ(50, f.value);
}

TEST(BindingMargins, AutoReduceAsksOnlyWithZoom) {
    PrivateSettings p{};
    uint32_t parts[kAutoReducePartRoom];
    EXPECT_EQ(0, AutoReduceQuestion(p, parts));
    p.zoomSupport = 1;
    int n = AutoReduceQuestion(p, parts);
    ASSERT_GT(n, 0);
    EXPECT_EQ(20303u, parts[0]);  // the question names auto-reduce
}

TEST(BookletBindingForm, ChoicesAndOk) {
    PrivateSettings p{};
    p.booklet = 1;
    p.bookletBinding = 2;
    p.coverSupport = 1;
    p.width_mm_CenterMargin = 1000;
    p.autoReduce_CenterMargin = 1;
    p.printCoverSeparately_BookletBinding = 1;
    p.storeBookletExceptCover = 1;
    BookletBindingForm f;
    LoadBookletBindingForm(p, 0, f);
    EXPECT_EQ(20151u, f.margin.unitText);  // the centre margin's own unit words
    EXPECT_EQ(1, CoverTrayEnabled(f));
    ChooseSheetsPerBook(f, 5);  // a count prints the cover with the book
    EXPECT_EQ(0, f.printCoverSeparately);
    EXPECT_EQ(0, CoverTrayEnabled(f));
    ChooseSheetsPerBook(f, 0);
    ChooseCoverPrinting(f, 1);
    ChooseSeparateBooks(f, 1);  // the cover goes with the book
    EXPECT_EQ(0, f.printCoverSeparately);
    EXPECT_EQ(0, StoreExceptCoverEnabled(f));
    StoreBookletBindingForm(f, 12, p);
    EXPECT_EQ(255, p.separateBooks_BookletBinding);
    EXPECT_EQ(15, p.sheets_BookletBinding);
    EXPECT_EQ(0, p.coverSupport);
    EXPECT_EQ(0, p.storeBookletExceptCover);
    EXPECT_EQ(1200, p.width_mm_CenterMargin);
    EXPECT_EQ(1, p.centerMargin_BookletBinding);

    ChooseSheetsPerBook(f, 15);
    ChooseCoverPrinting(f, 2);  // printed separately: one book again, no sheets a book
    EXPECT_EQ(0, f.separateBooks);
    EXPECT_EQ(0, f.sheetsPerBook);
    StoreBookletBindingForm(f, 0, p);
    EXPECT_EQ(0, p.separateBooks_BookletBinding);
    EXPECT_EQ(2, p.printCoverSeparately_BookletBinding);
    EXPECT_EQ(0, p.centerMargin_BookletBinding);

    // Without a booklet layout the centre margin is cleared and stays so.
    p.booklet = 0;
    p.width_inch_CenterMargin = 30;
    LoadBookletBindingForm(p, 1, f);
    EXPECT_EQ(20153u, f.margin.unitText);
    EXPECT_EQ(0, f.marginEnabled);
    EXPECT_EQ(0, f.margin.value);
    StoreBookletBindingForm(f, 15, p);
    EXPECT_EQ(0, p.width_inch_CenterMargin);
    EXPECT_EQ(0, p.autoReduce_CenterMargin);
}

}  // namespace
