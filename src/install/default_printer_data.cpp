// The printer data a new printer starts with, or an upgraded one keeps: the
// model description parsed once and stored, the environment and default
// DEVMODE built from it, the model's forms, and on a new printer the
// installation's environment, the preset favourites and the SNMP community.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "install/installation.h"
#include "model/printer_data.h"
#include "model/rdf.h"
#include "rules/settings_application.h"
#include "session/global_list.h"
#include "session/model_forms.h"
#include "session/session_load.h"
#include "settings/public_area.h"
#include "ui/resource_module_name.h"
#include "ui/ui_language.h"

namespace {

constexpr int kPathUnits = 260;

// The spooler's refusal of one value does not stop the installation; it is
// logged so that an administrator finds which value is missing.
void Noted(int stored, const char* value) {
    if (!stored) DrvLog(nullptr, "InstallDefaultReg : %hs not stored\n", value);
}

int WriteDword(PrinterHandle printer, const char16_t* value, uint32_t v) {
    return Spool().SetPrinterData(printer, value, kRegDword, &v, 4) == kErrSuccess;
}

// Step 4: the language of the printer's texts.
uint32_t InstallationLanguage(PrinterHandle printer, int upgrade) {
    uint32_t languageId = 0;
    if (upgrade) {
        languageId = GetLocaleID(printer);
        if (languageId == 0) languageId = MapUILanguage(Sys().SystemDefaultUILanguage());
    } else if (ReadInstallLanguage(&languageId)) {
        Noted(SetLocaleID(printer, languageId), "LocaleID");
    }
    return languageId;
}

// Paths that live in the environment record and are set again whenever the
// record is replaced by a stored one.
void SetModulePaths(PrinterEnvironment& env, const DriverInfo3& driver, const char16_t* modelPath) {
    Text16Copy(env.modelDescriptionPath, kPathUnits, modelPath);
    // The UI module's own file, the driver's configuration file, is the
    // module of last resort.
    PickResourceModulePath(driver.dataFile, driver.dependentFiles, driver.configFile.c_str(),
                           env.resourceModulePath, kPathUnits);
}

struct FreeSession {
    void operator()(PrinterSession* s) const { std::free(s); }
};

}  // namespace

int ReadInstallLanguage(uint32_t* languageId) {
    uint32_t type = 0, value = 0;
    if (!languageId || !Sys().ReadMachineValue(kInstallerKey, kInstallLanguageValue, &type, &value)) return 0;
    if (type != kRegDword || value == 0) return 0;
    *languageId = value;
    return 1;
}

int InstallDefaultReg(PrinterHandle printer, const char16_t* printerName, int upgrade) {
    DrvLog(nullptr, "InstallDefaultReg Start\n");
    std::unique_ptr<PrinterSession, FreeSession> session(static_cast<PrinterSession*>(std::calloc(1, kSessionSize)));
    auto ctx = std::make_unique<RdfContext>();
    if (!session || !ctx) {
        Sys().SetLastError(kErrNotEnoughMemory);
        return 0;
    }
    session->dm.priv.trailingMagic = kTrailingMagic;
    PrinterEnvironment& env = session->env;

    DriverInfo3 driver;
    if (!Spool().GetDriverInfo3(printer, &driver)) {
        DrvLog(nullptr, "install failed : Read DRIVER_INFO_3.\n");
        return 0;
    }
    std::memset(ctx.get(), 0, sizeof *ctx);
    ctx->DeviceName = driver.name.data();
    ctx->PrinterName = const_cast<char16_t*>(printerName);

    const uint32_t languageId = InstallationLanguage(printer, upgrade);
    ReadInitialSettingFile(printer);

    char16_t modelPath[kPathUnits] = {};
    GetRdfFilePath(printer, modelPath, kPathUnits);
    SetModulePaths(env, driver, modelPath);
    ctx->RdfFile = env.modelDescriptionPath;
    if (!ReadRdfFile(ctx.get())) {
        DrvLog(nullptr, "install failed : Read RDF File.\n");
        ReleaseRdfContext(ctx.get());
        Sys().SetLastError(kErrFileNotFound);
        return 0;
    }
    // A file without the driver's model section still parses (every field
    // 0); the printer then offers the built-in lists, and says why.
    if (ctx->info.ModelCode == 0)
        DrvLog(nullptr, "InstallDefaultReg : no model [%s] in %s\n", ctx->DeviceName, ctx->RdfFile);

    // Forms are named in the printer's language, or the user's when the
    // installer named none.
    ModelListInfo model;
    ModelListFromRdf(&ctx->info, &model);
    const uint32_t textLanguage = languageId ? languageId : MapUILanguage(Sys().SystemDefaultUILanguage());
    RegisterModelForms(printer, &model, textLanguage);
    Noted(SaveRdfContext(ctx.get()), "RdfInfo");

    ApplyRdfDefaults(&env, &ctx->info);
    InitGlobalList(session.get(), printerName, 1);
    if (upgrade && ReadStoredEnvironment(printer, session.get())) {
        // The stored environment keeps the user's choices; the model's
        // fields, the module paths and the lists come from this driver.
        FitStoredEnvironment(env, printer);
        SetModulePaths(env, driver, modelPath);
        ApplyRdfDefaults(&env, &ctx->info);
        InitGlobalList(session.get(), printerName, 1);
        ConvertPrinterDevmodes(printer);
    } else {
        // A new printer, or an upgrade that finds no environment to keep.
        ResetEnvironment(session.get(), printer, 0);
    }
    ResetPrivateSettings(session.get(), printer, 0);
    ReleaseRdfContext(ctx.get());
    _UdcUpdateCmnDModeArea(session.get(), printer, printerName);
    session->dm.priv.trailingMagic = kTrailingMagic;
    Noted(SetDefDevmode(printer, &session->dm), "DefDevmode");

    if (!upgrade) {
        Noted(SetDefEnv(printer, &env), "DefEnv");
        // The presets start from the stored defaults, which are judged
        // against the stored environment: it is written first.
        Noted(_UdcSaveEnvironment(session.get(), printer, printerName), "PrvEnv");
        InstallPresetFavorites(printer, printerName, textLanguage);
        Noted(SetSnmpCommunityName(printer, u"public"), "SnmpCommunityName");
    }
    Noted(SetUIModuleName(printer, driver.configFile.c_str()), "UIModuleName");
    if (upgrade) Noted(_UdcSaveEnvironment(session.get(), printer, printerName), "PrvEnv");
    DrvLog(nullptr, "InstallDefaultReg End\n");
    Noted(WriteDword(printer, u"DebugTabEnable", 0), "DebugTabEnable");
    return 1;
}
