// A printer as installation leaves it, for tests of the merge: a fresh record
// fitted to the printer stored as its DEVMODE and an environment with built
// lists, paper extents and an offset staple tray (so that stapling is
// possible) in "PrvEnv". The callback adjusts the environment before the
// record is fitted and both are stored.
#pragma once
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "session/global_list.h"
#include "platform/fake_platform.h"
#include "rules/settings_application.h"
#include "rules/resolve.h"

struct PrinterRig {
    FakePlatformScope fake;
    std::unique_ptr<PrinterSession> base = std::make_unique<PrinterSession>();

    explicit PrinterRig(const std::function<void(PrinterEnvironment&)>& env = nullptr) {
        fake.spooler.AddPrinter(u"P1");
        EXPECT_EQ(1u, _UdcResolveSelfDMode(base.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        base->env.minExtent[0] = 900;
        base->env.minExtent[1] = 1480;
        base->env.maxExtent[0] = 3300;
        base->env.maxExtent[1] = 4870;
        base->env.offsetStapleTray_Option = 1;
        if (env) env(base->env);
        BuildModelLists(&base->env, nullptr, 0x0409, 0);
        base->env.listsBuilt = 1;
        ApplyDeviceRestrictions(base.get(), nullptr);
        Store();
    }
    void Store() {
        FakePrinter* p = fake.spooler.Printer(u"P1");
        const uint8_t* dm = reinterpret_cast<const uint8_t*>(&base->dm);
        p->info.devMode.assign(dm, dm + sizeof base->dm);
        p->Set(u"PrvEnv", kRegBinary, &base->env, sizeof base->env);
    }
    // Our own DEVMODE with the printer's settings, in a buffer with room to
    // spare so that headers claiming more than 19040 bytes stay readable.
    std::vector<uint8_t> Input() const {
        std::vector<uint8_t> in(sizeof(DriverDevMode) + 512, 0);
        std::memcpy(in.data(), &base->dm, sizeof base->dm);
        return in;
    }
    std::unique_ptr<PrinterSession> Resolve(void* input) {
        auto out = std::make_unique<PrinterSession>();
        PrinterHandle h = nullptr;
        EXPECT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessUse, &h));
        fake.host.ClearDebugLines();
        EXPECT_EQ(1u, _UdcResolveSelfDMode(out.get(), input, h, u"P1", nullptr,
                                           kResolveInBuffer | kResolveWholeSession, kCallerConvert));
        fake.spooler.ClosePrinter(h);
        EXPECT_EQ(0, fake.spooler.OpenHandles());
        return out;
    }
    bool Logged(const char* text) const {
        for (const auto& line : fake.host.DebugLines())
            if (Narrow(line).find(text) != std::string::npos) return true;
        return false;
    }
};
