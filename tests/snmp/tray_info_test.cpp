// GetTrayInfo over the in-memory sockets (skips, time-outs, a printer that
// answers only the first request) and against snmpd serving a faulty
// simulated printer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/tray_ids.h"
#include "session/global_list.h"
#include "platform/fake_platform.h"
#include "platform/fake_udp.h"
#include "platform/udp.h"
#include "snmp/agent_fixture.h"
#include "snmp/simulated_printer.h"
#include "snmp/printer_config.h"
#include "snmp/tray_evaluation.h"

using zr51test::AgentValue;

namespace {

std::unique_ptr<PrinterSession> TypedAddressSession(const char16_t* address) {
    auto s = std::make_unique<PrinterSession>();
    std::memset(s.get(), 0, sizeof *s);
    s->env.useTypedAddress = 1;
    std::u16string(address).copy(s->env.typedAddress, 39);
    s->dm.priv.inputTray = kTrayAuto, s->dm.priv.paperType = 257, s->env.defaultPaperType = 258;
    return s;
}

std::string Log(const FakeHost& host) {
    std::string log;
    for (const auto& line : host.DebugLines()) log += Narrow(line);
    return log;
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Answers a request with itself turned into a GetResponse: every object
// bound to the NULL it was asked with.
std::vector<uint8_t> Echo(const std::vector<uint8_t>& request) {
    std::vector<uint8_t> answer = request;
    size_t at = 2 + ((request[1] & 0x80) ? (request[1] & 0x7F) : 0) + 3 + 8;  // version, "public"
    answer[at] = 0xA2;
    return answer;
}

class TrayInfoFake : public ::testing::Test {
protected:
    void SetUp() override { net.hosts["printer4"] = {FakeAddress("192.0.2.7")}; }
    FakePlatformScope fake;
    FakeSocketsScope net;
};

TEST_F(TrayInfoFake, JobsTheAnswerCannotChangeAreSkippedWithoutARequest) {
    struct Case { const char* what; uint16_t inputTray; uint32_t paperType;
                  uint8_t imageRotation, outputTray, offsetOutput, mixed, staple, fold, punch, bookletBinding; bool skipped; };
    const Case cases[] = {
        {"chosen tray, type, rotation and output tray", kTrayStandardFeed, 258, 4, 1, 0, 0, 0, 0, 0, 0, true},
        {"... offset output instead", kTrayStandardFeed, 258, 4, 0, 1, 0, 0, 0, 0, 0, true},
        {"... automatic tray", kTrayAuto, 258, 4, 1, 0, 0, 0, 0, 0, 0, false},
        {"... any paper type", kTrayStandardFeed, 257, 4, 1, 0, 0, 0, 0, 0, 0, false},
        {"... no rotation", kTrayStandardFeed, 258, 0, 1, 0, 0, 0, 0, 0, 0, false},
        {"... no output choice", kTrayStandardFeed, 258, 4, 0, 0, 0, 0, 0, 0, 0, false},
        {"typed paper and staple", kTrayAuto, 259, 0, 0, 0, 0, 1, 0, 0, 0, true},
        {"typed paper and booklet binding", kTrayAuto, 259, 0, 0, 0, 0, 0, 0, 0, 1, true},
        {"... with mixed sizes", kTrayAuto, 259, 0, 0, 0, 1, 1, 1, 1, 1, false},
        {"any paper and staple", kTrayAuto, 257, 0, 0, 0, 0, 1, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        auto s = TypedAddressSession(u"printer4");
        PrivateSettings& j = s->dm.priv;
        j.inputTray = c.inputTray, j.paperType = c.paperType, j.imageRotation = c.imageRotation;
        j.outputTray = c.outputTray, j.offsetOutput = c.offsetOutput, j.mixedSizeSupport = c.mixed;
        j.staple = c.staple, j.fold = c.fold, j.punch = c.punch, j.bookletBinding = c.bookletBinding;
        net.sent.clear();
        fake.host.ClearDebugLines();
        PrinterTrayInfo info;
        std::memset(&info, 0x5A, sizeof info);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(0, GetTrayInfo(reinterpret_cast<PrinterHandle>(1), s.get(), &info));
        EXPECT_EQ(c.skipped, net.sent.empty());
        EXPECT_EQ(c.skipped, Log(fake.host).find("SNMP Start : get tray info.") == std::string::npos);
        if (c.skipped) { EXPECT_EQ(0x5A5A5A5A, info.trayIndex); }
    }
}

TEST_F(TrayInfoFake, SilentPrinterFailsWithinTheFirstRequestsTimeOut) {
    auto s = TypedAddressSession(u"printer4");
    PrinterTrayInfo info;
    std::memset(&info, 0x5A, sizeof info);
    EXPECT_EQ(0, GetTrayInfo(reinterpret_cast<PrinterHandle>(1), s.get(), &info));
    EXPECT_EQ(net.waits, (std::vector<uint32_t>{3}));
    PrinterTrayInfo zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, &info, sizeof info));
    std::string log = Log(fake.host);
    EXPECT_EQ(1, Count(log, "SNMP Fail : get tray info.\n"));
    EXPECT_EQ(0, Count(log, "SNMP Success"));
}

TEST_F(TrayInfoFake, SecondRequestUnansweredKeepsTheResultAndWaitsSevenSeconds) {
    int requests = 0;
    net.responder = [&requests](const std::vector<uint8_t>& request) {
        return ++requests == 1 ? Echo(request) : std::vector<uint8_t>();
    };
    auto s = TypedAddressSession(u"printer4");
    PrinterTrayInfo info;
    EXPECT_EQ(1, GetTrayInfo(reinterpret_cast<PrinterHandle>(1), s.get(), &info));
    EXPECT_EQ(net.waits, (std::vector<uint32_t>{3, 7}));
    EXPECT_EQ(1, info.result);
    // Empty answers: no usable tray, no output tray mode.
    EXPECT_EQ(-1, info.trayIndex);
    EXPECT_EQ((std::vector<int32_t>{0, 0, 0}), std::vector<int32_t>(info.outputMode, info.outputMode + 3));
    std::string log = Log(fake.host);
    EXPECT_EQ(2, Count(log, "\nSNMP Start : get tray info.\n"));
    EXPECT_EQ(1, Count(log, "SNMP Success : get tray info.\n"));
    EXPECT_EQ(1, Count(log, "SNMP Fail : get tray info.\n"));
    EXPECT_EQ(1, Count(log, "SNMP Tray Info : Tray1 -- status=0 autoSelect=0 feedSetting=0 paperType=指定しない "
                            "horizontal=0 vertical=0\n"));
}

// A whole record as its bytes, so a mismatch prints every field.
std::vector<uint8_t> Raw(const TrayEntry& t) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&t);
    return std::vector<uint8_t>(b, b + sizeof t);
}

std::string Tray(int number, int column) {
    return std::string(zr51test::kPrinterMib) + ".1.2.1.1." + std::to_string(column) + "." + std::to_string(number);
}

// The default printer less the second request's objects, sending tray values
// outside their fields.
std::vector<AgentValue> FaultyValues() {
    std::vector<AgentValue> values;
    const std::string mode9 = std::string(zr51test::kPrinterMib) + ".2.2.5.9.0";
    const std::string mode10 = std::string(zr51test::kPrinterMib) + ".2.2.5.10.0";
    for (AgentValue v : zr51test::AgentValuesFor(zr51test::DefaultSimulatedPrinter())) {
        if (v.oid == mode9 || v.oid == mode10) continue;
        if (v.oid == Tray(5, 2)) v = {v.oid, "integer", "257"};
        if (v.oid == Tray(1, 6)) v = {v.oid, "integer", "200"};
        if (v.oid == Tray(1, 4)) v = {v.oid, "string", "ABCDEF"};
        if (v.oid == Tray(1, 5)) v = {v.oid, "integer", "-5"};
        if (v.oid == Tray(2, 8)) v = {v.oid, "string", ""};
        values.push_back(v);
    }
    return values;
}

// snmpd serving the faulty printer; the trays over the default one are the
// retrieval worker's (RetrievalThread), their evaluation TrayEvaluation's.
TEST(TrayInfoAgent, PrinterRefusingTheSecondRequestKeepsTheFirstAndValuesAreCutToTheirFields) {
    const std::string address = zr51test::NextLoopbackAddress();
    zr51test::SnmpdAgent agent;
    std::string why;
    if (!agent.Start(address, FaultyValues(), &why)) GTEST_SKIP() << why;
    InstallSockets(&PosixSockets());
    FakePlatformScope fake;
    auto s = TypedAddressSession(U16(address).c_str());
    BuildModelLists(&s->env, nullptr, 0x0409, 0);
    s->dm.priv.outputSize = 9, s->dm.priv.originalOrientation = 1;
    const int32_t mode0 = OutputTrayModeCode(zr51test::DefaultSimulatedPrinter().outputModes[0], 0);
    fake.host.ClearDebugLines();
    PrinterTrayInfo info{};
    EXPECT_EQ(1, GetTrayInfo(reinterpret_cast<PrinterHandle>(1), s.get(), &info));
    InstallSockets(nullptr);
    EXPECT_EQ((std::vector<int32_t>{mode0, 0, 0}), std::vector<int32_t>(info.outputMode, info.outputMode + 3));
    // Status 257 is no status; the paper type of 200 none; the width the
    // text's first four bytes, -5 read as 251; an empty feed setting 0.
    EXPECT_EQ(Raw({0, 0, 6, 1, 3, {}, 0, 0}), Raw(info.trays[0]));
    EXPECT_EQ(Raw({1, 0, 0, 1, 1, {}, 0x41424344, 0xFB}), Raw(info.trays[1]));
    EXPECT_EQ(Raw({1, 0, 2, 1, 0, {}, 2970, 2100}), Raw(info.trays[4]));
    std::string log = Log(fake.host);
    EXPECT_EQ(1, Count(log, "SNMP Success : get tray info.\n"));
    EXPECT_EQ(1, Count(log, "SNMP Fail : get tray info.\n"));
    EXPECT_EQ(1, Count(log, "SNMP Tray Info : Feeder -- status=1 autoSelect=1 feedSetting=1 paperType=指定しない "
                            "horizontal=1094861636 vertical=251\n"));
}

}  // namespace
