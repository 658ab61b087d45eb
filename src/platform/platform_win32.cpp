// Spooler and Host over the Windows API. char16_t and wchar_t are both UTF-16
// code units of 2 bytes on this target, so text crosses this boundary with a
// reinterpret_cast and nowhere else.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#include <atomic>
#include <cstring>

#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "platform/profile.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

namespace {

std::atomic<ResourceStringReader> g_stringReader{nullptr};
std::atomic<void*> g_stringContext{nullptr};

LPWSTR W(const char16_t* s) { return reinterpret_cast<LPWSTR>(const_cast<char16_t*>(s)); }

std::u16string U(const wchar_t* s) {
    if (s == nullptr) return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t*>(s));
}

// The spooler's two-call pattern: the first call learns the size and must fail
// with ERROR_INSUFFICIENT_BUFFER; anything else means the structure cannot be
// read. Returns 1 with the filled buffer in *out.
template <typename Call>
int ReadSized(Call call, std::vector<BYTE>* out) {
    DWORD needed = 0;
    if (call(nullptr, 0, &needed)) return 0;
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return 0;
    out->assign(needed, 0);
    DWORD again = 0;
    if (!call(out->data(), needed, &again)) return 0;
    return 1;
}

class Win32Spooler final : public Spooler {
public:
    int OpenPrinter(const char16_t* name, uint32_t access, PrinterHandle* handle) override {
        if (handle == nullptr) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
        HANDLE h = nullptr;
        if (!::OpenPrinterW(W(name), &h, &defaults)) {
            *handle = nullptr;
            return 0;
        }
        *handle = h;
        return 1;
    }

    void ClosePrinter(PrinterHandle handle) override {
        if (handle != nullptr) ::ClosePrinter(handle);
    }

    uint32_t GetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t* type, void* buffer,
                            uint32_t size, uint32_t* needed) override {
        DWORD t = 0, n = 0;
        DWORD rc = ::GetPrinterDataW(handle, W(value), &t, static_cast<LPBYTE>(buffer), size, &n);
        if (type != nullptr) *type = t;
        if (needed != nullptr) *needed = n;
        return rc;
    }

    uint32_t SetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t type, const void* data,
                            uint32_t size) override {
        return ::SetPrinterDataW(handle, W(value), type, static_cast<LPBYTE>(const_cast<void*>(data)), size);
    }

    // The plain printer-data calls work on the key "PrinterDriverData"; the
    // keyed delete is used because Wine's DeletePrinterDataW aborts the
    // process, while its keyed one fails with 87.
    uint32_t DeletePrinterData(PrinterHandle handle, const char16_t* value) override {
        return ::DeletePrinterDataExW(handle, L"PrinterDriverData", W(value));
    }

    int GetPrinterInfo2(PrinterHandle handle, PrinterInfo2* out) override {
        if (out == nullptr) return 0;
        std::vector<BYTE> buf;
        if (!ReadSized([&](BYTE* b, DWORD s, DWORD* n) { return ::GetPrinterW(handle, 2, b, s, n); }, &buf))
            return 0;
        const PRINTER_INFO_2W* pi = reinterpret_cast<const PRINTER_INFO_2W*>(buf.data());
        out->serverName = U(pi->pServerName);
        out->printerName = U(pi->pPrinterName);
        out->portName = U(pi->pPortName);
        out->driverName = U(pi->pDriverName);
        out->printProcessor = U(pi->pPrintProcessor);
        out->attributes = pi->Attributes;
        out->devMode.clear();
        if (pi->pDevMode != nullptr) {
            const BYTE* dm = reinterpret_cast<const BYTE*>(pi->pDevMode);
            size_t total = static_cast<size_t>(pi->pDevMode->dmSize) + pi->pDevMode->dmDriverExtra;
            // Never read past the spooler's own block, whatever the header claims.
            const BYTE* end = buf.data() + buf.size();
            if (dm >= buf.data() && dm < end && total > static_cast<size_t>(end - dm))
                total = static_cast<size_t>(end - dm);
            out->devMode.assign(dm, dm + total);
        }
        return 1;
    }

    int GetPrinterAttributes(PrinterHandle handle, int level, uint32_t* attributes) override {
        if (attributes == nullptr || (level != 2 && level != 4 && level != 5)) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        std::vector<BYTE> buf;
        if (!ReadSized([&](BYTE* b, DWORD s, DWORD* n) { return ::GetPrinterW(handle, level, b, s, n); }, &buf))
            return 0;
        switch (level) {
        case 2: *attributes = reinterpret_cast<const PRINTER_INFO_2W*>(buf.data())->Attributes; break;
        case 4: *attributes = reinterpret_cast<const PRINTER_INFO_4W*>(buf.data())->Attributes; break;
        default: *attributes = reinterpret_cast<const PRINTER_INFO_5W*>(buf.data())->Attributes; break;
        }
        return 1;
    }

    int GetPrinterServerName(PrinterHandle handle, std::u16string* out) override {
        if (out == nullptr) return 0;
        std::vector<BYTE> buf;
        if (!ReadSized([&](BYTE* b, DWORD s, DWORD* n) { return ::GetPrinterW(handle, 4, b, s, n); }, &buf))
            return 0;
        *out = U(reinterpret_cast<const PRINTER_INFO_4W*>(buf.data())->pServerName);
        return 1;
    }

    int GetDriverInfo3(PrinterHandle handle, DriverInfo3* out) override {
        if (out == nullptr) return 0;
        std::vector<BYTE> buf;
        if (!ReadSized([&](BYTE* b, DWORD s, DWORD* n) { return ::GetPrinterDriverW(handle, nullptr, 3, b, s, n); },
                       &buf))
            return 0;
        const DRIVER_INFO_3W* di = reinterpret_cast<const DRIVER_INFO_3W*>(buf.data());
        out->name = U(di->pName);
        out->driverPath = U(di->pDriverPath);
        out->dataFile = U(di->pDataFile);
        out->configFile = U(di->pConfigFile);
        out->helpFile = U(di->pHelpFile);
        // A list of texts ending with an empty one, all inside the buffer.
        out->dependentFiles.clear();
        const wchar_t* end = reinterpret_cast<const wchar_t*>(buf.data() + buf.size());
        const wchar_t* begin = reinterpret_cast<const wchar_t*>(buf.data());
        for (const wchar_t* f = di->pDependentFiles; f != nullptr && f >= begin && f < end && *f != 0;) {
            const wchar_t* e = f;
            while (e < end && *e != 0) ++e;
            out->dependentFiles.emplace_back(reinterpret_cast<const char16_t*>(f), static_cast<size_t>(e - f));
            f = e + 1;
        }
        return 1;
    }

    int GetPrinterDriverDirectory(std::u16string* out) override {
        if (out == nullptr) return 0;
        // One call usually suffices; a longer directory gets a second call
        // with the size the spooler asked for.
        std::vector<BYTE> buf((MAX_PATH + 1) * sizeof(wchar_t) * 2, 0);
        DWORD needed = 0;
        if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buf.data(), static_cast<DWORD>(buf.size()), &needed)) {
            if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buf.size()) return 0;
            buf.assign(needed, 0);
            if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buf.data(), needed, &needed)) return 0;
        }
        // Keep the text within the buffer even if it came unterminated.
        const wchar_t* text = reinterpret_cast<const wchar_t*>(buf.data());
        size_t max = buf.size() / sizeof(wchar_t), len = 0;
        while (len < max && text[len] != 0) ++len;
        out->assign(reinterpret_cast<const char16_t*>(text), len);
        return 1;
    }

    int EnumForms(PrinterHandle handle, std::vector<FormInfo>* out) override {
        if (out == nullptr) return 0;
        out->clear();
        DWORD needed = 0, count = 0;
        if (::EnumFormsW(handle, 1, nullptr, 0, &needed, &count)) return 1;  // no forms at all
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return 0;
        std::vector<BYTE> buf(needed, 0);
        if (!::EnumFormsW(handle, 1, buf.data(), needed, &needed, &count)) return 0;
        const FORM_INFO_1W* forms = reinterpret_cast<const FORM_INFO_1W*>(buf.data());
        out->reserve(count);
        for (DWORD i = 0; i < count; ++i) {
            FormInfo f;
            f.flags = forms[i].Flags;
            f.name = U(forms[i].pName);
            f.width = forms[i].Size.cx;
            f.height = forms[i].Size.cy;
            f.left = forms[i].ImageableArea.left;
            f.top = forms[i].ImageableArea.top;
            f.right = forms[i].ImageableArea.right;
            f.bottom = forms[i].ImageableArea.bottom;
            out->push_back(f);
        }
        return 1;
    }

    int AddForm(PrinterHandle handle, const FormInfo& form) override {
        FORM_INFO_1W f;
        std::memset(&f, 0, sizeof f);
        f.Flags = form.flags;
        f.pName = W(form.name.c_str());
        f.Size.cx = form.width;
        f.Size.cy = form.height;
        f.ImageableArea.left = form.left;
        f.ImageableArea.top = form.top;
        f.ImageableArea.right = form.right;
        f.ImageableArea.bottom = form.bottom;
        return ::AddFormW(handle, 1, reinterpret_cast<LPBYTE>(&f)) ? 1 : 0;
    }

    void BroadcastDevModeChange(const char16_t* printerName) override {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(printerName),
                              SMTO_ABORTIFHUNG, 300, &result);
    }

    uint32_t EnumLocalPorts(std::vector<PortEntry>* out) override {
        if (out == nullptr) return ERROR_INVALID_PARAMETER;
        out->clear();
        DWORD needed = 0, returned = 0;
        if (::EnumPortsW(nullptr, 2, nullptr, 0, &needed, &returned)) return 0;
        DWORD error = ::GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER) return error;
        std::vector<BYTE> buffer(needed);
        if (!::EnumPortsW(nullptr, 2, buffer.data(), needed, &needed, &returned)) return ::GetLastError();
        const PORT_INFO_2W* ports = reinterpret_cast<const PORT_INFO_2W*>(buffer.data());
        for (DWORD i = 0; i < returned; i++) out->push_back({U(ports[i].pPortName), U(ports[i].pMonitorName)});
        return 0;
    }

    uint32_t TransceiveData(const char16_t* xcvName, uint32_t access, const char16_t* dataName, const void* input,
                     uint32_t inputSize, void* output, uint32_t outputSize, uint32_t* needed) override {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
        HANDLE h = nullptr;
        if (!::OpenPrinterW(W(xcvName), &h, access ? &defaults : nullptr)) return ::GetLastError();
        DWORD got = 0, status = 0;
        BOOL ok = ::XcvDataW(h, W(dataName), static_cast<PBYTE>(const_cast<void*>(input)), inputSize,
                             static_cast<PBYTE>(output), outputSize, &got, &status);
        DWORD error = ok ? status : ::GetLastError();
        ::ClosePrinter(h);
        if (needed != nullptr) *needed = got;
        return error;
    }

    uint32_t PrintProcessorDirectory(std::u16string* out) override {
        if (out == nullptr) return ERROR_INVALID_PARAMETER;
        DWORD needed = 0;
        if (::GetPrintProcessorDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed)) return ERROR_INVALID_DATA;
        DWORD error = ::GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER) return error;
        std::vector<BYTE> buf(520 > needed ? 520 : needed, 0);
        if (!::GetPrintProcessorDirectoryW(nullptr, nullptr, 1, buf.data(), static_cast<DWORD>(buf.size()), &needed))
            return ::GetLastError();
        const wchar_t* text = reinterpret_cast<const wchar_t*>(buf.data());
        size_t max = buf.size() / sizeof(wchar_t), len = 0;
        while (len < max && text[len] != 0) ++len;
        out->assign(reinterpret_cast<const char16_t*>(text), len);
        return 0;
    }

    int RemovePrintProcessor(const char16_t* name) override {
        return ::DeletePrintProcessorW(nullptr, nullptr, W(name)) ? 1 : 0;
    }

    int RegisterPrintProcessor(const char16_t* fileName, const char16_t* name) override {
        return ::AddPrintProcessorW(nullptr, nullptr, W(fileName), W(name)) ? 1 : 0;
    }

    uint32_t SetPrinterPrintProcessor(PrinterHandle handle, const char16_t* name) override {
        DWORD needed = 0;
        if (!::GetPrinterW(handle, 2, nullptr, 0, &needed)) {
            DWORD error = ::GetLastError();
            if (error != ERROR_INSUFFICIENT_BUFFER) return error;
        }
        if (needed == 0) return ERROR_INVALID_DATA;
        std::vector<BYTE> buf(needed, 0);
        if (!::GetPrinterW(handle, 2, buf.data(), needed, &needed)) return ::GetLastError();
        PRINTER_INFO_2W* info = reinterpret_cast<PRINTER_INFO_2W*>(buf.data());
        info->pPrintProcessor = W(name);
        info->pSecurityDescriptor = nullptr;  // left as it is
        return ::SetPrinterW(handle, 2, buf.data(), 0) ? 0 : ::GetLastError();
    }

    int GetPrinterDevMode(PrinterHandle handle, int level, std::vector<BYTE>* out) override {
        if (out == nullptr || (level != 8 && level != 9)) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        std::vector<BYTE> buf;
        if (!ReadSized([&](BYTE* b, DWORD s, DWORD* n) { return ::GetPrinterW(handle, level, b, s, n); }, &buf))
            return 0;
        // PRINTER_INFO_8 and _9 are both one DEVMODE pointer.
        const DEVMODEW* dm = reinterpret_cast<const PRINTER_INFO_8W*>(buf.data())->pDevMode;
        out->clear();
        if (dm != nullptr) {
            const BYTE* begin = reinterpret_cast<const BYTE*>(dm);
            const BYTE* end = buf.data() + buf.size();
            size_t total = static_cast<size_t>(dm->dmSize) + dm->dmDriverExtra;
            if (begin >= buf.data() && begin < end && total > static_cast<size_t>(end - begin))
                total = static_cast<size_t>(end - begin);
            out->assign(begin, begin + total);
        }
        return 1;
    }

    int SetPrinterDevMode(PrinterHandle handle, int level, const std::vector<BYTE>& devMode) override {
        if (level != 8 && level != 9) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        std::vector<BYTE> copy(devMode);
        PRINTER_INFO_8W info = {copy.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(copy.data())};
        return ::SetPrinterW(handle, level, reinterpret_cast<BYTE*>(&info), 0) ? 1 : 0;
    }

    int32_t DriverDocumentProperties(PrinterHandle handle, void* out, const void* in, uint32_t mode) override {
        return ::DocumentPropertiesW(nullptr, handle, nullptr, static_cast<DEVMODEW*>(out),
                                     static_cast<DEVMODEW*>(const_cast<void*>(in)), mode);
    }
};

class Win32Host final : public Host {
public:
    int VersionAtLeast(uint32_t major, uint32_t minor, uint32_t spMajor) override {
        OSVERSIONINFOEXW v;
        std::memset(&v, 0, sizeof v);
        v.dwOSVersionInfoSize = sizeof v;
        v.dwMajorVersion = major;
        v.dwMinorVersion = minor;
        v.wServicePackMajor = static_cast<WORD>(spMajor);
        ULONGLONG mask = 0;
        mask = ::VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
        mask = ::VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
        mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
        return ::VerifyVersionInfoW(&v, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) ? 1 : 0;
    }

    int IsWorkstation() override {
        OSVERSIONINFOEXW v;
        std::memset(&v, 0, sizeof v);
        v.dwOSVersionInfoSize = sizeof v;
        v.wProductType = VER_NT_WORKSTATION;
        ULONGLONG mask = ::VerSetConditionMask(0, VER_PRODUCT_TYPE, VER_EQUAL);
        return ::VerifyVersionInfoW(&v, VER_PRODUCT_TYPE, mask) ? 1 : 0;
    }

    int GetVersionEx(OsVersionInfo* out) override {
        if (out == nullptr) return 0;
        OSVERSIONINFOEXW v;
        std::memset(&v, 0, sizeof v);
        v.dwOSVersionInfoSize = sizeof v;
        if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&v))) return 0;
        out->major = v.dwMajorVersion;
        out->minor = v.dwMinorVersion;
        out->build = v.dwBuildNumber;
        out->platformId = v.dwPlatformId;
        out->servicePackMajor = v.wServicePackMajor;
        out->productType = v.wProductType;
        return 1;
    }

    std::u16string ComputerName() override {
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        if (!::GetComputerNameW(name, &size)) return std::u16string();
        return U(name);
    }

    std::u16string UserName() override {
        wchar_t name[257] = {};  // UNLEN + 1
        DWORD size = 257;
        if (!::GetUserNameW(name, &size)) return std::u16string();
        return U(name);
    }

    std::u16string MessageFontFace() override {
        // The structure size without iPaddedBorderWidth (500 bytes) is the one
        // every Windows version since 2000 accepts.
        NONCLIENTMETRICSW metrics;
        std::memset(&metrics, 0, sizeof metrics);
        metrics.cbSize = 500;
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0)) return std::u16string();
        metrics.lfMessageFont.lfFaceName[LF_FACESIZE - 1] = 0;
        return U(metrics.lfMessageFont.lfFaceName);
    }

    uint16_t SystemDefaultUILanguage() override { return ::GetSystemDefaultUILanguage(); }

    int ClusterServiceAvailable() override {
        SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
        if (manager == nullptr) return 0;
        SC_HANDLE service = ::OpenServiceW(manager, L"ClusSvc", SERVICE_QUERY_STATUS);
        int ok = service != nullptr ? 1 : 0;
        if (service != nullptr) ::CloseServiceHandle(service);
        ::CloseServiceHandle(manager);
        return ok;
    }

    HostTime LocalTime() override {
        SYSTEMTIME st;
        ::GetLocalTime(&st);
        HostTime t = {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond,
                      st.wMilliseconds};
        return t;
    }

    uint32_t TickCount() override { return ::GetTickCount(); }
    uint32_t ProcessId() override { return ::GetCurrentProcessId(); }
    uint32_t ThreadId() override { return ::GetCurrentThreadId(); }
    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }

    void DebugOutput(const char16_t* line) override {
        if (line != nullptr) ::OutputDebugStringW(reinterpret_cast<LPCWSTR>(line));
    }

    int LoadResourceString(uint32_t languageId, uint32_t id, char16_t* buffer, int capacity) override {
        if (buffer != nullptr && capacity > 0) buffer[0] = 0;
        ResourceStringReader reader = g_stringReader.load();
        return reader && buffer && capacity > 0 ? reader(g_stringContext.load(), languageId, id, buffer, capacity) : 0;
    }

    void SetLastError(uint32_t code) override { ::SetLastError(code); }
    uint32_t GetLastError() override { return ::GetLastError(); }

    int ReadMachineValue(const char16_t* key, const char16_t* value, uint32_t* type, uint32_t* data) override {
        HKEY k = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, W(key), 0, KEY_READ, &k) != ERROR_SUCCESS) return 0;
        DWORD t = 0, size = 0;
        LONG rc = ::RegQueryValueExW(k, W(value), nullptr, &t, nullptr, &size);
        BYTE bytes[4] = {};
        if (rc == ERROR_SUCCESS && size <= 4) {
            DWORD got = sizeof bytes;
            rc = ::RegQueryValueExW(k, W(value), nullptr, &t, bytes, &got);
        }
        ::RegCloseKey(k);
        if (rc != ERROR_SUCCESS) return 0;
        if (type != nullptr) *type = t;
        if (data != nullptr) std::memcpy(data, bytes, 4);
        return 1;
    }

    int CopyFileOver(const char16_t* from, const char16_t* to) override {
        return ::CopyFileW(reinterpret_cast<LPCWSTR>(from), reinterpret_cast<LPCWSTR>(to), FALSE) ? 1 : 0;
    }
};

Win32Spooler g_spooler;
Win32Host g_host;

}  // namespace

void SetResourceStringReader(ResourceStringReader reader, void* context) {
    g_stringContext = context;
    g_stringReader = reader;
}

void InstallWin32Platform() {
    InstallPlatform(&g_spooler, &g_host);
    InstallProfile(&Win32Profile());
}
