// The stamp dialog's windows: the tab control and its three panels copy the
// panel model onto their controls and hand every change back to it; the
// previews draw what the model lists and turn clicks into position commands.
#include "ui/stamp_dialog_win32.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "ui/font_text_win32.h"
#include "ui/range_message_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"
#include "ui/stamp_dialog.h"

namespace {

const wchar_t kSuppressProp[] = L"PROP_SUPPRESS_WMCOMMAND";
const wchar_t kOldProcProp[] = L"ZR51_STAMP_PREVIEW_PROC";
const wchar_t kPressedProp[] = L"ZR51_STAMP_PREVIEW_PRESSED";
constexpr uint32_t kCharsRemovedText = 20181;
constexpr int kDateEditChars = 20;
constexpr int kDateChars = 32;

// The range texts beside the numeric fields, with the up-down whose range they give.
const int kRangeTexts[][2] = {{33517, 33516}, {33521, 33520}, {33530, 33528}, {33630, 33628}, {33728, 33726}};

struct StampDialog {
    SubDialogHost host;
    WorkingCopy* copy;
    HWND tabs;
    HWND panel[kStampPanelCount];
    wchar_t today[kDateChars + 1];
    PageState state;  // the last panel refreshed
};

PrivateSettings& Settings(StampDialog* d) { return d->copy->copy->session->dm.priv; }

int KindOf(StampDialog* d, HWND panel) {
    for (int k = 0; k < kStampPanelCount; k++)
        if (d->panel[k] == panel) return k;
    return -1;
}

void ResText(StampDialog* d, uint32_t id, wchar_t* out, int room) {
    out[0] = 0;
    LoadResString(d->host.resources, id, out, static_cast<uint32_t>(room), d->host.language);
}

// The panel's model onto its controls; after the first time a control
// already showing its value (the edit being typed in) is left alone.
void ShowPanel(StampDialog* d, int kind, int first = 0) {
    HWND panel = d->panel[kind];
    const StampPanel& sp = kStampPanels[kind];
    if (!panel || !RefreshPage(sp.templateId, *d->copy->copy, d->state)) return;
    SetPropW(panel, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < d->state.controlCount; i++) {
        const ControlState& cs = d->state.control[i];
        HWND w = GetDlgItem(panel, static_cast<int>(cs.id));
        if (!w) continue;
        if (cs.kind == kCheckControl || cs.kind == kRadioControl)
            SendMessageW(w, BM_SETCHECK, cs.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (cs.kind == kComboControl && cs.itemCount) {
            SendMessageW(w, CB_RESETCONTENT, 0, 0);
            for (int k = 0; k < cs.itemCount; k++) {
                wchar_t text[64];
                ResText(d, cs.item[k].stringId, text, 64);
                LRESULT at = SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
                SendMessageW(w, CB_SETITEMDATA, static_cast<WPARAM>(at), cs.item[k].value);
            }
            SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(cs.selected), 0);
        }
        if (cs.kind == kEditControl && cs.id == sp.text) {
            wchar_t shown[kPageTextChars] = {};
            GetWindowTextW(w, shown, kPageTextChars);
            if (std::memcmp(shown, cs.text, sizeof(char16_t) * (static_cast<size_t>(lstrlenW(shown)) + 1)) != 0)
                SetWindowTextW(w, reinterpret_cast<const wchar_t*>(cs.text));
        } else if (cs.kind == kEditControl) {
            int32_t v = 0;
            if (first || !SpinEditValue(w, &v) || v != static_cast<int32_t>(cs.value))
                ShowSpinEditValue(w, static_cast<int32_t>(cs.value));
        }
        EnableWindow(w, cs.enabled ? TRUE : FALSE);
    }
    InvalidateRect(GetDlgItem(panel, static_cast<int>(sp.preview)), nullptr, FALSE);
    RemovePropW(panel, kSuppressProp);
}

// The preview: clicks inside a position's box, the mouse captured between
// press and release, become the panel's position command.
LRESULT CALLBACK PreviewProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetPropW(w, kOldProcProp));
    RECT r;
    GetClientRect(w, &r);
    int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    switch (message) {
        case WM_NCHITTEST: return HTCLIENT;  // a static is transparent to the mouse
        case WM_LBUTTONDOWN:
            if (int code = StampPositionAt(x, y, r.right, r.bottom)) {
                SetPropW(w, kPressedProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(code)));
                SetCapture(w);
            }
            return 0;
        case WM_LBUTTONUP: {
            int pressed = static_cast<int>(reinterpret_cast<INT_PTR>(RemovePropW(w, kPressedProp)));
            if (GetCapture() == w) ReleaseCapture();
            HWND panel = GetParent(w);
            auto templateId = static_cast<uint16_t>(GetWindowLongPtrW(panel, GWLP_ID));
            if (pressed && StampPositionAt(x, y, r.right, r.bottom) == pressed)
                SendMessageW(panel, WM_COMMAND, MAKEWPARAM(StampPositionCommand(templateId, pressed), 0),
                             reinterpret_cast<LPARAM>(w));
            return 0;
        }
        case WM_NCDESTROY:
            RemovePropW(w, kPressedProp);
            RemovePropW(w, kOldProcProp);
            if (old) SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            break;
        default: break;
    }
    return old ? CallWindowProcW(old, w, message, wParam, lParam) : DefWindowProcW(w, message, wParam, lParam);
}

void DrawPreview(StampDialog* d, int kind, const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    int width = r.right - r.left, height = r.bottom - r.top;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    StampRect pg = StampPagePicture(width, height);
    RECT page = {r.left + pg.left, r.top + pg.top, r.left + pg.right, r.top + pg.bottom};
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &page, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    // The page's body: lines of text between the two rows of positions.
    HBRUSH line = CreateSolidBrush(RGB(225, 225, 225));
    for (int y = page.top + kStampBoxHeight + 20; y < page.bottom - kStampBoxHeight - 20; y += 9) {
        RECT bar = {page.left + 24, y, page.right - 24 - ((y / 9) % 3) * 20, y + 4};
        FillRect(dc, &bar, line);
    }
    DeleteObject(line);
    StampDrawing drawings[kStampPanelCount];
    int n = StampPreviewDrawings(Settings(d), kind, reinterpret_cast<const char16_t*>(d->today), drawings);
    int enabled = IsWindowEnabled(item->hwndItem);
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(160, 160, 160));
    HGDIOBJ oldPen = SelectObject(dc, dotted);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    int own = n ? drawings[n - 1].position : 0;
    for (int code = 1; code <= kStampPositionCount; code++) {
        StampRect b;
        StampPositionBox(code, width, height, &b);
        RECT box = {r.left + b.left, r.top + b.top, r.left + b.right, r.top + b.bottom};
        if (code == own && enabled) {
            HBRUSH chosen = CreateSolidBrush(RGB(204, 228, 247));
            FillRect(dc, &box, chosen);
            DeleteObject(chosen);
        }
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(dotted);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < n; i++) {
        const StampDrawing& s = drawings[i];
        StampRect b;
        StampPositionBox(s.position, width, height, &b);
        RECT box = {r.left + b.left + 2, r.top + b.top, r.left + b.right - 2, r.top + b.bottom};
        HFONT font = CreateFontW(-s.height, 0, 0, 0, s.bold ? FW_BOLD : FW_NORMAL, s.italic ? TRUE : FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, reinterpret_cast<const wchar_t*>(s.face));
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetTextColor(dc, s.own && s.on && enabled ? RGB(0, 0, 0) : RGB(150, 150, 150));
        UINT align = (s.position - 1) % 3 == 0 ? DT_LEFT : (s.position - 1) % 3 == 1 ? DT_CENTER : DT_RIGHT;
        DrawTextW(dc, reinterpret_cast<const wchar_t*>(s.text), -1, &box,
                  align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
}

// A typed date or text: what a stamp may not hold taken out at once, with the warning.
void TypeText(StampDialog* d, HWND panel, int kind, HWND edit) {
    wchar_t typed[kPageTextChars] = {};
    GetWindowTextW(edit, typed, kPageTextChars);
    if (!TypeStampText(Settings(d), kind, reinterpret_cast<const char16_t*>(typed))) return;
    char16_t kept[kStampTextUnits] = {};
    std::memcpy(kept, kind == kDateStamp ? static_cast<const void*>(Settings(d).specifiedDate_StampDate)
                                         : static_cast<const void*>(Settings(d).specifiedText_StampText),
                sizeof kept);
    SetPropW(panel, kSuppressProp, reinterpret_cast<HANDLE>(1));
    SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(kept));
    SendMessageW(edit, EM_SETSEL, kStampTextUnits, kStampTextUnits);
    RemovePropW(panel, kSuppressProp);
    wchar_t warning[512];
    ResText(d, kCharsRemovedText, warning, 512);
    MessageBoxW(panel, warning, L"", MB_ICONHAND);
}

void PanelCommand(StampDialog* d, HWND panel, int id, UINT code, HWND from) {
    int kind = KindOf(d, panel);
    if (kind < 0) return;
    const StampPanel& sp = kStampPanels[kind];
    PageInput& in = *d->copy->copy;
    auto control = static_cast<uint32_t>(id);
    if (StampPositionOfCommand(sp.templateId, control)) {
        ChangeStampControl(sp.templateId, in, control, 0);
    } else if (control == sp.font && code == CBN_SELCHANGE) {
        wchar_t face[kStampFaceUnits] = {};
        LRESULT at = SendMessageW(from, CB_GETCURSEL, 0, 0);
        if (at < 0 || SendMessageW(from, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0) >= kStampFaceUnits) return;
        SendMessageW(from, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(face));
        ChooseStampFont(Settings(d), kind, reinterpret_cast<const char16_t*>(face));
    } else if (control == sp.text && code == EN_CHANGE) {
        TypeText(d, panel, kind, from);
    } else if (code == CBN_SELCHANGE) {
        LRESULT at = SendMessageW(from, CB_GETCURSEL, 0, 0);
        if (at < 0) return;
        ChangeStampControl(sp.templateId, in, control, static_cast<uint32_t>(SendMessageW(from, CB_GETITEMDATA, at, 0)));
    } else if (code == EN_CHANGE) {
        CommitSpinEdit(from);  // the up-down takes the typed value, held to its range
        int32_t v = 0;
        if (!SpinEditValue(from, &v)) return;
        ChangeStampControl(sp.templateId, in, control, static_cast<uint32_t>(v));
    } else if (code == BN_CLICKED) {
        uint32_t value = IsDlgButtonChecked(panel, id) == BST_CHECKED;
        for (int k = 0; k < kRadioValueRowCount; k++)
            if (kRadioValueRows[k].id == control) value = kRadioValueRows[k].value;
        if (ChangeStampControl(sp.templateId, in, control, value) != kChangeWritten) return;
    } else {
        return;
    }
    ShowPanel(d, kind);
}

INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<StampDialog*>(GetWindowLongPtrW(panel, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(panel, DWLP_USER, lParam);
            return FALSE;
        case WM_COMMAND:
            if (d && d->copy && !GetPropW(panel, kSuppressProp))
                PanelCommand(d, panel, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == UDN_DELTAPOS)
                SpinDeltaPos(reinterpret_cast<const NMUPDOWN*>(lParam));
            return FALSE;
        case WM_VSCROLL:
            SpinScrolled(reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            int kind = d ? KindOf(d, panel) : -1;
            if (kind < 0 || !d->copy || item->CtlID != kStampPanels[kind].preview) return FALSE;
            DrawPreview(d, kind, item);
            return TRUE;
        }
        default: return FALSE;
    }
}

void InitPanel(StampDialog* d, int kind) {
    HWND panel = d->panel[kind];
    const StampPanel& sp = kStampPanels[kind];
    SetPropW(panel, kSuppressProp, reinterpret_cast<HANDLE>(1));
    AttachPageSpinEdits(panel, sp.templateId);
    for (const auto& t : kRangeTexts) {
        HWND spin = GetDlgItem(panel, t[1]);
        if (!spin) continue;
        int low = 0, high = 0;
        SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        wchar_t lowText[16], highText[16], range[64];
        wsprintfW(lowText, L"%d", low);
        wsprintfW(highText, L"%d", high);
        FormatRangeMessage(d->host.resources, d->host.language, range, 64, lowText, highText);
        SetDlgItemTextW(panel, t[0], range);
    }
    char16_t face[kStampFaceUnits];
    StampFace(Settings(d), kind, face);
    FillFontCombo(panel, static_cast<int>(sp.font), reinterpret_cast<const wchar_t*>(face));
    if (sp.text)
        SendDlgItemMessageW(panel, static_cast<int>(sp.text), EM_LIMITTEXT,
                            kind == kDateStamp ? kDateEditChars : kStampTextUnits - 1, 0);
    HWND preview = GetDlgItem(panel, static_cast<int>(sp.preview));
    if (preview && !GetPropW(preview, kOldProcProp))
        SetPropW(preview, kOldProcProp,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrW(preview, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc))));
    RemovePropW(panel, kSuppressProp);
    ShowPanel(d, kind, 1);
}

void ShowTab(StampDialog* d) {
    int selected = static_cast<int>(SendMessageW(d->tabs, TCM_GETCURSEL, 0, 0));
    for (int k = 0; k < kStampPanelCount; k++)
        if (d->panel[k]) ShowWindow(d->panel[k], k == selected ? SW_SHOW : SW_HIDE);
}

// Over the middle of the sheet it was opened from.
void CentreOverOwner(HWND dlg) {
    HWND owner = GetAncestor(GetParent(dlg), GA_ROOT);
    RECT o, r;
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dlg, &r)) return;
    int x = o.left + (o.right - o.left - (r.right - r.left)) / 2, y = o.top + (o.bottom - o.top - (r.bottom - r.top)) / 2;
    SetWindowPos(dlg, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int InitDialog(HWND dlg, StampDialog* d) {
    d->copy = OpenWorkingCopy(d->host.input);
    if (!d->copy) return 0;
    d->copy->copy->last = LastChange{0, 0};
    CentreOverOwner(dlg);
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, d->today, kDateChars)) d->today[0] = 0;
    OpenStampPanels(Settings(d), reinterpret_cast<const char16_t*>(d->today));
    d->tabs = GetDlgItem(dlg, static_cast<int>(kStampTabs));
    // The panels' controls join the dialog's tab order.
    SetWindowLongPtrW(d->tabs, GWL_EXSTYLE, GetWindowLongPtrW(d->tabs, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    RECT area;
    GetClientRect(d->tabs, &area);
    for (int k = 0; k < kStampPanelCount; k++) {
        wchar_t caption[64];
        ResText(d, kStampPanels[k].captionId, caption, 64);
        TCITEMW tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption;
        SendMessageW(d->tabs, TCM_INSERTITEMW, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&tab));
    }
    SendMessageW(d->tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int k = 0; k < kStampPanelCount; k++) {
        HWND panel = ResCreateDialog(d->host.resources, d->tabs, kStampPanels[k].templateId, PanelProc,
                                     reinterpret_cast<LPARAM>(d), d->host.language);
        if (!panel) continue;
        d->panel[k] = panel;
        SetWindowLongPtrW(panel, GWLP_ID, kStampPanels[k].templateId);  // found by its template
        SetWindowPos(panel, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
        InitPanel(d, k);
    }
    SendMessageW(d->tabs, TCM_SETCURSEL, 0, 0);
    ShowTab(d);
    return 1;
}

void EndStampDialog(HWND dlg, StampDialog* d, int commit) {
    for (HWND& panel : d->panel)
        if (panel) DestroyWindow(panel), panel = nullptr;
    CloseWorkingCopy(d->copy, commit);
    d->copy = nullptr;
    EndDialog(dlg, commit ? 1 : 2);
}

INT_PTR CALLBACK StampDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<StampDialog*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            d = reinterpret_cast<StampDialog*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            if (!InitDialog(dlg, d)) EndDialog(dlg, -1);
            return TRUE;
        case WM_NOTIFY: {
            const auto* h = reinterpret_cast<const NMHDR*>(lParam);
            if (d && h->hwndFrom == d->tabs && h->code == TCN_SELCHANGE) ShowTab(d);
            return FALSE;
        }
        case WM_COMMAND:
            if (!d || !d->copy) return FALSE;
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                SetFocus(dlg);  // an edit being typed in is taken first
                EndStampDialog(dlg, d, LOWORD(wParam) == IDOK);
            }
            return TRUE;
        case WM_DESTROY:
            if (d && d->copy) CloseWorkingCopy(d->copy, 0), d->copy = nullptr;
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

INT_PTR OpenStampDialog(HWND owner, const SubDialogHost& host) {
    if (!host.input) return -1;
    // A panel's state holds a page of controls: too large for the stack.
    auto* d = static_cast<StampDialog*>(std::calloc(1, sizeof(StampDialog)));
    if (!d) return -1;
    d->host = host;
    INT_PTR r = ResDialogBox(host.resources, owner, kStampDialog, StampDialogProc, reinterpret_cast<LPARAM>(d),
                             host.language);
    if (d->copy) CloseWorkingCopy(d->copy, 0);
    std::free(d);
    return r;
}
