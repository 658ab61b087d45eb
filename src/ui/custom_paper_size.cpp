// The custom paper size in the user's unit of length.
#include "ui/custom_paper_size.h"

#include <cstdio>

namespace {

constexpr uint16_t kCustomPaper = 256;
constexpr uint16_t kSameAsOriginal = 0;

struct UnitRow {
    int32_t widthMin, widthMax, lengthMin, lengthMax;
    int32_t emptyWidth, emptyLength;  // shown for a stored 0 (A4)
};
const UnitRow kMillimetres = {900, 3400, 1480, 5500, 2100, 2970};
const UnitRow kInches = {355, 1338, 583, 2165, 827, 1169};

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

int32_t Shown(int inches, int32_t stored) {
    return inches ? (stored * 10 + 127) / 254 : (stored + 5) / 10;
}
int32_t Stored(int inches, int32_t shown) { return inches ? (shown * 254 + 5) / 10 : shown * 10; }

void Ascii(const char* from, char16_t* text, int capacity) {
    int i = 0;
    for (; from[i] && i < capacity - 1; i++) text[i] = static_cast<char16_t>(from[i]);
    text[i] = 0;
}

}  // namespace

void LoadCustomSize(const PrinterSession& s, int target, CustomSizeForm& form) {
    const PrivateSettings& p = s.dm.priv;
    form.target = target == kCustomOutput ? kCustomOutput : kCustomOriginal;
    form.inches = s.env.unitOfLength == 1;
    const UnitRow& u = form.inches ? kInches : kMillimetres;
    form.widthMin = u.widthMin, form.widthMax = u.widthMax;
    form.lengthMin = u.lengthMin, form.lengthMax = u.lengthMax;
    int32_t w = form.target ? p.outputWidth_mm_CustomPaper : p.originalWidth_mm_CustomPaper;
    int32_t l = form.target ? p.outputLength_mm_CustomPaper : p.originalLength_mm_CustomPaper;
    form.width = ClampCustomWidth(form, w ? Shown(form.inches, w) : u.emptyWidth);
    form.length = ClampCustomLength(form, l ? Shown(form.inches, l) : u.emptyLength);
}

int32_t ClampCustomWidth(const CustomSizeForm& form, int32_t v) { return Clamp(v, form.widthMin, form.widthMax); }
int32_t ClampCustomLength(const CustomSizeForm& form, int32_t v) { return Clamp(v, form.lengthMin, form.lengthMax); }

void CustomSizeRangeText(const CustomSizeForm& form, int length, char16_t* text, int capacity) {
    int32_t lo = length ? form.lengthMin : form.widthMin, hi = length ? form.lengthMax : form.widthMax;
    char b[48];
    if (form.inches) std::snprintf(b, sizeof b, "[%4.2f - %4.2f]", lo / 100.0, hi / 100.0);
    else std::snprintf(b, sizeof b, "[%d - %d]", static_cast<int>(lo / 10), static_cast<int>(hi / 10));
    Ascii(b, text, capacity);
}

void StoreCustomSize(const CustomSizeForm& form, PrinterSession& s) {
    PrivateSettings& p = s.dm.priv;
    int32_t w = Stored(form.inches, ClampCustomWidth(form, form.width));
    int32_t l = Stored(form.inches, ClampCustomLength(form, form.length));
    if (form.target == kCustomOutput) {
        p.outputWidth_mm_CustomPaper = w, p.outputLength_mm_CustomPaper = l;
    } else {
        p.originalWidth_mm_CustomPaper = w, p.originalLength_mm_CustomPaper = l;
    }
    bool outputFollows = form.target == kCustomOutput ? p.outputSize == kCustomPaper
                                                      : p.outputSize == kSameAsOriginal && p.originalSize == kCustomPaper;
    if (outputFollows) p.outputWidth_mm = w, p.outputLength_mm = l;
}
