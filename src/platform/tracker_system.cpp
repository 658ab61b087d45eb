#include "platform/tracker_system.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// The C heap keeps no size, so the default prefixes each block with it to
// zero the grown part on ReAlloc.
class DefaultTrackerSystem final : public TrackerSystem {
public:
    void* Alloc(size_t size) override {
        size_t* p = static_cast<size_t*>(std::calloc(1, size + sizeof(size_t)));
        if (!p) return nullptr;
        *p = size;
        return p + 1;
    }
    void* ReAlloc(void* block, size_t size) override {
        if (!block) return Alloc(size);
        size_t* p = static_cast<size_t*>(block) - 1;
        size_t old = *p;
        size_t* q = static_cast<size_t*>(std::realloc(p, size + sizeof(size_t)));
        if (!q) return nullptr;
        if (size > old) std::memset(reinterpret_cast<char*>(q + 1) + old, 0, size - old);
        *q = size;
        return q + 1;
    }
    void Free(void* block) override {
        if (block) std::free(static_cast<size_t*>(block) - 1);
    }
    void* CreateMutex() override { return new (std::nothrow) std::mutex; }
    void Lock(void* m) override { static_cast<std::mutex*>(m)->lock(); }
    void Unlock(void* m) override { static_cast<std::mutex*>(m)->unlock(); }
    void CloseMutex(void* m) override { delete static_cast<std::mutex*>(m); }
    void DebugOutputA(const char*) override {}
};

DefaultTrackerSystem g_default;
TrackerSystem* g_system = &g_default;

}  // namespace

TrackerSystem& TrackSys() { return *g_system; }

void InstallTrackerSystem(TrackerSystem* system) { g_system = system ? system : &g_default; }
