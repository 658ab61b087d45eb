// The client over Winsock (Wine's under the emulator) against an agent that
// cmake/with-agent.sh runs around this program on port 161 of the address in
// ZR51_AGENT_ADDRESS: snmpd serving the table of snmp/agent_table_values.h (the
// Snmpd tests), or the simulator padding every answer to 20000 bytes (the
// Oversized test); ctest runs each group beside its agent.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/udp.h"
#include "snmp/agent_table_values.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

namespace {

const std::string kP = ".1.3.6.1.4.1.40961.1.2";

std::string Env(const char* name) {
    const char* v = getenv(name);
    return v != nullptr ? v : "";
}

class Win32Snmp : public ::testing::Test {
protected:
    void SetUp() override {
        address_ = Env("ZR51_AGENT_ADDRESS");
        if (address_.empty()) GTEST_SKIP() << "no agent around this run";
        InstallSockets(&Win32Sockets());
    }
    void TearDown() override { InstallSockets(nullptr); }

    // A session to the agent with a one-second time-out.
    SnmpSession* Open() {
        SnmpSession* s = nullptr;
        EXPECT_EQ(SnmpOpenSession(address_.c_str(), "public", &s), 0);
        if (s) { EXPECT_EQ(SnmpSetTimeout(s, 1), 0); }
        return s;
    }
    std::string address_;
};

// The table zr51-printer-values writes for snmpd.
TEST_F(Win32Snmp, SnmpdTableOf400InOneRequest) {
    const std::vector<zr51test::AgentValue> table = zr51test::AgentTableValues();
    const size_t n = table.size();
    std::vector<SnmpVarRecord> records(n);
    std::vector<uint8_t> buffers(n * 16);
    for (size_t i = 0; i < n; ++i) {
        snprintf(records[i].oid, sizeof records[i].oid, "%s", table[i].oid.c_str());
        records[i].type = table[i].type == "string" ? 4 : 2;
        records[i].capacity = 15;
        records[i].value = &buffers[i * 16];
    }
    SnmpSession* s = Open();
    ASSERT_EQ(SnmpGetValues(s, records.data(), static_cast<uint32_t>(n)), 0);
    for (size_t i = 0; i < n; ++i) {
        std::string got = table[i].type == "string"
                              ? std::string(reinterpret_cast<char*>(&buffers[i * 16]), records[i].length)
                              : std::to_string(SnmpDecodeInteger(&buffers[i * 16], records[i].length));
        EXPECT_EQ(got, table[i].value) << records[i].oid;
    }
    EXPECT_EQ(SnmpSessionFamily(s), 0);
    SnmpCloseSession(s);
}

// Nothing listens on this address: Winsock's time-out, within its second
// (a refused community or object is snmpd's and the codec's own matter).
TEST_F(Win32Snmp, SnmpdRunUnansweredAddressTimesOut) {
    SnmpSession* none = nullptr;
    ASSERT_EQ(SnmpOpenSession("127.52.0.9", "public", &none), 0);
    ASSERT_EQ(SnmpSetTimeout(none, 1), 0);
    uint8_t value[4] = {};
    uint32_t length = 0;
    auto start = std::chrono::steady_clock::now();
    // Wine, like Linux, reports no port-unreachable on an unconnected socket;
    // Windows itself may end sooner with the receive error 10054.
    EXPECT_EQ(SnmpGetInteger(none, (kP + ".2.2.9.1.1.1").c_str(), value, &length), kSnmpTimeOut);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.5);
    SnmpCloseSession(none);
    SnmpSession* s6 = nullptr;
    ASSERT_EQ(SnmpOpenSession("::1", "public", &s6), 0);
    EXPECT_EQ(SnmpSessionFamily(s6), 1);
    SnmpCloseSession(s6);
}

// Winsock's own message-too-long error makes the buffer double until the
// 20000-byte answer fits.
TEST_F(Win32Snmp, OversizedAnswerGrowsTheBuffer) {
    SnmpVarRecord record{};
    uint8_t value[4] = {};
    snprintf(record.oid, sizeof record.oid, "%s.2.2.9.1.1.1", kP.c_str());
    record.type = 2;
    record.capacity = 4;
    record.value = value;
    SnmpSession* s = Open();
    EXPECT_EQ(SnmpGetValues(s, &record, 1), 0);
    EXPECT_EQ(SnmpDecodeInteger(value, record.length), 1u);
    SnmpCloseSession(s);
}

}  // namespace
