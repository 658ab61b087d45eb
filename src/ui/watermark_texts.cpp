#include "ui/watermark_texts.h"

#include <cstring>
#include <vector>

#include "rules/text_filters.h"

namespace {

const char16_t kValueName[] = u"CustomWMText";

uint16_t IdAt(const uint8_t* raw, int slot) {
    uint16_t id = 0;
    std::memcpy(&id, raw + slot * kCustomTextEntryBytes, 2);
    return id;
}

void TextAt(const uint8_t* raw, int slot, char16_t* out) {
    std::memcpy(out, raw + slot * kCustomTextEntryBytes + 2, kCustomTextUnits * sizeof(char16_t));
    out[kCustomTextUnits - 1] = 0;
}

int Terminated(const uint8_t* raw, int slot) {
    char16_t text[kCustomTextUnits];
    std::memcpy(text, raw + slot * kCustomTextEntryBytes + 2, sizeof text);
    for (char16_t c : text)
        if (c == 0) return 1;
    return 0;
}

int SameText(const char16_t* a, const char16_t* b) {
    for (int i = 0; i < kCustomTextUnits; i++) {
        if (a[i] != b[i]) return 0;
        if (a[i] == 0) return 1;
    }
    return 1;
}

// The ID is used by any entry, sound or not: a damaged entry's ID is not
// handed out again.
int IdUsed(const WatermarkTextStore& store, uint16_t id) {
    for (int slot = 0; slot < kCustomTextSlots; slot++)
        if (IdAt(store.raw, slot) == id) return 1;
    return 0;
}

int Write(PrinterHandle printer, WatermarkTextStore& store, const uint8_t* next) {
    if (!store.writable) return 0;
    if (Spool().SetPrinterData(printer, kValueName, kRegBinary, next, kCustomWMTextSize) != kErrSuccess) return 0;
    std::memcpy(store.raw, next, kCustomWMTextSize);
    return 1;
}

}  // namespace

void ParseWatermarkTexts(const uint8_t* bytes, uint32_t size, WatermarkTextStore& store) {
    std::memset(store.raw, 0, sizeof store.raw);
    store.writable = size <= kCustomWMTextSize;
    uint32_t kept = size < kCustomWMTextSize ? size : kCustomWMTextSize;
    if (bytes && kept) std::memcpy(store.raw, bytes, kept);
    store.soundSlots = 0;
    for (int slot = 0; slot < kCustomTextSlots; slot++) {
        uint32_t start = static_cast<uint32_t>(slot) * kCustomTextEntryBytes;
        if (start >= kept) {  // behind the stored end: free entries
            store.soundSlots = kCustomTextSlots;
            return;
        }
        if (start + kCustomTextEntryBytes > kept) return;  // cut short
        uint16_t id = IdAt(store.raw, slot);
        if (id != 0) {
            if (id < kFirstCustomTextId || !Terminated(store.raw, slot)) return;
            for (int before = 0; before < slot; before++)
                if (IdAt(store.raw, before) == id) return;
        }
        store.soundSlots = slot + 1;
    }
}

void LoadWatermarkTexts(PrinterHandle printer, WatermarkTextStore& store) {
    uint32_t type = 0, needed = 0;
    uint32_t rc = Spool().GetPrinterData(printer, kValueName, &type, nullptr, 0, &needed);
    std::vector<uint8_t> bytes;
    if ((rc == kErrSuccess || rc == kErrMoreData) && type == kRegBinary && needed > 0) {
        bytes.resize(needed);
        if (Spool().GetPrinterData(printer, kValueName, &type, bytes.data(), needed, &needed) != kErrSuccess)
            bytes.clear();
    }
    ParseWatermarkTexts(bytes.data(), static_cast<uint32_t>(bytes.size()), store);
    if (bytes.empty() && rc != kErrFileNotFound && needed > 0) store.writable = 0;  // there, but not readable
}

int WatermarkTextAt(const WatermarkTextStore& store, int n, uint16_t* id, char16_t* text) {
    char16_t t[kCustomTextUnits];
    for (int slot = 0; slot < store.soundSlots; slot++) {
        uint16_t slotId = IdAt(store.raw, slot);
        if (slotId == 0) continue;
        TextAt(store.raw, slot, t);
        if (t[0] == 0 || n-- > 0) continue;
        if (id) *id = slotId;
        if (text) std::memcpy(text, t, sizeof t);
        return 1;
    }
    return 0;
}

int WatermarkTextCount(const WatermarkTextStore& store) {
    int n = 0;
    while (WatermarkTextAt(store, n, nullptr, nullptr)) n++;
    return n;
}

int FindWatermarkText(const WatermarkTextStore& store, uint16_t id, char16_t* out) {
    uint16_t slotId = 0;
    char16_t text[kCustomTextUnits];
    for (int n = 0; WatermarkTextAt(store, n, &slotId, text); n++) {
        if (slotId != id) continue;
        if (out) std::memcpy(out, text, sizeof text);
        return 1;
    }
    return 0;
}

int CanAddWatermarkText(const WatermarkTextStore& store) {
    if (!store.writable) return 0;
    for (int slot = 0; slot < store.soundSlots; slot++)
        if (IdAt(store.raw, slot) == 0) return 1;
    return 0;
}

int AddWatermarkText(PrinterHandle printer, WatermarkTextStore& store, const char16_t* text, uint16_t* id) {
    char16_t kept[kCustomTextUnits] = {};
    for (int i = 0; text && i < kCustomTextUnits - 1 && text[i]; i++) kept[i] = text[i];
    if (kept[0] == 0) return kTextEmpty;
    for (char16_t c : kept)
        if (c && IsForbiddenChar(TextFilterKind::Name, c)) return kTextForbidden;
    uint16_t known = 0;
    char16_t stored[kCustomTextUnits];
    for (int n = 0; WatermarkTextAt(store, n, &known, stored); n++)
        if (SameText(stored, kept)) return kTextExists;
    int slot = 0;
    while (slot < store.soundSlots && IdAt(store.raw, slot) != 0) slot++;
    if (!store.writable || slot >= store.soundSlots) return kTextStoreFull;
    uint16_t newId = kFirstCustomTextId;
    while (IdUsed(store, newId)) newId++;
    uint8_t next[kCustomWMTextSize];
    std::memcpy(next, store.raw, sizeof next);
    std::memcpy(next + slot * kCustomTextEntryBytes, &newId, 2);
    std::memcpy(next + slot * kCustomTextEntryBytes + 2, kept, sizeof kept);
    if (!Write(printer, store, next)) return kTextWriteFailed;
    if (id) *id = newId;
    return kTextDone;
}

int DeleteWatermarkText(PrinterHandle printer, WatermarkTextStore& store, uint16_t id) {
    if (id < kFirstCustomTextId) return kTextNotFound;
    for (int slot = 0; slot < store.soundSlots; slot++) {
        if (IdAt(store.raw, slot) != id) continue;
        uint8_t next[kCustomWMTextSize];
        std::memcpy(next, store.raw, sizeof next);
        std::memset(next + slot * kCustomTextEntryBytes, 0, kCustomTextEntryBytes);
        return Write(printer, store, next) ? kTextDone : kTextWriteFailed;
    }
    return kTextNotFound;
}
