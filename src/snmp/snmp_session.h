// SNMP sessions: one per batch of requests, opened to the printer's port
// 161, asked once with every object of the batch in one GetRequest, closed
// right after. Every operation returns a status of snmp/snmp_status.h.
#pragma once
#include <cstdint>

#include "platform/udp.h"
#include "snmp/snmp_codec.h"

struct SnmpPeer {
    uint32_t state;   // 1 = open
    char* community;  // malloc'd, terminated
    SnmpEndpoint* endpoint;
};

struct SnmpSession {
    char host[256];
    SnmpPeer* peer;
    uint32_t timeoutSeconds;  // 7 after open
    uint32_t retries;         // 0, never changed
    SnmpVarRecord* cache;     // values received, newest first
    SnmpSession* next;        // the process-wide list of open sessions
};

constexpr uint32_t kSnmpDefaultTimeout = 7;

int32_t SnmpOpenSession(const char* host, const char* community, SnmpSession** out);
// A handle that is not open is left alone.
void SnmpCloseSession(SnmpSession* session);
int32_t SnmpSetTimeout(SnmpSession* session, uint32_t seconds);
// One exchange for all records; on success each record's buffer receives up
// to capacity bytes of its value and length the full length. A failed
// exchange leaves the records untouched.
int32_t SnmpGetValues(SnmpSession* session, SnmpVarRecord* records, uint32_t count);
int32_t SnmpGetInteger(SnmpSession* session, const char* oid, uint8_t value[4], uint32_t* length);
// 0 IPv4, 1 IPv6, -1 another family; 2 null, 1 not open.
int32_t SnmpSessionFamily(SnmpSession* session);
