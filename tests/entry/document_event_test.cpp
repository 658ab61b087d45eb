// STARTDOC wakes the printer the stored environment names and lets the job
// go on whatever the printer says: a ready printer is asked once, a printer
// without the wake-up enabled is not asked at all (how long a sleeping one is
// polled is WakeUpPrinter.Sequences').
#include "entry/document_event.h"

#include <gtest/gtest.h>

#include "../settings/printer_rig.h"
#include "platform/udp.h"
#include "base/text16.h"
#include "snmp/agent_fixture.h"
#include "snmp/simulated_printer.h"

namespace {

TEST(DocumentEvent, StartDocWakesThePrinterAndIgnoresTheAnswer) {
    // requests: readiness queries the printer sees; maxSleptMs: the wake-up's own waits, at most.
    struct Case { const char* what; uint8_t wakeUpEnable, readiness; int requests; uint32_t maxSleptMs; } cases[] = {
        {"ready", 1, 1, 1, 0},
        {"wake-up off", 0, 1, 0, 0},
    };
    InstallSockets(&PosixSockets());
    for (const Case& c : cases) {
        zr51test::SimulatedPrinter printer = zr51test::DefaultSimulatedPrinter();
        printer.readiness = c.readiness;
        std::string address = zr51test::NextLoopbackAddress(), why;
        zr51test::PrinterSimulator agent;
        if (!agent.Start(address, zr51test::AgentValuesFor(printer), {}, &why)) GTEST_SKIP() << why;
        PrinterRig rig([&](PrinterEnvironment& env) {
            env.useTypedAddress = 1;
            Text16Copy(env.typedAddress, 40, U16(address).c_str());
            env.wakeUpEnable = c.wakeUpEnable;
            env.wakeUpTarget = 1;  // the printer's own address, never a broadcast
            Text16Copy(env.macAddress, 18, U16(printer.mac1).c_str());
        });
        PrinterHandle h = nullptr;
        ASSERT_EQ(rig.fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h), 1);
        EXPECT_EQ(DrvDocumentEventCore(h, kDocEventStartDoc, 0, nullptr, 0, nullptr), kDocEventSuccess) << c.what;
        rig.fake.spooler.ClosePrinter(h);
        EXPECT_EQ(agent.RequestsSeen(), c.requests) << c.what;
        EXPECT_LE(rig.fake.host.SleptMilliseconds(), c.maxSleptMs) << c.what;
    }
    InstallSockets(nullptr);
}

}  // namespace
