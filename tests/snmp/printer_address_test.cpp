// The printer's address from the queue's port (IPP monitor URL or standard
// TCP/IP port) and the request runner, over the in-memory spooler.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ber_builder.h"
#include "platform/fake_platform.h"
#include "platform/fake_udp.h"
#include "snmp/printer_config.h"
#include "snmp/record_values.h"

using namespace bertest;

namespace {

TEST(ExtractUrlHost, HostPartOfTheUrl) {
    struct Case { const char16_t *url, *host; };
    const Case cases[] = {
        {u"ipp://printer.example:631/ipp/print", u"printer.example"},
        {u"http://[fe80::1%4]:631/ipp", u"fe80::1%4"},
        {u"ipp://192.0.2.7", u"192.0.2.7"},
        {u"ipp://user@host/", u"user"},
        {u"ipp://host?x/", u"host?x"},
        {u"ipp://a-b_c.d%e", u"a-b_c.d%e"},
        {u"ipp://:631/", u""}, {u"ipp:/host", u""}, {u"", u""},
    };
    for (const Case& c : cases) {
        char16_t out[64];
        size_t n = ExtractUrlHost(c.url, 200, out, 64);
        EXPECT_EQ(std::u16string(out), std::u16string(c.host)) << Narrow(c.url);
        EXPECT_EQ(n, std::char_traits<char16_t>::length(c.host));
    }
    // Every one of these ends the host.
    for (char16_t stop : std::u16string(u"~!#$^&*()=+[]{}\\|;'\",<>")) {
        const std::u16string url = std::u16string(u"ipp://a") + stop + u"b";
        char16_t out[64];
        EXPECT_EQ(1u, ExtractUrlHost(url.c_str(), 200, out, 64)) << Narrow(url);
        EXPECT_EQ(u"a", std::u16string(out)) << Narrow(url);
    }
    // A URL without terminator is read no further than its capacity.
    const char16_t cut[] = {u'i', u'p', u'p', u':', u'/', u'/', u'h', u'o', u's', u't', u'X'};
    char16_t out[4];
    EXPECT_EQ(ExtractUrlHost(cut, 10, out, 4), 3u);  // "hos": cut to the output too
}

std::vector<uint8_t> Wide(const std::u16string& text, size_t size, size_t offset) {
    std::vector<uint8_t> bytes(size, 0);
    std::memcpy(bytes.data() + offset, text.data(), std::min(text.size() * 2, size - offset));
    return bytes;
}

TEST(GetPrinterAddress, FromThePortMonitors) {
    // monitor: of the port in the port list, null: no such port; url: the IPP monitor's answer; tcpAddress:
    // the standard port's answer, null: it fails; address: null: none.
    struct Case { const char* what; const char16_t *server, *monitor; uint32_t enumError;
                  const char16_t *url, *tcpAddress; const char* address; };
    const Case cases[] = {
        {"IPP port", u"", u"KELO IPP Port", 0, u"ipp://[2001:db8::7]:631/ipp", nullptr, "2001:db8::7"},
        {"IPP port, monitor name in other case", u"", u"kelo ipp port", 0, u"ipps://prn.local:443/", nullptr, "prn.local"},
        {"IPP port with empty host", u"", u"KELO IPP Port", 0, u"ipp:///ipp", u"192.0.2.9", nullptr},
        {"unreadable port list asks the monitor", u"", nullptr, 5, u"ipp://10.1.2.3/", nullptr, "10.1.2.3"},
        {"standard port", u"", u"Standard TCP/IP Port", 0, nullptr, u"192.0.2.9", "192.0.2.9"},
        {"standard port of a shared printer", u"\\\\srv", u"Standard TCP/IP Port", 0, nullptr, u"192.0.2.10",
         "192.0.2.10"},
        {"standard port without answer", u"", nullptr, 0, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope platform;
        PrinterInfo2 info;
        info.serverName = c.server;
        info.portName = u"PORT_1";
        platform.spooler.AddPrinter(u"P1", info);
        if (c.monitor) platform.spooler.ports = {{u"LPT1:", u"Local Port"}, {u"port_1", c.monitor}};
        platform.spooler.enumPortsError = c.enumError;
        if (c.url) platform.spooler.xcv[u",XcvPort PORT_1"][u"GetPortInfo"].output = Wide(c.url, kIppPortInfoSize, kIppPortUrlOffset);
        std::u16string tcpName = std::u16string(c.server) + (c.server[0] ? u"\\" : u"") + u",XcvPort PORT_1";
        if (c.tcpAddress) platform.spooler.xcv[tcpName][u"IPAddress"].output = Wide(c.tcpAddress, 64, 0);
        PrinterHandle printer = nullptr;
        ASSERT_TRUE(platform.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &printer));
        char address[256] = "unchanged";
        EXPECT_EQ(GetPrinterAddress(printer, address, sizeof address), c.address ? 1 : 0);
        if (c.address) {
            EXPECT_STREQ(address, c.address);
        }
        platform.spooler.ClosePrinter(printer);
    }
}

TEST(GetIppPortInfo, StandardPortOpensNothing) {
    FakePlatformScope platform;
    platform.spooler.ports = {{u"IP_1", u"Standard TCP/IP Port"}};
    std::vector<uint8_t> out(kIppPortInfoSize);
    EXPECT_EQ(GetIppPortInfo(u"IP_1", out.data()), kNotIppPort);
    EXPECT_EQ(GetIppPortInfo(nullptr, out.data()), kErrInvalidParameter);
    EXPECT_EQ(platform.spooler.CallLog(), (std::vector<std::string>{"EnumLocalPorts"}));
}

// The stored community is used only when the environment asks for it; the
// answer's values reach the records and the outcome is logged.
TEST(RunSnmpRequest, CommunityValuesAndOutcome) {
    const char kOid[] = ".1.3.6.1.4.1.40961.1.2.1.1.6.0";
    const char kOidHex[] = "2B 06 01 04 01 82 C0 01 01 02 01 01 06 00";
    const char kTextOid[] = ".1.3.6.1.4.1.40961.1.2.2.4.1.2.0";
    const char kTextOidHex[] = "2B 06 01 04 01 82 C0 01 01 02 02 04 01 02 00";
    struct Case { const char* what; uint8_t override; int result; const char* line; };
    const Case cases[] = {
        {"stored community asked for", 1, 1, "SNMP Request Success.\n"},
        // The printer answers "secret" only: a request in "public" goes unanswered.
        {"stored community not asked for", 0, 0, "SNMP Request Fail : msg=network error (session time out), code=4\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatformScope platform;
        platform.spooler.AddPrinter(u"P1").SetString(u"SnmpCommunityName", u"secret");
        PrinterHandle printer = nullptr;
        ASSERT_TRUE(platform.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &printer));
        FakeSocketsScope net;
        net.hosts["printer4"] = {FakeAddress("192.0.2.7")};
        net.responder = [&](const Bytes& request) {
            if (std::string(request.begin() + 7, request.begin() + 7 + request[6]) != "secret") return Bytes();
            size_t at = 11 + request[6];  // past the community: the id's content
            Bytes id(request.begin() + at, request.begin() + at + 2);
            return Message(Int({0}), Str("secret"), 0xA2, Int(id), Int({0}), Int({0}),
                           Seq(Cat({Binding(kOidHex, Int({0x01, 0x2C})), Binding(kTextOidHex, Str("Grüß"))})));
        };
        auto env = std::make_unique<PrinterEnvironment>();
        std::memset(env.get(), 0, sizeof *env);
        env->useTypedAddress = 1;
        env->communityOverride = c.override;
        std::memcpy(env->typedAddress, u"printer4", 16);
        SnmpVarRecord records[2];
        uint8_t a[4] = {}, b[16] = {};
        SetRecord(&records[0], kOid, kSnmpTypeInteger, a, 4);
        SetRecord(&records[1], kTextOid, kSnmpTypeOctetString, b, 16);
        EXPECT_EQ(RunSnmpRequest(records, 2, printer, env.get(), 1), c.result);
        if (c.result) {
            EXPECT_EQ(ToHex(Bytes(a, a + records[0].length)), "01 2C");
            EXPECT_EQ(std::string(reinterpret_cast<char*>(b), records[1].length), "Grüß");
        }
        std::string log;
        for (const std::u16string& line : platform.host.DebugLines()) log += Narrow(line);
        EXPECT_NE(log.find(c.line), std::string::npos) << log;
        platform.spooler.ClosePrinter(printer);
    }
}

TEST(RunSnmpRequest, NoHandleOrNoAddress) {
    FakePlatformScope platform;
    platform.spooler.AddPrinter(u"P1");
    PrinterHandle printer = nullptr;
    ASSERT_TRUE(platform.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &printer));
    auto env = std::make_unique<PrinterEnvironment>();
    std::memset(env.get(), 0, sizeof *env);
    SnmpVarRecord record;
    uint8_t value[4];
    SetRecord(&record, ".1.3.6.1.4.1.40961.1.2.1.1.6.0", kSnmpTypeInteger, value, 4);
    EXPECT_EQ(RunSnmpRequest(&record, 1, nullptr, env.get(), 1), 0);
    EXPECT_EQ(LastSnmpRequestStatus(), -1);
    EXPECT_EQ(RunSnmpRequest(&record, 1, printer, env.get(), 1), 0);  // the port has no address
    EXPECT_EQ(LastSnmpRequestStatus(), -2);
    std::vector<std::u16string> lines = platform.host.DebugLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(Narrow(lines[1]).find("SNMP Request Fail : msg=dest ip address error, code=-2\n"), std::string::npos);
    platform.spooler.ClosePrinter(printer);
}

}  // namespace
