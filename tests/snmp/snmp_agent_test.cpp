// One smoke case of the client over real sockets against net-snmp's snmpd
// on port 161 of a loopback address of its own: an agent nobody here wrote
// decodes our request and we decode its answer. Refusals, time-outs and
// whole tables are covered by the codec and retrieval tests.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/udp.h"
#include "snmp/agent_fixture.h"
#include "snmp/agent_session.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

namespace {

const std::string kP = ".1.3.6.1.4.1.40961.1.2";

TEST(SnmpdClient, IntegersStringsAndAddressesInOneRequest) {
    // value: as served; bytes: the content bytes expected back.
    const struct { std::string oid; const char *type, *value; uint32_t asType; std::vector<uint8_t> bytes; } asked[] = {
        {kP + ".2.2.5.3.0", "integer", "3", 2, {0x03}},
        {kP + ".2.2.5.4.0", "integer", "-5", 2, {0xFB}},  // one byte, decoded without sign as 251
        {kP + ".2.2.5.5.0", "integer", "70000", 2, {0x01, 0x11, 0x70}},
        {kP + ".3.1.0", "string", "Tray 1", 4, {'T', 'r', 'a', 'y', ' ', '1'}},
        {kP + ".3.2.0", "string", "", 4, {}},
        {kP + ".1.1.4.0", "hex", "C0A80164", 4, {0xC0, 0xA8, 0x01, 0x64}},
    };
    constexpr uint32_t n = sizeof asked / sizeof asked[0];
    std::vector<zr51test::AgentValue> served;
    for (const auto& a : asked) served.push_back({a.oid, a.type, a.value});
    const std::string address = zr51test::NextLoopbackAddress();
    std::string why;
    zr51test::SnmpdAgent agent;
    if (!agent.Start(address, served, &why)) GTEST_SKIP() << why;
    InstallSockets(&PosixSockets());
    SnmpVarRecord records[n]{};
    uint8_t buffers[n][32]{};
    for (uint32_t i = 0; i < n; ++i) {
        strcpy(records[i].oid, asked[i].oid.c_str());
        records[i].type = asked[i].asType, records[i].capacity = 31, records[i].value = buffers[i];
    }
    SnmpSession* s = zr51test::OpenAgentSession(address);
    ASSERT_EQ(SnmpGetValues(s, records, n), 0);
    for (uint32_t i = 0; i < n; ++i) {
        EXPECT_EQ(std::vector<uint8_t>(buffers[i], buffers[i] + records[i].length), asked[i].bytes) << asked[i].oid;
        EXPECT_EQ(records[i].type, asked[i].asType);
    }
    EXPECT_EQ(SnmpDecodeInteger(buffers[2], records[2].length), 70000u);
    SnmpCloseSession(s);
    InstallSockets(nullptr);
}

}  // namespace
