#include "pendrel/generator/file_naming.h"

#include <gtest/gtest.h>

#include <set>

#include "support/pendrel/recording_prompts.h"

namespace pendrel {
namespace {

TEST(FileNaming, NumbersAdvanceWithinTheirThreeDigits) {
    struct Case {
        const char* name;
        const char* next;  // nullptr: cannot be advanced
    };
    const Case cases[] = {
        {"debug_001.plo", "debug_002.plo"}, {"debug_009.plo", "debug_010.plo"},
        {"debug_099.plo", "debug_100.plo"}, {"debug_999.plo", nullptr},
        {"kruis_019.dbg", "kruis_020.dbg"}, {"abc.plo", nullptr},
        {"debug_00x.plo", nullptr},         {"debug_a99.plo", nullptr},
        {"debug_a01.plo", "debug_a02.plo"}, {"debug_001", "debug_002"},
    };
    for (const Case& c : cases) {
        std::optional<std::string> next = advanceFileName(c.name);
        if (c.next == nullptr) {
            EXPECT_FALSE(next) << c.name;
        } else {
            EXPECT_EQ(next.value_or("-"), c.next) << c.name;
        }
    }
    EXPECT_EQ(firstFileName(NamingScheme::Plo, 0, "x", "y"), "debug_000.plo");
    EXPECT_EQ(firstFileName(NamingScheme::Extension, 7, "abc", "y"), "debug_007.abc");
    EXPECT_EQ(firstFileName(NamingScheme::Name, 101, "x", "kruis"), "kruis_101.dbg");
}

TEST(FileNaming, OnlyTheTwoFormsAreValid) {
    for (const char* name :
         {"debug_001.plo", "DEBUG_001.", "Debug_123.a", "kruis_001.dbg", "ab cd_001.DBG"}) {
        EXPECT_TRUE(isValidDebugFileName(name)) << name;
    }
    for (const char* name : {"debug_001.plox", "debug_01.plo", "kruis_001.plo", "abc_001.dbg",
                             "../ab_001.dbg", "debug001.plo"}) {
        EXPECT_FALSE(isValidDebugFileName(name)) << name;
    }
}

TEST(FileNaming, ExistingFilesAreAskedAbout) {
    std::set<std::string> existing = {"debug_001.plo", "debug_002.plo", "debug_004.plo"};
    auto exists = [&](const std::string& name) { return existing.count(name) > 0; };
    test_support::RecordingPendrelPrompts prompts;
    prompts.existingAnswers = {Prompts::ExistingFile::NextNumber, Prompts::ExistingFile::Overwrite,
                               Prompts::ExistingFile::OverwriteAll};
    FileNameChooser chooser("debug_001.plo", prompts, exists);
    using O = FileNameChooser::Outcome;
    ASSERT_EQ(chooser.next(), O::Chosen);  // 001 exists: next number, 002 exists: overwrite
    EXPECT_EQ(chooser.name(), "debug_002.plo");
    ASSERT_EQ(chooser.next(), O::Chosen);
    EXPECT_EQ(chooser.name(), "debug_003.plo");
    ASSERT_EQ(chooser.next(), O::Chosen);  // 004: overwrite all from here on
    ASSERT_EQ(chooser.next(), O::Chosen);
    EXPECT_EQ(chooser.name(), "debug_005.plo");
    EXPECT_EQ(prompts.existingQuestions,
              (std::vector<std::string>{
                  "debug_001.plo bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?",
                  "debug_002.plo bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?",
                  "debug_004.plo bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?"}));

    // A new name is checked for its form first, and a cancel ends the choice.
    test_support::RecordingPendrelPrompts renaming;
    renaming.existingAnswers = {Prompts::ExistingFile::NewName};
    renaming.textAnswers = {std::string("fout.txt"), std::string("eigen_001.dbg")};
    FileNameChooser other("debug_001.plo", renaming, exists);
    ASSERT_EQ(other.next(), O::Chosen);
    EXPECT_EQ(other.name(), "eigen_001.dbg");
    EXPECT_EQ(renaming.textCaptions,
              (std::vector<std::string>{"Nieuwe naam voor debugfile", "Verkeerde filenaam"}));
    FileNameChooser cancelled("debug_001.plo", renaming, exists);
    EXPECT_EQ(cancelled.next(), O::Cancelled);

    FileNameChooser last("debug_998.plo", prompts, [](const std::string&) { return false; });
    EXPECT_EQ(last.next(), O::Chosen);
    EXPECT_EQ(last.next(), O::Chosen);
    EXPECT_EQ(last.name(), "debug_999.plo");
    EXPECT_EQ(last.next(), O::NoFreeName);
}

}  // namespace
}  // namespace pendrel
