// The simulated printer served by snmpd answers every object the retrieval
// asks for with the value its description holds, read back with our client.
#include "snmp/simulated_printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/udp.h"
#include "snmp/snmp_session.h"

using zr51test::AgentValue;

namespace {

std::string Hex(const uint8_t* bytes, uint32_t n) {
    std::string s;
    char two[3];
    for (uint32_t i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, "%02X", bytes[i]);
        s += two;
    }
    return s;
}

// The served value in the form AgentValue writes it.
std::string AsWritten(const AgentValue& v, const uint8_t* bytes, uint32_t length) {
    if (v.type == "integer") return std::to_string(SnmpDecodeInteger(bytes, length));
    if (v.type == "hex") return Hex(bytes, length);
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

TEST(SimulatedPrinter, SnmpdServesTheDescriptionAsWritten) {
    zr51test::SimulatedPrinter printer = zr51test::DefaultSimulatedPrinter();
    printer.barcodeAreas.push_back({1, "Last row", 5, 12});
    std::vector<AgentValue> values = zr51test::AgentValuesFor(printer);
    std::string address = zr51test::NextLoopbackAddress(), why;
    zr51test::SnmpdAgent agent;
    if (!agent.Start(address, values, &why)) GTEST_SKIP() << why;
    InstallSockets(&PosixSockets());

    // Batches of 100 objects keep each answer inside one datagram.
    constexpr size_t kBatch = 100;
    for (size_t first = 0; first < values.size(); first += kBatch) {
        size_t n = std::min(kBatch, values.size() - first);
        std::vector<SnmpVarRecord> records(n);
        std::vector<std::vector<uint8_t>> buffers(n, std::vector<uint8_t>(1028));
        for (size_t i = 0; i < n; ++i) {
            const AgentValue& v = values[first + i];
            std::strcpy(records[i].oid, v.oid.c_str());
            records[i].type = v.type == "integer" ? 2 : 4;
            records[i].capacity = 1028;
            records[i].value = buffers[i].data();
        }
        SnmpSession* s = nullptr;
        ASSERT_EQ(SnmpOpenSession(address.c_str(), "public", &s), 0);
        ASSERT_EQ(SnmpSetTimeout(s, 2), 0);
        ASSERT_EQ(SnmpGetValues(s, records.data(), static_cast<uint32_t>(n)), 0) << values[first].oid;
        SnmpCloseSession(s);
        for (size_t i = 0; i < n; ++i) {
            const AgentValue& v = values[first + i];
            EXPECT_EQ(AsWritten(v, buffers[i].data(), records[i].length), v.value) << v.oid;
            // The printer sends its flags, counts and states in one byte.
            if (v.type == "integer" && std::stoll(v.value) < 128) {
                EXPECT_EQ(records[i].length, 1u) << v.oid;
            }
        }
    }

    InstallSockets(nullptr);
}

}  // namespace
