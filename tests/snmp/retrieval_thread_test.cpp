// The background retrieval against the simulated printer over real sockets:
// snmpd serves a description, the worker fetches and stores, and what the
// sheet's destinations and the printer data hold is compared with the
// description field by field.
#include "snmp/retrieval_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../settings/printer_rig.h"
#include "platform/udp.h"
#include "base/text16.h"
#include "snmp/agent_fixture.h"
#include "snmp/retrieval_expect.h"
#include "snmp/simulated_printer.h"

using zr51test::SimulatedPrinter;

namespace {

struct Notices {
    std::atomic<int> count{0};
    std::atomic<int> stepsDone{-1};
};

void Record(void* context, RetrievalTargets*, int stepsDone) {
    Notices* n = static_cast<Notices*>(context);
    n->stepsDone = stepsDone;
    ++n->count;
}

class RetrievalThread : public ::testing::Test {
protected:
    void SetUp() override {
        address_ = zr51test::NextLoopbackAddress();
        InstallSockets(&PosixSockets());
        targets_ = std::make_unique<RetrievalTargets>();
        std::memset(targets_.get(), 0x5A, sizeof(RetrievalTargets));
    }
    void TearDown() override {
        WaitAllRetrievalThreads();
        InstallSockets(nullptr);
    }
    bool Serve(zr51test::SnmpdAgent* agent, const SimulatedPrinter& printer, const std::string& address) {
        std::string why;
        if (agent->Start(address, zr51test::AgentValuesFor(printer), &why)) return true;
        why_ = why;
        return false;
    }
    // The printer P1 of the rig, reached at the typed address.
    void Aim(PrinterSession* session, const std::string& address) {
        session->env.useTypedAddress = 1;
        Text16Copy(session->env.typedAddress, 40, U16(address).c_str());
    }
    int Run(PrinterRig& rig, const char16_t* name, RetrievalTargets* targets, Notices* notices) {
        RetrievalRequest request{name, rig.base.get(), targets, Record, notices};
        int started = StartRetrievalThread(request);
        WaitRetrievalThread();
        return started;
    }

    std::string address_, why_;
    std::unique_ptr<RetrievalTargets> targets_;
};

// Every list in the destinations and in the fake spooler's printer data.
void ExpectDescription(const SimulatedPrinter& p, const RetrievalTargets& t, FakeSpooler& spooler,
                       const char16_t* printer) {
    zr51test::ExpectRetrieved(
        p, t,
        [&](const char16_t* value, std::vector<uint8_t>* bytes) {
            const FakeValue* v = spooler.Printer(printer)->Find(value);
            if (!v) return false;
            EXPECT_EQ(v->type, kRegBinary) << Narrow(value);
            *bytes = v->bytes;
            return true;
        },
        0x5A);
}

TEST_F(RetrievalThread, PrinterWithoutBarcodeAreasStoresThreeEmptyValuesAndGoesOn) {
    SimulatedPrinter printer = zr51test::DefaultSimulatedPrinter();
    printer.barcodeAreas.clear();
    zr51test::SnmpdAgent agent;
    if (!Serve(&agent, printer, address_)) GTEST_SKIP() << why_;
    PrinterRig rig;
    Aim(rig.base.get(), address_);
    rig.fake.spooler.Printer(u"P1")->SetBinary(u"BarcodeRegRepeats", {1, 0, 0, 0});
    Notices notices;
    ASSERT_EQ(Run(rig, u"P1", targets_.get(), &notices), 1);
    EXPECT_EQ(notices.stepsDone, 4);
    for (const char16_t* value : {u"BarcodeRegNames", u"BarcodeRegRepeats", u"BarcodeRegMaxPageNumber"}) {
        const FakeValue* v = rig.fake.spooler.Printer(u"P1")->Find(value);
        ASSERT_NE(v, nullptr) << Narrow(value);
        EXPECT_TRUE(v->bytes.empty()) << Narrow(value);
    }
    ExpectDescription(printer, *targets_, rig.fake.spooler, u"P1");
}

TEST_F(RetrievalThread, UnreachablePrinterFailsTheFirstStepWithinItsTimeOutAndChangesNothing) {
    PrinterRig rig;
    Aim(rig.base.get(), address_);  // nothing listens there
    FakePrinter* p = rig.fake.spooler.Printer(u"P1");
    p->SetBinary(u"BarcodeRegNames", std::vector<uint8_t>(62, 0x41));
    p->SetBinary(u"TrayList", std::vector<uint8_t>(80, 7));
    auto before = p->data;
    Notices notices;
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run(rig, u"P1", targets_.get(), &notices), 1);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(notices.stepsDone, 0);
    EXPECT_GE(seconds, 2.5);
    EXPECT_LT(seconds, 9.0);  // no hang, with room for sanitizers under load
    EXPECT_EQ(p->data.size(), before.size());
    for (size_t i = 0; i < before.size() && i < p->data.size(); ++i) {
        EXPECT_EQ(p->data[i].second.bytes, before[i].second.bytes) << Narrow(before[i].first);
    }
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(targets_.get());
    EXPECT_EQ(std::vector<uint8_t>(raw, raw + sizeof(RetrievalTargets)),
              std::vector<uint8_t>(sizeof(RetrievalTargets), 0x5A));
}

// Which writes count: a printer that cannot be opened to administer it does
// not stop the chain; a value the spooler refuses stops it after step 1,
// whose own writes never count; a printer that cannot be opened at all fails
// step 1.
TEST_F(RetrievalThread, WriteRulesDecideWhereTheChainStops) {
    SimulatedPrinter printer = zr51test::DefaultSimulatedPrinter();
    zr51test::SnmpdAgent agent;
    if (!Serve(&agent, printer, address_)) GTEST_SKIP() << why_;
    struct Case { const char* what; uint32_t deniedAccess; uint32_t setDataError; int stepsDone; } cases[] = {
        {"no administration", kPrinterAccessAdminister, 0, 4},
        {"values refused", 0, kErrAccessDenied, 1},
        {"no use", kPrinterAccessUse, 0, 0},
    };
    for (const Case& c : cases) {
        PrinterRig rig;
        Aim(rig.base.get(), address_);
        FakePrinter* p = rig.fake.spooler.Printer(u"P1");
        p->deniedAccess = c.deniedAccess;
        p->setDataError = c.setDataError;
        Notices notices;
        ASSERT_EQ(Run(rig, u"P1", targets_.get(), &notices), 1) << c.what;
        EXPECT_EQ(notices.stepsDone, c.stepsDone) << c.what;
        EXPECT_EQ(rig.fake.spooler.OpenHandles(), 0) << c.what;
    }
}

// A second sheet starts its worker while the first one's is still asking a
// slow printer: each writes only its own destinations and printer.
TEST_F(RetrievalThread, SecondStartWhileTheFirstRunsKeepsBothApart) {
    SimulatedPrinter slow = zr51test::DefaultSimulatedPrinter();
    slow.forms = {{1, "Slow form"}};
    slow.barcodeAreas = {{1, "Slow area", 2, 20}};
    SimulatedPrinter fast = zr51test::DefaultSimulatedPrinter();
    zr51test::PrinterSimulator slowAgent;
    zr51test::SimOptions late;
    late.mode = "late";
    late.delayMs = 400;
    std::string why;
    if (!slowAgent.Start(address_, zr51test::AgentValuesFor(slow), late, &why)) GTEST_SKIP() << why;
    std::string fastAddress = zr51test::NextLoopbackAddress();
    zr51test::SnmpdAgent fastAgent;
    if (!Serve(&fastAgent, fast, fastAddress)) GTEST_SKIP() << why_;

    PrinterRig rig;
    rig.fake.spooler.AddPrinter(u"P2");
    auto second = std::make_unique<PrinterSession>(*rig.base);
    Aim(rig.base.get(), address_);
    Aim(second.get(), fastAddress);
    auto secondTargets = std::make_unique<RetrievalTargets>();
    std::memset(secondTargets.get(), 0x5A, sizeof(RetrievalTargets));

    Notices first, other;
    ASSERT_EQ(StartRetrievalThread({u"P1", rig.base.get(), targets_.get(), Record, &first}), 1);
    // The first sheet's session may change once its worker has started.
    Aim(rig.base.get(), fastAddress);
    ASSERT_EQ(StartRetrievalThread({u"P2", second.get(), secondTargets.get(), Record, &other}), 1);
    WaitAllRetrievalThreads();
    EXPECT_EQ(RetrievalThreadsPending(), 0);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(other.count, 1);
    EXPECT_EQ(first.stepsDone, 4);
    EXPECT_EQ(other.stepsDone, 4);
    ExpectDescription(slow, *targets_, rig.fake.spooler, u"P1");
    ExpectDescription(fast, *secondTargets, rig.fake.spooler, u"P2");
    EXPECT_GE(slowAgent.RequestsSeen(), 4);
}

// Two sheets open one after the other, the first on a printer that never
// answers: the wait is for the second sheet's worker alone and returns while
// the first is still in its time-out. Once the first sheet releases its
// destinations its worker neither writes them nor calls its notice.
TEST_F(RetrievalThread, WaitIsForTheMostRecentWorkerOnly) {
    SimulatedPrinter fast = zr51test::DefaultSimulatedPrinter();
    std::string fastAddress = zr51test::NextLoopbackAddress();
    zr51test::SnmpdAgent fastAgent;
    if (!Serve(&fastAgent, fast, fastAddress)) GTEST_SKIP() << why_;
    PrinterRig rig;
    rig.fake.spooler.AddPrinter(u"P2");
    auto second = std::make_unique<PrinterSession>(*rig.base);
    Aim(rig.base.get(), address_);  // nothing listens there
    Aim(second.get(), fastAddress);
    auto secondTargets = std::make_unique<RetrievalTargets>();

    Notices silent, responsive;
    ASSERT_EQ(StartRetrievalThread({u"P1", rig.base.get(), targets_.get(), Record, &silent}), 1);
    ASSERT_EQ(StartRetrievalThread({u"P2", second.get(), secondTargets.get(), Record, &responsive}), 1);
    WaitRetrievalThread();
    EXPECT_EQ(responsive.count, 1);
    EXPECT_EQ(responsive.stepsDone, 4);
    EXPECT_EQ(silent.count, 0) << "the wait also waited for the earlier worker";
    EXPECT_EQ(RetrievalThreadsPending(), 1);
    ReleaseRetrievalTargets(targets_.get());
    WaitAllRetrievalThreads();
    EXPECT_EQ(silent.count, 0);
    EXPECT_EQ(RetrievalThreadsPending(), 0);
}

// A worker whose sheet released its destinations still stores what it
// fetched as printer data, but leaves the released memory alone.
TEST_F(RetrievalThread, ReleasedDestinationsAreNeverWritten) {
    SimulatedPrinter printer = zr51test::DefaultSimulatedPrinter();
    zr51test::SnmpdAgent agent;
    if (!Serve(&agent, printer, address_)) GTEST_SKIP() << why_;
    PrinterRig rig;
    Aim(rig.base.get(), address_);
    Notices notices;
    ASSERT_EQ(StartRetrievalThread({u"P1", rig.base.get(), targets_.get(), Record, &notices}), 1);
    ReleaseRetrievalTargets(targets_.get());
    WaitRetrievalThread();
    EXPECT_EQ(notices.count, 0);
    const uint8_t* raw = reinterpret_cast<const uint8_t*>(targets_.get());
    EXPECT_EQ(std::vector<uint8_t>(raw, raw + sizeof(RetrievalTargets)),
              std::vector<uint8_t>(sizeof(RetrievalTargets), 0x5A));
    EXPECT_NE(rig.fake.spooler.Printer(u"P1")->Find(u"TrayList"), nullptr);
}

// A notice that waits (as a page handling it on the wrong thread would)
// neither deadlocks nor loses the worker: the sheet's own wait joins it.
void WaitThenRecord(void* context, RetrievalTargets* targets, int stepsDone) {
    WaitRetrievalThread();
    Record(context, targets, stepsDone);
}

TEST_F(RetrievalThread, NoticeThatWaitsOnTheWorkersThreadLeavesItToTheSheet) {
    PrinterRig rig;
    rig.fake.spooler.Printer(u"P1")->deniedAccess = kPrinterAccessUse;
    Notices notices;
    ASSERT_EQ(StartRetrievalThread({u"P1", rig.base.get(), targets_.get(), WaitThenRecord, &notices}), 1);
    WaitRetrievalThread();
    EXPECT_EQ(notices.count, 1);
    EXPECT_EQ(notices.stepsDone, 0);
    EXPECT_EQ(RetrievalThreadsPending(), 0);
}

}  // namespace
