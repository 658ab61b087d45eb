// The picture controls under Wine: pictures of the built resource module
// decoded and drawn over a known background, the colour key and the alpha
// channel in real GDI, and image radio groups driven by messages.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "driver_setup_win32.h"
#include "ui/image_controls_win32.h"
#include "ui/image_drawing_win32.h"
#include "ui/range_message_win32.h"
#include "ui/resource_module_win32.h"

namespace {

// A 32-bit top-down canvas of one colour in a memory DC.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint8_t* bits = nullptr;
    int width = 0;
    Canvas(int w, int h, COLORREF fill) : width(w) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* p = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint8_t*>(p);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
        HBRUSH b = CreateSolidBrush(fill);
        RECT r = {0, 0, w, h};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) {
        GdiFlush();
        const uint8_t* p = bits + (static_cast<size_t>(y) * width + x) * 4;
        return RGB(p[2], p[1], p[0]);
    }
};

// A picture of the given depth from raw top-down rows (blue, green, red[, alpha]).
HBITMAP Picture(int w, int h, int bitsPerPixel, const uint8_t* pixels) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, static_cast<WORD>(bitsPerPixel), BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    int stride = (bitsPerPixel * w + 31) / 32 * 4, row = bitsPerPixel / 8 * w;
    for (int y = 0; y < h; ++y) std::memcpy(static_cast<uint8_t*>(p) + y * stride, pixels + y * row, row);
    return b;
}

const COLORREF kBackground = RGB(0, 128, 0);

TEST(Win32ImageDrawing, ColourKeyShowsTheBackgroundAndKeepsNearRed) {
    // Key, red 254, blue, key.
    const uint8_t row[] = {0, 0, 255, 0, 0, 254, 255, 0, 0, 0, 0, 255};
    HBITMAP picture = Picture(4, 1, 24, row);
    Canvas c(8, 4, kBackground);
    ASSERT_EQ(1, DrawBitmapTransparent(c.dc, picture, 2, 1, 4, 1));
    EXPECT_EQ(kBackground, c.At(2, 1));
    EXPECT_EQ(RGB(254, 0, 0), c.At(3, 1));
    EXPECT_EQ(RGB(0, 0, 255), c.At(4, 1));
    EXPECT_EQ(kBackground, c.At(5, 1));
    EXPECT_EQ(kBackground, c.At(6, 1));  // outside the picture
    DeleteObject(picture);
}

TEST(Win32ImageDrawing, AlphaMixesOverTheTarget) {
    // Black at alpha 128, red opaque, blue transparent.
    const uint8_t row[] = {0, 0, 0, 128, 0, 0, 255, 255, 255, 0, 0, 0};
    HBITMAP picture = Picture(3, 1, 32, row);
    Canvas c(3, 1, RGB(255, 255, 255));
    ASSERT_EQ(1, DrawBitmapTransparent(c.dc, picture, 0, 0, 3, 1));
    EXPECT_EQ(RGB(127, 127, 127), c.At(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), c.At(1, 0));
    EXPECT_EQ(RGB(255, 255, 255), c.At(2, 0));
    DeleteObject(picture);
    EXPECT_EQ(0, DrawBitmapTransparent(c.dc, nullptr, 0, 0, 3, 1));
}

class Win32ImageModule : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryW(FileBesideExecutable(L"ZR51ARC.DLL").c_str());
        ASSERT_NE(nullptr, module) << GetLastError();
    }
    void TearDown() override { FreeResourceModule(module); }
    HMODULE module = nullptr;
};

TEST_F(Win32ImageModule, ModulePicturesDecodeAndTheirKeyShowsTheBackground) {
    HBITMAP picture = LoadResImage(module, 11794);  // collated sets: red corners
    ASSERT_NE(nullptr, picture);
    BITMAP bm{};
    ASSERT_EQ(static_cast<int>(sizeof bm), GetObjectW(picture, sizeof bm, &bm));
    EXPECT_EQ(24, bm.bmBitsPixel);
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(32, bm.bmHeight);
    Canvas c(40, 40, kBackground);
    ASSERT_EQ(1, DrawBitmapTransparent(c.dc, picture, 4, 4, 32, 32));
    EXPECT_EQ(kBackground, c.At(4, 4));
    EXPECT_EQ(kBackground, c.At(35, 35));
    EXPECT_EQ(RGB(255, 255, 255), c.At(5 + 4, 10 + 4));  // inside the first sheet
    DeleteObject(picture);
    EXPECT_EQ(nullptr, LoadResImage(module, 1));
    EXPECT_EQ(nullptr, LoadResImage(nullptr, 11794));
}

TEST_F(Win32ImageModule, RangeMessage) {
    wchar_t text[32];
    EXPECT_EQ(9, FormatRangeMessage(module, 1033, text, 32, L"1", L"600"));
    EXPECT_STREQ(L"(1 - 600)", text);
    EXPECT_EQ(4, FormatRangeMessage(module, 1033, text, 5, L"1", L"600"));  // cut to the buffer
    EXPECT_EQ(0, FormatRangeMessage(nullptr, 1033, text, 32, L"1", L"600"));
    EXPECT_STREQ(L"", text);
}

// A parent counting the WM_COMMANDs its buttons send.
int g_commands = 0;
int g_lastCommandId = 0;
LRESULT CALLBACK CountingParent(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        ++g_commands;
        g_lastCommandId = LOWORD(wParam);
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

class Win32ImageRadio : public Win32ImageModule {
protected:
    void SetUp() override {
        Win32ImageModule::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = CountingParent;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZR51ImageRadioTest";
        RegisterClassW(&wc);
        parent = CreateWindowExW(0, wc.lpszClassName, L"page", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, parent);
        g_commands = 0;
    }
    void TearDown() override {
        for (int i = 0; i < count; ++i) ImageComboRelease(parent, 100 + i);
        DestroyWindow(parent);
        Win32ImageModule::TearDown();
    }
    // n owner-drawn buttons, the first starting the group, then a check box
    // that starts the next; every button made an image radio button.
    void MakeGroup(int n) {
        count = n;
        for (int i = 0; i < n; ++i) {
            DWORD style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
            button[i] = CreateWindowExW(0, L"Button", L"r", style, 0, i * 36, 100, 20, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), nullptr, nullptr);
            ASSERT_NE(nullptr, button[i]);
        }
        CreateWindowExW(0, L"Button", L"c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_GROUP, 200, 0, 100, 20,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(99)), nullptr, nullptr);
        for (int i = 0; i < n; ++i) ImageRadioInit(module, parent, 100 + i, 11796);
    }
    LRESULT Arrow(HWND w, WPARAM key = VK_DOWN) {
        MSG m{w, WM_KEYDOWN, key, 0, 0, {0, 0}};
        return SendMessageW(w, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&m));
    }
    int Checked(int i) { return SendMessageW(button[i], BM_GETCHECK, 0, 0) == BST_CHECKED; }
    HWND parent = nullptr;
    HWND button[12] = {};
    int count = 0;
};

TEST_F(Win32ImageRadio, SettingTheCheckClearsTheOthersAndNotifiesOnce) {
    MakeGroup(3);
    RECT r;
    GetWindowRect(button[0], &r);
    EXPECT_EQ(34, r.bottom - r.top);  // the 32-pixel picture + 2
    SendMessageW(button[0], BM_SETCHECK, BST_CHECKED, 0);
    g_commands = 0;
    SendMessageW(button[1], BM_SETCHECK, BST_UNCHECKED, 0);  // checks whatever the argument
    EXPECT_EQ(1, g_commands);
    EXPECT_EQ(101, g_lastCommandId);
    EXPECT_FALSE(Checked(0));
    EXPECT_TRUE(Checked(1));
    EXPECT_FALSE(Checked(2));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(GetDlgItem(parent, 99), BM_GETCHECK, 0, 0));
}

TEST_F(Win32ImageRadio, ArrowOnTheLastFocusesAndChecksTheFirst) {
    MakeGroup(3);
    SendMessageW(button[2], BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(button[2]);
    ASSERT_EQ(button[2], GetFocus());
    g_commands = 0;
    LRESULT code = Arrow(button[2], VK_RIGHT);
    EXPECT_TRUE(code & DLGC_WANTARROWS);
    EXPECT_TRUE(code & DLGC_RADIOBUTTON);
    EXPECT_FALSE(code & DLGC_BUTTON);
    EXPECT_EQ(button[0], GetFocus());
    EXPECT_TRUE(Checked(0));
    EXPECT_FALSE(Checked(2));
    EXPECT_EQ(1, g_commands);
    // Focus from outside the group goes on to the checked member.
    SetFocus(parent);
    SetFocus(button[1]);
    EXPECT_EQ(button[0], GetFocus());
    EXPECT_TRUE(Checked(0));
}

TEST_F(Win32ImageRadio, GroupIsCutAtTen) {
    MakeGroup(11);
    SendMessageW(button[0], BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(button[0]);
    ASSERT_EQ(button[0], GetFocus());
    for (int step = 1; step <= 20; ++step) {
        Arrow(GetFocus());
        EXPECT_NE(button[10], GetFocus()) << step;
        EXPECT_EQ(button[step % 10], GetFocus()) << step;
    }
    // Checking the eleventh clears the ten; nothing else is a member.
    SendMessageW(button[10], BM_SETCHECK, BST_CHECKED, 0);
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(Checked(i)) << i;
}

using Win32ImageCombo = Win32ImageRadio;

TEST_F(Win32ImageCombo, FillsFromTheTableAndDrawsTheItemsPicture) {
    HWND combo = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 0, 0, 120, 200, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), nullptr,
                                 nullptr);
    ASSERT_NE(nullptr, combo);
    count = 1;  // released in TearDown
    const ImageComboItem items[] = {{20025, 0, 11760}, {20033, 1, 11761}, {20037, 2, 0}};
    EXPECT_EQ(1, ImageComboInit(module, parent, 100, items, 3, 1, 0, 1033));
    EXPECT_EQ(3, SendMessageW(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(2, SendMessageW(combo, CB_GETITEMDATA, 2, 0));
    EXPECT_TRUE(IsWindowEnabled(combo));
    EXPECT_EQ(-1, ImageComboInit(module, parent, 100, items, 1, 7, 0, 1033));  // one item: disabled, none chosen
    EXPECT_FALSE(IsWindowEnabled(combo));
    ImageComboInit(module, parent, 100, items, 3, 1, 0, 1033);

    Canvas c(120, 34, kBackground);
    DRAWITEMSTRUCT d{ODT_COMBOBOX, 100, 1, ODA_DRAWENTIRE, 0, combo, c.dc, {0, 0, 120, 34}, 0};
    ImageComboDraw(module, &d);
    RECT unit = {0, 0, 1, 0};
    MapDialogRect(parent, &unit);  // not a dialog: the system's base unit instead
    int left = (unit.right > 0 ? unit.right : LOWORD(GetDialogBaseUnits()) / 4) + 2;
    COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(window, c.At(left, 1));                  // the picture's key corner: the item's background
    EXPECT_EQ(RGB(0, 170, 230), c.At(left + 16, 17));  // its cyan
    EXPECT_EQ(window, c.At(0, 0));
    d.itemID = static_cast<UINT>(-1);  // no item: nothing drawn
    Canvas empty(120, 34, kBackground);
    d.hDC = empty.dc;
    ImageComboDraw(module, &d);
    EXPECT_EQ(kBackground, empty.At(60, 17));
}

}  // namespace
