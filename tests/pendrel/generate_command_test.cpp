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

    // An existing file without --overwrite or --next stops the run: the list
    // stays, and the run says it stopped, not that it is ready.
    const std::string list = test_support::readFile(dir / "pendrel.txt");
    EXPECT_EQ(run({"--generate", d, "--select", "14", "--name", "kruis"}), 1);
    EXPECT_NE(err.str().find("kruis_001.dbg bestaat al."), std::string::npos);
    EXPECT_NE(err.str().find("is gestopt"), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("gereed"), std::string::npos) << err.str();
    EXPECT_EQ(test_support::readFile(dir / "pendrel.txt"), list);
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

// The sample's generated files are what the generator makes of it today,
// byte for byte, as engineers compare them between versions.
TEST_F(GenerateCommand, TheSampleGeneratesItsFilesByteForByte) {
    const fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
    fs::copy_file(sample / "pendrel.db", dir / "pendrel.db");
    fs::create_directory(dir / "generated");
    ASSERT_EQ(run({"--generate", dir.path().string(), "--target", (dir / "generated").string()}),
              0)
        << err.str();
    const std::vector<std::string> names = test_support::fileNames(sample / "generated");
    EXPECT_EQ(test_support::fileNames(dir / "generated"), names);
    for (const std::string& name : names) {
        EXPECT_EQ(test_support::readFile(dir / "generated" / name),
                  test_support::readFile(sample / "generated" / name))
            << name;
    }
}

// A wrong command line is refused in Dutch with what is allowed, before any
// source is read.
TEST_F(GenerateCommand, WrongOptionsAreRefusedBeforeAnythingIsRead) {
    std::string d = dir.path().string();
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--generate", d, "--start", "500"},
         "--start verwacht een geheel getal van 0 tot en met 101, niet \"500\""},
        {{"--generate", d, "--start", "-1"}, "van 0 tot en met 101, niet \"-1\""},
        {{"--generate", d, "--start", "x1"}, "van 0 tot en met 101, niet \"x1\""},
        {{"--generate", d, "--start"}, "--start verwacht een geheel getal van 0 tot en met 101\n"},
        {{"--generate", d, "--ext", "plox"}, "--ext verwacht ten hoogste drie tekens"},
        {{"--generate", d, "--ext", "a/b"}, "--ext verwacht ten hoogste drie tekens"},
        {{"--generate", d, "--name", "kruisp"}, "--name verwacht precies vijf tekens"},
        {{"--generate", d, "--name", "krui"}, "--name verwacht precies vijf tekens"},
        {{"--generate", d, "--name", "kr.is"}, "zonder punt, / of \\"},
        {{"--generate", d, "--name"}, "--name verwacht een naam"},
        {{"--generate", d, "--select", "0,29"}, "--select verwacht categorienummers van 1 tot"},
        {{"--generate", d, "--pc-omgeving", "misschien"}, "--pc-omgeving verwacht ja of nee"},
        {{"--generate", d, "--target", ""}, "--target verwacht een directory"},
        {{"--generate"}, "--generate verwacht een projectdirectory"},
        {{"--test"}, "geen projectdirectory: gebruik --generate DIR"},
        {{"--generate", d, "--ext", "abc", "--name", "abcde"},
         "--ext en --name sluiten elkaar uit"},
        {{"--generate", d, "--next", "--overwrite"}, "--overwrite en --next sluiten elkaar uit"},
        {{"--generate", d, "--verbose"}, "onbekende optie --verbose"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.message;
        EXPECT_TRUE(err.str().starts_with("pendrel: ")) << err.str();
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "") << "no source was read";
    }
    EXPECT_EQ(test_support::fileNames(dir.path()).size(), 3u);
}

}  // namespace
}  // namespace pendrel
