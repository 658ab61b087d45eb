// In-memory INI files for native tests: the portable parser over texts held
// by name, with deletions recorded. Installs itself for its lifetime.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/profile.h"

class FakeProfileScope : public Profile {
public:
    FakeProfileScope();
    ~FakeProfileScope() override;
    FakeProfileScope(const FakeProfileScope&) = delete;
    FakeProfileScope& operator=(const FakeProfileScope&) = delete;

    // File contents by path (8-bit text; "\n" line ends).
    std::map<std::u16string, std::string> files;
    std::vector<std::u16string> removed;

    uint32_t GetString(const char16_t* file, const char16_t* section, const char16_t* key, const char16_t* fallback,
                       char16_t* buffer, uint32_t capacity) override;
    int FileExists(const char16_t* file) override;
    int RemoveFile(const char16_t* file) override;

private:
    Profile* previous_;
};
