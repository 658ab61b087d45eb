// A session's settings from the printer: its stored DEVMODE when that
// carries our record and names this printer, else the defaults. Both steps
// reach the defaults and the public-area rebuild, so they sit above the
// session they fill.
#include "rules/session_reset.h"

#include <cstring>

#include "diagnostics/log.h"
#include "rules/settings_application.h"
#include "session/global_list.h"
#include "session/session_load.h"
#include "settings/public_area.h"

int _UdcResetSelfDMode(PrinterSession* session, PrinterHandle printer, const char16_t* printerName) {
    DrvLog(nullptr, "_UdcResetSelfDMode\n");
    PrinterRef p(printer, printerName, kPrinterAccessUse);
    // A stored DEVMODE that carries our record is the printer's own default.
    if (p.handle && GetPrinterInfoItem(p.handle, printerName, &session->dm, sizeof session->dm, 10)) return 1;
    std::memset(session, 0, sizeof *session);
    if (p.handle) {
        uint32_t type = 0, needed = 0;
        Spool().GetPrinterData(p.handle, u"PrvEnv", &type, &session->env, kEnvironmentSize, &needed);
    }
    // Defaults and the public paper need the paper list; a printer whose
    // environment was never stored has none yet.
    if (session->env.listsBuilt != 1) {
        char16_t name[260] = {};
        const char16_t* n = printerName;
        if (!n && p.handle && GetPrinterInfoItem(p.handle, nullptr, name, sizeof name, 14)) n = name;
        InitGlobalList(session, n, 0);
    }
    ResetPrivateSettings(session, p.handle, 0);
    ResetEnvironment(session, p.handle, 0);
    _UdcUpdateCmnDModeArea(session, p.handle, printerName);
    return 1;
}

int _UdcLoadSelfDMode(PrinterSession* session, PrinterHandle printer, const char16_t* printerName) {
    PrinterRef p(printer, printerName, kPrinterAccessUse);
    bool reset = !p.handle || !GetPrinterInfoItem(p.handle, printerName, &session->dm, sizeof session->dm, 10);
    // The environment is read before the device-name check so that a reset
    // that keeps the imported DEVMODE never leaves it undefined.
    bool envRead = false;
    if (!reset && !(envRead = ReadEnvironment(session, p.handle))) {
        // What a failed read left behind is no environment: start the
        // record afresh so that nothing later reads stray bytes.
        std::memset(&session->env, 0, sizeof session->env);
        ResetEnvironment(session, p.handle, 0);
        envRead = true;
        reset = true;
    }
    if (!reset && GetOsVersionCode() < 203 && DeviceNamesDiffer(session->dm.pub.dmDeviceName, printerName))
        reset = true;
    if (reset) {
        // Should the stored DEVMODE import on the reset's second look (it
        // changed meanwhile), the environment must still hold defined bytes.
        if (!envRead) std::memset(&session->env, 0, sizeof session->env);
        _UdcResetSelfDMode(session, p.handle, printerName);
        session->dm.priv.trailingMagic = kTrailingMagic;
    }
    return 1;
}

