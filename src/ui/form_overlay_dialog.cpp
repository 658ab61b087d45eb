// The form-overlay dialog's rules. Patterns that pick the first page or pages
// by their number decide the sides themselves: the form goes on both sides
// there, and a separate back-side form only with both sides chosen.
#include "ui/form_overlay_dialog.h"

namespace {

constexpr uint32_t kFront = 33822, kBoth = 33823, kSeparate = 33824, kFrontForm = 33826,
                   kBackForm = 33828, kPriority = 33830, kPreview = 33832, kPageShown = 33833,
                   kSideBack = 33836, kSideNext = 33837;
const IdTableRow kLayers[] = {{20626, 1}, {20627, 2}, {20628, 3}};
constexpr uint32_t kNoFormText = 20024, kFirstFormText = 20616;
constexpr int kNameUnits = 256;  // fileName_Form, fileName_BackSide_Form
constexpr uint8_t kBothSides = 2;

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

void StoreName(char16_t* field, const char16_t* text, int room) {
    char16_t name[kNameUnits] = {};
    for (int k = 0; text && k < room && k < kNameUnits - 1 && text[k]; k++) name[k] = text[k];
    for (int k = 0; k < kNameUnits; k++) field[k] = name[k];
}

int SameName(const char16_t* stored, const char16_t* text, int room) {
    int k = 0;
    for (; k < room && k < kNameUnits; k++) {
        if (stored[k] != text[k]) return 0;
        if (!text[k]) return 1;
    }
    return k == kNameUnits || stored[k] == 0;
}

// The list value of a side's stored form; a registered form the printer no
// longer lists is none.
uint32_t ListValue(uint8_t index, const char16_t* name, const RetrievalTargets* lists) {
    if (index <= kNumberedForms) return index;
    char16_t stored[kNameUnits];
    for (int k = 0; k < kNameUnits; k++) stored[k] = name[k];
    int n = RegisteredFormCount(lists);
    for (int i = 0; stored[0] && i < n; i++)
        if (SameName(stored, lists->formNames[i], kRegNameUnits)) return kRegisteredFormBase + i;
    return 0;
}

// Writes the form of a list value into a side's index and name.
int TakeForm(uint8_t& index, char16_t* name, uint32_t value, const RetrievalTargets* lists) {
    if (value == 0) {
        StoreName(name, nullptr, 0);
    } else if (value <= kNumberedForms) {
        char16_t text[20];
        NumberedFormName(static_cast<int>(value), text);
        StoreName(name, text, 20);
    } else if (value - kRegisteredFormBase < uint32_t(RegisteredFormCount(lists))) {
        StoreName(name, lists->formNames[value - kRegisteredFormBase], kRegNameUnits);
    } else {
        return 0;
    }
    index = static_cast<uint8_t>(value < kRegisteredFormBase ? value : kRegisteredFormBase);
    return 1;
}

void FillForms(ControlState& c, uint32_t current, int registered) {
    c.itemCount = 0;
    c.item[c.itemCount++] = PageItem{0, kNoFormText, kItemString};
    for (int i = 1; i <= kNumberedForms; i++)
        c.item[c.itemCount++] = PageItem{uint32_t(i), kFirstFormText + i - 1, kItemString};
    for (int i = 0; i < registered && c.itemCount < kPageItemRoom; i++)
        c.item[c.itemCount++] = PageItem{kRegisteredFormBase + i, 0, kItemRegisteredForm};
    c.selected = -1;
    for (int i = 0; i < c.itemCount; i++)
        if (c.item[i].value == current) c.selected = i;
    c.value = current;
    c.enabled = 1;
}

int SideCount(const PrivateSettings& p) { return p.printSideSeparately_Form == 1 ? 2 : 1; }

// The side shown: its form's picture (none without a form), the indicator
// and the step buttons that lead to the other side.
void ShowPreviewSide(const PrivateSettings& p, PageState& page) {
    int sides = SideCount(p);
    if (page.view < 0 || page.view >= sides) page.view = 0;
    uint8_t form = page.view ? p.index_BackSide_Form : p.index_Form;
    if (ControlState* c = Find(page, kPreview)) {
        c->itemCount = form ? 1 : 0;
        c->item[0] = PageItem{kFormPreviewPicture, 0, kItemString};
    }
    if (ControlState* c = Find(page, kPageShown)) {
        char16_t* t = c->text;
        t[0] = static_cast<char16_t>(u'1' + page.view);
        t[1] = u'/';
        t[2] = static_cast<char16_t>(u'0' + sides);
        t[3] = 0;
    }
    if (ControlState* c = Find(page, kSideBack)) c->enabled = page.view > 0;
    if (ControlState* c = Find(page, kSideNext)) c->enabled = page.view < sides - 1;
}

}  // namespace

int ShowFormOverlaySide(PageState& page, const PrivateSettings& p, uint32_t control) {
    int side = page.view;
    if (control == kSideBack) side--;
    else if (control == kSideNext) side++;
    else if (control == kFrontForm) side = 0;
    else if (control == kBackForm) side = 1;
    if (side < 0 || side >= SideCount(p) || side == page.view) return 0;
    page.view = side;
    return 1;
}

void NumberedFormName(int number, char16_t* out) {
    const char16_t prefix[] = u"#kElOcUsToMfOrM";
    int n = 0;
    for (; prefix[n]; n++) out[n] = prefix[n];
    if (number >= 10) out[n++] = static_cast<char16_t>(u'0' + number / 10 % 10);
    out[n++] = static_cast<char16_t>(u'0' + number % 10);
    out[n] = 0;
}

int RegisteredFormCount(const RetrievalTargets* lists) {
    int n = 0;
    while (lists && n < kFormNameSlots && lists->formNames[n][0]) n++;
    return n;
}

void FormOverlayRules(const PageInput& in, PageState& page) {
    PrivateSettings& p = in.session->dm.priv;
    const RetrievalTargets* lists = in.printerLists;
    // A pattern that chooses pages by number sets the sides itself.
    int sidesChosen = p.pattern_Form == 1 || p.pattern_Form == 4;
    if (!sidesChosen) p.printSide_Form = kBothSides;
    int separateChosen = p.printSide_Form == kBothSides;
    if (!separateChosen) p.printSideSeparately_Form = 0;

    uint32_t front = ListValue(p.index_Form, p.fileName_Form, lists);
    if (front == 0 && p.index_Form != 0) TakeForm(p.index_Form, p.fileName_Form, 0, lists);
    uint32_t back = ListValue(p.index_BackSide_Form, p.fileName_BackSide_Form, lists);
    if (p.printSideSeparately_Form != 1) {
        // One form for both sides: the back takes the front's.
        p.index_BackSide_Form = p.index_Form;
        for (int k = 0; k < kNameUnits; k++) p.fileName_BackSide_Form[k] = p.fileName_Form[k];
        back = front;
    } else if (back == 0 && p.index_BackSide_Form != 0) {
        TakeForm(p.index_BackSide_Form, p.fileName_BackSide_Form, 0, lists);
    }

    int registered = RegisteredFormCount(lists);
    if (ControlState* c = Find(page, kPriority)) FillFromIdTable(*c, kLayers, 3, p.priorityLayer_Form);
    if (ControlState* c = Find(page, kFrontForm)) FillForms(*c, front, registered);
    if (ControlState* c = Find(page, kBackForm)) {
        FillForms(*c, back, registered);
        c->enabled = p.printSideSeparately_Form == 1;
    }
    for (uint32_t id : {kFront, kBoth}) {
        if (ControlState* c = Find(page, id)) {
            c->enabled = c->enabled && sidesChosen;
            c->value = p.printSide_Form;
            c->checked = p.printSide_Form == (id == kFront ? 1 : 2);
        }
    }
    if (ControlState* c = Find(page, kSeparate)) {
        c->enabled = c->enabled && separateChosen;
        c->checked = p.printSideSeparately_Form == 1;
        c->value = p.printSideSeparately_Form;
    }
    ShowPreviewSide(p, page);
}

int ChangeFormOverlay(PageInput& in, uint32_t control, uint32_t value) {
    if (!in.session || (control != kFrontForm && control != kBackForm)) return 0;
    PrivateSettings& p = in.session->dm.priv;
    uint8_t index = 0;
    int ok = control == kFrontForm ? TakeForm(index, p.fileName_Form, value, in.printerLists)
                                   : TakeForm(index, p.fileName_BackSide_Form, value, in.printerLists);
    if (!ok) return 0;
    if (control == kFrontForm) p.index_Form = index;
    else p.index_BackSide_Form = index;
    in.last = LastChange{0, 0};
    return 1;
}
