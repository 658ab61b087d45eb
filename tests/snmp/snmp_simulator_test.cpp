// The client over real sockets against our printer simulator for what
// happens between the datagrams: silence, late and oversized answers, a
// printer asleep for a while; no call outlasts its one-second time-out. What
// each malformed answer decodes to is the codec test's.
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

struct Case {
    const char* what;
    zr51test::SimOptions options;
    std::vector<int32_t> statuses;  // one request after another in one session
    int datagrams;                  // the simulator received
    const char* community = "public";
    std::string oid = kP + ".3.1.0";
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }

zr51test::SimOptions Mode(const char* mode) {
    zr51test::SimOptions o;
    o.mode = mode;
    return o;
}

zr51test::SimOptions With(zr51test::SimOptions o, int zr51test::SimOptions::*field, int value) {
    o.*field = value;
    return o;
}

// Asks for kValues' two objects (or one other object) as often as the case says.
void AskAsTheCaseSays(const Case& c) {
    zr51test::PrinterSimulator sim;
    std::string address = zr51test::NextLoopbackAddress(), why;
    if (!sim.Start(address, kValues, c.options, &why)) GTEST_SKIP() << why;
    SnmpSession* s = nullptr;
    ASSERT_EQ(SnmpOpenSession(address.c_str(), c.community, &s), 0);
    ASSERT_EQ(SnmpSetTimeout(s, 1), 0);
    for (int32_t expected : c.statuses) {
        uint8_t text[8] = {};
        uint8_t state[4] = {};
        SnmpVarRecord records[2] = {{{}, 2, 4, state, 0, nullptr}, {{}, 4, 7, text, 0, nullptr}};
        strcpy(records[0].oid, kValues[0].oid.c_str());
        strcpy(records[1].oid, c.oid.c_str());
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(SnmpGetValues(s, records, 2), expected) << c.what;
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // No hang: the bound holds under the sanitizers on a loaded machine; a
        // second wait (a re-send) shows in the datagram count below instead.
        EXPECT_LT(seconds, 5.0) << c.what;
        if (expected == kSnmpTimeOut) {
            EXPECT_GE(seconds, 0.95) << c.what;  // one whole wait, no re-send
        }
        if (expected == 0) {
            EXPECT_EQ(records[0].length, 1u);
            EXPECT_EQ(state[0], 1);
            EXPECT_STREQ(reinterpret_cast<char*>(text), "Tray 1") << c.what;
        } else {
            EXPECT_EQ(records[1].length, 0u) << c.what;  // a failed exchange leaves the records alone
            EXPECT_EQ(text[0], 0) << c.what;
        }
    }
    SnmpCloseSession(s);
    EXPECT_EQ(sim.RequestsSeen(), c.datagrams) << c.what;
}

class SnmpSimulator : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { InstallSockets(&PosixSockets()); }
    void TearDown() override { InstallSockets(nullptr); }
};

TEST_P(SnmpSimulator, StatusAndTime) { AskAsTheCaseSays(GetParam()); }

using O = zr51test::SimOptions;
const Case kCases[] = {
    {"normal", Mode("normal"), {0}, 1},
    {"object it does not know: noSuchName", Mode("normal"), {kSnmpStatusError}, 1, "public", kP + ".9.9.0"},
    {"other community: no answer", Mode("normal"), {kSnmpTimeOut}, 1, "private"},
    {"silent", Mode("silent"), {kSnmpTimeOut}, 1},
    {"late beyond the time-out", With(Mode("late"), &O::delayMs, 1800), {kSnmpTimeOut}, 1},
    {"late within it", With(Mode("late"), &O::delayMs, 300), {0}, 1},
    // 1064 bytes of room for two objects, doubled five times to 34048.
    {"oversized answer", With(Mode("oversized"), &O::padTo, 20000), {0}, 6},
    {"asleep for two requests", With(Mode("asleep"), &O::asleep, 2), {kSnmpTimeOut, kSnmpTimeOut, 0}, 3},
};
INSTANTIATE_TEST_SUITE_P(Modes, SnmpSimulator, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p != '\0'; ++p) {
                                 if (isalnum(static_cast<unsigned char>(*p))) name += *p;
                             }
                             return name;
                         });

}  // namespace
