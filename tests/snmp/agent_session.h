// The session the SNMP client's agent tests open, natively and under Wine.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "snmp/snmp_session.h"

namespace zr51test {

// A session to the agent with a one-second time-out.
inline SnmpSession* OpenAgentSession(const std::string& address, const char* community = "public") {
    SnmpSession* s = nullptr;
    EXPECT_EQ(SnmpOpenSession(address.c_str(), community, &s), 0);
    if (s != nullptr) {
        EXPECT_EQ(SnmpSetTimeout(s, 1), 0);
    }
    return s;
}

}  // namespace zr51test
