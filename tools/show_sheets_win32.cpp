// The main job's sheet viewer: installs the demo printer with its model
// description and resource module, opens its printing preferences as an
// application does (DocumentPropertiesW with the prompt), saves a picture of
// every tab, picks two-sided printing and landscape through the controls,
// photographs the sub-dialogs of kDialogShots (closed with Cancel), presses
// OK and prints the settings that changed; then the Image and Advanced tabs
// of a two-colour printer, and the printer's device sheet. --show leaves the sheets to a person.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "platform/property_headers_win32.h"
#include "platform/platform_win32.h"
#include "settings/field_table.h"

namespace {

const wchar_t kDriverName[] = L"KELO ZR-C4500";
const wchar_t kPrinter[] = L"KELO ZR-C4500 demo";
constexpr DWORD kWaitMs = 90000;
constexpr int kDuplexControl = 30213;
constexpr int kLandscapeControl = 30227;

// The sub-dialogs photographed after the choices: the tab (0-based) whose
// button opens it, the button, one control only that dialog has, and the
// picture's name; a list picked first (by item data) and put back after
// (no button: the choice itself opens the dialog).
struct DialogShot {
    const char* sheet;  // the Driver's prefix
    int tab, button, control;
    const char* name;
    int list = 0, value = 0;
    int dialogTab = 0;  // a dialog with its own tabs: the tab shown
    int press = 0;      // a button of the dialog or of its shown panel pressed first
    // A dialog that one of this dialog's buttons opens, photographed over it.
    int innerButton = 0, innerControl = 0;
    const char* innerName = nullptr;
};

constexpr DialogShot kDialogShots[] = {
    {"document", 0, 30229, 31818, "mixed-sizes"},
    {"document", 0, 30239, 31415, "tray-per-page"},
    {"document", 0, 0, 31711, "custom-size", 30223, 256},
    {"document", 0, 30245, 31915, "output-folder", 30244, 1},
    {"document", 3, 30534, 32812, "output-tray"},
    {"document", 4, 30634, 31110, "barcode-density"},
    {"document", 4, 30631, 32211, "colour-profile"},
    {"document", 5, 30743, 34003, "carbon-copy"},
    {"document", 5, 30731, 30814, "version"},
    {"document", 5, 30726, 33093, "program-print"},
    {"document", 5, 30724, 33826, "form-overlay"},
    {"document", 4, 30629, 32111, "gamma"},
    {"device", 0, 30048, 30922, "user-papers"},
    {"device", 0, 30049, 31015, "storage-folders"},
    {"document", 0, 30256, 31518, "add-favorite"},
    {"document", 1, 30313, 31618, "manage-favorites"},
    {"document", 2, 30421, 32017, "image-position"},
    {"document", 2, 30417, 33214, "watermark", 0, 0, 0, 0, 33215, 33311, "watermark-text"},
    {"document", 3, 30520, 32713, "fold", 30519, 1},
    {"document", 3, 30529, 32313, "slip-sheets"},
    {"document", 3, 30512, 32617, "binding-margin"},
    {"document", 3, 30523, 32512, "booklet-binding"},
    {"document", 3, 30531, 32417, "covers"},
    {"document", 3, 30549, 32913, "mail-making"},
    {"document", 2, 30419, 33410, "stamp-page-number", 0, 0, 0, 33511},
    {"document", 2, 30419, 33410, "stamp-date", 0, 0, 1, 33611},
    {"document", 2, 30419, 33410, "stamp-text", 0, 0, 2, 33711},
    {"document", 3, 30547, 33915, "perfect-binding"},
};

// The two-colour model's printer: its Image tab has a template of its own.
const wchar_t kTwoColourDriver[] = L"KELO ZR-T2300";
const wchar_t kTwoColourPrinter[] = L"KELO ZR-T2300 demo";

// Favourites added through the add dialog before the tabs are photographed,
// so that the favourites tab shows thumbnails: the current settings, then
// two-sided and one-colour ones; the Basic tab's defaults are restored
// after. A name the printer holds already (from an earlier run) is refused
// with a message, which is closed with the dialog.
constexpr int kAddFavoriteButton = 30256, kFavoriteName = 31518, kColorModeControl = 30211, kBasicRestore = 30257;
constexpr const wchar_t* kDemoFavorites[] = {L"Office", L"Two-sided", L"One colour"};

// Where the pictures go: screenshots/, or screenshots/<language>/ for a
// language chosen with --lang.
std::string g_shots = "screenshots/";

int Fail(const char* what) {
    std::fprintf(stderr, "zr51-show-sheets: %s failed (error %lu)\n", what, GetLastError());
    return 0;
}

int Install() {
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        if (!CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) return Fail("copying the driver files");
    if (!AddDriverWithFiles(kDriverName, L"ZR51AUI.dll", {L"ZRC4500.RDF", L"ZR51ARC.DLL"}))
        return Fail("AddPrinterDriverW");
    if (!PrinterExists(kPrinter) && !AddPrinterOnPort(kPrinter, kDriverName, L"FILE:")) return Fail("AddPrinterW");
    // This spooler never sends the initialisation event: it is sent here,
    // so the printer is set up by the driver's own installation.
    if (!InitializeThroughDriver(kPrinter, kDriverName)) return Fail("the driver's printer initialisation");
    if (!CopyIntoDriverDirectory(FileBesideExecutable(L"models\\ZRT2300.RDF"), nullptr) ||
        !AddDriverWithFiles(kTwoColourDriver, L"ZR51AUI.dll", {L"ZRT2300.RDF", L"ZR51ARC.DLL"}) ||
        (!PrinterExists(kTwoColourPrinter) && !AddPrinterOnPort(kTwoColourPrinter, kTwoColourDriver, L"FILE:")) ||
        !InitializeThroughDriver(kTwoColourPrinter, kTwoColourDriver))
        return Fail("installing the two-colour printer");
    return 1;
}

// The window's rectangle from the screen into a 24-bit BMP file.
// The window's rectangle, joined with a second window's (a dialog over
// its sheet) when one is given.
int SaveWindowPicture(HWND w, const std::string& file, HWND over = nullptr) {
    RECT r, o;
    GetWindowRect(w, &r);
    if (over && GetWindowRect(over, &o)) UnionRect(&r, &r, &o);
    int cx = r.right - r.left, cy = r.bottom - r.top;
    if (cx <= 0 || cy <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, cx, cy, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((cx * 3 + 3) & ~3u), size = stride * cy;
    BITMAPFILEHEADER fh;
    std::memset(&fh, 0, sizeof fh);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    FILE* f = std::fopen(file.c_str(), "wb");
    int ok = 0;
    if (f) {
        ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
             std::fwrite(bits, size, 1, f) == 1;
        std::fclose(f);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

struct Driver {
    DWORD thread;
    const char* prefix;
    int choose;  // pick two-sided and landscape on the first tab
    int show;
    int pictures = 0;
    int firstTab = 0, lastTab = 99;  // the tabs photographed
};

void Settle() { Sleep(400); }

BOOL CALLBACK FindShownControl(HWND w, LPARAM io) {
    auto* found = reinterpret_cast<std::pair<int, HWND>*>(io);
    if (GetDlgCtrlID(w) != found->first || !IsWindowVisible(w)) return TRUE;
    found->second = w;
    return FALSE;
}

BOOL CALLBACK FindDialogWith(HWND w, LPARAM io) {
    auto* found = reinterpret_cast<std::pair<int, HWND>*>(io);
    if (IsWindowVisible(w) && GetDlgItem(w, found->first)) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

// A sub-dialog of the page's button (known by one of its controls):
// opened, photographed and closed with Cancel.
// The list's item of this data selected and told to the page (posted when
// the choice opens a dialog); returns the data it showed before.
LRESULT PickListData(HWND page, int list, LRESULT data, int post) {
    HWND w = GetDlgItem(page, list);
    LRESULT before = SendMessageW(w, CB_GETITEMDATA, SendMessageW(w, CB_GETCURSEL, 0, 0), 0);
    for (LRESULT i = 0, n = SendMessageW(w, CB_GETCOUNT, 0, 0); i < n; ++i)
        if (SendMessageW(w, CB_GETITEMDATA, i, 0) == data) SendMessageW(w, CB_SETCURSEL, i, 0);
    if (post) PostMessageW(page, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
    else SendMessageW(page, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
    return before;
}

void PhotographSubDialog(Driver* d, HWND page, const DialogShot& shot) {
    int button = shot.button, control = shot.control;
    const char* name = shot.name;
    LRESULT before = shot.list ? PickListData(page, shot.list, shot.value, !button) : 0;
    if (button)
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
    std::pair<int, HWND> found{control, nullptr};
    for (DWORD start = GetTickCount(); !found.second && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(d->thread, FindDialogWith, reinterpret_cast<LPARAM>(&found));
    if (!found.second) {
        std::fprintf(stderr, "zr51-show-sheets: the %s dialog did not appear\n", name);
        return;
    }
    if (HWND tabs = shot.dialogTab ? FindWindowExW(found.second, nullptr, L"SysTabControl32", nullptr) : nullptr) {
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(shot.dialogTab), 0);
        NMHDR selected = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), TCN_SELCHANGE};
        SendMessageW(found.second, WM_NOTIFY, selected.idFrom, reinterpret_cast<LPARAM>(&selected));
    }
    std::pair<int, HWND> press{shot.press, nullptr};
    if (shot.press) EnumChildWindows(found.second, FindShownControl, reinterpret_cast<LPARAM>(&press));
    if (press.second) {
        SendMessageW(press.second, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(GetParent(press.second), WM_COMMAND, MAKEWPARAM(shot.press, BN_CLICKED),
                     reinterpret_cast<LPARAM>(press.second));
    }
    Settle();
    // The tab with the dialog open over it.
    if (SaveWindowPicture(GetAncestor(page, GA_ROOT), g_shots + std::string(d->prefix) + "-" + name + ".bmp",
                          found.second))
        ++d->pictures;
    if (shot.innerButton) {
        PostMessageW(found.second, WM_COMMAND, MAKEWPARAM(shot.innerButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(found.second, shot.innerButton)));
        std::pair<int, HWND> inner{shot.innerControl, nullptr};
        for (DWORD start = GetTickCount(); !inner.second && GetTickCount() - start < kWaitMs; Sleep(50))
            EnumThreadWindows(d->thread, FindDialogWith, reinterpret_cast<LPARAM>(&inner));
        if (inner.second) {
            Settle();
            // The outer dialog with the inner one over it.
            if (SaveWindowPicture(found.second, "screenshots/" + std::string(d->prefix) + "-" + shot.innerName + ".bmp",
                                  inner.second))
                ++d->pictures;
            PostMessageW(inner.second, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            for (DWORD start = GetTickCount(); IsWindow(inner.second) && GetTickCount() - start < kWaitMs;) Sleep(50);
        }
    }
    PostMessageW(found.second, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    for (DWORD start = GetTickCount(); IsWindow(found.second) && GetTickCount() - start < kWaitMs;) Sleep(50);
    if (shot.list) PickListData(page, shot.list, before, 0);
}

BOOL CALLBACK FindMessageBox(HWND w, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (IsWindowVisible(w) && !lstrcmpW(cls, L"#32770") && !GetDlgItem(w, kFavoriteName) &&
        !FindWindowExW(w, nullptr, L"SysTabControl32", nullptr)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

void PickLast(HWND page, int control) {
    HWND combo = GetDlgItem(page, control);
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (count < 2) return;
    SendMessageW(combo, CB_SETCURSEL, count - 1, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void AddDemoFavorites(Driver* d, HWND page) {
    for (int i = 0; i < 3; ++i) {
        if (i == 1) PickLast(page, kDuplexControl);
        if (i == 2) PickLast(page, kColorModeControl);
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(kAddFavoriteButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kAddFavoriteButton)));
        std::pair<int, HWND> found{kFavoriteName, nullptr};
        for (DWORD start = GetTickCount(); !found.second && GetTickCount() - start < kWaitMs; Sleep(50))
            EnumThreadWindows(d->thread, FindDialogWith, reinterpret_cast<LPARAM>(&found));
        HWND dialog = found.second;
        if (!dialog) return;
        SetDlgItemTextW(dialog, kFavoriteName, kDemoFavorites[i]);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < kWaitMs; Sleep(50)) {
            HWND box = nullptr;
            EnumThreadWindows(d->thread, FindMessageBox, reinterpret_cast<LPARAM>(&box));
            if (!box) continue;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            Settle();
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kBasicRestore, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kBasicRestore)));
    Settle();
}

// Photographs every tab, makes the choices and presses OK.
void DriveSheet(Driver* d) {
    HWND sheet = nullptr;
    for (DWORD start = GetTickCount(); !sheet && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(d->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet) {
        std::fprintf(stderr, "zr51-show-sheets: no %s sheet appeared\n", d->prefix);
        return;
    }
    if (!std::strcmp(d->prefix, "document"))
        AddDemoFavorites(d, reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)));
    HWND tab = FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr);
    int tabs = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = d->firstTab; i < tabs && i <= d->lastTab; ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        Settle();
        std::string file = g_shots + std::string(d->prefix) + "-" + std::to_string(i + 1) + ".bmp";
        if (SaveWindowPicture(sheet, file)) ++d->pictures;
    }
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    Settle();
    if (d->choose) {
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND duplex = GetDlgItem(page, kDuplexControl);
        LRESULT count = SendMessageW(duplex, CB_GETCOUNT, 0, 0);
        LRESULT current = SendMessageW(duplex, CB_GETCURSEL, 0, 0);
        if (count > 1) {
            SendMessageW(duplex, CB_SETCURSEL, current == count - 1 ? 0 : count - 1, 0);  // the other binding edge
            SendMessageW(page, WM_COMMAND, MAKEWPARAM(kDuplexControl, CBN_SELCHANGE), reinterpret_cast<LPARAM>(duplex));
        }
        SendMessageW(GetDlgItem(page, kLandscapeControl), BM_CLICK, 0, 0);
        Settle();
        std::string file = g_shots + std::string(d->prefix) + "-chosen.bmp";
        if (SaveWindowPicture(sheet, file)) ++d->pictures;
    }
    for (const DialogShot& shot : kDialogShots) {
        if (std::strcmp(shot.sheet, d->prefix) != 0) continue;
        SendMessageW(sheet, PSM_SETCURSEL, shot.tab, 0);
        Settle();
        HWND on = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        PhotographSubDialog(d, on, shot);
    }
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    Settle();
    if (!d->show) PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

// The Finishing tab of a printer with the finisher (its booklet and fold
// units) installed: photographed, then the sheet cancelled.
void DriveFinisherTab(Driver* d) {
    HWND sheet = nullptr;
    for (DWORD start = GetTickCount(); !sheet && GetTickCount() - start < kWaitMs; Sleep(50))
        EnumThreadWindows(d->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet) return;
    SendMessageW(sheet, PSM_SETCURSEL, 3, 0);
    Settle();
    if (SaveWindowPicture(sheet, g_shots + "document-4-finisher.bmp")) ++d->pictures;
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// The printer's stored environment with the finisher, or back as it was.
int StoreFinisher(LPWSTR name, PrinterEnvironment* keep, int install) {
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(name, &h, &all)) return 0;
    auto env = std::make_unique<PrinterEnvironment>();
    DWORD type = 0, size = 0;
    int ok = GetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), &type, reinterpret_cast<BYTE*>(env.get()),
                             sizeof *env, &size) == ERROR_SUCCESS;
    if (ok && install) {
        *keep = *env;
        env->outputUnit_Option = 25;
        env->outputSubOption = 1;
        env->foldUnit_Option = 1;
    }
    PrinterEnvironment* write = install ? env.get() : keep;
    ok = ok && SetPrinterDataW(h, const_cast<LPWSTR>(L"PrvEnv"), REG_BINARY, reinterpret_cast<BYTE*>(write),
                               sizeof *write) == ERROR_SUCCESS;
    ClosePrinter(h);
    return ok;
}

// Lines of the after dump that the before dump does not have.
void PrintChanges(const std::string& before, const std::string& after) {
    std::istringstream a(before), b(after);
    std::string la, lb;
    int changes = 0;
    while (std::getline(b, lb)) {
        if (!std::getline(a, la)) la.clear();
        if (la != lb) {
            std::printf("  was: %s\n  now: %s\n", la.c_str(), lb.c_str());
            ++changes;
        }
    }
    std::printf("# %d field(s) changed\n", changes);
}

typedef LONG(WINAPI* SheetsFn)(PVOID, LPARAM);
typedef LONG(WINAPI* CommonSheetFn)(HWND, SheetsFn, LPARAM, LPDWORD);

// The sheets' language: the printers' "LocaleID"; 0 sets none, and the
// user's language decides.
int ChooseLanguage(uint32_t language) {
    for (const wchar_t* printer : {kPrinter, kTwoColourPrinter}) {
        HANDLE h = nullptr;
        PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(const_cast<LPWSTR>(printer), &h, &all)) return Fail("OpenPrinterW for the language");
        DWORD written = SetPrinterDataW(h, const_cast<LPWSTR>(L"LocaleID"), REG_DWORD,
                                        reinterpret_cast<BYTE*>(&language), 4);
        ClosePrinter(h);
        if (written != ERROR_SUCCESS) return Fail("writing LocaleID");
    }
    return 1;
}

int Run(int show, uint32_t language) {
    InstallWin32Platform();
    if (!Install()) return 1;
    if (!ChooseLanguage(language)) return 1;
    CreateDirectoryW(L"screenshots", nullptr);
    if (language) {
        g_shots = "screenshots/" + std::to_string(language) + "/";
        CreateDirectoryA(g_shots.c_str(), nullptr);
    }
    HANDLE h = nullptr;
    LPWSTR name = const_cast<LPWSTR>(kPrinter);
    if (!OpenPrinterW(name, &h, nullptr)) return Fail("OpenPrinterW"), 1;
    LONG size = DocumentPropertiesW(nullptr, h, name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DriverDevMode))) return Fail("the DEVMODE size"), 1;
    std::vector<BYTE> before(size), after(size);
    DocumentPropertiesW(nullptr, h, name, reinterpret_cast<PDEVMODEW>(before.data()), nullptr, DM_OUT_BUFFER);

    Driver doc{GetCurrentThreadId(), "document", 1, show};
    std::thread t(DriveSheet, &doc);
    LONG r = DocumentPropertiesW(nullptr, h, name, reinterpret_cast<PDEVMODEW>(after.data()),
                                 reinterpret_cast<PDEVMODEW>(before.data()), DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    t.join();
    std::printf("# DocumentPropertiesW with the prompt returned %ld; %d picture(s)\n", r, doc.pictures);
    PrintChanges(DumpDriverDevMode(reinterpret_cast<const DriverDevMode*>(before.data())),
                 DumpDriverDevMode(reinterpret_cast<const DriverDevMode*>(after.data())));

    // The two-colour printer's Image and Advanced tabs.
    HANDLE two = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(kTwoColourPrinter), &two, nullptr)) {
        std::vector<BYTE> out(size);
        Driver twoDoc{GetCurrentThreadId(), "two-colour", 0, show};
        twoDoc.firstTab = 4;
        twoDoc.lastTab = 5;
        std::thread tt(DriveSheet, &twoDoc);
        DocumentPropertiesW(nullptr, two, const_cast<LPWSTR>(kTwoColourPrinter), reinterpret_cast<PDEVMODEW>(out.data()),
                            nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
        tt.join();
        ClosePrinter(two);
        std::printf("# two-colour printer: %d picture(s)\n", twoDoc.pictures);
    }

    std::wstring config;
    HMODULE driver = InstalledConfigFile(kDriverName, &config) ? LoadLibraryW(config.c_str()) : nullptr;
    HMODULE compstui = LoadLibraryW(L"compstui.dll");
    auto sheets = driver ? reinterpret_cast<SheetsFn>(
                               reinterpret_cast<void (*)()>(GetProcAddress(driver, "DrvDevicePropertySheets")))
                         : nullptr;
    auto common = compstui ? reinterpret_cast<CommonSheetFn>(
                                 reinterpret_cast<void (*)()>(GetProcAddress(compstui, "CommonPropertySheetUIW")))
                           : nullptr;
    if (sheets && common) {
        // The diagnostics page joins the device sheet only with this value.
        DWORD debugTab = 1;
        SetPrinterDataW(h, const_cast<LPWSTR>(L"DebugTabEnable"), REG_DWORD, reinterpret_cast<BYTE*>(&debugTab), 4);
        DevicePropertyHeader header;
        std::memset(&header, 0, sizeof header);
        header.cbSize = sizeof header;
        header.hPrinter = h;
        header.pszPrinterName = name;
        Driver dev{GetCurrentThreadId(), "device", 0, show};
        std::thread d(DriveSheet, &dev);
        DWORD result = 0;
        LONG rd = common(nullptr, sheets, reinterpret_cast<LPARAM>(&header), &result);
        d.join();
        std::printf("# device sheet returned %ld; %d picture(s)\n", rd, dev.pictures);
    } else {
        Fail("loading the device sheet");
    }
    auto kept = std::make_unique<PrinterEnvironment>();
    if (!show && StoreFinisher(name, kept.get(), 1)) {
        Driver fin{GetCurrentThreadId(), "document", 0, show};
        std::thread f(DriveFinisherTab, &fin);
        DocumentPropertiesW(nullptr, h, name, reinterpret_cast<PDEVMODEW>(after.data()), nullptr,
                            DM_IN_PROMPT | DM_OUT_BUFFER);
        f.join();
        StoreFinisher(name, kept.get(), 0);
        std::printf("# with the finisher: %d picture(s)\n", fin.pictures);
    }
    ClosePrinter(h);
    return doc.pictures > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    int show = 0;
    uint32_t language = 0;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--show") == 0) {
            show = 1;
        } else if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc) {
            language = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: zr51-show-sheets [--show] [--lang LANGID]\n");
            return 2;
        }
    }
    return Run(show, language);
}
