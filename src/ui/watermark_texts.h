// The watermark's own texts, kept per printer in "CustomWMText": 30 entries
// of a 16-bit text ID (0: free) and 64 UTF-16 code units. IDs 0 to 5 are the
// built-in texts, custom texts take the smallest free ID from 6 up.
//
// A damaged value is read as far as it is sound: entries are taken in order
// up to the first one that is cut short, carries a built-in or repeated ID,
// or has no terminator. Nothing behind it is listed or reused, and every
// write keeps its bytes as they were read, so a write never leaves the value
// worse than it was.
#pragma once
#include <cstdint>

#include "model/printer_data.h"
#include "platform/platform.h"

constexpr int kCustomTextSlots = 30;
constexpr int kCustomTextUnits = 64;  // with the terminator
constexpr uint16_t kFirstCustomTextId = 6;
constexpr int kCustomTextEntryBytes = 130;

struct WatermarkTextStore {
    uint8_t raw[kCustomWMTextSize];  // the value as read, zero behind its end
    int soundSlots;                  // entries read soundly, from the first
    int writable;                    // 0: the stored value is larger than this layout; never rewritten
};

enum WatermarkTextResult {
    kTextDone = 0,    // added or deleted, and written
    kTextEmpty,       // nothing to add
    kTextExists,      // the same text is stored already
    kTextForbidden,   // holds characters a name may not
    kTextStoreFull,   // no free sound entry
    kTextWriteFailed, // the printer's data was not written; nothing changed
    kTextNotFound,    // no custom text of that ID
};

// Reads "CustomWMText"; an absent or unreadable value gives an empty store.
void LoadWatermarkTexts(PrinterHandle printer, WatermarkTextStore& store);
// Reads the store from bytes as the value holds them (size bytes).
void ParseWatermarkTexts(const uint8_t* bytes, uint32_t size, WatermarkTextStore& store);

// The listed custom texts in entry order: ID and text of the n-th entry with
// a non-empty text (1), or 0 past the last.
int WatermarkTextAt(const WatermarkTextStore& store, int n, uint16_t* id, char16_t* text);
int WatermarkTextCount(const WatermarkTextStore& store);
// The first entry with that ID and a non-empty text (1), else out stays as it is.
int FindWatermarkText(const WatermarkTextStore& store, uint16_t id, char16_t* out);
// 1 while another text can be added (a free sound entry and a writable value).
int CanAddWatermarkText(const WatermarkTextStore& store);

// Adds text (cut to 63 code units) into the first free entry with the
// smallest unused ID and writes the whole value; *id gets the new ID.
int AddWatermarkText(PrinterHandle printer, WatermarkTextStore& store, const char16_t* text, uint16_t* id);
// Clears the entry of a custom text (ID 6 and up) and writes the value.
int DeleteWatermarkText(PrinterHandle printer, WatermarkTextStore& store, uint16_t id);
