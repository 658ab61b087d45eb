// The property sheets on top of the host's common sheet library. Each sheet
// has its own heap holding the working session and one page record per tab;
// the generic page procedure copies the page model onto the controls and
// hands control changes back to it. Wine's sheet library never sends
// SET_RESULT, so OK is also seen as PSN_APPLY with lParam 1; either path
// writes back once, Cancel writes nothing.
// A document sheet starts the background retrieval when it opens and never
// waits for it then: the worker's notice comes back to the sheet's thread as
// a message to a hidden window of the sheet, which takes the fetched lists
// over. The first page waits for the worker at apply, cancel and its
// destruction, so that the lists are settled before the sheet closes.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <compstui.h>

#include "ui/property_sheet_win32.h"

#include <cstddef>
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
#include "session/session_load.h"
#include "snmp/retrieval_thread.h"
#include "ui/advanced_page.h"
#include "ui/basic_page.h"
#include "ui/control_table.h"
#include "ui/diagnostics_page.h"
#include "ui/diagnostics_page_win32.h"
#include "ui/environment_page.h"
#include "ui/favorites_page.h"
#include "ui/favorites_win32.h"
#include "ui/page_images_win32.h"
#include "ui/page_model.h"
#include "ui/preview_conditions.h"
#include "ui/preview_draw_win32.h"
#include "ui/file_choosers_win32.h"
#include "ui/fitted_text.h"
#include "ui/font_text_win32.h"
#include "ui/output_destination_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/sheet_pages.h"
#include "ui/spin_edit_win32.h"
#include "ui/sub_dialog_model.h"
#include "ui/sub_dialog_win32.h"
#include "ui/ui_language.h"
#include "ui/user_paper_dialog.h"
#include "ui/storage_folder_dialog.h"
#include "ui/storage_folder_dialog_win32.h"
#include "ui/user_paper_dialog_win32.h"

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
    // Document sheets: the worker writes into fetched until the sheet
    // releases it; lists is what the sheet shows, written on its own thread
    // only (the stored lists at first, fetched once the worker's notice has
    // come).
    RetrievalTargets* fetched;
    RetrievalTargets* lists;
    HWND noticeWindow;
    HWND firstPage;
    PageState* previous;  // a page's state before its refresh, to compare with
    FavoritesView* favorites;  // document sheets: the printer's favourites
};

FavoritesHostWin Fav(SheetContext* c) {
    return FavoritesHostWin{c->resources, c->language, &c->input, c->name, c->favorites};
}

constexpr UINT kRetrievalNotice = WM_USER + 1001;
const wchar_t kNoticeClass[] = L"ZR51ARetrievalNotice";

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

// On the worker's thread: only a posted message reaches the sheet.
void PostRetrievalNotice(void* context, RetrievalTargets*, int stepsDone) {
    auto* c = static_cast<SheetContext*>(context);
    PostMessageW(c->noticeWindow, kRetrievalNotice, static_cast<WPARAM>(stepsDone), reinterpret_cast<LPARAM>(c));
}

void ShowPage(HWND page, PageContext* p);

// On the sheet's thread: the worker has ended and writes no more, so its
// lists become the sheet's, and the page in front shows them.
LRESULT CALLBACK NoticeProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRetrievalNotice) return DefWindowProcW(w, message, wParam, lParam);
    auto* c = reinterpret_cast<SheetContext*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (!c || reinterpret_cast<LPARAM>(c) != lParam) return 0;
    std::memcpy(c->lists, c->fetched, sizeof *c->lists);
    // Same item values may now have other names: every list is filled anew.
    for (int i = 0; i < c->pageCount; ++i) c->page[i]->state.controlCount = 0;
    HWND sheet = c->firstPage ? GetParent(c->firstPage) : nullptr;
    HWND page = sheet ? PropSheet_GetCurrentPageHwnd(sheet) : nullptr;
    auto* p = page ? reinterpret_cast<PageContext*>(GetWindowLongPtrW(page, DWLP_USER)) : nullptr;
    if (p && p->sheet == c) ShowPage(page, p);
    return 0;
}

// The hidden window on the calling (sheet) thread that the notice is posted
// to; its class is ours, registered while a sheet uses it.
HWND CreateNoticeWindow(SheetContext* c, HINSTANCE own) {
    WNDCLASSW wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = NoticeProc;
    wc.hInstance = own;
    wc.lpszClassName = kNoticeClass;
    RegisterClassW(&wc);  // fails harmlessly while another sheet has it
    HWND w = CreateWindowExW(0, kNoticeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, own, nullptr);
    if (w) SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c));
    return w;
}

// Document sheets: the stored lists, then the worker on copies of the name
// and the session. Without a window for its notice the sheet keeps the
// stored lists and starts none.
void StartRetrieval(SheetContext* c, HINSTANCE own) {
    c->fetched = static_cast<RetrievalTargets*>(HeapAlloc(c->heap, 0, sizeof(RetrievalTargets)));
    c->lists = static_cast<RetrievalTargets*>(HeapAlloc(c->heap, 0, sizeof(RetrievalTargets)));
    if (!c->fetched || !c->lists) return;
    LoadStoredRetrievalLists(c->printer, c->lists);
    std::memcpy(c->fetched, c->lists, sizeof *c->lists);
    c->input.printerLists = c->lists;
    c->noticeWindow = CreateNoticeWindow(c, own);
    if (!c->noticeWindow) {
        SheetLog("sheet: no window for the retrieval's notice");
        return;
    }
    RetrievalRequest request = {reinterpret_cast<const char16_t*>(c->name), c->session, c->fetched,
                                PostRetrievalNotice, c};
    if (!StartRetrievalThread(request)) SheetLog("sheet: the retrieval did not start");
}

void DestroySheet(SheetContext* c) {
    if (!c) return;
    // A later sheet's wait may have waited for its worker instead of ours:
    // from here on no worker writes into the sheet or posts to it.
    if (c->fetched) ReleaseRetrievalTargets(c->fetched);
    if (c->noticeWindow) {
        HINSTANCE own = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(c->noticeWindow, GWLP_HINSTANCE));
        DestroyWindow(c->noticeWindow);
        UnregisterClassW(kNoticeClass, own);  // fails harmlessly while another sheet has it
    }
    FreeFavoritesView(c->favorites);
    if (c->resources) FreeResourceModule(c->resources);
    if (c->ownPrinter && c->printer) ClosePrinter(c->printer);
    HANDLE heap = c->heap;
    HeapDestroy(heap);  // the context itself lives on it
}

SheetContext* CreateSheet(int mode, DWORD fMode, int permission, HANDLE printer, LPCWSTR name, PDEVMODEW in,
                          PDEVMODEW out, HINSTANCE own) {
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
    c->previous = static_cast<PageState*>(HeapAlloc(heap, 0, sizeof(PageState)));
    if (!c->previous) {
        HeapDestroy(heap);
        return nullptr;
    }
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
    // The sheet's language: the printer's stored "LocaleID" when that is a
    // non-zero DWORD, else the user's.
    uint32_t type = 0, size = 0, locale = 0;
    uint32_t error = Spool().GetPrinterData(c->printer, u"LocaleID", &type, &locale, sizeof locale, &size);
    c->language = static_cast<uint16_t>(ChooseUILanguage(error == 0, type, size, locale, DefaultUILanguage()));
    c->resources = LoadResourceModule(c->printer, c->language);
    if (!c->resources) {
        SheetLog("sheet: the resource module is missing");
        DestroySheet(c);
        return nullptr;
    }
    BuildListsFromModule(s, n, c->resources, c->language);  // the model lists in the sheet's words
    s->env.languageId = c->language;
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
    if (mode != kDeviceSheetMode) {
        c->favorites = CreateFavoritesView(Fav(c));
        StartRetrieval(c, own);
    }
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
    const RetrievalTargets* lists = p->sheet->lists;
    if (item.source == kItemBarcodeArea) {
        if (!lists || item.value >= static_cast<uint32_t>(kBarcodeAreaSlots)) return L"";
        std::wstring name(reinterpret_cast<const wchar_t*>(lists->barcodeNames[item.value]), kBarcodeNameUnits);
        return name.substr(0, name.find(L'\0'));
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

int EditsText(uint32_t control) { return ControlTextChars(control) > 0; }
int EditsNumber(uint32_t control) {
    for (int i = 0; i < kControlFieldCount; ++i)
        if (kControlFields[i].control == control) return 1;
    return 0;
}

// Whether a list shows what it showed before: the same items, each worded by
// a resource string (or a barcode area, whose names change only with the
// worker's notice, which has every list filled anew). Rows of the session's
// paper, tray and media lists are named by the session, which a dialog may
// have changed, so such lists are always filled again.
int SameItems(const ControlState& a, const ControlState& b) {
    if (a.itemCount != b.itemCount) return 0;
    for (int k = 0; k < a.itemCount; ++k) {
        const PageItem& x = a.item[k];
        const PageItem& y = b.item[k];
        if (x.value != y.value || x.stringId != y.stringId || x.source != y.source) return 0;
        if (x.source != kItemString && x.source != kItemBarcodeArea) return 0;
    }
    return 1;
}

// The page model's state onto the controls, with change notifications held.
// A list keeps its items when they are those it shows already (loading their
// words at every showing of a page is most of its cost), and is filled with
// its drawing held otherwise.
const ControlState* FindShown(const PageState& s, uint32_t id) {
    for (int i = 0; i < s.controlCount; ++i)
        if (s.control[i].id == id) return &s.control[i];
    return nullptr;
}

void ShowPage(HWND page, PageContext* p) {
    PageState& previous = *p->sheet->previous;
    int count = p->state.controlCount;
    std::memcpy(&previous, &p->state, offsetof(PageState, control) + count * sizeof(ControlState));
    if (p->templateId == kFavoritesPage) FavoritesPageBefore(Fav(p->sheet));
    if (!RefreshPage(p->templateId, p->sheet->input, p->state)) return;
    SetPropW(page, kSuppressProp, reinterpret_cast<HANDLE>(1));
    for (int i = 0; i < p->state.controlCount; ++i) {
        const ControlState& cs = p->state.control[i];
        HWND w = GetDlgItem(page, static_cast<int>(cs.id));
        if (!w) continue;
        switch (cs.kind) {
            case kComboControl:
            case kPiccomboControl: {
                const ControlState* shown = FindShown(previous, cs.id);
                if (!shown || !SameItems(*shown, cs)) {
                    SendMessageW(w, WM_SETREDRAW, FALSE, 0);
                    SendMessageW(w, CB_RESETCONTENT, 0, 0);
                    for (int k = 0; k < cs.itemCount; ++k) {
                        LRESULT at = SendMessageW(w, CB_ADDSTRING, 0,
                                                  reinterpret_cast<LPARAM>(ItemText(p, cs, cs.item[k]).c_str()));
                        SendMessageW(w, CB_SETITEMDATA, static_cast<WPARAM>(at), cs.item[k].value);
                    }
                    SendMessageW(w, WM_SETREDRAW, TRUE, 0);
                }
                SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(cs.selected), 0);
                if (cs.id == kOutputUnitControl && IsEnvironmentPage(p->templateId))
                    SendMessageW(w, CB_SETDROPPEDWIDTH, 280, 0);  // its words are longer than the box
                break;
            }
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
                    if (cs.kind == kPasswordControl && SendMessageW(w, EM_GETPASSWORDCHAR, 0, 0) != L'*')
                        SendMessageW(w, EM_SETPASSWORDCHAR, L'*', 0);
                } else if (EditsNumber(cs.id) && !ShowSpinEditValue(w, static_cast<int32_t>(cs.value)))
                    SetDlgItemInt(page, static_cast<int>(cs.id), cs.value, FALSE);
                break;
            case kPreviewControl:
                InvalidateRect(w, nullptr, FALSE);  // its pictures follow the settings
                break;
            case kScrollbarControl: {  // two views: positions 0 and 1, one a page
                SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1, 1, static_cast<int>(cs.value), 0};
                SetScrollInfo(w, SB_CTL, &si, TRUE);
                break;
            }
            default:
                break;
        }
        if (cs.kind == kPiccomboControl) ShowImageComboItems(w, cs, *p->sheet->session);
        EnableWindow(w, cs.enabled ? TRUE : FALSE);
        ShowWindow(w, cs.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (p->templateId == kFavoritesPage) FavoritesPageAfter(page, Fav(p->sheet));
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
    AnswerPageControl(p->templateId, p->sheet->input, q, yes);
    PageQuestion next;
    if (NextPageQuestion(p->templateId, p->sheet->input, q, yes, &next)) AskAndAnswer(page, p, next);
}

// The output-mode button of a mode that saves a file: the file chosen from
// where the last one went, its path stored and shown on the page.
constexpr uint32_t kOutputModeButton = 30245, kOutputFolderText = 30246;
constexpr uint32_t kSavedFileFilter = 20502, kSavedFileExtension = 20503;
int ChooseSavedFile(HWND page, PageContext* p) {
    PrivateSettings& priv = p->sheet->session->dm.priv;
    wchar_t path[MAX_PATH] = {};
    lstrcpynW(path, reinterpret_cast<const wchar_t*>(priv.destinationFolderOfFile_ToSave), MAX_PATH);
    if (!ChooseFile(p->sheet->resources, page, path, kSavedFileFilter, kSavedFileExtension, 1, p->sheet->language))
        return 0;
    return ApplyPageText(p->sheet->input, kOutputFolderText, reinterpret_cast<const char16_t*>(path)) == kChangeWritten;
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
                int caret = LOWORD(SendDlgItemMessageW(page, static_cast<int>(id), EM_GETSEL, 0, 0));
                if (IsEnvironmentPage(p->templateId) && id == kCommunityEditControl &&
                    KeepCommunityChars(reinterpret_cast<char16_t*>(text), &caret)) {
                    // Dropped characters vanish at once; the rewrite is no edit of its own.
                    SetPropW(page, kSuppressProp, reinterpret_cast<HANDLE>(1));
                    SetDlgItemTextW(page, static_cast<int>(id), text);
                    SendDlgItemMessageW(page, static_cast<int>(id), EM_SETSEL, caret, caret);
                    RemovePropW(page, kSuppressProp);
                }
                uint32_t warning = 0;
                if (code == EN_CHANGE && FilterAdvancedText(id, reinterpret_cast<char16_t*>(text), &caret, &warning)) {
                    // The refused characters go at once, with the warning.
                    SetPropW(page, kSuppressProp, reinterpret_cast<HANDLE>(1));
                    SetDlgItemTextW(page, static_cast<int>(id), text);
                    SendDlgItemMessageW(page, static_cast<int>(id), EM_SETSEL, caret, caret);
                    RemovePropW(page, kSuppressProp);
                    wchar_t message[512] = {};
                    LoadResString(p->sheet->resources, warning, message, 512, p->sheet->language);
                    MessageBoxW(GetParent(GetDlgItem(page, static_cast<int>(id))), message, L"", MB_ICONHAND);
                }
                if (ApplyPageText(p->sheet->input, id, reinterpret_cast<const char16_t*>(text)) != kChangeWritten)
                    return;
                ClearFavoriteSelection(p->sheet->favorites);
                if (code == EN_KILLFOCUS) ShowPage(page, p);
                PropSheet_Changed(GetParent(page), page);
                return;
            }
            if (code == EN_CHANGE) CommitSpinEdit(GetDlgItem(page, static_cast<int>(id)));  // its up-down follows
            if (code != EN_KILLFOCUS || !EditsNumber(id)) return;
            if (int32_t shown = 0; SpinEditValue(GetDlgItem(page, static_cast<int>(id)), &shown))
                value = static_cast<uint32_t>(shown);  // clamped to its range on leaving
            else
                value = GetDlgItemInt(page, static_cast<int>(id), nullptr, FALSE);
            break;
        case kButtonControl:
            if (code != BN_CLICKED) return;
            if (IsEnvironmentPage(p->templateId) && id == kUserPaperButton) {
                OpenUserPaperDialog(page, p->sheet->resources, p->sheet->language, p->sheet->printer, p->sheet->name,
                                    &p->sheet->session->env);
                return;
            }
            if (IsEnvironmentPage(p->templateId) && id == kStorageFolderButton) {
                if (OpenStorageFolderDialog(page, p->sheet->resources, p->sheet->language, p->sheet->printer,
                                            &p->sheet->session->env) == 1) {
                    ShowPage(page, p);
                    PropSheet_Changed(GetParent(page), page);
                }
                return;
            }
            if (IsAddFavoriteButton(id)) {
                if (OpenAddFavoriteDialog(page, Fav(p->sheet)) == 1) ShowPage(page, p);
                return;
            }
            if (int changed = 0; p->templateId == kFavoritesPage && FavoritesPageCommand(page, Fav(p->sheet), id, &changed)) {
                ShowPage(page, p);
                if (changed) PropSheet_Changed(GetParent(page), page);
                return;
            }
            if (IsEnvironmentPage(p->templateId)) {
                EnvironmentButtonResult r = PressEnvironmentButton(p->sheet->input, id);
                if (r.messageId) {
                    wchar_t text[512] = {};
                    LoadResString(p->sheet->resources, r.messageId, text, 512, p->sheet->language);
                    MessageBoxW(page, text, L"", MB_OK | MB_ICONINFORMATION);
                }
                if (r.changed) {
                    p->state.view = 0;  // a filled page starts at its first view
                    ShowPage(page, p);
                    PropSheet_Changed(GetParent(page), page);
                }
                return;
            }
            if (id == kOutputModeButton && OutputModeSavesFile(p->sheet->session->dm.priv.outputMode)) {
                if (ChooseSavedFile(page, p)) {
                    ShowPage(page, p);
                    PropSheet_Changed(GetParent(page), page);
                }
                return;
            }
            if (uint16_t dialog = SubDialogOfButton(id)) {
                if (OpenSubDialog(page, SubDialogHost{p->sheet->resources, p->sheet->language, &p->sheet->input},
                                  dialog, 0) == 1) {
                    ClearFavoriteSelection(p->sheet->favorites);
                    ShowPage(page, p);
                    PropSheet_Changed(GetParent(page), page);
                }
                return;
            }
            if (!IsRestoreDefaultsButton(id)) return;  // its dialog comes with its tab
            RestorePageDefaults(p->sheet->input);
            ClearFavoriteSelection(p->sheet->favorites);
            ShowPage(page, p);
            PropSheet_Changed(GetParent(page), page);
            return;
        default:
            return;
    }
    PageQuestion q;
    std::memset(&q, 0, sizeof q);
    int r = ChangePageControl(p->templateId, p->sheet->input, id, value, &q);
    if (r == kChangeAsks) AskAndAnswer(page, p, q);
    ClearFavoriteSelection(p->sheet->favorites);
    int custom = r == kChangeWritten ? CustomSizeTargetOfChoice(id, value) : -1;
    if (custom >= 0)
        OpenSubDialog(page, SubDialogHost{p->sheet->resources, p->sheet->language, &p->sheet->input},
                      kCustomSizeDialog, custom);
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
            if (const PageRow* row = FindPageRow(p->templateId)) AttachPageSpinEdits(page, row->layoutId);
            if (p == p->sheet->page[0]) p->sheet->firstPage = page;
            if (p->templateId == kFavoritesPage) FavoritesPageInit(page, Fav(p->sheet));
            ShowAddButtonPictures(page, Fav(p->sheet), p->templateId);
            p->sheet->input.last = LastChange{0, 0};
            ShowPage(page, p);
            return TRUE;
        }
        case WM_COMMAND:
            if (p) OnCommand(page, p, wParam);
            return TRUE;
        case WM_VSCROLL:
            // An up-down step stores its edit's value as leaving the edit does;
            // the environment page's scroll bar switches its view.
            if (int edit = p ? SpinScrolled(reinterpret_cast<HWND>(lParam)) : 0) {
                if (LOWORD(wParam) == SB_THUMBPOSITION) OnCommand(page, p, MAKEWPARAM(edit, EN_KILLFOCUS));
            } else if (p && lParam && FindControl(p, static_cast<uint32_t>(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))))) {
                int view = ScrolledView(p->state.view, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
                if (view != p->state.view) {
                    p->state.view = view;
                    ShowPage(page, p);
                }
            }
            return TRUE;
        case WM_MEASUREITEM:
            if (FavoritesPageMeasure(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            return MeasurePageImage(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            if (!p) return FALSE;
            {
                const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (DrawPagePreview(p, d) || DrawPageText(p, d)) return TRUE;
                if (p->templateId == kFavoritesPage && FavoritesPageDraw(Fav(p->sheet), d)) return TRUE;
                return DrawPageImage(p->sheet->resources, p->templateId, d);
            }
        case WM_NOTIFY: {
            if (!p) return FALSE;
            const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
            if (h->code == PSN_SETACTIVE) {
                FavoritesPageActivate(Fav(p->sheet));
                ShowPage(page, p);
            } else if (p->templateId == kFavoritesPage && FavoritesPageNotify(page, Fav(p->sheet), h)) {
                ShowPage(page, p);
                PropSheet_Changed(GetParent(page), page);
            } else if (h->code == UDN_DELTAPOS) {
                SpinDeltaPos(reinterpret_cast<const NMUPDOWN*>(lParam));
            } else if (h->code == PSN_APPLY) {
                const PageRow* row = FindPageRow(p->templateId);
                // Output to a USB drive: a drive that is gone refuses the apply
                // with its message and the sheet stays open as it was.
                const PrivateSettings& priv = p->sheet->session->dm.priv;
                if (row && row->layoutId == kBasicLayout && priv.outputMode == 3 &&
                    !CheckUsbDestinationWithMessages(page, p->sheet->resources, p->sheet->language, priv)) {
                    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
                    return TRUE;
                }
                if (row && row->layoutId == kBasicLayout) BasicPageApply(p->sheet->input);
                if (IsEnvironmentPage(p->templateId))
                    ApplyEnvironmentPage(p->sheet->input, reinterpret_cast<const char16_t*>(p->sheet->name));
                if (reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam == 1) WriteBack(p->sheet);
                if (page == p->sheet->firstPage) WaitRetrievalThread();
                SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            } else if (h->code == PSN_RESET) {
                if (page == p->sheet->firstPage) WaitRetrievalThread();
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (p) ReleasePageImages(page, p->templateId);
            if (p && page == p->sheet->firstPage) {
                WaitRetrievalThread();
                p->sheet->firstPage = nullptr;
            }
            return FALSE;
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
        if (templates[i] == kDiagnosticsPage) {
            // The diagnostics record is no part of the settings: a procedure of its own.
            psp.pfnDlgProc = DiagnosticsPageProc;
            psp.lParam = reinterpret_cast<LPARAM>(CreateDiagnosticsHost(
                c->heap, c->printer, c->resources, c->language, c->session->dm.pub.dmDeviceName));
        }
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
                                    nullptr, nullptr, own);
            } else {
                auto* h = reinterpret_cast<DocumentPropertyHeader*>(info->lParamInit);
                if (h) {
                    int mode = (h->fMode & kDmAdvanced) ? 1 : (h->fMode & kDmUserDefault) ? 2 : 0;
                    if (mode == 0 && h->pdmIn == h->pdmOut && h->cbOut == 0 && ShellOnWindows2000()) mode = 2;
                    c = CreateSheet(mode, h->fMode, !(h->fMode & kDmNoPermission), h->hPrinter, h->pszPrinterName,
                                    h->pdmIn, h->pdmOut, own);
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
