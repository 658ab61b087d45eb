// The diagnostics page's procedure: the record of diagnostics_page.h on
// the page's controls, stored as "DebugSettings" on apply.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

struct DiagnosticsHost;
// The page's state, on the sheet's heap (freed with it).
DiagnosticsHost* CreateDiagnosticsHost(HANDLE heap, HANDLE printer, HMODULE resources, uint16_t language,
                                       const char16_t* deviceName);
// The page procedure; its PROPSHEETPAGE's lParam is the host.
INT_PTR CALLBACK DiagnosticsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
