// Inputs the fuzz programs once failed on (fuzz/regressions/<target>/),
// fed through the same bodies; the sanitizer builds catch a relapse. Each
// body must also leave the in-memory printer as it found it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_entries.h"
#include "platform/fake_platform.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EverySavedInputRunsThroughItsTarget) {
    int inputs = 0;
    for (const FuzzTarget& target : kFuzzTargets) {
        const fs::path folder = fs::path(ZR_FUZZ_DIR) / "regressions" / target.name;
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(0, target.run(bytes.data(), bytes.size()));
            inputs++;
        }
    }
    FuzzReleasePlatform();
    RecordProperty("inputs", inputs);
    // No input at all means the folder moved or the copy lost it: nothing was checked.
    EXPECT_GT(inputs, 0) << "no regression input under " << ZR_FUZZ_DIR << "/regressions";
}
