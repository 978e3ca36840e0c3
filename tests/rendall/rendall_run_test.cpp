#include "rendall/rendall_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "fixtures.h"
#include "rendall/errors.h"
#include "support/temp_dir.h"

namespace rendall {
namespace {

using test_support::TempDir;
using testing::replaced;
using testing::sampleDump;
using testing::sampleHeader;

const Key kArrowKey{Key::Kind::Special, 0};

class FakeConsole : public Console {
  public:
    explicit FakeConsole(std::string_view keys, std::vector<Key> extra = {}) {
        for (const Key& key : extra)
            m_keys.push_back(key);
        for (char c : keys)
            m_keys.push_back({Key::Kind::Byte, static_cast<unsigned char>(c)});
    }
    void write(std::string_view text) override { output += text; }
    Key readKey() override {
        if (m_keys.empty())
            return Key{Key::Kind::End, 0};
        const Key key = m_keys.front();
        m_keys.pop_front();
        return key;
    }

    std::string output;

  private:
    std::deque<Key> m_keys;
};

const std::string kPcBlock = "#ifdef pc_omgeving\n#define PC 1\n#else\n#define PC 0\n#endif\n";
const std::string kBanner =
    "\n\n    RENDALL versie 1.18\n"
    "    Onderhoud: afdeling Verkeersregeltechniek, ZAV\n"
    "    Vragen en storingen: servicedesk verkeersregelinstallaties\n";
const std::string kErase = "\r" + std::string(70, ' ');

class RendallRun : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir.write("k.dmp", sampleDump());
        m_dir.write("ZxApDef.h", sampleHeader() + kPcBlock);
    }

    int run(std::vector<std::string> args, FakeConsole& console) {
        return runRendall(args, console, m_dir.path());
    }

    std::string listingLine3(const std::string& file) {
        const std::string listing = m_dir.read(file);
        const std::size_t start = listing.find("KRUISPUNT");
        return listing.substr(start, listing.find('\n', start) - start);
    }

    TempDir m_dir;
};

TEST_F(RendallRun, SuccessfulRun) {
    FakeConsole console("Plein\rJ");
    EXPECT_EQ(run({"k.dmp", "uit.lst"}, console), 0);
    EXPECT_EQ(console.output,
              "RENDALL - Postprocessor voor dump ZAV Tiral\n\n"
              "\rFilenaam dumpfile = K.DMP\n\nFilenaam output   = UIT.LST\n\n"
              "Naam kruispunt: Plein\n\n"
              "#ifdef pc_omgeving gevonden. Als gedefinieerd beschouwen? (J/N): \aJ\n"
              "\rInlezen ZXAPDEF.H\r\rInlezen dumpfile \rConverteren dump\rSchrijven naar file"
              "\rProgramma goed doorlopen\n" +
                  kErase + "\n" + kBanner);
    EXPECT_EQ(listingLine3("UIT.LST"), "KRUISPUNT: Plein");
}

TEST_F(RendallRun, IntersectionNameKeys) {
    struct Case {
        std::string keys;
        std::vector<Key> first;
        std::string name;
        std::string echo;
    } cases[] = {
        {"ab\b\x7fX\rN", {}, "X", "Naam kruispunt: ab\b \b\b \bX\n\n"},
        {"\b\x01Y\rN", {kArrowKey}, "Y", "Naam kruispunt: \a\a\aY\n\n"},
        {"\rN", {}, "ONBEKEND", "Naam kruispunt: ONBEKEND\n\n"},
        // The 60th character ends the name: the next key answers the question.
        {std::string(60, 'a') + "N",
         {},
         std::string(60, 'a'),
         "Naam kruispunt: " + std::string(60, 'a') + "\n\n"},
    };
    for (const Case& c : cases) {
        FakeConsole console(c.keys, c.first);
        ASSERT_EQ(run({"k.dmp"}, console), 0) << console.output;
        EXPECT_EQ(listingLine3("DUMP.OUT"), "KRUISPUNT: " + c.name);
        EXPECT_NE(console.output.find(c.echo), std::string::npos) << console.output;
        EXPECT_NE(console.output.find("(J/N): \aN\n"), std::string::npos);
        std::filesystem::remove(m_dir.path() / "DUMP.OUT");
    }
}

TEST_F(RendallRun, HeaderChoiceDecidesTheBlock) {
    m_dir.write("ZxApDef.h", sampleHeader() + kPcBlock + "#define PC_ONLY PC\n" +
                                 "#ifdef pc_omgeving\n#define NUMOV 40\n#endif\n");
    FakeConsole yes("\rxj");
    EXPECT_EQ(run({"k.dmp"}, yes), 0);
    EXPECT_NE(yes.output.find("(J/N): \a\aj\n"), std::string::npos);
    // Without the block NUMOV is defined once only, with another value: error 15.
    m_dir.write("ZxApDef.h", sampleHeader() + kPcBlock +
                                 "#ifdef pc_omgeving\n#else\n#define NUMOV 41\n#endif\n");
    FakeConsole no("\rN");
    EXPECT_EQ(run({"k.dmp", "no.out"}, no), kConflictingValues);
    FakeConsole yes2("\rJ");
    EXPECT_EQ(run({"k.dmp", "yes.out"}, yes2), 0);
}

TEST_F(RendallRun, InterruptedRuns) {
    for (std::string keys : {"Ple\x03", "Ple", "\r\x03", "\r"}) {
        FakeConsole console(keys);
        EXPECT_EQ(run({"k.dmp"}, console), kAborted);
        EXPECT_NE(console.output.find(kErase +
                                      "\rFout opgetreden !!!\n"
                                      "Programma voortijdig afgebroken\n" +
                                      kBanner),
                  std::string::npos);
        EXPECT_FALSE(m_dir.exists("DUMP.OUT"));
    }
}

TEST_F(RendallRun, ExistingOutputFile) {
    m_dir.write("dump.out", "old");
    FakeConsole refuse("xN");
    EXPECT_EQ(run({"k.dmp"}, refuse), kNoOverwrite);
    EXPECT_NE(refuse.output.find("Outputfile DUMP.OUT bestaat al, vervangen (J/N) " + kErase +
                                 "\rFout opgetreden !!!\nFile DUMP.OUT mag niet worden "
                                 "overschreven\n"),
              std::string::npos);
    EXPECT_EQ(m_dir.read("dump.out"), "old");

    // A run that fails later leaves the file as it was too.
    m_dir.write("bad.dmp", replaced(sampleDump(), "KL(0)", "KL(9)"));
    FakeConsole failing("J\rN");
    EXPECT_EQ(run({"bad.dmp"}, failing), kDefinitionMissing);
    EXPECT_EQ(m_dir.read("dump.out"), "old");

    FakeConsole accept("jPlein\rN");
    EXPECT_EQ(run({"k.dmp"}, accept), 0);
    EXPECT_NE(accept.output.find("(J/N) " + kErase + "\rFilenaam dumpfile"), std::string::npos);
    EXPECT_EQ(listingLine3("dump.out"), "KRUISPUNT: Plein");
    // Replaced under its own name, not joined by a second file.
    const auto names = test_support::fileNames(m_dir.path());
    EXPECT_EQ(std::count(names.begin(), names.end(), "DUMP.OUT"), 0);
}

TEST_F(RendallRun, FileNames) {
    m_dir.write("Data/k12.dmp", sampleDump());
    m_dir.write("Data/zxapdef.h", sampleHeader());
    FakeConsole inSubdirectory("\r");
    EXPECT_EQ(run({"data\\k12.dmp"}, inSubdirectory), 0) << inSubdirectory.output;
    EXPECT_TRUE(m_dir.exists("DUMP.OUT"));
    std::filesystem::remove(m_dir.path() / "DUMP.OUT");

    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    } cases[] = {
        {{}, kFileMissing, "File ZXF.DMP niet in werkdirectory"},
        {{"a", "b", "c"}, kFileMissing, "File ZXF.DMP niet in werkdirectory"},
        {{"Data/none.dmp"}, kFileMissing, "File DATA/NONE.DMP niet in werkdirectory"},
        {{"Data"}, kFileMissing, "File DATA niet in werkdirectory"},
        {{std::string(81, 'k')}, kFileMissing, "File " + std::string(81, 'K') + " niet"},
        {{"k.dmp", "nodir/x.lst"}, kWriteFailed, "Fout bij schrijven naar file NODIR/X.LST"},
        {{"k.dmp", std::string(81, 'o')},
         kWriteFailed,
         "Fout bij schrijven naar file " + std::string(81, 'O')},
    };
    for (const Case& c : cases) {
        FakeConsole console("\rN");
        EXPECT_EQ(run(c.args, console), c.code);
        EXPECT_NE(console.output.find("Fout opgetreden !!!\n" + c.message), std::string::npos)
            << console.output;
    }
    std::filesystem::remove(m_dir.path() / "ZxApDef.h");
    FakeConsole noHeader("");
    EXPECT_EQ(run({"k.dmp"}, noHeader), kFileMissing);
    EXPECT_NE(noHeader.output.find("File ZXAPDEF.H niet in werkdirectory"), std::string::npos);
}

// Names of 80 characters, the longest allowed, are read and written.
TEST_F(RendallRun, NamesOfTheLongestLength) {
    const std::string dumpName = std::string(76, 'd') + ".dmp";
    const std::string outputName = std::string(76, 'o') + ".lst";
    m_dir.write(dumpName, sampleDump());
    FakeConsole console("\rN");
    EXPECT_EQ(run({dumpName, outputName}, console), 0) << console.output;
    EXPECT_TRUE(m_dir.exists(std::string(76, 'O') + ".LST"));
}

TEST_F(RendallRun, Usage) {
    FakeConsole console("");
    EXPECT_EQ(run({"?", "x"}, console), 0);
    EXPECT_EQ(console.output,
              "RENDALL - Postprocessor voor dump ZAV Tiral\n\n"
              "Gebruik: RENDALL <Dump filenaam> <Output filenaam>\n" +
                  kBanner);
}

}  // namespace
}  // namespace rendall
