// The property sheets on top of the host's common sheet library. Each sheet
// has its own heap holding the working session and one page record per tab;
// the generic page procedure copies the page model onto the controls and
// hands control changes back to it. Wine's sheet library never sends
// SET_RESULT, so OK is also seen as PSN_APPLY with lParam 1; either path
// writes back once, Cancel writes nothing.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <compstui.h>

#include "ui/property_sheet_win32.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "platform/isolation_win32.h"
#include "diagnostics/log.h"
#include "platform/property_headers_win32.h"
#include "base/session.h"
#include "base/sheet_modes.h"
#include "model/printer_data.h"
#include "platform/platform.h"
#include "rules/control_fields.h"
#include "rules/resolve.h"
#include "session/global_list.h"
#include "session/session_load.h"
#include "ui/control_table.h"
#include "ui/page_images_win32.h"
#include "ui/page_model.h"
#include "ui/preview_conditions.h"
#include "ui/preview_draw_win32.h"
#include "ui/fitted_text.h"
#include "ui/font_text_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/sheet_pages.h"
#include "ui/ui_language.h"

namespace {

const wchar_t kSuppressProp[] = L"PROP_SUPPRESS_WMCOMMAND";

struct SheetContext;
struct PageContext {
    SheetContext* sheet;
    uint16_t templateId;
    PageState state;
};

struct SheetContext {
    HANDLE heap;
    int mode;  // 0 document, 1 advanced, 2 user default, 3 printer
    DWORD fMode;     // the caller's DocumentProperties mode bits (0 for the printer sheet)
    int permission;  // the caller lets us change what is stored
    HANDLE printer;
    int ownPrinter;
    wchar_t name[260];
    PDEVMODEW out;
    HMODULE resources;
    uint16_t language;
    int written;
    PrinterSession* session;
    PageInput input;
    int pageCount;
    PageContext* page[kSheetPageRoom];
};

void SheetLog(const char* text) { DrvLog(nullptr, "%hs\n", text); }

// Windows 2000's printers folder asks for the printing preferences as a plain
// document sheet over one buffer; that is the user-default sheet.
int ShellOnWindows2000() {
    if (GetOsVersionCode() != 103) return 0;
    wchar_t image[MAX_PATH] = {}, shell[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryW(shell, MAX_PATH - 14);
    if (!n || n >= MAX_PATH - 14 || !GetModuleFileNameW(nullptr, image, MAX_PATH)) return 0;
    lstrcatW(shell, L"\\explorer.exe");
    return lstrcmpiW(image, shell) == 0;
}

void DestroySheet(SheetContext* c) {
    if (!c) return;
    if (c->resources) FreeResourceModule(c->resources);
    if (c->ownPrinter && c->printer) ClosePrinter(c->printer);
    HANDLE heap = c->heap;
    HeapDestroy(heap);  // the context itself lives on it
}

SheetContext* CreateSheet(int mode, DWORD fMode, int permission, HANDLE printer, LPCWSTR name, PDEVMODEW in,
                          PDEVMODEW out) {
    HANDLE heap = HeapCreate(0, 0, 0);
    if (!heap) return nullptr;
    SheetContext* c = static_cast<SheetContext*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(SheetContext)));
    PrinterSession* s = c ? static_cast<PrinterSession*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(PrinterSession)))
                          : nullptr;
    if (!s) {
        HeapDestroy(heap);
        return nullptr;
    }
    c->heap = heap;
    c->mode = mode;
    c->fMode = fMode;
    c->permission = permission;
    c->session = s;
    c->out = out;
    if (name) lstrcpynW(c->name, name, 260);
    c->printer = printer;
    if (!printer && name) {
        if (OpenPrinterW(const_cast<LPWSTR>(name), &c->printer, nullptr)) c->ownPrinter = 1;
    }
    if (!c->printer) {
        SheetLog("sheet: no printer to open");
        HeapDestroy(heap);
        return nullptr;
    }
    const char16_t* n = reinterpret_cast<const char16_t*>(c->name);
    _UdcResolveSelfDMode(s, in, c->printer, n, nullptr, kResolveInBuffer | kResolveWholeSession,
                         mode == kDeviceSheetMode ? kCallerDeviceSheet : kCallerDocumentSheet);
    // The model lists in the words of the printer's language, which is its
    // stored "LocaleID" when that is a non-zero DWORD, else the user's.
    InitGlobalList(s, n, 1);
    uint32_t type = 0, size = 0, locale = 0;
    uint32_t error = Spool().GetPrinterData(c->printer, u"LocaleID", &type, &locale, sizeof locale, &size);
    c->language = static_cast<uint16_t>(ChooseUILanguage(error == 0, type, size, locale, DefaultUILanguage()));
    s->env.languageId = c->language;
    c->resources = LoadResourceModule(c->printer, c->language);
    if (!c->resources) {
        SheetLog("sheet: the resource module is missing");
        DestroySheet(c);
        return nullptr;
    }
    BuildListsFromModule(s, n, c->resources, c->language);  // the lists in the sheet's words
    c->input.session = s;
    c->input.printer = c->printer;
    c->input.facts.fullAccess = permission;
    // Whether this user may administer the printer: a trial open for all access.
    HANDLE trial = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(c->name, &trial, &all) && trial) {
        c->input.facts.canAdminister = 1;
        ClosePrinter(trial);
    }
    c->input.facts.documentMode = mode == kDeviceSheetMode ? 0 : 1;
    return c;
}

// OK: the driver DEVMODE into the caller's buffer (which may be its input)
// when the caller asked for it, and the environment stored and announced by
// the user-default sheet with permission and by the printer sheet.
void WriteBack(SheetContext* c) {
    if (c->written) return;
    c->written = 1;
    const char16_t* n = reinterpret_cast<const char16_t*>(c->name);
    _UdcUpdateCmnDModeArea(c->session, c->printer, n);
    if (c->out && c->mode != kDeviceSheetMode && (c->fMode & (kDmUpdate | kDmCopy)))
        std::memmove(c->out, &c->session->dm, sizeof c->session->dm);
    if ((c->mode == 2 && c->permission) || c->mode == kDeviceSheetMode) {
        if (_UdcSaveEnvironment(c->session, c->printer, n)) Spool().BroadcastDevModeChange(n);
    }
}

// An item's words: its resource string in the sheet's language, or the name
// the page model gives it; a catalogue option without words shows its value.
std::wstring ItemText(const PageContext* p, const ControlState& cs, const PageItem& item) {
    wchar_t buffer[256] = {};
    if (item.source == kItemString) {
        if (item.stringId && LoadResString(p->sheet->resources, item.stringId, buffer, 256, p->sheet->language))
            return buffer;
        return std::to_wstring(item.value);
    }
    std::string utf8 = PageItemText(*p->sheet->session, cs, item);
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, buffer, 256);
    return buffer;
}

uint32_t RadioValue(uint32_t control) {
    for (int i = 0; i < kRadioValueRowCount; ++i)
        if (kRadioValueRows[i].id == control) return kRadioValueRows[i].value;
    return 1;
}

int EditsText(uint32_t control) {
    for (int i = 0; i < kControlTextCount; ++i)
        if (kControlTexts[i].control == control) return 1;
    return 0;
}
int EditsNumber(uint32_t control) {
    for (int i = 0; i < kControlFieldCount; ++i)
        if (kControlFields[i].control == control) return 1;
    return 0;
}

// The page model's state onto the controls, with change notifications held.
void ShowPage(HWND page, PageContext* p) {
    if (!RefreshPage(p->templateId, p->sheet->input, p->state)) return;
    SetPropW(page, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < p->state.controlCount; ++i) {
        const ControlState& cs = p->state.control[i];
        HWND w = GetDlgItem(page, static_cast<int>(cs.id));
        if (!w) continue;
        switch (cs.kind) {
            case kComboControl:
            case kPiccomboControl:
                SendMessageW(w, CB_RESETCONTENT, 0, 0);
                for (int k = 0; k < cs.itemCount; ++k) {
                    LRESULT at = SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ItemText(p, cs, cs.item[k]).c_str()));
                    SendMessageW(w, CB_SETITEMDATA, static_cast<WPARAM>(at), cs.item[k].value);
                }
                SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(cs.selected), 0);
                break;
            case kCheckControl:
            case kRadioControl:
                SendMessageW(w, BM_SETCHECK, cs.checked ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case kPicradioControl:
                ShowImageRadioCheck(w, cs.checked);
                break;
            case kEditControl:
            case kPasswordControl:
            case kTextControl:
                // Text fields show their text (empty too); numbers only where
                // the control edits a number.
                if (cs.text[0] || EditsText(cs.id)) {
                    const wchar_t* text = reinterpret_cast<const wchar_t*>(cs.text);
                    wchar_t shown[kPageTextChars] = {};
                    GetWindowTextW(w, shown, kPageTextChars);
                    if (std::wcscmp(shown, text)) SetWindowTextW(w, text);  // an edit being typed in keeps its caret
                    if (cs.kind != kTextControl && ControlTextChars(cs.id))
                        SendMessageW(w, EM_LIMITTEXT, static_cast<WPARAM>(ControlTextChars(cs.id) - 1), 0);
                } else if (EditsNumber(cs.id)) SetDlgItemInt(page, static_cast<int>(cs.id), cs.value, FALSE);
                break;
            case kPreviewControl:
                InvalidateRect(w, nullptr, FALSE);  // its pictures follow the settings
                break;
            default:
                break;
        }
        if (cs.kind == kPiccomboControl) ShowImageComboItems(w, cs, *p->sheet->session);
        EnableWindow(w, cs.enabled ? TRUE : FALSE);
        ShowWindow(w, cs.visible ? SW_SHOWNA : SW_HIDE);
    }
    RemovePropW(page, kSuppressProp);
}

const ControlState* FindControl(const PageContext* p, uint32_t id) {
    for (int i = 0; i < p->state.controlCount; ++i)
        if (p->state.control[i].id == id) return &p->state.control[i];
    return nullptr;
}

void AskAndAnswer(HWND page, PageContext* p, const PageQuestion& q) {
    std::wstring text;
    for (int i = 0; i < q.partCount; ++i) {
        wchar_t part[512] = {};
        LoadResString(p->sheet->resources, q.part[i], part, 512, p->sheet->language);
        if (i) text += L"\n\r";
        text += part;
    }
    int yes = MessageBoxW(page, text.c_str(), L"", MB_YESNO | MB_ICONINFORMATION) == IDYES;
    AnswerPageQuestion(p->sheet->input, q, yes);
}

void OnCommand(HWND page, PageContext* p, WPARAM wParam) {
    if (GetPropW(page, kSuppressProp)) return;
    uint32_t id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    const ControlState* cs = FindControl(p, id);
    if (!cs) return;
    uint32_t value = 0;
    switch (cs->kind) {
        case kComboControl:
        case kPiccomboControl: {
            if (code != CBN_SELCHANGE) return;
            LRESULT sel = SendDlgItemMessageW(page, static_cast<int>(id), CB_GETCURSEL, 0, 0);
            if (sel < 0 || sel >= cs->itemCount) return;
            value = cs->item[sel].value;
            break;
        }
        case kCheckControl:
            if (code != BN_CLICKED) return;
            value = IsDlgButtonChecked(page, static_cast<int>(id)) == BST_CHECKED ? 1 : 0;
            break;
        case kRadioControl:
        case kPicradioControl:
            if (code != BN_CLICKED) return;
            value = RadioValue(id);
            break;
        case kEditControl:
        case kPasswordControl:
            if (EditsText(id)) {
                // Written as typed; the refresh waits for the focus to leave.
                if (code != EN_CHANGE && code != EN_KILLFOCUS) return;
                wchar_t text[kPageTextChars] = {};
                GetDlgItemTextW(page, static_cast<int>(id), text, kPageTextChars);
                if (ApplyPageText(p->sheet->input, id, reinterpret_cast<const char16_t*>(text)) != kChangeWritten)
                    return;
                if (code == EN_KILLFOCUS) ShowPage(page, p);
                PropSheet_Changed(GetParent(page), page);
                return;
            }
            if (code != EN_KILLFOCUS || !EditsNumber(id)) return;
            value = GetDlgItemInt(page, static_cast<int>(id), nullptr, FALSE);
            break;
        case kButtonControl:
            if (code != BN_CLICKED) return;
            RestorePageDefaults(p->sheet->input);  // the only button the pages share
            ShowPage(page, p);
            PropSheet_Changed(GetParent(page), page);
            return;
        default:
            return;
    }
    PageQuestion q;
    std::memset(&q, 0, sizeof q);
    int r = ApplyPageChange(p->sheet->input, id, value, nullptr, 0, &q);
    if (r == kChangeAsks) AskAndAnswer(page, p, q);
    ShowPage(page, p);
    PropSheet_Changed(GetParent(page), page);
}

// A preview panel shows the pictures the page state lists for it.
int DrawPagePreview(const PageContext* p, const DRAWITEMSTRUCT* d) {
    const ControlState* cs = FindControl(p, d->CtlID);
    if (!cs || cs->kind != kPreviewControl) return 0;
    uint32_t images[kPreviewImageRoom];
    int n = 0;
    for (; n < cs->itemCount && n < kPreviewImageRoom; n++) images[n] = cs->item[n].value;
    DrawPreview(p->sheet->resources, d, images, n, PreviewKindOf(cs->id));
    return 1;
}

// A stored path: its end (the file or folder name) stays in view.
int DrawPageText(const PageContext* p, const DRAWITEMSTRUCT* d) {
    const ControlState* cs = FindControl(p, d->CtlID);
    if (!cs || cs->kind != kTextControl) return 0;
    wchar_t text[260] = {};
    GetWindowTextW(d->hwndItem, text, 260);
    RECT rc = d->rcItem;
    FillRect(d->hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(d->hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(d->hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, GetSysColor((d->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    DrawTextFitted(d->hDC, text, -1, &rc, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | kFitTextFormat);
    SelectObject(d->hDC, old);
    return 1;
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    PageContext* p = reinterpret_cast<PageContext*>(GetWindowLongPtrW(page, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            p = reinterpret_cast<PageContext*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
            SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(p));
            InitPageImages(page, p->sheet->resources, p->templateId);
            p->sheet->input.last = LastChange{0, 0};
            ShowPage(page, p);
            return TRUE;
        }
        case WM_COMMAND:
            if (p) OnCommand(page, p, wParam);
            return TRUE;
        case WM_MEASUREITEM:
            return MeasurePageImage(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            if (!p) return FALSE;
            {
                const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (DrawPagePreview(p, d) || DrawPageText(p, d)) return TRUE;
                return DrawPageImage(p->sheet->resources, p->templateId, d);
            }
        case WM_DESTROY:
            if (p) ReleasePageImages(page, p->templateId);
            return FALSE;
        case WM_NOTIFY: {
            if (!p) return FALSE;
            const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
            if (h->code == PSN_SETACTIVE) {
                ShowPage(page, p);
            } else if (h->code == PSN_APPLY) {
                if (reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam == 1) WriteBack(p->sheet);
                SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

// The page functions come from the common controls of the module's
// activation context, as every other control of the sheet.
typedef HPROPSHEETPAGE(WINAPI* CreatePageFn)(LPCPROPSHEETPAGEW);
typedef BOOL(WINAPI* DestroyPageFn)(HPROPSHEETPAGE);

int AddPages(SheetContext* c, PPROPSHEETUI_INFO info) {
    HMODULE controls = IsolationAwareLoadLibraryW(L"comctl32.dll");
    auto createPage = controls ? reinterpret_cast<CreatePageFn>(reinterpret_cast<void (*)()>(
                                     IsolationAwareGetProcAddress(controls, "CreatePropertySheetPageW")))
                               : nullptr;
    auto destroyPage = controls ? reinterpret_cast<DestroyPageFn>(reinterpret_cast<void (*)()>(
                                      IsolationAwareGetProcAddress(controls, "DestroyPropertySheetPage")))
                                : nullptr;
    if (!createPage || !destroyPage) {
        SheetLog("sheet: no common controls");
        return 0;
    }
    uint16_t templates[kSheetPageRoom] = {};
    const PrinterEnvironment& env = c->session->env;
    int n = SheetPageTemplates(c->mode, env.inkCount, static_cast<char>(env.modelColor),
                               c->mode == kDeviceSheetMode ? GetDebugTabEnable(c->printer) : 0, templates);
    for (int i = 0; i < n; ++i) {
        LPCDLGTEMPLATEW t = FindDialogTemplate(c->resources, templates[i], c->language);
        PageContext* p = static_cast<PageContext*>(HeapAlloc(c->heap, HEAP_ZERO_MEMORY, sizeof(PageContext)));
        if (!t || !p) {
            SheetLog("sheet: a page template is missing");
            return 0;
        }
        p->sheet = c;
        p->templateId = templates[i];
        c->page[c->pageCount++] = p;
        PROPSHEETPAGEW psp;
        std::memset(&psp, 0, sizeof psp);
        psp.dwSize = sizeof psp;
        psp.dwFlags = PSP_DLGINDIRECT;
        psp.hInstance = c->resources;
        psp.pResource = t;
        psp.pfnDlgProc = PageProc;
        psp.lParam = reinterpret_cast<LPARAM>(p);
        HPROPSHEETPAGE h = createPage(&psp);
        if (!h) {
            SheetLog("sheet: a page could not be created");
            return 0;
        }
        if (info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, reinterpret_cast<LPARAM>(h), 0) ==
            0) {
            destroyPage(h);
            SheetLog("sheet: the host refused a page");
            return 0;
        }
    }
    return n > 0;
}

LONG SheetsWithInfo(PPROPSHEETUI_INFO info, LPARAM lParam, HINSTANCE own, int device) {
    if (!info) return -1;
    switch (info->Reason) {
        case PROPSHEETUI_REASON_INIT: {
            SheetContext* c = nullptr;
            if (device) {
                auto* h = reinterpret_cast<DevicePropertyHeader*>(info->lParamInit);
                if (h)
                    c = CreateSheet(kDeviceSheetMode, 0, !(h->Flags & kDpsNoPermission), h->hPrinter, h->pszPrinterName,
                                    nullptr, nullptr);
            } else {
                auto* h = reinterpret_cast<DocumentPropertyHeader*>(info->lParamInit);
                if (h) {
                    int mode = (h->fMode & kDmAdvanced) ? 1 : (h->fMode & kDmUserDefault) ? 2 : 0;
                    if (mode == 0 && h->pdmIn == h->pdmOut && h->cbOut == 0 && ShellOnWindows2000()) mode = 2;
                    c = CreateSheet(mode, h->fMode, !(h->fMode & kDmNoPermission), h->hPrinter, h->pszPrinterName,
                                    h->pdmIn, h->pdmOut);
                }
            }
            if (!c) return -1;
            if (!AddPages(c, info)) {
                DestroySheet(c);
                return -1;
            }
            info->UserData = reinterpret_cast<ULONG_PTR>(c);
            info->Result = CPSUI_CANCEL;
            return 1;
        }
        case PROPSHEETUI_REASON_GET_INFO_HEADER: {
            auto* c = reinterpret_cast<SheetContext*>(info->UserData);
            auto* h = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
            if (!c || !h) return -1;
            h->Flags = PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE;
            h->pTitle = reinterpret_cast<LPTSTR>(c->name);  // the W entry takes wide text
            h->hInst = own;
            h->IconID = IDI_CPSUI_PRINTER;
            return 1;
        }
        case PROPSHEETUI_REASON_SET_RESULT: {
            auto* c = reinterpret_cast<SheetContext*>(info->UserData);
            auto* r = reinterpret_cast<PSETRESULT_INFO>(lParam);
            if (c && r && r->Result == CPSUI_OK) WriteBack(c);
            if (r) info->Result = r->Result;
            return 1;
        }
        case PROPSHEETUI_REASON_DESTROY: {
            auto* c = reinterpret_cast<SheetContext*>(info->UserData);
            if (c && c->written) info->Result = CPSUI_OK;
            DestroySheet(c);
            info->UserData = 0;
            return 1;
        }
        default:
            return -1;
    }
}

}  // namespace

LONG DocumentSheetsWithInfo(void* info, LPARAM lParam, HINSTANCE own) {
    return SheetsWithInfo(static_cast<PPROPSHEETUI_INFO>(info), lParam, own, 0);
}
LONG DeviceSheetsWithInfo(void* info, LPARAM lParam, HINSTANCE own) {
    return SheetsWithInfo(static_cast<PPROPSHEETUI_INFO>(info), lParam, own, 1);
}
