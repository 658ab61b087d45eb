#include "ui/own_dialog_win32.h"

#include <commctrl.h>

#include "ui/image_drawing_win32.h"
#include "ui/resource_module_win32.h"
#include "ui/spin_edit_win32.h"

INT_PTR OwnDialogMessage(const OwnDialog& kind, HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    void* data = GetPropW(dlg, kind.dataProp);
    switch (message) {
        case WM_INITDIALOG:
            SetPropW(dlg, kind.dataProp, reinterpret_cast<HANDLE>(lParam));
            kind.init(dlg, reinterpret_cast<void*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (data) kind.command(dlg, data, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto* h = reinterpret_cast<const NMHDR*>(lParam);
            if (kind.spins && h->code == UDN_DELTAPOS) SpinDeltaPos(reinterpret_cast<const NMUPDOWN*>(lParam));
            return FALSE;
        }
        case WM_VSCROLL:
            if (!kind.spins) return FALSE;
            SpinScrolled(reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!kind.separator || item->CtlID != static_cast<UINT>(kind.separator)) return FALSE;
            DrawSeparator(item);
            return TRUE;
        }
        case WM_DESTROY:
            RemovePropW(dlg, kind.dataProp);
            return FALSE;
        default:
            return FALSE;
    }
}

void ShowResInformation(HWND owner, HMODULE resources, uint16_t language, uint32_t textId) {
    wchar_t text[512] = {};
    LoadResString(resources, textId, text, 512, language);
    MessageBoxW(owner, text, L"", MB_OK | MB_ICONINFORMATION);
}
