// The exported driver entry points: thin shells that check their arguments
// and hand over to the portable core. Nothing may unwind out of an export, so
// each body runs under a catch-all that turns a failure into the entry
// point's ordinary failure result.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cstdint>
#include <cstring>

#include "entry/device_capabilities.h"
#include "entry/document_event.h"
#include "entry/document_properties.h"
#include "entry/install_strings_win32.h"
#include "platform/isolation_win32.h"
#include "entry/job_attributes.h"
#include "entry/printer_event.h"
#include "platform/property_headers_win32.h"
#include "rules/resolve.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "platform/tracker_system_win32.h"
#include "platform/udp.h"
#include "platform/worker_threads_win32.h"
#include "snmp/retrieval_thread.h"
#include "ui/property_sheet_win32.h"

namespace {

HINSTANCE g_module = nullptr;
// Initialised at attach and deleted at detach; no code path enters it.
CRITICAL_SECTION g_section;
bool g_sectionReady = false;

// The part of DRIVER_UPGRADE_INFO_1 and _2 the driver reads.
struct DriverUpgradeInfoHead {
    LPWSTR pPrinterName;
};

static_assert(sizeof(ATTRIBUTE_INFO_4) == sizeof(JobAttributes), "ATTRIBUTE_INFO_4 layout");
static_assert(offsetof(ATTRIBUTE_INFO_4, dmPrintQuality) == offsetof(JobAttributes, printQuality), "layout");
static_assert(offsetof(ATTRIBUTE_INFO_4, dwScalingPercentY) == offsetof(JobAttributes, scalingPercentY), "layout");
static_assert(sizeof(ATTRIBUTE_INFO_3) == 36 && offsetof(ATTRIBUTE_INFO_3, dwColorOptimization) == 28,
              "ATTRIBUTE_INFO prefixes");

constexpr LONG kSheetFailure = -1;
constexpr DWORD kCapsFailure = kCapsUnsupported;

const char16_t* U(LPCWSTR s) { return reinterpret_cast<const char16_t*>(s); }

struct PromptContext {
    HWND window;
};

LONG WINAPI DocumentSheetsCallback(PVOID info, LPARAM lParam);
LONG WINAPI DeviceSheetsCallback(PVOID info, LPARAM lParam);

// The document sheet for DM_IN_PROMPT: the common property sheet library
// calls DrvDocumentPropertySheets back with the header.
int32_t ShowDocumentSheet(void* context, PrinterHandle printer, const char16_t* deviceName, void* out,
                          void* in, uint32_t fMode) {
    DocumentPropertyHeader header;
    std::memset(&header, 0, sizeof header);
    header.cbSize = sizeof header;
    header.hPrinter = printer;
    header.pszPrinterName = reinterpret_cast<LPWSTR>(const_cast<char16_t*>(deviceName));
    header.pdmIn = static_cast<PDEVMODEW>(in);
    header.pdmOut = static_cast<PDEVMODEW>(out);
    header.fMode = fMode;
    DWORD result = 0;
    HWND window = static_cast<PromptContext*>(context)->window;
    if (CallCommonPropertySheetUI(window, DocumentSheetsCallback, reinterpret_cast<LPARAM>(&header), &result) < 0)
        return -1;  // no sheet library: no answer to give
    return static_cast<int32_t>(result);
}

LONG DocumentProperties(HWND hwnd, HANDLE hPrinter, PWSTR pszDeviceName, PDEVMODEW pdmOutput, PDEVMODEW pdmInput,
                        DWORD fMode) {
    try {
        PromptContext context = {hwnd};
        return DrvDocumentPropertiesCore(hPrinter, U(pszDeviceName), pdmOutput, pdmInput, fMode, ShowDocumentSheet,
                                         &context);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return -1;
    }
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        InitializeCriticalSection(&g_section);
        g_sectionReady = true;
        InstallWin32Platform();
        InstallWin32TrackerSystem();
        InstallWin32WorkerThreads();
        InstallSockets(&Win32Sockets());
        IsolationSetModule(module);
        // comctl32 is a system DLL the loader already knows; loading it here
        // is what lets every later page find its classes registered.
        InitCommonControlsIsolated();
    } else if (reason == DLL_PROCESS_DETACH) {
        // A FreeLibrary detaches only after every retrieval worker has let go
        // of the module, so none is left to wait for: only their handles and
        // records remain. At process exit the other threads are gone already
        // and their records go with the process.
        if (!reserved) ForgetRetrievalThreads();
        IsolationAwareCleanup();
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
        if (pPSUIInfo != nullptr) return DocumentSheetsWithInfo(pPSUIInfo, lParam, g_module);
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
    try {
        if (pPSUIInfo == nullptr) return kSheetFailure;
        return DeviceSheetsWithInfo(pPSUIInfo, lParam, g_module);
    } catch (...) {
        return kSheetFailure;
    }
}

LONG WINAPI DrvDocumentProperties(HWND hwnd, HANDLE hPrinter, PWSTR pszDeviceName, PDEVMODEW pdmOutput,
                                  PDEVMODEW pdmInput, DWORD fMode) {
    return DocumentProperties(hwnd, hPrinter, pszDeviceName, pdmOutput, pdmInput, fMode);
}

LONG WINAPI DrvAdvancedDocumentProperties(HWND hwnd, HANDLE hPrinter, PWSTR pszDeviceName, PDEVMODEW pdmOutput,
                                          PDEVMODEW pdmInput) {
    return DocumentProperties(hwnd, hPrinter, pszDeviceName, pdmOutput, pdmInput, kAdvancedDocumentMode);
}

BOOL WINAPI PrinterProperties(HWND hwnd, HANDLE hPrinter) {
    try {
        DevicePropertyHeader header;
        std::memset(&header, 0, sizeof header);
        header.cbSize = sizeof header;
        header.hPrinter = hPrinter;
        header.Flags = static_cast<WORD>(ProbePrinterPermission(hPrinter));
        DWORD result = 0;
        if (CallCommonPropertySheetUI(hwnd, DeviceSheetsCallback, reinterpret_cast<LPARAM>(&header), &result) < 0)
            return FALSE;
        return static_cast<LONG>(result) > 0 ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap, PVOID pvOutput,
                                   PDEVMODEW pDevMode) {
    try {
        return DrvDeviceCapabilitiesCore(hPrinter, U(pDeviceName), iDevCap, pvOutput, pDevMode);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return kCapsFailure;
    }
}

DWORD WINAPI DrvSplDeviceCaps(HANDLE hPrinter, PWSTR pDeviceName, WORD wCapability, PVOID pOutput, DWORD cchBufSize,
                              PDEVMODEW pDevmode) {
    try {
        return DrvSplDeviceCapsCore(hPrinter, U(pDeviceName), wCapability, pOutput, cchBufSize, pDevmode);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return kCapsFailure;
    }
}

BOOL WINAPI DrvQueryJobAttributes(HANDLE hPrinter, PDEVMODEW pDevMode, DWORD dwLevel, LPBYTE lpAttributeInfo) {
    try {
        uint32_t size = JobAttributesSize(dwLevel);
        if (size == 0 || lpAttributeInfo == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        JobAttributes attributes;
        if (!QueryJobAttributesCore(hPrinter, pDevMode, &attributes)) return FALSE;
        std::memcpy(lpAttributeInfo, &attributes, size);
        return TRUE;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

INT WINAPI DrvDocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn, PVOID pvIn, ULONG cbOut, PVOID pvOut) {
    (void)hdc;
    try {
        return DrvDocumentEventCore(hPrinter, iEsc, cbIn, pvIn, cbOut, pvOut);
    } catch (...) {
        return kDocEventUnsupported;
    }
}

BOOL WINAPI DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD Flags, LPARAM lParam) {
    try {
        // Only the initialisation names things from the resource module.
        if (DriverEvent != kPrinterEventInitialize)
            return DrvPrinterEventCore(U(pPrinterName), DriverEvent, Flags, lParam) ? TRUE : FALSE;
        int ok = 0;
        DWORD error = 0;
        {
            InstallStrings strings(U(pPrinterName));
            ok = DrvPrinterEventCore(U(pPrinterName), DriverEvent, Flags, lParam);
            error = GetLastError();
        }
        SetLastError(error);
        return ok ? TRUE : FALSE;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

BOOL WINAPI DrvUpgradePrinter(DWORD dwLevel, LPBYTE pDriverUpgradeInfo) {
    try {
        const DriverUpgradeInfoHead* info = reinterpret_cast<const DriverUpgradeInfoHead*>(pDriverUpgradeInfo);
        int ok = 0;
        DWORD error = 0;
        {
            InstallStrings strings(info && (dwLevel == 1 || dwLevel == 2) ? U(info->pPrinterName) : nullptr);
            ok = DrvUpgradePrinterCore(dwLevel, info != nullptr, info ? U(info->pPrinterName) : nullptr);
            error = GetLastError();
        }
        SetLastError(error);
        return ok ? TRUE : FALSE;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

BOOL WINAPI DrvQueryColorProfile(HANDLE hPrinter, PDEVMODEW pdevmode, ULONG ulQueryMode, VOID* pvProfileData,
                                 ULONG* pcbProfileData, FLONG* pflProfileData) {
    (void)hPrinter;
    (void)pdevmode;
    (void)ulQueryMode;
    (void)pvProfileData;
    (void)pcbProfileData;
    (void)pflProfileData;
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

BOOL WINAPI DevQueryPrint(HANDLE hPrinter, LPDEVMODEW pDevMode, DWORD* pResID) {
    (void)hPrinter;
    (void)pDevMode;
    if (pResID != nullptr) *pResID = 0;
    return TRUE;
}

BOOL WINAPI DevQueryPrintEx(PVOID pDQPInfo) {
    (void)pDQPInfo;
    return TRUE;
}

}  // extern "C"

namespace {

LONG WINAPI DocumentSheetsCallback(PVOID info, LPARAM lParam) { return DrvDocumentPropertySheets(info, lParam); }
LONG WINAPI DeviceSheetsCallback(PVOID info, LPARAM lParam) { return DrvDevicePropertySheets(info, lParam); }

}  // namespace
