#include "ui/device_sheet_harness_win32.h"

#include <prsht.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <thread>

#include "driver_setup_win32.h"
#include "platform/property_headers_win32.h"

namespace {

typedef LONG(WINAPI* SheetsFn)(PVOID, LPARAM);
typedef LONG(WINAPI* CommonSheetFn)(HWND, SheetsFn, LPARAM, LPDWORD);

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

struct Wanted {
    int control;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK FindWith(HWND w, LPARAM io) {
    auto* f = reinterpret_cast<Wanted*>(io);
    HWND c = GetDlgItem(w, f->control);
    wchar_t cls[32] = {};
    if (c && f->cls) GetClassNameW(c, cls, 32);
    if (!IsWindowVisible(w) || !c || (f->cls && lstrcmpiW(cls, f->cls)) || SendMessageW(w, PSM_GETCURRENTPAGEHWND, 0, 0))
        return TRUE;
    f->found = w;
    return FALSE;
}

}  // namespace

HWND WaitForWindowWith(DWORD thread, int control, const wchar_t* cls, DWORD waitMs) {
    Wanted f{control, cls, nullptr};
    for (DWORD start = GetTickCount(); !f.found && GetTickCount() - start < waitMs; Sleep(50))
        EnumThreadWindows(thread, FindWith, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

int WaitClosed(HWND w, DWORD waitMs) {
    for (DWORD start = GetTickCount(); IsWindow(w) && GetTickCount() - start < waitMs;) Sleep(50);
    return !IsWindow(w);
}

HWND WaitForSheet(DWORD thread, DWORD waitMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < waitMs; Sleep(50)) {
        HWND sheet = nullptr;
        EnumThreadWindows(thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
        if (sheet && SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) return sheet;
    }
    return nullptr;
}

int RunDeviceSheet(const wchar_t* printer, const wchar_t* driverName, void (*drive)(void*, DWORD), void* context) {
    std::wstring config;
    if (!InstalledConfigFile(driverName, &config)) return 0;
    HMODULE driver = LoadLibraryW(config.c_str());
    HMODULE compstui = LoadLibraryW(L"compstui.dll");
    auto sheets = driver ? reinterpret_cast<SheetsFn>(
                               reinterpret_cast<void (*)()>(GetProcAddress(driver, "DrvDevicePropertySheets")))
                         : nullptr;
    auto common = compstui ? reinterpret_cast<CommonSheetFn>(
                                 reinterpret_cast<void (*)()>(GetProcAddress(compstui, "CommonPropertySheetUIW")))
                           : nullptr;
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    int ok = sheets && common && OpenPrinterW(const_cast<LPWSTR>(printer), &h, &all);
    if (ok) {
        DevicePropertyHeader header;
        std::memset(&header, 0, sizeof header);
        header.cbSize = sizeof header;
        header.hPrinter = h;
        header.pszPrinterName = const_cast<LPWSTR>(printer);
        std::thread t(drive, context, GetCurrentThreadId());
        DWORD result = 0;
        common(nullptr, sheets, reinterpret_cast<LPARAM>(&header), &result);
        t.join();
        ClosePrinter(h);
    }
    if (compstui) FreeLibrary(compstui);
    if (driver) FreeLibrary(driver);
    return ok;
}
