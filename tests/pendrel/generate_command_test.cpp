#include "pendrel/generate_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

class GenerateCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
        for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c"}) {
            fs::copy_file(sample / name, dir / name);
        }
    }
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return runGenerateCommand(args, out, err);
    }

    test_support::TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(GenerateCommand, ExitStatusFollowsTheRun) {
    std::string d = dir.path().string();
    ASSERT_EQ(run({"--generate", d, "--select", "14,13", "--name", "kruis"}), 0) << err.str();
    EXPECT_NE(out.str().find("kruis_001.dbg  debugfile voor hulpfuncties.\n"), std::string::npos);
    EXPECT_NE(out.str().find("lezen regelingen\n"), std::string::npos);
    EXPECT_NE(err.str().find("Het genereren van de debugschermen is gereed!"), std::string::npos);
    EXPECT_NE(err.str().find("beschouwen? Nee"), std::string::npos);

    // An existing file without --overwrite or --next stops the run.
    EXPECT_EQ(run({"--generate", d, "--select", "14", "--name", "kruis"}), 1);
    EXPECT_NE(err.str().find("kruis_001.dbg bestaat al."), std::string::npos);
    EXPECT_EQ(run({"--generate", d, "--select", "14", "--name", "kruis", "--next"}), 0);
    EXPECT_TRUE(fs::exists(dir / "kruis_003.dbg"));
    EXPECT_EQ(run({"--generate", d, "--select", "14", "--name", "kruis", "--overwrite"}), 0);

    fs::create_directory(dir / "doel");
    EXPECT_EQ(run({"--generate", d, "--none", "--target", (dir / "doel").string(), "--ext", "dbg",
                   "--pc-omgeving", "ja"}),
              0);
    EXPECT_EQ(test_support::fileNames(dir / "doel"),
              std::vector<std::string>{});  // no screens, no list
    EXPECT_NE(err.str().find("beschouwen? Ja"), std::string::npos);

    fs::remove(dir / "zxapcod.c");
    EXPECT_EQ(run({"--generate", d}), 1);
    EXPECT_NE(err.str().find("De file zxapcod.c is niet in de directory"), std::string::npos);
}

TEST_F(GenerateCommand, WrongOptionsAreRefusedWithTheDialogTexts) {
    std::string d = dir.path().string();
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--generate", d, "--start", "102"}, "Please enter an integer between 0 and 101."},
        {{"--generate", d, "--start", "x1"}, "Please enter an integer."},
        {{"--generate", d, "--ext", "plox"}, "Please enter no more than 3 characters."},
        {{"--generate", d, "--name", "kruisp"}, "Please enter no more than 5 characters."},
        {{"--generate", d, "--select", "0,29"}, "--select needs category numbers"},
        {{"--generate", d, "--pc-omgeving", "misschien"}, "--pc-omgeving needs ja or nee"},
        {{"--generate"}, "--generate needs a project directory"},
        {{"--test"}, "no project directory"},
        {{"--generate", d, "--ext", "abc", "--name", "abcde"}, "exclude each other"},
        {{"--generate", d, "--verbose"}, "unknown option --verbose"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    EXPECT_EQ(test_support::fileNames(dir.path()).size(), 3u);
}

}  // namespace
}  // namespace pendrel
