// A sub-dialog opened from the Basic tab of a real sheet under Wine: its
// button opens it over a working copy, a click in it and OK reach the
// settings the sheet writes back; the same click and Cancel leave them.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "platform/platform_win32.h"

namespace {

constexpr DWORD kWaitMs = 90000;
constexpr int kMixedSizes = 30228, kMixedSizesButton = 30229, kRotateLarger = 31818;

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
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(w));
}

struct Drive {
    DWORD thread;
    int button;  // IDOK or IDCANCEL in the sub-dialog
    int dialogShown = 0, rotateEnabled = 0, dialogClosed = 0;
};

// On the Basic tab: mixed sizes on, its Settings button, "turn larger pages"
// in the dialog, the dialog's button, then the sheet's OK.
void DriveMixedSizes(Drive* d) {
    HWND sheet = nullptr, page = nullptr;
    for (DWORD start = GetTickCount(); !page && GetTickCount() - start < kWaitMs; Sleep(50)) {
        EnumThreadWindows(d->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
        if (sheet) page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
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
        for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < kWaitMs;) Sleep(50);
        d->dialogClosed = !IsWindow(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, MixedSizeDialogOkChangesCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallWin32Platform();
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) << GetLastError();
    RemovePrinter(printer);
    ASSERT_TRUE(AddDriverWithFiles(L"KELO ZR-C4500", L"ZR51AUI.dll", {L"ZR51ARC.DLL", L"ZRC4500.RDF"}));
    ASSERT_TRUE(AddPrinterOnPort(printer, L"KELO ZR-C4500", L"FILE:")) << GetLastError();
    ASSERT_TRUE(StoreModelAsInstalled(printer, L"KELO ZR-C4500"));
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer), &h, nullptr));
    const struct {
        int button, rotate;
    } cases[] = {{IDOK, 1}, {IDCANCEL, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button == IDOK ? "OK" : "Cancel");
        std::vector<BYTE> out(sizeof(DriverDevMode) + 4096, 0);
        Drive d{GetCurrentThreadId(), c.button};
        std::thread driver(DriveMixedSizes, &d);
        LONG r = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(out.data()),
                                     nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
        driver.join();
        EXPECT_EQ(IDOK, r);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.rotateEnabled);
        EXPECT_TRUE(d.dialogClosed);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(1, dm->priv.mixedSizeSupport);  // the page's own change is kept either way
        EXPECT_EQ(c.rotate, dm->priv.rotateLargerPage);
    }
    ClosePrinter(h);
    RemovePrinter(printer);
}

}  // namespace
