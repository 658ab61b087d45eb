// The copies field of the Basic tab under Wine, driven through its real edit
// and up-down from a second thread that shares the sheet's input state:
// typing, stepping, clamping on leaving, and the value OK writes back.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/session.h"
#include "driver_setup_win32.h"
#include "ui/device_sheet_harness_win32.h"

namespace {

constexpr int kCopies = 30216, kCopiesSpin = 30217, kProofPrint = 30218;

// What the field shows after each step of the drive.
struct Shown {
    std::wstring text;
    int position;
};

Shown Read(HWND edit, HWND spin) {
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    return Shown{text, static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0))};
}

void Type(HWND edit, const wchar_t* keys) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* k = keys; *k; ++k) SendMessageW(edit, WM_CHAR, *k, 1);
}

void Drive(DWORD thread, std::vector<Shown>* seen) {
    HWND sheet = WaitForSheet(thread, 90000);
    HWND page = sheet ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
    if (!page) return;
    HWND edit = GetDlgItem(page, kCopies), spin = GetDlgItem(page, kCopiesSpin);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);  // so that focus can be moved from here
    seen->push_back(Read(edit, spin));
    SetFocus(edit);
    Type(edit, L"x-.12a");  // only the digits are taken
    seen->push_back(Read(edit, spin));
    RECT r;
    GetClientRect(spin, &r);
    LPARAM upper = MAKELPARAM(r.right / 2, r.bottom / 4);
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, upper);
    SendMessageW(spin, WM_LBUTTONUP, 0, upper);
    seen->push_back(Read(edit, spin));
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 1);
    seen->push_back(Read(edit, spin));
    SendMessageW(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    seen->push_back(Read(edit, spin));
    SetFocus(edit);
    Type(edit, L"0");
    seen->push_back(Read(edit, spin));  // the up-down follows, clamped; the text waits
    SetFocus(GetDlgItem(page, kProofPrint));
    seen->push_back(Read(edit, spin));
    SetFocus(edit);
    SetWindowTextW(edit, L"12345");  // past the edit's limit, as only a program writes it
    SetFocus(GetDlgItem(page, kProofPrint));
    seen->push_back(Read(edit, spin));
    SetFocus(edit);
    Type(edit, L"250");
    SetFocus(GetDlgItem(page, kProofPrint));
    seen->push_back(Read(edit, spin));
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(SpinEditSheet, CopiesTypedSteppedAndClampedOnLeaving) {
    const wchar_t* name = L"ZR51A Spin Test";
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51AUI.dll"), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyIntoDriverDirectory(FileBesideExecutable(L"ZR51ARC.DLL"), nullptr)) << GetLastError();
    RemovePrinter(name);
    ASSERT_TRUE(AddDriverWithFiles(name, L"ZR51AUI.dll", {L"ZR51ARC.DLL"})) << GetLastError();
    ASSERT_TRUE(AddPrinterOnPort(name, name, L"FILE:")) << GetLastError();
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(name), &h, nullptr));
    std::vector<BYTE> out(sizeof(DriverDevMode) + 4096);
    std::vector<Shown> seen;
    std::thread driver(Drive, GetCurrentThreadId(), &seen);
    LONG r = DocumentPropertiesW(nullptr, h, const_cast<LPWSTR>(name), reinterpret_cast<PDEVMODEW>(out.data()),
                                 nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
    driver.join();
    ClosePrinter(h);
    RemovePrinter(name);

    EXPECT_EQ(IDOK, r);
    const Shown expected[] = {
        {L"1", 1},       // the default
        {L"12", 12},     // typed over the selection; letters, minus and separator refused
        {L"13", 13},     // the up arrow of the up-down
        {L"14", 14},     // the up key
        {L"12", 12},     // two wheel notches down
        {L"0", 1},       // 0 typed
        {L"1", 1},       // and corrected on leaving
        {L"9999", 9999}, // too large: the high end on leaving
        {L"250", 250},
    };
    ASSERT_EQ(std::size(expected), seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(expected[i].text, seen[i].text) << "step " << i;
        EXPECT_EQ(expected[i].position, seen[i].position) << "step " << i;
    }
    const auto* dm = reinterpret_cast<const DriverDevMode*>(out.data());
    const int copies = dm->priv.copies, publicCopies = dm->pub.dmCopies;  // packed fields, read by value
    EXPECT_EQ(250, copies);
    EXPECT_EQ(250, publicCopies);
}

}  // namespace
