// Cost of one page model refresh, the work behind every control change on a
// page: the constraint check with the page's normalisation, the forced
// values, and every control's list, selection and state. Each page is timed
// over the default settings of a four-ink printer with a finisher.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/fake_platform.h"
#include "rules/resolve.h"
#include "ui/page_model.h"

namespace {

void BM_RefreshPage(benchmark::State& state) {
    FakePlatformScope fake;
    fake.spooler.AddPrinter(u"P1");
    fake.spooler.SetLogging(false);
    fake.host.SetCaptureDebug(false);
    auto s = std::make_unique<PrinterSession>();
    _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerDocumentSheet);
    s->env.inkCount = 4;
    s->env.outputUnit_Option = 25;
    s->env.offsetStapleTray_Option = 1;
    PageInput in{s.get(), nullptr, SheetFacts{1, 1, 1, 0}, LastChange{0, 0}, nullptr};
    auto page = std::make_unique<PageState>();
    const uint16_t templateId = static_cast<uint16_t>(state.range(0));
    for (auto _ : state) {
        int ok = RefreshPage(templateId, in, *page);
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RefreshPage)->Arg(30200)->Arg(30400)->Arg(30500)->Arg(30600)->Arg(30700)->Arg(30005);

}  // namespace
