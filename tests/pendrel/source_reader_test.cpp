#include "pendrel/project/source_reader.h"

#include <gtest/gtest.h>

#include <chrono>

#include "pendrel/project/header_reader.h"
#include "pendrel/project/preprocess.h"
#include "pendrel/project/project_settings.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

TEST(Preprocess, SectionsFollowTheAnswerAndCommentsGo) {
    const std::string source =
        "a // weg\n"
        "#ifdef pc_omgeving\n"
        "pc\n"
        "#else\n"
        "automaat\n"
        "#endif\n"
        "#ifndef pc_omgeving\n"
        "niet pc\n"
        "#endif\n"
        "b\n";
    EXPECT_EQ(preprocessSource(source, false), "a \nautomaat\nniet pc\nb\n");
    EXPECT_EQ(preprocessSource(source, true), "a \npc\nb\n");
    // Sections do not nest: the first #endif closes.
    EXPECT_EQ(preprocessSource("#ifdef pc_omgeving\n#ifdef x\nin\n#endif\nuit\n#endif\n", false),
              "uit\n#endif\n");
    EXPECT_TRUE(mentionsPcOmgeving("x\n#ifndef pc_omgeving\n"));
    EXPECT_FALSE(mentionsPcOmgeving("#ifdef AUTOMAAT\n"));
}

TEST(Preprocess, LongLinesAreReadInPiecesOf239) {
    std::string line(300, 'x');
    line.replace(250, 2, "//");
    // The piece boundary at 239 keeps the first piece whole; the comment in
    // the second piece goes.
    EXPECT_EQ(preprocessSource(line + "\n", false), std::string(250, 'x') + "\n");
}

class SampleProject : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
        for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c"}) {
            fs::copy_file(sample / name, dir / name);
        }
    }
    void replaceInTable(const std::string& from, const std::string& to) {
        std::string text = test_support::readFile(dir / "ZXAPTAB.C");
        text.replace(text.find(from), from.size(), to);
        test_support::writeFile(dir / "ZXAPTAB.C", text);
    }

    test_support::TempDir dir;
    test_support::RecordingPendrelPrompts prompts;
    test_support::RecordingPendrelProgress progress;
    ProjectData data;
};

TEST_F(SampleProject, ReadsEveryListAndTableOfTheSample) {
    prompts.yesNoAnswer = true;  // the pc_omgeving question has an answer of its own
    ASSERT_TRUE(readSources(dir.path(), prompts, progress, data));
    EXPECT_TRUE(prompts.warnings.empty()) << prompts.warnings.front();
    EXPECT_TRUE(prompts.questions.empty());
    ASSERT_EQ(prompts.pcOmgevingQuestions.size(), 1u);
    EXPECT_EQ(prompts.pcOmgevingQuestions[0],
              "#IF(N)DEF PC_OMGEVING: #if(n)def pc_omgeving gevonden. Als gedefinieerd "
              "beschouwen?");
    EXPECT_EQ(progress.titles, std::vector<std::string>{"Status inlezen sourcefiles"});
    EXPECT_EQ(progress.lines.front(), "lezen ...");
    EXPECT_EQ(progress.lines.size(), 17u);
    EXPECT_EQ(progress.closed, 1);

    EXPECT_FALSE(data.noBlocks);
    EXPECT_EQ(data.signalGroups.size(), 12u);
    EXPECT_EQ(data.signalGroups.back(), "SG38");
    EXPECT_EQ(data.auxiliaryFunctions.size(), 12u);
    EXPECT_EQ(data.counters.size(), 6u);
    EXPECT_EQ(data.otherInputs.back(), "IS_RESERVE");  // "Nee" keeps the #else part
    EXPECT_EQ(data.otherOutputs.size(), 4u);
    EXPECT_EQ(data.extraParameterCount, 12);
    EXPECT_EQ(data.extraIntegerParameterCount, 7);
    EXPECT_EQ(data.extraParameters.size(), 12u);
    EXPECT_EQ(data.conflicts.size(), 56u);
    EXPECT_EQ(data.maxGreen.size(), 12u);
    EXPECT_EQ(data.maxGreen[6].isSet, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(data.extraMaxGreen[2].size(), 2u);
    EXPECT_EQ(data.blocks.size(), 3u);
    EXPECT_EQ(data.blocks[1].entries.size(), 8u);
    EXPECT_EQ(data.blocks[1].entries[4].mark, BlockMark::Alt);
    EXPECT_EQ(data.detectors.size(), 32u);
    EXPECT_EQ(data.detectors[0].signalGroup, "SG02");
    EXPECT_EQ(data.couplings.size(), 4u);
    EXPECT_FALSE(data.couplings[2].incoming);
    EXPECT_EQ(data.pairs.size(), 6u);
    EXPECT_EQ(data.pairs[5].pairNumber, "2");
    EXPECT_EQ(data.programmes, (std::vector<std::string>{"1", "2", "3", "4"}));
    for (std::size_t t = 0; t < kTableCount; ++t) {
        EXPECT_TRUE(data.available[t]) << t;
    }
    // The temporary files are gone again.
    EXPECT_EQ(test_support::fileNames(dir.path()),
              (std::vector<std::string>{"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c"}));
}

TEST_F(SampleProject, AnswerJaKeepsThePcSection) {
    prompts.pcOmgevingAnswer = true;
    ASSERT_TRUE(readSources(dir.path(), prompts, progress, data));
    EXPECT_EQ(data.otherInputs.back(), "IS_SIMULATIE");
}

TEST_F(SampleProject, MissingSourcesAreListedInOneBox) {
    fs::remove(dir / "zxapcod.c");
    EXPECT_FALSE(readSources(dir.path(), prompts, progress, data));
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0],
              "De file zxapcod.c is niet in de directory " + dir.path().string() + " aanwezig.");
    EXPECT_TRUE(progress.titles.empty());

    fs::remove(dir / "ZXAPTAB.C");
    fs::remove(dir / "ZXAPDEF.H");
    prompts.warnings.clear();
    EXPECT_FALSE(readSources(dir.path(), prompts, progress, data));
    std::string d = dir.path().string();
    EXPECT_EQ(prompts.warnings[0], "De file zxaptab.c is niet in de directory " + d +
                                       " aanwezig.\nDe file zxapdef.h is niet in de directory " +
                                       d + " aanwezig.\nDe file zxapcod.c is niet in de " +
                                       "directory " + d + " aanwezig.");
}

// Points the system's temporary directory (TMPDIR, and TMP and TEMP on
// Windows) somewhere else for one test, then back where it was.
class TemporaryDirectoryAt {
  public:
    explicit TemporaryDirectoryAt(const fs::path& place) : m_was(fs::temp_directory_path()) {
        set(place);
    }
    ~TemporaryDirectoryAt() { set(m_was); }
    void set(const fs::path& place) {
        for (const char* name : {"TMPDIR", "TMP", "TEMP"}) {
            test_support::setEnvironment(name, place.string());
        }
    }

  private:
    fs::path m_was;
};

// The preprocessed copies go to the system's temporary directory, so that a
// project that cannot be written can be read: nothing in the project
// directory is made, changed or removed.
TEST_F(SampleProject, TemporaryFilesStayOutOfTheProjectDirectory) {
    test_support::TempDir temporary;
    TemporaryDirectoryAt redirected(temporary.path());
    // An hour back, so that any entry made now shows, whatever the clock's
    // grain (a system that keeps directory times to itself compares as is).
    std::error_code ignored;
    fs::last_write_time(dir.path(), fs::last_write_time(dir.path()) - std::chrono::hours(1),
                        ignored);
    const auto before = fs::last_write_time(dir.path());
    ASSERT_TRUE(readSources(dir.path(), prompts, progress, data));
    EXPECT_EQ(fs::last_write_time(dir.path()), before) << "an entry was made or removed";
    EXPECT_TRUE(temporary.files().empty()) << "the copies are removed again";

    // Without a temporary directory the sources cannot be read, and that is said.
    redirected.set(temporary / "bestaat-niet");
    EXPECT_FALSE(readSources(dir.path(), prompts, progress, data));
    EXPECT_EQ(prompts.warnings.back(),
              "g6XXXXXX kan niet gemaakt worden: er is geen directory voor tijdelijke files.");
}

// A directory where a source or the database should be is a file that
// cannot be read, not a crash.
TEST_F(SampleProject, ADirectoryInPlaceOfAFileCannotBeRead) {
    fs::remove(dir / "zxapcod.c");
    fs::create_directory(dir / "zxapcod.c");
    EXPECT_FALSE(readSources(dir.path(), prompts, progress, data));
    EXPECT_EQ(prompts.warnings,
              std::vector<std::string>{"File zxapcod.c kan niet worden geopend"});
}

TEST_F(SampleProject, BrokenTablesWarnAndReadingGoesOn) {
    replaceInTable("struct blok BLOKKEN_tabel[] = {", "struct blok BLOKKEN[] = {");
    replaceInTable("EPARMS_tabel[] = {", "EPARMS_tabel[] = { STOP,");
    replaceInTable("SG_DETECTIE_tabel[] = {", "SG_DETECTIE_tabel[] = { STOP ");
    replaceInTable("   SG03,   15.0, 12.0, 18.0, 10.0,\n", "   SG03,   15.0, 12.0,\n");
    // A declaration first and a size in the brackets do not hide a table.
    replaceInTable("struct sg_tijden SG_TIJDEN_tabel[] = {",
                   "extern struct sg_tijden SG_TIJDEN_tabel[];\n"
                   "struct sg_tijden SG_TIJDEN_tabel[NUMSG + 1] =\n{");
    ASSERT_TRUE(readSources(dir.path(), prompts, progress, data));
    EXPECT_EQ(prompts.warnings, (std::vector<std::string>{
                                    "MG_TIJDEN_tabel in ZXAPTAB.C is leeg of bevat syntaxfouten.",
                                    "ZXAPTAB.C bevat geen BLOKKEN_tabel.",
                                    "ZXAPTAB.C is leeg of bevat syntaxfouten.",
                                    "EPARMS_tabel in ZXAPTAB.C is leeg, bevat syntaxfouten.",
                                }));
    EXPECT_FALSE(data.has(Table::Blokken));
    EXPECT_FALSE(data.signalGroupsUsableWithBlocks);
    EXPECT_FALSE(data.has(Table::MgTijden));
    // The extra tables, whose names contain MG_TIJDEN_tabel, are their own.
    EXPECT_TRUE(data.has(Table::EMgTijden));
    EXPECT_TRUE(data.has(Table::Regeling));
    EXPECT_EQ(data.sgTimeGroups.size(), 12u);
}

TEST(HeaderReader, SignalGroupsNeedNumbkAndListsStopAtTheirEnd) {
    ProjectData data;
    EXPECT_EQ(readSignalGroupNames("#define SG01 0\n#define NUMSG 1\n", "ZXAPDEF.H", data),
              "ZXAPDEF.H bevat geen NUMBK.");
    EXPECT_EQ(readSignalGroupNames("#define NUMBK 0\n#define NUMSG 0\n", "ZXAPDEF.H", data),
              "ZXAPDEF.H is leeg of bevat syntaxfouten.");
    EXPECT_TRUE(headerHasNoBlocks("#define NUMBK 0\n"));
    EXPECT_FALSE(headerHasNoBlocks("#DEFINE NUMBK 2\n"));

    std::string header =
        "/* hulpfuncties */\n#define HF_A 0\n#define HF_A 1\n#define NUMHF 2\n"
        "#define HF_LATER 3\n/* tellers */\n#define TL_A 0\n";
    for (int i = 0; i < 300; ++i) {
        header += "#define TL_" + std::to_string(i) + " 0\n";
    }
    header += "#define NUMEP 9999\n";
    readHeaderLists(header, data);
    EXPECT_EQ(data.auxiliaryFunctions, std::vector<std::string>{"HF_A"});
    // The counter list reached its maximum: reading of the header ended there.
    EXPECT_EQ(data.counters.size(), 256u);
    EXPECT_EQ(data.extraParameterCount, 0);
}

TEST(ProjectSettings, LastProjectDirLivesInTheConfigDirectory) {
    test_support::TempDir config;
    test_support::setEnvironment("XDG_CONFIG_HOME", config.path().string() + "/");
    ProjectSettings settings;
    EXPECT_EQ(settings.path(), config / "pendrel.ini");
    EXPECT_EQ(settings.lastProjectDir("/start"), "/start");
    ASSERT_TRUE(settings.setLastProjectDir("/data/kruispunt"));
    EXPECT_EQ(ProjectSettings().lastProjectDir("/start"), "/data/kruispunt");
    EXPECT_NE(test_support::readFile(config / "pendrel.ini").find("[PENDREL]"), std::string::npos);
}

}  // namespace
}  // namespace pendrel
