// The narrow interfaces through which the portable core reaches the system:
// the print spooler (printer handles, printer data, printer information,
// forms) and the host (OS version, names, clock, debugger output, resource
// strings). The DLL installs the win32 implementation at process attach;
// native tests install the in-memory fakes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

typedef void* PrinterHandle;  // the spooler's HANDLE

// Registry value types as the spooler stores them.
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

// Win32 error codes the core uses.
constexpr uint32_t kErrSuccess = 0;
constexpr uint32_t kErrFileNotFound = 2;
constexpr uint32_t kErrNotEnoughMemory = 8;
constexpr uint32_t kErrNotSupported = 50;
constexpr uint32_t kErrInvalidParameter = 87;
constexpr uint32_t kErrInsufficientBuffer = 122;
constexpr uint32_t kErrMoreData = 234;

// Desired access rights for OpenPrinter.
constexpr uint32_t kPrinterAccessAdminister = 0x00000004;
constexpr uint32_t kPrinterAccessUse = 0x00000008;
constexpr uint32_t kPrinterAllAccess = 0x000F000C;

// Raw spooler structures are returned as owned copies: PRINTER_INFO_2's
// pointers become strings and the DEVMODE becomes its bytes.
struct PrinterInfo2 {
    std::u16string serverName;
    std::u16string printerName;
    std::u16string portName;
    std::u16string driverName;
    std::u16string printProcessor;
    uint32_t attributes = 0;
    std::vector<uint8_t> devMode;  // empty when the printer has none
};

struct DriverInfo3 {
    std::u16string name;  // pName, the driver's name
    std::u16string driverPath;
    std::u16string dataFile;
    std::u16string configFile;
    std::u16string helpFile;
    std::vector<std::u16string> dependentFiles;  // pDependentFiles, in order
};

// One port of the local machine (PORT_INFO_2).
struct PortEntry {
    std::u16string portName;
    std::u16string monitorName;
};

struct FormInfo {
    uint32_t flags = 0;
    std::u16string name;
    int32_t width = 0;   // thousandths of a millimetre
    int32_t height = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // imageable area
};

class Spooler {
public:
    virtual ~Spooler() = default;
    // 1 with *handle set, or 0 (the reason goes to the host's last error).
    virtual int OpenPrinter(const char16_t* name, uint32_t access, PrinterHandle* handle) = 0;
    virtual void ClosePrinter(PrinterHandle handle) = 0;
    // GetPrinterDataW: returns the error code (0, 2, 234, ...), reports the
    // stored type and size through *type and *needed (either may be null).
    virtual uint32_t GetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t* type,
                                    void* buffer, uint32_t size, uint32_t* needed) = 0;
    virtual uint32_t SetPrinterData(PrinterHandle handle, const char16_t* value, uint32_t type,
                                    const void* data, uint32_t size) = 0;
    // DeletePrinterDataW: the error code (2 when the value is absent).
    virtual uint32_t DeletePrinterData(PrinterHandle handle, const char16_t* value) = 0;
    // GetPrinterW level 2, 4 or 5 and GetPrinterDriverW level 3; 1/0.
    virtual int GetPrinterInfo2(PrinterHandle handle, PrinterInfo2* out) = 0;
    virtual int GetPrinterAttributes(PrinterHandle handle, int level, uint32_t* attributes) = 0;
    // The server part of a shared printer's name (PRINTER_INFO_4); empty for
    // a local printer. Cheaper than level 2, which carries the DEVMODE.
    virtual int GetPrinterServerName(PrinterHandle handle, std::u16string* out) = 0;
    virtual int GetDriverInfo3(PrinterHandle handle, DriverInfo3* out) = 0;
    virtual int GetPrinterDriverDirectory(std::u16string* out) = 0;
    virtual int EnumForms(PrinterHandle handle, std::vector<FormInfo>* out) = 0;
    virtual int AddForm(PrinterHandle handle, const FormInfo& form) = 0;
    // WM_DEVMODECHANGE to every top-level window, 300 ms, abort if hung.
    virtual void BroadcastDevModeChange(const char16_t* printerName) = 0;
    // EnumPortsW level 2 on the local machine: 0 with the ports (none when
    // the size query succeeds outright), or the error of the size query (other
    // than 122), of the allocation (8) or of the second call.
    virtual uint32_t EnumLocalPorts(std::vector<PortEntry>* out) = 0;
    // Opens the transceive handle xcvName (",XcvPort name" or
    // "server\,XcvPort name") with the given access (0: no defaults), calls
    // XcvDataW and closes it. 0 with output filled and *needed set, or the
    // last error of the failed open or call, or XcvDataW's non-zero status.
    virtual uint32_t TransceiveData(const char16_t* xcvName, uint32_t access, const char16_t* dataName,
                             const void* input, uint32_t inputSize, void* output, uint32_t outputSize,
                             uint32_t* needed) = 0;

    // Installation. The print processor directory of the local machine and
    // current environment (GetPrintProcessorDirectoryW level 1): 0 with the
    // path, or the error that stopped it (122 from the size query goes on).
    virtual uint32_t PrintProcessorDirectory(std::u16string* out) = 0;
    virtual int RemovePrintProcessor(const char16_t* name) = 0;  // 1/0
    virtual int RegisterPrintProcessor(const char16_t* fileName, const char16_t* name) = 0;
    // PRINTER_INFO_2 read and written back with another print processor
    // (SetPrinterW level 2, command 0): 0, or the error of the read or write.
    virtual uint32_t SetPrinterPrintProcessor(PrinterHandle handle, const char16_t* name) = 0;
    // The DEVMODE of PRINTER_INFO_8 (the printer's global default) or _9
    // (the user's default): 1 when the level could be read, with out empty
    // when it carries no DEVMODE; 0 when it cannot be read.
    virtual int GetPrinterDevMode(PrinterHandle handle, int level, std::vector<uint8_t>* out) = 0;
    virtual int SetPrinterDevMode(PrinterHandle handle, int level, const std::vector<uint8_t>& devMode) = 0;
    // DocumentPropertiesW without a window or device name: the spooler hands
    // the call to the printer's driver. Its result (the size for mode 0, a
    // negative value on failure).
    virtual int32_t DriverDocumentProperties(PrinterHandle handle, void* out, const void* in, uint32_t mode) = 0;
};

struct HostTime {
    uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};

struct OsVersionInfo {
    uint32_t major = 0, minor = 0, build = 0, platformId = 2;
    uint32_t servicePackMajor = 0;
    uint32_t productType = 1;  // 1 workstation, 2 domain controller, 3 server
};

class Host {
public:
    virtual ~Host() = default;
    // VerifyVersionInfoW-style: is the OS at least major.minor with service
    // pack spMajor; and is the product type the workstation one.
    virtual int VersionAtLeast(uint32_t major, uint32_t minor, uint32_t spMajor) = 0;
    virtual int IsWorkstation() = 0;
    virtual int GetVersionEx(OsVersionInfo* out) = 0;
    virtual std::u16string ComputerName() = 0;
    virtual std::u16string UserName() = 0;
    // SystemParametersInfoW(SPI_GETNONCLIENTMETRICS) message font face, or
    // an empty string when the call fails.
    virtual std::u16string MessageFontFace() = 0;
    virtual uint16_t SystemDefaultUILanguage() = 0;
    // 1 when the cluster service can be opened on this machine.
    virtual int ClusterServiceAvailable() = 0;
    virtual HostTime LocalTime() = 0;
    virtual uint32_t TickCount() = 0;
    virtual uint32_t ProcessId() = 0;
    virtual uint32_t ThreadId() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual void DebugOutput(const char16_t* line) = 0;
    // A string of the resource module in the given language; 0 when the
    // module or the string is missing (the caller keeps its built-in text).
    virtual int LoadResourceString(uint32_t languageId, uint32_t id, char16_t* buffer, int capacity) = 0;
    virtual void SetLastError(uint32_t code) = 0;
    virtual uint32_t GetLastError() = 0;
    // A value under HKEY_LOCAL_MACHINE\key: 1 with its type and up to 4
    // bytes of it in *data (zero-extended), or 0 when the key or value is missing.
    virtual int ReadMachineValue(const char16_t* key, const char16_t* value, uint32_t* type, uint32_t* data) = 0;
    // CopyFileW, overwriting the target: 1/0.
    virtual int CopyFileOver(const char16_t* from, const char16_t* to) = 0;
};

struct Platform {
    Spooler* spooler;
    Host* host;
};

// The process-wide platform. Set once before any export runs.
Platform& CurrentPlatform();
void InstallPlatform(Spooler* spooler, Host* host);
inline Spooler& Spool() { return *CurrentPlatform().spooler; }
inline Host& Sys() { return *CurrentPlatform().host; }
