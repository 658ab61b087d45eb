#include "ui/sheet_pages.h"

int SheetPageTemplates(int mode, uint32_t inkCount, char modelColor, uint32_t debugTab,
                       uint16_t templates[kSheetPageRoom]) {
    if (mode == kDeviceSheetMode) {
        int n = 0;
        templates[n++] = modelColor == '3' ? 30005 : 30003;
        if (debugTab != 0) templates[n++] = 30100;
        return n;
    }
    if (mode < 0 || mode > 2) return 0;
    templates[0] = inkCount == 1 ? 30203 : 30200;
    templates[1] = 30300;
    templates[2] = 30400;
    templates[3] = 30500;
    templates[4] = inkCount == 2 ? 30602 : 30600;
    templates[5] = 30700;
    return 6;
}
