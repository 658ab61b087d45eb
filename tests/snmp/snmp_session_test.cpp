// Sessions and the UDP layer over the in-memory sockets: what goes out,
// how often, and what the caller's records hold afterwards.
#include <gtest/gtest.h>

#include <cstring>

#include "ber_builder.h"
#include "platform/fake_udp.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

using namespace bertest;

namespace {

const char kOid[] = ".1.3.6.1.4.1.40961.1.2.1.1.6.0";
const char kOidHex[] = "2B 06 01 04 01 82 C0 01 01 02 01 01 06 00";

// An answer to whatever was asked: the request's id echoed, kOid bound to value.
std::function<Bytes(const Bytes&)> Answering(const Bytes& value) {
    return [value](const Bytes& request) {
        // 30 L 02 01 00 04 06 "public" A0 L 02 02 hi lo: the id sits at 17.
        Bytes id(request.begin() + 17, request.begin() + 19);
        return Message(Int({0}), Str("public"), 0xA2, Int(id), Int({0}), Int({0}), Seq(Binding(kOidHex, value)));
    };
}

class SnmpSessionFake : public ::testing::Test {
protected:
    void SetUp() override {
        net.hosts["printer4"] = {FakeAddress("192.0.2.7")};
        net.hosts["printer6"] = {FakeAddress("2001:db8::7"), FakeAddress("192.0.2.7")};
        net.hosts["v6only"] = {FakeAddress("2001:db8::8")};
    }
    SnmpSession* Open(const char* host) {
        SnmpSession* s = nullptr;
        EXPECT_EQ(SnmpOpenSession(host, "public", &s), 0);
        return s;
    }
    FakeSocketsScope net;
};

TEST_F(SnmpSessionFake, OpenFailuresReleaseEverything) {
    struct Case { const char *host, *community; int32_t status; };
    const std::string tooLong(128, 'c');
    const Case cases[] = {
        {nullptr, "public", kSnmpInvalidParameter},
        {"printer4", nullptr, kSnmpInvalidParameter},
        {"printer4", tooLong.c_str(), kSnmpInvalidParameter},
        {"nowhere", "public", 0x10000000 | 11001},
        {"v6only", "public", 0x30000000 | 10047},
    };
    net.refusedFamilies.insert(kFamilyInet6);
    for (const Case& c : cases) {
        SnmpSession* s = reinterpret_cast<SnmpSession*>(1);
        EXPECT_EQ(SnmpOpenSession(c.host, c.community, &s), c.status) << (c.host ? c.host : "null");
        EXPECT_EQ(s, nullptr);
    }
    EXPECT_EQ(net.startups, net.cleanups);
    EXPECT_EQ(net.openSockets, 0);
    // The first address that yields a socket is used.
    SnmpSession* s = Open("printer6");
    EXPECT_EQ(SnmpSessionFamily(s), 0);
    SnmpCloseSession(s);
    EXPECT_EQ(net.startups, net.cleanups);
}

TEST_F(SnmpSessionFake, HandlesAndArguments) {
    SnmpSession* s4 = Open("printer4");
    SnmpSession* s6 = Open("printer6");
    SnmpSession notOpen{};
    SnmpVarRecord record{};
    strcpy(record.oid, kOid);
    EXPECT_EQ(SnmpSessionFamily(s4), 0);
    EXPECT_EQ(SnmpSessionFamily(s6), 1);
    EXPECT_EQ(SnmpSessionFamily(nullptr), kSnmpInvalidParameter);
    EXPECT_EQ(SnmpSessionFamily(&notOpen), kSnmpInvalidHandle);
    EXPECT_EQ(SnmpSetTimeout(nullptr, 3), kSnmpInvalidParameter);
    EXPECT_EQ(SnmpSetTimeout(&notOpen, 3), kSnmpInvalidHandle);
    EXPECT_EQ(SnmpSetTimeout(s4, 0), kSnmpInvalidParameter);
    EXPECT_EQ(s4->timeoutSeconds, 7u);
    EXPECT_EQ(SnmpGetValues(s4, nullptr, 1), kSnmpInvalidParameter);
    EXPECT_EQ(SnmpGetValues(s4, &record, 0), kSnmpInvalidParameter);
    EXPECT_EQ(SnmpGetValues(&notOpen, &record, 1), kSnmpInvalidHandle);
    EXPECT_TRUE(net.sent.empty());
    // A time-out of 0 is refused, so the session still waits 7 seconds, once.
    EXPECT_EQ(SnmpGetValues(s4, &record, 1), kSnmpTimeOut);
    EXPECT_EQ(net.sent.size(), 1u);
    EXPECT_EQ(net.waits, std::vector<uint32_t>{7});
    SnmpCloseSession(s4);
    SnmpCloseSession(s4);  // no longer open: nothing happens
    EXPECT_EQ(SnmpSessionFamily(s6), 1);
    SnmpCloseSession(s6);
    EXPECT_EQ(net.startups, net.cleanups);
    EXPECT_EQ(net.openSockets, 0);
}

TEST_F(SnmpSessionFake, AnswerLargerThanTheBufferIsAskedAgainWithDoubleRoom) {
    SnmpSession* s = Open("printer4");
    // One object gets 512 + 6 + 34 bytes of room; this answer needs more than twice that.
    const std::string text(1500, 't');
    net.responder = Answering(Str(text));
    char buffer[16] = {};
    SnmpVarRecord record{};
    strcpy(record.oid, kOid);
    record.type = 4;
    record.capacity = 8;
    record.value = reinterpret_cast<uint8_t*>(buffer);
    ASSERT_EQ(SnmpSetTimeout(s, 2), 0);
    EXPECT_EQ(SnmpGetValues(s, &record, 1), 0);
    EXPECT_EQ(net.sent.size(), 3u);  // 552 and 1104 bytes were too small, 2208 fit
    EXPECT_EQ(net.sent[0].bytes, net.sent[2].bytes);
    EXPECT_EQ(record.length, 1500u);
    EXPECT_STREQ(buffer, "tttttttt");  // cut to the capacity
    EXPECT_EQ(net.waits, (std::vector<uint32_t>{2, 2, 2}));
    SnmpCloseSession(s);
}

TEST_F(SnmpSessionFake, FailedExchangesLeaveTheRecordsAlone) {
    SnmpSession* s = Open("printer4");
    uint8_t value[4] = {9, 9, 9, 9};
    uint32_t length = 77;
    // value: answered for kOid; empty: no answer at all.
    struct Case { Bytes value; int32_t status; } cases[] = {
        {{}, kSnmpTimeOut},
        {Int({0x01, 0x02}), kSnmpSuccess},
    };
    for (const Case& c : cases) {
        net.responder = c.value.empty() ? nullptr : Answering(c.value);
        EXPECT_EQ(SnmpGetInteger(s, kOid, value, &length), c.status);
        if (c.status != 0) {
            EXPECT_EQ(ToHex(Bytes(value, value + 4)), "09 09 09 09");
            EXPECT_EQ(length, 0u);  // its own record's length, untouched
        }
    }
    EXPECT_EQ(ToHex(Bytes(value, value + 4)), "01 02 09 09");
    EXPECT_EQ(length, 2u);
    // The cache keeps one entry per object; a later answer replaces its value.
    net.responder = Answering(Int({0x05}));
    EXPECT_EQ(SnmpGetInteger(s, kOid, value, &length), 0);
    EXPECT_EQ(value[0], 5);
    ASSERT_NE(s->cache, nullptr);
    EXPECT_EQ(s->cache->next, nullptr);
    SnmpCloseSession(s);
}

TEST_F(SnmpSessionFake, ExchangeSendsAgainAfterEachTimeOutUpToTheRetries) {
    SnmpEndpoint* e = nullptr;
    ASSERT_EQ(SnmpOpenEndpoint("printer4", &e), 0);
    EXPECT_EQ(e->address[2] << 8 | e->address[3], 161);
    const uint8_t request[3] = {1, 2, 3};
    uint8_t buffer[8];
    uint32_t received = 99;
    EXPECT_EQ(SnmpExchange(e, request, 3, buffer, sizeof buffer, 2, 2, &received), kSnmpTimeOut);
    EXPECT_EQ(net.sent.size(), 3u);
    EXPECT_EQ(net.waits, (std::vector<uint32_t>{2, 2, 2}));
    net.answers.push_back(Hex("AA BB"));
    EXPECT_EQ(SnmpExchange(e, request, 3, buffer, sizeof buffer, 2, 0, &received), 0);
    EXPECT_EQ(received, 2u);
    net.answers.push_back(Bytes(9, 0));
    EXPECT_EQ(SnmpExchange(e, request, 3, buffer, sizeof buffer, 2, 0, &received), 0x70002738);
    EXPECT_EQ(SnmpCloseEndpoint(e), 0);
    EXPECT_EQ(SnmpCloseEndpoint(nullptr), kSnmpInvalidParameter);
    EXPECT_EQ(SnmpEndpointFamily(nullptr), kSnmpInvalidParameter);
}

TEST(SnmpWakeUp, OnePacketPerLocalAddressOfTheTargetsFamily) {
    FakeSocketsScope net;
    net.hosts[""] = {FakeAddress("10.0.0.5"), FakeAddress("fe80::5"), FakeAddress("192.168.1.5")};
    net.hosts["255.255.255.255"] = {FakeAddress("255.255.255.255")};
    const uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    EXPECT_EQ(SendWakeUpPacket("255.255.255.255", mac), 1);
    ASSERT_EQ(net.sent.size(), 2u);
    const char* sources[] = {"10.0.0.5", "192.168.1.5"};
    for (size_t i = 0; i < 2; ++i) {
        NetAddress from = FakeAddress(sources[i]);
        from.bytes[3] = 7;  // port 7
        EXPECT_EQ(net.sent[i].from, Bytes(from.bytes, from.bytes + from.length));
        EXPECT_TRUE(net.sent[i].broadcast);
        NetAddress to = FakeAddress("255.255.255.255");
        EXPECT_EQ(net.sent[i].to, Bytes(to.bytes, to.bytes + to.length));  // port 0, as resolved
        ASSERT_EQ(net.sent[i].bytes.size(), 102u);
        EXPECT_EQ(ToHex(Bytes(net.sent[i].bytes.begin(), net.sent[i].bytes.begin() + 12)), "FF FF FF FF FF FF 00 11 22 33 44 55");
        EXPECT_EQ(ToHex(Bytes(net.sent[i].bytes.end() - 6, net.sent[i].bytes.end())), "00 11 22 33 44 55");
    }
    EXPECT_EQ(net.openSockets, 0);
    // A target that does not resolve gives the resolver's error; no local
    // addresses give 0. Every way out cleans up what it started.
    EXPECT_EQ(SendWakeUpPacket("nowhere", mac), 11001);
    net.hosts[""] = {};
    EXPECT_EQ(SendWakeUpPacket("255.255.255.255", mac), 0);
    EXPECT_EQ(net.sent.size(), 2u);
    EXPECT_EQ(net.startups, 3);
    EXPECT_EQ(net.cleanups, 3);
}

}  // namespace
