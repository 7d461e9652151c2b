#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "framework/file_replace.h"
#include "tests/file_bytes.h"

namespace fs = std::filesystem;

// A new file is made only where nothing of its name is: a file already
// there, put there in between by anyone, is never taken over.
TEST(CreateNewFile, TakesOnlyAFreeName)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path folder = fs::temp_directory_path() / ("qyr_create_test_" + std::to_string(now));
    ASSERT_TRUE(fs::create_directory(folder));
    WriteFileBytes((folder / "taken").string(), "kept");
    const struct {
        const char* name;
        bool created;
        bool nameTaken;
        const char* bytesAfter;
    } cases[] = {
        {"free", true, false, "new"},
        {"taken", false, true, "kept"},
        {"missing/free", false, false, "<missing>"},
    };
    for (const auto& c : cases) {
        const std::string path = (folder / c.name).string();
        bool nameTaken = false;
        std::string failure;
        std::FILE* file = CreateNewFile(path.c_str(), nameTaken, failure);
        EXPECT_EQ(file != nullptr, c.created) << c.name;
        EXPECT_EQ(nameTaken, c.nameTaken) << c.name;
        EXPECT_EQ(failure.empty(), c.created) << c.name << ": " << failure;
        if (file != nullptr) {
            std::fputs("new", file);
            std::fclose(file);
        }
        EXPECT_EQ(ReadFileBytes(path), c.bytesAfter) << c.name;
    }
    fs::remove_all(folder);
}
