// The printer's storage folders as the dialog edits them.
#include "ui/storage_folders.h"

int PresentStorageFolders(const PrinterEnvironment& env, uint8_t* indexes) {
    int n = 0;
    for (int i = 0; i < kStorageFolderSlots; i++)
        if (env.storageFolderPresent[i] == 1) indexes[n++] = static_cast<uint8_t>(i);
    return n;
}

int SelectableStorageFolders(const PrinterEnvironment& env, uint8_t* indexes) {
    int n = 0;
    for (int i = 0; i < kStorageFolderSlots; i++)
        if (env.storageFolderPresent[i] == 1 && env.storageFolderSelectable[i] == 1) indexes[n++] = static_cast<uint8_t>(i);
    return n;
}

int AddStorageFolder(PrinterEnvironment& env, int index) {
    if (index < 0 || index >= kStorageFolderSlots || env.storageFolderPresent[index] != 1) return 0;
    if (env.storageFolderSelectable[index] == 1) return 0;
    env.storageFolderSelectable[index] = 1;
    return 1;
}

int RemoveStorageFolder(PrinterEnvironment& env, int index) {
    if (index < 0 || index >= kStorageFolderSlots || env.storageFolderSelectable[index] != 1) return 0;
    env.storageFolderSelectable[index] = 0;
    return 1;
}

void StorageFolderFallback(PrinterEnvironment& env) {
    for (int i = 0; i < kStorageFolderSlots; i++) {
        env.storageFolderPresent[i] = 1;
        env.storageFolderSelectable[i] = i == 0;
    }
}

int StorageStateEnabled(const PrinterEnvironment& env) { return env.storageEnabled == 1; }
int StorageStateChecked(const PrinterEnvironment& env) { return env.storageEnabled == 1 && env.storageState == 1; }
