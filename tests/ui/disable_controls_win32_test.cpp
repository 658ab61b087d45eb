// The DLL's disable callback on real windows: a parent with child controls
// carrying page control identifiers, a real evaluation of the built-in rules,
// and every control named by a disable result greyed, the others untouched.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "rules/constraint_engine.h"
#include "ui/disable_controls_win32.h"

namespace {

int NamedAsDisabled(const ConstraintResult* results, int count, uint32_t control) {
    for (int i = 0; i < count; i++)
        if (results[i].kind == kControlDisabled && results[i].control == control) return 1;
    return 0;
}

TEST(Win32DisableControls, GreysExactlyTheControlsTheRulesDisable) {
    // Plain windows of a class of our own under a message-only parent, so the
    // test needs no desktop (Wine runs it with the null display driver).
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZR51DisableTest";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"page", WS_POPUP, 0, 0, 400, 300, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(nullptr, parent) << GetLastError();
    // Paper source, tray per page, copies, two-sided, proof print, reverse order.
    const uint32_t ids[] = {30237, 30238, 30216, 30213, 30218, 30730};
    for (uint32_t id : ids)
        ASSERT_NE(nullptr, CreateWindowExW(0, wc.lpszClassName, L"c", WS_CHILD, 0, 0, 50, 20, parent,
                                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), wc.hInstance,
                                           nullptr))
            << id << " " << GetLastError();

    // Mixed original sizes on a raster controller: the paper source and the
    // controller's missing features grey; the two-sided list is only narrowed.
    auto s = std::make_unique<PrinterSession>();
    s->dm.priv.mixedSizeSupport = 1;
    s->env.printCheckLevel = 4;
    SettingsPairArray pairs{};
    BuildSettingsPairs(*s, pairs);
    ConstraintResult results[kConstraintResultRoom]{};
    int n = CheckConstraints(parent, 0, 0, kSettingsPairCount, pairs.entry, results);
    ASSERT_GT(n, 0);
    ASSERT_TRUE(NamedAsDisabled(results, n, 30237));
    ASSERT_FALSE(NamedAsDisabled(results, n, 30213));

    DisableConstrainedDialogControls(parent, n, results);
    for (uint32_t id : ids)
        EXPECT_EQ(!NamedAsDisabled(results, n, id), IsWindowEnabled(GetDlgItem(parent, static_cast<int>(id))) != 0)
            << id;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(parent, 30237)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(parent, 30216)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(parent, 30213)));

    // Controls the window does not have, and no results, change nothing.
    ConstraintResult foreign{kControlDisabled, 999, 31999, 319, 0};
    DisableConstrainedDialogControls(parent, 1, &foreign);
    DisableConstrainedDialogControls(parent, 0, nullptr);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(parent, 30216)));
    DestroyWindow(parent);
}

}  // namespace
