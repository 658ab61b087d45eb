#include "settings/settings_observer.h"

SettingsStepHook g_settingsStepHook = nullptr;
void* g_settingsStepContext = nullptr;

void SetSettingsStepHook(SettingsStepHook hook, void* context) {
    g_settingsStepHook = hook;
    g_settingsStepContext = context;
}
