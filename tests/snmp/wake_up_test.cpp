// The wake-up over the in-memory sockets and the recording host sleep: how
// many magic packets go out, how often readiness is asked, how long it waits.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ber_builder.h"
#include "platform/fake_platform.h"
#include "platform/fake_udp.h"
#include "snmp/wake_up.h"

using namespace bertest;

namespace {

const char kReadinessHex[] = "2B 06 01 04 01 82 C0 01 01 02 01 01 06 00";

struct WakeCase {
    const char* what;
    uint8_t enable;
    const char16_t* mac;
    std::vector<int> states;  // readiness answers in turn, -1 a time-out; the last repeats
    int result;
    int packets;
    int queries;
    std::vector<uint32_t> sleeps;
};

std::vector<uint32_t> Repeat(std::vector<uint32_t> head, uint32_t value, int n) {
    head.insert(head.end(), n, value);
    return head;
}

TEST(WakeUpPrinter, Sequences) {
    const WakeCase cases[] = {
        {"ready at once", 1, u"00:80:92:1a:2b:3c", {1}, 1, 0, 1, {}},
        {"waking then ready", 1, u"00:80:92:1a:2b:3c", {2, 1}, 1, 0, 2, {5000}},
        {"waking then asleep", 1, u"00:80:92:1a:2b:3c", {2, 0}, 0, 2, 17, Repeat({5000, 5000, 10000}, 1000, 14)},
        {"asleep, ready on the third poll", 1, u"0:80:92:1A:2B:3C", {0, 0, 0, 1}, 1, 2, 4, {5000, 10000, 1000, 1000}},
        {"silent printer", 1, u"00:80:92:1a:2b:3c", {-1}, 0, 2, 16, {5000, 10000}},
        {"all-zero hardware address", 1, u"00:00:00:00:00:00", {0}, 1, 0, 0, {}},
        {"wake-up switched off", 0, u"00:80:92:1a:2b:3c", {0}, 1, 0, 0, {}},
        {"no hardware address", 1, u"", {0}, 0, 0, 0, {}},
    };
    for (const WakeCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope platform;
        platform.spooler.AddPrinter(u"P1");
        PrinterHandle printer = nullptr;
        ASSERT_TRUE(platform.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &printer));
        FakeSocketsScope net;
        net.hosts["printer4"] = {FakeAddress("192.0.2.7")};
        net.hosts["255.255.255.255"] = {FakeAddress("255.255.255.255")};
        net.hosts[""] = {FakeAddress("10.0.0.5")};
        auto queries = std::make_shared<int>(0);
        std::vector<int> states = c.states;
        net.responder = [queries, states](const Bytes& request) {
            int state = states[std::min<size_t>(static_cast<size_t>((*queries)++), states.size() - 1)];
            if (state < 0) return Bytes();
            Bytes id(request.begin() + 17, request.begin() + 19);
            return Message(Int({0}), Str("public"), 0xA2, Int(id), Int({0}), Int({0}),
                           Seq(Binding(kReadinessHex, Int({static_cast<uint8_t>(state)}))));
        };
        auto session = std::make_unique<PrinterSession>();
        std::memset(session.get(), 0, sizeof *session);
        session->env.wakeUpEnable = c.enable;
        std::memcpy(session->env.macAddress, c.mac, std::char_traits<char16_t>::length(c.mac) * 2);
        session->env.useTypedAddress = 1;
        std::memcpy(session->env.typedAddress, u"printer4", 16);

        EXPECT_EQ(WakeUpPrinter(printer, session.get()), c.result);
        int packets = 0;
        for (const auto& s : net.sent) {
            if (s.bytes.size() != 102) continue;
            packets++;
            EXPECT_EQ(ToHex(Bytes(s.bytes.end() - 6, s.bytes.end())), "00 80 92 1A 2B 3C");
            EXPECT_TRUE(s.broadcast);
        }
        EXPECT_EQ(packets, c.packets);
        EXPECT_EQ(*queries, c.queries);
        EXPECT_EQ(platform.host.Sleeps(), c.sleeps);
        platform.spooler.ClosePrinter(printer);
    }
}

TEST(WakeUpPrinter, UnknownAddressBroadcastsOnlyToTheDefaultTargets) {
    for (uint8_t target : {0, 1}) {
        FakePlatformScope platform;
        platform.spooler.AddPrinter(u"P1");  // a port nobody answers for
        PrinterHandle printer = nullptr;
        ASSERT_TRUE(platform.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &printer));
        FakeSocketsScope net;
        net.hosts[""] = {FakeAddress("10.0.0.5"), FakeAddress("fe80::5")};
        net.hosts["255.255.255.255"] = {FakeAddress("255.255.255.255")};
        net.hosts["FF02::2"] = {FakeAddress("ff02::2")};
        auto session = std::make_unique<PrinterSession>();
        std::memset(session.get(), 0, sizeof *session);
        session->env.wakeUpEnable = 1;
        session->env.wakeUpTarget = target;
        std::memcpy(session->env.macAddress, u"00:80:92:1a:2b:3c", 34);
        EXPECT_EQ(WakeUpPrinter(printer, session.get()), 0);
        EXPECT_EQ(net.sent.size(), target == 0 ? 2u : 0u) << int(target);
        EXPECT_TRUE(platform.host.Sleeps().empty());
        platform.spooler.ClosePrinter(printer);
    }
}

}  // namespace
