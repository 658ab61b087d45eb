// Many threads at once through the paths the spooler and applications call
// in parallel: settings resolution, capability queries and SNMP sessions,
// which share the process-wide request-id counter and session list, and the
// memory tracker beside sheets that open and close. Every
// thread's results must equal a single-threaded run of the same work; the
// thread-sanitizer build also reports any unguarded shared state.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "answer.h"
#include "entry/device_capabilities.h"
#include "diagnostics/memory_tracker.h"
#include "platform/fake_udp.h"
#include "settings/printer_rig.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 6;
const uint16_t kIndices[] = {kDcPapers, kDcBins, kDcBinNames, kDcPaperNames, kDcMediaTypes, kDcCopies, kDcStaple};

// What one unit of work yields; compared whole between runs.
struct Outcome {
    std::vector<uint8_t> devmode;  // the resolved driver DEVMODE
    std::vector<std::vector<uint8_t>> caps;
    std::vector<uint32_t> counts;
    int32_t snmpStatus = -1;
    std::vector<uint8_t> snmpValue;
    bool operator==(const Outcome&) const = default;
};

std::string Oid(int unit) { return ".1.3.6.1.4.1.40961.1." + std::to_string(unit % 5 + 1) + ".0"; }

// Unit k asks for its own copies and its own object.
Outcome Work(PrinterRig& rig, int unit) {
    Outcome o;
    std::vector<uint8_t> in = rig.Input();
    reinterpret_cast<DriverDevMode*>(in.data())->pub.dmCopies = static_cast<int16_t>(1 + unit % 9);
    PrinterHandle h = nullptr;
    if (!rig.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h)) return o;
    auto s = std::make_unique<PrinterSession>();
    if (_UdcResolveSelfDMode(s.get(), in.data(), h, u"P1", nullptr, kResolveInBuffer | kResolveWholeSession,
                             kCallerConvert) == 1) {
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&s->dm);
        o.devmode.assign(dm, dm + sizeof s->dm);
    }
    for (uint16_t index : kIndices) {
        std::vector<uint8_t> out(64 * 1024, 0);
        o.counts.push_back(DrvDeviceCapabilitiesCore(h, u"P1", index, out.data(), in.data()));
        o.caps.push_back(out);
    }
    rig.fake.spooler.ClosePrinter(h);

    SnmpSession* session = nullptr;
    o.snmpStatus = SnmpOpenSession("printer", "public", &session);
    if (o.snmpStatus == kSnmpSuccess) {
        SnmpVarRecord r{};
        std::strcpy(r.oid, Oid(unit).c_str());
        uint8_t value[64] = {};
        r.capacity = sizeof value;
        r.value = value;
        o.snmpStatus = SnmpGetValues(session, &r, 1);
        o.snmpValue.assign(value, value + (r.length < sizeof value ? r.length : sizeof value));
        SnmpCloseSession(session);
    }
    return o;
}

TEST(ConcurrencyStress, ResolveCapabilitiesAndSnmpFromManyThreads) {
    PrinterRig rig;
    rig.fake.host.SetCaptureDebug(false);
    rig.fake.spooler.SetLogging(false);
    FakeSocketsScope net;
    net.hosts["printer"] = {FakeAddress("192.0.2.7")};
    snmpsim::ValueTable values;
    for (int k = 1; k <= 5; k++) {
        snmpsim::Bytes oid;
        ASSERT_EQ(1, snmpsim::OidFromText(Oid(k - 1), &oid));
        values[oid] = {4, snmpsim::Bytes(static_cast<size_t>(k), static_cast<uint8_t>('a' + k))};
    }
    net.responder = [&values](const std::vector<uint8_t>& request) {
        snmpsim::Request parsed;
        if (!snmpsim::ParseRequest(request.data(), request.size(), &parsed)) return std::vector<uint8_t>();
        return snmpsim::BuildAnswer(parsed, values, {});
    };

    std::vector<Outcome> want;
    for (int unit = 0; unit < kThreads; unit++) want.push_back(Work(rig, unit));
    for (const Outcome& o : want) {
        ASSERT_EQ(o.devmode.size(), sizeof(DriverDevMode));
        ASSERT_EQ(o.snmpStatus, kSnmpSuccess);
    }

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; t++) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; round++) {
                const int unit = (t + round) % kThreads;
                if (!(Work(rig, unit) == want[unit])) mismatches++;
            }
        });
    }
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(0, mismatches.load());
    EXPECT_EQ(0, rig.fake.spooler.OpenHandles());
    EXPECT_EQ(0, net.openSockets);
}

// Workers allocate and free through the tracker while sheets on two other
// threads start and end it again and again, so that the last end repeatedly
// frees the table beside them. Afterwards one held start sees every block of
// a last round counted and freed.
TEST(ConcurrencyStress, TrackerBesideSheetsOpeningAndClosing) {
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; t++) {
        threads.emplace_back([&stop, t] {
            while (!stop) {
                void* blocks[8];
                for (int i = 0; i < 8; i++) blocks[i] = TRACK_ALLOC(16 + t * 8 + i);
                for (void* b : blocks) TrackFree(b);
            }
        });
    }
    std::thread sheets([] {
        for (int i = 0; i < 500; i++) {
            TrackStart();
            TrackEnd();
        }
    });
    for (int i = 0; i < 500; i++) {
        TrackStart();
        TrackStart();
        TrackEnd();
        TrackEnd();
    }
    sheets.join();
    stop = true;
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(0u, TrackCapacity());

    TrackStart();
    void* kept[3] = {TRACK_ALLOC(1), TRACK_ALLOC(2), TRACK_ALLOC(3)};
    EXPECT_EQ(3u, TrackLiveCount());
    for (void* b : kept) TrackFree(b);
    EXPECT_EQ(0, TrackReport());
    TrackEnd();
}

}  // namespace
