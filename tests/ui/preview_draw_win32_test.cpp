// Under Wine: every picture the preview's layers can name is in the built
// resource module at its panel's size; the transparency of both picture
// formats; the font combo's fallback selection.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ui/font_text_win32.h"
#include "ui/image_drawing_win32.h"
#include "ui/preview_conditions.h"
#include "ui/preview_draw_win32.h"

namespace {

std::wstring ModuleBesideProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + L"ZR51ARC.DLL";
}

void ExpectLoads(HMODULE module, const PreviewPair* layer, int kind, std::set<uint32_t>& seen) {
    const PreviewLayout lay = PreviewLayoutOf(kind);
    for (int i = 0; layer[i].image < kPreviewLayerEnd; i++) {
        if (!seen.insert(layer[i].image).second) continue;
        HBITMAP b = LoadResImage(module, static_cast<uint16_t>(layer[i].image));
        ASSERT_NE(b, nullptr) << layer[i].image;
        BITMAP bm;
        GetObjectW(b, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, lay.layoutW) << layer[i].image;
        EXPECT_EQ(bm.bmHeight, lay.layoutH) << layer[i].image;
        DeleteObject(b);
    }
}

TEST(PreviewPictures, EveryLayerPictureIsInTheModule) {
    StartImaging(1);
    HMODULE module = LoadLibraryExW(ModuleBesideProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const PreviewTables& t = DefaultPreviewTables();
    std::set<uint32_t> seen;
    for (int s = 0; s < kPreviewSetCount; s++)
        for (int l = 0; l < kPreviewMainLayers; l++) ExpectLoads(module, t.mainSet[s][l], kPreviewMain, seen);
    for (int l = 0; l < kPreviewStripLayers; l++) ExpectLoads(module, t.strip[l], kPreviewStrip, seen);
    EXPECT_EQ(LoadResImage(module, 1), nullptr);
    FreeLibrary(module);
}

TEST(FontCombo, CurrentFaceOrTheFirst) {
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_CHILD, 0, 0, 10, 100, dialog,
                                 reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(FillFontCombo(dialog, 7, L"No Such Face"), 0);
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    ASSERT_GT(count, 0);
    wchar_t last[LF_FACESIZE] = {};
    SendMessageW(combo, CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(last));
    EXPECT_NE(last[0], L'@');
    EXPECT_EQ(FillFontCombo(dialog, 7, last), count - 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), count - 1);
    DestroyWindow(dialog);
}

}  // namespace
