// Cost of one capability query against the in-memory spooler. Applications
// ask DC_PAPERS and its neighbours dozens of times while a print dialog
// opens, and every query resolves a session of its own; the ratio to the
// session copy is printed with the other benchmarks'.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "entry/device_capabilities.h"
#include "rules/resolve.h"
#include "platform/fake_platform.h"

namespace {

// Built for each run of the benchmark and gone after it, so that the
// platform other benchmarks install is never replaced while they run.
void BM_DeviceCapabilitiesPapers(benchmark::State& state) {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    auto s = std::make_unique<PrinterSession>();
    _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerConvert);
    s->env.listsBuilt = 1;  // as a printer in use: the lists come from "PrvEnv"
    FakePrinter* p = fake.spooler.Printer(u"P1");
    const uint8_t* dm = reinterpret_cast<const uint8_t*>(&s->dm);
    p->info.devMode.assign(dm, dm + sizeof s->dm);
    p->Set(u"PrvEnv", kRegBinary, &s->env, sizeof s->env);
    fake.spooler.SetLogging(false);
    fake.host.SetCaptureDebug(false);
    s.reset();
    // A live block above two sessions' worth of free heap, as in an
    // application whose heap holds other data. Where the benchmark is the
    // heap's only user, the C heap may hand the two sessions of each call
    // (the answer's and the resolution's own) back to the system at every
    // return and fault them in again, and the figure measures page faults.
    void* room = std::malloc(2 * sizeof(PrinterSession) + 4096);
    void* live = std::malloc(64);
    std::free(room);

    PrinterHandle h = nullptr;
    fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h);
    uint16_t papers[kPaperSlots];
    uint32_t count = 0;
    for (auto _ : state) {
        count = DrvDeviceCapabilitiesCore(h, u"P1", kDcPapers, papers, nullptr);
        benchmark::DoNotOptimize(count);
        benchmark::ClobberMemory();
    }
    fake.spooler.ClosePrinter(h);
    std::free(live);
    if (count == 0 || count == kCapsUnsupported) state.SkipWithError("no paper list answered");
}
BENCHMARK(BM_DeviceCapabilitiesPapers)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
