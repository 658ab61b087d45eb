// Drives, folders and messages of the output destinations.
#include "ui/output_destination_win32.h"

#include <cstring>
#include <string>

#include "ui/resource_module_win32.h"

namespace {

constexpr int kDriveList = 31911, kUsbFolderList = 31913, kFolderList = 31915;
constexpr int kMessageChars = 512;

const wchar_t* W(const char16_t* t) { return reinterpret_cast<const wchar_t*>(t); }
wchar_t* W(char16_t* t) { return reinterpret_cast<wchar_t*>(t); }

std::wstring ResText(HMODULE resources, uint16_t language, uint32_t id) {
    wchar_t text[kMessageChars] = {};
    LoadResString(resources, id, text, kMessageChars, language);
    return text;
}

int RemovableUsbRoot(const char16_t* root) {
    return GetDriveTypeW(W(root)) == DRIVE_REMOVABLE && !IsFloppyRoot(root) && IsUsbVolume(root, nullptr, 0);
}

struct MessageHost {
    HWND owner;
    HMODULE resources;
    uint16_t language;
};

int QueryRoot(void*, int number, char16_t* root) { return FindDriveRoot(number, root); }
int QueryVolume(void*, const char16_t* root) { return IsUsbVolume(root, nullptr, 0); }
int QueryFolder(void*, const char16_t* root, int n) { return UsbFolderExists(root, n); }
int QueryCreate(void*, const char16_t* root, int n) { return CreateUsbFolder(root, n); }
int QueryAsk(void* context, uint32_t id) {
    auto* h = static_cast<MessageHost*>(context);
    return MessageBoxW(h->owner, ResText(h->resources, h->language, id).c_str(), L" ",
                       MB_OKCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND) == IDOK;
}
void QueryWarn(void* context, uint32_t id) {
    auto* h = static_cast<MessageHost*>(context);
    MessageBoxW(h->owner, ResText(h->resources, h->language, id).c_str(), L"", MB_ICONWARNING | MB_SETFOREGROUND);
}

}  // namespace

int FindDriveRoot(int number, char16_t* root) {
    wchar_t drives[27 * 4 + 1] = {};
    DWORD n = GetLogicalDriveStringsW(27 * 4, drives);
    if (n == 0 || n > 27 * 4) return 0;
    for (const wchar_t* d = drives; *d; d += std::wcslen(d) + 1) {
        if (DriveNumberOfLetter(static_cast<char16_t>(d[0])) != number) continue;
        int k = 0;
        for (; k < 4 && d[k]; k++) root[k] = static_cast<char16_t>(d[k]);
        root[k] = 0;
        return 1;
    }
    return 0;
}

int IsUsbVolume(const char16_t* root, char16_t* label, int labelChars) {
    wchar_t name[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(W(root), name, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1))
        return 0;
    if (label && labelChars > 0) lstrcpynW(W(label), name, labelChars);
    return IsUsbFileSystem(reinterpret_cast<const char16_t*>(fileSystem));
}

int ListUsbDrives(UsbDriveEntry* drives, int* count) {
    *count = 0;
    wchar_t all[27 * 4 + 1] = {};
    DWORD n = GetLogicalDriveStringsW(27 * 4, all);
    if (n == 0 || n > 27 * 4) return 0;
    for (const wchar_t* d = all; *d && *count < kUsbDriveRoom; d += std::wcslen(d) + 1) {
        UsbDriveEntry e;
        std::memset(&e, 0, sizeof e);
        lstrcpynW(W(e.root), d, 5);
        if (GetDriveTypeW(d) != DRIVE_REMOVABLE || IsFloppyRoot(e.root)) continue;
        if (!IsUsbVolume(e.root, e.label, kDrivePathChars)) continue;
        e.number = static_cast<uint8_t>(DriveNumberOfLetter(e.root[0]));
        if (drives) drives[*count] = e;
        ++*count;
    }
    return 1;
}

int UsbFolderExists(const char16_t* root, int n) {
    char16_t path[MAX_PATH] = {};
    if (!RemovableUsbRoot(root) || !UsbFolderPath(root, n, path, MAX_PATH)) return 0;
    return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
}

int CreateUsbFolder(const char16_t* root, int n) {
    for (int level : {0, n}) {
        char16_t path[MAX_PATH] = {};
        if (!UsbFolderPath(root, level, path, MAX_PATH)) return 0;
        if (!CreateDirectoryW(W(path), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return 0;
    }
    return 1;
}

int CheckUsbDestinationWithMessages(HWND owner, HMODULE resources, uint16_t language, const PrivateSettings& p) {
    MessageHost host{owner, resources, language};
    UsbDriveQuery query{&host, QueryRoot, QueryVolume, QueryFolder, QueryCreate, QueryAsk, QueryWarn};
    return CheckUsbDestination(p, query);
}

void ShowOutputModeForm(HWND dlg, const PrinterSession& s, HMODULE resources, uint16_t language,
                        const OutputModeForm& f) {
    HWND folders = GetDlgItem(dlg, kFolderList), drives = GetDlgItem(dlg, kDriveList);
    HWND usbFolders = GetDlgItem(dlg, kUsbFolderList);
    for (HWND w : {folders, drives, usbFolders}) SendMessageW(w, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < f.folderCount; i++) {
        std::wstring text;
        if (f.folder[i] == 0) {
            text = ResText(resources, language, kPrinterDefaultFolderText);
        } else {
            const char16_t* name = s.env.storageFolderName[f.folder[i] - 1];
            int k = 0;
            while (k < 255 && name[k]) k++;
            text.assign(W(name), k);
            if (text.empty()) text = std::to_wstring(f.folder[i]);  // a folder the printer left unnamed
        }
        SendMessageW(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(folders, CB_SETCURSEL, static_cast<WPARAM>(f.selectedFolder), 0);
    for (int i = 0; i < f.driveCount; i++) SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(f.drive[i].root)));
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(f.selectedDrive), 0);
    if (f.mode == 3) {
        for (int n = 1; n <= kUsbFolderCount; n++) {
            char16_t name[kUsbFolderNameChars];
            UsbFolderName(n, name);
            SendMessageW(usbFolders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name)));
        }
        SendMessageW(usbFolders, CB_SETCURSEL, static_cast<WPARAM>(f.selectedUsbFolder), 0);
    }
}

void ReadOutputModeForm(HWND dlg, OutputModeForm& f) {
    f.selectedFolder = static_cast<int>(SendDlgItemMessageW(dlg, kFolderList, CB_GETCURSEL, 0, 0));
    f.selectedDrive = static_cast<int>(SendDlgItemMessageW(dlg, kDriveList, CB_GETCURSEL, 0, 0));
    int usb = static_cast<int>(SendDlgItemMessageW(dlg, kUsbFolderList, CB_GETCURSEL, 0, 0));
    if (usb >= 0) f.selectedUsbFolder = usb;
}

void ChooseFaceUpAsking(HWND dlg, HMODULE resources, uint16_t language, PrivateSettings& p) {
    PageQuestion q;
    if (!FaceUpQuestion(p, &q)) return ChooseFaceUp(p, -1);
    // One part a line, as every conflict confirmation shows them.
    std::wstring text;
    for (int i = 0; i < q.partCount; i++) text += (i ? L"\n\r" : L"") + ResText(resources, language, q.part[i]);
    int answer = MessageBoxW(dlg, text.c_str(), L"", MB_YESNO | MB_ICONINFORMATION);
    ChooseFaceUp(p, answer == IDYES ? 1 : answer == IDNO ? 0 : -1);
}
