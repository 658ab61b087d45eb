// The real platform: the spooler over winspool and the host over kernel32,
// advapi32 and user32. Only win32 shells include this.
#pragma once

// Installs the process-wide win32 spooler and host (idempotent; the objects
// live for the whole process, so detach needs no teardown).
void InstallWin32Platform();

#include <cstdint>

// Where the host's resource strings come from: the code that has loaded the
// resource module names a reader while it builds texts from it (the model
// lists); without one callers keep their built-in texts. Null clears it.
typedef int (*ResourceStringReader)(void* context, uint32_t languageId, uint32_t id, char16_t* buffer, int capacity);
void SetResourceStringReader(ResourceStringReader reader, void* context);
