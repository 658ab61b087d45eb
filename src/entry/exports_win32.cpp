// The exported driver entry points: thin shells that check their arguments
// and hand over to the portable core. Nothing may unwind out of an export, so
// each body runs under a catch-all that turns a failure into the entry
// point's ordinary failure result.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "settings/resolve.h"

namespace {

HINSTANCE g_module = nullptr;
// Initialised at attach and deleted at detach; no code path enters it.
CRITICAL_SECTION g_section;
bool g_sectionReady = false;

// The spooler's DOCUMENTPROPERTYHEADER (48 bytes on x64), declared here
// because the toolchain's driver headers do not carry it.
struct DocumentPropertyHeader {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
};
static_assert(sizeof(DocumentPropertyHeader) == 48, "DOCUMENTPROPERTYHEADER layout");

constexpr LONG kSheetFailure = -1;
constexpr DWORD kCapsFailure = 0xFFFFFFFF;  // GDI_ERROR
constexpr int kDocumentEventUnsupported = 0;

const char16_t* U(LPCWSTR s) { return reinterpret_cast<const char16_t*>(s); }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        InitializeCriticalSection(&g_section);
        g_sectionReady = true;
        // The common controls are initialised with the property sheets, which
        // resolve comctl32 lazily; nothing here needs them yet, and loading a
        // library under the loader lock is best avoided.
        InstallWin32Platform();
    } else if (reason == DLL_PROCESS_DETACH) {
        if (g_sectionReady) {
            DeleteCriticalSection(&g_section);
            g_sectionReady = false;
        }
    }
    return TRUE;
}

BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut, PLONG pcbNeeded,
                              DWORD fMode) {
    try {
        if (pcbNeeded == nullptr) {
            return DrvConvertDevModeCore(U(pPrinterName), pdmIn, pdmOut, nullptr, fMode) ? TRUE : FALSE;
        }
        // A negative size is no room at all.
        LONG original = *pcbNeeded;
        uint32_t size = original < 0 ? 0u : static_cast<uint32_t>(original);
        uint32_t given = size;
        int ok = DrvConvertDevModeCore(U(pPrinterName), pdmIn, pdmOut, &size, fMode);
        if (size != given) *pcbNeeded = static_cast<LONG>(size);
        return ok ? TRUE : FALSE;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

LONG WINAPI DrvDocumentPropertySheets(PVOID pPSUIInfo, LPARAM lParam) {
    try {
        // The property sheets are not built yet: only the no-prompt path,
        // where the spooler passes no sheet information, is answered.
        if (pPSUIInfo != nullptr) return kSheetFailure;
        DocumentPropertyHeader* header = reinterpret_cast<DocumentPropertyHeader*>(lParam);
        if (header == nullptr) return kSheetFailure;
        uint32_t cbOut = header->cbOut;
        int32_t result = DocumentPropertiesNoPrompt(header->hPrinter, U(header->pszPrinterName), header->pdmOut,
                                                    header->pdmIn, header->fMode, &cbOut);
        header->cbOut = cbOut;
        return result;
    } catch (...) {
        return kSheetFailure;
    }
}

LONG WINAPI DrvDevicePropertySheets(PVOID pPSUIInfo, LPARAM lParam) {
    (void)pPSUIInfo;
    (void)lParam;
    return kSheetFailure;  // the device sheet comes with the property sheets
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap, PVOID pvOutput,
                                   PDEVMODEW pDevMode) {
    (void)hPrinter;
    (void)pDeviceName;
    (void)iDevCap;
    (void)pvOutput;
    (void)pDevMode;
    return kCapsFailure;  // no capability is answered yet: as for an unsupported query
}

INT WINAPI DrvDocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn, PVOID pvIn, ULONG cbOut,
                            PVOID pvOut) {
    (void)hPrinter;
    (void)hdc;
    (void)iEsc;
    (void)cbIn;
    (void)pvIn;
    (void)cbOut;
    (void)pvOut;
    return kDocumentEventUnsupported;
}

}  // extern "C"
