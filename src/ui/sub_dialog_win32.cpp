// The sub-dialog procedure: the page pattern over a working copy. Check boxes
// and radio buttons with a field go through the page model; the custom size's
// edits and the tray-per-page lists are forms of their own, read into the
// copy on OK.
#include "ui/sub_dialog_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "ui/binding_margins_win32.h"
#include "ui/booklet_binding_win32.h"
#include "ui/covers.h"
#include "ui/custom_paper_size.h"
#include "ui/finishing_dialogs.h"
#include "ui/image_drawing_win32.h"
#include "ui/mail_making.h"
#include "ui/output_destination_win32.h"
#include "ui/page_images_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"
#include "ui/sub_dialog_model.h"
#include "ui/tray_ranges.h"
#include "rules/text_filters.h"

namespace {

const wchar_t kSuppressProp[] = L"PROP_SUPPRESS_WMCOMMAND";

constexpr int kWidthEdit = 31711, kWidthSpin = 31712, kWidthUnit = 31713, kWidthRange = 31714;
constexpr int kLengthEdit = 31716, kLengthSpin = 31717, kLengthUnit = 31718, kLengthRange = 31719;
constexpr int kCustomEditChars = 5;
constexpr uint32_t kMillimetresText = 20150, kInchesText = 20152;

const int kTrayEdits[kTrayListCount] = {31415, 31416, 31417, 31418};
constexpr int kStandardTrayLabel = 31411, kRepeatCheck = 31421, kRepeatEdit = 31422, kRepeatHint = 31424;
constexpr uint32_t kHighCapacityText = 20183;
constexpr uint32_t kHighCapacityTray = 10;
const COLORREF kMarkColour = RGB(255, 207, 200);

constexpr uint32_t kMixedDuplexPicture = 31810, kFoldPreview = 32710, kFrontCoverPicture = 32414,
                   kBackCoverPicture = 32419, kEnvelopePicture = 32911, kInsertPicture = 32918;

// The dialogs whose checks, radios and lists are all the page model's (the
// form dialogs keep their own).
int ModelDialog(uint16_t templateId) {
    return templateId == kMixedDuplexDialog || templateId == kFoldDialog || templateId == kSlipSheetDialog ||
           templateId == kCoverDialog || templateId == kMailMakingDialog;
}
constexpr int kFaceUp = 32811, kFaceDown = 32812;

struct SubDialog {
    SubDialogHost host;
    uint16_t templateId;
    int target;
    WorkingCopy* copy;
    PageState state;
    CustomSizeForm size;
    TrayPerPageForm trays;
    OutputModeForm output;
    MarginForm margin;
    BookletBindingForm booklet;
    int marks[kTrayListCount];
    int lengthMark;
    HBRUSH markBrush;
};

PrinterSession& Copy(SubDialog* d) { return *d->copy->copy->session; }

void SetText(HWND dlg, int id, const char16_t* text) {
    SetDlgItemTextW(dlg, id, reinterpret_cast<const wchar_t*>(text));
}

void SetResText(HWND dlg, int id, SubDialog* d, uint32_t stringId) {
    wchar_t text[64] = {};
    LoadResString(d->host.resources, stringId, text, 64, d->host.language);
    SetDlgItemTextW(dlg, id, text);
}

// A list's items in the dialog's language, each with its value.
void ShowList(HWND w, SubDialog* d, const ControlState& cs) {
    SendMessageW(w, CB_RESETCONTENT, 0, 0);
    for (int k = 0; k < cs.itemCount; ++k) {
        wchar_t text[256] = {};
        const PageItem& item = cs.item[k];
        if (item.source == kItemString) {
            if (!LoadResString(d->host.resources, item.stringId, text, 256, d->host.language))
                std::swprintf(text, 256, L"%u", item.value);
        } else {
            MultiByteToWideChar(CP_UTF8, 0, PageItemText(Copy(d), cs, item).c_str(), -1, text, 256);
        }
        LRESULT at = SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(w, CB_SETITEMDATA, static_cast<WPARAM>(at), item.value);
    }
    SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(cs.selected), 0);
}

// The model's state onto the controls the sub-dialogs have: checks, radios,
// and every control's enabled and shown state.
void ShowState(HWND dlg, SubDialog* d) {
    if (!RefreshPage(d->templateId, *d->copy->copy, d->state)) return;
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < d->state.controlCount; ++i) {
        const ControlState& cs = d->state.control[i];
        HWND w = GetDlgItem(dlg, static_cast<int>(cs.id));
        if (!w) continue;
        if ((cs.kind == kCheckControl || cs.kind == kRadioControl) && ModelDialog(d->templateId))
            SendMessageW(w, BM_SETCHECK, cs.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (cs.kind == kComboControl && ModelDialog(d->templateId)) ShowList(w, d, cs);
        if (cs.kind == kPicradioControl) ShowImageRadioCheck(w, cs.checked);
        if (cs.kind == kPictureControl) InvalidateRect(w, nullptr, FALSE);
        EnableWindow(w, cs.enabled ? TRUE : FALSE);
        ShowWindow(w, cs.visible ? SW_SHOWNA : SW_HIDE);
    }
    RemovePropW(dlg, kSuppressProp);
}

// Custom paper size ---------------------------------------------------------

// The edits are numeric spin edits: the value shown with the unit's
// decimals and the user's separator, kept inside the up-down's range.
void ShowCustomValue(HWND dlg, int edit, int32_t value) {
    ShowSpinEditValue(GetDlgItem(dlg, edit), value);
}

void InitCustomSize(HWND dlg, SubDialog* d) {
    LoadCustomSize(Copy(d), d->target, d->size);
    const CustomSizeForm& f = d->size;
    SendDlgItemMessageW(dlg, kWidthSpin, UDM_SETRANGE32, f.widthMin, f.widthMax);
    SendDlgItemMessageW(dlg, kLengthSpin, UDM_SETRANGE32, f.lengthMin, f.lengthMax);
    for (int edit : {kWidthEdit, kLengthEdit}) SendDlgItemMessageW(dlg, edit, EM_LIMITTEXT, kCustomEditChars, 0);
    SendDlgItemMessageW(dlg, kWidthSpin, UDM_SETPOS32, 0, f.width);
    SendDlgItemMessageW(dlg, kLengthSpin, UDM_SETPOS32, 0, f.length);
    AttachDecimalSpinEdit(GetDlgItem(dlg, kWidthSpin), GetDlgItem(dlg, kWidthEdit), CustomSizeDecimals(f));
    AttachDecimalSpinEdit(GetDlgItem(dlg, kLengthSpin), GetDlgItem(dlg, kLengthEdit), CustomSizeDecimals(f));
    ShowCustomValue(dlg, kWidthEdit, f.width);
    ShowCustomValue(dlg, kLengthEdit, f.length);
    for (int unit : {kWidthUnit, kLengthUnit}) SetResText(dlg, unit, d, f.inches ? kInchesText : kMillimetresText);
    char16_t range[48];
    CustomSizeRangeText(f, 0, range, 48);
    SetText(dlg, kWidthRange, range);
    CustomSizeRangeText(f, 1, range, 48);
    SetText(dlg, kLengthRange, range);
}

// A typed value taken into the form inside its range, and shown as kept.
void ReadCustomValue(HWND dlg, SubDialog* d, int edit) {
    int32_t v = 0;
    if (!SpinEditValue(GetDlgItem(dlg, edit), &v)) return;
    if (edit == kWidthEdit) d->size.width = ClampCustomWidth(d->size, v);
    else d->size.length = ClampCustomLength(d->size, v);
}

// Tray per page -----------------------------------------------------------

int TrayIndex(int id) {
    for (int i = 0; i < kTrayListCount; ++i)
        if (kTrayEdits[i] == id) return i;
    return -1;
}

void ShowTrayLists(HWND dlg, SubDialog* d) {
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < kTrayListCount; ++i) SetText(dlg, kTrayEdits[i], d->trays.list[i]);
    RemovePropW(dlg, kSuppressProp);
    MarkOverlappingLists(d->trays, d->marks);
    for (int id : kTrayEdits) InvalidateRect(GetDlgItem(dlg, id), nullptr, TRUE);
}

void ShowRepeatLength(HWND dlg, SubDialog* d) {
    SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    if (d->trays.repeatLength > 0) SetDlgItemInt(dlg, kRepeatEdit, static_cast<UINT>(d->trays.repeatLength), FALSE);
    else SetDlgItemTextW(dlg, kRepeatEdit, L"");
    RemovePropW(dlg, kSuppressProp);
}

void InitTrayPerPage(HWND dlg, SubDialog* d) {
    LoadTrayPerPage(Copy(d).dm.priv, d->trays);
    for (int id : kTrayEdits) SendDlgItemMessageW(dlg, id, EM_LIMITTEXT, kPageListChars, 0);
    SendDlgItemMessageW(dlg, kRepeatEdit, EM_LIMITTEXT, 4, 0);
    if (Copy(d).env.defaultTray[0] == kHighCapacityTray) SetResText(dlg, kStandardTrayLabel, d, kHighCapacityText);
    CheckDlgButton(dlg, kRepeatCheck, d->trays.repeat ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, kRepeatEdit), d->trays.repeat);
    ShowRepeatLength(dlg, d);
    ShowTrayLists(dlg, d);
}

void TrayCommand(HWND dlg, SubDialog* d, int id, UINT code) {
    int list = TrayIndex(id);
    if (list >= 0) {
        char16_t* text = d->trays.list[list];
        if (code == EN_SETFOCUS) SendDlgItemMessageW(dlg, id, EM_SETSEL, 0, -1);
        if (code == EN_CHANGE) {
            GetDlgItemTextW(dlg, id, reinterpret_cast<wchar_t*>(text), kPageListChars + 1);
            if (KeepPageListChars(text)) {
                SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
                SetText(dlg, id, text);
                SendDlgItemMessageW(dlg, id, EM_SETSEL, kPageListChars, kPageListChars);
                RemovePropW(dlg, kSuppressProp);
            }
            int before[kTrayListCount];
            std::memcpy(before, d->marks, sizeof before);
            MarkOverlappingLists(d->trays, d->marks);
            for (int i = 0; i < kTrayListCount; ++i)
                if (before[i] != d->marks[i]) InvalidateRect(GetDlgItem(dlg, kTrayEdits[i]), nullptr, TRUE);
        }
        if (code == EN_KILLFOCUS) {
            LeaveTrayList(d->trays, list);
            ShowTrayLists(dlg, d);
        }
        return;
    }
    if (id == kRepeatCheck && code == BN_CLICKED) {
        d->trays.repeat = IsDlgButtonChecked(dlg, kRepeatCheck) == BST_CHECKED;
        d->trays.repeatLength = d->trays.repeat ? TrayFormHighestPage(d->trays) : 0;
        d->lengthMark = 0;
        EnableWindow(GetDlgItem(dlg, kRepeatEdit), d->trays.repeat);
        ShowRepeatLength(dlg, d);
        if (!d->trays.repeat) ShowWindow(GetDlgItem(dlg, kRepeatHint), SW_HIDE);
    } else if (id == kRepeatEdit && code == EN_CHANGE) {
        // Digits only: anything else typed or pasted goes at once.
        wchar_t text[kDigitsFieldChars + 1] = {};
        GetDlgItemTextW(dlg, kRepeatEdit, text, kDigitsFieldChars + 1);
        int caret = LOWORD(SendDlgItemMessageW(dlg, kRepeatEdit, EM_GETSEL, 0, 0));
        if (KeepDigits(reinterpret_cast<char16_t*>(text), &caret)) {
            SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
            SetDlgItemTextW(dlg, kRepeatEdit, text);
            SendDlgItemMessageW(dlg, kRepeatEdit, EM_SETSEL, caret, caret);
            RemovePropW(dlg, kSuppressProp);
        }
        d->trays.repeatLength = static_cast<int32_t>(GetDlgItemInt(dlg, kRepeatEdit, nullptr, FALSE));
        if (d->trays.repeatLength > kMaxPageNumber) d->trays.repeatLength = kMaxPageNumber;
    } else if (id == kRepeatEdit && code == EN_KILLFOCUS && d->trays.repeatLength == 0) {
        ShowRepeatLength(dlg, d);
    }
}

// OK with repeat on and a pattern shorter than the lists: the hint names the
// lowest length that fits and the dialog stays open.
int TrayOk(HWND dlg, SubDialog* d) {
    int highest = 0;
    if (!CheckTrayPerPage(d->trays, &highest)) {
        wchar_t hint[32];
        std::swprintf(hint, 32, L"(%d-)", highest);
        SetDlgItemTextW(dlg, kRepeatHint, hint);
        ShowWindow(GetDlgItem(dlg, kRepeatHint), SW_SHOWNA);
        d->lengthMark = 1;
        InvalidateRect(GetDlgItem(dlg, kRepeatEdit), nullptr, TRUE);
        return 0;
    }
    StoreTrayPerPage(d->trays, Copy(d).dm.priv);
    return 1;
}

HBRUSH TrayColour(SubDialog* d, HDC dc, HWND edit) {
    int id = GetDlgCtrlID(edit), list = TrayIndex(id);
    int marked = list >= 0 ? d->marks[list] : id == kRepeatEdit && d->lengthMark;
    if (!marked) return nullptr;
    if (!d->markBrush) d->markBrush = CreateSolidBrush(kMarkColour);
    SetBkColor(dc, kMarkColour);
    return d->markBrush;
}

// The procedure ---------------------------------------------------------

// Output mode -----------------------------------------------------------

void InitOutputMode(HWND dlg, SubDialog* d) {
    // The drives are listed once, when the dialog opens.
    auto* drives = static_cast<UsbDriveEntry*>(std::calloc(kUsbDriveRoom, sizeof(UsbDriveEntry)));
    int count = 0;
    if (drives && Copy(d).dm.priv.outputMode == 3) ListUsbDrives(drives, &count);
    LoadOutputModeForm(Copy(d), drives, count, d->output);
    std::free(drives);
    ShowOutputModeForm(dlg, Copy(d), d->host.resources, d->host.language, d->output);
}

// Face up asks first when it would switch features off.
void OutputTrayCommand(HWND dlg, SubDialog* d, int id, UINT code) {
    if (code != BN_CLICKED || (id != kFaceUp && id != kFaceDown)) return;
    PrivateSettings& p = Copy(d).dm.priv;
    if (id == kFaceUp) ChooseFaceUpAsking(dlg, d->host.resources, d->host.language, p);
    else p.faceUpDown_OutputTray = 2;
    ShowState(dlg, d);
}

// Over the middle of the sheet it was opened from, kept on its monitor.
void CentreOverOwner(HWND dlg) {
    HWND owner = GetAncestor(GetParent(dlg), GA_ROOT);
    RECT o, r;
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dlg, &r)) return;
    MONITORINFO m = {sizeof m, {}, {}, 0};
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &m)) return;
    int cx = r.right - r.left, cy = r.bottom - r.top;
    int x = o.left + (o.right - o.left - cx) / 2, y = o.top + (o.bottom - o.top - cy) / 2;
    x = x + cx > m.rcWork.right ? m.rcWork.right - cx : x;
    y = y + cy > m.rcWork.bottom ? m.rcWork.bottom - cy : y;
    SetWindowPos(dlg, nullptr, x < m.rcWork.left ? m.rcWork.left : x, y < m.rcWork.top ? m.rcWork.top : y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Init(HWND dlg, SubDialog* d) {
    CentreOverOwner(dlg);
    if (d->templateId == kOutputTrayDialog) InitPageImages(dlg, d->host.resources, d->templateId);
    ShowState(dlg, d);
    if (d->templateId == kCustomSizeDialog) InitCustomSize(dlg, d);
    if (d->templateId == kTrayPerPageDialog) InitTrayPerPage(dlg, d);
    if (d->templateId == kOutputModeDialog) InitOutputMode(dlg, d);
    if (d->templateId == kSideMarginDialog)
        InitSideMarginDialog(dlg, d->host.resources, d->host.language, Copy(d), d->margin);
    if (d->templateId == kBookletBindingDialog)
        InitBookletBindingDialog(dlg, d->host.resources, d->host.language, Copy(d), d->booklet);
}

int Ok(HWND dlg, SubDialog* d) {
    if (d->templateId == kCustomSizeDialog) {
        ReadCustomValue(dlg, d, kWidthEdit);
        ReadCustomValue(dlg, d, kLengthEdit);
        StoreCustomSize(d->size, Copy(d));
    }
    if (d->templateId == kTrayPerPageDialog) return TrayOk(dlg, d);
    if (d->templateId == kSideMarginDialog) StoreSideMarginDialog(dlg, d->margin, Copy(d));
    if (d->templateId == kBookletBindingDialog) StoreBookletBindingDialog(dlg, d->booklet, Copy(d));
    if (d->templateId == kOutputModeDialog) {
        ReadOutputModeForm(dlg, d->output);
        StoreOutputModeForm(d->output, Copy(d).dm.priv);
    }
    return 1;
}

void Command(HWND dlg, SubDialog* d, int id, UINT code) {
    if (d->templateId == kTrayPerPageDialog) return TrayCommand(dlg, d, id, code);
    if (d->templateId == kOutputTrayDialog) return OutputTrayCommand(dlg, d, id, code);
    if (d->templateId == kSideMarginDialog)
        return SideMarginCommand(dlg, d->host.resources, d->host.language, Copy(d).dm.priv, id, code);
    if (d->templateId == kBookletBindingDialog) return BookletBindingCommand(dlg, d->booklet, id, code);
    if (d->templateId == kCustomSizeDialog) {
        if ((id == kWidthEdit || id == kLengthEdit) && code == EN_CHANGE) CommitSpinEdit(GetDlgItem(dlg, id));
        if ((id == kWidthEdit || id == kLengthEdit) && code == EN_KILLFOCUS) ReadCustomValue(dlg, d, id);
        return;
    }
    // Fields of the page model: the value into the copy (with what the
    // dialog makes follow it), then the refresh.
    for (int i = 0; i < d->state.controlCount; ++i) {
        const ControlState& cs = d->state.control[i];
        if (cs.id != static_cast<uint32_t>(id)) continue;
        uint32_t value = 0;
        if (cs.kind == kComboControl) {
            LRESULT sel = SendDlgItemMessageW(dlg, id, CB_GETCURSEL, 0, 0);
            if (code != CBN_SELCHANGE || sel < 0 || sel >= cs.itemCount) return;
            value = cs.item[sel].value;
        } else if (code != BN_CLICKED) {
            return;
        } else if (cs.kind == kCheckControl) value = IsDlgButtonChecked(dlg, id) == BST_CHECKED;
        else if (cs.kind == kRadioControl) {
            value = 1;
            for (int k = 0; k < kRadioValueRowCount; ++k)
                if (kRadioValueRows[k].id == cs.id) value = kRadioValueRows[k].value;
        } else return;
        if (ChangePageControl(d->templateId, *d->copy->copy, cs.id, value, nullptr) == kChangeWritten) ShowState(dlg, d);
        return;
    }
}

void Finish(HWND dlg, SubDialog* d, int commit) {
    CloseWorkingCopy(d->copy, commit);
    d->copy = nullptr;
    EndDialog(dlg, commit ? 1 : 2);
}

INT_PTR CALLBACK SubDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<SubDialog*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            d = reinterpret_cast<SubDialog*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
            d->copy = OpenWorkingCopy(d->host.input);
            if (!d->copy) {
                EndDialog(dlg, -1);
                return TRUE;
            }
            d->copy->copy->last = LastChange{0, 0};
            Init(dlg, d);
            return TRUE;
        case WM_COMMAND: {
            if (!d || !d->copy) return FALSE;
            int id = LOWORD(wParam);
            if (id == IDOK) {
                SetFocus(dlg);  // an edit being typed in is taken first
                if (Ok(dlg, d)) Finish(dlg, d, 1);
                return TRUE;
            }
            if (id == IDCANCEL) {
                Finish(dlg, d, 0);
                return TRUE;
            }
            if (!GetPropW(dlg, kSuppressProp)) Command(dlg, d, id, HIWORD(wParam));
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* h = reinterpret_cast<const NMHDR*>(lParam);
            if (!d || !d->copy || h->code != UDN_DELTAPOS) return FALSE;
            SpinDeltaPos(reinterpret_cast<const NMUPDOWN*>(lParam));  // the up-down moves itself
            return FALSE;
        }
        case WM_VSCROLL:
            SpinScrolled(reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CTLCOLOREDIT:
            if (!d || d->templateId != kTrayPerPageDialog) return FALSE;
            return reinterpret_cast<INT_PTR>(TrayColour(d, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!d) return FALSE;
            if (d->templateId == kOutputTrayDialog && DrawPageImage(d->host.resources, d->templateId, item)) return TRUE;
            if (d->templateId == kSideMarginDialog && DrawSideMarginPicture(d->host.resources, Copy(d).dm.priv, item))
                return TRUE;
            if (d->templateId == kBookletBindingDialog && DrawBookletBindingPicture(d->host.resources, item)) return TRUE;
            for (int i = 0; i < d->state.controlCount; ++i) {
                const ControlState& cs = d->state.control[i];
                if (cs.id != item->CtlID) continue;
                if (cs.kind == kSeparatorControl) DrawSeparator(item);
                if (cs.kind == kPictureControl && (cs.id == kMixedDuplexPicture || cs.id == kFoldPreview || cs.id == kFrontCoverPicture ||
                     cs.id == kBackCoverPicture || cs.id == kEnvelopePicture || cs.id == kInsertPicture) &&
                    cs.itemCount)
                    DrawResImageStatic(d->host.resources, item, static_cast<uint16_t>(cs.item[0].value));
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (d && d->templateId == kOutputTrayDialog) ReleasePageImages(dlg, d->templateId);
            if (d && d->copy) CloseWorkingCopy(d->copy, 0), d->copy = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR OpenSubDialog(HWND owner, const SubDialogHost& host, uint16_t templateId, int target) {
    if (!host.input) return -1;
    // The dialog's state holds a page of controls: too large for the stack.
    auto* d = static_cast<SubDialog*>(std::calloc(1, sizeof(SubDialog)));
    if (!d) return -1;
    d->host = host;
    d->templateId = templateId;
    d->target = target;
    INT_PTR r = ResDialogBox(host.resources, owner, templateId, SubDialogProc, reinterpret_cast<LPARAM>(d),
                             host.language);
    if (d->copy) CloseWorkingCopy(d->copy, 0);
    if (d->markBrush) DeleteObject(d->markBrush);
    std::free(d);
    return r;
}
