// The tracker's heap and mutex for the DLL: the process heap, a kernel mutex
// and OutputDebugStringA.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/tracker_system.h"
#include "platform/tracker_system_win32.h"

namespace {

class Win32TrackerSystem final : public TrackerSystem {
public:
    void* Alloc(size_t size) override { return ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, size); }
    void* ReAlloc(void* block, size_t size) override {
        return ::HeapReAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, block, size);
    }
    void Free(void* block) override {
        if (block) ::HeapFree(::GetProcessHeap(), 0, block);
    }
    void* CreateMutex() override { return ::CreateMutexW(nullptr, FALSE, nullptr); }
    void Lock(void* m) override { ::WaitForSingleObject(static_cast<HANDLE>(m), INFINITE); }
    void Unlock(void* m) override { ::ReleaseMutex(static_cast<HANDLE>(m)); }
    void CloseMutex(void* m) override { ::CloseHandle(static_cast<HANDLE>(m)); }
    void DebugOutputA(const char* text) override { ::OutputDebugStringA(text); }
};

Win32TrackerSystem g_system;

}  // namespace

void InstallWin32TrackerSystem() { InstallTrackerSystem(&g_system); }
