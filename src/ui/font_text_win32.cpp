#include "ui/font_text_win32.h"

#include <cstring>
#include <vector>

#include "ui/fitted_text.h"
#include "ui/font_faces.h"

namespace {

struct Enumeration {
    std::vector<FontFamily>* families;  // null while counting
    int count;
};

int CALLBACK OnFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM lParam) {
    auto* e = reinterpret_cast<Enumeration*>(lParam);
    e->count++;
    if (e->families) {
        FontFamily f;
        std::memset(&f, 0, sizeof f);
        std::memcpy(f.face, lf->lfFaceName, sizeof f.face - sizeof(char16_t));
        f.trueType = (type & TRUETYPE_FONTTYPE) != 0;
        f.charset = lf->lfCharSet;
        e->families->push_back(f);
    }
    return 1;
}

int Measure(const char16_t* text, int length, void* context) {
    HDC dc = static_cast<HDC>(context);
    SIZE size = {0, 0};
    const wchar_t* w = reinterpret_cast<const wchar_t*>(text);
    GetTextExtentPoint32W(dc, w, length, &size);
    ABC abc;
    if (length > 0 && GetCharABCWidthsW(dc, w[length - 1], w[length - 1], &abc) && abc.abcC < 0)
        size.cx -= abc.abcC;  // the overhang of the last character
    return size.cx;
}

}  // namespace

int FillFontCombo(HWND dialog, int comboId, const wchar_t* currentFace) {
    HWND combo = GetDlgItem(dialog, comboId);
    HDC dc = GetDC(nullptr);
    LOGFONTW lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfCharSet = DEFAULT_CHARSET;
    Enumeration e = {nullptr, 0};
    EnumFontFamiliesExW(dc, &lf, OnFamily, reinterpret_cast<LPARAM>(&e), 0);
    std::vector<FontFamily> families;
    families.reserve(static_cast<size_t>(e.count));
    e = {&families, 0};
    EnumFontFamiliesExW(dc, &lf, OnFamily, reinterpret_cast<LPARAM>(&e), 0);
    ReleaseDC(nullptr, dc);
    int kept = KeepOfferedFonts(families.data(), static_cast<int>(families.size()));
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < kept; i++)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(families[i].face)));
    int selected = SelectedFontIndex(families.data(), kept, reinterpret_cast<const char16_t*>(currentFace));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return selected;
}

int DrawTextFitted(HDC dc, const wchar_t* text, int length, RECT* rect, UINT format) {
    if (!(format & kFitTextFormat) || !text || !rect)
        return DrawTextExW(dc, const_cast<wchar_t*>(text), length, rect, format & ~kFitTextFormat, nullptr);
    if (length < 0) length = lstrlenW(text);
    std::vector<char16_t> fitted(static_cast<size_t>(length) + 4);
    int n = FitTextToWidth(reinterpret_cast<const char16_t*>(text), length, rect->right - rect->left, Measure, dc,
                           fitted.data(), length + 4);
    return DrawTextExW(dc, reinterpret_cast<wchar_t*>(fitted.data()), n, rect, format & ~kFitTextFormat, nullptr);
}
