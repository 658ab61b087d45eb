// The one runner every request of the configuration retrieval goes through:
// address, community, one session, and every request and answer in the log.
#include <cstring>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "model/printer_data.h"
#include "snmp/printer_config.h"
#include "snmp/record_values.h"
#include "snmp/snmp_request.h"
#include "snmp/snmp_session.h"
#include "snmp/snmp_status.h"

namespace {
thread_local int32_t g_lastStatus = 0;
constexpr size_t kLoggedTextUnits = 1029;  // the longest value asked for, terminated
}  // namespace

int ResolvePrinterAddress(PrinterHandle printer, const PrinterEnvironment* env, char address[256]) {
    address[0] = 0;
    if (env->useTypedAddress == 1)
        return Text16ToAnsi(env->typedAddress, sizeof env->typedAddress / 2, address, 256) > 0 ? 1 : 0;
    return GetPrinterAddress(printer, address, 256);
}

void ResolveCommunity(PrinterHandle printer, bool readStored, char community[256]) {
    std::strcpy(community, "public");
    if (readStored) {
        char16_t* stored = GetPrinterDataString(printer, u"SnmpCommunityName");
        if (stored && stored[0] != 0) {
            char16_t name[257] = {};
            Text16Copy(name, 257, stored);
            DrvLog(nullptr, "Read Registry SNMP Community Name : name=%s\n", name);
            if (Text16ToAnsi(name, 256, community, 256) == 0) std::strcpy(community, "public");
        }
        if (stored) FreePrinterDataString(stored);
    }
    DrvLog(nullptr, "After WideCharToMultiByte SNMP Community Name : name=%hs\n", community);
}

int32_t LastSnmpRequestStatus() { return g_lastStatus; }

int RunSnmpRequest(SnmpVarRecord* records, uint32_t count, PrinterHandle printer, const PrinterEnvironment* env,
                   uint32_t timeoutSeconds) {
    int32_t status = kSnmpUnknownError;
    char address[256] = {};
    char16_t text[kLoggedTextUnits];
    if (printer && env) {
        if (!ResolvePrinterAddress(printer, env, address)) {
            status = kSnmpDestAddressError;
        } else {
            char community[256];
            ResolveCommunity(printer, env->communityOverride == 1, community);
            Utf8ToText16(reinterpret_cast<const uint8_t*>(address), std::strlen(address), text, kLoggedTextUnits);
            DrvLog(nullptr, "SNMP Request : ip adress=%s\n", text);
            for (uint32_t i = 0; i < count; i++) {
                const char* type = records[i].type == kSnmpTypeInteger       ? "INTEGER"
                                   : records[i].type == kSnmpTypeOctetString ? "OCTETSTRING"
                                                                             : "UNKNOWN";
                DrvLog(nullptr, "SNMP Request : oid=%hs, type=%hs\n", records[i].oid, type);
            }
            SnmpSession* session = nullptr;
            status = SnmpOpenSession(address, community, &session);
            if (status == kSnmpSuccess) {
                SnmpSetTimeout(session, timeoutSeconds);  // 0 is refused and leaves 7 s
                status = SnmpGetValues(session, records, count);
                SnmpCloseSession(session);
            }
        }
    }
    g_lastStatus = status;
    if (status != kSnmpSuccess) {
        char message[101] = {};
        std::strncpy(message, SnmpStatusText(status), 100);
        DrvLog(nullptr, "SNMP Request Fail : msg=%hs, code=%d\n", message, status);
        return 0;
    }
    DrvLog(nullptr, "SNMP Request Success.\n");
    for (uint32_t i = 0; i < count; i++) {
        const SnmpVarRecord& r = records[i];
        if (r.type == kSnmpTypeInteger) {
            DrvLog(nullptr, "SNMP Response : oid=%hs type=INTEGER value=%d\n", r.oid,
                   static_cast<int>(RecordInteger(r)));
        } else if (r.type == kSnmpTypeOctetString) {
            RecordText16(r, r.capacity, text, kLoggedTextUnits);
            DrvLog(nullptr, "SNMP Response : oid=%hs type=OCTETSTRING value=%s\n", r.oid, text);
        } else {
            DrvLog(nullptr, "SNMP Response : oid=%hs type=UNKNOWN value=?\n", r.oid);
        }
    }
    return 1;
}
