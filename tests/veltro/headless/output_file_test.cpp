#include "veltro/headless/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "veltro/headless/exit_codes.h"

namespace veltro::headless {
namespace {

using test_support::readFile;
using test_support::writeFile;

// Nothing happens to a file before its first content; then the rule decides.
TEST(OutputFile, AnExistingFileIsRefusedReplacedOrAddedToOnlyWhenAsked) {
    test_support::TempDir dir;
    const std::string path = (dir.path() / "waarden.csv").string();
    writeFile(path, "gisteren\n");

    OutputFile refused(path, ExistingFile::Refuse);
    ASSERT_TRUE(refused.problem().has_value());
    EXPECT_EQ(refused.problem()->exitCode, exit_code::kWrongCommandLine);
    EXPECT_NE(refused.problem()->text.find("--overwrite"), std::string::npos);
    EXPECT_EQ(refused.open(), nullptr);
    EXPECT_EQ(readFile(path), "gisteren\n");

    OutputFile replaced(path, ExistingFile::Overwrite);
    EXPECT_FALSE(replaced.problem().has_value());
    EXPECT_EQ(readFile(path), "gisteren\n");  // not before the first content
    ASSERT_NE(replaced.open(), nullptr);
    EXPECT_FALSE(replaced.hadContent());
    *replaced.open() << "vandaag\n" << std::flush;
    EXPECT_EQ(readFile(path), "vandaag\n");

    OutputFile added(path, ExistingFile::Append);
    ASSERT_NE(added.open(), nullptr);
    EXPECT_TRUE(added.hadContent());
    *added.open() << "morgen\n" << std::flush;
    EXPECT_EQ(readFile(path), "vandaag\nmorgen\n");

    // A new file is made with its first content, whatever the rule.
    const std::string fresh = (dir.path() / "nieuw.csv").string();
    OutputFile made(fresh, ExistingFile::Refuse);
    EXPECT_FALSE(made.problem().has_value());
    EXPECT_FALSE(std::filesystem::exists(fresh));
    ASSERT_NE(made.open(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST(OutputFile, APlaceThatCannotHoldTheFileIsAFileFailure) {
    test_support::TempDir dir;
    for (const std::string& path :
         {dir.path().string(), (dir.path() / "nergens/x.csv").string()}) {
        const OutputFile file(path, ExistingFile::Overwrite);
        ASSERT_TRUE(file.problem().has_value()) << path;
        EXPECT_EQ(file.problem()->exitCode, exit_code::kFailure);
    }
    // A file where its directory belongs is not said to be missing.
    writeFile(dir.path() / "gewoon", "");
    const OutputFile under((dir.path() / "gewoon/x.csv").string(), ExistingFile::Overwrite);
    ASSERT_TRUE(under.problem().has_value());
    EXPECT_NE(under.problem()->text.find("its directory is a file"), std::string::npos);
    // Made meanwhile by someone else: left alone at the first content.
    const std::string late = (dir.path() / "laat.csv").string();
    OutputFile file(late, ExistingFile::Refuse);
    EXPECT_FALSE(file.problem().has_value());
    writeFile(late, "van een ander\n");
    EXPECT_EQ(file.open(), nullptr);
    EXPECT_NE(file.error().find("left as it is"), std::string::npos);
    EXPECT_EQ(readFile(late), "van een ander\n");
}

}  // namespace
}  // namespace veltro::headless
