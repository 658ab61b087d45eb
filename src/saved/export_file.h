// The export file of one named keyed settings record: a 64-byte header
// (tag "KELO_QVT", name), the symbol table and the record coded with the
// fixed prefix code. Bytes in and out; the caller reads and writes the file.
#pragma once
#include <cstdint>
#include <vector>

constexpr uint32_t kExportHeaderSize = 64;
constexpr int kExportNameUnits = 21;  // 20 characters and a terminator

// The whole file for record (length bytes) under name (at most 20 code
// units are kept). 1 on success; 0 for an empty record or one longer than
// 65535 bytes, which the header cannot describe.
int WriteExportFile(std::vector<uint8_t>* file, const uint8_t* record, uint32_t length, const char16_t* name);

// 0 with the decoded record and the name (terminated) from the file's
// bytes, or -1 for a file that is refused; then record and name are left as
// they were.
int ReadExportFile(const uint8_t* file, uint32_t length, std::vector<uint8_t>* record,
                   char16_t name[kExportNameUnits]);
