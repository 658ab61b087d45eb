// Margin widths in two units and the booklet-binding dialog's form.
#include "ui/binding_margins.h"

#include <initializer_list>

namespace {

constexpr uint32_t kMillimetresText = 20150, kInchesText = 20152;
constexpr uint32_t kCentreMillimetresText = 20151, kCentreInchesText = 20153;
constexpr int32_t kInchHigh = 20, kMmHigh = 50;  // 2.0 inch, 50 mm
constexpr int32_t kMmCap = 5000, kInchCap = 200;

// The auto-reduce question's words.
constexpr uint32_t kAutoReduceName = 20303, kOnText = 20032, kNowText = 20177, kAfterText = 20178;
constexpr uint32_t kZoomName = 20225, kOffText = 20024;

}  // namespace

void LoadMarginForm(int inches, uint16_t widthMm, uint16_t widthInch, MarginForm& f) {
    f.inches = inches != 0;
    f.decimals = f.inches ? 1 : 0;
    f.high = f.inches ? kInchHigh : kMmHigh;
    f.unitText = f.inches ? kInchesText : kMillimetresText;
    f.value = ClampMarginWidth(f, f.inches ? widthInch / 10 : widthMm / 100);
}

int32_t ClampMarginWidth(const MarginForm& f, int32_t typed) {
    return typed < 0 ? 0 : typed > f.high ? f.high : typed;
}

void StoreMarginWidth(const MarginForm& f, int32_t typed, uint16_t* widthMm, uint16_t* widthInch) {
    int32_t w = ClampMarginWidth(f, typed);
    int32_t mm, inch;
    if (f.inches) {
        inch = w * 10;
        mm = (w * 2540 + 5) / 10;
    } else {
        mm = w * 100;
        inch = (w * 1000 + 127) / 254;
    }
    *widthMm = static_cast<uint16_t>(mm > kMmCap ? kMmCap : mm);
    *widthInch = static_cast<uint16_t>(inch > kInchCap ? kInchCap : inch);
}

void StoreSideMargin(const MarginForm& f, int32_t typed, int autoReduce, PrivateSettings& p) {
    p.autoReduce_SideMargin = autoReduce ? 1 : 0;
    uint16_t mm = 0, inch = 0;
    StoreMarginWidth(f, typed, &mm, &inch);
    p.width_mm_SideMargin = mm;
    p.width_inch_SideMargin = inch;
    p.sideMarginSupport = mm > 0 || inch > 0;
}

int AutoReduceQuestion(const PrivateSettings& p, uint32_t* parts) {
    if (p.zoomSupport != 1) return 0;
    int n = 0;
    constexpr uint32_t br = kQuestionLineBreak;
    for (uint32_t id : {kAutoReduceName, kOnText, br, kNowText, br, kZoomName, kOnText, br, kAfterText, br, kZoomName,
                        kQuestionColon, kOffText})
        parts[n++] = id;
    return n;
}

uint16_t SideMarginPicture(const PrivateSettings& p) { return p.bindingSide < 3 ? 11947 : 0; }

void LoadBookletBindingForm(const PrivateSettings& p, int inches, BookletBindingForm& f) {
    f = BookletBindingForm{};
    f.separateBooks = p.separateBooks_BookletBinding != 0;
    f.marginEnabled = p.booklet != 0;
    LoadMarginForm(inches, f.marginEnabled ? p.width_mm_CenterMargin : 0,
                   f.marginEnabled ? p.width_inch_CenterMargin : 0, f.margin);
    f.margin.unitText = f.margin.inches ? kCentreInchesText : kCentreMillimetresText;
    f.autoReduce = f.marginEnabled && p.autoReduce_CenterMargin != 0;
    f.printCoverSeparately = p.printCoverSeparately_BookletBinding <= 2 ? p.printCoverSeparately_BookletBinding : 0;
    f.storeExceptCover = p.storeBookletExceptCover != 0;
    f.coverTray = p.trayForCover_BookletBinding;
    for (uint16_t sheets : kSheetsPerBookChoices)
        if (f.separateBooks && sheets == p.sheets_BookletBinding) f.sheetsPerBook = sheets;
}

int StoreExceptCoverEnabled(const BookletBindingForm& f) { return f.printCoverSeparately == 1; }
int CoverTrayEnabled(const BookletBindingForm& f) { return StoreExceptCoverEnabled(f) && f.storeExceptCover; }

void ChooseSeparateBooks(BookletBindingForm& f, int separate) {
    f.separateBooks = separate != 0;
    if (f.separateBooks) ChooseCoverPrinting(f, 0);
}

void ChooseCoverPrinting(BookletBindingForm& f, int choice) {
    f.printCoverSeparately = choice >= 0 && choice <= 2 ? choice : 0;
    if (f.printCoverSeparately != 1) f.storeExceptCover = 0;
    if (f.printCoverSeparately != 0) f.separateBooks = 0, f.sheetsPerBook = 0;
}

void ChooseSheetsPerBook(BookletBindingForm& f, uint16_t sheets) {
    f.sheetsPerBook = sheets;
    if (sheets) ChooseCoverPrinting(f, 0);
}

void BookletBindingRules(const PageInput&, PageState& page) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == 32513 || page.control[i].id == 32514) page.control[i].visible = 0;
}

void StoreBookletBindingForm(const BookletBindingForm& f, int32_t typedWidth, PrivateSettings& p) {
    p.separateBooks_BookletBinding = f.separateBooks ? 255 : 0;
    if (f.separateBooks) {
        if (p.bookletBinding == 1) p.sheets_BookletBinding = 5;
        if (p.bookletBinding == 2) p.sheets_BookletBinding = 15;
        p.coverSupport = 0;
    }
    p.autoReduce_CenterMargin = f.marginEnabled && f.autoReduce;
    p.printCoverSeparately_BookletBinding = static_cast<uint8_t>(f.printCoverSeparately);
    p.storeBookletExceptCover = StoreExceptCoverEnabled(f) && f.storeExceptCover;
    p.trayForCover_BookletBinding = f.coverTray;
    uint16_t mm = 0, inch = 0;
    if (f.marginEnabled) StoreMarginWidth(f.margin, typedWidth, &mm, &inch);
    p.width_mm_CenterMargin = mm;
    p.width_inch_CenterMargin = inch;
    p.centerMargin_BookletBinding = inch > 0 || mm >= 1;
}
