// Installed options, network identity and paper support from the printer.
#include <cstdio>
#include <cstring>
#include <vector>

#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"

namespace {

constexpr uint32_t kMacCapacity = 64;

// Output unit kind: the option value and, for the kinds with sub-options,
// the two sub-option bytes (-1 keeps the field).
struct OutputUnitRow {
    uint32_t kind;
    uint8_t option;
    int subOption;
    int foldUnit;
};
constexpr OutputUnitRow kOutputUnits[] = {
    {1, 20, -1, -1}, {2, 21, -1, -1}, {3, 25, 0, 0},  {4, 25, 0, 1},   {5, 25, 1, 0},   {6, 25, 1, 1},   {7, 26, 0, 0},
    {8, 26, 0, 1},   {9, 26, 1, 0},   {10, 26, 1, 1}, {11, 22, -1, -1}, {12, 24, -1, -1}, {13, 23, -1, -1},
};

void ApplyOutputUnit(uint32_t kind, PrinterEnvironment* env) {
    env->outputUnit_Option = 0;
    for (const OutputUnitRow& row : kOutputUnits) {
        if (row.kind != kind) continue;
        env->outputUnit_Option = row.option;
        if (row.subOption >= 0) env->outputSubOption = static_cast<uint8_t>(row.subOption);
        if (row.foldUnit >= 0) env->foldUnit_Option = static_cast<uint8_t>(row.foldUnit);
    }
}

}  // namespace

int GetDeviceOptions(PrinterHandle printer, PrinterEnvironment* env) {
    if (!env) return 0;
    const bool modelOption = env->modelColor == '3';
    const uint32_t count = modelOption ? 24 : 23;
    SnmpVarRecord records[24];
    uint8_t mac1[kMacCapacity], mac2[kMacCapacity], ip1[4], ip2[4], small[20][1];
    uint32_t n = 0;
    SetRecord(&records[n++], kOidMacAddress1, kSnmpTypeOctetString, mac1, kMacCapacity);
    SetRecord(&records[n++], kOidUnitOfLength, kSnmpTypeInteger, small[0], 1);
    SetRecord(&records[n++], kOidLightPaper, kSnmpTypeInteger, small[1], 1);
    SetRecord(&records[n++], kOidRoughPaper, kSnmpTypeInteger, small[2], 1);
    SetRecord(&records[n++], kOidOptionsExtra, kSnmpTypeInteger, small[3], 1);
    const uint32_t firstFlag = n;
    char oid[256];
    for (uint32_t i = 0; i < 14; i++) {
        FormatRowOid(oid, kOidOptionFlag, kOptionFlagRows[i]);
        SetRecord(&records[n++], oid, kSnmpTypeInteger, small[4 + i], 1);
    }
    const uint32_t outputUnit = n;
    SetRecord(&records[n++], kOidOutputUnit, kSnmpTypeInteger, small[18], 1);
    const uint32_t modelByte = n;
    if (modelOption) SetRecord(&records[n++], kOidModelOption, kSnmpTypeInteger, small[19], 1);
    SetRecord(&records[n++], kOidIpAddress1, 64, ip1, 4);
    SetRecord(&records[n++], kOidIpAddress2, 64, ip2, 4);
    const uint32_t macIndex2 = n;
    SetRecord(&records[n++], kOidMacAddress2, kSnmpTypeOctetString, mac2, kMacCapacity);
    if (n != count || !RunSnmpRequest(records, count, printer, env, kSnmpLongTimeout)) return 0;

    env->unitOfLength = RecordInteger(records[1]) != 0;
    env->lightPaperSupport = static_cast<uint8_t>(RecordInteger(records[2]));
    env->roughPaperSupport = static_cast<uint8_t>(RecordInteger(records[3]));
    if (env->localArea) env->lightPaperSupport = env->roughPaperSupport = 0;

    char16_t mac[18] = {};
    if (RecordText16(records[0], kMacCapacity, mac, 18) > 0) {
        std::memcpy(env->macAddress, mac, sizeof mac);
        char16_t macOther[18] = {};
        if (RecordText16(records[macIndex2], kMacCapacity, macOther, 18) > 0) {
            char address[256] = {};
            if (GetPrinterAddress(printer, address, sizeof address)) {
                char ip[20];
                std::snprintf(ip, sizeof ip, "%d.%d.%d.%d", ip2[0], ip2[1], ip2[2], ip2[3]);
                // The second interface serves when the queue's address names it.
                if (std::strstr(address, ip)) std::memcpy(env->macAddress, macOther, sizeof macOther);
            }
        }
    }

    ApplyOutputUnit(RecordInteger(records[outputUnit]), env);
    for (uint32_t i = 0; i < 14; i++) {
        uint32_t value = RecordInteger(records[firstFlag + i]);
        if (kOptionFlagRows[i] == 5) env->optionFlag5 = value == 1;
        if (kOptionFlagRows[i] == 7) env->inputUnit_Option = value == 1 ? 10 : 0;
        if (kOptionFlagRows[i] == 20) env->offsetStapleTray_Option = value == 1;
    }
    if (modelOption) env->modelOptionByte = static_cast<uint8_t>(RecordInteger(records[modelByte]));
    return 1;
}

int GetPressPaperSupport(PrinterHandle printer, PrinterEnvironment* env) {
    if (!env) return 0;
    SnmpVarRecord record;
    uint8_t value[1];
    SetRecord(&record, kOidPressPaper, kSnmpTypeInteger, value, 1);
    if (!RunSnmpRequest(&record, 1, printer, env, kSnmpLongTimeout)) return 0;
    env->pressPaperSupport = RecordInteger(record) != 0 && env->localArea == 0;
    return 1;
}
