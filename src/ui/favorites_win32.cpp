#include "ui/favorites_win32.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/isolation_win32.h"
#include "platform/platform_win32.h"
#include "rules/text_filters.h"
#include "session/global_list.h"
#include "session/model_list_access.h"
#include "ui/favorites_page.h"
#include "ui/file_choosers_win32.h"
#include "ui/image_drawing_win32.h"
#include "ui/preview_conditions.h"
#include "ui/resource_module_win32.h"

struct FavoritesView {
    FavoritesStore* store;
    HBITMAP preview[kFavoriteSlots];
    HBITMAP buttonPicture;  // picture 11920, the add buttons' own
};

namespace {

constexpr int kCellHeight = 171, kPictureSide = 136;
constexpr uint16_t kButtonPicture = 11920;
constexpr uint32_t kNameCharsRemovedText = 20180, kFavoriteNameLabel = 25045;
constexpr uint32_t kFavoriteFilterText = 20381, kFavoriteExtensionText = 20463;
constexpr int kAddName = 31518, kAddOriginal = 31512, kAddOutput = 31514, kAddZoom = 31515, kAddDetails = 31516;
constexpr int kManageList = 31618, kManageDetails = 31616, kManageUp = 31619, kManageDown = 31620,
              kManageRename = 31621, kManageDelete = 31622, kRenameEdit = 31621;
const wchar_t kSuppress[] = L"PROP_SUPPRESS_WMCOMMAND";
const COLORREF kListGrey = RGB(204, 204, 204);

const char16_t* U(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }
const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

std::wstring Words(const FavoritesHostWin& h, uint32_t id) {
    wchar_t text[512] = {};
    LoadResString(h.resources, id, text, 512, h.language);
    return text;
}

// "+IDS" names resolve through the platform's string reader: the sheet's
// module and language while the store loads.
struct ModuleWords {
    HMODULE module;
    uint16_t language;
};
int ReadWords(void* context, uint32_t, uint32_t id, char16_t* buffer, int capacity) {
    const auto* m = static_cast<const ModuleWords*>(context);
    return static_cast<int>(LoadResString(m->module, id, reinterpret_cast<wchar_t*>(buffer),
                                          static_cast<uint32_t>(capacity), m->language));
}

FavoritesHost StoreHost(const FavoritesHostWin& h) { return FavoritesHostOf(*h.input, U(h.printerName)); }

// A favourite's preview: the main preview's pictures for its settings on a
// 136-pixel square, every pixel opaque so that it can be drawn greyed.
HBITMAP RenderPreview(const FavoritesHostWin& h, const PrivateSettings& settings) {
    auto work = std::make_unique<PrinterSession>();
    std::memcpy(work.get(), h.input->session, sizeof *work);
    work->dm.priv = settings;
    uint32_t images[kPreviewImageRoom];
    const int n = PreviewImagesOf(*work, h.input->facts, kPreviewMain, images);
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kPictureSide;
    bi.bmiHeader.biHeight = -kPictureSide;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dib || !mem) {
        if (dib) DeleteObject(dib);
        if (mem) DeleteDC(mem);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(mem, dib);
    RECT all = {0, 0, kPictureSide, kPictureSide};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(mem, &all, white);
    DeleteObject(white);
    const PreviewLayout lay = PreviewLayoutOf(kPreviewMain);
    for (int i = 0; i < n; i++) {
        HBITMAP picture = LoadResImage(h.resources, static_cast<uint16_t>(images[i]));
        if (!picture) continue;
        DrawBitmapTransparent(mem, picture, (kPictureSide - lay.layoutW) / 2, (kPictureSide - lay.layoutH) / 2,
                              lay.layoutW, lay.layoutH);
        DeleteObject(picture);
    }
    GdiFlush();
    auto* px = static_cast<uint8_t*>(bits);
    for (int i = 0; i < kPictureSide * kPictureSide; i++) px[i * 4 + 3] = 255;
    SelectObject(mem, old);
    DeleteDC(mem);
    return dib;
}

void DropPreviews(FavoritesView* v) {
    for (HBITMAP& b : v->preview)
        if (b) DeleteObject(b), b = nullptr;
}

void RenderPreviews(const FavoritesHostWin& h) {
    FavoritesView* v = h.view;
    DropPreviews(v);
    for (int i = 0; i < kFavoriteSlots; i++)
        if (FavoriteSlotName(*v->store, i)[0] && v->store->entry[i].readable)
            v->preview[i] = RenderPreview(h, v->store->entry[i].settings);
}

void Load(const FavoritesHostWin& h, int keepSelection) {
    FavoritesView* v = h.view;
    const int selected = v->store->selected;
    ModuleWords words = {h.resources, h.language};
    SetResourceStringReader(ReadWords, &words);
    LoadFavorites(StoreHost(h), v->store);
    SetResourceStringReader(nullptr, nullptr);
    if (keepSelection && selected >= 0 && selected < kFavoriteSlots && FavoriteSlotName(*v->store, selected)[0] &&
        v->store->entry[selected].usable)
        v->store->selected = selected;
    h.input->facts.favoriteCount = v->store->count;
    RenderPreviews(h);
}

void SetDetailsTitle(HWND list, const wchar_t* title) {
    LVITEMW item;
    std::memset(&item, 0, sizeof item);
    item.iSubItem = 1;
    item.pszText = const_cast<wchar_t*>(title);
    SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
}

// A detail view: two columns, each setting's name and its value's words,
// under a title line with the favourite's name.
void FillDetails(HWND list, const FavoritesHostWin& h, const PrivateSettings* settings, const wchar_t* title) {
    if (!list) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) == 0) {
        RECT rc;
        GetClientRect(list, &rc);
        const int width = rc.right - GetSystemMetrics(SM_CXVSCROLL);
        LVCOLUMNW col;
        std::memset(&col, 0, sizeof col);
        col.mask = LVCF_WIDTH;
        col.cx = width / 2;
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
        col.cx = width - width / 2;
        SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
    }
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    if (settings) {
        std::vector<DetailLine> lines(kDetailLineRoom);
        const int n = FavoriteDetailLines(*h.input, *settings, lines.data(), kDetailLineRoom);
        std::wstring label = Words(h, kFavoriteNameLabel);
        LVITEMW head;
        std::memset(&head, 0, sizeof head);
        head.mask = LVIF_TEXT;
        head.pszText = label.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&head));
        SetDetailsTitle(list, title ? title : L"");
        for (int i = 0; i < n; i++) {
            std::wstring name = Words(h, lines[i].nameId), value;
            if (lines[i].valueId) {
                value = Words(h, lines[i].valueId);
            } else {
                wchar_t text[128] = {};
                MultiByteToWideChar(CP_UTF8, 0, lines[i].value.c_str(), -1, text, 128);
                value = text;
            }
            LVITEMW item;
            std::memset(&item, 0, sizeof item);
            item.mask = LVIF_TEXT;
            item.iItem = i + 1;
            item.pszText = name.data();
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = value.data();
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i + 1), reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// A name typed into an edit loses the characters names may not hold, with
// the warning.
void FilterNameEdit(HWND dlg, const FavoritesHostWin& h, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dlg, id, text, 64);
    if (!RemoveForbiddenChars(TextFilterKind::Name, reinterpret_cast<char16_t*>(text))) return;
    DWORD caret = 0;
    SendDlgItemMessageW(dlg, id, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    SetPropW(dlg, kSuppress, reinterpret_cast<HANDLE>(1));
    SetDlgItemTextW(dlg, id, text);
    const DWORD at = caret ? caret - 1 : 0;
    SendDlgItemMessageW(dlg, id, EM_SETSEL, at, at);
    RemovePropW(dlg, kSuppress);
    MessageBoxW(dlg, Words(h, kNameCharsRemovedText).c_str(), L"", MB_OK | MB_ICONHAND);
}

void RefuseName(HWND dlg, const FavoritesHostWin& h, int edit) {
    MessageBoxW(dlg, Words(h, kFavoriteNameTakenText).c_str(), L"", MB_OK | MB_ICONHAND);
    SetFocus(GetDlgItem(dlg, edit));
    SendDlgItemMessageW(dlg, edit, EM_SETSEL, 0, -1);
}

// ---- the add dialog (31500)

std::wstring PaperWords(const PrinterSession& s, uint16_t id) {
    char16_t name[kPaperNameChars + 1] = {};
    if (!PaperNameAt(&s.env, PaperListIndex(&s.env, id), name, kPaperNameChars + 1)) return std::to_wstring(id);
    return W(name);
}

INT_PTR CALLBACK AddProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* h = reinterpret_cast<FavoritesHostWin*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            h = reinterpret_cast<FavoritesHostWin*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            const PrinterSession& s = *h->input->session;
            SetDlgItemTextW(dlg, kAddOriginal, PaperWords(s, s.dm.priv.originalSize).c_str());
            SetDlgItemTextW(dlg, kAddOutput, s.dm.priv.outputSize ? PaperWords(s, s.dm.priv.outputSize).c_str()
                                                                  : Words(*h, 20551).c_str());
            SetDlgItemTextW(dlg, kAddZoom, (std::to_wstring(s.dm.priv.scale_Zoom) + L" %").c_str());
            SendDlgItemMessageW(dlg, kAddName, EM_LIMITTEXT, kFavoriteNameUnits - 1, 0);
            FillDetails(GetDlgItem(dlg, kAddDetails), *h, &s.dm.priv, L"");
            EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
            return TRUE;
        }
        case WM_COMMAND: {
            if (!h) return FALSE;
            const int id = LOWORD(wParam);
            if (id == kAddName && HIWORD(wParam) == EN_CHANGE && !GetPropW(dlg, kSuppress)) {
                FilterNameEdit(dlg, *h, kAddName);
                wchar_t name[kFavoriteNameUnits] = {};
                GetDlgItemTextW(dlg, kAddName, name, kFavoriteNameUnits);
                SetDetailsTitle(GetDlgItem(dlg, kAddDetails), name);
                EnableWindow(GetDlgItem(dlg, IDOK), GetWindowTextLengthW(GetDlgItem(dlg, kAddName)) > 0);
            } else if (id == IDOK) {
                wchar_t name[kFavoriteNameUnits] = {};
                GetDlgItemTextW(dlg, kAddName, name, kFavoriteNameUnits);
                int exists = 0;
                FavoritesStore* store = h->view->store;
                if (SaveFavorite(StoreHost(*h), store, h->input->session->dm, U(name), 0, 0, &exists)) {
                    store->selected = FindFavorite(*store, U(name));
                    h->input->facts.favoriteCount = store->count;
                    RenderPreviews(*h);
                    EndDialog(dlg, 1);
                } else if (exists) {
                    RefuseName(dlg, *h, kAddName);
                }
            } else if (id == IDCANCEL) {
                EndDialog(dlg, 2);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// ---- the management dialog (31600) and renaming (31601)

struct Manage {
    FavoritesHostWin host;
    FavoritesStore* store;  // the dialog's own
    int changed;
    wchar_t renamed[kFavoriteNameUnits];
};

void FillManage(HWND dlg, Manage* m) {
    HWND list = GetDlgItem(dlg, kManageList);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) == 0) {
        RECT rc;
        GetClientRect(list, &rc);
        LVCOLUMNW col;
        std::memset(&col, 0, sizeof col);
        col.mask = LVCF_WIDTH;
        col.cx = rc.right - GetSystemMetrics(SM_CXVSCROLL);
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    }
    SetPropW(dlg, kSuppress, reinterpret_cast<HANDLE>(1));
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int cells[kFavoriteSlots];
    const int n = FavoriteCells(*m->store, cells);
    int shownSelection = -1;
    for (int i = 0; i < n; i++) {
        LVITEMW item;
        std::memset(&item, 0, sizeof item);
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.lParam = cells[i];
        item.pszText = const_cast<wchar_t*>(W(m->store->entry[cells[i]].displayName));
        if (!item.pszText[0]) item.pszText = const_cast<wchar_t*>(W(FavoriteSlotName(*m->store, cells[i])));
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (cells[i] == m->store->selected) shownSelection = i;
    }
    if (shownSelection >= 0) {
        LVITEMW state;
        std::memset(&state, 0, sizeof state);
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(shownSelection), reinterpret_cast<LPARAM>(&state));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RemovePropW(dlg, kSuppress);
    const int sel = m->store->selected;
    const int first = n ? cells[0] : -1, last = n ? cells[n - 1] : -1;
    const int any = sel >= 0 && sel < kFavoriteSlots && FavoriteSlotName(*m->store, sel)[0];
    EnableWindow(GetDlgItem(dlg, kManageUp), any && sel != first);
    EnableWindow(GetDlgItem(dlg, kManageDown), any && sel != last);
    EnableWindow(GetDlgItem(dlg, kManageRename), any);
    EnableWindow(GetDlgItem(dlg, kManageDelete), any);
    EnableWindow(GetDlgItem(dlg, IDOK), m->changed);
    const FavoriteEntry* e = any ? &m->store->entry[sel] : nullptr;
    FillDetails(GetDlgItem(dlg, kManageDetails), m->host, e && e->readable ? &e->settings : nullptr,
                e ? W(e->displayName) : nullptr);
}

INT_PTR CALLBACK RenameProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<Manage*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            m = reinterpret_cast<Manage*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            SendDlgItemMessageW(dlg, kRenameEdit, EM_LIMITTEXT, kFavoriteNameUnits - 1, 0);
            SetDlgItemTextW(dlg, kRenameEdit, m->renamed);
            return TRUE;
        case WM_COMMAND: {
            if (!m) return FALSE;
            const int id = LOWORD(wParam);
            if (id == kRenameEdit && HIWORD(wParam) == EN_CHANGE && !GetPropW(dlg, kSuppress)) {
                FilterNameEdit(dlg, m->host, kRenameEdit);
                EnableWindow(GetDlgItem(dlg, IDOK), GetWindowTextLengthW(GetDlgItem(dlg, kRenameEdit)) > 0);
            } else if (id == IDOK) {
                GetDlgItemTextW(dlg, kRenameEdit, m->renamed, kFavoriteNameUnits);
                if (RenameFavorite(m->store, m->store->selected, U(m->renamed))) EndDialog(dlg, 1);
                else if (m->renamed[0]) RefuseName(dlg, m->host, kRenameEdit);
            } else if (id == IDCANCEL) {
                EndDialog(dlg, 2);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK ManageProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<Manage*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            m = reinterpret_cast<Manage*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            FillManage(dlg, m);
            return TRUE;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (!m || n->hdr.idFrom != static_cast<UINT_PTR>(kManageList) || n->hdr.code != LVN_ITEMCHANGED ||
                GetPropW(dlg, kSuppress) || !(n->uNewState & LVIS_SELECTED))
                return FALSE;
            m->store->selected = static_cast<int>(n->lParam);
            FillManage(dlg, m);
            return TRUE;
        }
        case WM_COMMAND: {
            if (!m) return FALSE;
            const int id = LOWORD(wParam), sel = m->store->selected;
            int edited = 0;
            if (id == kManageUp) edited = MoveFavorite(m->store, sel, -1);
            else if (id == kManageDown) edited = MoveFavorite(m->store, sel, 1);
            else if (id == kManageDelete) edited = DeleteFavorite(m->store, sel);
            else if (id == kManageRename && sel >= 0) {
                std::memcpy(m->renamed, m->store->entry[sel].displayName, sizeof m->renamed);
                edited = ResDialogBox(m->host.resources, dlg, kRenameFavoriteDialog, RenameProc,
                                      reinterpret_cast<LPARAM>(m), m->host.language) == 1;
            } else if (id == IDOK) {
                EndDialog(dlg, RewriteFavorites(StoreHost(m->host), *m->store) ? 1 : 2);
                return TRUE;
            } else if (id == IDCANCEL) {
                EndDialog(dlg, 2);
                return TRUE;
            }
            if (edited) {
                m->changed = 1;
                FillManage(dlg, m);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// ---- import and export

int ReadFileBytes(const wchar_t* path, std::vector<uint8_t>* out) {
    HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 0;
    LARGE_INTEGER size;
    int ok = GetFileSizeEx(f, &size) && size.QuadPart < (1 << 24);
    DWORD got = 0;
    if (ok) {
        out->resize(static_cast<size_t>(size.QuadPart));
        ok = out->empty() || (ReadFile(f, out->data(), static_cast<DWORD>(out->size()), &got, nullptr) &&
                              got == out->size());
    }
    CloseHandle(f);
    return ok;
}

int WriteFileBytes(const wchar_t* path, const std::vector<uint8_t>& bytes) {
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 0;
    DWORD put = 0;
    int ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) && put == bytes.size();
    CloseHandle(f);
    return ok;
}

int Import(HWND page, const FavoritesHostWin& h) {
    wchar_t path[MAX_PATH] = {};
    if (!ChooseFile(h.resources, page, path, kFavoriteFilterText, kFavoriteExtensionText, 0, h.language)) return 0;
    std::vector<uint8_t> file;
    if (!ReadFileBytes(path, &file) ||
        !ImportFavorite(StoreHost(h), h.view->store, file.data(), static_cast<uint32_t>(file.size()))) {
        MessageBoxW(page, Words(h, kFavoriteImportFailedText).c_str(), L"",
                    MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
        return 0;
    }
    Load(h, 1);
    return 1;
}

void Export(HWND page, const FavoritesHostWin& h) {
    const FavoritesStore& s = *h.view->store;
    if (s.selected < 0) return;
    wchar_t path[MAX_PATH] = {};
    lstrcpynW(path, W(s.entry[s.selected].displayName), MAX_PATH);
    if (!ChooseFile(h.resources, page, path, kFavoriteFilterText, kFavoriteExtensionText, 1, h.language)) return;
    std::vector<uint8_t> file;
    if (ExportFavorite(StoreHost(h), s, FavoriteSlotName(s, s.selected), &file)) WriteFileBytes(path, file);
}

}  // namespace

FavoritesView* CreateFavoritesView(const FavoritesHostWin& host) {
    auto* v = static_cast<FavoritesView*>(std::calloc(1, sizeof(FavoritesView)));
    if (!v) return nullptr;
    v->store = CreateFavoritesStore();
    if (!v->store) {
        std::free(v);
        return nullptr;
    }
    FavoritesHostWin h = host;
    h.view = v;
    Load(h, 0);
    return v;
}

void FreeFavoritesView(FavoritesView* view) {
    if (!view) return;
    DropPreviews(view);
    if (view->buttonPicture) DeleteObject(view->buttonPicture);
    FreeFavoritesStore(view->store);
    std::free(view);
}

void ClearFavoriteSelection(FavoritesView* view) {
    if (view) view->store->selected = -1;
}

void ShowAddButtonPictures(HWND page, const FavoritesHostWin& h, uint16_t templateId) {
    FavoritesView* v = h.view;
    if (!v) return;
    if (!v->buttonPicture) {
        // The picture's key colour becomes the button's face.
        v->buttonPicture = LoadResImage(h.resources, kButtonPicture);
        DIBSECTION ds;
        if (v->buttonPicture && GetObjectW(v->buttonPicture, sizeof ds, &ds) == sizeof ds &&
            ds.dsBm.bmBitsPixel == 24 && ds.dsBm.bmBits) {
            const COLORREF face = GetSysColor(COLOR_BTNFACE);
            for (int y = 0; y < ds.dsBm.bmHeight; y++) {
                auto* row = static_cast<uint8_t*>(ds.dsBm.bmBits) + static_cast<size_t>(y) * ds.dsBm.bmWidthBytes;
                for (int x = 0; x < ds.dsBm.bmWidth; x++) {
                    uint8_t* px = row + x * 3;  // blue, green, red
                    if (px[0] == 0 && px[1] == 0 && px[2] == 255)
                        px[0] = GetBValue(face), px[1] = GetGValue(face), px[2] = GetRValue(face);
                }
            }
        }
    }
    if (!v->buttonPicture) return;
    const PageRow* row = FindPageRow(templateId);
    for (int i = 0; row && i < kControlRowCount; i++)
        if (kControlRows[i].templateId == row->layoutId && IsAddFavoriteButton(kControlRows[i].id))
            SendDlgItemMessageW(page, kControlRows[i].id, BM_SETIMAGE, IMAGE_BITMAP,
                                reinterpret_cast<LPARAM>(v->buttonPicture));
}

INT_PTR OpenAddFavoriteDialog(HWND owner, const FavoritesHostWin& host) {
    if (!host.view) return -1;
    FavoritesHostWin h = host;
    return ResDialogBox(host.resources, owner, kAddFavoriteDialog, AddProc, reinterpret_cast<LPARAM>(&h),
                        host.language);
}

void FavoritesPageInit(HWND page, const FavoritesHostWin& h) {
    if (!h.view) return;
    if (h.view->store->reload) Load(h, 1);
    HWND list = GetDlgItem(page, kFavoritesListControl);
    // Rows of 171 pixels, from a small image list of that height (the list
    // frees it with itself), from the common controls the sheet uses.
    typedef HIMAGELIST(WINAPI * CreateFn)(int, int, UINT, int, int);
    HMODULE controls = IsolationAwareLoadLibraryW(L"comctl32.dll");
    auto create = controls ? reinterpret_cast<CreateFn>(reinterpret_cast<void (*)()>(
                                 IsolationAwareGetProcAddress(controls, "ImageList_Create")))
                           : nullptr;
    if (HIMAGELIST rows = create ? create(1, kCellHeight, ILC_COLOR, 0, 1) : nullptr)
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows));
    SendMessageW(list, LVM_SETBKCOLOR, 0, kListGrey);
    RECT rc;
    GetClientRect(list, &rc);
    const int cell = (rc.right - GetSystemMetrics(SM_CXVSCROLL)) / 3;
    LVCOLUMNW col;
    std::memset(&col, 0, sizeof col);
    col.mask = LVCF_WIDTH;
    col.cx = cell < 148 ? cell : 148;
    for (int i = 0; i < 3; i++) SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
}

void FavoritesPageBefore(const FavoritesHostWin& h) {
    if (!h.view) return;
    const FavoritesStore& s = *h.view->store;
    ApplySelectedFavorite(*h.input, s);
    h.input->facts.favoriteCount = s.count;
    h.input->facts.favoriteSelected = s.selected >= 0 && FavoriteSlotName(s, s.selected)[0];
}

void FavoritesPageAfter(HWND page, const FavoritesHostWin& h) {
    if (!h.view) return;
    const FavoritesStore& s = *h.view->store;
    HWND list = GetDlgItem(page, kFavoritesListControl);
    int cells[kFavoriteSlots];
    const int rows = FavoriteCellRows(FavoriteCells(s, cells));
    if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != rows) {
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        for (int r = 0; r < rows; r++) {
            LVITEMW item;
            std::memset(&item, 0, sizeof item);
            item.iItem = r;
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    InvalidateRect(list, nullptr, FALSE);
    const int sel = s.selected >= 0 && FavoriteSlotName(s, s.selected)[0] ? s.selected : -1;
    FillDetails(GetDlgItem(page, kFavoriteDetailsControl), h,
                sel >= 0 && s.entry[sel].readable ? &s.entry[sel].settings : nullptr,
                sel >= 0 ? W(s.entry[sel].displayName) : nullptr);
}

int FavoritesPageCommand(HWND page, const FavoritesHostWin& h, uint32_t id, int* changed) {
    *changed = 0;
    if (!h.view) return 0;
    FavoritesStore* s = h.view->store;
    switch (id) {
        case kFavoritesManageButton: {
            auto m = std::make_unique<Manage>();
            std::memset(m.get(), 0, sizeof *m);
            m->host = h;
            m->store = CreateFavoritesStore();
            if (!m->store) return 1;
            std::memcpy(m->store, s, sizeof *s);
            if (ResDialogBox(h.resources, page, kManageFavoritesDialog, ManageProc, reinterpret_cast<LPARAM>(m.get()),
                             h.language) == 1) {
                s->selected = -1;
                Load(h, 0);
                *changed = 1;
            }
            FreeFavoritesStore(m->store);
            return 1;
        }
        case kFavoritesImportButton:
            *changed = Import(page, h);
            return 1;
        case kFavoritesExportButton:
            Export(page, h);
            return 1;
        case kFavoritesRestoreButton:
            s->selected = -1;
            return 0;  // the sheet's restore follows
        default:
            return 0;
    }
}

int FavoritesPageNotify(HWND page, const FavoritesHostWin& h, const NMHDR* hdr) {
    if (!h.view || hdr->idFrom != kFavoritesListControl || hdr->code != NM_CLICK) return 0;
    const auto* a = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    LVHITTESTINFO hit;
    std::memset(&hit, 0, sizeof hit);
    hit.pt = a->ptAction;
    SendMessageW(hdr->hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const int cell = static_cast<int>(SendMessageW(hdr->hwndFrom, LVM_GETCOLUMNWIDTH, 0, 0));
    const int slot = hit.iItem < 0 ? -1 : FavoriteCellAt(*h.view->store, hit.iItem, hit.iSubItem * cell + 1, cell);
    (void)page;
    if (slot < 0 || slot == h.view->store->selected) return 0;
    h.view->store->selected = slot;
    return 1;
}

int FavoritesPageDraw(const FavoritesHostWin& h, const DRAWITEMSTRUCT* d) {
    if (!h.view || d->CtlID != kFavoritesListControl) return 0;
    const FavoritesStore& s = *h.view->store;
    const int cellW = static_cast<int>(SendMessageW(d->hwndItem, LVM_GETCOLUMNWIDTH, 0, 0));
    const int height = d->rcItem.bottom - d->rcItem.top;
    int cells[kFavoriteSlots];
    const int n = FavoriteCells(s, cells);
    HDC mem = CreateCompatibleDC(d->hDC);
    HBITMAP cellBitmap = CreateCompatibleBitmap(d->hDC, cellW, height);
    if (!mem || !cellBitmap) {
        if (cellBitmap) DeleteObject(cellBitmap);
        if (mem) DeleteDC(mem);
        return 1;
    }
    HGDIOBJ oldBitmap = SelectObject(mem, cellBitmap);
    HGDIOBJ oldFont = SelectObject(mem, reinterpret_cast<HGDIOBJ>(SendMessageW(d->hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(mem, TRANSPARENT);
    for (int c = 0; c < 3; c++) {
        const int at = static_cast<int>(d->itemID) * 3 + c;
        const int slot = at < n ? cells[at] : -1;
        const bool selected = slot >= 0 && slot == s.selected;
        RECT all = {0, 0, cellW, height};
        HBRUSH back = selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : CreateSolidBrush(kListGrey);
        FillRect(mem, &all, back);
        if (!selected) DeleteObject(back);
        if (slot >= 0) {
            const FavoriteEntry& e = s.entry[slot];
            if (HBITMAP picture = h.view->preview[slot]) {
                if (e.usable) DrawBitmapTransparent(mem, picture, 6, 13, kPictureSide, kPictureSide);
                else DrawBitmapGreyed(mem, picture);
            }
            SetTextColor(mem, GetSysColor(!e.usable ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT text = {2, 153, cellW - 2, height};
            const wchar_t* name = W(e.displayName[0] ? e.displayName : FavoriteSlotName(s, slot));
            DrawTextW(mem, name, -1, &text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        BitBlt(d->hDC, d->rcItem.left + c * cellW, d->rcItem.top, cellW, height, mem, 0, 0, SRCCOPY);
    }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteObject(cellBitmap);
    DeleteDC(mem);
    return 1;
}

int FavoritesPageMeasure(MEASUREITEMSTRUCT* item) {
    if (!item || item->CtlID != kFavoritesListControl) return 0;
    item->itemHeight = kCellHeight;
    return 1;
}

void FavoritesPageActivate(const FavoritesHostWin& h) {
    if (h.view && h.view->store->reload) Load(h, 1);
}
