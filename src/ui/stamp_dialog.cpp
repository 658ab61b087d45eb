// The stamp dialog's panels, positions and preview, over the settings record.
#include "ui/stamp_dialog.h"

#include <cstring>

namespace {

constexpr int kPageInset = 8;  // the page inside the preview
constexpr int kBoxInset = 6;   // the boxes inside the page
constexpr uint32_t kPositionCommandOffset = 50;  // a panel's box commands: its template + 50 + code
// Sizes 8..32 drawn 9..20 pixels high: the smallest still readable, the largest filling a box.
constexpr int kSmallestSize = 8, kLargestSize = 32;
constexpr int kSmallestHeight = 9;

const IdTableRow kStyleRows[] = {{20450, 0}, {20451, 1}, {20452, 2}, {20453, 3}};
constexpr uint32_t kGivenDateEdit = 33620;

void* FaceField(PrivateSettings& p, int kind) {
    if (kind == kPageStamp) return p.font_StampPage;
    if (kind == kDateStamp) return p.font_StampDate;
    if (kind == kTextStamp) return p.font_StampText;
    return nullptr;
}

uint8_t* PositionField(PrivateSettings& p, int kind) {
    if (kind == kPageStamp) return &p.position_StampPage;
    if (kind == kDateStamp) return &p.position_StampDate;
    if (kind == kTextStamp) return &p.position_StampText;
    return nullptr;
}

// A text field of the packed record (fieldUnits) into out (room units),
// terminated; read through a copy, the field may sit unaligned.
void CopyField(char16_t* out, int room, const void* field, int fieldUnits) {
    char16_t copy[kStampFaceUnits] = {};
    int n = fieldUnits < kStampFaceUnits ? fieldUnits : kStampFaceUnits;
    std::memcpy(copy, field, static_cast<size_t>(n) * sizeof(char16_t));
    int i = 0;
    for (; i < room - 1 && i < n && copy[i]; i++) out[i] = copy[i];
    out[i] = 0;
}

void Decimal(char16_t* out, uint32_t v) {
    char16_t digits[12];
    int n = 0;
    do digits[n++] = static_cast<char16_t>(u'0' + v % 10), v /= 10;
    while (v && n < 11);
    for (int i = 0; i < n; i++) out[i] = digits[n - 1 - i];
    out[n] = 0;
}

int StampOn(const PrivateSettings& p, int kind) {
    if (kind == kPageStamp) return p.stampPageSupport == 1;
    if (kind == kDateStamp) return p.stampDateSupport == 1;
    return p.stampTextSupport == 1;
}

}  // namespace

const StampPanel kStampPanels[kStampPanelCount] = {
    {33500, 20376, 33510, 33511, 33540, 33525, 33526, 33527, 0, {0, 0}},
    {33600, 20377, 33610, 33611, 33640, 33625, 33626, 33627, kGivenDateEdit, {33615, 33616}},
    {33700, 21021, 33710, 33711, 33740, 33723, 33724, 33725, 33718, {33715, 33716}},
};

const StampPanel* FindStampPanel(uint16_t templateId) {
    for (const StampPanel& p : kStampPanels)
        if (p.templateId == templateId) return &p;
    return nullptr;
}

StampRect StampPagePicture(int width, int height) {
    return StampRect{kPageInset, kPageInset, width - kPageInset, height - kPageInset};
}

int StampPositionBox(int code, int width, int height, StampRect* box) {
    if (code < 1 || code > kStampPositionCount || !box) return 0;
    StampRect page = StampPagePicture(width, height);
    int column = (code - 1) % 3, top = code <= 3;
    int left = column == 0   ? page.left + kBoxInset
               : column == 1 ? (page.left + page.right - kStampBoxWidth) / 2
                             : page.right - kBoxInset - kStampBoxWidth;
    int y = top ? page.top + kBoxInset : page.bottom - kBoxInset - kStampBoxHeight;
    *box = StampRect{left, y, left + kStampBoxWidth, y + kStampBoxHeight};
    return 1;
}

int StampPositionAt(int x, int y, int width, int height) {
    for (int code = 1; code <= kStampPositionCount; code++) {
        StampRect b;
        if (StampPositionBox(code, width, height, &b) && x >= b.left && x < b.right && y >= b.top && y < b.bottom)
            return code;
    }
    return 0;
}

uint32_t StampPositionCommand(uint16_t panel, int code) { return panel + kPositionCommandOffset + code; }

int StampPositionOfCommand(uint16_t panel, uint32_t command) {
    if (!FindStampPanel(panel)) return 0;
    uint32_t first = panel + kPositionCommandOffset + 1;
    return command >= first && command < first + kStampPositionCount ? static_cast<int>(command - first + 1) : 0;
}

int StampShownPosition(const PrivateSettings& p, int kind) {
    if (kind < kPageStamp || kind > kTextStamp) return 0;
    uint8_t code = kind == kPageStamp ? p.position_StampPage : kind == kDateStamp ? p.position_StampDate : p.position_StampText;
    if (code >= 1 && code <= kStampPositionCount) return code;
    return kind == kPageStamp ? 6 : 3;
}

void OpenStampPanels(PrivateSettings& p, const char16_t* today) {
    FillStampDate(p, today);
    ClampStamps(p);
}

int ChangeStampControl(uint16_t panel, PageInput& in, uint32_t control, uint32_t value) {
    const StampPanel* sp = FindStampPanel(panel);
    if (!sp || !in.session) return kChangeRefused;
    int kind = static_cast<int>(sp - kStampPanels);
    PrivateSettings& p = in.session->dm.priv;
    if (int code = StampPositionOfCommand(panel, control)) {
        *PositionField(p, kind) = static_cast<uint8_t>(code);
        in.last = LastChange{0, 0};
        return kChangeWritten;
    }
    int r = ChangePageControl(panel, in, control, value, nullptr);
    if (r != kChangeWritten) return r;
    if (control == sp->on || control == sp->off) SwitchStamp(p, kind, control == sp->on);
    ClampStamps(p);
    return r;
}

int ChooseStampFont(PrivateSettings& p, int kind, const char16_t* face) {
    void* field = FaceField(p, kind);
    if (!field) return 0;
    char16_t kept[kStampFaceUnits] = {};
    for (int i = 0; face && i < kStampFaceUnits - 1 && face[i]; i++) kept[i] = face[i];
    std::memcpy(field, kept, sizeof kept);
    return 1;
}

void StampFace(const PrivateSettings& p, int kind, char16_t* face) {
    const void* field = FaceField(const_cast<PrivateSettings&>(p), kind);
    face[0] = 0;
    if (field) CopyField(face, kStampFaceUnits, field, kStampFaceUnits);
}

void StampPanelRules(const PageInput& in, PageState& page) {
    const StampPanel* sp = FindStampPanel(page.layoutId);
    if (!sp || !in.session) return;
    const PrivateSettings& p = in.session->dm.priv;
    int kind = static_cast<int>(sp - kStampPanels);
    int on = StampOn(p, kind);
    uint8_t style = kind == kPageStamp ? p.style_StampPage : kind == kDateStamp ? p.style_StampDate : p.style_StampText;
    for (int i = 0; i < page.controlCount; i++) {
        ControlState& c = page.control[i];
        if (c.id == sp->style) FillFromIdTable(c, kStyleRows, 4, style);
        if (c.id == sp->font) c.enabled = 1;  // the system's fonts, which the window lists
        if (c.id == sp->off || c.id == sp->on) continue;
        if (!on) c.enabled = 0;
        if (c.id == kGivenDateEdit && p.date_StampDate != 1) c.enabled = 0;
    }
    // The engine knows the pages by their first radio; the second goes with it.
    ControlState* pages[2] = {};
    for (int i = 0; i < page.controlCount; i++)
        for (int k = 0; k < 2; k++)
            if (sp->pages[k] && page.control[i].id == sp->pages[k]) pages[k] = &page.control[i];
    if (pages[0] && pages[1]) pages[0]->enabled = pages[1]->enabled = pages[0]->enabled && pages[1]->enabled;
}

int StampPreviewFontHeight(uint16_t size) {
    int h = kSmallestHeight + (size - kSmallestSize) * (kStampBoxHeight - kSmallestHeight) / (kLargestSize - kSmallestSize);
    return h < kSmallestHeight ? kSmallestHeight : h > kStampBoxHeight ? kStampBoxHeight : h;
}

int StampPreviewDrawings(const PrivateSettings& p, int panelKind, const char16_t* today,
                         StampDrawing out[kStampPanelCount]) {
    int n = 0;
    // The panel's own stamp last, so that it lies on top.
    for (int pass = 0; pass < 2; pass++) {
        for (int kind = 0; kind < kStampPanelCount; kind++) {
            int own = kind == panelKind;
            if (own != (pass == 1) || (!own && !StampOn(p, kind))) continue;
            StampDrawing& d = out[n++];
            std::memset(&d, 0, sizeof d);
            d.kind = kind;
            d.own = own;
            d.on = StampOn(p, kind);
            d.position = StampShownPosition(p, kind);
            uint16_t size = kind == kPageStamp ? p.size_StampPage : kind == kDateStamp ? p.size_StampDate : p.size_StampText;
            uint8_t style = kind == kPageStamp ? p.style_StampPage : kind == kDateStamp ? p.style_StampDate : p.style_StampText;
            d.height = StampPreviewFontHeight(size);
            d.bold = style == 1 || style == 3;
            d.italic = style == 2 || style == 3;
            StampFace(p, kind, d.face);
            if (kind == kPageStamp) Decimal(d.text, p.startNumber_StampPage);
            else if (kind == kDateStamp && p.date_StampDate == 0)
                for (int i = 0; today && i < kStampTextUnits - 1 && today[i]; i++) d.text[i] = today[i];
            else
                CopyField(d.text, kStampTextUnits,
                          kind == kDateStamp ? static_cast<const void*>(p.specifiedDate_StampDate)
                                             : static_cast<const void*>(p.specifiedText_StampText),
                          kStampTextUnits);
        }
    }
    return n;
}
