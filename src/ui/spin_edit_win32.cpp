// The numeric spin edit on the controls: typing, pasting, focus, stepping,
// and the up-down's private messages. The numbers themselves are
// spin_number's.
#include "ui/spin_edit_win32.h"

#include <imm.h>

#include "ui/control_table.h"
#include "ui/spin_number.h"

namespace {

// Properties named by small integer atoms, so nothing is allocated.
enum : WORD {
    kCapturedPos = 1000,  // the up-down's position at focus gain or commit, until the next reformat
    kEditPrevious = 1001,
    kEditPartner = 1002,
    kNegative = 1003,
    kIntegerOnly = 1004,
    kOwnHigh = 1005,  // without an up-down
    kOwnLow = 1006,
    kEmptyValue = 1007,
    kDecimals = 2000,
    kSpinPrevious = 2001,
    kSpinPartner = 2002,
};

LPCWSTR Atom(WORD atom) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)); }
HANDLE Get(HWND w, WORD atom) { return GetPropW(w, Atom(atom)); }
intptr_t GetInt(HWND w, WORD atom) { return reinterpret_cast<intptr_t>(Get(w, atom)); }
void SetInt(HWND w, WORD atom, intptr_t v) { SetPropW(w, Atom(atom), reinterpret_cast<HANDLE>(v)); }
HWND Partner(HWND edit) { return static_cast<HWND>(Get(edit, kEditPartner)); }

char16_t g_separator[kSeparatorRoom];  // empty until read
// The edit whose text is being written from a value: its EN_CHANGE is no
// commit. A step's text is written before the up-down adds the step to its
// position, so a commit then would step twice.
thread_local HWND t_reformatting;

int Decimals(HWND edit) {
    HWND spin = Partner(edit);
    return spin ? static_cast<int>(GetInt(spin, kDecimals)) : 0;
}

void Range(HWND edit, int32_t* low, int32_t* high) {
    HWND spin = Partner(edit);
    if (spin) {
        int l = 0, h = 0;
        SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&l), reinterpret_cast<LPARAM>(&h));
        *low = l;
        *high = h;
    } else {
        *low = static_cast<int32_t>(GetInt(edit, kOwnLow));
        *high = static_cast<int32_t>(GetInt(edit, kOwnHigh));
    }
}

int32_t Position(HWND spin) { return static_cast<int32_t>(SendMessageW(spin, UDM_GETPOS32, 0, 0)); }

// The edit's text as a clamped value.
int32_t TextValue(HWND edit) {
    wchar_t text[kSpinTextRoom] = {};
    GetWindowTextW(edit, text, kSpinTextRoom);
    int32_t low = 0, high = 0;
    Range(edit, &low, &high);
    int32_t v = ParseSpinText(reinterpret_cast<const char16_t*>(text), Decimals(edit), SpinDecimalSeparator(),
                              static_cast<int32_t>(GetInt(edit, kEmptyValue)));
    return ClampSpinValue(v, low, high);
}

// The text written only when it differs, so that an unchanged edit keeps its caret.
void Reformat(HWND edit, int32_t value) {
    char16_t text[32];
    FormatSpinValue(value, Decimals(edit), SpinDecimalSeparator(), text, 32);
    wchar_t shown[kSpinTextRoom] = {};
    GetWindowTextW(edit, shown, kSpinTextRoom);
    if (lstrcmpW(shown, reinterpret_cast<const wchar_t*>(text))) {
        HWND outer = t_reformatting;
        t_reformatting = edit;
        SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(text));
        t_reformatting = outer;
    }
    RemovePropW(edit, Atom(kCapturedPos));
}

void Store(HWND edit, int32_t value) {
    if (HWND spin = Partner(edit)) SendMessageW(spin, kSpinSetValue, static_cast<WPARAM>(value), 1);
}

SpinChars CharsOf(HWND edit) {
    return SpinChars{static_cast<int>(GetInt(edit, kNegative)), static_cast<int>(GetInt(edit, kIntegerOnly)),
                     SpinDecimalSeparator()};
}

void Step(HWND edit, int count) {
    HWND spin = Partner(edit);
    UDACCEL accel = {};
    if (!count || !spin || SendMessageW(spin, UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel)) < 1) return;
    int32_t low = 0, high = 0;
    Range(edit, &low, &high);
    int32_t current = TextValue(edit);
    int32_t next = StepSpinValue(current, static_cast<int32_t>(accel.nInc), count, low, high);
    if (next == current) return;
    Store(edit, next);
    Reformat(edit, next);
}

// The clipboard's 8-bit text, filtered; replaces the whole text when
// anything is left.
void Paste(HWND edit) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(edit)) return;
    wchar_t wide[kSpinTextRoom] = {};
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (text) {
        int bytes = 0;
        while (bytes < kSpinTextRoom - 1 && text[bytes]) bytes++;  // at most 260 characters come of it
        MultiByteToWideChar(CP_THREAD_ACP, MB_PRECOMPOSED, text, bytes, wide, kSpinTextRoom - 1);
        GlobalUnlock(data);
    }
    CloseClipboard();
    char16_t kept[kSpinTextRoom];
    if (FilterSpinPaste(reinterpret_cast<const char16_t*>(wide), CharsOf(edit), kept))
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kept));
}

void Detach(HWND w, WORD previous, const WORD* atoms, int count) {
    auto proc = reinterpret_cast<LONG_PTR>(Get(w, previous));
    if (proc) SetWindowLongPtrW(w, GWLP_WNDPROC, proc);
    for (int i = 0; i < count; i++) RemovePropW(w, Atom(atoms[i]));
}

LRESULT CallPrevious(HWND w, WORD previous, UINT m, WPARAM wp, LPARAM lp) {
    auto proc = reinterpret_cast<WNDPROC>(Get(w, previous));
    return proc ? CallWindowProcW(proc, w, m, wp, lp) : 1;
}

LRESULT CALLBACK EditProc(HWND edit, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
        case WM_CHAR:
            if (!SpinCharAccepted(static_cast<char16_t>(wp), CharsOf(edit))) return 1;
            break;
        case WM_PASTE:
            Paste(edit);
            return 0;
        case WM_SETFOCUS: {
            ImmAssociateContext(edit, nullptr);  // digits only: no composition window
            LRESULT r = CallPrevious(edit, kEditPrevious, m, wp, lp);
            if (HWND spin = Partner(edit)) SetInt(edit, kCapturedPos, Position(spin));
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return r;
        }
        case WM_KILLFOCUS: {
            // Clamped before the page hears of the leaving (EN_KILLFOCUS).
            int32_t v = TextValue(edit);
            Store(edit, v);
            Reformat(edit, v);
            break;
        }
        case WM_KEYDOWN:
            if (wp == VK_UP || wp == VK_DOWN) {
                Step(edit, wp == VK_UP ? 1 : -1);
                return 0;
            }
            break;
        case WM_MOUSEWHEEL:
            Step(edit, WheelSteps(GET_WHEEL_DELTA_WPARAM(wp)));
            return 0;
        case WM_NCDESTROY: {
            LRESULT r = CallPrevious(edit, kEditPrevious, m, wp, lp);
            static const WORD atoms[] = {kCapturedPos, kEditPrevious, kEditPartner, kNegative,
                                         kIntegerOnly, kOwnHigh,      kOwnLow,      kEmptyValue};
            Detach(edit, kEditPrevious, atoms, 8);
            return r;
        }
        default:
            break;
    }
    return CallPrevious(edit, kEditPrevious, m, wp, lp);
}

LRESULT CALLBACK SpinProc(HWND spin, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
        case kSpinGetValue: return CallPrevious(spin, kSpinPrevious, UDM_GETPOS32, 0, 0);
        case kSpinSetValue:
            if (lp) CallPrevious(spin, kSpinPrevious, UDM_SETPOS32, 0, static_cast<LPARAM>(static_cast<int32_t>(wp)));
            return 1;
        case kSpinGetDecimals: return GetInt(spin, kDecimals);
        case kSpinProbe: return 1;
        case kSpinGetLow:
        case kSpinGetHigh: {
            int low = 0, high = 0;
            CallPrevious(spin, kSpinPrevious, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                         reinterpret_cast<LPARAM>(&high));
            return m == kSpinGetLow ? low : high;
        }
        case WM_NCDESTROY: {
            LRESULT r = CallPrevious(spin, kSpinPrevious, m, wp, lp);
            static const WORD atoms[] = {kDecimals, kSpinPrevious, kSpinPartner};
            Detach(spin, kSpinPrevious, atoms, 3);
            return r;
        }
        default: return CallPrevious(spin, kSpinPrevious, m, wp, lp);
    }
}

int SubclassEdit(HWND edit) {
    if (Get(edit, kEditPrevious)) return 0;
    SetPropW(edit, Atom(kEditPrevious), reinterpret_cast<HANDLE>(GetWindowLongPtrW(edit, GWLP_WNDPROC)));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc));
    return 1;
}

void SubclassSpin(HWND spin, HWND edit, int decimals) {
    SetInt(spin, kDecimals, decimals);
    SetPropW(spin, Atom(kSpinPartner), edit);
    SetPropW(spin, Atom(kSpinPrevious), reinterpret_cast<HANDLE>(GetWindowLongPtrW(spin, GWLP_WNDPROC)));
    SetWindowLongPtrW(spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpinProc));
    // The edit's text is ours: an up-down writing its position there would
    // overwrite a text being typed with its clamped value.
    LONG_PTR style = GetWindowLongPtrW(spin, GWL_STYLE);
    SetWindowLongPtrW(spin, GWL_STYLE, style & ~static_cast<LONG_PTR>(UDS_SETBUDDYINT));
}

}  // namespace

const char16_t* SpinDecimalSeparator() {
    if (!g_separator[0])
        GetProfileStringW(L"Intl", L"sDecimal", L".", reinterpret_cast<wchar_t*>(g_separator), kSeparatorRoom);
    return g_separator[0] ? g_separator : u".";
}

int AttachDecimalSpinEdit(HWND updown, HWND edit, int decimals) {
    if (!updown || !edit || Get(updown, kSpinPrevious) || decimals < 0 || decimals > kSpinMaxDecimals) return 0;
    if (!SubclassEdit(edit)) return 0;
    int low = 0, high = 0;
    SendMessageW(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    SetPropW(edit, Atom(kEditPartner), updown);
    SetInt(edit, kNegative, low < 0);
    SetInt(edit, kIntegerOnly, decimals == 0);
    SubclassSpin(updown, edit, decimals);
    return 1;
}

int AttachIntegerSpinEdit(HWND updown, HWND edit, int32_t low, int32_t high) {
    if (!edit || (updown && Get(updown, kSpinPrevious))) return 0;
    if (!SubclassEdit(edit)) return 0;
    if (updown) {
        SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        SetPropW(edit, Atom(kEditPartner), updown);
        SubclassSpin(updown, edit, 0);
    }
    SetInt(edit, kNegative, low < 0);
    SetInt(edit, kIntegerOnly, 1);
    SetInt(edit, kOwnHigh, high);
    SetInt(edit, kOwnLow, low);
    return 1;
}

void CommitSpinEdit(HWND edit) {
    HWND spin = Partner(edit);
    if (!spin || !Get(edit, kEditPrevious) || edit == t_reformatting) return;
    SetInt(edit, kCapturedPos, Position(spin));
    Store(edit, TextValue(edit));
}

void SpinDeltaPos(const NMUPDOWN* change) {
    HWND spin = change ? change->hdr.hwndFrom : nullptr;
    HWND edit = spin ? static_cast<HWND>(Get(spin, kSpinPartner)) : nullptr;
    if (!edit) return;
    int32_t low = 0, high = 0;
    Range(edit, &low, &high);
    int32_t proposed = ClampSpinValue(static_cast<int32_t>(static_cast<int64_t>(change->iPos) + change->iDelta), low, high);
    if (proposed != change->iPos) Reformat(edit, proposed);  // the up-down moves itself
}

int SpinScrolled(HWND updown) {
    HWND edit = updown ? static_cast<HWND>(Get(updown, kSpinPartner)) : nullptr;
    if (!edit) return 0;
    Reformat(edit, Position(updown));
    return GetDlgCtrlID(edit);
}

int SpinEditValue(HWND edit, int32_t* value) {
    if (!edit || !Get(edit, kEditPrevious)) return 0;
    HWND spin = Partner(edit);
    *value = spin ? Position(spin) : TextValue(edit);
    return 1;
}

int ShowSpinEditValue(HWND edit, int32_t value) {
    if (!edit || !Get(edit, kEditPrevious)) return 0;
    int32_t low = 0, high = 0;
    Range(edit, &low, &high);
    value = ClampSpinValue(value, low, high);
    Store(edit, value);
    Reformat(edit, value);
    return 1;
}

void AttachPageSpinEdits(HWND page, uint16_t layoutId) {
    for (int i = 0; i < kSpinRangeRowCount; i++) {
        const SpinRangeRow& r = kSpinRangeRows[i];
        HWND spin = r.templateId == layoutId ? GetDlgItem(page, r.id) : nullptr;
        HWND edit = spin ? GetDlgItem(page, r.edit) : nullptr;
        if (!edit) continue;
        SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(r.low), static_cast<LPARAM>(r.high));
        SendMessageW(spin, UDM_SETPOS32, 0, static_cast<LPARAM>(r.low));
        // The steps of a held button, stated: not every up-down has them by default.
        UDACCEL accel[] = {{0, 1}, {2, 5}, {5, 20}};
        SendMessageW(spin, UDM_SETACCEL, 3, reinterpret_cast<LPARAM>(accel));
        SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(SpinTextLimit(r.low, r.high, r.decimals, SpinDecimalSeparator())), 0);
        AttachDecimalSpinEdit(spin, edit, r.decimals);
    }
}
