// The log formatter must print the same on both builds, whatever the C
// library thinks %s and %p mean.
#include <gtest/gtest.h>

#include <cstdarg>

#include "diagnostics/log.h"
#include "platform/fake_platform.h"

namespace {

std::string Format(size_t capacity, const char* fmt, ...) {
    char16_t buf[256];
    va_list ap;
    va_start(ap, fmt);
    FormatLogText(buf, capacity, fmt, ap);
    va_end(ap);
    return Narrow(buf);
}

TEST(LogFormat, Conversions) {
    EXPECT_EQ(Format(256, "n=%d", -42), "n=-42");
    EXPECT_EQ(Format(256, "[%5d|%-5d|%05d]", 42, 42, -42), "[   42|42   |-0042]");
    EXPECT_EQ(Format(256, "%02d/%02d %03d", 5, 12, 7), "05/12 007");
    EXPECT_EQ(Format(256, "%u %x %X %8x", 4000000000u, 255u, 255u, 0x4du), "4000000000 ff FF       4d");
    EXPECT_EQ(Format(256, "%s and %hs", u"wide ünï", "narrow"), "wide ünï and narrow");
    EXPECT_EQ(Format(256, "%s", static_cast<const char16_t*>(nullptr)), "(null)");
    EXPECT_EQ(Format(256, "100%% %c", 'x'), "100% x");
    EXPECT_EQ(Format(256, "%p", reinterpret_cast<void*>(0xABCDEFull)), "0000000000ABCDEF");
    EXPECT_EQ(Format(256, "%d", static_cast<int>(0x80000000u)), "-2147483648");
    // Formats are UTF-8; a stray byte is widened as it stands.
    EXPECT_EQ(Format(256, "fold ＝ %d, é\xF0\x9F\x98\x80", 1), "fold ＝ 1, é\xF0\x9F\x98\x80");
    EXPECT_EQ(Format(256, "a\xFF\xE0\x80z\xC3"), "a\u00FF\u00E0\u0080z\u00C3");
}

TEST(LogFormat, CutToCapacityAndTerminated) {
    EXPECT_EQ(Format(6, "%s", u"overlong"), "overl");
    EXPECT_EQ(Format(1, "abc"), "");
    EXPECT_EQ(Format(4, "%08d", 5), "000");
}

TEST(DrvLog, OneTaggedLinePerCall) {
    FakePlatformScope fp;
    fp.host.localTime = {2026, 3, 0, 4, 5, 6, 7, 89};
    fp.host.processId = 1234;
    fp.host.threadId = 0xbeef;
    DrvLog(nullptr, "_UduGetPaperListIndex : nResorce=%d\n", 9);
    auto lines = fp.host.DebugLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Narrow(lines[0]),
              "[KELO DRV] 2026/03/04 05:06:07.089[pid=    1234][thread=    beef]:_UduGetPaperListIndex : nResorce=9\n");
}

}  // namespace
