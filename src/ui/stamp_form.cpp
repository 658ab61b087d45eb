#include "ui/stamp_form.h"

#include <cstring>

#include "rules/text_filters.h"

namespace {

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

constexpr uint8_t kPageDefaultPosition = 6, kOtherDefaultPosition = 3;

uint16_t ClampSize(uint16_t v) { return static_cast<uint16_t>(Clamp(v, 8, 32)); }
uint8_t ClampStyle(uint8_t v) { return v > 3 ? 0 : v; }

}  // namespace

void SwitchStamp(PrivateSettings& p, int kind, int on) {
    uint8_t v = on ? 1 : 0;
    switch (kind) {
    case kPageStamp:
        p.stampPageSupport = v;
        if (on) p.position_StampPage = kPageDefaultPosition;
        break;
    case kDateStamp:
        p.stampDateSupport = v;
        if (on) p.position_StampDate = kOtherDefaultPosition;
        break;
    case kTextStamp:
        p.stampTextSupport = v;
        if (on) p.position_StampText = kOtherDefaultPosition;
        break;
    default: break;
    }
}

void ClampStamps(PrivateSettings& p) {
    p.startNumber_StampPage = static_cast<uint16_t>(Clamp(p.startNumber_StampPage, 1, 9999));
    p.startPage_StampPage = static_cast<uint16_t>(Clamp(p.startPage_StampPage, 1, 9999));
    p.size_StampPage = ClampSize(p.size_StampPage);
    p.size_StampDate = ClampSize(p.size_StampDate);
    p.size_StampText = ClampSize(p.size_StampText);
    p.style_StampPage = ClampStyle(p.style_StampPage);
    p.style_StampDate = ClampStyle(p.style_StampDate);
    p.style_StampText = ClampStyle(p.style_StampText);
}

int FillStampDate(PrivateSettings& p, const char16_t* today) {
    char16_t first = 0;
    std::memcpy(&first, p.specifiedDate_StampDate, sizeof first);
    if (first != 0 || !today || !today[0]) return 0;
    TypeStampText(p, kDateStamp, today);
    return 1;
}

int TypeStampText(PrivateSettings& p, int kind, const char16_t* typed) {
    // Filtered first, then cut: what is dropped does not shorten the text.
    char16_t text[kStampTextUnits * 4] = {};
    for (int i = 0; typed && i < kStampTextUnits * 4 - 1 && typed[i]; i++) text[i] = typed[i];
    int removed = RemoveForbiddenChars(TextFilterKind::Stamp, text);
    for (int i = kStampTextUnits - 1; i < kStampTextUnits * 4; i++) text[i] = 0;
    if (kind == kDateStamp) std::memcpy(p.specifiedDate_StampDate, text, kStampTextUnits * sizeof(char16_t));
    else if (kind == kTextStamp) std::memcpy(p.specifiedText_StampText, text, kStampTextUnits * sizeof(char16_t));
    else return 0;
    return removed;
}
