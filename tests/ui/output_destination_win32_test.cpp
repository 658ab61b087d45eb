// The USB folders on a real file system under Wine: both levels made (and
// made again without complaint), and a fixed disk never taken for a USB drive.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "ui/output_destination_win32.h"

namespace {

TEST(UsbFolders, CreatedTwiceAndNeverOnAFixedDisk) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_TRUE(GetTempPathW(MAX_PATH, temp));
    std::wstring root = std::wstring(temp) + L"zr51usb" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    const auto* r = reinterpret_cast<const char16_t*>(root.c_str());
    for (int pass = 0; pass < 2; ++pass) EXPECT_EQ(1, CreateUsbFolder(r, 3)) << pass;
    std::wstring folder = root + L"KELO_IJ\\KELO_USB_FOLDER_03";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str()));
    EXPECT_EQ(0, UsbFolderExists(r, 3));  // there, but not on a removable FAT drive
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW((root + L"KELO_IJ").c_str());
    RemoveDirectoryW(root.c_str());

    char16_t found[kDrivePathChars] = {};
    ASSERT_EQ(1, FindDriveRoot(DriveNumberOfLetter(u'C'), found));
    EXPECT_EQ(std::u16string(u"C:\\"), std::u16string(found));
    UsbDriveEntry drives[kUsbDriveRoom];
    int count = -1;
    ASSERT_EQ(1, ListUsbDrives(drives, &count));
    for (int i = 0; i < count; ++i) EXPECT_NE(3, drives[i].number);  // C: is the fixed system disk
}

}  // namespace
