#include "ui/range_message_win32.h"

#include "ui/resource_module_win32.h"

int FormatRangeMessage(HMODULE module, uint16_t language, wchar_t* out, int capacity, const wchar_t* low,
                       const wchar_t* high) {
    if (!out || capacity < 1) return 0;
    out[0] = 0;
    wchar_t format[260] = {};
    if (!LoadResString(module, 20966, format, 260, language)) return 0;
    // wsprintfW writes at most 1024 characters and reads %s as wide text.
    wchar_t text[1025] = {};
    wsprintfW(text, format, low ? low : L"", high ? high : L"");
    lstrcpynW(out, text, capacity);
    return lstrlenW(out);
}
