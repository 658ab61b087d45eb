// Reading INI-style files (the model description and the initial-setting
// file) the way GetPrivateProfileStringW does, and deleting such a file. The
// DLL uses kernel32's reader; the native build and anything that installs
// nothing else use our own portable one, which follows the same rules:
// section and key names compare without regard to ASCII case, the first
// matching section and key win, values lose surrounding blanks and one pair
// of enclosing quotes, lines starting with ';' are comments, and a missing
// file, section or key yields the default.
#pragma once
#include <cstddef>
#include <cstdint>

class Profile {
public:
    virtual ~Profile() = default;
    // Copies the value (or fallback) into buffer, cut to capacity - 1
    // characters and terminated; returns the number of characters copied.
    virtual uint32_t GetString(const char16_t* file, const char16_t* section, const char16_t* key,
                               const char16_t* fallback, char16_t* buffer, uint32_t capacity) = 0;
    virtual int FileExists(const char16_t* file) = 0;
    virtual int RemoveFile(const char16_t* file) = 0;  // 1 when deleted
};

// The portable reader over the C library's files.
Profile& PortableProfile();
// kernel32's reader; only in the DLL and the Windows programs.
Profile& Win32Profile();

// The process-wide reader, the portable one until another is installed.
Profile& Prof();
void InstallProfile(Profile* profile);

// The portable reader's parse over a file's bytes (exposed for tests): UTF-16
// with its byte-order mark, else 8-bit text (a UTF-8 mark is skipped and
// the bytes widen one by one, so only ASCII reads the same as kernel32).
uint32_t ProfileLookUp(const uint8_t* bytes, size_t size, const char16_t* section, const char16_t* key,
                       const char16_t* fallback, char16_t* buffer, uint32_t capacity);
