// The diagnostics page procedure: each control shows and writes its field
// of the record; a pass after every command enables what the values allow.
#include "ui/diagnostics_page_win32.h"

#include <commctrl.h>
#include <prsht.h>
#include <shlobj.h>

#include <cstring>

#include "base/text16.h"
#include "diagnostics/debug_settings.h"
#include "ui/diagnostics_page.h"
#include "ui/file_choosers_win32.h"
#include "ui/spin_edit_win32.h"

struct DiagnosticsHost {
    HANDLE printer;
    HMODULE resources;
    uint16_t language;
    char16_t device[33];
    int filling;  // set while the page writes its own controls
    DiagnosticsRecord record;
};

namespace {

constexpr uint32_t kTextFilter = 25280, kTextExtension = 25281, kProfileFilter = 25282, kProfileExtension = 25283;
constexpr uint32_t kDumpBrowse = 30121, kProfileBrowse = 30143;

DiagnosticsHost* PageHost(HWND page) { return reinterpret_cast<DiagnosticsHost*>(GetWindowLongPtrW(page, DWLP_USER)); }

void Enable(HWND page, DiagnosticsHost* h) {
    for (int i = 0; i < kDiagnosticsControlCount; i++) {
        const uint32_t id = kDiagnosticsControls[i].id;
        EnableWindow(GetDlgItem(page, static_cast<int>(id)), DiagnosticsControlEnabled(h->record, id));
    }
    ShowWindow(GetDlgItem(page, static_cast<int>(kHiddenOutputFile)), SW_HIDE);
}

void Fill(HWND page, DiagnosticsHost* h) {
    h->filling = 1;
    for (int i = 0; i < kDiagnosticsControlCount; i++) {
        const DiagnosticsControl& c = kDiagnosticsControls[i];
        HWND w = GetDlgItem(page, static_cast<int>(c.id));
        const uint32_t* field = DiagnosticsField(h->record, c.id);
        if (c.kind == kDiagCheck) SendMessageW(w, BM_SETCHECK, *field ? BST_CHECKED : BST_UNCHECKED, 0);
        if (c.kind == kDiagRadio) SendMessageW(w, BM_SETCHECK, *field == c.value ? BST_CHECKED : BST_UNCHECKED, 0);
        if (c.kind == kDiagTiming && !ShowSpinEditValue(w, static_cast<int32_t>(*field)))
            SetDlgItemInt(page, static_cast<int>(c.id), *field, FALSE);
        if (c.kind == kDiagPath) {
            SendMessageW(w, EM_LIMITTEXT, kDiagnosticsPathChars - 1, 0);
            SetWindowTextW(w, reinterpret_cast<const wchar_t*>(DiagnosticsPath(h->record, c.id)));
        }
    }
    h->filling = 0;
    Enable(page, h);
}

void ReadPaths(HWND page, DiagnosticsHost* h) {
    for (int i = 0; i < kDiagnosticsControlCount; i++) {
        const DiagnosticsControl& c = kDiagnosticsControls[i];
        if (c.kind != kDiagPath) continue;
        wchar_t* path = reinterpret_cast<wchar_t*>(DiagnosticsPath(h->record, c.id));
        GetDlgItemTextW(page, static_cast<int>(c.id), path, kDiagnosticsPathChars);
    }
}

void Browse(HWND page, DiagnosticsHost* h, const DiagnosticsControl& c) {
    ReadPaths(page, h);
    wchar_t* path = reinterpret_cast<wchar_t*>(DiagnosticsPath(h->record, c.id));
    int chosen = 0;
    if (c.id == kDumpBrowse) chosen = ChooseFile(h->resources, page, path, kTextFilter, kTextExtension, 1, h->language);
    else if (c.id == kProfileBrowse)
        chosen = ChooseFile(h->resources, page, path, kProfileFilter, kProfileExtension, 0, h->language);
    else chosen = ChooseFolder(page, path);
    if (chosen) Fill(page, h);
}

void Changed(HWND page, DiagnosticsHost* h) {
    Enable(page, h);
    PropSheet_Changed(GetParent(page), page);
}

void Command(HWND page, DiagnosticsHost* h, uint32_t id, UINT code) {
    const DiagnosticsControl* c = FindDiagnosticsControl(id);
    if (!c || h->filling) return;
    HWND w = GetDlgItem(page, static_cast<int>(id));
    switch (c->kind) {
        case kDiagCheck:
        case kDiagRadio:
            if (code != BN_CLICKED) return;
            WriteDiagnosticsValue(h->record, id, SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED);
            break;
        case kDiagTiming: {
            if (code == EN_CHANGE) CommitSpinEdit(w);
            if (code != EN_CHANGE && code != EN_KILLFOCUS) return;
            int32_t value = 0;
            if (!SpinEditValue(w, &value)) value = static_cast<int32_t>(GetDlgItemInt(page, static_cast<int>(id), nullptr, FALSE));
            WriteDiagnosticsValue(h->record, id, static_cast<uint32_t>(value < 0 ? 0 : value));
            break;
        }
        case kDiagPath:
            if (code != EN_CHANGE) return;
            break;
        case kDiagBrowse:
            if (code != BN_CLICKED) return;
            Browse(page, h, *c);
            break;
        default:
            return;
    }
    Changed(page, h);
}

}  // namespace

DiagnosticsHost* CreateDiagnosticsHost(HANDLE heap, HANDLE printer, HMODULE resources, uint16_t language,
                                       const char16_t* deviceName) {
    auto* h = static_cast<DiagnosticsHost*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(DiagnosticsHost)));
    if (!h) return nullptr;
    h->printer = printer;
    h->resources = resources;
    h->language = language;
    Text16Copy(h->device, 33, deviceName ? deviceName : u"");
    return h;
}

INT_PTR CALLBACK DiagnosticsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    DiagnosticsHost* h = PageHost(page);
    switch (message) {
        case WM_INITDIALOG: {
            h = reinterpret_cast<DiagnosticsHost*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
            SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(h));
            if (!h) return TRUE;
            wchar_t pictures[MAX_PATH] = {}, documents[MAX_PATH] = {};
            GetSpecialFolder(CSIDL_MYPICTURES, pictures);
            GetSpecialFolder(CSIDL_PERSONAL, documents);
            LoadDiagnostics(h->printer, reinterpret_cast<char16_t*>(pictures), reinterpret_cast<char16_t*>(documents),
                            h->device, &h->record);
            // Attaching the spins reports changes of its own: none of them is the user's.
            h->filling = 1;
            AttachPageSpinEdits(page, kDiagnosticsPage);
            Fill(page, h);
            return TRUE;
        }
        case WM_COMMAND:
            if (h) Command(page, h, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_VSCROLL:
            // An up-down step stores its edit's value as leaving the edit does.
            if (int edit = h ? SpinScrolled(reinterpret_cast<HWND>(lParam)) : 0)
                if (LOWORD(wParam) == SB_THUMBPOSITION) Command(page, h, static_cast<uint32_t>(edit), EN_KILLFOCUS);
            return TRUE;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lParam);
            if (!h) return FALSE;
            if (n->code == UDN_DELTAPOS) SpinDeltaPos(reinterpret_cast<const NMUPDOWN*>(lParam));
            if (n->code == PSN_APPLY) {
                ReadPaths(page, h);
                SetDebugSettings(h->printer, &h->record);
                SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            }
            if (n->code == PSN_KILLACTIVE) {
                SetWindowLongPtrW(page, DWLP_MSGRESULT, FALSE);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}
