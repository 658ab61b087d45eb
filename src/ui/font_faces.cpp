#include "ui/font_faces.h"

namespace {

int SameFace(const char16_t* a, const char16_t* b) {
    for (int i = 0; i < kFaceNameChars; i++) {
        if (a[i] != b[i]) return 0;
        if (!a[i]) return 1;
    }
    return 1;
}

}  // namespace

int KeepOfferedFonts(FontFamily* families, int count) {
    int kept = 0;
    for (int i = 0; i < count; i++) {
        const FontFamily& f = families[i];
        if (!f.trueType || f.charset == kSymbolCharset || f.face[0] == u'@') continue;
        int seen = 0;
        for (int k = 0; k < kept && !seen; k++) seen = SameFace(families[k].face, f.face);
        if (seen) continue;
        if (kept != i) families[kept] = f;
        kept++;
    }
    return kept;
}

int SelectedFontIndex(const FontFamily* families, int count, const char16_t* face) {
    for (int i = 0; face && i < count; i++)
        if (SameFace(families[i].face, face)) return i;
    return 0;
}
