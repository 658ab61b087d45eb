// Waking a sleeping printer: ask its readiness, wait while it wakes by
// itself, else send the magic packet twice and poll until it answers ready.
#include <cstring>

#include "diagnostics/log.h"
#include "platform/udp.h"
#include "snmp/printer_oids.h"
#include "snmp/snmp_request.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"
#include "snmp/wake_up.h"

namespace {

constexpr int kWakingPolls = 36;
constexpr int kReadyPolls = 15;

// One MAC part as wcstol reads it in base 16, kept to its low byte.
uint8_t ParseHexPart(const char16_t* s, size_t n) {
    size_t i = 0;
    while (i < n && (s[i] == u' ' || (s[i] >= u'\t' && s[i] <= u'\r'))) i++;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) i += 2;
    int64_t value = 0;
    for (; i < n; i++) {
        char16_t c = s[i];
        int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10
                : c >= u'A' && c <= u'F'                                ? c - u'A' + 10
                                                                        : -1;
        if (d < 0) break;
        if (value <= 0x7FFFFFFF) value = value * 16 + d;
    }
    // A 32-bit long saturates.
    if (value > 0x7FFFFFFF) value = negative ? INT32_MIN : INT32_MAX;
    else if (negative) value = -value;
    return static_cast<uint8_t>(value & 0xFF);
}

// Up to six ':'-separated parts of the MAC text.
void ParseMac(const char16_t* text, size_t capacity, uint8_t mac[6]) {
    std::memset(mac, 0, 6);
    size_t start = 0, part = 0, i = 0;
    for (;; i++) {
        bool end = i >= capacity || text[i] == 0;
        if (end || text[i] == u':') {
            if (part < 6) mac[part++] = ParseHexPart(text + start, i - start);
            start = i + 1;
            if (end) break;
        }
    }
}

// 1 ready, 0 asleep, 2 waking; the status of the query through *status.
int QueryReadiness(SnmpSession* session, int32_t* status) {
    uint8_t value[4] = {};
    uint32_t length = 0;
    *status = SnmpGetInteger(session, kOidReadiness, value, &length);
    return value[0];  // the state comes as a one-byte INTEGER
}

}  // namespace

int WakeUpPrinter(PrinterHandle printer, PrinterSession* session) {
    if (!session) return 0;
    PrinterEnvironment* env = &session->env;
    if (env->wakeUpEnable != 1) return 1;
    if (env->macAddress[0] == 0) return 0;
    uint8_t mac[6];
    ParseMac(env->macAddress, sizeof env->macAddress / 2, mac);
    if (!(mac[0] | mac[1] | mac[2] | mac[3] | mac[4] | mac[5])) return 1;

    char address[256];
    if (!ResolvePrinterAddress(printer, env, address)) {
        if (env->wakeUpTarget == 0) {
            SendWakeUpPacket("FF02::2", mac);
            SendWakeUpPacket("255.255.255.255", mac);
        }
        return 0;
    }
    char community[256];
    ResolveCommunity(printer, true, community);
    SnmpSession* snmp = nullptr;
    if (SnmpOpenSession(address, community, &snmp) != kSnmpSuccess) return 0;
    SnmpSetTimeout(snmp, kSnmpWakeTimeout);
    int32_t family = SnmpSessionFamily(snmp);

    int32_t status = 0;
    int state = QueryReadiness(snmp, &status);
    if (status == kSnmpSuccess && state == 1) {
        SnmpCloseSession(snmp);
        return 1;
    }
    if (status == kSnmpSuccess && state == 2) {
        for (int i = 0; i < kWakingPolls; i++) {
            Sys().Sleep(5000);
            state = QueryReadiness(snmp, &status);
            if (status == kSnmpSuccess && state == 1) {
                SnmpCloseSession(snmp);
                return 1;
            }
            if ((status == kSnmpSuccess && state == 0) || status == kSnmpTimeOut) break;
        }
    }

    const char* target = env->wakeUpTarget == 1 ? address : family == 1 ? "FF02::2" : "255.255.255.255";
    SendWakeUpPacket(target, mac);
    Sys().Sleep(5000);
    SendWakeUpPacket(target, mac);
    Sys().Sleep(10000);

    for (int i = 0; i < kReadyPolls; i++) {
        state = QueryReadiness(snmp, &status);
        if (status == kSnmpSuccess && state == 1) {
            SnmpCloseSession(snmp);
            return 1;
        }
        // A time-out has already taken its second.
        if (status != kSnmpTimeOut && i + 1 < kReadyPolls) Sys().Sleep(1000);
    }
    SnmpCloseSession(snmp);
    return 0;
}
