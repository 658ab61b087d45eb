// What the retrieval must have left, compared field by field with the
// simulated printer it fetched from: each fetch's destination (environment
// record and lists), and after the background run the sheet's destinations
// and the stored printer data (read through whatever spooler the test uses).
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "snmp/printer_config.h"
#include "snmp/retrieval_thread.h"
#include "snmp/simulated_printer.h"

namespace zr51test {

// The stored bytes of a printer-data value; false when it is absent.
using StoredValue = std::function<bool(const char16_t* value, std::vector<uint8_t>* bytes)>;

// UTF-8 (up to three-byte sequences) as UTF-16, cut to a slot of units
// (the slot less one, for the terminator).
inline std::u16string SlotText(const std::string& utf8, size_t units) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        char16_t u = c;
        size_t n = c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (n == 2) u = static_cast<char16_t>(((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
        if (n == 3) u = static_cast<char16_t>(((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F));
        out += u;
        i += n;
    }
    return out.substr(0, units - 1);
}

inline std::vector<uint8_t> Bytes(const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return std::vector<uint8_t>(b, b + n);
}

inline std::vector<uint8_t> StoredOrEmpty(const StoredValue& stored, const char16_t* value) {
    std::vector<uint8_t> bytes;
    std::string name;
    for (const char16_t* c = value; *c; ++c) name += static_cast<char>(*c);
    EXPECT_TRUE(stored(value, &bytes)) << "missing value " << name;
    return bytes;
}

// Every fetch of the configuration from printer (whose agent serves p) into
// env and lists of their own, compared with p; the barcode areas, forms and
// profiles are the retrieval worker's (ExpectRetrieved). The queue's address is not
// the printer's second interface, so the first MAC address is kept; every
// folder starts selectable.
inline void ExpectEveryFetch(const SimulatedPrinter& p, PrinterHandle printer, PrinterEnvironment* env) {
    ASSERT_EQ(GetDeviceOptions(printer, env), 1);
    EXPECT_EQ(std::u16string(env->macAddress), SlotText(p.mac1, 18));
    EXPECT_EQ(env->unitOfLength, p.unitOfLength != 0);
    EXPECT_EQ(env->lightPaperSupport, p.lightPaper);
    EXPECT_EQ(env->roughPaperSupport, p.roughPaper);
    EXPECT_EQ(env->optionFlag5, p.optionFlags[4] == 1);
    EXPECT_EQ(env->inputUnit_Option, p.optionFlags[5] == 1 ? 10 : 0);
    EXPECT_EQ(env->offsetStapleTray_Option, p.optionFlags[10] == 1);
    if (env->modelColor == '3') {
        EXPECT_EQ(env->modelOptionByte, p.modelOption);
    }
    const uint8_t kind = p.outputUnitKind;
    EXPECT_EQ(env->outputUnit_Option,
              kind <= 2 ? 19 + kind : kind <= 6 ? 25 : kind <= 10 ? 26 : kind == 11 ? 22 : kind == 12 ? 24 : 23);
    if (kind >= 3 && kind <= 10) {
        EXPECT_EQ(env->outputSubOption, (kind - 3) % 4 >= 2);
        EXPECT_EQ(env->foldUnit_Option, (kind - 3) % 2);
    }

    ASSERT_EQ(GetPressPaperSupport(printer, env), 1);
    EXPECT_EQ(env->pressPaperSupport, p.pressPaper != 0);

    std::memset(env->storageFolderSelectable, 1, sizeof env->storageFolderSelectable);
    ASSERT_EQ(GetStorageFolders(printer, env), 1);
    for (uint32_t row = 0; row < kStorageFolderRows; row++) {
        const SimFolder* f = row < p.folders.size() ? &p.folders[row] : nullptr;
        EXPECT_EQ(std::u16string(env->storageFolderName[row]), f ? SlotText(f->name, 255) : u"") << row;
        EXPECT_EQ(env->storageFolderPresent[row], f && f->inUse == 1) << row;
        EXPECT_EQ(env->storageFolderSelectable[row], f && f->inUse == 0 ? 0 : 1) << row;
    }
    EXPECT_EQ(env->storageEnabled, p.storageFlag3 == 1 && p.storageFlag6 == 1);

    auto papers = std::make_unique<RegisteredPaperSize[]>(kRegisteredPaperRows);
    uint32_t count = 1000;
    ASSERT_EQ(GetRegisteredPaperSizes(printer, env, papers.get(), &count), 1);
    uint32_t n = 0;
    for (const SimPaper& paper : p.papers) {
        if (paper.valid != 1) continue;
        ASSERT_LT(n, count);
        EXPECT_EQ(papers[n].width, paper.width);
        EXPECT_EQ(papers[n].length, paper.length);
        EXPECT_EQ(std::u16string(papers[n].name), SlotText(paper.name, 64));
        n++;
    }
    EXPECT_EQ(count, n);
}

// untouched: the byte the destinations were filled with before the run; the
// sheet's tray copy keeps it outside the sizes.
inline void ExpectRetrieved(const SimulatedPrinter& p, const RetrievalTargets& t, const StoredValue& stored,
                            uint8_t untouched) {
    int n = 0;
    for (const SimBarcodeArea& a : p.barcodeAreas) {
        if (a.valid != 1) continue;
        EXPECT_EQ(std::u16string(t.barcodeNames[n]), SlotText(a.name, kBarcodeNameUnits)) << "area " << n;
        EXPECT_EQ(t.barcodeRepeats[n], a.repeats) << "area " << n;
        EXPECT_EQ(t.barcodeMaxPages[n], static_cast<uint32_t>(a.maxPage)) << "area " << n;
        ++n;
    }
    if (n < kBarcodeAreaSlots) {
        EXPECT_EQ(t.barcodeNames[n][0], 0) << "cleared past the areas";
    }
    EXPECT_EQ(StoredOrEmpty(stored, u"BarcodeRegNames"), Bytes(t.barcodeNames, n * 62));
    EXPECT_EQ(StoredOrEmpty(stored, u"BarcodeRegRepeats"), Bytes(t.barcodeRepeats, n * 4));
    EXPECT_EQ(StoredOrEmpty(stored, u"BarcodeRegMaxPageNumber"), Bytes(t.barcodeMaxPages, n * 4));

    struct NameList {
        const std::vector<SimNamedRow>* rows;
        const char16_t (*slots)[kRegNameUnits];
        int capacity;
        const char16_t* value;
        const char* what;
    } lists[] = {{&p.forms, t.formNames, kFormNameSlots, u"FormRegNames", "form"},
                 {&p.profiles, t.profileNames, kProfileNameSlots, u"ColorProfileRegNames", "profile"}};
    for (const NameList& list : lists) {
        int k = 0;
        for (const SimNamedRow& row : *list.rows) {
            if (row.valid != 1) continue;
            EXPECT_EQ(std::u16string(list.slots[k]), SlotText(row.name, kRegNameUnits)) << list.what << " " << k;
            ++k;
        }
        if (k < list.capacity) {
            EXPECT_EQ(list.slots[k][0], 0) << list.what << " cleared past the names";
        }
        EXPECT_EQ(StoredOrEmpty(stored, list.value), Bytes(list.slots, k * 514)) << list.what;
    }

    std::vector<uint8_t> trays = StoredOrEmpty(stored, u"TrayList");
    ASSERT_EQ(trays.size(), 80u);
    for (int s = 0; s < static_cast<int>(kPrinterTraySlots); ++s) {
        const SimTray& tray = p.trays[kSimTraySlotOrder[s] - 1];
        const bool sized = tray.status == 1 && tray.autoSelect == 1;
        const TrayEntry want = {tray.status, 0, tray.paperType, tray.autoSelect, tray.feed, {},
                                sized ? tray.width : 0, sized ? tray.length : 0};
        EXPECT_EQ(Bytes(&want, 16), Bytes(trays.data() + s * 16, 16)) << "slot " << s;
        // The sheet's copy takes only the sizes.
        TrayEntry sheet;
        std::memset(&sheet, untouched, sizeof sheet);
        sheet.width = want.width, sheet.length = want.length;
        EXPECT_EQ(Bytes(&sheet, 16), Bytes(&t.trayList[s], 16)) << "slot " << s;
    }
}

}  // namespace zr51test
