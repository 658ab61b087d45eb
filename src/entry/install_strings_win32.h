// The resource module of a printer as the source of the host's strings for
// the length of an installation: the forms, the environment's folder names
// and the settings' default texts are named from it in the language the
// installation asks for.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

class InstallStrings {
public:
    explicit InstallStrings(const char16_t* printerName);
    ~InstallStrings();
    InstallStrings(const InstallStrings&) = delete;
    InstallStrings& operator=(const InstallStrings&) = delete;

private:
    HMODULE module_ = nullptr;
};
