// The custom paper size dialog's values: the stored width and length (0.01 mm)
// shown in the unit of length (0.1 mm or 0.01 inch) inside the unit's range,
// the range text, and the store on OK.
#pragma once
#include <cstdint>

#include "base/session.h"

enum CustomSizeTarget { kCustomOriginal = 0, kCustomOutput = 1 };

struct CustomSizeForm {
    int target;  // CustomSizeTarget
    int inches;  // 1: 0.01 inch, 0: 0.1 mm
    int32_t width, length;  // shown units
    int32_t widthMin, widthMax, lengthMin, lengthMax;
};

void LoadCustomSize(const PrinterSession& s, int target, CustomSizeForm& form);
// The shown values are scaled integers of the numeric spin edit: two
// decimals in inches, one in millimetres.
inline int CustomSizeDecimals(const CustomSizeForm& form) { return form.inches ? 2 : 1; }
// "[min - max]" of width (length 0) or length (1) in whole mm or in inches.
void CustomSizeRangeText(const CustomSizeForm& form, int length, char16_t* text, int capacity);
int32_t ClampCustomWidth(const CustomSizeForm& form, int32_t v);
int32_t ClampCustomLength(const CustomSizeForm& form, int32_t v);
// The values back in 0.01 mm into the target's fields; the output size's
// physical size follows when the output is the custom size or the original.
void StoreCustomSize(const CustomSizeForm& form, PrinterSession& s);
