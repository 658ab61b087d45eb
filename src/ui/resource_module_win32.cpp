#include "ui/resource_module_win32.h"

#include "platform/isolation_win32.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "session/global_list.h"
#include "ui/resource_module_name.h"
#include "ui/string_block.h"
#include "ui/ui_language.h"

namespace {

// The file of the module this code is linked into (the UI DLL, or a test
// program): the resource module of last resort, which holds no templates.
bool OwnModulePath(wchar_t* out, DWORD capacity) {
    HMODULE self = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCWSTR>(&OwnModulePath), &self))
        return false;
    DWORD n = ::GetModuleFileNameW(self, out, capacity);
    return n > 0 && n < capacity;
}

struct ModuleStrings {
    HMODULE module;
    uint16_t language;
};

int ReadModuleString(void* context, uint32_t, uint32_t id, char16_t* buffer, int capacity) {
    const auto* m = static_cast<const ModuleStrings*>(context);
    return static_cast<int>(LoadResString(m->module, id, reinterpret_cast<wchar_t*>(buffer),
                                          static_cast<uint32_t>(capacity), m->language));
}

}  // namespace

void BuildListsFromModule(PrinterSession* session, const char16_t* printerName, HMODULE module, uint16_t language) {
    ModuleStrings strings = {module, language};
    SetResourceStringReader(ReadModuleString, &strings);
    InitGlobalList(session, printerName, 0);
    SetResourceStringReader(nullptr, nullptr);
}

int FindResourceModulePath(HANDLE printer, wchar_t* path) {
    if (!path) return 0;
    path[0] = 0;
    DriverInfo3 driver;
    if (!Spool().GetDriverInfo3(printer, &driver)) return 0;
    wchar_t own[MAX_PATH] = {};
    const char16_t* fallback = OwnModulePath(own, MAX_PATH) ? reinterpret_cast<const char16_t*>(own) : nullptr;
    return PickResourceModulePath(driver.dataFile, driver.dependentFiles, fallback,
                                  reinterpret_cast<char16_t*>(path), MAX_PATH);
}

HMODULE LoadResourceModule(HANDLE printer, uint32_t language) {
    (void)language;
    wchar_t path[MAX_PATH] = {};
    if (!FindResourceModulePath(printer, path) || path[0] == 0) return nullptr;
    return IsolationAwareLoadLibraryW(path);
}

void FreeResourceModule(HMODULE module) {
    if (module) ::FreeLibrary(module);
}

uint16_t DefaultUILanguage() { return MapUILanguage(::GetUserDefaultUILanguage()); }

uint32_t LoadResString(HMODULE module, uint32_t id, wchar_t* out, uint32_t capacity, uint16_t language) {
    if (!module || !out || capacity == 0) return 0;
    HRSRC found = ::FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(StringBlockOf(id)), language);
    if (!found) return 0;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* block = loaded ? ::LockResource(loaded) : nullptr;
    if (!block) return 0;
    return CopyStringFromBlock(static_cast<const uint8_t*>(block), ::SizeofResource(module, found), id,
                               reinterpret_cast<char16_t*>(out), capacity);
}

LPCDLGTEMPLATEW FindDialogTemplate(HMODULE module, uint16_t id, uint16_t language) {
    if (!module) return nullptr;
    HRSRC found = ::FindResourceExW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), language);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
}

INT_PTR ResDialogBox(HMODULE module, HWND owner, uint16_t id, DLGPROC proc, LPARAM parameter, uint16_t language) {
    LPCDLGTEMPLATEW dialog = FindDialogTemplate(module, id, language);
    if (!dialog) return -1;
    return IsolationAwareDialogBoxIndirectParamW(module, dialog, owner, proc, parameter);
}

HWND ResCreateDialog(HMODULE module, HWND owner, uint16_t id, DLGPROC proc, LPARAM parameter, uint16_t language) {
    LPCDLGTEMPLATEW dialog = FindDialogTemplate(module, id, language);
    if (!dialog) return nullptr;
    return IsolationAwareCreateDialogIndirectParamW(module, dialog, owner, proc, parameter);
}
