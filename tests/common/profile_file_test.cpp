#include "common/profile_file.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "support/temp_dir.h"

using test_support::TempDir;

TEST(ProfileFile, ReadsIgnoringCaseWithDefaults) {
    TempDir dir;
    common::ProfileFile ini(dir.write("veltro.ini",
                                      "; comment\r\n[Hoofdvenster]\r\nX-positie = 120\r\n"
                                      "Fontnaam=Courier New\r\nLeeg=\r\nTekst=abc\r\n"
                                      "Negatief=-7x\r\n[Ander]\r\nX-positie=5\r\n"));
    EXPECT_EQ(ini.readInt("HOOFDVENSTER", "x-positie", 0), 120);
    EXPECT_EQ(ini.readInt("Ander", "X-positie", 0), 5);
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Ontbreekt", 42), 42);
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Tekst", 42), 0);
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Negatief", 0), -7);
    EXPECT_EQ(ini.readString("hoofdvenster", "FONTNAAM", "x"), "Courier New");
    EXPECT_EQ(ini.readString("Hoofdvenster", "Leeg", "x"), "");
    EXPECT_EQ(ini.readString("Geen", "Fontnaam", "dflt"), "dflt");

    common::ProfileFile missing(dir.path() / "nope.ini");
    EXPECT_EQ(missing.readInt("a", "b", -3), -3);
}

TEST(ProfileFile, WritesKeepingEverythingElse) {
    TempDir dir;
    const auto path = dir.write("p.ini", "; kop\n[A]\nKey=1\n\n[B]\nx=y\n");
    common::ProfileFile ini(path);

    ASSERT_TRUE(ini.writeInt("a", "KEY", 2));          // existing key, spelled as in the file
    ASSERT_TRUE(ini.writeString("A", "Nieuw", "n"));   // new key at the end of its section
    ASSERT_TRUE(ini.writeString("C", "k", "v"));       // new section at the end
    EXPECT_EQ(*common::readFileBytes(path),
              "; kop\n[A]\nKey=2\nNieuw=n\n\n[B]\nx=y\n[C]\nk=v\n");

    common::ProfileFile fresh(dir.path() / "new.ini");
    ASSERT_TRUE(fresh.writeString("PENDREL", "Dir", "/tmp"));
    EXPECT_EQ(fresh.readString("pendrel", "dir", ""), "/tmp");
}

TEST(ProfileFile, KeepsCarriageReturnsOfAWindowsFile) {
    TempDir dir;
    const auto path = dir.write("w.ini", "[S]\r\nA=1\r\n");
    common::ProfileFile ini(path);
    ASSERT_TRUE(ini.writeInt("S", "B", 2));
    EXPECT_EQ(*common::readFileBytes(path), "[S]\r\nA=1\r\nB=2\r\n");
}

TEST(ProfileFile, FailedWriteReportsIt) {
    TempDir dir;
    common::ProfileFile ini(dir.path() / "no_such_dir" / "x.ini");
    EXPECT_FALSE(ini.writeInt("S", "K", 1));
}
