// The storage-folder dialog's portable half: which of the printer's folders
// are listed as present and which are offered for printing, adding and
// removing an offered folder, the default-folder check box and the fallback
// after a failed fetch. It works on a copy of the printer environment that
// the window procedure (storage_folder_dialog_win32.cpp) commits on OK.
#pragma once
#include <cstdint>

#include "base/environment.h"

constexpr uint16_t kStorageFolderDialog = 31000;
constexpr uint32_t kStorageFolderButton = 30049;  // the environment page's button that opens it
constexpr int kStorageFolderSlots = 100;

// Folder indexes (0..99) in folder order: present ones, and of those the
// selectable ones.
struct StorageFolderLists {
    int present[kStorageFolderSlots];
    int presentCount;
    int offered[kStorageFolderSlots];
    int offeredCount;
};
void StorageFolderListsOf(const PrinterEnvironment& env, StorageFolderLists* out);

// The default-folder check box: enabled only while storage is usable,
// checked when the default folder is on as well.
int StorageStateEnabled(const PrinterEnvironment& env);
int StorageStateChecked(const PrinterEnvironment& env);
void SetStorageState(PrinterEnvironment& env, int checked);

// 1 when the present folder became selectable; 0 for an index out of range,
// a folder that is not present, or one already offered.
int OfferStorageFolder(PrinterEnvironment& env, int folder);
// 1 when an offered folder stopped being selectable.
int WithdrawStorageFolder(PrinterEnvironment& env, int folder);

// After a fetch that failed: every folder present, only the first offered.
void StorageFoldersFallback(PrinterEnvironment& env);

// The folder's name as the printer gave it (at most capacity - 1 units),
// or its number when the printer left it unnamed.
void StorageFolderLabel(const PrinterEnvironment& env, int folder, char16_t* out, int capacity);
