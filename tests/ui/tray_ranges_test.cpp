// The tray-per-page lists as the dialog handles them: typed texts, marks for
// overlapping lists, the lists after one is left, and the check on OK, with
// the form stored into the settings and read back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "ui/tray_ranges.h"

namespace {

std::u16string U(const char* s) { return std::u16string(s, s + std::char_traits<char>::length(s)); }

TEST(TrayRanges, TypedListsLeftAndCheckedOnOk) {
    struct Row {
        const char* typed[kTrayListCount];
        int leave;  // the list left, -1 none
        const char* marks;  // "1" per list sharing a page before leaving
        const char* shown[kTrayListCount];
        int repeat, length, ok, highest;
    } rows[] = {
        {{"7-5", "", "", ""}, 0, "0000", {"5-7", "", "", ""}, 0, 0, 1, 7},
        {{"", "2-4", "3", ""}, 2, "0110", {"", "2,4", "3", ""}, 0, 0, 1, 4},
        {{"1-10", "", "4-5", "9"}, 2, "1011", {"1-3,6-10", "", "4-5", "9"}, 0, 0, 1, 10},
        {{"003,0012", "", "", ""}, 0, "0000", {"3,12", "", "", ""}, 1, 8, 0, 12},
        {{"1-12", "", "", ""}, -1, "0000", {"1-12", "", "", ""}, 1, 12, 1, 12},
        {{"2", "", "", ""}, -1, "0000", {"2", "", "", ""}, 1, 0, 0, 2},
        {{"", "", "", ""}, -1, "0000", {"", "", "", ""}, 1, 0, 0, 0},  // repeat without a length
        {{"123456", "", "", ""}, 0, "0000", {"9999", "", "", ""}, 1, 9999, 1, 9999},
        {{"5-,,-3,1x2", "", "", ""}, 0, "0000", {"5,3,12", "", "", ""}, 0, 0, 1, 12},
        {{"0,0-0", "", "", ""}, 0, "0000", {"", "", "", ""}, 1, 1, 1, 0},
    };
    auto form = std::make_unique<TrayPerPageForm>();
    auto settings = std::make_unique<PrivateSettings>();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed[0]);
        *form = {};
        for (int i = 0; i < kTrayListCount; i++) {
            std::u16string t = U(r.typed[i]);
            KeepPageListChars(t.data());
            t.resize(std::char_traits<char16_t>::length(t.c_str()));
            std::copy(t.begin(), t.end(), form->list[i]);
        }
        int marks[kTrayListCount];
        MarkOverlappingLists(*form, marks);
        std::string seen;
        for (int m : marks) seen += char('0' + m);
        EXPECT_EQ(r.marks, seen);
        LeaveTrayList(*form, r.leave);
        form->repeat = r.repeat;
        form->repeatLength = r.length;
        int highest = -1;
        EXPECT_EQ(r.ok, CheckTrayPerPage(*form, &highest));
        EXPECT_EQ(r.highest, highest);
        std::memset(settings.get(), 0x5A, sizeof *settings);
        StoreTrayPerPage(*form, *settings);
        *form = {};
        LoadTrayPerPage(*settings, *form);
        for (int i = 0; i < kTrayListCount; i++) EXPECT_EQ(U(r.shown[i]), std::u16string(form->list[i])) << i;
        EXPECT_EQ(r.repeat, form->repeat);
        EXPECT_EQ(r.length, form->repeatLength);
    }
}

TEST(TrayRanges, PackedTwoCodesPerByteLowHalfFirst) {
    uint8_t field[kPackedListBytes];
    std::memset(field, 0xFF, sizeof field);
    PackPageList(u"3,1-2", field);
    EXPECT_EQ(0xA3, field[0]);
    EXPECT_EQ(0xB1, field[1]);
    EXPECT_EQ(0x02, field[2]);
    for (int i = 3; i < kPackedListBytes; i++) ASSERT_EQ(0, field[i]) << i;
    // A full field of 1000 characters has no end code and still reads whole.
    std::u16string longest(kPageListChars, u'0');
    PackPageList(longest.c_str(), field);
    char16_t text[kPageListChars + 1];
    UnpackPageList(field, text);
    EXPECT_EQ(longest, std::u16string(text));
}

}  // namespace
