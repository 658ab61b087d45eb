// The diagnostics log: one line per call to the debugger output, tagged
// "[KELO DRV]" with local time, process and thread. The formatter is our own
// so that both builds print the same: formats are UTF-8 text with %d %u %x
// %X with flags and widths, %s for UTF-16 text (char16_t*), %hs for 8-bit
// text, %p as 16 upper-case hex digits, %%.
#pragma once
#include <cstdarg>
#include <cstddef>

// Formats into out (capacity in characters, always terminated); returns the
// number of characters written.
size_t FormatLogText(char16_t* out, size_t capacity, const char* format, va_list args);
// path null sends the line to the debugger output; a path appends to a file.
void DrvLog(const char16_t* path, const char* format, ...);
