#include "platform/platform.h"

namespace {
Platform g_platform = {nullptr, nullptr};
}

Platform& CurrentPlatform() { return g_platform; }

void InstallPlatform(Spooler* spooler, Host* host) {
    g_platform.spooler = spooler;
    g_platform.host = host;
}
