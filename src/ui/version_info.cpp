// The version dialog's tables.
#include "ui/version_info.h"

#include "session/session_load.h"

namespace {

struct ControllerRow {
    uint8_t inkCount;
    uint8_t modelColor;  // 0: any
    const char* code;
};
const ControllerRow kControllers[] = {
    {1, 0, "5.20-G002"}, {2, 0, "5.10-G004"}, {4, 0, "5.00-G008"}, {5, '2', "6.00-G010"}, {5, '3', "6.10-G006"},
};

struct LanguageRow {
    uint16_t id;
    const char* name;
};
// Windows language identifiers (primary language and region) and their names.
const LanguageRow kLanguages[] = {
    {1025, "Arabic(SaudiArabia)"}, {2049, "Arabic(Iraq)"}, {3073, "Arabic(Egypt)"}, {4097, "Arabic(Libya)"},
    {5121, "Arabic(Algeria)"}, {6145, "Arabic(Morocco)"}, {7169, "Arabic(Tunisia)"}, {8193, "Arabic(Oman)"},
    {9217, "Arabic(Yemen)"}, {10241, "Arabic(Syria)"}, {11265, "Arabic(Jordan)"}, {12289, "Arabic(Lebanon)"},
    {13313, "Arabic(Kuwait)"}, {14337, "Arabic(UAE)"}, {15361, "Arabic(Bahrain)"}, {16385, "Arabic(Qatar)"},
    {1026, "Bulgarian"}, {1027, "Catalan"}, {1028, "Chinese(Taiwan)"}, {2052, "Chinese(PRC)"},
    {3076, "Chinese(HongKongSAR"}, {4100, "Chinese(Singapore)"}, {1029, "Czech"}, {1030, "Danish"},
    {1031, "German(Standard)"}, {2055, "German(Swiss)"}, {3079, "German(Austrian)"}, {4103, "German(Luxembourg)"},
    {5127, "German(Liechtenstein)"}, {1032, "Greek"}, {1033, "English(UnitedStates)"},
    {2057, "English(UnitedKingdom)"}, {3081, "English(Australian)"}, {4105, "English(Canadian)"},
    {5129, "English(NewZealand)"}, {6153, "English(Ireland)"}, {7177, "English(SouthAfrica)"},
    {8201, "English(Jamaica)"}, {9225, "English(Caribbean)"}, {10249, "English(Belize)"}, {11273, "English(Trinidad)"},
    {1034, "Spanish(TraditionalSort)"}, {2058, "Spanish(Mexican)"}, {3082, "Spanish(ModernSort)"},
    {4106, "Spanish(Guatemala)"}, {5130, "Spanish(CostaRica)"}, {6154, "Spanish(Panama)"},
    {7178, "Spanish(DominicanRepublic)"}, {8202, "Spanish(Venezuela)"}, {9226, "Spanish(Colombia)"},
    {10250, "Spanish(Peru)"}, {11274, "Spanish(Argentina)"}, {12298, "Spanish(Ecuador)"}, {13322, "Spanish(Chile)"},
    {14346, "Spanish(Uruguay)"}, {15370, "Spanish(Paraguay)"}, {16394, "Spanish(Bolivia)"},
    {17418, "Spanish(ElSalvador)"}, {18442, "Spanish(Honduras)"}, {19466, "Spanish(Nicaragua)"},
    {20490, "Spanish(PuertoRico)"}, {1035, "Finnish"}, {1036, "French(Standard)"}, {2060, "French(Belgian)"},
    {3084, "French(Canadian)"}, {4108, "French(Swiss)"}, {5132, "French(Luxembourg)"}, {1037, "Hebrew"},
    {1038, "Hungarian"}, {1039, "Icelandic"}, {1040, "Italian(Standard)"}, {2064, "Italian(Swiss)"},
    {1041, "Japanese"}, {1042, "Korean"}, {2066, "Korean(Johab)"}, {1043, "Dutch(Standard)"},
    {2067, "Dutch(Belgian)"}, {1044, "Norwegian(Bokmal)"}, {2068, "Norwegian(Nynorsk)"}, {1045, "Polish"},
    {1046, "Portuguese(Brazil)"}, {2070, "Portuguese(Portugal)"}, {1048, "Romanian"}, {1049, "Russian"},
    {1050, "Croatian"}, {2074, "Serbian(Latin)"}, {3098, "Serbian(Cyrillic)"}, {1051, "Slovak"}, {1052, "Albanian"},
    {1053, "Swedish"}, {2077, "Swedish(Finland)"}, {1054, "Thai"}, {1055, "Turkish"}, {1057, "Indonesian"},
    {1058, "Ukrainian"}, {1059, "Belarusian"}, {1060, "Slovenian"}, {1061, "Estonian"}, {1062, "Latvian"},
    {1063, "Lithuanian"}, {1065, "Farsi"}, {1066, "Vietnamese"}, {1069, "Basque"}, {1078, "Afrikaans"},
    {1080, "Faeroese"},
};
static_assert(sizeof kLanguages / sizeof kLanguages[0] == 105);

}  // namespace

const char* ControllerVersionCode(uint8_t inkCount, uint8_t modelColor) {
    for (const ControllerRow& r : kControllers)
        if (r.inkCount == inkCount && (r.modelColor == 0 || r.modelColor == modelColor)) return r.code;
    return nullptr;
}

const char* LanguageNameOf(uint16_t languageId) {
    for (const LanguageRow& r : kLanguages)
        if (r.id == languageId) return r.name;
    return nullptr;
}

int FormatOneText(const char16_t* format, const char16_t* arg, char16_t* out, int room) {
    if (!out || room <= 0) return 0;
    int n = 0, used = 0;
    for (int i = 0; format && format[i] && n < room - 1; i++) {
        if (!used && format[i] == u'%' && format[i + 1] == u's') {
            for (int k = 0; arg && arg[k] && n < room - 1; k++) out[n++] = arg[k];
            used = 1;
            i++;
            continue;
        }
        out[n++] = format[i];
    }
    out[n] = 0;
    return n;
}

void VersionDialogRules(const PageInput&, PageState& page) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == 30821) page.control[i].visible = 0;
}

int VersionHelpPath(const PageInput& in, char16_t* out, int room) {
    if (!out || room < 1) return 0;
    out[0] = 0;
    if (!in.session || !in.printer) return 0;
    const char16_t* name = in.session->env.helpFileName;
    int nameLength = 0;
    while (nameLength < 259 && name[nameLength]) nameLength++;
    char16_t path[kPageTextChars] = {};
    if (!GetPrinterInfoItem(in.printer, nullptr, path, sizeof path, nameLength ? 100 : 110)) return 0;
    int n = 0;
    while (n < kPageTextChars && path[n]) n++;
    if (nameLength) {
        if (n + 1 + nameLength >= kPageTextChars) return 0;
        path[n++] = u'\\';
        for (int k = 0; k < nameLength; k++) path[n++] = name[k];
        path[n] = 0;
    }
    if (!n || n >= room) return 0;
    for (int k = 0; k <= n; k++) out[k] = path[k];
    return 1;
}
