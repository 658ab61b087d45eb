// Sub-dialogs opened from the Basic tab of a real sheet under Wine: a button
// opens its dialog over a working copy, a click in it and OK reach the
// settings the sheet writes back, the same click and Cancel leave them; the
// tray-per-page dialog keeps itself open while its pattern is too short.
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
#include <thread>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "platform/platform_win32.h"

namespace {

constexpr DWORD kWaitMs = 90000;
constexpr int kMixedSizes = 30228, kMixedSizesButton = 30229, kRotateLarger = 31818;
constexpr int kOriginalSize = 30223, kCustomWidth = 31711, kCustomWidthRange = 31714, kCustomLength = 31716;
constexpr int kTrayPerPageButton = 30239, kTray3List = 31418, kRepeat = 31421, kRepeatLength = 31422, kRepeatHint = 31424;

BOOL CALLBACK FindWindowWith(HWND w, LPARAM io) {
    auto* found = reinterpret_cast<std::pair<int, HWND>*>(io);
    if (IsWindowVisible(w) && GetDlgItem(w, found->first)) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindowWith(DWORD thread, int control) {
    std::pair<int, HWND> found{control, nullptr};
    for (DWORD start = GetTickCount(); !found.second && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(thread, FindWindowWith, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

void Click(HWND dialog, int id, int check) {
    HWND w = GetDlgItem(dialog, id);
    if (check) SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(w));
}

struct Drive {
    DWORD thread;
    int button;  // IDOK or IDCANCEL in the sub-dialog
    int dialogShown = 0, rotateEnabled = 0, dialogClosed = 0;
    int keptOpen = 0;  // the tray dialog refused a short pattern
    wchar_t hint[32] = {};
    wchar_t range[32] = {};  // the custom width's range as shown
};

HWND WaitForPage(DWORD thread, HWND* sheet) {
    HWND page = nullptr;
    for (DWORD start = GetTickCount(); !page && GetTickCount() - start < kWaitMs; Sleep(50)) {
        EnumThreadWindows(thread, FindSheet, reinterpret_cast<LPARAM>(sheet));
        if (*sheet) page = reinterpret_cast<HWND>(SendMessageW(*sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    return page;
}

int WaitClosed(HWND dialog) {
    for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < kWaitMs;) Sleep(50);
    return !IsWindow(dialog);
}

// On the Basic tab: mixed sizes on, its Settings button, "turn larger pages"
// in the dialog, the dialog's button, then the sheet's OK.
void DriveMixedSizes(Drive* d) {
    HWND sheet = nullptr, page = WaitForPage(d->thread, &sheet);
    if (!page) return;
    SendMessageW(GetDlgItem(page, kMixedSizes), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kMixedSizes, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kMixedSizes)));
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kMixedSizesButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kMixedSizesButton)));
    HWND dialog = WaitForWindowWith(d->thread, kRotateLarger);
    if (dialog) {
        d->dialogShown = 1;
        d->rotateEnabled = IsWindowEnabled(GetDlgItem(dialog, kRotateLarger));
        Click(dialog, kRotateLarger, 1);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// Tray per page: pages 1-12 for tray 3, repeat on and a pattern of 8 pages:
// OK is refused with the hint; 12 pages are taken. Then the sheet's OK.
void DriveTrayPerPage(Drive* d) {
    HWND sheet = nullptr, page = WaitForPage(d->thread, &sheet);
    if (!page) return;
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kTrayPerPageButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kTrayPerPageButton)));
    HWND dialog = WaitForWindowWith(d->thread, kTray3List);
    if (dialog) {
        d->dialogShown = 1;
        SetDlgItemTextW(dialog, kTray3List, L"1-12x");
        Click(dialog, kRepeat, 1);
        SetDlgItemTextW(dialog, kRepeatLength, L"8");
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        d->keptOpen = IsWindowVisible(dialog);  // an ended dialog is hidden at once
        GetDlgItemTextW(dialog, kRepeatHint, d->hint, 32);
        SetDlgItemTextW(dialog, kRepeatLength, L"12");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// The custom size chosen as the original size: the dialog opens, a width
// and a length typed in the unit it shows (millimetres or inches) and OK.
void DriveCustomSize(Drive* d) {
    HWND sheet = nullptr, page = WaitForPage(d->thread, &sheet);
    if (!page) return;
    HWND sizes = GetDlgItem(page, kOriginalSize);
    SendMessageW(sizes, CB_SETCURSEL, SendMessageW(sizes, CB_GETCOUNT, 0, 0) - 1, 0);  // the custom size is last
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kOriginalSize, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    HWND dialog = WaitForWindowWith(d->thread, kCustomWidth);
    if (dialog) {
        d->dialogShown = 1;
        GetDlgItemTextW(dialog, kCustomWidthRange, d->range, 32);
        int inches = d->range[1] != L'9';
        SetDlgItemTextW(dialog, kCustomWidth, inches ? L"8.50" : L"250.0");
        SetDlgItemTextW(dialog, kCustomLength, inches ? L"11" : L"300");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

void InstallDemo(const wchar_t* printer) {
    InstallWin32Platform();
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) << GetLastError();
    RemovePrinter(printer);
    ASSERT_TRUE(AddDriverWithFiles(L"KELO ZR-C4500", L"ZR51AUI.dll", {L"ZR51ARC.DLL", L"ZRC4500.RDF"}));
    ASSERT_TRUE(AddPrinterOnPort(printer, L"KELO ZR-C4500", L"FILE:")) << GetLastError();
    ASSERT_TRUE(InitializeThroughDriver(printer, L"KELO ZR-C4500")) << GetLastError();
}

// The printing preferences with the prompt, driven by drive on a second thread.
std::vector<BYTE> RunSheet(const wchar_t* printer, void (*drive)(Drive*), Drive* d) {
    std::vector<BYTE> out(sizeof(DriverDevMode) + 4096, 0);
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printer), &h, nullptr)) return out;
    std::thread driver(drive, d);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(out.data()), nullptr,
                        DM_IN_PROMPT | DM_OUT_BUFFER);
    driver.join();
    ClosePrinter(h);
    return out;
}

TEST(SubDialogSheet, MixedSizeDialogOkChangesCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    const struct {
        int button, rotate;
    } cases[] = {{IDOK, 1}, {IDCANCEL, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), c.button};
        std::vector<BYTE> out = RunSheet(printer, DriveMixedSizes, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.rotateEnabled);
        EXPECT_TRUE(d.dialogClosed);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(1, dm->priv.mixedSizeSupport);  // the page's own change is kept either way
        EXPECT_EQ(c.rotate, dm->priv.rotateLargerPage);
    }
    RemovePrinter(printer);
}

TEST(SubDialogSheet, TrayPerPageRefusesAShortPatternThenStoresTheLists) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    Drive d{GetCurrentThreadId(), IDOK};
    std::vector<BYTE> out = RunSheet(printer, DriveTrayPerPage, &d);
    EXPECT_TRUE(d.dialogShown);
    EXPECT_TRUE(d.keptOpen);
    EXPECT_STREQ(L"(12-)", d.hint);
    EXPECT_TRUE(d.dialogClosed);
    const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
    const uint8_t packed[] = {0xB1, 0x21, 0};  // "1-12", the stray letter dropped as typed
    EXPECT_EQ(0, std::memcmp(packed, dm->priv.tray3_TraySelectPerPage, sizeof packed));
    EXPECT_EQ(1, dm->priv.repeat_traySerectPerPage);
    EXPECT_EQ(12, dm->priv.repeatPageNumber_traySerectPerPage);
    RemovePrinter(printer);
}

TEST(SubDialogSheet, CustomSizeChoiceOpensItsDialogOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveCustomSize, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(256, dm->priv.originalSize);  // the choice itself stays
        const bool inches = std::wstring(d.range) == L"[3.55 - 13.38]";
        EXPECT_TRUE(inches || std::wstring(d.range) == L"[90 - 340]") << d.range;
        // After Cancel the sheet's apply gives the empty custom size its A4 default.
        const int32_t width = button == IDOK ? (inches ? 21590 : 25000) : (inches ? 21006 : 21000);
        const int32_t length = button == IDOK ? (inches ? 27940 : 30000) : (inches ? 29693 : 29700);
        EXPECT_EQ(width, dm->priv.originalWidth_mm_CustomPaper);
        EXPECT_EQ(length, dm->priv.originalLength_mm_CustomPaper);
    }
    RemovePrinter(printer);
}

}  // namespace
