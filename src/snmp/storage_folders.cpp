// The printer's storage folders: two flags, then the folder table in batches
// of 15 rows. When the printer cannot tell, the folders keep default names.
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/text16.h"
#include "snmp/printer_config.h"
#include "snmp/printer_oids.h"
#include "snmp/record_values.h"
#include "snmp/table_request.h"

namespace {

constexpr uint32_t kBatchRows = 15;
constexpr uint32_t kNameCapacity = 64;
constexpr uint32_t kNameUnits = 255;

void LoadDefaultNames(PrinterEnvironment* env) {
    for (uint32_t slot = 0; slot < kStorageFolderRows; slot++)
        DefaultStorageFolderName(env->languageId, slot, env->storageFolderName[slot], kNameUnits);
}

}  // namespace

void DefaultStorageFolderName(uint32_t languageId, uint32_t slot, char16_t* out, int capacity) {
    if (!out || capacity <= 0) return;
    // String ids of the resource module: 30 in one block, 70 in another.
    uint32_t id = slot < 30 ? 20120 + slot : 21045 + (slot - 30);
    if (Sys().LoadResourceString(languageId, id, out, capacity)) return;
    // Until the resource module is there, a plain numbered name stands in.
    char text[16];
    std::snprintf(text, sizeof text, "Folder %02u", slot + 1);
    size_t n = 0;
    for (; text[n] && n + 1 < static_cast<size_t>(capacity); n++) out[n] = static_cast<char16_t>(text[n]);
    out[n] = 0;
}

int GetStorageFolders(PrinterHandle printer, PrinterEnvironment* env) {
    if (!env) return 0;
    SnmpVarRecord flags[2];
    uint8_t flag1[1], flag2[1];
    SetRecord(&flags[0], kOidStorageFlag1, kSnmpTypeInteger, flag1, 1);
    SetRecord(&flags[1], kOidStorageFlag2, kSnmpTypeInteger, flag2, 1);
    if (!RunSnmpRequest(flags, 2, printer, env, kSnmpShortTimeout)) {
        LoadDefaultNames(env);
        return 0;
    }
    const TableColumn columns[] = {{kOidFolderInUse, kSnmpTypeInteger, 1},
                                   {kOidFolderName, kSnmpTypeOctetString, kNameCapacity}};
    std::vector<uint8_t> inUse(kStorageFolderRows);
    std::vector<uint8_t> names(kStorageFolderRows * kNameCapacity);
    std::vector<bool> answered(kStorageFolderRows, false);
    TableRequest table;
    for (uint32_t first = 0, batch = 0; first < kStorageFolderRows; first += kBatchRows, batch++) {
        uint32_t rows = kStorageFolderRows - first < kBatchRows ? kStorageFolderRows - first : kBatchRows;
        if (RunTableRequest(columns, 2, first + 1, rows, printer, env, kSnmpShortTimeout, &table)) {
            for (uint32_t i = 0; i < rows; i++) {
                answered[first + i] = true;
                inUse[first + i] = table.At(0, i).value[0];
                std::memcpy(&names[(first + i) * kNameCapacity], table.At(1, i).value, kNameCapacity);
            }
        } else if (batch < 2) {
            LoadDefaultNames(env);
            return 0;
        }
    }
    for (uint32_t row = 0; row < kStorageFolderRows; row++) {
        if (answered[row]) {
            if (inUse[row] == 1) env->storageFolderPresent[row] = 1;
            if (inUse[row] == 0) env->storageFolderPresent[row] = env->storageFolderSelectable[row] = 0;
        }
        char16_t name[kNameUnits + 1] = {};
        if (answered[row]) Utf8ToText16(&names[row * kNameCapacity], kNameCapacity, name, kNameUnits);
        Text16Copy(env->storageFolderName[row], kNameUnits, name);
    }
    if (flag1[0] == 1 && flag2[0] == 1 && RecordInteger(flags[0]) == 1 && RecordInteger(flags[1]) == 1) {
        env->storageEnabled = 1;
    } else {
        env->storageEnabled = 0;
        env->storageState = 0;
    }
    return 1;
}
