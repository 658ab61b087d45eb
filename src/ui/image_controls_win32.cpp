#include "ui/image_controls_win32.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <cstdio>
#include <cstring>

#include "ui/image_drawing_win32.h"
#include "ui/resource_module_win32.h"

namespace {

const wchar_t* const kRecordProp = MAKEINTRESOURCEW(10000);  // integer atom 10000
constexpr uint32_t kComboRecord = 0x43424D49;                // "IMBC"
constexpr uint32_t kRadioRecord = 0x52424D49;                // "IMBR"
constexpr int kGroupRoom = 10;

// Radio flag bits: mouse pressed, checked, focus came from inside the group;
// bit 4 is ours, set while the mouse is tracked for the hot look.
constexpr uint32_t kPressed = 1u << 0;
constexpr uint32_t kChecked = 1u << 2;
constexpr uint32_t kFocusFromGroup = 1u << 3;
constexpr uint32_t kTracking = 1u << 4;

struct ComboRecord {
    uint32_t kind;
    HTHEME theme;
    const ImageComboItem* items;  // the copy below
    int count;
    ImageComboItem copy[1];       // count items
};

struct RadioRecord {
    uint32_t kind;
    HTHEME theme;
    uint16_t picture;
    uint32_t flags;
    int memberCount;
    HWND member[kGroupRoom];
    int index;  // own place in member, -1 when the group was cut before it
    int notifying;
    wchar_t caption[51];
};

// The replaced window procedures, written by the first control of each kind.
WNDPROC g_comboProc = nullptr;
WNDPROC g_buttonProc = nullptr;

ComboRecord* ComboOf(HWND w) {
    auto* r = static_cast<ComboRecord*>(GetPropW(w, kRecordProp));
    return r && r->kind == kComboRecord ? r : nullptr;
}
RadioRecord* RadioOf(HWND w) {
    auto* r = static_cast<RadioRecord*>(GetPropW(w, kRecordProp));
    return r && r->kind == kRadioRecord ? r : nullptr;
}

void FreeRecord(HWND w) {
    void* r = RemovePropW(w, kRecordProp);
    if (!r) return;
    uint32_t kind = *static_cast<uint32_t*>(r);
    HTHEME theme = kind == kComboRecord ? static_cast<ComboRecord*>(r)->theme
                   : kind == kRadioRecord ? static_cast<RadioRecord*>(r)->theme
                                          : nullptr;
    if (theme) CloseThemeData(theme);
    HeapFree(GetProcessHeap(), 0, r);
}

// Installs proc over the window's own; the first window of a kind gives the
// procedure every later one passes on to. A window of another class
// procedure is left alone (0).
// A control whose class procedure differs from the first one's (a sheet's
// page and a dialog of ours made under the module's activation context may
// have their controls from two implementations) keeps its own in a property.
const wchar_t* const kOriginalProp = MAKEINTRESOURCEW(10001);

int Subclass(HWND w, WNDPROC proc, WNDPROC* original) {
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC));
    if (current == proc) return 1;
    if (!*original) *original = current;
    if (current != *original && !SetPropW(w, kOriginalProp, reinterpret_cast<HANDLE>(current))) return 0;
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return 1;
}

// The procedure a subclassed control hands its messages on to; the property
// goes with the window.
LRESULT CallOriginal(WNDPROC first, HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC own = reinterpret_cast<WNDPROC>(GetPropW(w, kOriginalProp));
    if (own && message == WM_NCDESTROY) RemovePropW(w, kOriginalProp);
    return CallWindowProcW(own ? own : first, w, message, wParam, lParam);
}

int CursorInside(HWND w) {
    POINT p;
    RECT r;
    return GetCursorPos(&p) && GetWindowRect(w, &r) && PtInRect(&r, p);
}

int TextHeight(HDC dc) {
    TEXTMETRICW tm;
    return GetTextMetricsW(dc, &tm) ? tm.tmHeight : 13;
}

// An off-screen copy of an item rectangle, drawn in the control's font.
struct OffScreen {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    HGDIOBJ oldFont;
    int width;
    int height;
};

int OpenOffScreen(OffScreen& o, HDC target, HWND control, const RECT& r) {
    std::memset(&o, 0, sizeof o);
    o.width = r.right - r.left;
    o.height = r.bottom - r.top;
    if (o.width <= 0 || o.height <= 0) return 0;
    o.dc = CreateCompatibleDC(target);
    o.bitmap = o.dc ? CreateCompatibleBitmap(target, o.width, o.height) : nullptr;
    if (!o.bitmap) {
        if (o.dc) DeleteDC(o.dc);
        return 0;
    }
    o.oldBitmap = SelectObject(o.dc, o.bitmap);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    o.oldFont = font ? SelectObject(o.dc, font) : nullptr;
    SetBkMode(o.dc, TRANSPARENT);
    return 1;
}

void CloseOffScreen(OffScreen& o, HDC target, const RECT& r) {
    BitBlt(target, r.left, r.top, o.width, o.height, o.dc, 0, 0, SRCCOPY);
    if (o.oldFont) SelectObject(o.dc, o.oldFont);
    SelectObject(o.dc, o.oldBitmap);
    DeleteObject(o.bitmap);
    DeleteDC(o.dc);
}

// --- image combo box ---

LRESULT CALLBACK ComboProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 0;
    return CallOriginal(g_comboProc, w, message, wParam, lParam);
}

// A quarter of the dialog's horizontal base unit: one horizontal dialog unit.
int OneDialogUnit(HWND control) {
    RECT r = {0, 0, 1, 0};
    if (MapDialogRect(GetParent(control), &r) && r.right > 0) return r.right;
    return LOWORD(GetDialogBaseUnits()) / 4;
}

void DrawComboItem(HMODULE module, const DRAWITEMSTRUCT* d, int compact) {
    if (!d || static_cast<int>(d->itemID) < 0) return;
    HWND combo = d->hwndItem;
    const ComboRecord* record = ComboOf(combo);
    wchar_t text[257] = {};
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, d->itemID, 0);
    if (length >= 0 && length < 256) SendMessageW(combo, CB_GETLBTEXT, d->itemID, reinterpret_cast<LPARAM>(text));
    uint16_t pictureId = record && static_cast<int>(d->itemID) < record->count
                             ? static_cast<uint16_t>(record->items[d->itemID].picture & 0xFFFF)
                             : 0;
    HBITMAP picture = pictureId ? LoadResImage(module, pictureId) : nullptr;
    OffScreen o;
    if (!OpenOffScreen(o, d->hDC, combo, d->rcItem)) {
        if (picture) DeleteObject(picture);
        return;
    }
    RECT local = {0, 0, o.width, o.height};
    int left = OneDialogUnit(combo) + 2;
    int side = compact ? 9 : 32;
    RECT textRect = local;
    textRect.left = picture ? left + side + 2 : left;
    textRect.top = (o.height - TextHeight(o.dc)) / 2;
    int disabled = (d->itemState & ODS_DISABLED) != 0;
    int selected = (d->itemState & ODS_SELECTED) != 0;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_END_ELLIPSIS;
    if (record && record->theme && (d->itemState & ODS_COMBOBOXEDIT)) {
        int state = disabled ? CBRO_DISABLED : selected ? CBRO_PRESSED : CursorInside(combo) ? CBRO_HOT : CBRO_NORMAL;
        DrawThemeBackground(record->theme, o.dc, CP_READONLY, state, &local, nullptr);
        if (picture) DrawBitmapTransparent(o.dc, picture, left, compact ? 5 : 1, side, side);
        DrawThemeText(record->theme, o.dc, CP_READONLY, state, text, -1, format, 0, &textRect);
    } else {
        int back = disabled ? COLOR_BTNFACE : selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
        FillRect(o.dc, &local, GetSysColorBrush(back));
        SetTextColor(o.dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        if (picture) DrawBitmapTransparent(o.dc, picture, left, compact ? 5 : 1, side, side);
        DrawTextW(o.dc, text, -1, &textRect, format);
    }
    if ((d->itemState & ODS_FOCUS) && !(d->itemState & ODS_NOFOCUSRECT)) DrawFocusRect(o.dc, &local);
    if (picture) DeleteObject(picture);
    CloseOffScreen(o, d->hDC, d->rcItem);
}

// --- image radio button ---

int IsGroupMember(HWND w, const wchar_t* className) {
    wchar_t name[64] = {};
    if (!GetClassNameW(w, name, 64) || lstrcmpiW(name, className) != 0) return 0;
    LONG style = GetWindowLongW(w, GWL_STYLE);
    return (style & 0x9) || (style & 0x4);
}

// The run of member buttons from the last WS_GROUP member at or before the
// button to the next WS_GROUP member, at most kGroupRoom.
int StartsGroup(HWND w) { return (GetWindowLongW(w, GWL_STYLE) & WS_GROUP) != 0; }

void FindGroup(HWND dialog, HWND self, RadioRecord* r) {
    wchar_t className[64] = {};
    GetClassNameW(self, className, 64);
    HWND all[256];
    int n = 0, at = -1;
    for (HWND w = GetWindow(dialog, GW_CHILD); w && n < 256; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsGroupMember(w, className)) continue;
        if (w == self) at = n;
        all[n++] = w;
    }
    r->memberCount = 0;
    r->index = -1;
    if (at < 0) return;
    int start = at;
    while (start > 0 && !StartsGroup(all[start])) --start;
    int end = start + 1;
    while (end < n && !StartsGroup(all[end])) ++end;
    r->memberCount = end - start < kGroupRoom ? end - start : kGroupRoom;
    for (int i = 0; i < r->memberCount; ++i) r->member[i] = all[start + i];
    r->index = at - start < kGroupRoom ? at - start : -1;
}

int InGroup(const RadioRecord* r, HWND w) {
    for (int i = 0; i < r->memberCount; ++i)
        if (r->member[i] == w) return 1;
    return 0;
}

void SetChecked(HWND w) {
    RadioRecord* r = RadioOf(w);
    if (!r) return;
    r->flags |= kChecked;
    InvalidateRect(w, nullptr, FALSE);
    for (int i = 0; i < r->memberCount; ++i)
        if (r->member[i] != w) SendMessageW(r->member[i], kImageRadioUncheck, 0, 0);
    if (r->notifying) return;
    r->notifying = 1;
    SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), BN_CLICKED), reinterpret_cast<LPARAM>(w));
    if ((r = RadioOf(w)) != nullptr) r->notifying = 0;  // the parent may have released it
}

HWND CheckedMember(const RadioRecord* r) {
    for (int i = 0; i < r->memberCount; ++i)
        if (SendMessageW(r->member[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return r->member[i];
    return nullptr;
}

int IsArrow(WPARAM key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

LRESULT CALLBACK RadioProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    RadioRecord* r = RadioOf(w);
    if (!r) return CallOriginal(g_buttonProc, w, message, wParam, lParam);
    switch (message) {
        case BM_GETCHECK:
            return (r->flags & kChecked) ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            SetChecked(w);
            return 0;
        case kImageRadioUncheck:
            r->flags &= ~(kPressed | kChecked | kFocusFromGroup);
            InvalidateRect(w, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            r->flags |= kPressed;
            SetCapture(w);
            InvalidateRect(w, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP: {
            if (!(r->flags & kPressed)) return 0;
            r->flags &= ~kPressed;
            if (GetCapture() == w) ReleaseCapture();
            RECT client;
            POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            GetClientRect(w, &client);
            if (PtInRect(&client, p)) {
                SetChecked(w);
                if (RadioOf(w)) SetFocus(w);
            }
            InvalidateRect(w, nullptr, FALSE);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (!(r->flags & kTracking)) {
                TRACKMOUSEEVENT t = {sizeof t, TME_LEAVE, w, 0};
                if (TrackMouseEvent(&t)) r->flags |= kTracking;
                InvalidateRect(w, nullptr, FALSE);
            }
            return 0;
        case WM_MOUSELEAVE:
            r->flags &= ~kTracking;
            InvalidateRect(w, nullptr, FALSE);
            return 0;
        case WM_SETFOCUS: {
            HWND from = reinterpret_cast<HWND>(wParam);
            if (from && from != w && InGroup(r, from)) {
                r->flags |= kFocusFromGroup;
                if (!(r->flags & kChecked)) SetChecked(w);  // arrow keys select
            } else {
                HWND checked = CheckedMember(r);
                if (checked && checked != w) {
                    SetFocus(checked);
                    return 0;
                }
            }
            InvalidateRect(w, nullptr, FALSE);
            break;
        }
        case WM_KILLFOCUS:
            r->flags &= ~kFocusFromGroup;
            InvalidateRect(w, nullptr, FALSE);
            break;
        case WM_GETDLGCODE: {
            LRESULT code = CallOriginal(g_buttonProc, w, message, wParam, lParam);
            code = (code & ~DLGC_BUTTON) | DLGC_RADIOBUTTON;
            const MSG* m = reinterpret_cast<const MSG*>(lParam);
            if (m && m->message == WM_KEYDOWN && IsArrow(m->wParam) && r->memberCount > 0) {
                int next = r->index < 0 ? 0 : (r->index + 1) % r->memberCount;
                SetFocus(r->member[next]);
                code |= DLGC_WANTARROWS;
            }
            return code;
        }
        case WM_ERASEBKGND:
            return 0;
        default:
            break;
    }
    return CallOriginal(g_buttonProc, w, message, wParam, lParam);
}

int RadioState(uint32_t flags, int disabled, int hot) {
    int checked = (flags & kChecked) != 0;
    if (disabled) return checked ? RBS_CHECKEDDISABLED : RBS_UNCHECKEDDISABLED;
    if (flags & kPressed) return checked ? RBS_CHECKEDPRESSED : RBS_UNCHECKEDPRESSED;
    if (hot) return checked ? RBS_CHECKEDHOT : RBS_UNCHECKEDHOT;
    return checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
}

}  // namespace

void ImageComboSetItems(HWND combo, const ImageComboItem* items, int count) {
    if (!combo || !Subclass(combo, ComboProc, &g_comboProc)) return;
    FreeRecord(combo);
    if (!items || count < 1) return;
    SIZE_T bytes = sizeof(ComboRecord) + sizeof(ImageComboItem) * static_cast<SIZE_T>(count - 1);
    auto* r = static_cast<ComboRecord*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
    if (!r) return;
    r->kind = kComboRecord;
    r->theme = OpenThemeData(combo, L"ComboBox");
    std::memcpy(r->copy, items, sizeof(ImageComboItem) * static_cast<size_t>(count));
    r->items = r->copy;
    r->count = count;
    if (!SetPropW(combo, kRecordProp, r)) {
        if (r->theme) CloseThemeData(r->theme);
        HeapFree(GetProcessHeap(), 0, r);
    }
}

int ImageComboInit(HMODULE module, HWND dialog, int comboId, const ImageComboItem* items, int count,
                   uint32_t current, uint32_t spare, uint16_t language) {
    HWND combo = GetDlgItem(dialog, comboId);
    if (!combo) return -1;
    ImageComboSetItems(combo, items, count);
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    int selected = -1;
    for (int i = 0; items && i < count; ++i) {
        wchar_t text[260] = {};
        LoadResString(module, items[i].stringId, text, 260, language);
        LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (at < 0) continue;
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), items[i].value);
        if (items[i].value == current && selected < 0) selected = static_cast<int>(at);
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    EnableWindow(combo, items && count >= 2 ? TRUE : FALSE);
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(combo, nullptr, TRUE);
    return selected;
}

void ImageComboRelease(HWND dialog, int controlId) {
    HWND w = GetDlgItem(dialog, controlId);
    if (w) FreeRecord(w);
}

void ImageComboFitHeight(HWND combo, int compact) {
    LRESULT height = compact ? 19 : 34;
    if (SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0) != height) SendMessageW(combo, CB_SETITEMHEIGHT, 0, height);
    if (SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) < height)
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
}

void ImageComboMeasure(MEASUREITEMSTRUCT* measure) {
    if (measure) measure->itemHeight = 34;
}
void ImageComboCompactMeasure(MEASUREITEMSTRUCT* measure) {
    if (measure) measure->itemHeight = 19;
}
void ImageComboDraw(HMODULE module, const DRAWITEMSTRUCT* item) { DrawComboItem(module, item, 0); }
void ImageComboCompactDraw(HMODULE module, const DRAWITEMSTRUCT* item) { DrawComboItem(module, item, 1); }

void ImageRadioInit(HMODULE module, HWND dialog, int buttonId, uint16_t picture) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (!button || !Subclass(button, RadioProc, &g_buttonProc)) return;
    SIZE size = {32, 32};
    HBITMAP image = LoadResImage(module, picture);
    if (image) {
        if (!PictureSize(image, &size)) size = SIZE{32, 32};
        DeleteObject(image);
    }
    RECT r;
    GetWindowRect(button, &r);
    SetWindowPos(button, nullptr, 0, 0, r.right - r.left, size.cy + 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FreeRecord(button);
    auto* record = static_cast<RadioRecord*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(RadioRecord)));
    if (!record) return;
    record->kind = kRadioRecord;
    record->theme = OpenThemeData(button, L"Button");
    record->picture = picture;
    FindGroup(dialog, button, record);
    GetWindowTextW(button, record->caption, 51);
    if (!SetPropW(button, kRecordProp, record)) {
        if (record->theme) CloseThemeData(record->theme);
        HeapFree(GetProcessHeap(), 0, record);
    }
}

void ImageRadioDraw(HMODULE module, const DRAWITEMSTRUCT* item) {
    if (!item) return;
    HWND button = item->hwndItem;
    const RadioRecord* r = RadioOf(button);
    uint32_t flags = r ? r->flags : 0;
    HBITMAP picture = r ? LoadResImage(module, r->picture) : nullptr;
    SIZE size = {32, 32};
    if (picture && !PictureSize(picture, &size)) size = SIZE{32, 32};
    OffScreen o;
    if (!OpenOffScreen(o, item->hDC, button, item->rcItem)) {
        if (picture) DeleteObject(picture);
        return;
    }
    RECT local = {0, 0, o.width, o.height};
    int disabled = (item->itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(button);
    int hot = CursorInside(button);
    int focus = (item->itemState & ODS_FOCUS) != 0;
    int top = (size.cy - 11) / 2;
    RECT mark = {2, top, 15, top + 13};
    wchar_t text[257] = {};
    GetWindowTextW(button, text, 256);
    RECT textRect = local;
    textRect.left = size.cx + 23;
    textRect.top = (o.height - TextHeight(o.dc) + 2) / 2;
    UINT format = DT_SINGLELINE | DT_LEFT | DT_END_ELLIPSIS;
    if (r && r->theme) {
        int state = RadioState(flags, disabled, hot);
        DrawThemeParentBackground(button, o.dc, &local);
        DrawThemeBackground(r->theme, o.dc, BP_RADIOBUTTON, state, &mark, nullptr);
        if (picture) DrawBitmapTransparent(o.dc, picture, 19, 1, size.cx, size.cy);
        DrawThemeText(r->theme, o.dc, BP_RADIOBUTTON, state, text, -1, format, 0, &textRect);
    } else {
        FillRect(o.dc, &local, GetSysColorBrush(COLOR_BTNFACE));
        UINT look = DFCS_BUTTONRADIO | ((flags & kChecked) ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0) |
                    ((flags & kPressed) ? DFCS_PUSHED : 0);
        DrawFrameControl(o.dc, &mark, DFC_BUTTON, look);
        if (picture) DrawBitmapTransparent(o.dc, picture, 19, 1, size.cx, size.cy);
        SetTextColor(o.dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        DrawTextW(o.dc, text, -1, &textRect, format);
    }
    if (focus && !(item->itemState & ODS_NOFOCUSRECT)) {
        RECT f = textRect;
        DrawTextW(o.dc, text, -1, &f, format | DT_CALCRECT);
        InflateRect(&f, 1, 1);
        DrawFocusRect(o.dc, &f);
    }
    if (picture) DeleteObject(picture);
    CloseOffScreen(o, item->hDC, item->rcItem);
    char line[128];
    std::snprintf(line, sizeof line, "ImageRadioButton Flags :hwnd=%d, bChecked=%d, bFocus=%d, bHover=%d\n",
                  static_cast<int>(reinterpret_cast<INT_PTR>(button)), (flags & kChecked) ? 1 : 0, focus, hot);
    OutputDebugStringA(line);
}
