#include "ui/image_position_win32.h"

#include <commctrl.h>

#include "ui/image_drawing_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"

namespace {

const wchar_t kSuppressProp[] = L"PROP_SUPPRESS_WMCOMMAND";

// By ImageShift: the edit, its up-down and its unit text.
const int kEdits[kShiftCount] = {32017, 32021, 32032, 32036};
const int kSpins[kShiftCount] = {32018, 32022, 32033, 32037};
const int kUnits[kShiftCount] = {32019, 32023, 32034, 32038};
const int kArrows[2] = {32013, 32028};
const int kResets[2] = {32024, 32039};
constexpr int kRange = 32040;
constexpr int kEditChars = 5;
constexpr uint32_t kMmText = 20151, kInchText = 20153, kMmRangeText = 20594, kInchRangeText = 20595;

void SetResText(HWND dlg, int id, HMODULE resources, uint32_t stringId, uint16_t language) {
    wchar_t text[96] = {};
    LoadResString(resources, stringId, text, 96, language);
    SetDlgItemTextW(dlg, id, text);
}

int ShiftOfEdit(int id) {
    for (int i = 0; i < kShiftCount; i++)
        if (kEdits[i] == id) return i;
    return -1;
}

}  // namespace

void InitImagePosition(HWND dlg, const PrinterSession& s, ImagePositionForm& form, HMODULE resources,
                       uint16_t language) {
    LoadImagePosition(s.dm.priv, s.env.unitOfLength == 1, form);
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < kShiftCount; i++) {
        HWND spin = GetDlgItem(dlg, kSpins[i]), edit = GetDlgItem(dlg, kEdits[i]);
        SendMessageW(edit, EM_LIMITTEXT, kEditChars, 0);
        SendMessageW(spin, UDM_SETRANGE32, form.low, form.high);
        SendMessageW(spin, UDM_SETPOS32, 0, ShownImagePosition(form, i));
        AttachDecimalSpinEdit(spin, edit, ImagePositionDecimals(form));
        ShowSpinEditValue(edit, ShownImagePosition(form, i));
        SetResText(dlg, kUnits[i], resources, form.inches ? kInchText : kMmText, language);
    }
    SetResText(dlg, kRange, resources, form.inches ? kInchRangeText : kMmRangeText, language);
    RemovePropW(dlg, kSuppressProp);
}

void ImagePositionCommand(HWND dlg, int id, UINT code, ImagePositionForm& form, PrivateSettings& p) {
    int shift = ShiftOfEdit(id);
    if (shift >= 0 && code == EN_CHANGE) {
        HWND edit = GetDlgItem(dlg, id);
        CommitSpinEdit(edit);
        int32_t v = 0;
        if (!SpinEditValue(edit, &v)) return;
        if (SetImagePosition(form, shift, v)) InvalidateRect(GetDlgItem(dlg, kArrows[shift / 2]), nullptr, TRUE);
        StoreImagePosition(form, p);
        return;
    }
    for (int side = 0; side < 2; side++) {
        if (id != kResets[side] || code != BN_CLICKED) continue;
        // The edits show zero; their change notes store it.
        for (int i = side * 2; i < side * 2 + 2; i++) {
            SendDlgItemMessageW(dlg, kSpins[i], UDM_SETPOS32, 0, 0);
            ShowSpinEditValue(GetDlgItem(dlg, kEdits[i]), 0);
        }
        ResetImagePositionSide(form, side);
        StoreImagePosition(form, p);
        InvalidateRect(dlg, nullptr, TRUE);
    }
}

int DrawImagePositionArrow(HMODULE resources, const DRAWITEMSTRUCT* item, const ImagePositionForm& form) {
    for (int side = 0; side < 2; side++) {
        if (static_cast<int>(item->CtlID) != kArrows[side]) continue;
        DrawResImageStatic(resources, item, ImagePositionArrow(form, side));
        return 1;
    }
    return 0;
}
