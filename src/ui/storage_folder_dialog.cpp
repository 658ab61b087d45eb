#include "ui/storage_folder_dialog.h"

namespace {

constexpr int kNameUnits = static_cast<int>(sizeof(PrinterEnvironment::storageFolderName[0]) / sizeof(char16_t));

int InRange(int folder) { return folder >= 0 && folder < kStorageFolderSlots; }

}  // namespace

void StorageFolderListsOf(const PrinterEnvironment& env, StorageFolderLists* out) {
    out->presentCount = out->offeredCount = 0;
    for (int i = 0; i < kStorageFolderSlots; i++) {
        if (env.storageFolderPresent[i] != 1) continue;
        out->present[out->presentCount++] = i;
        if (env.storageFolderSelectable[i]) out->offered[out->offeredCount++] = i;
    }
}

int StorageStateEnabled(const PrinterEnvironment& env) { return env.storageEnabled == 1; }

int StorageStateChecked(const PrinterEnvironment& env) { return env.storageEnabled == 1 && env.storageState == 1; }

void SetStorageState(PrinterEnvironment& env, int checked) { env.storageState = checked ? 1 : 0; }

int OfferStorageFolder(PrinterEnvironment& env, int folder) {
    if (!InRange(folder) || env.storageFolderPresent[folder] != 1 || env.storageFolderSelectable[folder]) return 0;
    env.storageFolderSelectable[folder] = 1;
    return 1;
}

int WithdrawStorageFolder(PrinterEnvironment& env, int folder) {
    if (!InRange(folder) || !env.storageFolderSelectable[folder]) return 0;
    env.storageFolderSelectable[folder] = 0;
    return 1;
}

void StorageFoldersFallback(PrinterEnvironment& env) {
    for (int i = 0; i < kStorageFolderSlots; i++) {
        env.storageFolderPresent[i] = 1;
        env.storageFolderSelectable[i] = i == 0 ? 1 : 0;
    }
}

void StorageFolderLabel(const PrinterEnvironment& env, int folder, char16_t* out, int capacity) {
    if (!out || capacity <= 0) return;
    out[0] = 0;
    if (!InRange(folder)) return;
    const char16_t* name = env.storageFolderName[folder];
    int n = 0;
    for (; n < kNameUnits && n + 1 < capacity && name[n]; n++) out[n] = name[n];
    out[n] = 0;
    if (n) return;
    // The printer left it unnamed: its number, as the output-mode dialog shows it.
    char digits[4];
    int k = 0, number = folder + 1;
    do digits[k++] = static_cast<char>('0' + number % 10); while ((number /= 10) && k < 3);
    for (n = 0; k > 0 && n + 1 < capacity; n++) out[n] = static_cast<char16_t>(digits[--k]);
    out[n] = 0;
}
