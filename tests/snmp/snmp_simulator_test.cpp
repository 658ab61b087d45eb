// The client over real sockets against our printer simulator for what only
// the system's sockets do: an answer larger than the buffer (the receive
// reports its whole length) and a printer asleep for a while; no call
// outlasts its one-second time-out. Silence, retries, the records a failed
// exchange leaves alone and what each malformed answer decodes to are
// decided over the in-memory sockets (snmp_session_test, snmp_codec_test).
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "platform/udp.h"
#include "snmp/agent_fixture.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

namespace {

const std::string kP = ".1.3.6.1.4.1.40961.1.2";
const std::vector<zr51test::AgentValue> kValues = {
    {kP + ".1.1.6.0", "integer", "1"},
    {kP + ".3.1.0", "string", "Tray 1"},
};

// statuses: one request after another in one session; datagrams: what the
// simulator received.
struct Case { const char* what; zr51test::SimOptions options; std::vector<int32_t> statuses; int datagrams; };

const Case kCases[] = {
    // 1064 bytes of room for two objects, doubled five times to 34048.
    {"oversized answer", {.mode = "oversized", .padTo = 20000}, {0}, 6},
    {"asleep for two requests", {.mode = "asleep", .asleep = 2}, {kSnmpTimeOut, kSnmpTimeOut, 0}, 3},
};

TEST(SnmpSimulator, StatusAndTime) {
    struct Sockets { Sockets() { InstallSockets(&PosixSockets()); } ~Sockets() { InstallSockets(nullptr); } } sockets;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        zr51test::PrinterSimulator sim;
        std::string address = zr51test::NextLoopbackAddress(), why;
        if (!sim.Start(address, kValues, c.options, &why)) GTEST_SKIP() << why;
        SnmpSession* s = nullptr;
        ASSERT_EQ(SnmpOpenSession(address.c_str(), "public", &s), 0);
        ASSERT_EQ(SnmpSetTimeout(s, 1), 0);
        for (int32_t expected : c.statuses) {
            uint8_t text[8] = {};
            uint8_t state[4] = {};
            SnmpVarRecord records[2] = {{{}, 2, 4, state, 0, nullptr}, {{}, 4, 7, text, 0, nullptr}};
            strcpy(records[0].oid, kValues[0].oid.c_str());
            strcpy(records[1].oid, kValues[1].oid.c_str());
            auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(SnmpGetValues(s, records, 2), expected);
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            // No hang: the bound holds under the sanitizers on a loaded
            // machine; a re-send shows in the datagram count instead.
            EXPECT_LT(seconds, 5.0);
            if (expected == kSnmpTimeOut) {
                EXPECT_GE(seconds, 0.95);  // one whole wait, no re-send
            } else {
                EXPECT_EQ(state[0], 1);
                EXPECT_STREQ(reinterpret_cast<char*>(text), "Tray 1");
            }
        }
        SnmpCloseSession(s);
        EXPECT_EQ(sim.RequestsSeen(), c.datagrams);
    }
}

}  // namespace
