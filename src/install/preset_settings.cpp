// The preset favourites a new printer starts with: its stored defaults, the
// other two-sided choice, and two-up one-sided and two-sided. They are
// stored as preset quick settings under display-name references, so every
// user sees their names in the user's own language.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "install/installation.h"
#include "rules/settings_application.h"
#include "saved/keyed_record.h"
#include "saved/quick_keys.h"
#include "saved/quick_setting_store.h"

namespace {

struct Preset {
    int stringId;
    int pagesPerSheet;  // pluralPagesPerSheet, 0: as the defaults
    int duplex;         // duplexType, 0: as the defaults
    int mixedSize;      // duplexType_MixedSize, 0: as the defaults
};

// The second row depends on the defaults: it offers the two-sided choice
// they do not make.
constexpr Preset kAsDefaults = {20674, 0, 0, 0};
constexpr Preset kTwoSided = {20675, 0, 2, 0};
constexpr Preset kOneSided = {21116, 0, 1, 5};
constexpr Preset kTwoUpOneSided = {20676, 21, 1, 5};
constexpr Preset kTwoUpTwoSided = {20677, 21, 2, 0};

// Stores the settings under name in the first free slot of names (or the
// slot the name has already) with the preset flag. 1 when stored.
int StorePreset(const char16_t* printerName, char16_t* names, const char16_t* name, const DriverDevMode* dm) {
    int slot = -1, empty = -1;
    for (int i = 0; i < kQuickSettingSlots && slot < 0; i++) {
        const char16_t* s = names + i * kQuickSettingNameUnits;
        if (s[0] == 0 && empty < 0) empty = i;
        if (s[0] != 0 && Text16Compare(s, name, kQuickSettingNameUnits) == 0) slot = i;
    }
    if (slot < 0) {
        if (empty < 0) {
            DrvLog(nullptr, "InstallPresetFavorites : no free slot for %s\n", name);
            return 0;
        }
        Text16Copy(names + empty * kQuickSettingNameUnits, kQuickSettingNameUnits, name);
        if (!WriteQuickSettingNames(printerName, names)) {
            DrvLog(nullptr, "InstallPresetFavorites : QuickSettingNames not stored\n");
            names[empty * kQuickSettingNameUnits] = 0;
            return 0;
        }
    }
    std::vector<uint8_t> record(kQuickRecordSize, 0);
    const int length = SerializeSettings(record.data(), dm, kQuickRecordSize);
    if (length <= 0 ||
        !WriteQuickSetting(printerName, name, kQuickSettingPreset, record.data(), static_cast<uint32_t>(length))) {
        DrvLog(nullptr, "InstallPresetFavorites : %s not stored\n", name);
        return 0;
    }
    return 1;
}

struct FreeSession {
    void operator()(PrinterSession* s) const { std::free(s); }
};

}  // namespace

void InstallPresetFavorites(PrinterHandle printer, const char16_t* printerName, uint32_t languageId) {
    std::unique_ptr<PrinterSession, FreeSession> session(static_cast<PrinterSession*>(std::calloc(1, kSessionSize)));
    std::vector<char16_t> names(kQuickSettingSlots * kQuickSettingNameUnits, 0);
    if (!session) return;
    uint32_t type = 0, needed = 0;
    Spool().GetPrinterData(printer, u"PrvEnv", &type, &session->env, kEnvironmentSize, &needed);
    session->env.languageId = languageId;
    // A printer that already has quick settings keeps them beside the presets.
    int count = 0;
    if (!ReadQuickSettingNames(printerName, names.data(), &count)) std::fill(names.begin(), names.end(), 0);

    // The printer's stored defaults, over the factory record for this
    // environment in case the stored ones cannot be read.
    ResetPrivateSettings(session.get(), printer, 0);
    ResetPrivateSettings(session.get(), printer, 1);
    session->dm.priv.trailingMagic = kTrailingMagic;
    const DriverDevMode defaults = session->dm;
    const Preset rows[4] = {kAsDefaults, defaults.priv.duplexType == 1 ? kTwoSided : kOneSided, kTwoUpOneSided,
                            kTwoUpTwoSided};
    for (const Preset& row : rows) {
        DriverDevMode dm = defaults;
        if (row.pagesPerSheet) dm.priv.pluralPagesPerSheet = static_cast<uint8_t>(row.pagesPerSheet);
        if (row.duplex) dm.priv.duplexType = static_cast<uint16_t>(row.duplex);
        if (row.mixedSize) dm.priv.duplexType_MixedSize = static_cast<uint16_t>(row.mixedSize);
        char narrow[16];
        std::snprintf(narrow, sizeof narrow, "+IDS_%d", row.stringId);
        char16_t name[kQuickSettingNameUnits] = {};
        for (int i = 0; narrow[i] && i < kQuickSettingNameUnits - 1; i++) name[i] = static_cast<char16_t>(narrow[i]);
        StorePreset(printerName, names.data(), name, &dm);
    }
}
