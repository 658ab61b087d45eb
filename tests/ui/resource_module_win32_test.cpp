// The built resource module ZR51ARC.DLL (beside the test program) under Wine:
// every page template in every language the language map can choose, with
// every control the controls table declares for it in the same place, its
// texts loadable, and lookups through a missing module failing cleanly.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver_setup_win32.h"
#include "platform/isolation_win32.h"
#include "platform/platform_win32.h"
#include "ui/control_table.h"
#include "ui/resource_module_win32.h"

namespace {

// The languages the module carries: neutral and the map's eighteen.
const uint16_t kLanguages[] = {0,    1033, 1031, 1041, 1028, 3076, 2052, 1036, 1040, 1042,
                               1043, 2070, 1049, 1053, 1054, 1055, 1057, 1066, 3082};

struct Item {
    int id;
    short x, y, cx, cy;
};

// Walks a DIALOGEX template: its caption and the id and place of each item.
const WORD* SkipSzOrOrd(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p++) {
    }
    return p;
}

bool ReadTemplate(LPCDLGTEMPLATEW t, std::wstring* caption, std::vector<Item>* items) {
    const WORD* p = reinterpret_cast<const WORD*>(t);
    if (p[0] != 1 || p[1] != 0xFFFF) return false;  // not DIALOGEX
    DWORD style;
    memcpy(&style, p + 6, 4);
    WORD count = p[8];
    p = SkipSzOrOrd(SkipSzOrOrd(p + 13));  // menu, class
    *caption = reinterpret_cast<const wchar_t*>(p);
    p += caption->size() + 1;
    if (style & DS_SETFONT) p = SkipSzOrOrd(p + 3);  // size, weight, italic and charset; face
    for (WORD i = 0; i < count; i++) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
        Item it;
        const short* s = reinterpret_cast<const short*>(p + 6);
        it.x = s[0], it.y = s[1], it.cx = s[2], it.cy = s[3];
        DWORD id;
        memcpy(&id, p + 10, 4);
        it.id = static_cast<int>(id);
        p = SkipSzOrOrd(SkipSzOrOrd(p + 12));
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);
        items->push_back(it);
    }
    return true;
}

std::wstring ModulePathBesideProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + L"ZR51ARC.DLL";
}

class ResourceModule : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryW(ModulePathBesideProgram().c_str());
        ASSERT_NE(nullptr, module) << GetLastError();
    }
    void TearDown() override { FreeResourceModule(module); }
    HMODULE module = nullptr;
};

TEST_F(ResourceModule, EveryTemplateInEveryLanguageHasItsControlsInOneLayout) {
    for (int pg = 0; pg < kPageRowCount; pg++) {
        const PageRow& page = kPageRows[pg];
        std::vector<Item> english;
        for (uint16_t lang : kLanguages) {
            SCOPED_TRACE(testing::Message() << page.name << " in " << lang);
            LPCDLGTEMPLATEW t = FindDialogTemplate(module, page.templateId, lang);
            ASSERT_NE(nullptr, t);
            std::wstring caption;
            std::vector<Item> items;
            ASSERT_TRUE(ReadTemplate(t, &caption, &items));
            wchar_t title[64] = {};
            ASSERT_GT(LoadResString(module, page.captionId, title, 64, lang), 0u);
            EXPECT_EQ(caption, title);  // the tab title is the caption
            for (int c = 0; c < kControlRowCount; c++) {
                const ControlRow& row = kControlRows[c];
                if (row.templateId != page.layoutId || row.kind == kFeatureControl) continue;  // no control of its own
                int found = 0;
                for (const Item& it : items) found += it.id == row.id;
                EXPECT_EQ(1, found) << row.name;
                wchar_t text[256] = {};
                if (row.textId) {
                    EXPECT_GT(LoadResString(module, row.textId, text, 256, lang), 0u) << row.name;
                }
            }
            if (english.empty()) english = items;
            ASSERT_EQ(english.size(), items.size());
            for (size_t i = 0; i < items.size(); i++)
                EXPECT_TRUE(items[i].id == english[i].id && items[i].x == english[i].x && items[i].y == english[i].y &&
                            items[i].cx == english[i].cx && items[i].cy == english[i].cy)
                    << "item " << i;
        }
    }
}

// Lookups fall back to other languages, so the languages are counted apart.
TEST_F(ResourceModule, EveryTemplateAndStringBlockIsStoredInEveryLanguage) {
    auto languagesOf = [&](LPCWSTR type, WORD id) {
        std::vector<WORD> found;
        EnumResourceLanguagesW(module, type, MAKEINTRESOURCEW(id),
                               [](HMODULE, LPCWSTR, LPCWSTR, WORD lang, LONG_PTR out) -> BOOL {
                                   reinterpret_cast<std::vector<WORD>*>(out)->push_back(lang);
                                   return TRUE;
                               },
                               reinterpret_cast<LONG_PTR>(&found));
        return found;
    };
    std::vector<WORD> blocks;
    for (int pg = 0; pg < kPageRowCount; pg++) blocks.push_back(WORD(kPageRows[pg].captionId / 16 + 1));
    for (int c = 0; c < kControlRowCount; c++)
        if (kControlRows[c].textId) blocks.push_back(WORD(kControlRows[c].textId / 16 + 1));
    for (int pg = 0; pg < kPageRowCount; pg++) {
        std::vector<WORD> langs = languagesOf(MAKEINTRESOURCEW(5), kPageRows[pg].templateId);
        EXPECT_EQ(std::size(kLanguages), langs.size()) << kPageRows[pg].name;
        for (uint16_t lang : kLanguages)
            EXPECT_NE(langs.end(), std::find(langs.begin(), langs.end(), lang)) << kPageRows[pg].name << " " << lang;
    }
    for (WORD block : blocks) EXPECT_EQ(std::size(kLanguages), languagesOf(MAKEINTRESOURCEW(6), block).size()) << block;
}

TEST_F(ResourceModule, TranslatedLanguagesHaveTheirOwnWords) {
    const struct { uint16_t lang; const wchar_t* basicTab; } cases[] = {
        {1033, L"Basic"}, {0, L"Basic"}, {1031, L"Allgemein"}, {1041, L"\u57fa\u672c"}, {1036, L"G\u00e9n\u00e9ral"},
        {1049, L"\u041e\u0441\u043d\u043e\u0432\u043d\u044b\u0435"}, {1054, L"\u0e1e\u0e37\u0e49\u0e19\u0e10\u0e32\u0e19"},
        // A stored "LocaleID" the module lacks is still the sheet's language:
        // its lookups end at the neutral words, a regional variant's too.
        {1048, L"Basic"}, {2055, L"Basic"}, {2057, L"Basic"},
    };
    for (const auto& c : cases) {
        wchar_t text[32] = {};
        EXPECT_EQ(wcslen(c.basicTab), LoadResString(module, 25000, text, 32, c.lang));
        EXPECT_STREQ(c.basicTab, text) << c.lang;
    }
}

TEST_F(ResourceModule, APageTemplateBuildsARealDialog) {
    InitCommonControlsIsolated();
    HWND parent = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP, 0, 0, 600, 500, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, parent);
    DLGPROC proc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    HWND page = ResCreateDialog(module, parent, 30200, proc, 0, 1041);
    ASSERT_NE(nullptr, page) << GetLastError();
    for (int c = 0; c < kControlRowCount; c++) {
        if (kControlRows[c].templateId == 30200) {
            EXPECT_NE(nullptr, GetDlgItem(page, kControlRows[c].id)) << kControlRows[c].name;
        }
    }
    DestroyWindow(page);
    DestroyWindow(parent);
}

TEST(ResourceModuleMissing, LookupsFailCleanly) {
    wchar_t text[16] = L"keep";
    DLGPROC proc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    // No module at all.
    EXPECT_EQ(nullptr, LoadLibraryW(L"C:\\nowhere\\ZR51ARC.DLL"));
    EXPECT_EQ(0u, LoadResString(nullptr, 25000, text, 16, 1033));
    EXPECT_STREQ(L"keep", text);
    EXPECT_EQ(nullptr, FindDialogTemplate(nullptr, 30200, 1033));
    EXPECT_EQ(-1, ResDialogBox(nullptr, nullptr, 30200, proc, 0, 1033));
    EXPECT_EQ(nullptr, ResCreateDialog(nullptr, nullptr, 30200, proc, 0, 1033));
    FreeResourceModule(nullptr);
    // The fallback when no driver file is the module: a module of code, with
    // no templates and no strings.
    HMODULE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(0u, LoadResString(self, 25000, text, 16, 1033));
    EXPECT_STREQ(L"keep", text);
    EXPECT_EQ(-1, ResDialogBox(self, nullptr, 30200, proc, 0, 1033));
    // No driver information: no path, no module.
    InstallWin32Platform();
    wchar_t path[MAX_PATH] = L"junk";
    EXPECT_EQ(0, FindResourceModulePath(nullptr, path));
    EXPECT_EQ(L'\0', path[0]);
    EXPECT_EQ(nullptr, LoadResourceModule(nullptr, 1033));
}

// Through a real spooler: the module found among the driver's dependent
// files, or, with none there, the module of code that finds no template.
TEST(ResourceModuleFromDriver, DependentFileElseOwnModule) {
    InstallWin32Platform();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51AUI.dll"), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    const struct { const wchar_t *driver, *printer; bool withModule; } cases[] = {
        {L"ZR51A Resource Test", L"ZR51A Resource Test", true},
        {L"ZR51A Resourceless Test", L"ZR51A Resourceless Test", false},
    };
    DLGPROC proc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.withModule);
        RemovePrinter(c.printer);
        std::vector<std::wstring> files;
        if (c.withModule) files.push_back(L"ZR51ARC.DLL");
        ASSERT_TRUE(AddDriverWithFiles(c.driver, L"ZR51AUI.dll", files)) << GetLastError();
        ASSERT_TRUE(AddPrinterOnPort(c.printer, c.driver, L"FILE:")) << GetLastError();
        HANDLE printer = nullptr;
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(c.printer), &printer, nullptr));
        wchar_t path[MAX_PATH] = {};
        EXPECT_EQ(1, FindResourceModulePath(printer, path));
        std::wstring found(path);
        std::wstring name = found.substr(found.find_last_of(L"\\/") + 1);
        HMODULE module = LoadResourceModule(printer, 1041);
        ASSERT_NE(nullptr, module);
        wchar_t text[32] = L"keep";
        if (c.withModule) {
            EXPECT_EQ(0, _wcsicmp(name.c_str(), L"ZR51ARC.DLL")) << found;
            EXPECT_NE(nullptr, FindDialogTemplate(module, 30200, 1041));
            EXPECT_GT(LoadResString(module, 25000, text, 32, 1041), 0u);
        } else {
            wchar_t self[MAX_PATH] = {};
            GetModuleFileNameW(nullptr, self, MAX_PATH);
            EXPECT_EQ(0, _wcsicmp(self, path)) << found;
            EXPECT_EQ(-1, ResDialogBox(module, nullptr, 30200, proc, 0, 1041));
            EXPECT_EQ(0u, LoadResString(module, 25000, text, 32, 1041));
            EXPECT_STREQ(L"keep", text);
        }
        FreeResourceModule(module);
        ClosePrinter(printer);
        RemovePrinter(c.printer);
    }
}

}  // namespace
