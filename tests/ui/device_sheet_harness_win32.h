// The printer-properties sheet as a test drives it under Wine: compstui
// hosts the installed driver's DrvDevicePropertySheets (as the spooler's own
// host would) while drive() works the sheet from a second thread.
#pragma once
#include <windows.h>

// The visible sheet of a thread with a current page, waiting up to waitMs;
// null when none appeared.
HWND WaitForSheet(DWORD thread, DWORD waitMs);

// A visible window of the thread other than the sheet holding control (of
// window class cls when given): a sub-dialog or a message box; null when none
// appeared in time. WaitClosed: 1 once w is gone.
HWND WaitForWindowWith(DWORD thread, int control, const wchar_t* cls = nullptr, DWORD waitMs = 90000);
int WaitClosed(HWND w, DWORD waitMs = 90000);

// Opens the sheet for printer (driver driverName installed), runs
// drive(context, thread of the sheet) beside it and returns when both have
// finished; 0 when the driver, compstui or the printer could not be opened.
int RunDeviceSheet(const wchar_t* printer, const wchar_t* driverName, void (*drive)(void* context, DWORD thread),
                   void* context);
