// The storage-folder dialog's state over the working copy's environment: the
// printer's folders and those a job may choose, adding and removing, and
// what stands when the printer cannot be asked.
#pragma once
#include <cstdint>

#include "base/session.h"

constexpr int kStorageFolderSlots = 100;
constexpr uint32_t kStorageFoldersFailedText = 20552;

// The indexes of the present folders and of those also selectable.
int PresentStorageFolders(const PrinterEnvironment& env, uint8_t* indexes);
int SelectableStorageFolders(const PrinterEnvironment& env, uint8_t* indexes);
// Add: 1 when the present folder was not selectable and now is; remove: 1
// when it was. Indexes outside the record change nothing.
int AddStorageFolder(PrinterEnvironment& env, int index);
int RemoveStorageFolder(PrinterEnvironment& env, int index);
// After the printer could not be asked (and the user read 20552): every
// folder present, only the first selectable.
void StorageFolderFallback(PrinterEnvironment& env);
// The auto-store box: usable only while storage is enabled, checked while
// both storage and its state are on.
int StorageStateEnabled(const PrinterEnvironment& env);
int StorageStateChecked(const PrinterEnvironment& env);
