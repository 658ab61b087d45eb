// The administrator's colour restriction: a four-bit mask of the colour modes
// a printer may use. A mode the mask forbids becomes the model's fallback.
#include "model/printer_data.h"
#include "rules/settings_application.h"

namespace {

constexpr uint32_t kAllowMono = 1;    // modes 2, 3, 4 and 6
constexpr uint32_t kAllowMode1 = 2;
constexpr uint32_t kAllowMode0 = 4;
constexpr uint32_t kAllowMode5 = 8;

// The first permitted mode of an order of preference, else 0.
uint8_t Fallback(uint32_t m, const uint8_t (&order)[3]) {
    const uint32_t bit[8] = {kAllowMode0, kAllowMode1, kAllowMono, kAllowMono, kAllowMono, kAllowMode5, kAllowMono, 0};
    for (uint8_t mode : order)
        if (m & bit[mode]) return mode;
    return 0;
}

}  // namespace

uint8_t RestrictColorMode(const PrinterEnvironment& env, uint32_t m, uint8_t mode) {
    if (m == 15) return mode;
    switch (env.inkCount) {
    case 1:
        return 0;
    case 2: {
        if (env.modelCode == 22) return (m & kAllowMono) ? 2 : 7;
        uint8_t fb = env.localArea ? Fallback(m, {5, 2, 2}) : Fallback(m, {2, 5, 5});
        if ((mode == 0 && !(m & kAllowMode0)) || (mode == 5 && !(m & kAllowMode5)) ||
            ((mode == 2 || mode == 6) && !(m & kAllowMono)))
            return fb;
        return mode;
    }
    case 4:
    case 5: {
        uint8_t fb = Fallback(m, {0, 1, 2});
        // The regional four-ink models know mode 6 where the others know mode 4.
        uint8_t lastMono = env.inkCount == 5 ? 4 : env.localArea == 2 ? 6 : 4;
        bool mono = mode == 2 || mode == 3 || mode == lastMono;
        if ((mode == 0 && !(m & kAllowMode0)) || (mode == 1 && !(m & kAllowMode1)) || (mono && !(m & kAllowMono)))
            return fb;
        if (env.inkCount == 5 && env.modelOptionByte == 0 && mode == 7) return fb;
        return mode;
    }
    default:
        return mode;
    }
}

int ApplyColorRestriction(PrinterHandle printer, PrinterSession* session) {
    uint8_t before = session->dm.priv.colorMode;
    session->dm.priv.colorMode = RestrictColorMode(session->env, GetColorRestriction(printer), before);
    return session->dm.priv.colorMode == before ? 1 : 0;
}
