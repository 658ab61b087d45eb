// Named keyed settings records in the printer's data: the name list
// "QuickSettingNames" and one "QuickSetting_%s" value per name, holding a
// 32-bit preset flag and the record. Every operation opens the printer by
// name for itself and closes it again.
#pragma once
#include <cstdint>
#include <string>

constexpr int kQuickSettingSlots = 30;
constexpr int kQuickSettingNameUnits = 21;  // 20 characters and a terminator
constexpr uint32_t kQuickSettingNamesSize = kQuickSettingSlots * kQuickSettingNameUnits * 2;  // 1260
constexpr uint32_t kQuickSettingPreset = 1;  // trusted without the validity check

// The value-name form of a name: a display-name reference ("+IDS...") as it
// stands, any other name as four lower-case hex digits per UTF-16 code unit.
// At most 20 code units of the name count.
std::u16string EncodeSettingName(const char16_t* name);
// "QuickSetting_" and the encoded name.
std::u16string QuickSettingValueName(const char16_t* name);

// 1 with the 30 slots in names (each terminated) and the number of
// non-empty ones, or 0 when the value cannot be read whole.
int ReadQuickSettingNames(const char16_t* printerName, char16_t* names, int* count);
int WriteQuickSettingNames(const char16_t* printerName, const char16_t* names);

// The record's length with its flag, the record in record (capacity bytes),
// or 0 when the value is missing, unreadable or larger than 4 + capacity.
int ReadQuickSetting(const char16_t* printerName, const char16_t* name, uint8_t* record, uint32_t capacity,
                     uint32_t* flag);
int WriteQuickSetting(const char16_t* printerName, const char16_t* name, uint32_t flag, const uint8_t* record,
                      uint32_t length);
int DeleteQuickSetting(const char16_t* printerName, const char16_t* name);
