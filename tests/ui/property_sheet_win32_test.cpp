// The property sheets under Wine, opened as applications and the printers
// folder open them: a second thread waits for the sheet window, counts its
// tabs and presses OK or Cancel.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "driver_setup_win32.h"
#include "platform/property_headers_win32.h"

namespace {

constexpr DWORD kWaitForSheetMs = 90000;  // generous: Wine starts slowly under load

struct Press {
    DWORD thread;
    WPARAM button;  // PSBTN_OK or PSBTN_CANCEL
    std::atomic<bool> done{false};
    int tabs = -1;  // tabs of the sheet found, -1 when none appeared
};

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// Waits for the sheet of the calling thread (or for the call to return),
// then presses the button once its first page is there.
void PressWhenShown(Press* p) {
    DWORD start = GetTickCount();
    while (!p->done && GetTickCount() - start < kWaitForSheetMs) {
        HWND sheet = nullptr;
        EnumThreadWindows(p->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
        if (sheet && SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) {
            HWND tab = FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr);
            p->tabs = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
            PostMessageW(sheet, PSM_PRESSBUTTON, p->button, 0);
            return;
        }
        Sleep(50);
    }
}

struct SheetPrinter {
    const wchar_t* name;
    bool withResources;
};

void Install(const SheetPrinter& p) {
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51AUI.dll"), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    RemovePrinter(p.name);
    std::vector<std::wstring> files;
    if (p.withResources) files.push_back(L"ZR51ARC.DLL");
    ASSERT_TRUE(AddDriverWithFiles(p.name, L"ZR51AUI.dll", files)) << GetLastError();
    ASSERT_TRUE(AddPrinterOnPort(p.name, p.name, L"FILE:")) << GetLastError();
}

// DocumentPropertiesW with the prompt, the button pressed from a second
// thread; out starts filled with 0xCD.
LONG Prompt(const wchar_t* printer, WPARAM button, std::vector<BYTE>* out, int* tabs) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printer), &h, nullptr)) return -100;
    LONG size = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), nullptr, nullptr, 0);
    std::vector<BYTE> in(size > 0 ? size : 1);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(in.data()), nullptr,
                        DM_OUT_BUFFER);
    auto* dm = reinterpret_cast<PDEVMODEW>(in.data());
    dm->dmOrientation = DMORIENT_LANDSCAPE;  // differs from the default, so OK must carry it
    dm->dmFields |= DM_ORIENTATION;
    out->assign(in.size(), 0xCD);
    Press press;
    press.thread = GetCurrentThreadId();
    press.button = button;
    std::thread presser(PressWhenShown, &press);
    LONG r = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(out->data()),
                                 dm, DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    press.done = true;
    presser.join();
    *tabs = press.tabs;
    ClosePrinter(h);
    return r;
}

bool Untouched(const std::vector<BYTE>& out) {
    for (BYTE b : out)
        if (b != 0xCD) return false;
    return true;
}

TEST(DocumentSheet, OkWritesTheDevmodeBackCancelWritesNothing) {
    const SheetPrinter printer = {L"ZR51A Sheet Test", true};
    Install(printer);
    std::vector<BYTE> out;
    int tabs = 0;
    Prompt(printer.name, PSBTN_OK, &out, &tabs);
    EXPECT_EQ(6, tabs);
    auto* dm = reinterpret_cast<const DEVMODEW*>(out.data());
    EXPECT_EQ(sizeof(DEVMODEW), dm->dmSize);
    EXPECT_EQ(DMORIENT_LANDSCAPE, dm->dmOrientation);
    EXPECT_EQ(19040u, static_cast<unsigned>(dm->dmSize + dm->dmDriverExtra));

    Prompt(printer.name, PSBTN_CANCEL, &out, &tabs);
    EXPECT_EQ(6, tabs);
    EXPECT_TRUE(Untouched(out));
    RemovePrinter(printer.name);
}

TEST(DocumentSheet, MissingResourceModuleFailsWithoutWriting) {
    const SheetPrinter printer = {L"ZR51A Sheetless Test", false};
    Install(printer);
    std::vector<BYTE> out;
    int tabs = 0;
    Prompt(printer.name, PSBTN_OK, &out, &tabs);
    EXPECT_EQ(-1, tabs);  // no sheet came up
    EXPECT_TRUE(Untouched(out));
    RemovePrinter(printer.name);
}

typedef LONG(WINAPI* SheetsFn)(PVOID, LPARAM);
typedef LONG(WINAPI* CommonSheetFn)(HWND, SheetsFn, LPARAM, LPDWORD);

TEST(DeviceSheet, DiagnosticsPageOnlyWithDebugTabEnable) {
    const SheetPrinter printer = {L"ZR51A Device Sheet Test", true};
    Install(printer);
    std::wstring config;
    ASSERT_TRUE(InstalledConfigFile(printer.name, &config));
    HMODULE driver = LoadLibraryW(config.c_str());
    HMODULE compstui = LoadLibraryW(L"compstui.dll");
    ASSERT_TRUE(driver && compstui);
    auto sheets = reinterpret_cast<SheetsFn>(reinterpret_cast<void (*)()>(GetProcAddress(driver, "DrvDevicePropertySheets")));
    auto common = reinterpret_cast<CommonSheetFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(compstui, "CommonPropertySheetUIW")));
    ASSERT_TRUE(sheets && common);
    const struct {
        DWORD debugTab;
        int tabs;
    } cases[] = {{0, 1}, {1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "DebugTabEnable " << c.debugTab);
        HANDLE h = nullptr;
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer.name), &h, nullptr));
        DWORD value = c.debugTab;
        SetPrinterDataW(h, const_cast<LPWSTR>(L"DebugTabEnable"), REG_DWORD, reinterpret_cast<BYTE*>(&value), 4);
        DevicePropertyHeader header;
        std::memset(&header, 0, sizeof header);
        header.cbSize = sizeof header;
        header.hPrinter = h;
        header.pszPrinterName = const_cast<LPWSTR>(printer.name);
        Press press;
        press.thread = GetCurrentThreadId();
        press.button = PSBTN_CANCEL;
        std::thread presser(PressWhenShown, &press);
        DWORD result = 0;
        common(nullptr, sheets, reinterpret_cast<LPARAM>(&header), &result);
        press.done = true;
        presser.join();
        EXPECT_EQ(c.tabs, press.tabs);
        ClosePrinter(h);
    }
    FreeLibrary(compstui);
    FreeLibrary(driver);
    RemovePrinter(printer.name);
}

}  // namespace
