// The environment page's fetch against the simulated printer: the options
// and the printer's registered papers arrive (the papers as user-defined
// papers, in the paper lists from id 1000), and a printer that does not
// answer gives the message within the fetch's time-out, leaving the page.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "base/text16.h"
#include "platform/fake_platform.h"
#include "platform/udp.h"
#include "saved/user_papers.h"
#include "snmp/agent_fixture.h"
#include "snmp/printer_config.h"
#include "snmp/simulated_printer.h"
#include "ui/environment_page.h"

namespace {

struct FetchRig {
    FakePlatformScope fake;
    std::unique_ptr<PrinterSession> s = std::make_unique<PrinterSession>();
    PageInput in{};
    PrinterHandle h = nullptr;
    explicit FetchRig(const std::string& address) {
        std::memset(s.get(), 0, sizeof *s);
        PrinterInfo2 info;
        info.portName = u"IP_TEST";
        fake.spooler.AddPrinter(u"P1", info);
        std::u16string wide = U16(address);
        std::vector<uint8_t> answer(wide.size() * 2 + 2, 0);
        std::memcpy(answer.data(), wide.data(), wide.size() * 2);
        fake.spooler.xcv[u",XcvPort IP_TEST"][u"IPAddress"].output = answer;
        EXPECT_TRUE(fake.spooler.OpenPrinter(u"P1", kPrinterAllAccess, &h));
        InstallSockets(&PosixSockets());
        in.session = s.get();
        in.printer = h;
        in.facts = SheetFacts{1, 1, 0, 0};
        s->env.modelColor = '3';
        s->env.wakeUpEnable = 1;
        Text16Copy(s->env.macAddress, 18, u"00:80:92:1A:2B:3C");
    }
    ~FetchRig() {
        InstallSockets(nullptr);
        fake.spooler.ClosePrinter(h);
    }
};

}  // namespace

TEST(EnvironmentFetch, OptionsAndPapersFromThePrinter) {
    const zr51test::SimulatedPrinter p = zr51test::DefaultSimulatedPrinter();
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::PrinterSimulator sim;
    std::string why;
    if (!sim.Start(address, zr51test::AgentValuesFor(p), zr51test::SimOptions(), &why)) GTEST_SKIP() << why;
    FetchRig rig(address);
    const EnvironmentButtonResult r = PressEnvironmentButton(rig.in, 30051);
    EXPECT_EQ((std::vector<uint32_t>{1, 0, 1}), (std::vector<uint32_t>{static_cast<uint32_t>(r.handled), r.messageId,
                                                                       static_cast<uint32_t>(r.changed)}));
    EXPECT_EQ(rig.s->env.pressPaperSupport, p.pressPaper);
    UserPaper papers[kUserPaperSlots];
    ASSERT_EQ(EnumeratePapers(rig.h, papers), 3);
    EXPECT_EQ(Text16ToUtf8(papers[1].name), "Ticket");
    EXPECT_EQ((std::vector<uint32_t>{papers[1].id, papers[1].width, papers[1].length}),
              (std::vector<uint32_t>{1001, 2100, 990}));
}

TEST(EnvironmentFetch, SilentPrinterGivesTheMessage) {
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::PrinterSimulator sim;
    zr51test::SimOptions silent;
    silent.mode = "silent";
    std::string why;
    if (!sim.Start(address, {}, silent, &why)) GTEST_SKIP() << why;
    FetchRig rig(address);
    rig.s->env.wakeUpEnable = 0;  // the wake-up's own waits are minutes long
    rig.s->env.inputUnit_Option = 10;
    const auto start = std::chrono::steady_clock::now();
    const EnvironmentButtonResult r = PressEnvironmentButton(rig.in, 30051);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(r.messageId, 20552u);
    EXPECT_EQ(r.changed, 0);
    EXPECT_EQ(rig.s->env.inputUnit_Option, 10);
    EXPECT_LT(seconds, kSnmpLongTimeout + 2.0);
    UserPaperNames names;
    LoadPaperNames(rig.h, &names);
    EXPECT_EQ(CountPapers(&names), 0);
}
