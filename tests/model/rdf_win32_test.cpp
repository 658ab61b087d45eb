// Under Wine: our INI reader against kernel32's, and the model files
// installed as the driver's dependent files, parsed by both readers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "driver_setup_win32.h"
#include "entry/installed_printer_win32.h"
#include "model/rdf.h"
#include "platform/platform.h"
#include "platform/platform_win32.h"
#include "platform/profile.h"

namespace {

std::u16string U16(const std::wstring& w) { return std::u16string(w.begin(), w.end()); }

std::u16string Read(Profile& reader, const std::u16string& file, const char16_t* section, const char16_t* key,
                    uint32_t capacity) {
    std::vector<char16_t> buf(capacity + 1, u'#');
    uint32_t n = reader.GetString(file.c_str(), section, key, u"dflt ", buf.data(), capacity);
    return std::u16string(buf.data()) + u"|" + std::u16string(1, char16_t(u'0' + n));
}

TEST(ProfileWin32, OurReaderAnswersAsKernel32) {
    wchar_t dir[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, dir));
    const std::wstring path = std::wstring(dir) + L"zr51-profile.ini";
    const char text[] =
        "top=outside\r\n[Model]\r\n  InkCount =  5  \r\nquoted=\"a b\"\r\n;Skip=1\r\nbare\r\nempty=\r\n"
        "[model]\r\nLater=1\r\n[Other]\r\nkey=x=y\r\n\tTabbed\t=\t7 \r\n";
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(nullptr, f);
    fwrite(text, 1, sizeof text - 1, f);
    fclose(f);
    const struct {
        const char16_t *section, *key;
        uint32_t capacity;
    } cases[] = {
        {u" MODEL ", u"inkcount", 128}, {u"Model", u"quoted", 128}, {u"Model", u"Skip", 128},
        {u"Model", u"bare", 128},       {u"Model", u"empty", 128},  {u"Model", u"Later", 128},
        {u"Other", u"key", 128},        {u"None", u"key", 128},     {u"Other", u"key", 3},
        {u"other", u"TABBED", 128},
    };
    for (const auto& c : cases) {
        const std::u16string file = U16(path);
        EXPECT_EQ(Read(Win32Profile(), file, c.section, c.key, c.capacity),
                  Read(PortableProfile(), file, c.section, c.key, c.capacity))
            << std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key));
    }
    DeleteFileW(path.c_str());
}

TEST(ModelFilesWin32, BothReadersAgree) {
    InstallWin32Platform();
    const struct {
        const wchar_t* file;
        const wchar_t* driver;
    } models[] = {{L"ZRC4500.RDF", L"KELO ZR-C4500"}, {L"ZRT2300.RDF", L"KELO ZR-T2300"}, {L"ZRM1200.RDF", L"KELO ZR-M1200"}};
    for (const auto& m : models) {
        const std::wstring printer = std::wstring(m.driver) + L" Model Test";
        const std::u16string printer16 = U16(printer);
        ASSERT_EQ(zr51test::InstallTestPrinter(m.driver, printer.c_str(), {m.file}), "");
        PrinterHandle h = nullptr;
        ASSERT_TRUE(Spool().OpenPrinter(printer16.c_str(), kPrinterAccessUse, &h));
        char16_t path[MAX_PATH] = {};
        ASSERT_EQ(1, GetRdfFilePath(h, path, MAX_PATH));
        DriverInfo3 driver;
        ASSERT_EQ(1, Spool().GetDriverInfo3(h, &driver));
        Spool().ClosePrinter(h);

        auto kernel = std::make_unique<RdfContext>();
        auto ours = std::make_unique<RdfContext>();
        for (RdfContext* ctx : {kernel.get(), ours.get()}) {
            ctx->RdfFile = path;
            ctx->DeviceName = driver.name.data();
        }
        ASSERT_EQ(1, ReadRdfFile(kernel.get()));
        InstallProfile(&PortableProfile());
        EXPECT_EQ(1, ReadRdfFile(ours.get()));
        InstallProfile(&Win32Profile());
        EXPECT_EQ(0, std::memcmp(&kernel->info, &ours->info, kRdfInfoSize));
        ASSERT_LT(0, kernel->info.PaperSizeListSize);
        RemovePrinter(printer.c_str());
    }
}

}  // namespace
