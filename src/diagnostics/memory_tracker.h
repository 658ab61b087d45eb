// The tracking allocator: every block remembers the source file and line
// that asked for it, and the last TrackEnd reports the blocks still alive to
// the debugger. The property sheets start and end it; blocks taken while it
// is not running are simply untracked.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 8)
struct TrackEntry {
    void* block;       // null: free entry
    const char* file;  // the copy stored behind the caller's bytes
    uint32_t line;
    uint32_t size;
};
#pragma pack(pop)
static_assert(sizeof(TrackEntry) == 24, "tracker entries are 24 bytes");

constexpr uint32_t kTrackGrowth = 10000;

void TrackStart();
// Zero-filled block of size bytes, or null (also for a size below 1).
void* TrackAlloc(int64_t size, const char* file, int line);
void TrackFree(void* block);
void TrackEnd();
// Writes the leak report; returns the number of entry lines written.
int TrackReport();

// Observation for tests: entries in the table and live blocks.
uint32_t TrackCapacity();
uint32_t TrackLiveCount();

#define TRACK_ALLOC(size) TrackAlloc((size), __FILE__, __LINE__)
