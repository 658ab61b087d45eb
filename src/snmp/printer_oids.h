// The printer's private MIB: every object identifier the configuration
// retrieval asks for, in one place. Scalars end in ".0"; table columns are
// given without their row and get ".N" (N from 1) through FormatRowOid.
#pragma once
#include <cstdint>
#include <cstdio>

#define ZR51_OID_PREFIX ".1.3.6.1.4.1.40961.1.2"

// Network identity.
constexpr const char kOidMacAddress1[] = ZR51_OID_PREFIX ".2.4.1.2.0";   // OCTET STRING, 64
constexpr const char kOidIpAddress1[] = ZR51_OID_PREFIX ".2.4.2.1.0";    // IpAddress, 4 (not used further)
constexpr const char kOidMacAddress2[] = ZR51_OID_PREFIX ".2.4.9.2.0";   // OCTET STRING, 64
constexpr const char kOidIpAddress2[] = ZR51_OID_PREFIX ".2.4.10.1.0";   // IpAddress, 4

// Installed options and paper support.
constexpr const char kOidUnitOfLength[] = ZR51_OID_PREFIX ".2.2.5.1.0";  // 1 inches, 0 millimetres
constexpr const char kOidOptionsExtra[] = ZR51_OID_PREFIX ".2.2.5.2.0";  // asked, not used further
constexpr const char kOidLightPaper[] = ZR51_OID_PREFIX ".1.1.7.0";
constexpr const char kOidRoughPaper[] = ZR51_OID_PREFIX ".1.1.8.0";
constexpr const char kOidPressPaper[] = ZR51_OID_PREFIX ".1.1.9.0";
constexpr const char kOidOptionFlag[] = ZR51_OID_PREFIX ".2.2.4.1.2";    // column; rows below
constexpr uint32_t kOptionFlagRows[14] = {1, 2, 3, 4, 5, 7, 11, 12, 13, 16, 20, 21, 22, 23};
constexpr const char kOidOutputUnit[] = ZR51_OID_PREFIX ".2.2.12.1.0";
constexpr const char kOidModelOption[] = ZR51_OID_PREFIX ".2.2.5.11.0";  // only for modelColor '3'

// Storage folders: two flags, then rows 1..100 of (in use, name).
constexpr const char kOidStorageFlag1[] = ZR51_OID_PREFIX ".2.2.5.3.0";
constexpr const char kOidStorageFlag2[] = ZR51_OID_PREFIX ".2.2.5.6.0";
constexpr const char kOidFolderInUse[] = ZR51_OID_PREFIX ".2.2.6.1.2";   // INTEGER, 1
constexpr const char kOidFolderName[] = ZR51_OID_PREFIX ".2.2.6.1.3";    // OCTET STRING (UTF-8), 64

// Registered paper sizes, rows 1..99.
constexpr const char kOidPaperValid[] = ZR51_OID_PREFIX ".2.2.7.1.2";    // INTEGER, 1
constexpr const char kOidPaperName[] = ZR51_OID_PREFIX ".2.2.7.1.3";     // OCTET STRING, 128
constexpr const char kOidPaperWidth[] = ZR51_OID_PREFIX ".2.2.7.1.4";    // INTEGER, 4 (0.1 mm)
constexpr const char kOidPaperLength[] = ZR51_OID_PREFIX ".2.2.7.1.5";   // INTEGER, 4 (0.1 mm)

// Barcode areas, rows 1..100.
constexpr const char kOidBarcodeValid[] = ZR51_OID_PREFIX ".2.2.9.1.2";   // INTEGER, 1
constexpr const char kOidBarcodeName[] = ZR51_OID_PREFIX ".2.2.9.1.4";    // OCTET STRING, 124
constexpr const char kOidBarcodeRepeat[] = ZR51_OID_PREFIX ".2.2.9.1.6";  // INTEGER, 1
constexpr const char kOidBarcodeMaxPage[] = ZR51_OID_PREFIX ".2.2.9.1.7"; // INTEGER, 2

// Registered forms (rows 1..100) and colour profiles (rows 1..30).
constexpr const char kOidFormValid[] = ZR51_OID_PREFIX ".2.2.10.1.2";     // INTEGER, 1
constexpr const char kOidFormName[] = ZR51_OID_PREFIX ".2.2.10.1.4";      // OCTET STRING, 1028
constexpr const char kOidProfileValid[] = ZR51_OID_PREFIX ".2.2.11.1.2";  // INTEGER, 1
constexpr const char kOidProfileName[] = ZR51_OID_PREFIX ".2.2.11.1.4";   // OCTET STRING, 1028

// Input trays: P.1.2.1.1.k.t, asked for t = 5, 1, 4, 3, 2 (tray slots 0..4).
constexpr const char kOidTrayTable[] = ZR51_OID_PREFIX ".1.2.1.1";
constexpr uint32_t kTrayColumnStatus = 2;       // INTEGER, 1
constexpr uint32_t kTrayColumnFeed = 8;         // INTEGER, 1
constexpr uint32_t kTrayColumnPaperType = 6;    // INTEGER, 1
constexpr uint32_t kTrayColumnAutoSelect = 7;   // INTEGER, 1
constexpr uint32_t kTrayColumnWidth = 4;        // INTEGER, 4
constexpr uint32_t kTrayColumnLength = 5;       // INTEGER, 4
constexpr uint32_t kTrayColumns[6] = {2, 8, 6, 7, 4, 5};  // the order of each slot's records
constexpr uint32_t kTrayOrder[5] = {5, 1, 4, 3, 2};       // printer tray number of each slot

// Output tray mode, three readings.
constexpr const char kOidOutputMode1[] = ZR51_OID_PREFIX ".2.2.5.7.0";
constexpr const char kOidOutputMode2[] = ZR51_OID_PREFIX ".2.2.5.9.0";
constexpr const char kOidOutputMode3[] = ZR51_OID_PREFIX ".2.2.5.10.0";

// Readiness: 0 asleep, 1 ready, 2 waking up.
constexpr const char kOidReadiness[] = ZR51_OID_PREFIX ".1.1.6.0";

// column + "." + row into a 256-byte OID slot (cut and terminated).
inline void FormatRowOid(char* out, const char* column, uint32_t row) {
    std::snprintf(out, 256, "%s.%u", column, row);
}
// The tray table OID of column k and printer tray t.
inline void FormatTrayOid(char* out, uint32_t column, uint32_t tray) {
    std::snprintf(out, 256, "%s.%u.%u", kOidTrayTable, column, tray);
}
