#include "ui/resource_module_name.h"

namespace {

constexpr char16_t kModuleName[] = u"ZR51ARC.DLL";
constexpr size_t kPartLimit = 256;  // file name and extension, each

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

int CopyPath(const char16_t* path, char16_t* out, size_t capacity) {
    size_t n = 0;
    while (path[n]) n++;
    if (n == 0 || n >= capacity) return 0;
    for (size_t i = 0; i <= n; i++) out[i] = path[i];
    return 1;
}

}  // namespace

int IsResourceModuleFile(const char16_t* path) {
    if (!path) return 0;
    // The name starts after the last separator (or drive colon); the
    // extension at its last dot.
    const char16_t* name = path;
    for (const char16_t* p = path; *p; p++)
        if (*p == u'\\' || *p == u'/' || *p == u':') name = p + 1;
    const char16_t* dot = nullptr;
    for (const char16_t* p = name; *p; p++)
        if (*p == u'.') dot = p;
    size_t stem = dot ? size_t(dot - name) : 0, extension = 0;
    if (dot)
        while (dot[extension]) extension++;
    else
        while (name[stem]) stem++;
    if (stem > kPartLimit || extension > kPartLimit) return 0;
    size_t i = 0;
    for (; name[i]; i++)
        if (i >= sizeof kModuleName / 2 - 1 || Upper(name[i]) != kModuleName[i]) return 0;
    return i == sizeof kModuleName / 2 - 1;
}

int PickResourceModulePath(const std::u16string& dataFile, const std::vector<std::u16string>& dependentFiles,
                           const char16_t* fallbackPath, char16_t* out, size_t capacity) {
    if (!out || capacity == 0) return 0;
    out[0] = 0;
    if (!dataFile.empty() && IsResourceModuleFile(dataFile.c_str())) return CopyPath(dataFile.c_str(), out, capacity);
    for (const std::u16string& f : dependentFiles)
        if (IsResourceModuleFile(f.c_str())) return CopyPath(f.c_str(), out, capacity);
    return fallbackPath ? CopyPath(fallbackPath, out, capacity) : 0;
}
