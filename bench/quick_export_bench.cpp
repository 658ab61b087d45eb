// Export and import of one full keyed settings record (12206 bytes) through
// the export file, and the file's size next to gzip -9 of the same record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "rules/resolve.h"
#include "platform/fake_platform.h"
#include "saved/export_file.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"

namespace {

// The default settings of a printer of ours, as a fresh resolution gives them.
const DriverDevMode& Defaults() {
    static const std::unique_ptr<DriverDevMode> dm = [] {
        FakePlatformScope fake;
        fake.spooler.AddPrinter(u"P1");
        auto s = std::make_unique<PrinterSession>();
        _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession, kCallerConvert);
        return std::make_unique<DriverDevMode>(s->dm);
    }();
    return *dm;
}

std::vector<uint8_t> DefaultRecord() {
    std::vector<uint8_t> rec(QuickRecordSize());
    SerializeSettings(rec.data(), &Defaults(), static_cast<uint32_t>(rec.size()));
    return rec;
}

// Serialize the settings and write the export file.
void BM_ExportFullRecord(benchmark::State& state) {
    const DriverDevMode& dm = Defaults();
    std::vector<uint8_t> rec(QuickRecordSize()), file;
    for (auto _ : state) {
        int n = SerializeSettings(rec.data(), &dm, static_cast<uint32_t>(rec.size()));
        int ok = WriteExportFile(&file, rec.data(), static_cast<uint32_t>(n), u"Favourite 1");
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kQuickRecordSize);
}
BENCHMARK(BM_ExportFullRecord)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Read the export file and apply its record to a DEVMODE.
void BM_ImportFullRecord(benchmark::State& state) {
    const std::vector<uint8_t> rec = DefaultRecord();
    std::vector<uint8_t> file, back;
    WriteExportFile(&file, rec.data(), static_cast<uint32_t>(rec.size()), u"Favourite 1");
    auto dm = std::make_unique<DriverDevMode>(Defaults());
    char16_t name[kExportNameUnits];
    for (auto _ : state) {
        int rc = ReadExportFile(file.data(), static_cast<uint32_t>(file.size()), &back, name);
        rc += DeserializeSettings(back.data(), static_cast<uint32_t>(back.size()), dm.get());
        benchmark::DoNotOptimize(rc);
        benchmark::ClobberMemory();
    }
    if (back != rec) state.SkipWithError("the record did not come back");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kQuickRecordSize);
}
BENCHMARK(BM_ImportFullRecord)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Bytes gzip -9 makes of data, run as a process on a temporary file; -n
// leaves the file's name and time out of its 18-byte header and trailer.
long GzipSize(const std::vector<uint8_t>& data) {
    char path[] = "/tmp/zr51_gzip_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return -1;
    const bool written = write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
    close(fd);
    long size = -1;
    if (written) {
        const std::string command = std::string("gzip -9 -n -c ") + path;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            size = 0;
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) size += static_cast<long>(n);
            if (pclose(pipe) != 0) size = -1;
        }
    }
    unlink(path);
    return size;
}

// Sizes only: the export file of our default record and gzip -9 of it.
void BM_ExportSizeAgainstGzip9(benchmark::State& state) {
    const std::vector<uint8_t> rec = DefaultRecord();
    std::vector<uint8_t> file;
    for (auto _ : state) WriteExportFile(&file, rec.data(), static_cast<uint32_t>(rec.size()), u"Favourite 1");
    const long gzip = GzipSize(rec);
    if (gzip <= 0) {
        state.SkipWithError("gzip -9 could not be run");
        return;
    }
    state.counters["record"] = static_cast<double>(rec.size());
    state.counters["export_file"] = static_cast<double>(file.size());
    state.counters["gzip9"] = static_cast<double>(gzip);
    state.counters["file_per_gzip"] = static_cast<double>(file.size()) / static_cast<double>(gzip);
}
BENCHMARK(BM_ExportSizeAgainstGzip9)->Iterations(1)->Unit(benchmark::kMicrosecond);

}  // namespace
