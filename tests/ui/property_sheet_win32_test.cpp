// The property sheets under Wine, opened as applications and the printers
// folder open them: a second thread waits for the sheet window, counts its
// tabs and presses OK or Cancel.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver_setup_win32.h"
#include "platform/platform_win32.h"
#include "rules/resolve.h"
#include "rules/settings_application.h"
#include "saved/quick_setting_store.h"
#include "settings/field_table.h"
#include "ui/device_sheet_harness_win32.h"
#include "ui/page_model.h"
#include "ui/resource_module_win32.h"
#include "ui/sheet_pages.h"

namespace {

constexpr DWORD kWaitForSheetMs = 90000;  // generous: Wine starts slowly under load

struct Press {
    DWORD thread;
    WPARAM button;  // PSBTN_OK or PSBTN_CANCEL
    std::atomic<bool> done{false};
    int tabs = -1;  // tabs of the sheet found, -1 when none appeared
};

BOOL CALLBACK FindSheet(HWND w, LPARAM out) {
    if (FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// Waits for the sheet of the calling thread (or for the call to return),
// then presses the button once its first page is there.
void PressWhenShown(Press* p) {
    DWORD start = GetTickCount();
    while (!p->done && GetTickCount() - start < kWaitForSheetMs) {
        HWND sheet = nullptr;
        EnumThreadWindows(p->thread, FindSheet, reinterpret_cast<LPARAM>(&sheet));
        if (sheet && SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) {
            HWND tab = FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr);
            p->tabs = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
            PostMessageW(sheet, PSM_PRESSBUTTON, p->button, 0);
            return;
        }
        Sleep(50);
    }
}

struct SheetPrinter {
    const wchar_t* name;
    bool withResources;
};

void Install(const SheetPrinter& p) {
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51AUI.dll"), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    RemovePrinter(p.name);
    std::vector<std::wstring> files;
    if (p.withResources) files.push_back(L"ZR51ARC.DLL");
    ASSERT_TRUE(AddDriverWithFiles(p.name, L"ZR51AUI.dll", files)) << GetLastError();
    ASSERT_TRUE(AddPrinterOnPort(p.name, p.name, L"FILE:")) << GetLastError();
}

// DocumentPropertiesW with the prompt, the button pressed from a second
// thread; out starts filled with 0xCD.
LONG Prompt(const wchar_t* printer, WPARAM button, std::vector<BYTE>* out, int* tabs) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printer), &h, nullptr)) return -100;
    LONG size = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), nullptr, nullptr, 0);
    std::vector<BYTE> in(size > 0 ? size : 1);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(in.data()), nullptr,
                        DM_OUT_BUFFER);
    auto* dm = reinterpret_cast<PDEVMODEW>(in.data());
    dm->dmOrientation = DMORIENT_LANDSCAPE;  // differs from the default, so OK must carry it
    dm->dmFields |= DM_ORIENTATION;
    out->assign(in.size(), 0xCD);
    Press press;
    press.thread = GetCurrentThreadId();
    press.button = button;
    std::thread presser(PressWhenShown, &press);
    LONG r = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer), reinterpret_cast<PDEVMODEW>(out->data()),
                                 dm, DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    press.done = true;
    presser.join();
    *tabs = press.tabs;
    ClosePrinter(h);
    return r;
}

bool Untouched(const std::vector<BYTE>& out) {
    for (BYTE b : out)
        if (b != 0xCD) return false;
    return true;
}

TEST(DocumentSheet, OkWritesTheDevmodeBackCancelWritesNothing) {
    const SheetPrinter printer = {L"ZR51A Sheet Test", true};
    Install(printer);
    std::vector<BYTE> out;
    int tabs = 0;
    Prompt(printer.name, PSBTN_OK, &out, &tabs);
    EXPECT_EQ(6, tabs);
    auto* dm = reinterpret_cast<const DEVMODEW*>(out.data());
    EXPECT_EQ(sizeof(DEVMODEW), dm->dmSize);
    EXPECT_EQ(DMORIENT_LANDSCAPE, dm->dmOrientation);
    EXPECT_EQ(19040u, static_cast<unsigned>(dm->dmSize + dm->dmDriverExtra));

    Prompt(printer.name, PSBTN_CANCEL, &out, &tabs);
    EXPECT_EQ(6, tabs);
    EXPECT_TRUE(Untouched(out));
    RemovePrinter(printer.name);
}

TEST(DocumentSheet, MissingResourceModuleFailsWithoutWriting) {
    const SheetPrinter printer = {L"ZR51A Sheetless Test", false};
    Install(printer);
    std::vector<BYTE> out;
    int tabs = 0;
    Prompt(printer.name, PSBTN_OK, &out, &tabs);
    EXPECT_EQ(-1, tabs);  // no sheet came up
    EXPECT_TRUE(Untouched(out));
    RemovePrinter(printer.name);
}

// What one control of an open page shows.
struct Seen {
    int enabled, visible, checked, selected;
    std::vector<LPARAM> data;
    std::vector<std::wstring> text;
};

// Visits every tab of the sheet of thread, reads each control of ids from the
// real window, then presses Cancel.
void ReadPages(DWORD thread, const std::vector<std::vector<uint32_t>>* ids, std::vector<std::vector<Seen>>* seen) {
    HWND sheet = WaitForSheet(thread, kWaitForSheetMs);
    for (size_t i = 0; sheet && i < ids->size(); ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        seen->emplace_back();
        for (uint32_t id : (*ids)[i]) {
            HWND w = GetDlgItem(page, static_cast<int>(id));
            Seen c{IsWindowEnabled(w), (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) != 0,
                   SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED, static_cast<int>(SendMessageW(w, CB_GETCURSEL, 0, 0)), {}, {}};
            for (LRESULT k = 0, n = SendMessageW(w, CB_GETCOUNT, 0, 0); k < n; ++k) {
                wchar_t text[256] = {};
                SendMessageW(w, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(text));
                c.text.push_back(text);
                c.data.push_back(SendMessageW(w, CB_GETITEMDATA, k, 0));
            }
            seen->back().push_back(c);
        }
    }
    if (sheet) PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// Each page of a document sheet, opened through the host's sheet library,
// shows the state its page model computes in this process for the same
// printer, settings and resource module.
TEST(DocumentSheet, EveryPageShowsItsPageModel) {
    const SheetPrinter printer = {L"KELO ZR-C4500", true};
    InstallWin32Platform();
    for (const wchar_t* f : {L"ZR51AUI.dll", L"ZR51ARC.DLL", L"models\\ZRC4500.RDF"})
        ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(f), nullptr)) << GetLastError();
    RemovePrinter(printer.name);
    ASSERT_TRUE(AddDriverWithFiles(printer.name, L"ZR51AUI.dll", {L"ZR51ARC.DLL", L"ZRC4500.RDF"}));
    ASSERT_TRUE(AddPrinterOnPort(printer.name, printer.name, L"FILE:")) << GetLastError();
    ASSERT_TRUE(InitializeThroughDriver(printer.name, printer.name)) << GetLastError();
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer.name), &h, nullptr));
    const char16_t* name = reinterpret_cast<const char16_t*>(printer.name);
    auto session = std::make_unique<PrinterSession>();
    _UdcResolveSelfDMode(session.get(), nullptr, h, name, nullptr, kResolveInBuffer | kResolveWholeSession,
                         kCallerDocumentSheet);
    // The installed printer starts from the defaults its model gives (an
    // image quality the Image tab offers, the model's trays and binding).
    auto fresh = std::make_unique<PrinterSession>(*session);
    ResetPrivateSettings(fresh.get(), h, 0);
    _UdcUpdateCmnDModeArea(fresh.get(), h, name);
    EXPECT_EQ(DumpDriverDevMode(&fresh->dm), DumpDriverDevMode(&session->dm));
    const uint16_t language = DefaultUILanguage();
    HMODULE module = LoadResourceModule(h, language);
    ASSERT_TRUE(module);
    BuildListsFromModule(session.get(), name, module, language);
    uint16_t templates[kSheetPageRoom] = {};
    int n = SheetPageTemplates(0, session->env.inkCount, static_cast<char>(session->env.modelColor), 0, templates);
    // The installation's preset favourites are what the favourites page counts.
    std::vector<char16_t> names(kQuickSettingNamesSize / 2);
    int favorites = 0;
    ASSERT_TRUE(ReadQuickSettingNames(name, names.data(), &favorites));
    PageInput in{session.get(), h, SheetFacts{1, 1, 1, favorites}, LastChange{0, 0}, nullptr};
    std::vector<std::unique_ptr<PageState>> model;
    std::vector<std::vector<uint32_t>> ids(n);
    for (int i = 0; i < n; ++i) {
        model.push_back(std::make_unique<PageState>());
        ASSERT_TRUE(RefreshPage(templates[i], in, *model.back()));
        for (int k = 0; k < model.back()->controlCount; ++k) ids[i].push_back(model.back()->control[k].id);
    }

    std::vector<std::vector<Seen>> seen;
    std::thread reader(ReadPages, GetCurrentThreadId(), &ids, &seen);
    std::vector<BYTE> out(sizeof(DriverDevMode) + 4096);
    DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(printer.name), reinterpret_cast<PDEVMODEW>(out.data()), nullptr,
                        DM_IN_PROMPT | DM_OUT_BUFFER);
    reader.join();
    ASSERT_EQ(static_cast<size_t>(n), seen.size());
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < model[i]->controlCount; ++k) {
            const ControlState& m = model[i]->control[k];
            const Seen& w = seen[i][k];
            SCOPED_TRACE(testing::Message() << "page " << templates[i] << " control " << m.id);
            EXPECT_EQ(m.enabled, w.enabled);
            EXPECT_EQ(m.visible, w.visible);
            const bool list = m.kind == kComboControl || m.kind == kPiccomboControl;
            if (m.kind == kCheckControl || m.kind == kRadioControl || m.kind == kPicradioControl) {
                EXPECT_EQ(m.checked, w.checked);
            }
            if (!list) continue;
            EXPECT_EQ(m.selected, w.selected);
            ASSERT_EQ(static_cast<size_t>(m.itemCount), w.text.size());
            for (int j = 0; j < m.itemCount; ++j) {
                const PageItem& item = m.item[j];
                wchar_t text[256] = {};
                if (item.source != kItemString)
                    MultiByteToWideChar(CP_UTF8, 0, PageItemText(*session, m, item).c_str(), -1, text, 256);
                else if (!item.stringId || !LoadResString(module, item.stringId, text, 256, language))
                    lstrcpynW(text, std::to_wstring(item.value).c_str(), 256);
                EXPECT_EQ(std::wstring(text), w.text[j]) << "item " << j;
                EXPECT_EQ(static_cast<LPARAM>(item.value), w.data[j]) << "item " << j;
            }
        }
    FreeResourceModule(module);
    ClosePrinter(h);
    RemovePrinter(printer.name);
}

}  // namespace
