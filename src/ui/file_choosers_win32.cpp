#include "ui/file_choosers_win32.h"

#include <commdlg.h>
#include <shlobj.h>

#include "ui/file_filter.h"
#include "ui/resource_module_win32.h"

namespace {

typedef BOOL(WINAPI* FileDialogFn)(LPOPENFILENAMEW);
typedef HRESULT(WINAPI* FolderPathFn)(HWND, int, HANDLE, DWORD, LPWSTR);
typedef BOOL(WINAPI* PathFn)(LPWSTR);
typedef BOOL(WINAPI* PathExistsFn)(LPCWSTR);
typedef HRESULT(WINAPI* CoInitializeFn)(LPVOID);
typedef void(WINAPI* CoUninitializeFn)();
typedef void(WINAPI* CoTaskMemFreeFn)(LPVOID);
typedef PIDLIST_ABSOLUTE(WINAPI* BrowseFn)(LPBROWSEINFOW);
typedef BOOL(WINAPI* IdListPathFn)(PCIDLIST_ABSOLUTE, LPWSTR);

template <typename F>
F Resolve(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// The common dialogs, resolved on first use and kept for the process.
FileDialogFn g_openFile = nullptr;
FileDialogFn g_saveFile = nullptr;

int ResolveFileDialogs() {
    if (g_openFile && g_saveFile) return 1;
    HMODULE dialogs = LoadLibraryW(L"comdlg32.dll");
    g_openFile = Resolve<FileDialogFn>(dialogs, "GetOpenFileNameW");
    g_saveFile = Resolve<FileDialogFn>(dialogs, "GetSaveFileNameW");
    return g_openFile && g_saveFile;
}

int CALLBACK SelectStartFolder(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

}  // namespace

int GetSpecialFolder(int folder, wchar_t* path) {
    if (!path) return 0;
    HMODULE shell = LoadLibraryW(L"Shell32.dll");
    auto folderPath = Resolve<FolderPathFn>(shell, "SHGetFolderPathW");
    int ok = folderPath && folderPath(nullptr, folder, nullptr, 0, path) == S_OK;
    if (shell) FreeLibrary(shell);
    return ok;
}

int ChooseFile(HMODULE module, HWND owner, wchar_t* path, uint32_t filterId, uint32_t extensionId, int save,
               uint16_t language) {
    // One more character than the string can take: the list ends in two NULs.
    wchar_t filter[261] = {};
    wchar_t extension[16] = {};
    if (!path || !LoadResString(module, filterId, filter, 260, language) ||
        !LoadResString(module, extensionId, extension, 16, language))
        return 0;
    if (!ResolveFileDialogs()) return 0;
    wchar_t saved[MAX_PATH] = {};
    DWORD savedLength = GetCurrentDirectoryW(MAX_PATH, saved);
    wchar_t documents[MAX_PATH] = {};
    if (GetSpecialFolder(CSIDL_PERSONAL, documents)) SetCurrentDirectoryW(documents);

    wchar_t file[MAX_PATH] = {};
    wchar_t folder[MAX_PATH + 1] = {};
    HMODULE paths = LoadLibraryW(L"Shlwapi.dll");
    auto exists = Resolve<PathExistsFn>(paths, "PathFileExistsW");
    auto removeFileSpec = Resolve<PathFn>(paths, "PathRemoveFileSpecW");
    if (path[0] && exists && exists(path)) {
        const wchar_t* title = path;
        for (const wchar_t* c = path; *c; ++c)
            if (*c == L'\\' || *c == L'/') title = c + 1;
        lstrcpynW(file, title, MAX_PATH);
    }
    if (path[0] && removeFileSpec) {
        lstrcpynW(folder, path, MAX_PATH);
        removeFileSpec(folder);
        int n = lstrlenW(folder);
        if (n > 0 && folder[n - 1] != L'\\') lstrcatW(folder, L"\\");
    }
    if (paths) FreeLibrary(paths);
    FilterSeparatorsToNul(reinterpret_cast<char16_t*>(filter));

    OPENFILENAMEW ofn;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder[0] ? folder : nullptr;
    ofn.lpstrDefExt = extension;
    ofn.Flags = save ? OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT
                     : OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_READONLY;
    int chosen = (save ? g_saveFile : g_openFile)(&ofn) ? 1 : 0;
    if (chosen) lstrcpynW(path, file, MAX_PATH);
    if (savedLength && savedLength < MAX_PATH) SetCurrentDirectoryW(saved);
    return chosen;
}

int ChooseFolder(HWND owner, wchar_t* path) {
    if (!path) return 0;
    HMODULE ole = LoadLibraryW(L"Ole32.dll");
    HMODULE shell = LoadLibraryW(L"Shell32.dll");
    auto coInitialize = Resolve<CoInitializeFn>(ole, "CoInitialize");
    auto coUninitialize = Resolve<CoUninitializeFn>(ole, "CoUninitialize");
    auto coTaskMemFree = Resolve<CoTaskMemFreeFn>(ole, "CoTaskMemFree");
    auto browse = Resolve<BrowseFn>(shell, "SHBrowseForFolderW");
    auto idListPath = Resolve<IdListPathFn>(shell, "SHGetPathFromIDListW");
    int chosen = 0;
    if (coInitialize && coUninitialize && coTaskMemFree && browse && idListPath) {
        HRESULT started = coInitialize(nullptr);
        wchar_t display[MAX_PATH] = {};
        BROWSEINFOW bi;
        ZeroMemory(&bi, sizeof bi);
        bi.hwndOwner = owner;
        bi.pszDisplayName = display;
        bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
        bi.lpfn = SelectStartFolder;
        bi.lParam = reinterpret_cast<LPARAM>(path);
        PIDLIST_ABSOLUTE list = browse(&bi);
        if (list) {
            wchar_t chosenPath[MAX_PATH] = {};
            if (idListPath(list, chosenPath)) {
                lstrcpynW(path, chosenPath, MAX_PATH);
                chosen = 1;
            }
            coTaskMemFree(list);
        }
        if (SUCCEEDED(started)) coUninitialize();
    }
    if (shell) FreeLibrary(shell);
    if (ole) FreeLibrary(ole);
    return chosen;
}
