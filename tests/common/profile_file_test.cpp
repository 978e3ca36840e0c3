#include "common/profile_file.h"

#include <gtest/gtest.h>

#include "common/profile_text.h"
#include "common/text_file.h"
#include "support/platform.h"
#include "support/temp_dir.h"

using test_support::TempDir;

TEST(ProfileFile, ReadsIgnoringCaseWithDefaults) {
    TempDir dir;
    common::ProfileFile ini(dir.write("veltro.ini",
                                      "; comment\r\n[Hoofdvenster]\r\nX-positie = 120\r\n"
                                      "Fontnaam=Courier New\r\nLeeg=\r\nTekst=abc\r\n"
                                      "Font=\"MS Sans Serif\"\r\nHalf=\"x\r\n"
                                      "Negatief=-7x\r\n[Ander]\r\nX-positie=5\r\n"));
    EXPECT_EQ(ini.readInt("HOOFDVENSTER", "x-positie", 0), 120);
    EXPECT_EQ(ini.readInt("Ander", "X-positie", 0), 5);
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Ontbreekt", 42), 42);
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Tekst", 42), 0);
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Negatief", 0), -7);
    EXPECT_EQ(ini.readString("hoofdvenster", "FONTNAAM", "x"), "Courier New");
    EXPECT_EQ(ini.readString("Hoofdvenster", "Leeg", "x"), "");
    EXPECT_EQ(ini.readInt("Hoofdvenster", "Leeg", 42), 42);  // empty counts as absent
    EXPECT_EQ(ini.readString("Hoofdvenster", "Font", ""), "MS Sans Serif");  // quotes dropped
    EXPECT_EQ(ini.readString("Hoofdvenster", "Half", ""), "\"x");
    EXPECT_EQ(ini.readString("Geen", "Fontnaam", "dflt"), "dflt");

    common::ProfileFile missing(dir.path() / "nope.ini");
    EXPECT_EQ(missing.readInt("a", "b", -3), -3);
}

TEST(ProfileFile, WritesKeepingEverythingElse) {
    TempDir dir;
    const auto path = dir.write("p.ini", "; kop\n[A]\nKey=1\n\n[B]\nx=y\n");
    common::ProfileFile ini(path);

    ASSERT_TRUE(ini.writeInt("a", "KEY", 2));         // existing key, spelled as in the file
    ASSERT_TRUE(ini.writeString("A", "Nieuw", "n"));  // new key at the end of its section
    ASSERT_TRUE(ini.writeString("C", "k", "v"));      // new section at the end
    EXPECT_EQ(*common::readFileBytes(path), "; kop\n[A]\nKey=2\nNieuw=n\n\n[B]\nx=y\n[C]\nk=v\n");

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

// A failed write says so and why; the next good one clears the cause.
TEST(ProfileFile, FailedWriteReportsItAndWhy) {
    TempDir dir;
    common::ProfileFile ini(dir.path() / "no_such_dir" / "x.ini");
    EXPECT_FALSE(ini.writeInt("S", "K", 1));
    EXPECT_EQ(ini.lastWriteError(), std::errc::no_such_file_or_directory);

    const auto file = dir.write("plain", "x");
    common::ProfileFile underAFile(file / "x.ini");
    EXPECT_FALSE(underAFile.writeInt("S", "K", 1));
    EXPECT_EQ(underAFile.lastWriteError(), test_support::pathBelowAFile());

    common::ProfileFile good(dir.path() / "good.ini");
    ASSERT_TRUE(good.writeInt("S", "K", 1));
    EXPECT_FALSE(good.lastWriteError());
}

TEST(ProfileText, TheFirstSectionOfANameAnswersAndTakesNewKeys) {
    const std::string text = "[A]\nk=1\n;x=9\n\n[a]\nk=2\nm=3\n";
    EXPECT_EQ(common::profileValue(text, "a", "K"), "1");
    EXPECT_EQ(common::profileValue(text, "A", "m"), std::nullopt);   // only in the second [a]
    EXPECT_EQ(common::profileValue(text, "A", ";x"), std::nullopt);  // a comment
    EXPECT_EQ(common::withProfileValue(text, "A", "m", "4"),
              "[A]\nk=1\n;x=9\nm=4\n\n[a]\nk=2\nm=3\n");
    EXPECT_EQ(common::withProfileValue("", "S", "k", "v"), "[S]\nk=v\n");

    struct Case {
        const char* value;
        int number;
    };
    for (const Case& c :
         {Case{"12ab", 12}, Case{"+7", 7}, Case{"-0", 0}, Case{"x1", 0},
          Case{"2147483647", 2147483647}, Case{"-2147483648", -2147483647 - 1},
          Case{"99999999999", 2147483647}, Case{"-99999999999", -2147483647 - 1}}) {
        EXPECT_EQ(common::profileNumber(c.value), c.number) << c.value;
    }
}

TEST(ProfileFile, AFileThatCannotBeReadIsNotReplaced) {
    if (!test_support::permissionsKeepOutReaders()) {
        GTEST_SKIP() << "file modes do not keep this user from reading";
    }
    TempDir dir;
    const auto path = dir.write("p.ini", "[A]\nKey=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    common::ProfileFile ini(path);
    EXPECT_FALSE(ini.writeString("A", "Other", "2"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(dir.read("p.ini"), "[A]\nKey=1\n");
}
