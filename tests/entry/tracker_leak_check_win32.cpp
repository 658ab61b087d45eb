// Linked into every Windows test program: the program runs with the memory
// tracker on and fails on any leak it reports.
//
// Two trackers live in such a program: the core linked into the program has
// its own, which this environment starts before the first test and ends after
// the last; the DLL the tests load has another, which only its property
// sheets start and end. Neither can be asked across the module boundary, so
// both are heard where their reports go: every debugger line of the process
// passes a vectored exception handler here, and an entry line or a leak count
// of a report fails the program.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "diagnostics/memory_tracker.h"
#include "platform/tracker_system_win32.h"

namespace {

#ifndef DBG_PRINTEXCEPTION_WIDE_C
#define DBG_PRINTEXCEPTION_WIDE_C 0x4001000AL
#endif

CRITICAL_SECTION g_heardLock;
std::string* g_leakLines = nullptr;  // report lines naming leaked blocks, from either tracker
int g_reportsHeard = 0;

bool IsLeakLine(const char* text) {
    return std::strstr(text, " >> Adr:0x") != nullptr || std::strstr(text, "\tMemory leak ") != nullptr;
}

void Hear(const char* text) {
    EnterCriticalSection(&g_heardLock);
    if (std::strstr(text, "memory leak check !") != nullptr) ++g_reportsHeard;
    if (IsLeakLine(text)) g_leakLines->append(text);
    LeaveCriticalSection(&g_heardLock);
}

// Only watches: the debugger output goes on as it would without the handler.
LONG CALLBACK WatchDebugOutput(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->NumberParameters < 2 || r->ExceptionInformation[1] == 0) return EXCEPTION_CONTINUE_SEARCH;
    if (r->ExceptionCode == DBG_PRINTEXCEPTION_C) {
        char text[512];
        lstrcpynA(text, reinterpret_cast<const char*>(r->ExceptionInformation[1]), sizeof text);
        Hear(text);
    } else if (r->ExceptionCode == DBG_PRINTEXCEPTION_WIDE_C) {
        char text[512];
        int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(r->ExceptionInformation[1]), -1, text,
                                    sizeof text, nullptr, nullptr);
        if (n == 0) text[sizeof text - 1] = '\0';
        Hear(text);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

class TrackerLeakCheck final : public ::testing::Environment {
public:
    void SetUp() override {
        InitializeCriticalSection(&g_heardLock);
        g_leakLines = new std::string;
        handler_ = AddVectoredExceptionHandler(1, WatchDebugOutput);
        // The program's tracker reports through the debugger like the DLL's.
        InstallWin32TrackerSystem();
        TrackStart();
    }

    void TearDown() override {
        uint32_t live = TrackLiveCount();
        EXPECT_EQ(0u, live) << "blocks of the test program's tracker still alive after the last test";
        int reported = TrackReport();
        EXPECT_EQ(0, reported) << "the test program's tracker reports leaked blocks";
        TrackEnd();
        EXPECT_GE(g_reportsHeard, 2) << "the tracker's reports did not reach the debugger output";
        EnterCriticalSection(&g_heardLock);
        std::string lines = *g_leakLines;
        LeaveCriticalSection(&g_heardLock);
        EXPECT_TRUE(lines.empty()) << "a memory tracker reported leaks:\n" << lines;
        if (handler_) RemoveVectoredExceptionHandler(handler_);
    }

private:
    void* handler_ = nullptr;
};

const ::testing::Environment* const g_leakCheck = ::testing::AddGlobalTestEnvironment(new TrackerLeakCheck);

}  // namespace
