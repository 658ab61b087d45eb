// Sub-dialogs opened from the tabs of a real sheet under Wine: a button
// opens its dialog over a working copy, a click in it and OK reach the
// settings the sheet writes back, the same click and Cancel leave them; the
// tray-per-page dialog keeps itself open while its pattern is too short.
// Also the output destination (the printer's folders; a USB drive that is
// not there refuses the apply), the Finishing tab's output tray dialog with
// its face-up question, and a question of the Basic tab, each answered Yes
// and No.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
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
constexpr int kOutputMode = 30244, kOutputModeButton = 30245, kFolderList = 31915, kDriveList = 31911;
constexpr int kBlankCut = 30729, kOutputTray = 30533, kOutputTrayButton = 30534, kFaceUp = 32811, kFaceDown = 32812, kPagesPerSheet = 30411;

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
    int folderShown = 0, driveShown = 0, folders = 0;
    wchar_t folder[64] = {};     // the second folder's name
    wchar_t message[512] = {};   // a message box's text
    int sheetStayed = 0;         // the sheet still open after a refused apply
    int mixedChecked = -1;       // the mixed-sizes box (or the face-up radio) after the answer
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

// A message box of the sheet's thread: a dialog without a tab control that
// has the button asked for.
BOOL CALLBACK FindMessageBox(HWND w, LPARAM io) {
    auto* found = reinterpret_cast<std::pair<int, HWND>*>(io);
    if (IsWindowVisible(w) && GetDlgItem(w, found->first) && !FindWindowExW(w, nullptr, L"SysTabControl32", nullptr)) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMessageBox(DWORD thread, int button) {
    std::pair<int, HWND> found{button, nullptr};
    for (DWORD start = GetTickCount(); !found.second && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(thread, FindMessageBox, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

// A choice of a list by its item data, as the user picks it.
void Choose(HWND page, int combo, LRESULT data, bool post) {
    HWND w = GetDlgItem(page, combo);
    for (LRESULT i = 0, n = SendMessageW(w, CB_GETCOUNT, 0, 0); i < n; ++i)
        if (SendMessageW(w, CB_GETITEMDATA, i, 0) == data) SendMessageW(w, CB_SETCURSEL, i, 0);
    if (post) PostMessageW(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
    else SendMessageW(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
}

HWND ShowTabWith(HWND sheet, int control) {
    for (int i = 0; i < 8; ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (page && GetDlgItem(page, control)) return page;
    }
    return nullptr;
}

// Output to the printer's folders: the mode, its button, the third folder
// of the list and the dialog's button; then the sheet's OK.
void DriveOutputFolder(Drive* d) {
    HWND sheet = nullptr, page = WaitForPage(d->thread, &sheet);
    if (!page) return;
    Choose(page, kOutputMode, 1, false);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kOutputModeButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kOutputModeButton)));
    HWND dialog = WaitForWindowWith(d->thread, kFolderList);
    if (dialog) {
        d->dialogShown = 1;
        d->folderShown = IsWindowVisible(GetDlgItem(dialog, kFolderList));
        d->driveShown = IsWindowVisible(GetDlgItem(dialog, kDriveList));
        d->folders = static_cast<int>(SendDlgItemMessageW(dialog, kFolderList, CB_GETCOUNT, 0, 0));
        SendDlgItemMessageW(dialog, kFolderList, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(d->folder));
        SendDlgItemMessageW(dialog, kFolderList, CB_SETCURSEL, 2, 0);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// Output to a USB drive that this computer does not have: OK shows the
// warning and the sheet stays; then Cancel.
void DriveMissingUsb(Drive* d) {
    HWND sheet = nullptr, page = WaitForPage(d->thread, &sheet);
    if (!page) return;
    Choose(page, kOutputMode, 3, false);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    if (HWND box = WaitForMessageBox(d->thread, IDOK)) {
        GetDlgItemTextW(box, 0xFFFF, d->message, 512);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        WaitClosed(box);
        Sleep(300);
        d->sheetStayed = IsWindow(sheet) && IsWindowVisible(sheet);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// The Finishing tab's output tray: the finisher's upper tray, then face
// down in the dialog and the dialog's button.
void DriveOutputTray(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    HWND page = ShowTabWith(sheet, kOutputTrayButton);
    if (page) {
        Choose(page, kOutputTray, 2, false);
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kOutputTrayButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kOutputTrayButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kFaceDown)) {
            d->dialogShown = 1;
            d->rotateEnabled = IsWindowEnabled(GetDlgItem(dialog, kFaceUp));
            Click(dialog, kFaceDown, 0);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// Skipping blank pages on, then face up in the output tray dialog: the
// question, answered with d->button; the face-up radio as shown after; OK.
void DriveFaceUpQuestion(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND advanced = ShowTabWith(sheet, kBlankCut)) {
        SendMessageW(GetDlgItem(advanced, kBlankCut), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(advanced, WM_COMMAND, MAKEWPARAM(kBlankCut, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(advanced, kBlankCut)));
    }
    HWND page = ShowTabWith(sheet, kOutputTrayButton);
    if (page) {
        Choose(page, kOutputTray, 2, false);
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kOutputTrayButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kOutputTrayButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kFaceDown)) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFaceUp, BN_CLICKED), 0);
            if (HWND box = WaitForMessageBox(d->thread, IDYES)) {
                d->dialogShown = 1;
                GetDlgItemTextW(box, 0xFFFF, d->message, 512);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
                WaitClosed(box);
                Sleep(300);
                d->mixedChecked = SendDlgItemMessageW(dialog, kFaceUp, BM_GETCHECK, 0, 0) == BST_CHECKED;
            }
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// Two pages a sheet on the Layout tab, then mixed sizes on the Basic tab:
// the question, answered with d->button (IDYES or IDNO); the box as shown after.
void DriveMixedQuestion(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND layout = ShowTabWith(sheet, kPagesPerSheet)) Choose(layout, kPagesPerSheet, 21, false);
    HWND page = ShowTabWith(sheet, kMixedSizes);
    if (page) {
        SendMessageW(GetDlgItem(page, kMixedSizes), BM_SETCHECK, BST_CHECKED, 0);
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kMixedSizes, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kMixedSizes)));
        if (HWND box = WaitForMessageBox(d->thread, IDYES)) {
            d->dialogShown = 1;
            GetDlgItemTextW(box, 0xFFFF, d->message, 512);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(box);
            Sleep(300);
            d->mixedChecked = IsDlgButtonChecked(page, kMixedSizes) == BST_CHECKED;
        }
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

// The stored environment changed as the printer would report it.
void StoreEnvironment(const wchar_t* printer, void (*change)(PrinterEnvironment&)) {
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer), &h, &all));
    auto env = std::make_unique<PrinterEnvironment>();
    DWORD type = 0, size = 0;
    ASSERT_EQ(0u, GetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), &type, reinterpret_cast<BYTE*>(env.get()),
                                  sizeof *env, &size));
    change(*env);
    EXPECT_EQ(0u, SetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), REG_BINARY, reinterpret_cast<BYTE*>(env.get()),
                                  sizeof *env));
    ClosePrinter(h);
}

TEST(SubDialogSheet, OutputFolderDialogOkStoresTheFolderCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    // Folders 2 and 5 besides the ones the model has, and the default folder.
    StoreEnvironment(printer, [](PrinterEnvironment& env) {
        std::memcpy(env.storageFolderName[1], u"Scans", 12);
        std::memcpy(env.storageFolderName[4], u"Reports", 16);
        env.storageFolderSelectable[1] = env.storageFolderSelectable[4] = 1;
        env.storageState = 1;
    });
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveOutputFolder, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.folderShown);
        EXPECT_FALSE(d.driveShown);
        EXPECT_EQ(4, d.folders);  // the model's folder 1, the two, the printer's default
        EXPECT_STREQ(L"Reports", d.folder);
        EXPECT_TRUE(d.dialogClosed);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(1, dm->priv.outputMode);
        EXPECT_EQ(button == IDOK ? 5 : 1, dm->priv.destinationFolder_ToSave);
    }
    RemovePrinter(printer);
}

TEST(SubDialogSheet, MissingUsbDriveRefusesTheApply) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    Drive d{GetCurrentThreadId(), IDOK};
    std::vector<BYTE> out = RunSheet(printer, DriveMissingUsb, &d);
    EXPECT_NE(std::wstring::npos, std::wstring(d.message).find(L"USB drive")) << d.message;
    EXPECT_TRUE(d.sheetStayed);
    const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
    EXPECT_EQ(0, dm->pub.dmSize);  // nothing written back: the apply was refused, the sheet cancelled
    RemovePrinter(printer);
}

TEST(SubDialogSheet, OutputTrayDialogOkTakesFaceDownCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    // A finisher, whose upper tray delivers face up or face down.
    StoreEnvironment(printer, [](PrinterEnvironment& env) { env.outputUnit_Option = 25; });
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveOutputTray, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.rotateEnabled);  // face up is offered
        EXPECT_TRUE(d.dialogClosed);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(2, dm->priv.outputTray);
        EXPECT_EQ(button == IDOK ? 2 : 1, dm->priv.faceUpDown_OutputTray);
    }
    RemovePrinter(printer);
}

TEST(SubDialogSheet, MixedSizesOverTwoUpAsksYesSwitchesItOffNoKeepsIt) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int button : {IDYES, IDNO}) {
        SCOPED_TRACE(button == IDYES ? "Yes" : "No");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveMixedQuestion, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        EXPECT_NE(std::wstring::npos, std::wstring(d.message).find(L"Settings that are on now:")) << d.message;
        EXPECT_EQ(button == IDYES ? 1 : 0, d.mixedChecked);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(button == IDYES ? 1 : 0, dm->priv.mixedSizeSupport);
        EXPECT_EQ(button == IDYES ? 0 : 21, dm->priv.pluralPagesPerSheet);
    }
    RemovePrinter(printer);
}

TEST(SubDialogSheet, FaceUpOverSkippedBlankPagesAsksYesTakesItNoKeepsFaceDown) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    StoreEnvironment(printer, [](PrinterEnvironment& env) { env.outputUnit_Option = 25; });
    for (int button : {IDYES, IDNO}) {
        SCOPED_TRACE(button == IDYES ? "Yes" : "No");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveFaceUpQuestion, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        EXPECT_NE(std::wstring::npos, std::wstring(d.message).find(L"Skip blank pages\n")) << d.message;  // one part a line
        EXPECT_EQ(button == IDYES ? 1 : 0, d.mixedChecked);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(button == IDYES ? 1 : 2, dm->priv.faceUpDown_OutputTray);
        EXPECT_EQ(button == IDYES ? 0 : 1, dm->priv.blankPaperCutDown);
    }
    RemovePrinter(printer);
}


// The Layout tab: the image position on (its button follows), its dialog,
// the front's vertical shift typed in the unit shown (-12.3 mm or -0.05 in),
// the dialog's button, the sheet's OK.
void DriveImagePosition(Drive* d) {
    constexpr int kImagePosition = 30420, kButton = 30421, kFrontVertical = 32017, kFrontUnit = 32019;
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND page = ShowTabWith(sheet, kImagePosition)) {
        d->rotateEnabled = IsWindowEnabled(GetDlgItem(page, kButton)) ? 1 : 0;
        Click(page, kImagePosition, 1);
        d->mixedChecked = IsWindowEnabled(GetDlgItem(page, kButton)) ? 1 : 0;
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, kButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kFrontVertical)) {
            d->dialogShown = 1;
            GetDlgItemTextW(dialog, kFrontUnit, d->range, 32);
            SetDlgItemTextW(dialog, kFrontVertical, std::wstring(d->range) == L"in" ? L"-0.05" : L"-12.3");
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, ImagePositionOkStoresBothUnitsCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveImagePosition, &d);
        EXPECT_EQ(0, d.rotateEnabled);  // the button before and after the check box
        EXPECT_EQ(1, d.mixedChecked);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        const auto& p = reinterpret_cast<const DriverDevMode*>(out.data())->priv;
        const bool inches = std::wstring(d.range) == L"in", ok = button == IDOK;
        EXPECT_EQ(1, p.imagePositioning);
        EXPECT_EQ(ok ? (inches ? -126 : -1230) : 0, p.verticalPosition_mm_FrontSide);
        EXPECT_EQ(ok ? (inches ? -5 : -47) : 0, p.verticalPosition_inch_FrontSide);
    }
    RemovePrinter(printer);
}

// The Finishing tab's fold and slip-sheet dialogs: the feature on the tab,
// its button, one choice in the dialog (the fold printed outside, slip sheets
// printed on both sides) and the dialog's button; then the sheet's OK.
constexpr int kFold = 30519, kFoldButton = 30520, kFoldOutside = 32713;
constexpr int kSlipSheet = 30528, kSlipSheetButton = 30529, kSlipSheetPrint = 32313;

void DriveFinishingDialog(Drive* d, int feature, int button, int control) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND page = ShowTabWith(sheet, button)) {
        if (feature == kFold) Choose(page, kFold, 1, false);
        else Click(page, feature, 1);
        d->rotateEnabled = IsWindowEnabled(GetDlgItem(page, button));
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
        if (HWND dialog = WaitForWindowWith(d->thread, control)) {
            d->dialogShown = 1;
            if (control == kFoldOutside) {
                d->mixedChecked = IsWindowEnabled(GetDlgItem(dialog, control));
                Click(dialog, control, 1);
            } else {
                d->mixedChecked = static_cast<int>(SendDlgItemMessageW(dialog, control, CB_GETCOUNT, 0, 0));
                Choose(dialog, control, 2, false);
            }
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}
void DriveFold(Drive* d) { DriveFinishingDialog(d, kFold, kFoldButton, kFoldOutside); }
void DriveSlipSheets(Drive* d) { DriveFinishingDialog(d, kSlipSheet, kSlipSheetButton, kSlipSheetPrint); }

TEST(SubDialogSheet, FoldAndSlipSheetDialogsOkStoreCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    StoreEnvironment(printer, [](PrinterEnvironment& env) {
        env.outputUnit_Option = 25;  // the finisher with its booklet and fold units
        env.outputSubOption = 1;
        env.foldUnit_Option = 1;
    });
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive fold{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveFold, &fold);
        EXPECT_TRUE(fold.dialogShown && fold.dialogClosed);
        EXPECT_EQ(1, fold.rotateEnabled);  // the button with a fold chosen
        EXPECT_EQ(1, fold.mixedChecked);   // the direction of a half fold
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(1, dm->priv.fold);
        EXPECT_EQ(button == IDOK, dm->priv.direction_Fold == 2);

        Drive slip{GetCurrentThreadId(), button};
        out = RunSheet(printer, DriveSlipSheets, &slip);
        EXPECT_TRUE(slip.dialogShown && slip.dialogClosed);
        EXPECT_EQ(1, slip.rotateEnabled);
        EXPECT_EQ(3, slip.mixedChecked);  // none, one side, both sides
        dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(1, dm->priv.slipSheet);
        EXPECT_EQ(button == IDOK ? 2 : 0, dm->priv.number_SlipSheet);
    }
    RemovePrinter(printer);
}

// The binding margin: its button on the Finishing tab, a width typed in the
// shown unit (2.0 inch or 20 mm), the dialog's button; then the sheet's OK.
constexpr int kSideMarginButton = 30512, kSideMarginEdit = 32613, kSideMarginUnit = 32615;

void DriveSideMargin(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND page = ShowTabWith(sheet, kSideMarginButton)) {
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kSideMarginButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kSideMarginButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kSideMarginEdit)) {
            d->dialogShown = 1;
            GetDlgItemTextW(dialog, kSideMarginUnit, d->range, 32);
            bool inches = std::wstring(d->range) == L"Inches";
            SetDlgItemTextW(dialog, kSideMarginEdit, inches ? L"2" : L"20");  // EN_CHANGE moves the up-down
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, BindingMarginDialogOkStoresBothUnitsCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveSideMargin, &d);
        EXPECT_TRUE(d.dialogShown && d.dialogClosed);
        const bool inches = std::wstring(d.range) == L"Inches";
        EXPECT_TRUE(inches || std::wstring(d.range) == L"Millimetres") << d.range;
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        // 2.0 inch: 200 and 5080 capped at 5000; 20 mm: 2000 and 79.
        EXPECT_EQ(button == IDOK ? (inches ? 5000 : 2000) : 0, dm->priv.width_mm_SideMargin);
        EXPECT_EQ(button == IDOK ? (inches ? 200 : 79) : 0, dm->priv.width_inch_SideMargin);
        EXPECT_EQ(button == IDOK ? 1 : 0, dm->priv.sideMarginSupport);
    }
    RemovePrinter(printer);
}

// Booklet binding: its button on the Finishing tab, separate books, the
// dialog's button; then the sheet's OK. Separate books print the cover with
// the book, so the covers go.
constexpr int kBookletBindingButton = 30523, kSeparateBooks = 32512, kCoverWithBook = 32524;

void DriveBookletBinding(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND page = ShowTabWith(sheet, kBookletBindingButton)) {
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kBookletBindingButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kBookletBindingButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kSeparateBooks)) {
            d->dialogShown = 1;
            Click(dialog, kSeparateBooks, 1);
            d->mixedChecked = IsDlgButtonChecked(dialog, kCoverWithBook) == BST_CHECKED;
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, BookletBindingDialogOkStoresSeparateBooksCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveBookletBinding, &d);
        EXPECT_TRUE(d.dialogShown && d.dialogClosed);
        EXPECT_EQ(1, d.mixedChecked);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(button == IDOK ? 255 : 0, dm->priv.separateBooks_BookletBinding);
        EXPECT_EQ(0, dm->priv.printCoverSeparately_BookletBinding);
    }
    RemovePrinter(printer);
}

// Covers: the covers box and its button on the Finishing tab, a front cover
// from tray 1, the dialog's button; then the sheet's OK.
constexpr int kCovers = 30530, kCoversButton = 30531, kFrontCover = 32410, kFrontCoverTray = 32412;

void DriveCovers(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND page = ShowTabWith(sheet, kCoversButton)) {
        Click(page, kCovers, 1);
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kCoversButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kCoversButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kFrontCoverTray)) {
            d->dialogShown = 1;
            d->rotateEnabled = IsWindowEnabled(GetDlgItem(dialog, kFrontCoverTray));
            Click(dialog, kFrontCover, 1);
            d->mixedChecked = IsWindowEnabled(GetDlgItem(dialog, kFrontCoverTray));
            Choose(dialog, kFrontCoverTray, 258, false);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, CoverDialogOkStoresTheFrontCoverCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveCovers, &d);
        EXPECT_TRUE(d.dialogShown && d.dialogClosed);
        EXPECT_EQ(0, d.rotateEnabled);  // the tray waits for its cover
        EXPECT_EQ(1, d.mixedChecked);
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(1, dm->priv.coverSupport);
        EXPECT_EQ(button == IDOK ? 1 : 0, dm->priv.frontCover);
        EXPECT_EQ(button == IDOK, dm->priv.tray_FrontCover == 258);
    }
    RemovePrinter(printer);
}

// Mail making on a printer with the envelope unit: its button, the inserts
// box cleared, the dialog's button; then the sheet's OK. Without inserts a
// one-sided envelope is printed on both sides.
constexpr int kMailMakingButton = 30549, kInserts = 32920, kInsertTray = 32924;

void DriveMailMaking(Drive* d) {
    HWND sheet = nullptr;
    if (!WaitForPage(d->thread, &sheet)) return;
    if (HWND page = ShowTabWith(sheet, kMailMakingButton)) {
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kMailMakingButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kMailMakingButton)));
        if (HWND dialog = WaitForWindowWith(d->thread, kInserts)) {
            d->dialogShown = 1;
            SendDlgItemMessageW(dialog, kInserts, BM_SETCHECK, BST_UNCHECKED, 0);
            Click(dialog, kInserts, 0);
            d->mixedChecked = IsWindowEnabled(GetDlgItem(dialog, kInsertTray));
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), 0);
            d->dialogClosed = WaitClosed(dialog);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, MailMakingDialogOkClearsTheInsertsCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    StoreEnvironment(printer, [](PrinterEnvironment& env) { env.outputUnit_Option = 23; });
    for (int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Drive d{GetCurrentThreadId(), button};
        std::vector<BYTE> out = RunSheet(printer, DriveMailMaking, &d);
        EXPECT_TRUE(d.dialogShown && d.dialogClosed);
        EXPECT_EQ(0, d.mixedChecked);  // the insert controls go with the box
        const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
        EXPECT_EQ(button == IDOK ? 0 : 1, dm->priv.insert_MailMaking);
        EXPECT_NE(button == IDOK ? 1 : -1, dm->priv.duplexType_Envelope_MailMaking);
    }
    RemovePrinter(printer);
}

// Image and Advanced tabs ---------------------------------------------------

constexpr int kImageTab = 4, kAdvancedTab = 5;
constexpr int kDensityButton = 30634, kDensityList = 31110, kProfileButton = 30631, kProfileList = 32211;
constexpr int kPasswordCheck = 30716, kPasswordEdit = 30717, kOwnerEdit = 30711, kJobEdit = 30714, kCommentEdit = 30721;

struct ListDrive {
    DWORD thread;
    int button, list, listIndex;  // the page button, the dialog's list and the entry chosen there
    int ok;                       // IDOK or IDCANCEL
    int dialogShown = 0, dialogClosed = 0;
    int tab = kImageTab;
};

HWND ShowTab(DWORD thread, HWND* sheet, int tab) {
    if (!WaitForPage(thread, sheet)) return nullptr;
    SendMessageW(*sheet, PSM_SETCURSEL, tab, 0);
    return reinterpret_cast<HWND>(SendMessageW(*sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// A tab's button opens its dialog; an entry of its list is chosen and the
// dialog closed with OK or Cancel; then the sheet's OK.
void DriveListDialog(ListDrive* d) {
    HWND sheet = nullptr, page = ShowTab(d->thread, &sheet, d->tab);
    if (!page) return;
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(d->button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, d->button)));
    HWND dialog = WaitForWindowWith(d->thread, d->list);
    if (dialog) {
        d->dialogShown = 1;
        HWND list = GetDlgItem(dialog, d->list);
        SendMessageW(list, CB_SETCURSEL, d->listIndex, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->ok, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// The printing preferences with the prompt, driven by drive on a second
// thread; the settings written back.
template <class D>
PrivateSettings RunDriven(const wchar_t* printer, void (*drive)(D*), D* d) {
    std::vector<BYTE> out(sizeof(DriverDevMode) + 4096, 0);
    HANDLE h = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(printer), &h, nullptr)) {
        std::thread driver(drive, d);
        DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(out.data()), nullptr,
                            DM_IN_PROMPT | DM_OUT_BUFFER);
        driver.join();
        ClosePrinter(h);
    }
    return reinterpret_cast<const DriverDevMode*>(out.data())->priv;
}

TEST(SubDialogSheet, BarcodeDensityOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int ok : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ok == IDOK ? "OK" : "Cancel");
        ListDrive d{GetCurrentThreadId(), kDensityButton, kDensityList, 0, ok};  // the lightest: 12
        PrivateSettings p = RunDriven(printer, DriveListDialog, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        EXPECT_EQ(ok == IDOK ? 12 : 0, p.density_BarcodeAreaDefinition);
    }
    RemovePrinter(printer);
}

TEST(SubDialogSheet, ColorProfileOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int ok : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ok == IDOK ? "OK" : "Cancel");
        ListDrive d{GetCurrentThreadId(), kProfileButton, kProfileList, 1, ok};  // not used
        PrivateSettings p = RunDriven(printer, DriveListDialog, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        EXPECT_EQ(std::u16string(ok == IDOK ? u"NotUse" : u"Auto"), std::u16string(p.fileName_ColorProfile));
    }
    RemovePrinter(printer);
}

struct EditDrive {
    DWORD thread;
    int limits[4] = {};  // owner, job, password, comment
    wchar_t passwordChar = 0;
    wchar_t passwordShown[16] = {};
};

// The Advanced tab: the edits' limits and the password's mask; the password
// switched on and nine digits typed, then the sheet's OK.
void DriveAdvancedEdits(EditDrive* d) {
    HWND sheet = nullptr, page = ShowTab(d->thread, &sheet, kAdvancedTab);
    if (!page) return;
    const int edits[4] = {kOwnerEdit, kJobEdit, kPasswordEdit, kCommentEdit};
    for (int i = 0; i < 4; i++) d->limits[i] = static_cast<int>(SendDlgItemMessageW(page, edits[i], EM_GETLIMITTEXT, 0, 0));
    d->passwordChar = static_cast<wchar_t>(SendDlgItemMessageW(page, kPasswordEdit, EM_GETPASSWORDCHAR, 0, 0));
    Click(page, kPasswordCheck, 1);
    HWND edit = GetDlgItem(page, kPasswordEdit);
    for (wchar_t c = L'1'; c <= L'9'; c++) SendMessageW(edit, WM_CHAR, c, 0);
    GetWindowTextW(edit, d->passwordShown, 16);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, AdvancedEditsAreLimitedAndThePasswordMasked) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    EditDrive d{GetCurrentThreadId()};
    PrivateSettings p = RunDriven(printer, DriveAdvancedEdits, &d);
    EXPECT_EQ((std::vector<int>{20, 255, 8, 128}), std::vector<int>(d.limits, d.limits + 4));
    EXPECT_EQ(L'*', d.passwordChar);
    EXPECT_STREQ(L"12345678", d.passwordShown);  // the ninth digit is refused
    EXPECT_EQ(1, p.passwordSupport);
    EXPECT_EQ(std::u16string(u"12345678"), std::u16string(p.password));
    RemovePrinter(printer);
}

// Carbon copy: the second paper source moved up, then OK or Cancel.
constexpr int kCarbonButton = 30743, kCarbonList = 34003, kCarbonUp = 34004;

void DriveCarbonCopy(ListDrive* d) {
    HWND sheet = nullptr, page = ShowTab(d->thread, &sheet, kAdvancedTab);
    if (!page) return;
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kCarbonButton, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, kCarbonButton)));
    HWND dialog = WaitForWindowWith(d->thread, kCarbonList);
    if (dialog) {
        d->dialogShown = 1;
        LVITEMW state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendDlgItemMessageW(dialog, kCarbonList, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCarbonUp, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, kCarbonUp)));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->ok, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, CarbonCopyOrderOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int ok : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ok == IDOK ? "OK" : "Cancel");
        ListDrive d{GetCurrentThreadId(), kCarbonButton, kCarbonList, 1, ok};
        PrivateSettings p = RunDriven(printer, DriveCarbonCopy, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        const uint16_t* order = p.inputTrayPriority_CarbonCopy;
        // The demo printer's sources: standard feed, trays 1 to 3.
        std::vector<uint16_t> expected = ok == IDOK ? std::vector<uint16_t>{258, 257, 259, 260}
                                                    : std::vector<uint16_t>{257, 0, 0, 0};
        EXPECT_EQ(expected, std::vector<uint16_t>(order, order + 4));
    }
    RemovePrinter(printer);
}

// Version: the module's version, the controller's code and the driver's
// name shown, the help button hidden; OK changes nothing.
struct VersionDrive {
    DWORD thread;
    int shown = 0, helpHidden = 0, closed = 0;
    wchar_t version[64] = {}, controller[64] = {}, driver[64] = {};
};

void DriveVersion(VersionDrive* d) {
    HWND sheet = nullptr, page = ShowTab(d->thread, &sheet, kAdvancedTab);
    if (!page) return;
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(30731, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 30731)));
    HWND dialog = WaitForWindowWith(d->thread, 30814);
    if (dialog) {
        d->shown = 1;
        d->helpHidden = !IsWindowVisible(GetDlgItem(dialog, 30821));
        GetDlgItemTextW(dialog, 30814, d->version, 64);
        GetDlgItemTextW(dialog, 30816, d->controller, 64);
        GetDlgItemTextW(dialog, 30818, d->driver, 64);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        d->closed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

TEST(SubDialogSheet, VersionShowsTheModuleAndController) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    VersionDrive d{GetCurrentThreadId()};
    RunDriven(printer, DriveVersion, &d);
    EXPECT_TRUE(d.shown);
    EXPECT_TRUE(d.helpHidden);
    EXPECT_TRUE(d.closed);
    EXPECT_STREQ(L"Version.1.0.0.0", d.version);
    EXPECT_STREQ(L"Controller version 5.00-G008", d.controller);  // the four-ink model
    EXPECT_STREQ(L"KELO ZR-C4500", d.driver);
    RemovePrinter(printer);
}

// Program print: copies and sets typed in the first row, the table scrolled
// to its end and copies typed in the last program; OK or Cancel.
void DriveProgramPrint(ListDrive* d) {
    HWND sheet = nullptr, page = ShowTab(d->thread, &sheet, kAdvancedTab);
    if (!page) return;
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(30726, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 30726)));
    HWND dialog = WaitForWindowWith(d->thread, 33093);
    if (dialog) {
        d->dialogShown = 1;
        SetDlgItemTextW(dialog, 33021, L"3");
        SetDlgItemTextW(dialog, 33031, L"2");
        HWND bar = GetDlgItem(dialog, 33093);
        SendMessageW(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 16), reinterpret_cast<LPARAM>(bar));
        SetDlgItemTextW(dialog, 33024, L"5");  // the last row shown: program 20
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->ok, BN_CLICKED), 0);
        d->dialogClosed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, ProgramPrintTableOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int ok : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ok == IDOK ? "OK" : "Cancel");
        ListDrive d{GetCurrentThreadId(), 30726, 33093, 0, ok};
        PrivateSettings p = RunDriven(printer, DriveProgramPrint, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        EXPECT_EQ(ok == IDOK ? 3 : 1, p.copies_ProgramPrint[0]);
        EXPECT_EQ(ok == IDOK ? 5 : 0, p.copies_ProgramPrint[19]);
        if (ok == IDOK) {
            EXPECT_EQ(2, p.sets_ProgramPrint[0]);
            EXPECT_EQ(1, p.sets_ProgramPrint[19]);  // copies want at least one set
        }
    }
    RemovePrinter(printer);
}

TEST(SubDialogSheet, FormOverlayNumberedFormOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int ok : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ok == IDOK ? "OK" : "Cancel");
        ListDrive d{GetCurrentThreadId(), 30724, 33826, 3, ok};  // numbered form 3
        d.tab = kAdvancedTab;
        PrivateSettings p = RunDriven(printer, DriveListDialog, &d);
        EXPECT_TRUE(d.dialogShown);
        EXPECT_TRUE(d.dialogClosed);
        EXPECT_EQ(ok == IDOK ? 3 : 0, p.index_Form);
        EXPECT_EQ(std::u16string(ok == IDOK ? u"#kElOcUsToMfOrM3" : u""), std::u16string(p.fileName_Form));
    }
    RemovePrinter(printer);
}

// Gamma: the lightness slider moved to +10 and -30 typed as the contrast
// (held to -25); OK or Cancel.
struct GammaDrive {
    DWORD thread;
    int ok;
    int shown = 0, closed = 0;
    wchar_t lightnessShown[8] = {};
};

void DriveGamma(GammaDrive* d) {
    HWND sheet = nullptr, page = ShowTab(d->thread, &sheet, kImageTab);
    if (!page) return;
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(30629, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 30629)));
    HWND dialog = WaitForWindowWith(d->thread, 32111);
    if (dialog) {
        d->shown = 1;
        HWND bar = GetDlgItem(dialog, 32116);
        SendMessageW(bar, TBM_SETPOS, TRUE, 10);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 10), reinterpret_cast<LPARAM>(bar));
        GetDlgItemTextW(dialog, 32113, d->lightnessShown, 8);
        SetDlgItemTextW(dialog, 32125, L"-30");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(d->ok, BN_CLICKED), 0);
        d->closed = WaitClosed(dialog);
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SubDialogSheet, GammaSliderAndEditOkStoresCancelKeeps) {
    const wchar_t* printer = L"KELO ZR-C4500 dialogs";
    InstallDemo(printer);
    for (int ok : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ok == IDOK ? "OK" : "Cancel");
        GammaDrive d{GetCurrentThreadId(), ok};
        PrivateSettings p = RunDriven(printer, DriveGamma, &d);
        EXPECT_TRUE(d.shown);
        EXPECT_TRUE(d.closed);
        EXPECT_STREQ(L"10", d.lightnessShown);
        EXPECT_EQ(ok == IDOK ? 10 : 0, p.lightness_GammaControl);
        EXPECT_EQ(ok == IDOK ? -25 : 0, p.contrast_GammaControl);
    }
    RemovePrinter(printer);
}

}  // namespace
