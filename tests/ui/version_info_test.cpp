// The version dialog's tables and formats.
#include <gtest/gtest.h>

#include <string>

#include "platform/fake_platform.h"
#include "ui/page_changes.h"
#include "ui/version_info.h"

namespace {

TEST(VersionInfo, ControllerCodeByInksAndColourModel) {
    const struct {
        uint8_t inks, color;
        const char* code;  // null: the line stays empty
    } rows[] = {{1, 0, "5.20-G002"}, {2, '3', "5.10-G004"}, {4, 40, "5.00-G008"}, {5, '2', "6.00-G010"},
                {5, '3', "6.10-G006"}, {5, 40, nullptr}, {3, '2', nullptr}, {0, 0, nullptr}};
    for (const auto& r : rows) {
        const char* code = ControllerVersionCode(r.inks, r.color);
        EXPECT_EQ(std::string(r.code ? r.code : "-"), std::string(code ? code : "-")) << int(r.inks) << " " << int(r.color);
    }
}

TEST(VersionInfo, LanguageNames) {
    const struct {
        uint16_t id;
        const char* name;
    } rows[] = {{1041, "Japanese"},         {1033, "English(UnitedStates)"}, {2049, "Arabic(Iraq)"},
                {3073, "Arabic(Egypt)"},    {4100, "Chinese(Singapore)"},    {16394, "Spanish(Bolivia)"},
                {20490, "Spanish(PuertoRico)"}, {1080, "Faeroese"}, {1031, "German(Standard)"}, {9999, nullptr},
                {0, nullptr}};
    for (const auto& r : rows) {
        const char* name = LanguageNameOf(r.id);
        EXPECT_EQ(std::string(r.name ? r.name : "-"), std::string(name ? name : "-")) << r.id;
    }
}

TEST(VersionInfo, OneArgumentFormats) {
    char16_t out[16];
    EXPECT_EQ(11, FormatOneText(u"Version.%s", u"1.0", out, 16));
    EXPECT_EQ(std::u16string(u"Version.1.0"), out);
    FormatOneText(u"(%s) %s", u"a", out, 16);  // only the first is filled
    EXPECT_EQ(std::u16string(u"(a) %s"), out);
    FormatOneText(u"Version.%s", u"1.0.0.0-long", out, 12);  // cut to the room
    EXPECT_EQ(std::u16string(u"Version.1.0"), out);
    FormatOneText(u"no argument", u"x", out, 16);
    EXPECT_EQ(std::u16string(u"no argument"), out);
}

TEST(VersionInfo, HelpPathTheDriversOrOneInItsDirectory) {
    FakePlatformScope fake;
    DriverInfo3 driver;
    driver.helpFile = u"C:\\drv\\ZR.chm";
    fake.spooler.AddPrinter(u"P1", {}, driver);
    fake.spooler.SetDriverDirectory(u"C:\\x64");
    PrinterHandle h = nullptr;
    ASSERT_TRUE(Spool().OpenPrinter(u"P1", kPrinterAccessUse, &h));
    const struct {
        std::u16string name;  // the environment's help file name
        int room, opened;
        std::u16string path;  // empty: none
    } rows[] = {{u"", 260, 1, u"C:\\drv\\ZR.chm"}, {u"own.chm", 260, 1, u"C:\\x64\\3\\own.chm"},
                {u"own.chm", 12, 1, u""}, {u"", 260, 0, u""}};
    for (const auto& r : rows) {
        auto s = ZeroSession();
        for (size_t k = 0; k < r.name.size(); k++) s->env.helpFileName[k] = r.name[k];
        PageInput in{s.get(), r.opened ? h : nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
        char16_t out[260] = {u'x'};
        EXPECT_EQ(r.path.empty() ? 0 : 1, VersionHelpPath(in, out, r.room)) << r.room;
        EXPECT_EQ(r.path, std::u16string(out)) << r.room;
    }
    Spool().ClosePrinter(h);
}

}  // namespace
