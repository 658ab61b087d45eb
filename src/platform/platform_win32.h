// The real platform: the spooler over winspool and the host over kernel32,
// advapi32 and user32. Only win32 shells include this.
#pragma once

// Installs the process-wide win32 spooler and host (idempotent; the objects
// live for the whole process, so detach needs no teardown).
void InstallWin32Platform();
