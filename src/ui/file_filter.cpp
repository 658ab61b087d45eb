#include "ui/file_filter.h"

void FilterSeparatorsToNul(char16_t* text) {
    if (!text || !text[0]) return;
    int n = 0;
    while (text[n]) ++n;
    char16_t separator = text[n - 1];
    for (int i = 0; i < n; ++i)
        if (text[i] == separator) text[i] = 0;
}
