// Driver and printer installation over winspool, as a setup program does it.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <vector>

#include "base/private_settings.h"
#include "driver_setup_win32.h"

namespace {

std::wstring Directory(const std::wstring& path) {
    size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring FileName(const std::wstring& path) {
    size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::wstring FileBesideExecutable(const wchar_t* fileName) {
    std::vector<wchar_t> buf(32768, 0);
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size()) return std::wstring(fileName);
    return Directory(std::wstring(buf.data(), n)) + fileName;
}

int DriverDirectory(std::wstring* out) {
    std::vector<BYTE> buf(4096, 0);
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buf.data(), static_cast<DWORD>(buf.size()), &needed))
        return 0;
    out->assign(reinterpret_cast<const wchar_t*>(buf.data()));
    return 1;
}

int CopyIntoDriverDirectory(const std::wstring& dllPath, std::wstring* copiedPath) {
    std::wstring dir;
    if (!DriverDirectory(&dir)) return 0;
    CreateDirectoryW(dir.c_str(), nullptr);  // normally there already
    std::wstring target = dir + L"\\" + FileName(dllPath);
    if (!CopyFileW(dllPath.c_str(), target.c_str(), FALSE)) return 0;
    if (copiedPath != nullptr) *copiedPath = target;
    return 1;
}

int AddDriver(const wchar_t* driverName, const wchar_t* dllFileName) {
    return AddDriverWithFiles(driverName, dllFileName, {});
}

int AddDriverWithFiles(const wchar_t* driverName, const wchar_t* dllFileName, const std::vector<std::wstring>& files) {
    // pDependentFiles: the names one after another, each terminated, and an
    // empty one at the end.
    std::wstring dependents;
    for (const std::wstring& f : files) dependents += f + L'\0';
    dependents += L'\0';
    DRIVER_INFO_3W info;
    std::memset(&info, 0, sizeof info);
    info.cVersion = 3;
    info.pName = const_cast<LPWSTR>(driverName);
    info.pEnvironment = nullptr;  // the current one
    info.pDriverPath = const_cast<LPWSTR>(dllFileName);
    info.pDataFile = const_cast<LPWSTR>(dllFileName);
    info.pConfigFile = const_cast<LPWSTR>(dllFileName);
    info.pDependentFiles = files.empty() ? nullptr : const_cast<LPWSTR>(dependents.c_str());
    info.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
    return AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) ? 1 : 0;
}

int InstalledConfigFile(const wchar_t* driverName, std::wstring* out) {
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &count);
    if (needed == 0) return 0;
    std::vector<BYTE> buf(needed, 0);
    if (!EnumPrinterDriversW(nullptr, nullptr, 3, buf.data(), needed, &needed, &count)) return 0;
    const DRIVER_INFO_3W* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buf.data());
    for (DWORD i = 0; i < count; ++i) {
        if (drivers[i].pName != nullptr && lstrcmpiW(drivers[i].pName, driverName) == 0 &&
            drivers[i].pConfigFile != nullptr) {
            out->assign(drivers[i].pConfigFile);
            return 1;
        }
    }
    SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
    return 0;
}

int PrinterExists(const wchar_t* printerName) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &h, nullptr)) return 0;
    ClosePrinter(h);
    return 1;
}

int AddPrinterOnPort(const wchar_t* printerName, const wchar_t* driverName, const wchar_t* portName) {
    PRINTER_INFO_2W info;
    std::memset(&info, 0, sizeof info);
    info.pPrinterName = const_cast<LPWSTR>(printerName);
    info.pPortName = const_cast<LPWSTR>(portName);
    info.pDriverName = const_cast<LPWSTR>(driverName);
    info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (h == nullptr) return 0;
    ClosePrinter(h);
    return 1;
}

int RemovePrinter(const wchar_t* printerName) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &h, &defaults)) return 1;  // nothing to delete
    BOOL ok = DeletePrinter(h);
    DWORD err = GetLastError();
    ClosePrinter(h);
    SetLastError(err);
    return ok ? 1 : 0;
}

int SetPrinterDevMode(const wchar_t* printerName, const DriverDevMode* dm) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &h, &defaults)) return 0;
    DWORD needed = 0;
    GetPrinterW(h, 2, nullptr, 0, &needed);
    std::vector<BYTE> buf(needed, 0);
    auto copy = std::make_unique<DriverDevMode>(*dm);
    int ok = needed != 0 && GetPrinterW(h, 2, buf.data(), needed, &needed);
    if (ok) {
        PRINTER_INFO_2W* info = reinterpret_cast<PRINTER_INFO_2W*>(buf.data());
        info->pDevMode = reinterpret_cast<DEVMODEW*>(copy.get());
        info->pSecurityDescriptor = nullptr;  // left as it is
        ok = SetPrinterW(h, 2, buf.data(), 0) ? 1 : 0;
    }
    DWORD err = GetLastError();
    ClosePrinter(h);
    SetLastError(err);
    return ok;
}

namespace {

constexpr INT kPrinterEventInitialize = 3;  // PRINTER_EVENT_INITIALIZE

typedef BOOL(WINAPI* PrinterEventFn)(LPWSTR, INT, DWORD, LPARAM);
typedef BOOL(WINAPI* UpgradeFn)(DWORD, LPBYTE);

// The installed configuration file, as the spooler loads it (the same module
// when the spooler has it loaded already).
HMODULE LoadInstalledDriverModule(const wchar_t* driverName) {
    std::wstring config;
    if (!InstalledConfigFile(driverName, &config)) return nullptr;
    return LoadLibraryW(config.c_str());
}

// "DefDevmode" as the printer's own DEVMODE.
int TakeStoredDefaults(const wchar_t* printerName) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &h, nullptr)) return 0;
    auto dm = std::make_unique<DriverDevMode>();
    DWORD type = 0, needed = 0;
    DWORD rc = GetPrinterDataW(h, const_cast<LPWSTR>(L"DefDevmode"), &type, reinterpret_cast<BYTE*>(dm.get()),
                               sizeof *dm, &needed);
    ClosePrinter(h);
    if (rc != ERROR_SUCCESS || needed != sizeof *dm) {
        SetLastError(rc != ERROR_SUCCESS ? rc : ERROR_INVALID_DATA);
        return 0;
    }
    return SetPrinterDevMode(printerName, dm.get());
}

}  // namespace

int InitializeThroughDriver(const wchar_t* printerName, const wchar_t* driverName) {
    HMODULE module = LoadInstalledDriverModule(driverName);
    if (module == nullptr) return 0;
    PrinterEventFn event = reinterpret_cast<PrinterEventFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "DrvPrinterEvent")));
    int ok = event != nullptr && event(const_cast<LPWSTR>(printerName), kPrinterEventInitialize, 0, 0);
    DWORD err = GetLastError();
    if (ok) ok = TakeStoredDefaults(printerName);
    if (ok) err = 0;
    FreeLibrary(module);
    SetLastError(err);
    return ok;
}

int UpgradeThroughDriver(const wchar_t* printerName, const wchar_t* driverName) {
    HMODULE module = LoadInstalledDriverModule(driverName);
    if (module == nullptr) return 0;
    UpgradeFn upgrade = reinterpret_cast<UpgradeFn>(reinterpret_cast<void*>(GetProcAddress(module, "DrvUpgradePrinter")));
    LPWSTR info[2] = {const_cast<LPWSTR>(printerName), nullptr};  // DRIVER_UPGRADE_INFO_1
    int ok = upgrade != nullptr && upgrade(1, reinterpret_cast<LPBYTE>(info));
    DWORD err = GetLastError();
    FreeLibrary(module);
    SetLastError(err);
    return ok;
}
