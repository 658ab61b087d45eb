// An optional watcher of the settings resolution for diagnostic tools: after
// each named step of the merge and of the device rules the hook sees the
// session as that step left it. No hook is installed by default; the driver
// then pays one pointer test per step. The hook is process-wide and meant
// for single-threaded programs only.
#pragma once

struct PrinterSession;

typedef void (*SettingsStepHook)(const char* step, const PrinterSession* session, void* context);

// null removes the hook.
void SetSettingsStepHook(SettingsStepHook hook, void* context);

extern SettingsStepHook g_settingsStepHook;
extern void* g_settingsStepContext;

inline void NoteSettingsStep(const char* step, const PrinterSession* session) {
    if (g_settingsStepHook) g_settingsStepHook(step, session, g_settingsStepContext);
}
