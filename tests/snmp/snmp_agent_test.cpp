// The client over real sockets against net-snmp's snmpd on port 161 of a
// loopback address of its own: an agent nobody here wrote decodes our
// requests and we decode its answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/udp.h"
#include "snmp/agent_fixture.h"
#include "snmp/agent_session.h"
#include "snmp/agent_table_values.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

using zr51test::AgentValue;

namespace {

const std::string kP = ".1.3.6.1.4.1.40961.1.2";

std::vector<AgentValue> ServedValues() {
    std::vector<AgentValue> values = {
        {kP + ".2.2.5.3.0", "integer", "3"},
        {kP + ".2.2.5.4.0", "integer", "-5"},
        {kP + ".2.2.5.5.0", "integer", "70000"},
        {kP + ".3.1.0", "string", "Tray 1 plain A4"},
        {kP + ".3.2.0", "string", ""},
        {kP + ".1.1.4.0", "hex", "C0A80164"},
    };
    std::vector<AgentValue> table = zr51test::AgentTableValues();
    values.insert(values.end(), table.begin(), table.end());
    return values;
}

class SnmpdClient : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        address_ = zr51test::NextLoopbackAddress();
        agent_ = std::make_unique<zr51test::SnmpdAgent>();
        if (!agent_->Start(address_, ServedValues(), &why_)) {
            agent_.reset();
        }
    }
    static void TearDownTestSuite() { agent_.reset(); }
    void SetUp() override {
        if (!agent_) GTEST_SKIP() << why_;
        InstallSockets(&PosixSockets());
    }
    void TearDown() override { InstallSockets(nullptr); }

    SnmpSession* Open() { return zr51test::OpenAgentSession(address_); }

    static std::string address_, why_;
    static std::unique_ptr<zr51test::SnmpdAgent> agent_;
};
std::string SnmpdClient::address_, SnmpdClient::why_;
std::unique_ptr<zr51test::SnmpdAgent> SnmpdClient::agent_;

struct Asked {
    std::string oid;
    uint32_t type;
    const char* hex;  // the content bytes expected
};

std::string Hex(const uint8_t* bytes, uint32_t n) {
    std::string s;
    char two[4];
    for (uint32_t i = 0; i < n; ++i) {
        snprintf(two, sizeof two, "%02X", bytes[i]);
        s += two;
    }
    return s;
}

TEST_F(SnmpdClient, IntegersStringsAndAddressesInOneRequest) {
    const Asked asked[] = {
        {kP + ".2.2.5.3.0", 2, "03"},
        {kP + ".2.2.5.4.0", 2, "FB"},        // -5: one byte, decoded without sign as 251
        {kP + ".2.2.5.5.0", 2, "011170"},
        {kP + ".3.1.0", 4, "5472617920312070 6C61696E204134"},
        {kP + ".3.2.0", 4, ""},
        {kP + ".1.1.4.0", 4, "C0A80164"},
    };
    constexpr uint32_t n = sizeof asked / sizeof asked[0];
    SnmpVarRecord records[n]{};
    uint8_t buffers[n][32]{};
    for (uint32_t i = 0; i < n; ++i) {
        strcpy(records[i].oid, asked[i].oid.c_str());
        records[i].type = asked[i].type;
        records[i].capacity = 31;
        records[i].value = buffers[i];
    }
    SnmpSession* s = Open();
    ASSERT_EQ(SnmpGetValues(s, records, n), 0);
    for (uint32_t i = 0; i < n; ++i) {
        std::string expected = asked[i].hex;
        expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
        EXPECT_EQ(Hex(buffers[i], records[i].length), expected) << asked[i].oid;
        EXPECT_EQ(records[i].type, asked[i].type);
    }
    EXPECT_EQ(SnmpDecodeInteger(buffers[2], records[2].length), 70000u);
    uint8_t value[4] = {};
    uint32_t length = 0;
    EXPECT_EQ(SnmpGetInteger(s, (kP + ".2.2.5.3.0").c_str(), value, &length), 0);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(value[0], 3);
    SnmpCloseSession(s);
}

TEST_F(SnmpdClient, FourHundredObjectsInOneDatagram) {
    std::vector<AgentValue> table = zr51test::AgentTableValues();
    std::vector<SnmpVarRecord> records(table.size());
    std::vector<std::array<uint8_t, 16>> buffers(table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        strcpy(records[i].oid, table[i].oid.c_str());
        records[i].type = table[i].type == "integer" ? 2 : 4;
        records[i].capacity = 15;
        records[i].value = buffers[i].data();
    }
    SnmpSession* s = Open();
    ASSERT_EQ(SnmpGetValues(s, records.data(), static_cast<uint32_t>(records.size())), 0);
    for (size_t i = 0; i < table.size(); ++i) {
        std::string got = table[i].type == "integer"
                              ? std::to_string(SnmpDecodeInteger(buffers[i].data(), records[i].length))
                              : std::string(reinterpret_cast<char*>(buffers[i].data()), records[i].length);
        EXPECT_EQ(got, table[i].value) << table[i].oid;
    }
    SnmpCloseSession(s);
}

TEST_F(SnmpdClient, RefusalsAndSilenceWithinTheTimeOut) {
    struct Case {
        const char* what;
        std::string host;
        const char* community;
        std::string oid;
        int32_t status;
    } cases[] = {
        // The agent drops a request with a community it does not know.
        {"wrong community", address_, "private", kP + ".2.2.5.3.0", kSnmpTimeOut},
        // A version 1 agent answers noSuchName (error-status 2) with the index.
        {"object not served", address_, "public", kP + ".9.9.9.0", kSnmpStatusError},
        // Nothing listens there; an unconnected socket sees no port-unreachable.
        {"no agent", zr51test::NextLoopbackAddress(), "public", kP + ".2.2.5.3.0", kSnmpTimeOut},
    };
    for (const Case& c : cases) {
        SnmpSession* s = nullptr;
        ASSERT_EQ(SnmpOpenSession(c.host.c_str(), c.community, &s), 0);
        ASSERT_EQ(SnmpSetTimeout(s, 1), 0);
        uint8_t value[4] = {7, 7, 7, 7};
        uint32_t length = 99;
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(SnmpGetInteger(s, c.oid.c_str(), value, &length), c.status) << c.what;
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 5.0) << c.what;  // no hang, with room for sanitizers under load
        EXPECT_EQ(value[0], 7) << c.what;
        SnmpCloseSession(s);
    }
}

TEST_F(SnmpdClient, EndpointFamilyFollowsTheAddress) {
    struct Case {
        const char* host;
        int32_t family;
    } cases[] = {{"127.0.0.1", 0}, {"::1", 1}};
    for (const Case& c : cases) {
        SnmpSession* s = nullptr;
        ASSERT_EQ(SnmpOpenSession(c.host, "public", &s), 0) << c.host;
        EXPECT_EQ(SnmpSessionFamily(s), c.family) << c.host;
        SnmpCloseSession(s);
    }
}

}  // namespace
