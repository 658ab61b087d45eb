// A printer of our driver in the real spooler (Wine's under the emulator),
// installed the way a setup program installs it, for the Windows tests: the
// DLL copied into the driver directory, the driver added (with model
// descriptions as dependent files when asked), a printer created on FILE:.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "driver_setup_win32.h"

namespace zr51test {

constexpr wchar_t kDriverDllName[] = L"ZR51AUI.dll";

// The DLL under test: the one ZR51AUI_DLL names, else the one beside the
// test program.
inline std::wstring DriverDllUnderTest() {
    const char* env = std::getenv("ZR51AUI_DLL");
    if (env == nullptr || *env == 0) return FileBesideExecutable(kDriverDllName);
    std::wstring dll;
    for (const char* p = env; *p; ++p) dll += static_cast<wchar_t>(*p);
    return dll;
}

inline std::string FailedStep(const char* step) { return std::string(step) + ": " + std::to_string(GetLastError()); }

// Installs printerName with driverName, after removing a printer of that
// name that an earlier run may have left. models: file names beside the
// program under models\ that go along as the driver's dependent files.
// "" or the step that failed with its error.
inline std::string InstallTestPrinter(const wchar_t* driverName, const wchar_t* printerName,
                                      const std::vector<std::wstring>& models = {}) {
    RemovePrinter(printerName);
    if (!CopyIntoDriverDirectory(DriverDllUnderTest(), nullptr)) return FailedStep("copying the DLL");
    for (const std::wstring& model : models) {
        if (!CopyIntoDriverDirectory(FileBesideExecutable((L"models\\" + model).c_str()), nullptr))
            return FailedStep("copying the model description");
    }
    int added = models.empty() ? AddDriver(driverName, kDriverDllName)
                               : AddDriverWithFiles(driverName, kDriverDllName, models);
    if (!added) return FailedStep("AddPrinterDriverW");
    if (!AddPrinterOnPort(printerName, driverName, L"FILE:")) return FailedStep("AddPrinterW");
    return "";
}

// The installed configuration file of driverName, loaded as the spooler
// loads it; null with why.
inline HMODULE LoadInstalledDriver(const wchar_t* driverName, std::wstring* path, std::string* why) {
    std::wstring config;
    if (!InstalledConfigFile(driverName, &config)) {
        *why = FailedStep("no installed configuration file");
        return nullptr;
    }
    HMODULE module = LoadLibraryW(config.c_str());
    if (module == nullptr) *why = FailedStep("LoadLibraryW");
    if (path != nullptr) *path = config;
    return module;
}

// An export of the driver as the function type Fn; null when it is missing.
template <typename Fn>
Fn DriverExport(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace zr51test
