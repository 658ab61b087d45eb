#include "ui/page_images_win32.h"

#include "ui/control_table.h"
#include "ui/image_controls_win32.h"
#include "ui/image_drawing_win32.h"
#include "ui/option_pictures.h"

namespace {

uint16_t LayoutOf(uint16_t templateId) {
    const PageRow* row = FindPageRow(templateId);
    return row ? row->layoutId : templateId;
}

const ControlRow* RowOf(uint16_t layout, uint32_t id) {
    for (int i = 0; i < kControlRowCount; ++i)
        if (kControlRows[i].id == id && kControlRows[i].templateId == layout) return &kControlRows[i];
    return nullptr;
}

}  // namespace

void InitPageImages(HWND page, HMODULE module, uint16_t templateId) {
    StartImaging(1);
    uint16_t layout = LayoutOf(templateId);
    for (int i = 0; i < kControlRowCount; ++i) {
        const ControlRow& r = kControlRows[i];
        if (r.templateId != layout) continue;
        if (r.kind == kPicradioControl) ImageRadioInit(module, page, r.id, r.pictureId);
        if (r.kind == kPiccomboControl && GetDlgItem(page, r.id)) ImageComboFitHeight(GetDlgItem(page, r.id), 0);
    }
}

int MeasurePageImage(MEASUREITEMSTRUCT* measure) {
    if (!measure || measure->CtlType != ODT_COMBOBOX) return 0;
    // Sent while the page is being created, before it knows its template.
    for (int i = 0; i < kControlRowCount; ++i)
        if (kControlRows[i].id == measure->CtlID && kControlRows[i].kind == kPiccomboControl) {
            ImageComboMeasure(measure);
            return 1;
        }
    return 0;
}

int DrawPageImage(HMODULE module, uint16_t templateId, const DRAWITEMSTRUCT* item) {
    const ControlRow* r = item ? RowOf(LayoutOf(templateId), item->CtlID) : nullptr;
    if (!r) return 0;
    switch (r->kind) {
        case kPiccomboControl:
            ImageComboDraw(module, item);
            return 1;
        case kPicradioControl:
            ImageRadioDraw(module, item);
            return 1;
        case kPictureControl:
            DrawResImageStatic(module, item, r->pictureId);
            return 1;
        case kSeparatorControl:
            DrawSeparator(item);
            return 1;
        default:
            return 0;
    }
}

void ShowImageComboItems(HWND combo, const ControlState& control, const PrinterSession& session) {
    ImageComboItem items[kPageItemRoom];
    int landscape = session.dm.priv.originalOrientation == 2;
    int n = control.itemCount < kPageItemRoom ? control.itemCount : kPageItemRoom;
    for (int i = 0; i < n; ++i)
        items[i] = ImageComboItem{control.item[i].stringId, control.item[i].value,
                                  OptionPicture(control.id, control.item[i].value, landscape)};
    ImageComboSetItems(combo, items, n);
}

void ShowImageRadioCheck(HWND button, int checked) {
    SendMessageW(button, checked ? BM_SETCHECK : kImageRadioUncheck, checked ? BST_CHECKED : 0, 0);
}

void ReleasePageImages(HWND page, uint16_t templateId) {
    uint16_t layout = LayoutOf(templateId);
    for (int i = 0; i < kControlRowCount; ++i) {
        const ControlRow& r = kControlRows[i];
        if (r.templateId == layout && (r.kind == kPiccomboControl || r.kind == kPicradioControl))
            ImageComboRelease(page, r.id);
    }
}
