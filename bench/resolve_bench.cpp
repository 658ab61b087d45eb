// Cost of one settings resolution against the in-memory spooler, next to the
// floor of copying one printer session. Every entry point pays at least one
// resolution, so its cost in session copies is the figure to watch.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rules/resolve.h"
#include "platform/fake_platform.h"
#include "session/global_list.h"

namespace {

// A printer with a stored DEVMODE of ours and a "PrvEnv" with built lists,
// and a caller's DEVMODE that changes a few settings.
struct BenchPrinter {
    FakePlatformScope fake;
    std::vector<uint8_t> input;

    BenchPrinter() {
        fake.spooler.AddPrinter(u"P1");
        auto s = std::make_unique<PrinterSession>();
        _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerConvert);
        s->env.minExtent[0] = 900;
        s->env.minExtent[1] = 1480;
        s->env.maxExtent[0] = 3300;
        s->env.maxExtent[1] = 4870;
        s->env.offsetStapleTray_Option = 1;  // stapling fits the printer
        s->env.listsBuilt = 1;
        FakePrinter* p = fake.spooler.Printer(u"P1");
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&s->dm);
        p->info.devMode.assign(dm, dm + sizeof s->dm);
        p->Set(u"PrvEnv", kRegBinary, &s->env, sizeof s->env);
        input.assign(dm, dm + sizeof s->dm);
        auto* in = reinterpret_cast<DriverDevMode*>(input.data());
        in->pub.dmPaperSize = 8;
        in->pub.dmCopies = 3;
        in->priv.staple = 20;
        in->priv.scale_Zoom = 250;
        // Keep the fakes from growing their logs over millions of calls.
        fake.spooler.SetLogging(false);
        fake.host.SetCaptureDebug(false);
    }
};

BenchPrinter& Printer() {
    static BenchPrinter printer;
    return printer;
}

void BM_MemcpySession(benchmark::State& state) {
    std::vector<uint8_t> from(kSessionSize, 0x5A), to(kSessionSize);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kSessionSize);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSessionSize);
}
BENCHMARK(BM_MemcpySession)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ResolveMergeFlags10(benchmark::State& state) {
    BenchPrinter& p = Printer();
    auto out = std::make_unique<DriverDevMode>();
    PrinterHandle h = nullptr;
    p.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h);
    for (auto _ : state) {
        uint32_t rc = _UdcResolveSelfDMode(out.get(), p.input.data(), h, u"P1", nullptr,
                                           kResolveInBuffer | kResolveOutBuffer, kCallerConvert);
        benchmark::DoNotOptimize(rc);
        benchmark::ClobberMemory();
    }
    p.fake.spooler.ClosePrinter(h);
    if (out->priv.staple != 20) state.SkipWithError("the caller's settings were not merged");
}
BENCHMARK(BM_ResolveMergeFlags10)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ConvertDevMode(benchmark::State& state) {
    BenchPrinter& p = Printer();
    auto out = std::make_unique<DriverDevMode>();
    for (auto _ : state) {
        uint32_t size = sizeof *out;
        int rc = DrvConvertDevModeCore(u"P1", p.input.data(), out.get(), &size, kCdmConvert);
        benchmark::DoNotOptimize(rc);
        benchmark::ClobberMemory();
    }
    if (out->priv.scale_Zoom != 200) state.SkipWithError("conversion did not clamp the zoom");
}
BENCHMARK(BM_ConvertDevMode)->Repetitions(5)->ReportAggregatesOnly(true);

// Prints the usual table, then each benchmark's median time as a multiple
// of the session copy's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Aggregate || r.aggregate_name != "median") continue;
            double ns = r.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit);
            times_.emplace_back(r.benchmark_name(), ns);
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        double floor = 0;
        for (auto& [name, ns] : times_)
            if (name.rfind("BM_MemcpySession", 0) == 0) floor = ns;
        if (floor <= 0) return;
        std::printf("\nmedian per call, against one %u-byte session copy (%.0f ns):\n", kSessionSize, floor);
        for (auto& [name, ns] : times_) std::printf("  %-42s %10.0f ns  %6.1f x memcpy\n", name.c_str(), ns, ns / floor);
    }

private:
    std::vector<std::pair<std::string, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
