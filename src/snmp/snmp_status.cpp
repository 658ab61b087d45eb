#include "snmp/snmp_status.h"

namespace {

// The texts are the log's as printers' support staff know them, spelling included.
const char* const kPlainTexts[] = {
    "",                                  // 0
    "invalid handle",                    // 1
    "invalid parameter",                 // 2
    "out of memory",                     // 3
    "network error (session time out)",  // 4
    "", "", "", "", "",                  // 5..9
    "Asn.1 format error",                // 10
    "recieve snmp version error",        // 11
    "recieve community error",           // 12
    "recieve request id error",          // 13
    "recieve data error",                // 14
    "recieve status error",              // 15
    "recieve data count error",          // 16
    "create pdu header error",           // 17
    "create send message error",         // 18
};

const char* const kClassTexts[] = {
    "",                                  // 0: plain codes
    "network error (address info)",      // 0x1
    "network error (address info 2)",    // 0x2
    "network error (socket)",            // 0x3
    "network error (bind)",              // 0x4
    "network error (send)",              // 0x5
    "network error (select)",            // 0x6
    "network error (recieve)",           // 0x7
    "network error (get host by name)",  // 0x8
};

}  // namespace

const char* SnmpStatusText(int32_t code) {
    if (code == kSnmpDestAddressError) {
        return "dest ip address error";
    }
    if (code == kSnmpUnknownError) {
        return "unknown error";
    }
    uint32_t networkClass = static_cast<uint32_t>(code) >> 28;
    if (networkClass != 0) {
        return networkClass < sizeof kClassTexts / sizeof kClassTexts[0] ? kClassTexts[networkClass] : "";
    }
    return code > 0 && code < static_cast<int32_t>(sizeof kPlainTexts / sizeof kPlainTexts[0]) ? kPlainTexts[code]
                                                                                                 : "";
}
