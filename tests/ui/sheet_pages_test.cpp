#include <gtest/gtest.h>

#include "ui/sheet_pages.h"

TEST(SheetPages, TemplatesByModeAndModelFields) {
    struct Row {
        int mode;
        uint32_t inkCount;
        char modelColor;
        uint32_t debugTab;
        int count;
        uint16_t first;
        uint16_t last;
    } rows[] = {
        {0, 4, '1', 0, 6, 30200, 30700}, {1, 1, '1', 0, 6, 30203, 30700}, {2, 4, '1', 1, 6, 30200, 30700},
        {3, 4, '1', 0, 1, 30003, 30003}, {3, 4, '3', 0, 1, 30005, 30005}, {3, 4, '3', 7, 2, 30005, 30100},
        {4, 4, '1', 0, 0, 0, 0},         {-1, 4, '1', 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        uint16_t t[kSheetPageRoom] = {};
        int n = SheetPageTemplates(r.mode, r.inkCount, r.modelColor, r.debugTab, t);
        ASSERT_EQ(n, r.count) << "mode " << r.mode;
        if (n == 0) continue;
        EXPECT_EQ(t[0], r.first) << "mode " << r.mode;
        EXPECT_EQ(t[n - 1], r.last) << "mode " << r.mode;
    }
}

TEST(SheetPages, ImageTabTemplateFollowsTwoInks) {
    uint16_t t[kSheetPageRoom] = {};
    ASSERT_EQ(SheetPageTemplates(0, 2, '1', 0, t), 6);
    EXPECT_EQ(t[0], 30200);
    EXPECT_EQ(t[4], 30602);
    ASSERT_EQ(SheetPageTemplates(0, 1, '1', 0, t), 6);
    EXPECT_EQ(t[4], 30600);
}
