#include "ui/fitted_text.h"

#include "base/text16.h"

int FitTextToWidth(const char16_t* text, int length, int width, MeasureTextFn measure, void* context, char16_t* out,
                   int room) {
    if (!out || room <= 0) return 0;
    if (!text || length < 0) length = 0;
    int dropped = 0;
    if (measure(text, length, context) > width) {
        dropped = 1;
        for (;; dropped++) {
            // never a tail that starts with the second half of a surrogate pair
            if (dropped < length && text[dropped] >= 0xDC00 && text[dropped] <= 0xDFFF) continue;
            // "..." and the tail, measured as it will be drawn
            int n = 0;
            for (const char16_t* dots = u"..."; *dots && n < room - 1; dots++) out[n++] = *dots;
            for (int i = dropped; i < length && n < room - 1; i++) out[n++] = text[i];
            if (n == room - 1 && dropped + n - 3 < length) n = static_cast<int>(Text16CutLength(out, size_t(n)));
            out[n] = 0;
            if (dropped >= length || measure(out, n, context) <= width) return n;
        }
    }
    int n = 0;
    for (; n < length && n < room - 1; n++) out[n] = text[n];
    if (n < length) n = static_cast<int>(Text16CutLength(out, size_t(n)));
    out[n] = 0;
    return n;
}
