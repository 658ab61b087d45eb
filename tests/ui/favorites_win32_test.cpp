// Favourites through the dialogs of a real document sheet under Wine: two are
// added from the Basic tab (a slash typed into a name is removed with a
// warning, a taken name is refused and the dialog stays),
// renamed and reordered in the management dialog, one applied from the
// thumbnail list, exported, deleted and imported again; a file of another
// format is refused with its message. The printer's data
// then holds what the store writes natively, byte for byte.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "platform/platform_win32.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "ui/device_sheet_harness_win32.h"

namespace {

constexpr DWORD kWaitMs = 90000;
constexpr int kAddButton = 30256, kAddName = 31518, kList = 30311, kManage = 30313, kImport = 30314, kExport = 30315;
constexpr int kManageList = 31618, kUp = 31619, kRename = 31621, kDelete = 31622, kFileName = 1148;
const wchar_t kPrinter[] = L"KELO ZR-C4500 favourites";

// A message box: the thread's visible dialog with the message's text (100
// here, -1 on Windows) and no control of ours.
BOOL CALLBACK FindBox(HWND w, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (IsWindowVisible(w) && !lstrcmpW(cls, L"#32770") && (GetDlgItem(w, 100) || GetDlgItem(w, 0xFFFF)) &&
        !GetDlgItem(w, kAddName) && !FindWindowExW(w, nullptr, L"SysTabControl32", nullptr)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}
HWND WaitForBox(DWORD thread) {
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(thread, FindBox, reinterpret_cast<LPARAM>(&box));
    return box;
}
void Press(HWND w, int id) {
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
}
std::vector<uint8_t> Value(const wchar_t* name) {
    HANDLE h = nullptr;
    std::vector<uint8_t> v(20000);
    DWORD type = 0, needed = 0;
    if (!OpenPrinterW(const_cast<LPWSTR>(kPrinter), &h, nullptr)) return {};
    DWORD e = GetPrinterDataW(h, const_cast<LPWSTR>(name), &type, v.data(), static_cast<DWORD>(v.size()), &needed);
    ClosePrinter(h);
    v.resize(e == ERROR_SUCCESS ? needed : 0);
    return v;
}

struct Drive {
    DWORD thread = 0;
    std::wstring file;
    int added = 0, warned = 0, refused = 0, keptOpen = 0, rows = 0, renamed = 0, exported = 0, imported = 0;
    std::vector<uint8_t> draftBefore;  // "Draft 2" before it was deleted
    std::wstring badFile;
    wchar_t importMessage[256] = {};  // shown for the damaged file
};

int AddFavorite(Drive* d, HWND page, const wchar_t* name) {
    Press(page, kAddButton);
    HWND dlg = WaitForWindowWith(d->thread, kAddName);
    if (!dlg) return 0;
    // The text goes in from a thread of its own: a forbidden character's
    // warning holds it until the box is closed here.
    std::thread typing([dlg, name] { SetDlgItemTextW(dlg, kAddName, name); });
    if (std::wcschr(name, L'/')) {
        HWND box = WaitForBox(d->thread);
        d->warned += box != nullptr;
        if (box) Press(box, IDOK);
    }
    typing.join();
    Press(dlg, IDOK);
    for (DWORD start = GetTickCount(); IsWindow(dlg) && GetTickCount() - start < kWaitMs; Sleep(50)) {
        HWND box = nullptr;
        EnumThreadWindows(d->thread, FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box) continue;
        d->refused++;
        Press(box, IDOK);
        WaitClosed(box);
        d->keptOpen = IsWindowVisible(dlg);
        Press(dlg, IDCANCEL);
    }
    return WaitClosed(dlg);
}

void SelectRow(HWND list, int row) {
    LVITEMW state;
    std::memset(&state, 0, sizeof state);
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

int ChooseFileNamed(Drive* d, HWND page, int button, const std::wstring& file) {
    Press(page, button);
    HWND dlg = WaitForWindowWith(d->thread, kFileName);
    if (!dlg) return 0;
    SetDlgItemTextW(dlg, kFileName, file.c_str());
    Press(dlg, IDOK);
    return WaitClosed(dlg);
}

void DriveFavorites(Drive* d) {
    HWND sheet = WaitForSheet(d->thread, kWaitMs);
    if (!sheet) return;
    Sleep(300);
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));  // the Basic tab
    d->added = AddFavorite(d, page, L"Office") + AddFavorite(d, page, L"Dr/aft");
    AddFavorite(d, page, L"Office");  // taken
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND list = GetDlgItem(page, kList);
    d->rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));

    // Draft moved up and renamed.
    Press(page, kManage);
    if (HWND m = WaitForWindowWith(d->thread, kManageList)) {
        SelectRow(GetDlgItem(m, kManageList), 1);
        Press(m, kUp);
        Sleep(200);
        Press(m, kRename);
        if (HWND r = WaitForWindowWith(d->thread, kRename, L"Edit")) {
            SetDlgItemTextW(r, kRename, L"Draft 2");
            Press(r, IDOK);
            d->renamed = WaitClosed(r);
        }
        Press(m, IDOK);
        WaitClosed(m);
    }
    // The first cell applied, then exported.
    NMITEMACTIVATE click;
    std::memset(&click, 0, sizeof click);
    click.hdr = {list, static_cast<UINT_PTR>(kList), static_cast<UINT>(NM_CLICK)};
    click.ptAction = {20, 20};
    SendMessageW(page, WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&click));
    d->exported = IsWindowEnabled(GetDlgItem(page, kExport)) && ChooseFileNamed(d, page, kExport, d->file);
    // Deleted, and imported again from the file.
    d->draftBefore = Value(L"QuickSetting_0044007200610066007400200032");
    Press(page, kManage);
    if (HWND m = WaitForWindowWith(d->thread, kManageList)) {
        SelectRow(GetDlgItem(m, kManageList), 0);
        Press(m, kDelete);
        Sleep(200);
        Press(m, IDOK);
        WaitClosed(m);
    }
    d->imported = ChooseFileNamed(d, page, kImport, d->file);
    // A file of another format: its message, nothing stored.
    if (ChooseFileNamed(d, page, kImport, d->badFile)) {
        if (HWND box = WaitForBox(d->thread)) {
            if (!GetDlgItemTextW(box, 100, d->importMessage, 256)) GetDlgItemTextW(box, 0xFFFF, d->importMessage, 256);
            Press(box, IDOK);
            WaitClosed(box);
        }
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(FavoritesSheet, AddRenameReorderApplyExportDeleteImport) {
    InstallWin32Platform();
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) << GetLastError();
    RemovePrinter(kPrinter);
    ASSERT_TRUE(AddDriverWithFiles(L"KELO ZR-C4500", L"ZR51AUI.dll", {L"ZR51ARC.DLL", L"ZRC4500.RDF"}));
    ASSERT_TRUE(AddPrinterOnPort(kPrinter, L"KELO ZR-C4500", L"FILE:")) << GetLastError();
    ASSERT_TRUE(InitializeThroughDriver(kPrinter, L"KELO ZR-C4500"));
    {
        // The scenario starts from an empty store: the installation's presets are forgotten.
        HANDLE h = nullptr;
        PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &h, &all));
        std::vector<BYTE> none(1260, 0);
        EXPECT_EQ(0u, SetPrinterDataW(h, const_cast<LPWSTR>(L"QuickSettingNames"), REG_BINARY, none.data(), 1260));
        ClosePrinter(h);
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    Drive d;
    d.thread = GetCurrentThreadId();
    d.file = std::wstring(temp) + L"zr51-draft.zfv";
    DeleteFileW(d.file.c_str());
    d.badFile = std::wstring(temp) + L"zr51-other.zfv";
    HANDLE bad = CreateFileW(d.badFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, bad);
    const char other[] = "KELO_QVX and not a favourite at all, but long enough to have a header of 64 bytes";
    DWORD put = 0;
    WriteFile(bad, other, sizeof other, &put, nullptr);
    CloseHandle(bad);

    std::vector<BYTE> out(sizeof(DriverDevMode) + 4096, 0);
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &h, nullptr));
    std::thread driver(DriveFavorites, &d);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(kPrinter), reinterpret_cast<PDEVMODEW>(out.data()), nullptr,
                        DM_IN_PROMPT | DM_OUT_BUFFER);
    driver.join();
    ClosePrinter(h);

    EXPECT_EQ(2, d.added);
    EXPECT_EQ(1, d.warned);  // the slash, removed with its warning
    EXPECT_EQ(1, d.refused);
    EXPECT_TRUE(d.keptOpen);
    EXPECT_EQ(1, d.rows);  // two favourites: one row of three cells
    EXPECT_TRUE(d.renamed);
    EXPECT_TRUE(d.exported);
    EXPECT_TRUE(d.imported);
    EXPECT_NE(std::wstring::npos, std::wstring(d.importMessage).find(L"could not be imported")) << d.importMessage;
    // Office first (Draft 2 was deleted), then the imported Draft 2.
    std::vector<uint8_t> names = Value(L"QuickSettingNames");
    ASSERT_EQ(1260u, names.size());
    EXPECT_EQ(std::wstring(L"Office"), std::wstring(reinterpret_cast<const wchar_t*>(names.data())));
    EXPECT_EQ(std::wstring(L"Draft 2"), std::wstring(reinterpret_cast<const wchar_t*>(names.data() + 42)));
    EXPECT_EQ(0, names[84] | names[85]);  // the refused file added nothing
    // The re-imported value is the one deleted, and the file holds its record.
    std::vector<uint8_t> draft = Value(L"QuickSetting_0044007200610066007400200032");
    ASSERT_EQ(4u + kQuickRecordSize, draft.size());
    EXPECT_EQ(d.draftBefore, draft);
    HANDLE f = CreateFileW(d.file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    std::vector<uint8_t> file(65536);
    DWORD got = 0;
    ReadFile(f, file.data(), static_cast<DWORD>(file.size()), &got, nullptr);
    CloseHandle(f);
    std::vector<uint8_t> record;
    char16_t name[kExportNameUnits] = {};
    ASSERT_EQ(0, ReadExportFile(file.data(), got, &record, name));
    EXPECT_EQ(std::u16string(u"Draft 2"), std::u16string(name));
    EXPECT_EQ(std::vector<uint8_t>(draft.begin() + 4, draft.end()), record);
    // What the native store writes for the settings the sheet returned.
    std::vector<uint8_t> mine(kQuickRecordSize);
    ASSERT_EQ(static_cast<int>(kQuickRecordSize),
              SerializeSettings(mine.data(), reinterpret_cast<const DriverDevMode*>(out.data()), kQuickRecordSize));
    std::vector<uint8_t> office = Value(L"QuickSetting_004f00660066006900630065");
    ASSERT_EQ(4u + kQuickRecordSize, office.size());
    EXPECT_EQ(mine, std::vector<uint8_t>(office.begin() + 4, office.end()));
    RemovePrinter(kPrinter);
    DeleteFileW(d.file.c_str());
    DeleteFileW(d.badFile.c_str());
}

}  // namespace
