// Worker threads of the DLL. Each one takes its own reference on the module
// its code lives in before it starts and gives it back with
// FreeLibraryAndExitThread, which never returns into that code: an
// application's FreeLibrary then unmaps the DLL only once the last worker has
// left it, and nothing has to wait for a worker in DllMain, where a wait
// under the loader lock would deadlock.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/worker_threads.h"
#include "platform/worker_threads_win32.h"

namespace {

struct StartRecord {
    WorkerBody body;
    void* argument;
    HMODULE module;
};

DWORD WINAPI ThreadEntry(LPVOID parameter) {
    StartRecord start = *static_cast<StartRecord*>(parameter);
    HeapFree(GetProcessHeap(), 0, parameter);
    start.body(start.argument);
    FreeLibraryAndExitThread(start.module, 0);
    return 0;  // not reached
}

class Win32WorkerThreads final : public WorkerThreads {
public:
    WorkerHandle Start(WorkerBody body, void* argument) override {
        auto* start = static_cast<StartRecord*>(HeapAlloc(GetProcessHeap(), 0, sizeof(StartRecord)));
        if (!start) return nullptr;
        start->body = body;
        start->argument = argument;
        start->module = nullptr;
        // The module that holds ThreadEntry: ours, whichever name it was loaded by.
        if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&ThreadEntry)), &start->module)) {
            HeapFree(GetProcessHeap(), 0, start);
            return nullptr;
        }
        HMODULE module = start->module;
        HANDLE thread = CreateThread(nullptr, 0, ThreadEntry, start, 0, nullptr);
        if (!thread) {
            FreeLibrary(module);
            HeapFree(GetProcessHeap(), 0, start);
        }
        return thread;
    }
    void Join(WorkerHandle thread) override {
        WaitForSingleObject(static_cast<HANDLE>(thread), INFINITE);
        CloseHandle(static_cast<HANDLE>(thread));
    }
    void Forget(WorkerHandle thread) override { CloseHandle(static_cast<HANDLE>(thread)); }
    int IsCurrent(WorkerHandle thread) override {
        return GetThreadId(static_cast<HANDLE>(thread)) == GetCurrentThreadId() ? 1 : 0;
    }
};

Win32WorkerThreads g_threads;

}  // namespace

void InstallWin32WorkerThreads() { InstallWorkerThreads(&g_threads); }
