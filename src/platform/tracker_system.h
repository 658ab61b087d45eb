// What the memory tracker needs from the system: the process heap, one
// mutex and 8-bit debugger output. Separate from Host so the tracker can be
// tested against a heap that fails on demand.
#pragma once
#include <cstddef>

class TrackerSystem {
public:
    virtual ~TrackerSystem() = default;
    virtual void* Alloc(size_t size) = 0;                 // zero-filled
    virtual void* ReAlloc(void* block, size_t size) = 0;  // new bytes zero-filled; null leaves block alone
    virtual void Free(void* block) = 0;
    virtual void* CreateMutex() = 0;  // unnamed, not owned; null on failure
    virtual void Lock(void* mutex) = 0;
    virtual void Unlock(void* mutex) = 0;
    virtual void CloseMutex(void* mutex) = 0;
    virtual void DebugOutputA(const char* text) = 0;
};

// Until one is installed the C heap and a standard mutex serve, with no
// debugger output.
TrackerSystem& TrackSys();
// null puts the default back.
void InstallTrackerSystem(TrackerSystem* system);
