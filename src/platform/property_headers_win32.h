// The spooler's DOCUMENTPROPERTYHEADER and DEVICEPROPERTYHEADER, declared
// here because the toolchain's driver headers do not carry them. Shared by
// the exports and the Windows tests that call them.
#pragma once
#include <windows.h>

struct DocumentPropertyHeader {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
};
static_assert(sizeof(DocumentPropertyHeader) == 48, "DOCUMENTPROPERTYHEADER layout");

struct DevicePropertyHeader {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
};
static_assert(sizeof(DevicePropertyHeader) == 24, "DEVICEPROPERTYHEADER layout");


