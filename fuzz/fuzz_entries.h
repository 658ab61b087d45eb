// The bodies of the fuzz targets: each takes any bytes as one outside input
// and feeds them through the driver's own entry for that input, over the
// in-memory spooler and INI reader. The fuzz programs call them from
// LLVMFuzzerTestOneInput; the native tests call them with the inputs that
// once failed.
#pragma once
#include <cstddef>
#include <cstdint>

struct RdfInfo;

// A caller's DEVMODE through DrvConvertDevMode (CDM_CONVERT) and through the
// resolution with the whole session out. The buffer holds the bytes given,
// zero-extended to at least the public header and to the dmSize +
// dmDriverExtra its header claims: what a caller guarantees.
int FuzzCallerDevMode(const uint8_t* data, size_t size);
// A stored DEVMODE: imported directly, then as the printer's stored DEVMODE
// of a session load.
int FuzzStoredDevMode(const uint8_t* data, size_t size);
// A model description file (8-bit or UTF-16 text) parsed for each of our
// model sections and applied to an environment record.
int FuzzModelFile(const uint8_t* data, size_t size);
// A datagram decoded as the answer to a fixed three-object GetRequest.
int FuzzSnmpResponse(const uint8_t* data, size_t size);
// A keyed settings record applied to our default DEVMODE.
int FuzzKeyedRecord(const uint8_t* data, size_t size);
// An export file read, and its record applied when accepted.
int FuzzExportFile(const uint8_t* data, size_t size);

// A stored environment record ("PrvEnv") through the session load, the
// reset to defaults, a resolution and the capability lists. The first byte
// chooses the shape: even, the rest patches our default record (items of a
// 4-byte offset, taken modulo the record size, a length byte and that many
// bytes); odd, the rest is stored as it stands, of any size.
int FuzzStoredEnvironment(const uint8_t* data, size_t size);
// A stored model record ("RdfInfo", any size) through the model context
// load, its defaults applied to an environment, the model lists built from
// it and the settings reset over them.
int FuzzModelRecord(const uint8_t* data, size_t size);

// Our model description file parsed for one section into info; 1 when the
// file was accepted. The seed writer makes the model records with it.
int FuzzParseModelFile(const uint8_t* file, size_t size, const char16_t* section, RdfInfo* info);

// Puts back the platform the bodies replaced on first use (the fuzz
// programs never do; tests do when they are done).
void FuzzReleasePlatform();

struct FuzzTarget {
    const char* name;  // also the folder of its seeds and saved inputs
    int (*run)(const uint8_t* data, size_t size);
};
constexpr int kFuzzTargetCount = 8;
extern const FuzzTarget kFuzzTargets[kFuzzTargetCount];

// The request the SNMP target answers: its objects, id and community.
constexpr uint32_t kFuzzSnmpRequestId = 0x1234;
constexpr const char* kFuzzSnmpCommunity = "public";
constexpr int kFuzzSnmpObjects = 3;
extern const char* const kFuzzSnmpOids[kFuzzSnmpObjects];
// The model sections the model-file target parses.
constexpr int kFuzzModelSections = 3;
extern const char16_t* const kFuzzModelSectionNames[kFuzzModelSections];
