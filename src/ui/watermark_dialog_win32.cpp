#include "ui/watermark_dialog_win32.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "rules/text_filters.h"
#include "ui/font_text_win32.h"
#include "ui/range_message_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"

namespace {

const wchar_t kSuppressProp[] = L"PROP_SUPPRESS_WMCOMMAND";

constexpr int kPreview = 33211, kFromList = 33212, kTyped = 33213, kTextList = 33214, kAddText = 33215,
              kDeleteText = 33216, kTypedText = 33217, kFont = 33224, kSize = 33227, kSizeRange = 33230,
              kColorButton = 33233, kStrength = 33236, kStrengthValue = 33237, kAngle = 33243, kX = 33249,
              kY = 33253, kNewText = 33311;
constexpr uint32_t kNameCharsRemovedText = 20180, kStoreFullText = 25545, kFirstBuiltinText = 20454;
constexpr int kTypedChars = kCustomTextUnits - 1;

const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

void Suppress(HWND dlg, int on) {
    if (on) SetPropW(dlg, kSuppressProp, reinterpret_cast<HANDLE>(1));
    else RemovePropW(dlg, kSuppressProp);
}

void Warn(HWND owner, const WatermarkForm& f, uint32_t id) {
    wchar_t text[512] = {};
    LoadResString(f.resources, id, text, 512, f.language);
    MessageBoxW(owner, text, L"", MB_OK | MB_ICONHAND);
}

// A typed name with the characters a name may not hold removed, the warning
// shown once and the caret put at the end of what is left. 1 when it changed.
int FilterTypedName(HWND dlg, const WatermarkForm& f, int edit, char16_t* text) {
    GetDlgItemTextW(dlg, edit, reinterpret_cast<wchar_t*>(text), kCustomTextUnits);
    if (!RemoveForbiddenChars(TextFilterKind::Name, text)) return 0;
    Suppress(dlg, 1);
    SetDlgItemTextW(dlg, edit, W(text));
    SendDlgItemMessageW(dlg, edit, EM_SETSEL, kTypedChars, kTypedChars);
    Suppress(dlg, 0);
    Warn(dlg, f, kNameCharsRemovedText);
    return 1;
}

// The six built-in texts, then the printer's own in entry order; the
// selected ID chosen (no selection while the typed text is chosen).
void FillTextList(HWND dlg, const WatermarkForm& f, const PrivateSettings& p) {
    HWND list = GetDlgItem(dlg, kTextList);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < kBuiltinWatermarkTexts; i++) {
        LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(f.builtin[i])));
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), i);
    }
    uint16_t id = 0;
    char16_t text[kCustomTextUnits];
    for (int n = 0; WatermarkTextAt(f.store, n, &id, text); n++) {
        LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), id);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// The list allows several selected items by its style: one is kept.
void SelectText(HWND dlg, const PrivateSettings& p) {
    HWND list = GetDlgItem(dlg, kTextList);
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    if (p.textType_Watermark != 0) return;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++)
        if (SendMessageW(list, LB_GETITEMDATA, i, 0) == p.index_SelectText_Watermark) {
            SendMessageW(list, LB_SETSEL, TRUE, i);
            SendMessageW(list, LB_SETCARETINDEX, i, FALSE);
        }
}

void ShowSpin(HWND dlg, int id, int32_t value) {
    HWND edit = GetDlgItem(dlg, id);
    int32_t shown = 0;
    if (!SpinEditValue(edit, &shown) || shown != value || GetWindowTextLengthW(edit) == 0) {
        if (GetFocus() == edit && GetWindowTextLengthW(edit) == 0) return;  // being typed: left alone
        ShowSpinEditValue(edit, value);
    }
}

void Redraw(HWND dlg) { InvalidateRect(GetDlgItem(dlg, kPreview), nullptr, FALSE); }

int SpinValue(HWND dlg, int id, int32_t* value) {
    HWND edit = GetDlgItem(dlg, id);
    CommitSpinEdit(edit);  // the up-down takes the typed value, held to its range
    return SpinEditValue(edit, value);
}

using ChooseColorProc = BOOL(WINAPI*)(CHOOSECOLORW*);

ChooseColorProc ColorChooser() {
    static ChooseColorProc proc = nullptr;
    static int looked = 0;
    if (!looked) {
        looked = 1;
        HMODULE dialogs = LoadLibraryW(L"comdlg32.dll");
        if (dialogs)
            proc = reinterpret_cast<ChooseColorProc>(
                reinterpret_cast<void (*)()>(GetProcAddress(dialogs, "ChooseColorW")));
    }
    return proc;
}

int ChooseColour(HWND dlg, WatermarkForm& f, PrivateSettings& p) {
    ChooseColorProc choose = ColorChooser();
    if (!choose) return 0;
    COLORREF custom[kWatermarkCustomColors];
    for (int i = 0; i < kWatermarkCustomColors; i++) custom[i] = f.customColors[i];
    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = dlg;
    cc.rgbResult = RGB(p.colorRed_Watermark, p.colorGreen_Watermark, p.colorBlue_Watermark);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!choose(&cc)) return 0;
    TakeWatermarkColor(p, cc.rgbResult);
    for (int i = 0; i < kWatermarkCustomColors; i++) f.customColors[i] = custom[i];
    // Without the right to write the printer's data the colour is still taken.
    if (f.mayWrite) StoreWatermarkColors(f.printer, f.customColors);
    return 1;
}

// The text-entry dialog: one name-filtered text, handed back on OK.
struct NewText {
    const WatermarkForm* form;
    char16_t text[kCustomTextUnits];
};

void CentreOverParent(HWND dlg) {
    RECT o, r;
    HWND owner = GetParent(dlg);
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dlg, &r)) return;
    int cx = r.right - r.left, cy = r.bottom - r.top;
    SetWindowPos(dlg, nullptr, o.left + (o.right - o.left - cx) / 2, o.top + (o.bottom - o.top - cy) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK NewTextProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* t = reinterpret_cast<NewText*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            SendDlgItemMessageW(dlg, kNewText, EM_LIMITTEXT, kTypedChars, 0);
            CentreOverParent(dlg);
            return TRUE;
        case WM_COMMAND: {
            if (!t) return FALSE;
            int id = LOWORD(wParam);
            if (id == kNewText && HIWORD(wParam) == EN_CHANGE && !GetPropW(dlg, kSuppressProp))
                FilterTypedName(dlg, *t->form, kNewText, t->text);
            if (id == IDOK) {
                GetDlgItemTextW(dlg, kNewText, reinterpret_cast<wchar_t*>(t->text), kCustomTextUnits);
                EndDialog(dlg, IDOK);
            }
            if (id == IDCANCEL) EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

void AddText(HWND dlg, WatermarkForm& f, PrivateSettings& p) {
    NewText t = {};
    t.form = &f;
    INT_PTR r = ResDialogBox(f.resources, dlg, kWatermarkTextDialog, NewTextProc, reinterpret_cast<LPARAM>(&t),
                             f.language);
    if (r != IDOK) return;
    int result = AddChosenWatermarkText(f.printer, f.store, p, t.text, f.builtin);
    if (result == kTextStoreFull) Warn(dlg, f, kStoreFullText);
    if (result == kTextDone) FillTextList(dlg, f, p);
}

void Enable(HWND dlg, int id, int on) { EnableWindow(GetDlgItem(dlg, id), on ? TRUE : FALSE); }

// Keeps a value inside the field's range.
int Held(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

void InitWatermarkDialog(HWND dlg, HMODULE resources, uint16_t language, PageInput& copy, WatermarkForm& f) {
    PrivateSettings& p = copy.session->dm.priv;
    f.resources = resources;
    f.language = language;
    f.printer = copy.printer;
    f.mayWrite = copy.facts.fullAccess;
    f.initialising = 1;
    for (int i = 0; i < kBuiltinWatermarkTexts; i++) {
        LoadResString(resources, kFirstBuiltinText + i, reinterpret_cast<wchar_t*>(f.builtinText[i]),
                      kCustomTextUnits, language);
        f.builtin[i] = f.builtinText[i];
    }
    LoadWatermarkTexts(f.printer, f.store);
    LoadWatermarkColors(f.printer, f.customColors);
    ClampWatermark(p);
    UpdateWatermarkText(p, f.store, f.builtin);

    Suppress(dlg, 1);
    FillTextList(dlg, f, p);
    char16_t face[kCustomTextUnits] = {};
    std::memcpy(face, p.font_Watermark, sizeof face - sizeof(char16_t));
    FillFontCombo(dlg, kFont, W(face));
    SendDlgItemMessageW(dlg, kTypedText, EM_LIMITTEXT, kTypedChars, 0);
    char16_t typed[kCustomTextUnits] = {};
    std::memcpy(typed, p.inputText_Watermark, sizeof typed - sizeof(char16_t));
    SetDlgItemTextW(dlg, kTypedText, W(typed));
    AttachPageSpinEdits(dlg, kWatermarkDialog);
    HWND bar = GetDlgItem(dlg, kStrength);
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(25, 100));
    SendMessageW(bar, TBM_SETTICFREQ, 25, 0);
    wchar_t range[64] = {};
    FormatRangeMessage(resources, language, range, 64, L"1", L"600");
    SetDlgItemTextW(dlg, kSizeRange, range);
    Suppress(dlg, 0);
    f.ready = 1;
    ShowWatermarkDialog(dlg, f, p);
    f.initialising = 0;
}

void ShowWatermarkDialog(HWND dlg, WatermarkForm& f, const PrivateSettings& p) {
    if (!f.ready) return;
    Suppress(dlg, 1);
    SelectText(dlg, p);
    ShowSpin(dlg, kSize, p.size_Watermark);
    ShowSpin(dlg, kAngle, p.angle_Watermark);
    ShowSpin(dlg, kX, p.X_axisPosition_Watermark);
    ShowSpin(dlg, kY, p.Y_axisPosition_Watermark);
    SendDlgItemMessageW(dlg, kStrength, TBM_SETPOS, TRUE, p.transparency_Watermark);
    SetDlgItemInt(dlg, kStrengthValue, p.transparency_Watermark, FALSE);
    CheckDlgButton(dlg, kFromList, p.textType_Watermark == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, kTyped, p.textType_Watermark == 1 ? BST_CHECKED : BST_UNCHECKED);
    WatermarkEnabling e = WatermarkTextEnabling(p, f.store, f.mayWrite);
    Enable(dlg, kTextList, e.list);
    Enable(dlg, kTypedText, e.edit);
    Enable(dlg, kAddText, e.add);
    Enable(dlg, kDeleteText, e.remove);
    Suppress(dlg, 0);
    Redraw(dlg);
}

int WatermarkKeepsList(uint32_t control) { return control == static_cast<uint32_t>(kFont); }

int WatermarkCommand(HWND dlg, WatermarkForm& f, PageInput& copy, int id, UINT code) {
    PrivateSettings& p = copy.session->dm.priv;
    int32_t v = 0;
    if ((id == kFromList || id == kTyped) && code == BN_CLICKED) {
        p.textType_Watermark = id == kTyped;
        UpdateWatermarkText(p, f.store, f.builtin);
        copy.last = LastChange{static_cast<uint32_t>(id), p.textType_Watermark};
        return kWatermarkRefresh;
    }
    if (id == kTextList && code == LBN_SELCHANGE) {
        HWND list = GetDlgItem(dlg, kTextList);
        int at = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
        if (at < 0) return kWatermarkHandled;
        p.index_SelectText_Watermark = static_cast<int16_t>(SendMessageW(list, LB_GETITEMDATA, at, 0));
        UpdateWatermarkText(p, f.store, f.builtin);
        return kWatermarkRefresh;
    }
    if (id == kTypedText && code == EN_CHANGE) {
        char16_t text[kCustomTextUnits] = {};
        FilterTypedName(dlg, f, kTypedText, text);
        GetDlgItemTextW(dlg, kTypedText, reinterpret_cast<wchar_t*>(text), kCustomTextUnits);
        TypeWatermarkText(p, text);
        Redraw(dlg);
        return kWatermarkHandled;
    }
    if (id == kAddText && code == BN_CLICKED) {
        AddText(dlg, f, p);
        return kWatermarkRefresh;
    }
    if (id == kDeleteText && code == BN_CLICKED) {
        if (DeleteChosenWatermarkText(f.printer, f.store, p, f.builtin) == kTextDone) FillTextList(dlg, f, p);
        return kWatermarkRefresh;
    }
    if (id == kColorButton && code == BN_CLICKED) return ChooseColour(dlg, f, p) ? kWatermarkRefresh : kWatermarkHandled;
    if (id == kFont && code == CBN_SELCHANGE) {
        LRESULT at = SendDlgItemMessageW(dlg, kFont, CB_GETCURSEL, 0, 0);
        wchar_t face[LF_FACESIZE] = {};
        if (at >= 0 && SendDlgItemMessageW(dlg, kFont, CB_GETLBTEXTLEN, at, 0) < LF_FACESIZE)
            SendDlgItemMessageW(dlg, kFont, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(face));
        if (face[0]) {
            std::memset(p.font_Watermark, 0, sizeof p.font_Watermark);
            std::memcpy(p.font_Watermark, face, std::wcslen(face) * sizeof(wchar_t));
        }
        Redraw(dlg);
        return kWatermarkHandled;
    }
    if (code != EN_CHANGE || (id != kSize && id != kAngle && id != kX && id != kY)) return kWatermarkNotMine;
    if (!SpinValue(dlg, id, &v)) return kWatermarkHandled;
    if (id == kSize) {
        p.size_Watermark = static_cast<uint16_t>(Held(v, 1, 600));
        Redraw(dlg);
        return kWatermarkHandled;
    }
    // An angle or a position typed makes the choice custom; the lists follow.
    uint8_t before = id == kAngle ? p.rotation_Watermark : p.position_Watermark;
    if (id == kAngle) TypeWatermarkAngle(p, v, f.initialising);
    else TypeWatermarkPosition(p, id == kX ? 0 : 1, v, f.initialising);
    uint8_t after = id == kAngle ? p.rotation_Watermark : p.position_Watermark;
    Redraw(dlg);
    return before != after ? kWatermarkRefresh : kWatermarkHandled;
}

void WatermarkScroll(HWND dlg, WatermarkForm& f, PrivateSettings& p, HWND bar) {
    if (!f.ready || GetDlgCtrlID(bar) != kStrength) return;
    p.transparency_Watermark = static_cast<uint16_t>(Held(static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0)), 25, 100));
    SetDlgItemInt(dlg, kStrengthValue, p.transparency_Watermark, FALSE);
    Redraw(dlg);
}

int WatermarkMouse(HWND dlg, WatermarkForm& f, PrivateSettings& p, UINT message, WPARAM, LPARAM lParam,
                   INT_PTR* answer) {
    if (!f.ready) return kWatermarkNotMine;
    HWND preview = GetDlgItem(dlg, kPreview);
    POINT at;
    if (message == WM_SETCURSOR) GetCursorPos(&at), ScreenToClient(preview, &at);
    else at = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, MapWindowPoints(dlg, preview, &at, 1);
    RECT r;
    GetClientRect(preview, &r);
    int inside = IsWindowEnabled(preview) && PtInRect(&r, at);
    switch (message) {
        case WM_SETCURSOR:
            if (!inside && !f.dragging) return kWatermarkNotMine;
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(
                                               f.dragging || PointOnWatermark(f.preview, f.textWidth, f.textHeight,
                                                                              at.x, at.y)
                                                   ? 32649    // the hand: the text can be moved
                                                   : 32512)));  // the arrow
            *answer = TRUE;
            return kWatermarkHandled;
        case WM_LBUTTONDOWN:
            if (!inside) return kWatermarkNotMine;
            f.dragging = 1;
            SetCapture(dlg);
            [[fallthrough]];
        case WM_MOUSEMOVE:
            if (!f.dragging) return kWatermarkNotMine;
            DragWatermark(p, f.preview, at.x, at.y);
            Suppress(dlg, 1);
            ShowSpin(dlg, kX, p.X_axisPosition_Watermark);
            ShowSpin(dlg, kY, p.Y_axisPosition_Watermark);
            Suppress(dlg, 0);
            Redraw(dlg);
            *answer = 0;
            return kWatermarkHandled;
        case WM_LBUTTONUP:
            if (!f.dragging) return kWatermarkNotMine;
            f.dragging = 0;
            ReleaseCapture();
            *answer = 0;
            return kWatermarkRefresh;  // the position list shows the custom entry
        default:
            return kWatermarkNotMine;
    }
}

int DrawWatermarkPreview(WatermarkForm& f, const PrivateSettings& p, const DRAWITEMSTRUCT* item) {
    if (item->CtlID != static_cast<UINT>(kPreview)) return 0;
    int width = item->rcItem.right - item->rcItem.left, height = item->rcItem.bottom - item->rcItem.top;
    if (width <= 0 || height <= 0) return 1;
    HDC dc = CreateCompatibleDC(item->hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item->hDC, width, height);
    if (!dc || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
        return 1;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));

    LayOutWatermarkPreview(p, width, height, f.preview);
    const WatermarkPreview& w = f.preview;
    RECT page = {w.left, w.top, w.left + w.width, w.top + w.height};
    HPEN edge = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HGDIOBJ oldPen = SelectObject(dc, edge);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, page.left, page.top, page.right, page.bottom);
    // A few grey lines stand for the page's own print.
    HPEN lines = CreatePen(PS_SOLID, 1, RGB(215, 215, 215));
    SelectObject(dc, lines);
    for (int y = page.top + w.height / 10; y < page.bottom - w.height / 12; y += w.height / 16 + 1) {
        MoveToEx(dc, page.left + w.width / 8, y, nullptr);
        LineTo(dc, page.right - w.width / 8, y);
    }

    // The text, turned about its centre and kept to the page.
    const wchar_t* text = W(p.text_Watermark);
    int length = static_cast<int>(wcsnlen(text, kCustomTextUnits - 1));
    int style = p.style_Watermark;
    wchar_t face[LF_FACESIZE] = {};
    std::memcpy(face, p.font_Watermark, (LF_FACESIZE - 1) * sizeof(wchar_t));
    HFONT font = CreateFontW(-w.textHeight, 0, 0, 0, style == 1 || style == 3 ? FW_BOLD : FW_NORMAL,
                             style >= 2, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent = {0, 0};
    if (length) GetTextExtentPoint32W(dc, text, length, &extent);
    int pad = w.textHeight / 6 + 2;
    f.textWidth = extent.cx + 2 * pad;
    f.textHeight = extent.cy + 2 * pad;

    IntersectClipRect(dc, page.left + 1, page.top + 1, page.right - 1, page.bottom - 1);
    int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
    double a = w.angle * 3.14159265358979323846 / 180.0;
    XFORM turn = {static_cast<FLOAT>(std::cos(a)), static_cast<FLOAT>(-std::sin(a)), static_cast<FLOAT>(std::sin(a)),
                  static_cast<FLOAT>(std::cos(a)), static_cast<FLOAT>(w.x), static_cast<FLOAT>(w.y)};
    SetWorldTransform(dc, &turn);
    COLORREF colour = RGB(w.rgb[0], w.rgb[1], w.rgb[2]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT box = {-f.textWidth / 2, -f.textHeight / 2, f.textWidth - f.textWidth / 2, f.textHeight - f.textHeight / 2};
    if (length) DrawTextW(dc, text, length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (p.frame_Watermark && length) {
        HPEN framePen = CreatePen(PS_SOLID, w.textHeight / 16 + 1, colour);
        SelectObject(dc, framePen);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        if (p.frame_Watermark == 1) Rectangle(dc, box.left, box.top, box.right, box.bottom);
        if (p.frame_Watermark == 2)
            RoundRect(dc, box.left, box.top, box.right, box.bottom, f.textHeight / 2, f.textHeight / 2);
        if (p.frame_Watermark == 3)
            Ellipse(dc, box.left - f.textWidth / 6, box.top - f.textHeight / 3, box.right + f.textWidth / 6,
                    box.bottom + f.textHeight / 3);
        SelectObject(dc, edge);
        DeleteObject(framePen);
    }
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc, oldMode);
    SelectClipRgn(dc, nullptr);

    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(lines);
    DeleteObject(edge);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 1;
}
