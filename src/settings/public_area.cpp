// The public DEVMODE fields are never the source of truth: they are rebuilt
// from the private record after every defaults building and every merge.
#include <cstring>

#include "base/text16.h"
#include "diagnostics/log.h"
#include "session/global_list.h"
#include "session/model_list_access.h"
#include "session/session_load.h"
#include "settings/public_area.h"

uint32_t _UdcGetDriverVersion() {
    DrvLog(nullptr, "_UdcGetDriverVersion, Version=%d\n", static_cast<int>(kDriverVersion));
    return kDriverVersion;
}

void _UdcUpdateCmnDModeArea(PrinterSession* session, PrinterHandle printer, const char16_t* printerName) {
    DrvLog(nullptr, "_UdcUpdateCmnDModeArea\n");
    PublicDevMode& d = session->dm.pub;
    const PrivateSettings& p = session->dm.priv;
    if (printerName) {
        char16_t reduced[260];
        ReducePrinterName(reduced, printerName, 1);
        std::memset(d.dmDeviceName, 0, sizeof d.dmDeviceName);
        Text16Copy(d.dmDeviceName, 32, reduced);
    }
    const PaperRow* row = PaperRowAt(&session->env, _UduGetPaperListIndex(session, p.originalSize));
    int32_t a = d.dmPaperWidth, b = d.dmPaperLength;
    if (p.originalSize == 256) {
        UserPaperSize(p, &a, &b);
    } else if (row) {
        a = static_cast<int32_t>(row->width);
        b = static_cast<int32_t>(row->length);
    }
    int32_t width = a < b ? a : b, length = a < b ? b : a;

    d.dmSpecVersion = kSpecVersion;
    d.dmDriverVersion = kDriverVersion;
    d.dmSize = sizeof(PublicDevMode);
    d.dmDriverExtra = kPrivateSize;
    d.dmFields = kDriverDmFields;
    d.dmOrientation = static_cast<int16_t>(p.originalOrientation);
    d.dmPaperSize = static_cast<int16_t>(p.originalSize);
    d.dmPaperLength = static_cast<int16_t>(length);
    d.dmPaperWidth = static_cast<int16_t>(width);
    d.dmMediaType = p.paperType;
    d.dmScale = 100;
    d.dmCollate = 1;
    d.dmCopies = p.copies;
    d.dmDefaultSource = static_cast<int16_t>(p.inputTray);
    if (p.textSmoothing == 2) {
        d.dmPrintQuality = d.dmYResolution = p.imageQuality == 2 ? 900 : 600;
    } else if (p.imageQuality == 2) {
        d.dmPrintQuality = 300;
        d.dmYResolution = 600;
    } else {
        d.dmPrintQuality = d.dmYResolution = 300;
    }
    d.dmColor = p.colorMode == 2 ? 1 : 2;
    d.dmDuplex = static_cast<int16_t>(p.duplexType);
    if (row) {
        std::memset(d.dmFormName, 0, sizeof d.dmFormName);
        Text16Copy(d.dmFormName, 32, row->name);
    }
}
