// zr51-show-defaults: installs the driver DLL beside this program, with the
// model description from models\ as its dependent file, into the local
// spooler (once per prefix: driver files are refreshed each run, the printer
// is created only when missing), asks the DLL for the printer's default
// settings and prints them field by field as UTF-8, after the model
// description the driver finds among its files.
//
//   zr51-show-defaults [--printer NAME] [--convert] [--reinstall]
//
// By default the settings come the way an application gets them,
// DocumentPropertiesW with DM_OUT_BUFFER; --convert calls the DLL's own
// DrvConvertDevMode with CDM_DRIVER_DEFAULT instead. The spooler keeps the
// DEVMODE the driver gave when the printer was added and the DLL starts from
// it, so --reinstall deletes the printer first to see fresh defaults.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/private_settings.h"
#include "base/text16.h"
#include "driver_setup_win32.h"
#include "model/rdf.h"
#include "platform/platform_win32.h"
#include "settings/field_table.h"

namespace {

// The driver is installed under its model's name, with the model description
// as a dependent file, as the driver package installs it.
const wchar_t kDriverName[] = L"KELO ZR-C4500";
const wchar_t kModelFile[] = L"ZRC4500.RDF";
const wchar_t kDefaultPrinter[] = L"KELO ZR-C4500 demo";
const wchar_t kDllName[] = L"ZR51AUI.dll";
constexpr DWORD kCdmDriverDefault = 4;

typedef BOOL(WINAPI* ConvertDevModeFn)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n);
    return out;
}

int Fail(const char* what) {
    std::fprintf(stderr, "zr51-show-defaults: %s failed (error %lu)\n", what, GetLastError());
    return 0;
}

// Driver files are refreshed on every run so a rebuilt DLL is what runs; the
// printer itself is created once.
int EnsureInstalled(const std::wstring& printer) {
    std::wstring dll = FileBesideExecutable(kDllName);
    if (GetFileAttributesW(dll.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "zr51-show-defaults: %s not found beside the program\n", Utf8(dll).c_str());
        return 0;
    }
    if (!CopyIntoDriverDirectory(dll, nullptr)) return Fail("copying the DLL into the driver directory");
    std::wstring model = FileBesideExecutable((std::wstring(L"models\\") + kModelFile).c_str());
    if (!CopyIntoDriverDirectory(model, nullptr)) return Fail("copying the model description into the driver directory");
    if (!AddDriverWithFiles(kDriverName, kDllName, {kModelFile})) return Fail("AddPrinterDriverW");
    if (PrinterExists(printer.c_str())) return 1;
    if (!AddPrinterOnPort(printer.c_str(), kDriverName, L"FILE:")) return Fail("AddPrinterW");
    std::fprintf(stderr, "zr51-show-defaults: installed printer \"%s\"\n", Utf8(printer).c_str());
    return 1;
}

int DefaultsByDocumentProperties(const std::wstring& printer, std::vector<BYTE>* out) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &h, nullptr)) return Fail("OpenPrinterW");
    LPWSTR name = const_cast<LPWSTR>(printer.c_str());
    LONG size = DocumentPropertiesW(nullptr, h, name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DriverDevMode))) {
        ClosePrinter(h);
        std::fprintf(stderr, "zr51-show-defaults: DocumentPropertiesW reports size %ld\n", size);
        return 0;
    }
    out->assign(size, 0);
    LONG rc = DocumentPropertiesW(nullptr, h, name, reinterpret_cast<PDEVMODEW>(out->data()), nullptr, DM_OUT_BUFFER);
    ClosePrinter(h);
    if (rc != IDOK) return Fail("DocumentPropertiesW(DM_OUT_BUFFER)");
    return 1;
}

int DefaultsByConvert(const std::wstring& printer, std::vector<BYTE>* out) {
    std::wstring config;
    if (!InstalledConfigFile(kDriverName, &config)) return Fail("finding the installed driver");
    HMODULE dll = LoadLibraryW(config.c_str());
    if (dll == nullptr) return Fail("LoadLibraryW");
    ConvertDevModeFn convert = reinterpret_cast<ConvertDevModeFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DrvConvertDevMode")));
    if (convert == nullptr) {
        FreeLibrary(dll);
        return Fail("GetProcAddress(DrvConvertDevMode)");
    }
    out->assign(sizeof(DriverDevMode), 0);
    LONG size = static_cast<LONG>(out->size());
    BOOL ok = convert(const_cast<LPWSTR>(printer.c_str()), nullptr, reinterpret_cast<PDEVMODEW>(out->data()), &size,
                      kCdmDriverDefault);
    DWORD err = GetLastError();
    FreeLibrary(dll);
    SetLastError(err);
    if (!ok) return Fail("DrvConvertDevMode(CDM_DRIVER_DEFAULT)");
    out->resize(size);
    return 1;
}

int Run(int argc, char** argv) {
    std::wstring printer = kDefaultPrinter;
    int useConvert = 0;
    int reinstall = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--printer") == 0 && i + 1 < argc) {
            printer = Wide(argv[++i]);
        } else if (std::strcmp(argv[i], "--convert") == 0) {
            useConvert = 1;
        } else if (std::strcmp(argv[i], "--reinstall") == 0) {
            reinstall = 1;
        } else {
            std::fprintf(stderr, "usage: zr51-show-defaults [--printer NAME] [--convert] [--reinstall]\n");
            return 2;
        }
    }
    // The dump is the core's; give it the real platform as the DLL has.
    InstallWin32Platform();
    if (reinstall && !RemovePrinter(printer.c_str())) {
        Fail("DeletePrinter");
        return 1;
    }
    if (!EnsureInstalled(printer)) return 1;

    // Which model description the driver finds among its files.
    std::string modelPath = "(none)";
    HANDLE h = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &h, nullptr)) {
        char16_t path[260] = {};
        if (GetRdfFilePath(h, path, 260)) modelPath = Text16ToUtf8(path);
        ClosePrinter(h);
    }

    std::vector<BYTE> devmode;
    if (!(useConvert ? DefaultsByConvert(printer, &devmode) : DefaultsByDocumentProperties(printer, &devmode)))
        return 1;
    if (devmode.size() < sizeof(DriverDevMode)) {
        std::fprintf(stderr, "zr51-show-defaults: the DLL returned %u bytes, expected %u\n",
                     static_cast<unsigned>(devmode.size()), static_cast<unsigned>(sizeof(DriverDevMode)));
        return 1;
    }
    std::string dump = DumpDriverDevMode(reinterpret_cast<const DriverDevMode*>(devmode.data()));
    // Binary mode: UTF-8 with plain line feeds, whatever the console is.
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("# printer: %s (%s)\n", Utf8(printer).c_str(),
                useConvert ? "DrvConvertDevMode CDM_DRIVER_DEFAULT" : "DocumentPropertiesW DM_OUT_BUFFER");
    std::printf("# model description: %s\n", modelPath.c_str());
    std::fwrite(dump.data(), 1, dump.size(), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (...) {
        std::fprintf(stderr, "zr51-show-defaults: out of memory\n");
        return 1;
    }
}
