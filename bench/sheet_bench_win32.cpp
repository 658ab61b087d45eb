// How long the printing preferences take to show, under Wine on a display:
// from DocumentPropertiesW with the prompt until the first page's WM_PAINT
// has been handled, with the printer's typed address aimed where nothing
// answers (so the sheet's retrieval worker runs through its time-out
// meanwhile); then each tab switch, from PSM_SETCURSEL until the new page's
// WM_PAINT has been handled; then Cancel, which waits for the worker.
// Reports, never fails on a figure. Usage: zr51-sheet-bench [opens] (5).
//
// A WH_GETMESSAGE hook on the sheet's thread sees each page's WM_PAINT as
// it is taken from the queue; the next message the thread takes marks the
// end of its handling (a second thread posts WM_NULL so that one comes).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "base/session.h"
#include "base/text16.h"
#include "driver_setup_win32.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "rules/resolve.h"

namespace {

const wchar_t kDriverName[] = L"KELO ZR-C4500";
const wchar_t kPrinter[] = L"KELO ZR-C4500 unreachable";
const char16_t kPrinter16[] = u"KELO ZR-C4500 unreachable";
const char16_t kNowhere[] = u"127.52.8.9";  // nothing listens there
constexpr DWORD kWaitMs = 60000;

LARGE_INTEGER g_frequency;

double Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(g_frequency.QuadPart);
}

// What the hook watches for: the page whose paint ends a measurement.
std::atomic<HWND> g_awaited{nullptr};  // null: any page of the sheet
std::atomic<HWND> g_painted{nullptr};  // the page whose WM_PAINT was taken
std::atomic<double> g_paintDone{0};     // when the next message was taken after it
std::atomic<bool> g_armed{false};

bool IsPage(HWND w) {
    HWND parent = GetParent(w);
    return parent && FindWindowExW(parent, nullptr, L"SysTabControl32", nullptr) && w != parent;
}

LRESULT CALLBACK WatchMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && g_armed) {
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        if (g_painted.load()) {
            g_paintDone = Now();
            g_armed = false;
        } else if (m->message == WM_PAINT && IsPage(m->hwnd)) {
            HWND awaited = g_awaited.load();
            if (!awaited || awaited == m->hwnd) g_painted = m->hwnd;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Arm(HWND awaited) {
    g_awaited = awaited;
    g_painted = nullptr;
    g_paintDone = 0;
    g_armed = true;
}

// Waits until the awaited paint has been handled; its end time, or 0.
double AwaitPaint(HWND sheet) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(1)) {
        if (g_paintDone.load() > 0) return g_paintDone;
        if (g_painted.load() && sheet) PostMessageW(sheet, WM_NULL, 0, 0);
    }
    return 0;
}

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

struct Run {
    DWORD thread;
    double called;         // DocumentPropertiesW called
    double firstPaint = 0;  // the first page painted
    std::vector<double> switches;  // tabs 2..n and back to 1, twice: made, then shown again
    int tabs = 0;
    double cancelled = 0;
};

// On a second thread: waits for the first page's paint, switches through
// every tab and back to the first, then presses Cancel.
void Drive(Run* r) {
    HWND sheet = nullptr;
    for (DWORD start = GetTickCount(); !sheet && GetTickCount() - start < kWaitMs; Sleep(1))
        EnumThreadWindows(r->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
    double painted = sheet ? AwaitPaint(sheet) : 0;
    if (painted == 0) {
        std::fprintf(stderr, "zr51-sheet-bench: no sheet painted\n");
        return;
    }
    r->firstPaint = painted - r->called;
    HWND tab = FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr);
    int tabs = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    r->tabs = tabs;
    // Every tab once (each page is made on its first showing), then each again.
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i <= tabs; ++i) {
            int index = i % tabs;
            HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
            Arm(page);  // null for a page not made yet: the first page painted
            double start = Now();
            SendMessageW(sheet, PSM_SETCURSEL, index, 0);
            double done = AwaitPaint(sheet);
            r->switches.push_back(done > 0 ? done - start : -1);
        }
    }
    r->cancelled = Now();
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

int Install() {
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        if (!CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) return 0;
    if (!AddDriverWithFiles(kDriverName, L"ZR51AUI.dll", {L"ZRC4500.RDF", L"ZR51ARC.DLL"})) return 0;
    if (!PrinterExists(kPrinter) && !AddPrinterOnPort(kPrinter, kDriverName, L"FILE:")) return 0;
    // The stored environment aimed where nothing answers.
    static PrinterSession session;
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(kPrinter16, kPrinterAllAccess, &h)) return 0;
    _UdcResolveSelfDMode(&session, nullptr, h, kPrinter16, nullptr, kResolveWholeSession, kCallerConvert);
    session.env.useTypedAddress = 1;
    Text16Copy(session.env.typedAddress, 40, kNowhere);
    session.env.wakeUpEnable = 0;
    uint32_t rc = Spool().SetPrinterData(h, u"PrvEnv", kRegBinary, &session.env, sizeof session.env);
    Spool().ClosePrinter(h);
    return rc == 0;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int opens = argc > 1 ? std::atoi(argv[1]) : 5;
    if (opens < 1) opens = 1;
    QueryPerformanceFrequency(&g_frequency);
    InstallWin32Platform();
    if (!Install()) {
        std::fprintf(stderr, "zr51-sheet-bench: installing the printer failed (error %lu)\n", GetLastError());
        return 1;
    }
    HANDLE h = nullptr;
    LPWSTR name = const_cast<LPWSTR>(kPrinter);
    if (!OpenPrinterW(name, &h, nullptr)) return 1;
    LONG size = DocumentPropertiesW(nullptr, h, name, nullptr, nullptr, 0);
    if (size <= 0) return 1;
    std::vector<BYTE> in(size), out(size);
    DocumentPropertiesW(nullptr, h, name, reinterpret_cast<PDEVMODEW>(in.data()), nullptr, DM_OUT_BUFFER);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, WatchMessages, nullptr, GetCurrentThreadId());

    std::vector<double> opened, made, again, cancels;
    std::printf("# open: DocumentPropertiesW with the prompt to the first page painted; printer at %s\n", "127.52.8.9");
    std::printf("# tab switch: PSM_SETCURSEL to the new page painted, ms, tabs 2..n then back to 1;\n"
                "# first round: each page made on its first showing; second round: shown again\n");
    for (int i = 0; i < opens; ++i) {
        Run r;
        r.thread = GetCurrentThreadId();
        Arm(nullptr);
        r.called = Now();
        std::thread driver(Drive, &r);
        DocumentPropertiesW(nullptr, h, name, reinterpret_cast<PDEVMODEW>(out.data()),
                            reinterpret_cast<PDEVMODEW>(in.data()), DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
        double closed = Now();
        driver.join();
        if (r.firstPaint <= 0) return 1;
        double cancel = r.cancelled > 0 ? closed - r.cancelled : 0;
        std::printf("open %d: first page %.0f ms; Cancel to return %.0f ms (%.0f ms after the call)\n", i + 1,
                    r.firstPaint, cancel, closed - r.called);
        for (size_t k = 0; k < r.switches.size(); ++k) {
            bool first = static_cast<int>(k) < r.tabs;
            if (k % static_cast<size_t>(r.tabs) == 0) std::printf("  %s:", first ? "made" : "again");
            std::printf(" %.0f", r.switches[k]);
            if ((k + 1) % static_cast<size_t>(r.tabs) == 0) std::printf("\n");
            if (r.switches[k] >= 0) (first ? made : again).push_back(r.switches[k]);
        }
        if (i > 0 || opens == 1) opened.push_back(r.firstPaint);
        cancels.push_back(cancel);
    }
    UnhookWindowsHookEx(hook);
    ClosePrinter(h);
    std::printf("# first page: median %.0f ms over %zu opens after the first (aim: under 1000)\n", Median(opened),
                opened.size());
    for (auto* v : {&made, &again})
        std::printf("# tab switch, %s: median %.0f ms, slowest %.0f ms over %zu (aim: under 100)\n",
                    v == &made ? "page made" : "page shown again", Median(*v),
                    v->empty() ? 0 : *std::max_element(v->begin(), v->end()), v->size());
    std::printf("# Cancel until DocumentPropertiesW returned: median %.0f ms (waits for the worker)\n",
                Median(cancels));
    return 0;
}
