#include "ui/ui_language.h"

namespace {

struct LanguageRow {
    uint16_t user;
    uint16_t carried;
};

// Regional variants map onto the one variant the module carries; Brazilian
// Portuguese shares the Portuguese texts.
constexpr LanguageRow kLanguages[] = {
    {1028, 1028}, {3076, 3076}, {2052, 2052}, {4100, 2052}, {1031, 1031}, {2055, 1031}, {3079, 1031},
    {4103, 1031}, {5127, 1031}, {1036, 1036}, {2060, 1036}, {3084, 1036}, {4108, 1036}, {5132, 1036},
    {1040, 1040}, {2064, 1040}, {1041, 1041}, {1042, 1042}, {2066, 1042}, {1043, 1043}, {2067, 1043},
    {1046, 2070}, {2070, 2070}, {1049, 1049}, {1053, 1053}, {2077, 1053}, {1054, 1054}, {1055, 1055},
    {1057, 1057}, {1066, 1066}, {1034, 3082}, {2058, 3082}, {3082, 3082}, {4106, 3082}, {5130, 3082},
    {6154, 3082}, {7178, 3082}, {8202, 3082}, {9226, 3082}, {10250, 3082}, {11274, 3082}, {12298, 3082},
    {13322, 3082}, {14346, 3082}, {15370, 3082}, {16394, 3082}, {17418, 3082}, {18442, 3082},
    {19466, 3082}, {20490, 3082},
};

constexpr uint32_t kRegDwordType = 4;

}  // namespace

uint16_t MapUILanguage(uint16_t userLanguage) {
    for (const LanguageRow& row : kLanguages)
        if (row.user == userLanguage) return row.carried;
    return 1033;
}

uint32_t ChooseUILanguage(int found, uint32_t type, uint32_t size, uint32_t value, uint32_t fallback) {
    if (found && type == kRegDwordType && size == 4 && value != 0) return value;
    return fallback;
}
