#include "common/file_lookup.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using test_support::TempDir;

namespace fs = std::filesystem;

TEST(FileLookup, FindsNamesIgnoringCase) {
    TempDir dir;
    dir.write("zxapdef.h", "");
    dir.write("ZXAPTAB.C", "");
    auto def = common::findFileIgnoreCase(dir.path(), "ZXAPDEF.H");
    ASSERT_TRUE(def);
    // The same file (on a case-insensitive file system, spelt as asked).
    EXPECT_TRUE(fs::equivalent(*def, dir.path() / "zxapdef.h"));
    EXPECT_TRUE(fs::equivalent(*common::findFileIgnoreCase(dir.path(), "zxaptab.c"),
                               dir.path() / "ZXAPTAB.C"));
    EXPECT_FALSE(common::findFileIgnoreCase(dir.path(), "CONFIL"));
    EXPECT_FALSE(common::findFileIgnoreCase(dir.path() / "missing", "x"));
    EXPECT_FALSE(common::findFileIgnoreCase(dir.path(), ""));
}

TEST(FileLookup, ResolvesEveryComponent) {
    TempDir dir;
    fs::create_directories(dir.path() / "Project" / "sub");
    dir.write("Project/sub/Dump.dmp", "x");
    auto found = common::resolvePathIgnoreCase(dir.path() / "PROJECT" / "SUB" / "DUMP.DMP");
    ASSERT_TRUE(found);
    EXPECT_TRUE(fs::equivalent(*found, dir.path() / "Project" / "sub" / "Dump.dmp"));
    EXPECT_FALSE(common::resolvePathIgnoreCase(dir.path() / "PROJECT" / "other" / "x"));
}

TEST(FileLookup, ListsMatchingFilesSorted) {
    TempDir dir;
    dir.write("debug_002.plo", "");
    dir.write("DEBUG_001.PLO", "");
    dir.write("debug_1.plo", "");
    fs::create_directories(dir.path() / "debug_003.dir");
    const auto names = common::listMatchingFiles(dir.path(), "DEBUG_???.*");
    EXPECT_EQ(names, (std::vector<std::string>{"DEBUG_001.PLO", "debug_002.plo"}));
}
