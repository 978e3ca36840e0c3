#include "common/atomic_file.h"

#include <gtest/gtest.h>

#include "common/profile_file.h"
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

#ifndef _WIN32
// What a replaced file keeps: its mode, whichever it was, also through the
// profile file that writes with it.
TEST(AtomicFile, AReplacedFileKeepsItsMode) {
    TempDir dir;
    for (const fs::perms mode :
         {fs::perms(0600), fs::perms(0640), fs::perms(0755), fs::perms(0444), fs::perms(0664)}) {
        const auto target = dir.write("CONFIL", "old");
        fs::permissions(target, mode);
        ASSERT_TRUE(common::writeFileAtomically(target, "new"));
        EXPECT_EQ(*common::readFileBytes(target), "new");
        EXPECT_EQ(fs::status(target).permissions(), mode) << static_cast<int>(mode);
        fs::remove(target);
    }
    const auto ini = dir.write("veltro.ini", "[Poorten]\nCOM1=/dev/ttyUSB0\n");
    fs::permissions(ini, fs::perms(0600));
    ASSERT_TRUE(common::ProfileFile(ini).writeInt("Hoofdvenster", "X-positie", 12));
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms(0600));
}
#endif
