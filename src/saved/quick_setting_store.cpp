#include "saved/quick_setting_store.h"

#include <cstring>
#include <vector>

#include "base/text16.h"
#include "platform/platform.h"

namespace {

constexpr size_t kMaxNameLength = kQuickSettingNameUnits - 1;

// The printer opened with the given access for one call, closed on return.
struct OpenedPrinter {
    PrinterHandle handle = nullptr;
    OpenedPrinter(const char16_t* name, uint32_t access) {
        if (name && !Spool().OpenPrinter(name, access, &handle)) handle = nullptr;
    }
    ~OpenedPrinter() {
        if (handle) Spool().ClosePrinter(handle);
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;
};

}  // namespace

std::u16string EncodeSettingName(const char16_t* name) {
    if (!name) return std::u16string();
    const size_t length = Text16Length(name, kMaxNameLength);
    if (length >= 4 && std::memcmp(name, u"+IDS", 8) == 0) return std::u16string(name, length);
    static const char kHex[] = "0123456789abcdef";
    std::u16string out;
    out.reserve(length * 4);
    for (size_t i = 0; i < length; i++)
        for (int shift = 12; shift >= 0; shift -= 4) out.push_back(static_cast<char16_t>(kHex[(name[i] >> shift) & 0xF]));
    return out;
}

std::u16string QuickSettingValueName(const char16_t* name) { return u"QuickSetting_" + EncodeSettingName(name); }

int ReadQuickSettingNames(const char16_t* printerName, char16_t* names, int* count) {
    if (!names) return 0;
    OpenedPrinter p(printerName, kPrinterAccessUse);
    if (!p.handle) return 0;
    std::vector<char16_t> slots(kQuickSettingSlots * kQuickSettingNameUnits, 0);
    uint32_t type = 0, needed = 0;
    if (Spool().GetPrinterData(p.handle, u"QuickSettingNames", &type, slots.data(), kQuickSettingNamesSize,
                               &needed) != kErrSuccess ||
        needed != kQuickSettingNamesSize)
        return 0;
    int used = 0;
    for (int i = 0; i < kQuickSettingSlots; i++) {
        char16_t* slot = &slots[static_cast<size_t>(i) * kQuickSettingNameUnits];
        slot[kMaxNameLength] = 0;
        if (slot[0]) used++;
    }
    std::memcpy(names, slots.data(), kQuickSettingNamesSize);
    if (count) *count = used;
    return 1;
}

int WriteQuickSettingNames(const char16_t* printerName, const char16_t* names) {
    if (!names) return 0;
    OpenedPrinter p(printerName, kPrinterAccessAdminister);
    return p.handle &&
           Spool().SetPrinterData(p.handle, u"QuickSettingNames", kRegBinary, names, kQuickSettingNamesSize) ==
               kErrSuccess;
}

int ReadQuickSetting(const char16_t* printerName, const char16_t* name, uint8_t* record, uint32_t capacity,
                     uint32_t* flag) {
    if (!name || !record || capacity > 0xFFFFFFFFu - 4) return 0;
    OpenedPrinter p(printerName, kPrinterAccessUse);
    if (!p.handle) return 0;
    std::vector<uint8_t> value(static_cast<size_t>(capacity) + 4);
    uint32_t type = 0, needed = 0;
    const std::u16string valueName = QuickSettingValueName(name);
    if (Spool().GetPrinterData(p.handle, valueName.c_str(), &type, value.data(), capacity + 4, &needed) !=
            kErrSuccess ||
        needed < 4 || needed > capacity + 4)
        return 0;
    if (flag) std::memcpy(flag, value.data(), 4);
    std::memcpy(record, value.data() + 4, needed - 4);
    return static_cast<int>(needed - 4);
}

int WriteQuickSetting(const char16_t* printerName, const char16_t* name, uint32_t flag, const uint8_t* record,
                      uint32_t length) {
    if (!name || (!record && length) || length > 0xFFFFFFFFu - 4) return 0;
    std::vector<uint8_t> value(static_cast<size_t>(length) + 4);
    std::memcpy(value.data(), &flag, 4);
    if (length) std::memcpy(value.data() + 4, record, length);
    OpenedPrinter p(printerName, kPrinterAccessAdminister);
    const std::u16string valueName = QuickSettingValueName(name);
    return p.handle && Spool().SetPrinterData(p.handle, valueName.c_str(), kRegBinary, value.data(),
                                              static_cast<uint32_t>(value.size())) == kErrSuccess;
}

int DeleteQuickSetting(const char16_t* printerName, const char16_t* name) {
    if (!name) return 0;
    OpenedPrinter p(printerName, kPrinterAccessAdminister);
    const std::u16string valueName = QuickSettingValueName(name);
    return p.handle && Spool().DeletePrinterData(p.handle, valueName.c_str()) == kErrSuccess;
}
