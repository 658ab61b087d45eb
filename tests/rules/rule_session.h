// A fresh session of a fully equipped four-ink printer (finisher 25 with a
// fold unit and an offset staple tray, no feeder), for tests of the rules
// that fit settings to the printer. Fields are named as in the field table.
#pragma once
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fake_platform.h"
#include "settings/field_table.h"
#include "rules/resolve.h"

struct FieldValue {
    const char* name;
    int element;
    int64_t value;
};

struct RuleSession {
    FakePlatformScope fake;
    std::unique_ptr<PrinterSession> s = std::make_unique<PrinterSession>();

    RuleSession() {
        fake.spooler.AddPrinter(u"P1");
        EXPECT_EQ(1u, _UdcResolveSelfDMode(s.get(), nullptr, nullptr, u"P1", nullptr, kResolveWholeSession,
                                           kCallerConvert));
        PrinterEnvironment& e = s->env;
        e.inkCount = 4;
        e.outputUnit_Option = 25;
        e.foldUnit_Option = 1;
        e.offsetStapleTray_Option = 1;
    }
    PrivateSettings& p() { return s->dm.priv; }
    void Set(const std::vector<FieldValue>& values) {
        for (const FieldValue& v : values) {
            const FieldRow* r = FindPrivateField(v.name);
            ASSERT_NE(nullptr, r) << v.name;
            WriteFieldElement(*r, &s->dm.priv, v.element, v.value);
        }
    }
    // Every expected value, with the case and field named on failure.
    void Expect(const char* what, const std::vector<FieldValue>& values) {
        for (const FieldValue& v : values) {
            const FieldRow* r = FindPrivateField(v.name);
            ASSERT_NE(nullptr, r) << v.name;
            EXPECT_EQ(v.value, ReadFieldElement(*r, &s->dm.priv, v.element)) << what << ": " << v.name;
        }
    }
};
