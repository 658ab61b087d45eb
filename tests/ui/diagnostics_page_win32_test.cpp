// The diagnostics page under Wine: the device sheet with "DebugTabEnable"
// shows the starting values, a click and a timing reach the stored
// "DebugSettings" at their offsets on OK, and Cancel stores nothing.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver_setup_win32.h"
#include "ui/device_sheet_harness_win32.h"

namespace {

constexpr DWORD kWaitMs = 90000;
constexpr int kLogEnable = 30101, kTiming3 = 30131;
const wchar_t kPrinter[] = L"ZR51A Diagnostics Page Test";

struct Drive {
    WPARAM button;
    wchar_t timingShown[8] = {};
};

// The second tab: the log switched on, the third timing typed, then the button.
void DrivePage(void* context, DWORD thread) {
    Drive* d = static_cast<Drive*>(context);
    HWND sheet = WaitForSheet(thread, kWaitMs);
    if (!sheet) return;
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (!page) return;
    GetDlgItemTextW(page, kTiming3, d->timingShown, 8);
    SendDlgItemMessageW(page, kLogEnable, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kLogEnable, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, kLogEnable)));
    SetDlgItemTextW(page, kTiming3, L"12");
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kTiming3, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(page, kTiming3)));
    PostMessageW(sheet, PSM_PRESSBUTTON, d->button, 0);
}

std::vector<BYTE> StoredSettings(HANDLE h) {
    std::vector<BYTE> record(4096);
    DWORD type = 0, size = 0;
    if (GetPrinterDataW(h, const_cast<LPWSTR>(L"DebugSettings"), &type, record.data(), 4096, &size) != ERROR_SUCCESS)
        size = 0;
    record.resize(size);
    return record;
}

uint32_t At(const std::vector<BYTE>& r, size_t offset) {
    uint32_t v = 0;
    std::memcpy(&v, r.data() + offset, 4);
    return v;
}

}  // namespace

TEST(DiagnosticsPageSheet, OkStoresTheRecordCancelStoresNothing) {
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51AUI.dll"), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    RemovePrinter(kPrinter);
    ASSERT_TRUE(AddDriverWithFiles(kPrinter, L"ZR51AUI.dll", {L"ZR51ARC.DLL"})) << GetLastError();
    ASSERT_TRUE(AddPrinterOnPort(kPrinter, kPrinter, L"FILE:")) << GetLastError();
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &h, &all));
    DWORD one = 1;
    SetPrinterDataW(h, const_cast<LPWSTR>(L"DebugTabEnable"), REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);
    for (WPARAM button : {PSBTN_CANCEL, PSBTN_OK}) {
        SCOPED_TRACE(button == PSBTN_OK ? "OK" : "Cancel");
        Drive d{button};
        ASSERT_TRUE(RunDeviceSheet(kPrinter, kPrinter, DrivePage, &d));
        EXPECT_STREQ(d.timingShown, L"7");
        const std::vector<BYTE> stored = StoredSettings(h);
        if (button == PSBTN_CANCEL) {
            EXPECT_TRUE(stored.empty());
            continue;
        }
        ASSERT_EQ(stored.size(), 1612u);
        EXPECT_EQ((std::vector<uint32_t>{At(stored, 0), At(stored, 8), At(stored, 1064), At(stored, 1072), At(stored, 1084)}),
                  (std::vector<uint32_t>{1, 1, 7, 12, 0}));
    }
    ClosePrinter(h);
    RemovePrinter(kPrinter);
}
