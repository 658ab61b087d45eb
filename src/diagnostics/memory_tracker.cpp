#include "diagnostics/memory_tracker.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/tracker_system.h"

namespace {

constexpr size_t kMaxFileName = 256;

// Start, end and every use of the table first take this lock, which lives
// as long as the process: sheets open and close on any application thread
// while other threads allocate, and the last end frees the table and closes
// the tracker's own mutex under their feet.
std::mutex& Lifetime() {
    static std::mutex lock;
    return lock;
}

uint32_t g_initialised = 0;
uint32_t g_references = 0;
void* g_mutex = nullptr;
TrackEntry* g_table = nullptr;
uint32_t g_capacity = 0;
uint32_t g_live = 0;

size_t FileNameLength(const char* file) {
    if (!file) return 0;
    size_t n = 0;
    while (n < kMaxFileName && file[n]) ++n;
    return n;
}

int ReportLocked();

}  // namespace

void TrackStart() {
    std::lock_guard<std::mutex> life(Lifetime());
    if (g_initialised) {
        ++g_references;
        return;
    }
    TrackerSystem& sys = TrackSys();
    void* mutex = sys.CreateMutex();
    if (!mutex) return;
    void* table = sys.Alloc(sizeof(TrackEntry) * kTrackGrowth);
    if (!table) {
        sys.CloseMutex(mutex);
        return;
    }
    g_mutex = mutex;
    g_table = static_cast<TrackEntry*>(table);
    g_capacity = kTrackGrowth;
    g_live = 0;
    g_initialised = 1;
    g_references = 1;
}

void* TrackAlloc(int64_t size, const char* file, int line) {
    if (size < 1 || size > 0x7FFFFFFF) return nullptr;
    TrackerSystem& sys = TrackSys();
    size_t nameLength = FileNameLength(file);
    uint8_t* block = static_cast<uint8_t*>(sys.Alloc(static_cast<size_t>(size) + nameLength + 1));
    if (!block) return nullptr;
    char* name = reinterpret_cast<char*>(block + size);
    if (nameLength) std::memcpy(name, file, nameLength);
    std::lock_guard<std::mutex> life(Lifetime());
    if (!g_initialised) return block;

    sys.Lock(g_mutex);
    uint32_t slot = 0;
    while (slot < g_capacity && g_table[slot].block) ++slot;
    if (slot == g_capacity) {
        void* grown = sys.ReAlloc(g_table, sizeof(TrackEntry) * (g_capacity + kTrackGrowth));
        if (!grown) {
            sys.Free(block);
            sys.Unlock(g_mutex);
            return nullptr;
        }
        g_table = static_cast<TrackEntry*>(grown);
        g_capacity += kTrackGrowth;
    }
    g_table[slot] = {block, name, static_cast<uint32_t>(line), static_cast<uint32_t>(size)};
    ++g_live;
    sys.Unlock(g_mutex);
    return block;
}

void TrackFree(void* block) {
    if (!block) return;
    TrackerSystem& sys = TrackSys();
    std::unique_lock<std::mutex> life(Lifetime());
    if (g_initialised) {
        sys.Lock(g_mutex);
        if (g_live) {
            for (uint32_t i = 0; i < g_capacity; ++i) {
                if (g_table[i].block == block) {
                    g_table[i] = {};
                    --g_live;
                    break;
                }
            }
        }
        sys.Unlock(g_mutex);
    }
    life.unlock();
    sys.Free(block);
}

int TrackReport() {
    std::lock_guard<std::mutex> life(Lifetime());
    return ReportLocked();
}

namespace {

int ReportLocked() {
    TrackerSystem& sys = TrackSys();
    char text[256];
    sys.DebugOutputA("\n----------- KELO Printer Driver : memory leak check ! ----------\n");
    if (!g_initialised || g_live == 0) {
        sys.DebugOutputA("\tNo memory leak !\n\n");
        return 0;
    }
    int written = 0;
    for (uint32_t i = 0; i < g_capacity && static_cast<uint32_t>(written) < g_live; ++i) {
        const TrackEntry& e = g_table[i];
        if (!e.block) continue;
        // %p spelled out so that both builds print 16 upper-case digits.
        std::snprintf(text, sizeof text, "\t%05d >> Adr:0x%016llX, %10d byte, %s -- line:%5d\n", static_cast<int>(i),
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(e.block)), static_cast<int>(e.size),
                      e.file, static_cast<int>(e.line));
        sys.DebugOutputA(text);
        ++written;
    }
    std::snprintf(text, sizeof text, "\tMemory leak %d!\n\n", written);
    sys.DebugOutputA(text);
    return written;
}

}  // namespace

void TrackEnd() {
    std::lock_guard<std::mutex> life(Lifetime());
    if (!g_initialised) return;
    TrackerSystem& sys = TrackSys();
    sys.Lock(g_mutex);
    if (--g_references > 0) {
        sys.Unlock(g_mutex);
        return;
    }
    ReportLocked();
    sys.Unlock(g_mutex);
    sys.CloseMutex(g_mutex);
    sys.Free(g_table);
    g_mutex = nullptr;
    g_table = nullptr;
    g_capacity = 0;
    g_live = 0;
    g_initialised = 0;
}

uint32_t TrackCapacity() {
    std::lock_guard<std::mutex> life(Lifetime());
    return g_capacity;
}
uint32_t TrackLiveCount() {
    std::lock_guard<std::mutex> life(Lifetime());
    return g_live;
}
