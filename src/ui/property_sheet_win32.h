// The document and printer property sheets: the sheet context, the pages of
// its mode added to the host's sheet, and the write-back at OK.
#pragma once
#include <windows.h>

// The bodies of DrvDocumentPropertySheets and DrvDevicePropertySheets with
// sheet information (a PROPSHEETUI_INFO). -1 when the host refuses a page or
// the resource module is missing; nothing is written then.
LONG DocumentSheetsWithInfo(void* info, LPARAM lParam, HINSTANCE own);
LONG DeviceSheetsWithInfo(void* info, LPARAM lParam, HINSTANCE own);
