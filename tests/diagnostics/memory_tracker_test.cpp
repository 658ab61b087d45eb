// The tracking allocator over a heap that can be made to fail, and the
// diagnostics settings record in the printer data.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "diagnostics/debug_settings.h"
#include "diagnostics/memory_tracker.h"
#include "platform/fake_platform.h"
#include "platform/tracker_system.h"

namespace {

// The C heap with a failure switch per kind of call, collecting the debugger
// text and counting live blocks so leaks of the tracker itself show.
class TestTrackerSystem final : public TrackerSystem {
public:
    bool failReAlloc = false;
    int liveBlocks = 0, openMutexes = 0, locked = 0;
    std::string text;

    void* Alloc(size_t size) override { return ++liveBlocks, std::calloc(1, size); }
    void* ReAlloc(void* block, size_t size) override {
        if (failReAlloc) return nullptr;
        // Only the tracker's table grows, always by 10000 entries.
        void* grown = std::calloc(1, size);
        std::memcpy(grown, block, size - sizeof(TrackEntry) * kTrackGrowth);
        std::free(block);
        return grown;
    }
    void Free(void* block) override { --liveBlocks, std::free(block); }
    void* CreateMutex() override { return ++openMutexes, this; }
    void Lock(void*) override { ++locked; }
    void Unlock(void*) override { --locked; }
    void CloseMutex(void*) override { --openMutexes; }
    void DebugOutputA(const char* s) override { text += s; }
};

struct Scope {
    TestTrackerSystem sys;
    Scope() { InstallTrackerSystem(&sys); }
    ~Scope() {
        EXPECT_EQ(0, sys.locked) << "mutex left held";
        InstallTrackerSystem(nullptr);
    }
};

const char kHeader[] = "\n----------- KELO Printer Driver : memory leak check ! ----------\n";

std::string EntryLine(int index, const void* block, int size, const char* file, int line) {
    char s[256];
    std::snprintf(s, sizeof s, "\t%05d >> Adr:0x%016llX, %10d byte, %s -- line:%5d\n", index,
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(block)), size, file, line);
    return s;
}

TEST(MemoryTracker, ReportListsLiveBlocksInTableOrder) {
    Scope t;
    TrackStart();
    void *a = TrackAlloc(16, "a.cpp", 1), *b = TrackAlloc(1, "b.cpp", 22), *c = TrackAlloc(300, "c.cpp", 333),
         *d = TrackAlloc(5, "d.cpp", 4444);
    TrackFree(b);
    void* e = TrackAlloc(7, "e.cpp", 55555);  // takes b's freed slot
    EXPECT_EQ(nullptr, TrackAlloc(0, "zero.cpp", 1));
    EXPECT_EQ(nullptr, TrackAlloc(-1, "neg.cpp", 1));
    EXPECT_EQ(4u, TrackLiveCount());
    TrackFree(d);
    // Blocks come zero-filled with the file name stored behind them.
    EXPECT_EQ(std::vector<uint8_t>(300, 0), std::vector<uint8_t>(static_cast<uint8_t*>(c), static_cast<uint8_t*>(c) + 300));
    EXPECT_STREQ("c.cpp", static_cast<char*>(c) + 300);

    TrackEnd();
    EXPECT_EQ(std::string(kHeader) + EntryLine(0, a, 16, "a.cpp", 1) + EntryLine(1, e, 7, "e.cpp", 55555) +
                  EntryLine(2, c, 300, "c.cpp", 333) + "\tMemory leak 3!\n\n",
              t.sys.text);
    EXPECT_EQ(0, t.sys.openMutexes);
    // Blocks outlive the tracker and are still freed through it.
    for (void* block : {a, c, e, static_cast<void*>(nullptr)}) TrackFree(block);
    EXPECT_EQ(0, t.sys.liveBlocks);
}

TEST(MemoryTracker, ReportComesWithTheLastEnd) {
    Scope t;
    TrackStart();
    TrackStart();
    TrackEnd();
    EXPECT_EQ("", t.sys.text);
    EXPECT_EQ(kTrackGrowth, TrackCapacity());
    TrackEnd();
    EXPECT_EQ(std::string(kHeader) + "\tNo memory leak !\n\n", t.sys.text);
    EXPECT_EQ(0u, TrackCapacity());
    TrackEnd();  // one end too many does nothing
    EXPECT_EQ(0, t.sys.liveBlocks);
}

TEST(MemoryTracker, GrowsPastTenThousand) {
    Scope t;
    TrackStart();
    std::vector<void*> blocks;
    for (uint32_t i = 0; i < kTrackGrowth; ++i) blocks.push_back(TrackAlloc(1, "f", 1));
    EXPECT_EQ(kTrackGrowth, TrackCapacity());
    t.sys.failReAlloc = true;
    int before = t.sys.liveBlocks;
    EXPECT_EQ(nullptr, TrackAlloc(1, "f", 2));  // no room and no growth: the block goes back
    EXPECT_EQ(before, t.sys.liveBlocks);
    t.sys.failReAlloc = false;
    void* last = TrackAlloc(1, "last.cpp", 10001);
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(2 * kTrackGrowth, TrackCapacity());
    EXPECT_EQ(kTrackGrowth + 1, TrackLiveCount());
    for (void* b : blocks) TrackFree(b);
    TrackEnd();
    EXPECT_EQ(std::string(kHeader) + EntryLine(10000, last, 1, "last.cpp", 10001) + "\tMemory leak 1!\n\n",
              t.sys.text);
    TrackFree(last);
    EXPECT_EQ(0, t.sys.liveBlocks);
}

// --- Diagnostics settings -----------------------------------------------------

// storedSize: 0: no "DebugSettings"; scalingAlg: -1: no "DebugScalingAlg".
struct DebugCase { const char* what; size_t storedSize; int scalingAlg; size_t scalingAlgSize; int result;
                   uint32_t wantAlg; };

const DebugCase kDebugCases[] = {
    {"whole record and algorithm", 1612, 7, 4, 1, 7},
    {"no algorithm value", 1612, -1, 0, 1, 3},
    {"record of 1000 bytes", 1000, 7, 4, 0, 0},
    {"record one byte too long", 1613, 7, 4, 0, 0},
    {"no record", 0, 7, 4, 0, 0},
};

TEST(DebugSettings, Get) {
    for (const DebugCase& c : kDebugCases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope fake;
        FakePrinter& p = fake.spooler.AddPrinter(u"P1");
        std::vector<uint8_t> stored(c.storedSize);
        for (size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(i * 7 + 1);
        PrinterHandle h = nullptr;
        ASSERT_TRUE(fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        // A whole record is stored the way the diagnostics page stores it.
        if (c.storedSize == kDebugSettingsSize) {
            ASSERT_EQ(1, SetDebugSettings(h, stored.data()));
        } else if (c.storedSize) {
            p.SetBinary(u"DebugSettings", stored);
        }
        if (c.scalingAlg >= 0) p.Set(u"DebugScalingAlg", kRegDword, &c.scalingAlg, c.scalingAlgSize);
        std::vector<uint8_t> out(kDebugSettingsSize + 4, 0xAB);
        EXPECT_EQ(c.result, GetDebugSettings(h, out.data()));
        EXPECT_EQ(0xAB, out[kDebugSettingsSize]);
        if (c.result) {
            EXPECT_EQ(0, std::memcmp(out.data(), stored.data(), kDebugScalingAlgOffset));
            uint32_t alg = 0;
            std::memcpy(&alg, out.data() + kDebugScalingAlgOffset, 4);
            EXPECT_EQ(c.wantAlg, alg);
        } else {
            EXPECT_EQ(std::vector<uint8_t>(out.size(), 0xAB), out);
        }
        fake.spooler.ClosePrinter(h);
    }
}

}  // namespace
