// The Layout tab in a real sheet under Wine: the image position turned on,
// its button, a shift typed in the unit the dialog shows, then the dialog's
// OK or Cancel and the sheet's OK; and four pages a sheet chosen over mixed
// sizes, the question answered Yes and No.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "platform/platform_win32.h"

namespace {

constexpr DWORD kWaitMs = 90000;
constexpr int kMixedSizes = 30228, kPagesPerSheet = 30411;
constexpr int kImagePosition = 30420, kImagePositionButton = 30421, kFrontVertical = 32017, kFrontUnit = 32019;

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

// A message box of the sheet's thread: a window without a tab control that
// has the button asked for.
BOOL CALLBACK FindMessageBox(HWND w, LPARAM io) {
    auto* found = reinterpret_cast<std::pair<int, HWND>*>(io);
    if (IsWindowVisible(w) && GetDlgItem(w, found->first) && !FindWindowExW(w, nullptr, L"SysTabControl32", nullptr)) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

HWND ShowTabWith(HWND sheet, int control) {
    for (int i = 0; i < 8; ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (page && GetDlgItem(page, control)) return page;
    }
    return nullptr;
}

struct Drive {
    DWORD thread;
    int button;  // IDOK or IDCANCEL in the dialog
    int buttonBefore = -1, buttonAfter = -1;  // the dialog button's state around the check box
    int dialogShown = 0, dialogClosed = 0, inches = 0;
    LRESULT shownLayout = -1;  // the pages-per-sheet item shown after the answer
};

HWND WaitForSheet(DWORD thread) {
    HWND sheet = nullptr;
    for (DWORD start = GetTickCount(); !sheet && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
    return sheet;
}

// Mixed sizes on (the Basic tab), then four pages a sheet on the Layout tab:
// the question answered with d->button (IDYES or IDNO).
void DriveLayoutQuestion(Drive* d) {
    HWND sheet = WaitForSheet(d->thread);
    if (!sheet) return;
    if (HWND basic = ShowTabWith(sheet, kMixedSizes)) {
        HWND check = GetDlgItem(basic, kMixedSizes);
        SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(basic, WM_COMMAND, MAKEWPARAM(kMixedSizes, BN_CLICKED), reinterpret_cast<LPARAM>(check));
    }
    if (HWND layout = ShowTabWith(sheet, kPagesPerSheet)) {
        HWND combo = GetDlgItem(layout, kPagesPerSheet);
        for (LRESULT i = 0, n = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < n; ++i)
            if (SendMessageW(combo, CB_GETITEMDATA, i, 0) == 41) SendMessageW(combo, CB_SETCURSEL, i, 0);
        PostMessageW(layout, WM_COMMAND, MAKEWPARAM(kPagesPerSheet, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        std::pair<int, HWND> box{IDYES, nullptr};
        for (DWORD start = GetTickCount(); !box.second && GetTickCount() - start < kWaitMs; Sleep(50))
            EnumThreadWindows(d->thread, FindMessageBox, reinterpret_cast<LPARAM>(&box));
        if (box.second) {
            d->dialogShown = 1;
            PostMessageW(box.second, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            for (DWORD start = GetTickCount(); IsWindow(box.second) && GetTickCount() - start < kWaitMs;) Sleep(50);
            d->dialogClosed = !IsWindow(box.second);
            Sleep(300);
            d->shownLayout = SendMessageW(combo, CB_GETITEMDATA, SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// The Layout tab: the image position on, its dialog, the front's vertical
// shift typed (-12.3 mm or -0.05 in), the dialog's button, the sheet's OK.
void DriveImagePosition(Drive* d) {
    HWND sheet = WaitForSheet(d->thread);
    if (!sheet) return;
    if (HWND page = ShowTabWith(sheet, kImagePosition)) {
        HWND check = GetDlgItem(page, kImagePosition), button = GetDlgItem(page, kImagePositionButton);
        d->buttonBefore = IsWindowEnabled(button) ? 1 : 0;
        SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(kImagePosition, BN_CLICKED), reinterpret_cast<LPARAM>(check));
        d->buttonAfter = IsWindowEnabled(button) ? 1 : 0;
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kImagePositionButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        if (HWND dialog = WaitForWindowWith(d->thread, kFrontVertical)) {
            d->dialogShown = 1;
            wchar_t unit[16] = {};
            GetDlgItemTextW(dialog, kFrontUnit, unit, 16);
            d->inches = std::wstring(unit) == L"in";
            SetDlgItemTextW(dialog, kFrontVertical, d->inches ? L"-0.05" : L"-12.3");
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < kWaitMs;) Sleep(50);
            d->dialogClosed = !IsWindow(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

const wchar_t kPrinter[] = L"KELO ZR-C4500 layout";

void InstallDemo() {
    InstallWin32Platform();
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) << GetLastError();
    RemovePrinter(kPrinter);
    ASSERT_TRUE(AddDriverWithFiles(L"KELO ZR-C4500", L"ZR51AUI.dll", {L"ZR51ARC.DLL", L"ZRC4500.RDF"}));
    ASSERT_TRUE(AddPrinterOnPort(kPrinter, L"KELO ZR-C4500", L"FILE:")) << GetLastError();
    ASSERT_TRUE(StoreModelAsInstalled(kPrinter, L"KELO ZR-C4500"));
}

// The printing preferences with the prompt, driven by drive on a second thread.
std::vector<BYTE> RunSheet(void (*drive)(Drive*), Drive* d) {
    std::vector<BYTE> out(sizeof(DriverDevMode) + 4096, 0);
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(kPrinter), &h, nullptr)) return out;
    std::thread driver(drive, d);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(kPrinter), reinterpret_cast<PDEVMODEW>(out.data()), nullptr,
                        DM_IN_PROMPT | DM_OUT_BUFFER);
    driver.join();
    ClosePrinter(h);
    return out;
}

TEST(LayoutDialogs, FourUpOverMixedSizesAsksYesTakesNoKeeps) {
    InstallDemo();
    for (int button : {IDYES, IDNO}) {
        SCOPED_TRACE(button == IDYES ? "Yes" : "No");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(DriveLayoutQuestion, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        const auto& p = reinterpret_cast<const DriverDevMode*>(out.data())->priv;
        EXPECT_EQ(button == IDYES ? 41 : 0, d.shownLayout);
        EXPECT_EQ(button == IDYES ? 41 : 0, p.pluralPagesPerSheet);
        EXPECT_EQ(button == IDYES ? 0 : 1, p.mixedSizeSupport);
    }
    RemovePrinter(kPrinter);
}

TEST(LayoutDialogs, ImagePositionOkStoresBothUnitsCancelKeeps) {
    InstallDemo();
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(DriveImagePosition, &d);
        EXPECT_EQ(0, d.buttonBefore);
        EXPECT_EQ(1, d.buttonAfter);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        const auto& p = reinterpret_cast<const DriverDevMode*>(out.data())->priv;
        EXPECT_EQ(1, p.imagePositioning);
        const bool ok = button == IDOK;
        EXPECT_EQ(ok ? (d.inches ? -126 : -1230) : 0, p.verticalPosition_mm_FrontSide);
        EXPECT_EQ(ok ? (d.inches ? -5 : -47) : 0, p.verticalPosition_inch_FrontSide);
        EXPECT_EQ(0, p.horizontalPosition_mm_BackSide);
    }
    RemovePrinter(kPrinter);
}

}  // namespace
