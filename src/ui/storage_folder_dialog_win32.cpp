// The storage-folder dialog's procedure: the two lists and the check box
// filled from the working copy, the buttons handed to the portable half
// (storage_folder_dialog.cpp).
#include "ui/storage_folder_dialog_win32.h"

#include <cstring>

#include "snmp/printer_config.h"
#include "ui/own_dialog_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/storage_folder_dialog.h"

namespace {

constexpr int kPresentList = 31011, kAdd = 31012, kRemove = 31013, kOfferedList = 31015, kFetch = 31016;
constexpr int kDefaultFolder = 31017, kLine = 31018;
constexpr uint32_t kFetchFailedText = 20552;

const wchar_t kDataProp[] = L"PROP_STORAGEDATA";

struct Dialog {
    PrinterEnvironment copy;  // the working copy; the caller's record only on OK
    PrinterEnvironment* env;
    HMODULE resources;
    uint16_t language;
    HANDLE printer;
};

void FillList(HWND dlg, int id, const PrinterEnvironment& env, const int* folders, int count) {
    SendDlgItemMessageW(dlg, id, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; i++) {
        char16_t name[256];
        StorageFolderLabel(env, folders[i], name, 256);
        LRESULT item = SendDlgItemMessageW(dlg, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (item >= 0) SendDlgItemMessageW(dlg, id, LB_SETITEMDATA, item, folders[i]);
    }
}

// Both lists without a selection, their buttons grey, the check box from the copy.
void Fill(HWND dlg, Dialog* d) {
    StorageFolderLists lists;
    StorageFolderListsOf(d->copy, &lists);
    FillList(dlg, kPresentList, d->copy, lists.present, lists.presentCount);
    FillList(dlg, kOfferedList, d->copy, lists.offered, lists.offeredCount);
    EnableWindow(GetDlgItem(dlg, kAdd), FALSE);
    EnableWindow(GetDlgItem(dlg, kRemove), FALSE);
    EnableWindow(GetDlgItem(dlg, kDefaultFolder), StorageStateEnabled(d->copy));
    CheckDlgButton(dlg, kDefaultFolder, StorageStateChecked(d->copy) ? BST_CHECKED : BST_UNCHECKED);
}

// The folders selected in a list, handed one by one to change; the lists
// are rebuilt when any of them changed.
void ApplyToSelected(HWND dlg, Dialog* d, int list, int (*change)(PrinterEnvironment&, int)) {
    int items[kStorageFolderSlots];
    LRESULT n = SendDlgItemMessageW(dlg, list, LB_GETSELITEMS, kStorageFolderSlots, reinterpret_cast<LPARAM>(items));
    int changed = 0;
    for (LRESULT i = 0; i < n; i++)
        changed |= change(d->copy, static_cast<int>(SendDlgItemMessageW(dlg, list, LB_GETITEMDATA, items[i], 0)));
    if (changed) Fill(dlg, d);
}

void Fetch(HWND dlg, Dialog* d) {
    if (!GetStorageFolders(d->printer, &d->copy)) {
        ShowResInformation(dlg, d->resources, d->language, kFetchFailedText);
        StorageFoldersFallback(d->copy);
    }
    Fill(dlg, d);
}

void Command(HWND dlg, void* data, int id, UINT code) {
    Dialog* d = static_cast<Dialog*>(data);
    if ((id == kPresentList || id == kOfferedList) && code == LBN_SELCHANGE) {
        int any = SendDlgItemMessageW(dlg, id, LB_GETSELCOUNT, 0, 0) > 0;
        EnableWindow(GetDlgItem(dlg, id == kPresentList ? kAdd : kRemove), any);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kAdd: ApplyToSelected(dlg, d, kPresentList, OfferStorageFolder); break;
        case kRemove: ApplyToSelected(dlg, d, kOfferedList, WithdrawStorageFolder); break;
        case kFetch: Fetch(dlg, d); break;
        case kDefaultFolder: SetStorageState(d->copy, IsDlgButtonChecked(dlg, kDefaultFolder) == BST_CHECKED); break;
        case IDOK:
            std::memcpy(d->env, &d->copy, sizeof d->copy);
            EndDialog(dlg, 1);
            break;
        case IDCANCEL: EndDialog(dlg, 2); break;
        default: break;
    }
}

void Init(HWND dlg, void* data) { Fill(dlg, static_cast<Dialog*>(data)); }

const OwnDialog kStorageFolderKind = {kDataProp, Init, Command, kLine, 0};

INT_PTR CALLBACK StorageFolderProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnDialogMessage(kStorageFolderKind, dlg, message, wParam, lParam);
}

}  // namespace

INT_PTR OpenStorageFolderDialog(HWND owner, HMODULE resources, uint16_t language, HANDLE printer,
                                PrinterEnvironment* env) {
    if (!env) return -1;
    // The environment record is large; the copy lives on the heap.
    auto* d = static_cast<Dialog*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Dialog)));
    if (!d) return -1;
    std::memcpy(&d->copy, env, sizeof d->copy);
    d->env = env;
    d->resources = resources;
    d->language = language;
    d->printer = printer;
    INT_PTR r = ResDialogBox(resources, owner, kStorageFolderDialog, StorageFolderProc, reinterpret_cast<LPARAM>(d),
                             language);
    HeapFree(GetProcessHeap(), 0, d);
    return r;
}
