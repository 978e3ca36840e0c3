#include "common/atomic_file.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "support/temp_dir.h"

using test_support::TempDir;

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesOnlyOnCommit) {
    TempDir dir;
    const auto target = dir.write("CONFIL", "old");
    {
        common::AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.open());
        ASSERT_TRUE(writer.write("half"));
        EXPECT_EQ(*common::readFileBytes(target), "old");
        // Dropped without commit: the old file stays, the temporary goes.
    }
    EXPECT_EQ(*common::readFileBytes(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    common::AtomicFileWriter writer(target);
    ASSERT_TRUE(writer.open());
    ASSERT_TRUE(writer.write(std::string("new\0bytes", 9)));
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(*common::readFileBytes(target), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(AtomicFile, FailsCleanlyWhereItCannotWrite) {
    TempDir dir;
    common::AtomicFileWriter writer(dir.path() / "missing" / "out");
    EXPECT_FALSE(writer.open());
    EXPECT_FALSE(writer.write("x"));
    EXPECT_FALSE(writer.commit());
    EXPECT_FALSE(common::writeFileAtomically(dir.path() / "missing" / "out", "x"));
}
