#include "entry/install_strings_win32.h"

#include <winspool.h>

#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "ui/resource_module_win32.h"

namespace {

// The language the installation names (0: none chosen yet, the user's).
int ReadInstallString(void* context, uint32_t languageId, uint32_t id, char16_t* buffer, int capacity) {
    const uint16_t language = languageId ? static_cast<uint16_t>(languageId) : DefaultUILanguage();
    return static_cast<int>(LoadResString(static_cast<HMODULE>(context), id, reinterpret_cast<wchar_t*>(buffer),
                                          static_cast<uint32_t>(capacity), language));
}

}  // namespace

InstallStrings::InstallStrings(const char16_t* printerName) {
    PrinterHandle h = nullptr;
    if (!printerName || !Spool().OpenPrinter(printerName, kPrinterAccessUse, &h)) return;
    module_ = LoadResourceModule(h, 0);
    Spool().ClosePrinter(h);
    if (module_) SetResourceStringReader(ReadInstallString, module_);
}

InstallStrings::~InstallStrings() {
    if (!module_) return;
    SetResourceStringReader(nullptr, nullptr);
    FreeResourceModule(module_);
}
