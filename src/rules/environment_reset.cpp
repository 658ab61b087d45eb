// The environment record's reset: its user-adjustable part to defaults, or
// the whole record to the values installation stored.
#include <cstring>
#include <initializer_list>

#include "base/text16.h"
#include "model/printer_data.h"
#include "rules/settings_application.h"

namespace {

bool In(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (v == s) return true;
    return false;
}

}  // namespace

// "DefEnv" is a stored value like any other: option bytes outside their
// values go back to "not installed", texts are terminated, and the lists are
// rebuilt from the model rather than trusted.
void FitStoredEnvironment(PrinterEnvironment& env, PrinterHandle printer) {
    if (!In(env.inputUnit_Option, {0, 10})) env.inputUnit_Option = 0;
    if (!In(env.outputUnit_Option, {0, 20, 21, 22, 23, 24, 25, 26})) env.outputUnit_Option = 0;
    for (uint8_t* flag : {&env.foldUnit_Option, &env.offsetStapleTray_Option, &env.lightPaperSupport,
                          &env.roughPaperSupport, &env.pressPaperSupport, &env.storageEnabled, &env.storageState})
        if (*flag > 1) *flag = 0;
    for (int i = 0; i < 100; i++) {
        if (env.storageFolderPresent[i] > 1) env.storageFolderPresent[i] = 0;
        if (env.storageFolderSelectable[i] > 1) env.storageFolderSelectable[i] = 0;
        env.storageFolderName[i][254] = 0;
    }
    if (env.unitOfLength > 1) env.unitOfLength = GetUnitOfLength(printer) ? 1 : 0;
    if (env.defaultPaperType < 257 || env.defaultPaperType > 267) env.defaultPaperType = 258;
    env.typedAddress[39] = 0;
    env.snmpCommunityName[32] = 0;
    env.macAddress[17] = 0;
    env.resourceModulePath[259] = 0;
    env.modelDescriptionPath[259] = 0;
    env.helpFileName[259] = 0;
    env.printCheckLevel = 4;
    env.listsBuilt = 0;
}

void ResetEnvironment(PrinterSession* session, PrinterHandle printer, int mode) {
    PrinterEnvironment& env = session->env;
    if (mode == 1) {
        if (GetDefEnv(printer, &env)) FitStoredEnvironment(env, printer);
        return;
    }
    for (int i = 0; i < 100; i++) {
        // Folder names 20120 to 20149, then 21045 to 21114.
        uint32_t id = i < 30 ? 20120 + i : 21045 + (i - 30);
        char16_t buf[256] = {};
        if (Sys().LoadResourceString(env.languageId, id, buf, 256) > 0) Text16Copy(env.storageFolderName[i], 255, buf);
        env.storageFolderPresent[i] = 1;
        env.storageFolderSelectable[i] = i == 0 ? 1 : 0;
    }
    env.storageEnabled = 1;
    env.storageState = 0;
    env.communityOverride = 0;
    Text16Copy(env.snmpCommunityName, 33, u"public");
    env.useTypedAddress = 0;
    std::memset(env.typedAddress, 0, sizeof env.typedAddress);
    env.wakeUpEnable = 1;
    Text16Copy(env.macAddress, 18, u"00:00:00:00:00:00");
    env.wakeUpTarget = 0;
    env.inputUnit_Option = 0;
    env.outputUnit_Option = 0;
    env.foldUnit_Option = 0;
    env.offsetStapleTray_Option = 0;
    env.optionFlag5 = 0;
    env.unitOfLength = GetUnitOfLength(printer);
    env.defaultPaperType = 258;
    env.environmentChoiceA = 0;
    env.lightPaperSupport = 0;
    env.roughPaperSupport = 0;
    env.listsBuilt = 0;
    env.environmentChoiceB = 0;
}
