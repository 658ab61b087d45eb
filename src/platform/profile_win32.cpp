// The INI reader of the DLL: kernel32's profile functions.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/profile.h"

namespace {

LPCWSTR W(const char16_t* s) { return reinterpret_cast<LPCWSTR>(s); }

class Win32Reader final : public Profile {
public:
    uint32_t GetString(const char16_t* file, const char16_t* section, const char16_t* key, const char16_t* fallback,
                       char16_t* buffer, uint32_t capacity) override {
        if (buffer == nullptr || capacity == 0) return 0;
        return ::GetPrivateProfileStringW(W(section), W(key), W(fallback ? fallback : u""),
                                          reinterpret_cast<LPWSTR>(buffer), capacity, W(file));
    }

    int FileExists(const char16_t* file) override {
        DWORD attributes = ::GetFileAttributesW(W(file));
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
    }

    int RemoveFile(const char16_t* file) override { return ::DeleteFileW(W(file)) ? 1 : 0; }
};

Win32Reader g_win32;

}  // namespace

Profile& Win32Profile() { return g_win32; }
