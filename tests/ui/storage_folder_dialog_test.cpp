#include <gtest/gtest.h>

#include <memory>

#include "ui/storage_folder_dialog.h"

namespace {

// Folders 0, 2 and 5 present; 2 offered; 7 offered although the printer no
// longer reports it.
std::unique_ptr<PrinterEnvironment> Printer() {
    auto env = std::make_unique<PrinterEnvironment>();
    *env = PrinterEnvironment{};
    for (int f : {0, 2, 5}) env->storageFolderPresent[f] = 1;
    env->storageFolderSelectable[2] = env->storageFolderSelectable[7] = 1;
    return env;
}

TEST(StorageFolders, ListsAreInFolderOrderAndOfferedOnlyWhenPresent) {
    auto env = Printer();
    StorageFolderLists l;
    StorageFolderListsOf(*env, &l);
    ASSERT_EQ(l.presentCount, 3);
    EXPECT_EQ(l.present[0], 0);
    EXPECT_EQ(l.present[2], 5);
    ASSERT_EQ(l.offeredCount, 1);
    EXPECT_EQ(l.offered[0], 2);
}

TEST(StorageFolders, OfferAndWithdraw) {
    struct Case {
        int withdraw, folder, result, selectableAfter;
    } cases[] = {
        {0, 5, 1, 1},     // present, not yet offered
        {0, 2, 0, 1},     // already offered: nothing happens
        {0, 3, 0, 0},     // not present
        {0, -1, 0, -1},   // out of range
        {1, 2, 1, 0},
        {1, 7, 1, 0},     // withdrawn even when no longer present
        {1, 5, 0, 0},
    };
    for (const Case& c : cases) {
        auto env = Printer();
        int r = c.withdraw ? WithdrawStorageFolder(*env, c.folder) : OfferStorageFolder(*env, c.folder);
        EXPECT_EQ(r, c.result) << c.withdraw << " " << c.folder;
        if (c.selectableAfter >= 0) {
            EXPECT_EQ(env->storageFolderSelectable[c.folder], c.selectableAfter) << c.folder;
        }
    }
}

TEST(StorageFolders, DefaultFolderBoxFollowsStorageUse) {
    struct Case {
        uint8_t enabled, state;
        int shownEnabled, shownChecked;
    } cases[] = {{1, 1, 1, 1}, {1, 0, 1, 0}, {2, 1, 0, 0}};
    for (const Case& c : cases) {
        auto env = Printer();
        env->storageEnabled = c.enabled;
        env->storageState = c.state;
        EXPECT_EQ(StorageStateEnabled(*env), c.shownEnabled);
        EXPECT_EQ(StorageStateChecked(*env), c.shownChecked);
    }
}

TEST(StorageFolders, FallbackOffersOnlyTheFirstOfAll) {
    auto env = Printer();
    StorageFoldersFallback(*env);
    StorageFolderLists l;
    StorageFolderListsOf(*env, &l);
    EXPECT_EQ(l.presentCount, kStorageFolderSlots);
    ASSERT_EQ(l.offeredCount, 1);
    EXPECT_EQ(l.offered[0], 0);
}

TEST(StorageFolders, UnnamedFolderShowsItsNumberAndNamesAreCut) {
    auto env = Printer();
    char16_t out[8];
    StorageFolderLabel(*env, 99, out, 8);
    EXPECT_EQ(std::u16string(out), u"100");
    for (int i = 0; i < 254; i++) env->storageFolderName[3][i] = u'a';
    StorageFolderLabel(*env, 3, out, 8);
    EXPECT_EQ(std::u16string(out), u"aaaaaaa");
    StorageFolderLabel(*env, 100, out, 8);
    EXPECT_EQ(out[0], 0);
}

}  // namespace
