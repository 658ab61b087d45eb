#include "platform/fake_profile.h"

FakeProfileScope::FakeProfileScope() : previous_(&Prof()) { InstallProfile(this); }
FakeProfileScope::~FakeProfileScope() { InstallProfile(previous_); }

uint32_t FakeProfileScope::GetString(const char16_t* file, const char16_t* section, const char16_t* key,
                                     const char16_t* fallback, char16_t* buffer, uint32_t capacity) {
    auto it = file ? files.find(file) : files.end();
    const std::string text = it == files.end() ? std::string() : it->second;
    return ProfileLookUp(reinterpret_cast<const uint8_t*>(text.data()), text.size(), section, key, fallback, buffer,
                         capacity);
}

int FakeProfileScope::FileExists(const char16_t* file) { return file && files.count(file) ? 1 : 0; }

int FakeProfileScope::RemoveFile(const char16_t* file) {
    if (!FileExists(file)) return 0;
    files.erase(file);
    removed.push_back(file);
    return 1;
}
