// The module's activation context: created on first use from its manifest
// resource so that comctl32 and compstui load as version 6 whatever the host
// process's own manifest says. Written out rather than taken from the SDK's
// isolation-aware headers, which the toolchain does not carry; the first use
// is DllMain's common-controls initialisation.
#include "entry/isolation_win32.h"

#include <commctrl.h>

namespace {

constexpr WORD kManifestResource = 2;

HINSTANCE g_module = nullptr;
HANDLE g_context = INVALID_HANDLE_VALUE;
bool g_noContext = false;  // creation failed for good: run without one
bool g_cleanedUp = false;

typedef void(WINAPI* InitCommonControlsFn)();
typedef BOOL(WINAPI* InitCommonControlsExFn)(const INITCOMMONCONTROLSEX*);
typedef LONG(WINAPI* CommonPropertySheetUIFn)(HWND, SheetFunction, LPARAM, LPDWORD);

bool CreateModuleContext() {
    wchar_t path[MAX_PATH] = {};
    if (!g_module || !::GetModuleFileNameW(g_module, path, MAX_PATH)) return false;
    ACTCTXW ctx;
    ZeroMemory(&ctx, sizeof ctx);
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.lpSource = path;
    ctx.hModule = g_module;
    ctx.lpResourceName = MAKEINTRESOURCEW(kManifestResource);
    HANDLE h = ::CreateActCtxW(&ctx);
    if (h == INVALID_HANDLE_VALUE) return false;
    // Two threads may race here; the loser releases its copy.
    if (InterlockedCompareExchangePointer(&g_context, h, INVALID_HANDLE_VALUE) != INVALID_HANDLE_VALUE)
        ::ReleaseActCtx(h);
    return true;
}

// TRUE with *cookie set (0 when no context is active) or FALSE.
BOOL Activate(ULONG_PTR* cookie) {
    *cookie = 0;
    if (g_cleanedUp) {
        ::OutputDebugStringA("IsolationAware function called after IsolationAwareCleanup\n");
        return TRUE;
    }
    if (g_noContext) return TRUE;
    if (g_context == INVALID_HANDLE_VALUE && !CreateModuleContext()) {
        g_noContext = true;
        return TRUE;
    }
    return ::ActivateActCtx(g_context, cookie);
}

void Deactivate(ULONG_PTR cookie) {
    if (cookie) ::DeactivateActCtx(0, cookie);
}

}  // namespace

void IsolationSetModule(HINSTANCE module) { g_module = module; }

void IsolationAwareCleanup() {
    HANDLE h = InterlockedExchangePointer(&g_context, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) ::ReleaseActCtx(h);
    g_cleanedUp = true;
}

HMODULE IsolationAwareLoadLibraryW(LPCWSTR name) {
    ULONG_PTR cookie = 0;
    if (!Activate(&cookie)) return nullptr;
    HMODULE module = ::LoadLibraryW(name);
    DWORD error = ::GetLastError();
    Deactivate(cookie);
    ::SetLastError(error);
    return module;
}

INT_PTR IsolationAwareDialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner, DLGPROC proc,
                                              LPARAM parameter) {
    ULONG_PTR cookie = 0;
    if (!Activate(&cookie)) return -1;
    INT_PTR result = ::DialogBoxIndirectParamW(instance, dialog, owner, proc, parameter);
    DWORD error = ::GetLastError();
    Deactivate(cookie);
    ::SetLastError(error);
    return result;
}

HWND IsolationAwareCreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner, DLGPROC proc,
                                              LPARAM parameter) {
    ULONG_PTR cookie = 0;
    if (!Activate(&cookie)) return nullptr;
    HWND window = ::CreateDialogIndirectParamW(instance, dialog, owner, proc, parameter);
    DWORD error = ::GetLastError();
    Deactivate(cookie);
    ::SetLastError(error);
    return window;
}

FARPROC IsolationAwareGetProcAddress(HMODULE module, LPCSTR name) {
    ULONG_PTR cookie = 0;
    if (!Activate(&cookie)) return nullptr;
    FARPROC proc = ::GetProcAddress(module, name);
    DWORD error = ::GetLastError();
    Deactivate(cookie);
    ::SetLastError(error);
    return proc;
}

void InitCommonControlsIsolated() {
    // Written once with the same value by every writer.
    static InitCommonControlsFn init = nullptr;
    static InitCommonControlsExFn initEx = nullptr;
    if (!init || !initEx) {
        HMODULE comctl = IsolationAwareLoadLibraryW(L"comctl32.dll");
        if (!comctl) return;
        init = reinterpret_cast<InitCommonControlsFn>(
            reinterpret_cast<void*>(IsolationAwareGetProcAddress(comctl, "InitCommonControls")));
        initEx = reinterpret_cast<InitCommonControlsExFn>(
            reinterpret_cast<void*>(IsolationAwareGetProcAddress(comctl, "InitCommonControlsEx")));
        // comctl32 stays loaded for the life of the process, as the sheets
        // need it.
    }
    ULONG_PTR cookie = 0;
    if (!Activate(&cookie)) return;
    if (init) init();
    if (initEx) {
        INITCOMMONCONTROLSEX icc;
        icc.dwSize = 8;
        icc.dwICC = ICC_STANDARD_CLASSES;
        initEx(&icc);
    }
    Deactivate(cookie);
}

LONG CallCommonPropertySheetUI(HWND window, SheetFunction sheet, LPARAM parameter, DWORD* result) {
    HMODULE compstui = IsolationAwareLoadLibraryW(L"compstui.dll");
    if (!compstui) return -1;
    CommonPropertySheetUIFn call = reinterpret_cast<CommonPropertySheetUIFn>(
        reinterpret_cast<void*>(IsolationAwareGetProcAddress(compstui, "CommonPropertySheetUIW")));
    if (!call) {
        ::FreeLibrary(compstui);
        return -1;
    }
    LONG r = -1;
    ULONG_PTR cookie = 0;
    if (Activate(&cookie)) {
        r = call(window, sheet, parameter, result);
        Deactivate(cookie);
    }
    ::FreeLibrary(compstui);
    return r;
}
