#include <gtest/gtest.h>

#include "common/profile_file.h"
#include "pendrel/session/designer_session.h"
#include "pendrel/session/generation_form.h"
#include "pendrel/session/status_texts.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

class DesignerSessionTest : public ::testing::Test {
  protected:
    ProjectSettings settings() const { return ProjectSettings(config / "pendrel.ini"); }

    test_support::TempDir config;
    test_support::TempDir start;
    test_support::TempDir project;
    test_support::RecordingPendrelPrompts prompts;
};

TEST_F(DesignerSessionTest, StartsInTheLastProjectDirectoryAndRemembersAnOpenedOne) {
    DesignerSession fresh(settings(), start.path());
    EXPECT_EQ(fresh.currentDirectory(), start.path()) << "no setting: the working directory";
    EXPECT_EQ(fresh.directoryPreset(), start.path().string());
    EXPECT_EQ(fresh.documentTitle(), start.path().string());

    std::unique_ptr<Project> opened = fresh.beginOpen(project.path() / "");  // as a chooser
    EXPECT_EQ(opened->directory(), project.path());
    EXPECT_EQ(fresh.currentDirectory(), start.path()) << "not before it was read";
    opened->adopt(ProjectData{}, {});  // as a successful load() leaves it
    fresh.finishOpen(std::move(opened));
    EXPECT_EQ(fresh.currentDirectory(), project.path());
    EXPECT_EQ(fresh.documentTitle(), project.path().string());
    EXPECT_EQ(fresh.project().directory(), project.path());
    EXPECT_TRUE(fresh.project().loaded());
    EXPECT_EQ(
        common::ProfileFile(config / "pendrel.ini").readString("PENDREL", "LastProjectDir", ""),
        project.path().string());

    DesignerSession next(settings(), start.path());
    EXPECT_EQ(next.currentDirectory(), project.path());
    EXPECT_EQ(next.directoryPreset(), project.path().string());
    EXPECT_FALSE(next.project().loaded()) << "start-up reads nothing";
}

// A failed open (a source missing) keeps the project held before, with its
// screens not stored yet, in its own directory.
TEST_F(DesignerSessionTest, AnOpenThatFailsKeepsTheProjectAndItsUnsavedScreens) {
    test_support::TempDir earlier;
    DesignerSession session(settings(), earlier.path());
    session.project().adopt(ProjectData{}, {ScreenRecord{"Oud", {}, {}}});
    Project* held = &session.project();
    std::unique_ptr<Project> opened = session.beginOpen(project.path());  // holds no sources
    test_support::RecordingPendrelProgress progress;
    EXPECT_FALSE(opened->load(prompts, progress));
    session.finishOpen(std::move(opened));
    EXPECT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(&session.project(), held);
    EXPECT_TRUE(session.project().loaded());
    EXPECT_EQ(session.project().screens(), (ScreenList{ScreenRecord{"Oud", {}, {}}}));
    EXPECT_EQ(session.currentDirectory(), earlier.path());
    EXPECT_EQ(session.documentTitle(), earlier.path().string());
    // What was chosen is offered again next time.
    EXPECT_EQ(session.directoryPreset(), project.path().string());
}

// Define and the generations read an unread project aside, on a worker: the
// session's stays as the window shows it until a reading that succeeded is
// handed over, and a project read already is not read again.
TEST_F(DesignerSessionTest, AReadingForACommandGoesAsideAndReplacesOnlyAnUnreadProject) {
    DesignerSession session(settings(), project.path());
    const Project* unread = &session.project();
    std::unique_ptr<Project> failed = session.beginRead();
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(failed->directory(), project.path());
    test_support::RecordingPendrelProgress progress;
    EXPECT_FALSE(failed->load(prompts, progress));  // no sources
    session.finishRead(std::move(failed));
    EXPECT_EQ(&session.project(), unread);
    EXPECT_FALSE(session.project().loaded());

    std::unique_ptr<Project> read = session.beginRead();
    read->adopt(ProjectData{}, {ScreenRecord{"Nieuw", {}, {}}});  // as a successful load()
    session.finishRead(std::move(read));
    EXPECT_TRUE(session.project().loaded());
    EXPECT_EQ(session.project().screens(), (ScreenList{ScreenRecord{"Nieuw", {}, {}}}));
    EXPECT_EQ(session.beginRead(), nullptr);
    EXPECT_EQ(session.currentDirectory(), project.path());
}

// Changes to the screens that are not stored are not dropped unasked when
// the project is left.
TEST_F(DesignerSessionTest, LeavingAProjectAsksOnlyForScreensNotStored) {
    DesignerSession session(settings(), project.path());
    EXPECT_TRUE(session.mayLeaveProject(prompts, true)) << "nothing read, nothing to lose";
    session.project().adopt(ProjectData{}, {ScreenRecord{"Een", {}, {}}});
    EXPECT_TRUE(session.mayLeaveProject(prompts, true));
    EXPECT_TRUE(prompts.questions.empty());

    session.project().screens()[0].texts.push_back({"nieuw", 3, 2, 5});
    prompts.yesNoAnswer = false;
    EXPECT_FALSE(session.mayLeaveProject(prompts, true));
    EXPECT_FALSE(session.mayLeaveProject(prompts, false));
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_TRUE(prompts.questions[0].ends_with("Afsluiten zonder op te slaan?"));
    EXPECT_TRUE(prompts.questions[1].ends_with("Een ander project openen zonder op te slaan?"));
    prompts.yesNoAnswer = true;
    EXPECT_TRUE(session.mayLeaveProject(prompts, false));

    ASSERT_TRUE(session.project().saveScreens(prompts));
    prompts.clear();
    EXPECT_TRUE(session.mayLeaveProject(prompts, true));
    EXPECT_TRUE(prompts.questions.empty()) << "stored now";
}

// A database read only up to a line it could not read is said to be so at
// the open, and is not replaced by the next OK without asking.
TEST_F(DesignerSessionTest, AnIncompleteDatabaseIsToldAndReplacedOnlyWhenAgreed) {
    const fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
    for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c"}) {
        fs::copy_file(sample / name, project / name);
    }
    const std::string stored = "#SCHERM\n  'Een'\n#SCHERM\n  ''\n#SCHERM\n  'Drie'\n";
    project.write("pendrel.db", stored);
    test_support::RecordingPendrelProgress progress;
    Project opened(project.path());
    ASSERT_TRUE(opened.load(prompts, progress));
    EXPECT_EQ(opened.screens().size(), 1u);
    EXPECT_TRUE(opened.databaseIncomplete());
    EXPECT_EQ(prompts.warnings,
              std::vector<std::string>{"De file pendrel.db kan vanaf regel 4 niet gelezen "
                                       "worden.\nDe debugschermen vanaf die regel zijn niet "
                                       "ingelezen."});

    prompts.yesNoAnswer = false;
    EXPECT_FALSE(opened.saveScreens(prompts));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0],
              "PENDREL: De file pendrel.db is bij het openen vanaf regel 4 niet ingelezen.\n"
              "Opslaan vervangt de file: de debugschermen vanaf die regel gaan dan "
              "verloren.\n\nToch opslaan?");
    EXPECT_EQ(project.read("pendrel.db"), stored);

    prompts.yesNoAnswer = true;
    EXPECT_TRUE(opened.saveScreens(prompts));
    EXPECT_EQ(project.read("pendrel.db"), "#SCHERM\n  'Een'\n");
    EXPECT_FALSE(opened.databaseIncomplete());
    EXPECT_TRUE(opened.saveScreens(prompts));
    EXPECT_EQ(prompts.questions.size(), 2u) << "a database written whole is not asked about";
}

TEST_F(DesignerSessionTest, CommandStatesFollowTheListFileAndTheRunningJob) {
    DesignerSession session(settings(), start.path());
    const Command all[] = {Command::Open,
                           Command::Exit,
                           Command::Define,
                           Command::GenerateTest,
                           Command::GenerateAcceptance,
                           Command::ViewList,
                           Command::ToggleToolBar,
                           Command::ToggleStatusLine,
                           Command::About};
    for (Command command : all) {
        EXPECT_EQ(session.enabled(command, false), command != Command::ViewList);
    }
    start.write("PENDREL.TXT", "x\n");  // found whatever its case
    EXPECT_TRUE(session.enabled(Command::ViewList, false));
    for (Command command : all) {
        const bool always = command == Command::Exit || command == Command::About ||
                            command == Command::ToggleToolBar ||
                            command == Command::ToggleStatusLine;
        EXPECT_EQ(session.enabled(command, true), always) << static_cast<int>(command);
    }
}

TEST_F(DesignerSessionTest, GenerationSettingsAreKeptButTheSelectionComesFromTheCommand) {
    DesignerSession session(settings(), start.path());
    GenerationSettings first = session.generationSettings(GenerationCommand::Acceptance);
    EXPECT_EQ(first.targetDirectory, start.path());
    EXPECT_EQ(first.selected, acceptanceSelection());
    EXPECT_EQ(first.startNumber, 1);
    EXPECT_EQ(session.generationSettings(GenerationCommand::Test).selected, testSelection());

    // A missing target: the settings are kept, the directory stays.
    first.targetDirectory = "nergens";
    first.startNumber = 7;
    EXPECT_FALSE(session.acceptGeneration(first, prompts));
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{"Gekozen directory bestaat niet!"});
    EXPECT_EQ(session.currentDirectory(), start.path());
    GenerationSettings kept = session.generationSettings(GenerationCommand::Test);
    EXPECT_EQ(kept.targetDirectory, "nergens");
    EXPECT_EQ(kept.startNumber, 7);
    EXPECT_EQ(kept.selected, testSelection());

    // A target relative to the current directory becomes the current one.
    start.write("uit/.keep", "");
    kept.targetDirectory = "uit";
    EXPECT_TRUE(session.acceptGeneration(kept, prompts));
    EXPECT_EQ(kept.targetDirectory, start.path() / "uit");
    EXPECT_EQ(session.currentDirectory(), start.path() / "uit");
    EXPECT_EQ(session.documentTitle(), start.path().string()) << "the project keeps the title";

    GenerationSettings empty = kept;
    empty.targetDirectory.clear();
    EXPECT_FALSE(session.acceptGeneration(empty, prompts));
}

TEST(GenerationFormTest, ChecksTheFieldsInTheirOrder) {
    struct Case {
        const char* start;
        const char* extension;
        const char* name;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {"1", "plo", "debug", std::nullopt},
        {"0", "", "", std::nullopt},
        {"101", "abc", "abcde", std::nullopt},
        {" +5 ", "plo", "debug", std::nullopt},
        {"", "plo", "debug", "Please enter an integer."},
        {"  ", "plo", "debug", "Please enter an integer."},
        {"5x", "plo", "debug", "Please enter an integer."},
        {"1.0", "plo", "debug", "Please enter an integer."},
        {"99999999999", "plo", "debug", "Please enter an integer."},
        {"-1", "plo", "debug", "Please enter an integer between 0 and 101."},
        {"102", "abcd", "debug", "Please enter an integer between 0 and 101."},
        {"5", "abcd", "abcdef", "Please enter no more than 3 characters."},
        {"5", "abc", "abcdef", "Please enter no more than 5 characters."},
    };
    for (const Case& entry : cases) {
        GenerationForm form;
        form.startNumber = entry.start;
        form.extension = entry.extension;
        form.name = entry.name;
        EXPECT_EQ(checkForm(form), entry.message) << entry.start << '|' << entry.extension;
    }
}

TEST(GenerationFormTest, RoundTripsTheSettingsAndSetsThePresets) {
    GenerationSettings base;
    base.targetDirectory = "/tmp/doel";
    base.scheme = NamingScheme::Extension;
    base.extension = "dbg";
    base.startNumber = 41;
    base.listFileName = "lijst.txt";
    base.selected = acceptanceSelection();
    GenerationForm form = GenerationForm::from(base);
    EXPECT_EQ(form.startNumber, "41");
    EXPECT_EQ(form.directory, "/tmp/doel");
    EXPECT_EQ(settingsFrom(form, base).selected, base.selected);
    form.startNumber = " 0";
    form.selectNone();
    GenerationSettings changed = settingsFrom(form, base);
    EXPECT_EQ(changed.startNumber, 0);
    EXPECT_EQ(changed.selected, (std::array<bool, kCategoryCount>{}));
    EXPECT_EQ(changed.listFileName, "lijst.txt") << "not on the form";
    EXPECT_EQ(changed.scheme, NamingScheme::Extension);
    form.selectAll();
    EXPECT_EQ(form.selected, testSelection());
    form.selectAcceptance();
    EXPECT_EQ(form.selected, acceptanceSelection());
}

TEST(StatusTextsTest, FreeSpaceAndMemoryAsTheAboutBoxShowsThem) {
    EXPECT_EQ(driveLetter("/"), '/');
    EXPECT_EQ(driveLetter(""), '/');
    EXPECT_EQ(driveLetter("/home"), 'H');
    EXPECT_EQ(driveLetter("/mnt/data/"), 'D');
    EXPECT_EQ(driveLetter("/media/9gb"), '/');
    EXPECT_EQ(driveLetter("C:\\"), 'C');
    EXPECT_EQ(freeDiskText(std::uint64_t{2048} * 1024 + 1023, "/work"), "2048 KB vrij op W:");
    EXPECT_EQ(freeDiskText(0, "/"), "0 KB vrij op /:");
    EXPECT_EQ(freeDiskText(std::nullopt, "/"), "Niet beschikbaar");
    // Figures beyond 32 bits of kilobytes still print whole.
    EXPECT_EQ(freeMemoryText(std::uint64_t{5} << 42), "21474836480 KB");
    EXPECT_EQ(freeMemoryText(std::nullopt), "Niet beschikbaar");
}

}  // namespace
}  // namespace pendrel
