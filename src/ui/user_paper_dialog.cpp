#include "ui/user_paper_dialog.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/fixed_point.h"
#include "base/text16.h"
#include "model/rdf.h"
#include "snmp/printer_config.h"

namespace {

constexpr uint32_t kMillimetresText = 20150, kInchesText = 20152;

void Ascii(const char* text, char16_t* out, int capacity) {
    int i = 0;
    for (; text[i] && i < capacity - 1; i++) out[i] = static_cast<char16_t>(text[i]);
    out[i] = 0;
}

}  // namespace

UserPaperUnit UserPaperUnitFor(uint32_t unitOfLength, const RdfInfo* model) {
    UserPaperUnit u;
    if (unitOfLength == 1) {
        u = {kUserPaperInches, 2, 827, 1169, 355, 1338, 583, 2165, kInchesText};
        if (model) {
            u.widthMin = model->MinPaperSizeINCH[0] / 10;
            u.widthMax = model->MaxPaperSizeINCH[0] / 10;
            u.lengthMin = model->MinPaperSizeINCH[1] / 10;
            u.lengthMax = model->MaxPaperSizeINCH[1] / 10;
        }
    } else {
        u = {kUserPaperMillimetres, 1, 2100, 2970, 900, 3400, 1480, 5500, kMillimetresText};
        if (model) {
            u.widthMin = model->MinPaperSizeMM[0];
            u.widthMax = model->MaxPaperSizeMM[0];
            u.lengthMin = model->MinPaperSizeMM[1];
            u.lengthMax = model->MaxPaperSizeMM[1];
        }
    }
    return u;
}

void UserPaperRangeText(const UserPaperUnit& u, int length, char16_t* out, int capacity) {
    const int32_t low = length ? u.lengthMin : u.widthMin, high = length ? u.lengthMax : u.widthMax;
    char text[48];
    if (u.unit == kUserPaperInches) std::snprintf(text, sizeof text, "[%4.2f - %4.2f]", low / 100.0, high / 100.0);
    else std::snprintf(text, sizeof text, "[%d - %d]", low / 10, high / 10);
    Ascii(text, out, capacity);
}

void ShownUserPaperSize(const UserPaperUnit& u, const UserPaperRecord& r, int32_t* width, int32_t* length) {
    if (u.unit == kUserPaperInches) {
        *width = static_cast<int32_t>((static_cast<uint64_t>(r.widthDots) + 1) / 3);
        *length = static_cast<int32_t>((static_cast<uint64_t>(r.lengthDots) + 1) / 3);
        // The millimetre limits would show just outside the inch ones.
        if (r.width == 900) *width = 355;
        if (r.width == 3400) *width = 1338;
        return;
    }
    *width = static_cast<int32_t>(DotsToTenthMillimetres(r.widthDots));
    *length = static_cast<int32_t>(DotsToTenthMillimetres(r.lengthDots));
}

int TypedUserPaper(const UserPaperUnit& u, const char16_t* name, const char16_t* width, const char16_t* length,
                   const char16_t* separator, UserPaperRecord* out) {
    if (!name || !name[0] || !out) return 0;
    int32_t w = 0, l = 0;
    if (!ParseFixedPoint(width, &w, u.decimals, separator) || !ParseFixedPoint(length, &l, u.decimals, separator))
        return 0;
    // Out of range the value is kept at the limit, as the spin edit does.
    w = w < u.widthMin ? u.widthMin : (w > u.widthMax ? u.widthMax : w);
    l = l < u.lengthMin ? u.lengthMin : (l > u.lengthMax ? u.lengthMax : l);
    if (w <= 0 || l <= 0) return 0;
    char16_t kept[kUserPaperNameChars + 1];
    Text16Copy(kept, kUserPaperNameChars + 1, name);
    *out = MakeUserPaper(static_cast<uint32_t>(w), static_cast<uint32_t>(l), u.unit, kept);
    return 1;
}

int RegisterFetchedPapers(PrinterHandle printer, UserPaperNames* names, const RegisteredPaperSize* papers,
                          uint32_t count) {
    if (!names || !papers) return 0;
    int n = 0;
    for (uint32_t i = 0; i < count && i < kRegisteredPaperRows; i++) {
        const RegisteredPaperSize& p = papers[i];
        if (p.width <= 0 || p.length <= 0) continue;
        char16_t name[kUserPaperNameChars + 1];
        Text16Copy(name, kUserPaperNameChars + 1, p.name);
        const UserPaperRecord r = MakeUserPaper(static_cast<uint32_t>(p.width), static_cast<uint32_t>(p.length),
                                                kUserPaperMillimetres, name);
        if (RegisterPaper(printer, names, r) >= 0) n++;
    }
    return n;
}

int ImportUserPapers(PrinterHandle printer, UserPaperNames* names, const uint8_t* file, size_t length,
                     const ExchangeNameCodePage& codePage, int* slots) {
    auto in = std::make_unique<ExchangeImport>();
    ReadPaperExchangeFile(file, length, codePage, in.get());
    if (!in->headerOk || in->count <= 0) return -1;
    int n = 0;
    for (int i = 0; i < in->taken; i++) {
        const int slot = RegisterPaper(printer, names, in->papers[i]);
        if (slot >= 0 && slots) slots[n] = slot;
        if (slot >= 0) n++;
    }
    return n;
}

int ExportUserPapers(PrinterHandle printer, const UserPaperNames* names, const int* slots, int count,
                     const ExchangeNameCodePage& codePage, std::vector<uint8_t>* file) {
    auto papers = std::make_unique<ExchangePaper[]>(kUserPaperSlots);
    int n = 0;
    for (int i = 0; slots && i < count && n < kUserPaperSlots; i++) {
        if (!ReadPaper(printer, names, slots[i], &papers[n].record)) continue;
        papers[n].slot = slots[i];
        n++;
    }
    WritePaperExchangeFile(papers.get(), n, codePage, file);
    return n;
}
