#include "pendrel/generator/generator.h"

#include <gtest/gtest.h>

#include "pendrel/generator/categories.h"
#include "pendrel/generator/list_file.h"
#include "pendrel/generator/user_screen_page.h"
#include "pendrel/generator/writers.h"
#include "pendrel/project/screen_database.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names(const std::string& prefix, int count) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) {
        out.push_back(prefix + (i < 10 ? "0" : "") + std::to_string(i));
    }
    return out;
}

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

std::string emptyRows(int n) {
    return std::string(static_cast<std::size_t>(n), '\n');
}

TEST(ModelPages, TellersIsByteExact) {
    ProjectData data;
    data.counters = names("TL", 16);
    data.counters[0] = "TELLER_MET_LANGE_NAAM_X";  // 23 characters: cut to 20
    std::vector<Page> pages = writeCounters(data);
    ASSERT_EQ(pages.size(), 1u);
    std::string expected = "\n" + blanks(10) + "Tellers\n\nTL" + blanks(37) + "TL\n\n";
    expected += "TELLER_MET_LANGE_NAA ~~~~01" + blanks(12) + "TL16" + blanks(17) + "~~~~16\n";
    for (int k = 2; k <= 15; ++k) {
        std::string n = (k < 10 ? "0" : "") + std::to_string(k);
        expected += "TL" + n + blanks(17) + "~~~~" + n + "\n";
    }
    expected += emptyRows(4) + "#include \"zxapdef.h\"\n\n\n01  TL   TELLER_MET_LANGE_NAAM_X\n";
    for (int k = 2; k <= 15; ++k) {
        std::string n = (k < 10 ? "0" : "") + std::to_string(k);
        expected += n + "  TL   TL" + n + "\n";
    }
    expected += "\n16  TL   TL16\n";
    EXPECT_EQ(pages[0].render(), expected);
}

TEST(ModelPages, HulpfunctiesHasOneHalfAndShortMarkers) {
    ProjectData data;
    data.auxiliaryFunctions = {"HF_A", "HF_B"};
    std::string expected = "\n" + blanks(10) + "Hulpfuncties\n\nHF\n\n" + "HF_A" + blanks(17) +
                           "~01\n" + "HF_B" + blanks(17) + "~02\n" + emptyRows(17) +
                           "#include \"zxapdef.h\"\n\n\n01  HF   HF_A\n02  HF   HF_B\n\n";
    EXPECT_EQ(writeAuxiliaryFunctions(data).at(0).render(), expected);
}

TEST(ModelPages, SignaalgroeptoestandenIsByteExact) {
    ProjectData data;
    data.signalGroups = names("SG", 11);
    std::vector<Page> pages = writeSignalGroupStates(data);
    ASSERT_EQ(pages.size(), 2u);
    std::string expected = "\n" + blanks(10) + "Signaalgroeptoestanden\n\n" + blanks(9) + "WR" +
                           blanks(3) + "ROG" + blanks(3) + "RVG" + blanks(4) + "VG" + blanks(3) +
                           "VAG1e" + blanks(5) + "WG" + blanks(3) + "VAG2e" + blanks(3) + "MVG" +
                           blanks(5) + "GL\n\n";
    const char* states[] = {"WR     ", "ROG    ", "RVG    ", "VG     ", "VAG1e  ",
                            "WG     ", "VAG2e  ", "MVG    ", "GL     "};
    const int columns[] = {8, 14, 20, 26, 33, 41, 48, 55, 62};
    for (int k = 0; k < 10; ++k) {
        std::string row = "SG" + std::string(k < 9 ? "0" : "") + std::to_string(k + 1);
        for (int s = 0; s < 9; ++s) {
            row += blanks(static_cast<std::size_t>(columns[s]) - row.size());
            char marker[8];
            std::snprintf(marker, sizeof marker, "~%02d", 9 * k + s + 1);
            row += marker;
        }
        expected += row + "\n";
    }
    expected += emptyRows(9) + "#include \"zxapdef.h\"\n";
    for (int s = 0; s < 9; ++s) {
        expected += "\n";
        for (int k = 0; k < 10; ++k) {
            char line[40];
            std::snprintf(line, sizeof line, "%02d  %sSG%02d\n", 9 * k + s + 1, states[s], k + 1);
            expected += line;
        }
    }
    EXPECT_EQ(pages[0].render(), expected);
    // The second file starts its rank numbers at 01 again.
    EXPECT_NE(pages[1].render().find("SG11    ~01   ~02"), std::string::npos);
}

TEST(ModelPages, KlokperiodenOpensWithTheFixedLines) {
    ProjectData data;
    data.clocks = {"KL_DAL"};
    std::string text = writeClockPeriods(data).at(0).render();
    EXPECT_NE(text.find("\nSysteemtijd   :  ~~~~~~~~~~01\n"
                        "Datum         :  ~~02~~03~~~~04(dd mm jjjj)\n"
                        "Dag           :  ~~~~~~~~~~05  (zondag=0)\n"
                        "Versie BS     :  ~~06\n"
                        "Rondeteller   :  ~~07          (r/s)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n01  tijd\n02  dagnummer\n03  maandnummer\n04  jaarnummer\n05  dag\n"
                        "06  versie\n07  ronde_teller\n\n08  KL           KL_DAL\n"),
              std::string::npos);
}

// The fixed WSRH definition stands after an empty line of its own, besides
// the one every block starts with: generated files are compared byte for byte.
TEST(ModelPages, OtherGroupOptionsPutAnEmptyLineBeforeWsrh) {
    ProjectData data;
    data.signalGroups = {"SG02", "SG05"};
    std::vector<Page> pages = writeOtherGroupOptions(data);
    ASSERT_EQ(pages.size(), 1u);
    const std::string text = pages[0].render();
    EXPECT_NE(text.find("\nWSRH  : ~01\n"), std::string::npos);
    EXPECT_NE(text.find("#include \"zxapdef.h\"\n\n\n01  WSRH          0\n\n"
                        "02  TO_PRIM  SG02\n03  TO_PRIM  SG05\n"),
              std::string::npos)
        << text;
}

TEST(Pages, RankNumbersStayWithinTwoDigits) {
    // Every category on a large application: no marker may need a rank
    // number of three digits.
    ProjectData data;
    data.noBlocks = false;
    data.signalGroups = names("SG", 48);
    data.sgTimeGroups = data.signalGroups;
    for (const std::string& group : data.signalGroups) {
        data.maxGreen.push_back({group, {true, true, true, true}});
        for (auto& rows : data.extraMaxGreen) {
            rows.push_back({group, {true, true, true}});
        }
        for (int d = 0; d < 5; ++d) {
            data.detectors.push_back({group + "_" + std::to_string(d), group});
        }
        data.pairs.push_back({group, "1"});
        data.pairs.push_back({group, "2"});
        data.conflicts.push_back({group, "SG01"});
    }
    for (int b = 0; b < 10; ++b) {
        Block block{"B" + std::to_string(b), {}};
        for (int e = 0; e < 14; ++e) {
            block.entries.push_back({data.signalGroups[static_cast<std::size_t>(e + b)],
                                     e % 2 ? BlockMark::Alt : BlockMark::Prim});
        }
        data.blocks.push_back(block);
    }
    data.times = data.switches = data.clocks = data.auxiliaryFunctions = names("N", 99);
    data.extraParameters = data.extraIntegerParameters = names("P", 99);
    data.programmes = names("", 10);
    for (const Category& category : categories()) {
        for (const Page& page : category.write(data)) {
            std::string text = page.render();
            EXPECT_EQ(text.find("~100"), std::string::npos) << category.number;
            std::string definitions = text.substr(text.find("#include"));
            EXPECT_EQ(definitions.find("\n100"), std::string::npos) << category.number;
        }
    }
}

TEST(Pages, CategoriesSplitIntoFilesWhereTheirPagesAreFull) {
    struct Case {
        const char* what;
        std::vector<Page> (*write)(const ProjectData&);
        void (*fill)(ProjectData&, int);
        int entries;
        std::size_t files;
    };
    auto groups = [](ProjectData& d, int n) { d.signalGroups = names("SG", n); };
    auto clocks = [](ProjectData& d, int n) { d.clocks = names("KL", n); };
    auto parameters = [](ProjectData& d, int n) { d.extraParameters = names("EP", n); };
    auto counters = [](ProjectData& d, int n) { d.counters = names("TL", n); };
    auto detectors = [](ProjectData& d, int n) {
        // One signal group with n detectors.
        for (const std::string& name : names("D", n)) {
            d.detectors.push_back({name, "SG01"});
        }
    };
    auto singleDetectors = [](ProjectData& d, int n) {
        for (const std::string& group : names("SG", n)) {
            d.detectors.push_back({group + "_1", group});
        }
    };
    const Case cases[] = {
        {"30 counters", writeCounters, counters, 30, 1},
        {"31 counters", writeCounters, counters, 31, 2},
        {"no counters", writeCounters, counters, 0, 1},
        {"32 groups", writeRealisation, groups, 32, 1},
        {"33 groups", writeRealisation, groups, 33, 2},
        {"42 parameters", writeExtraParameters, parameters, 42, 1},
        {"43 parameters", writeExtraParameters, parameters, 43, 2},
        {"10 clocks", writeClockPeriods, clocks, 10, 1},
        {"25 clocks", writeClockPeriods, clocks, 25, 2},
        {"26 clocks", writeClockPeriods, clocks, 26, 3},
        {"48 groups", writeInternalStates, groups, 48, 1},
        {"8 detectors", writeDetection, detectors, 8, 1},
        {"9 detectors", writeDetection, detectors, 9, 2},
        {"9 groups of one", writeDetection, singleDetectors, 9, 2},
    };
    for (const Case& c : cases) {
        ProjectData data;
        c.fill(data, c.entries);
        EXPECT_EQ(c.write(data).size(), c.files) << c.what;
    }
}

TEST(Pages, GroupsStayTogetherAndAreNotDefinedTwice) {
    ProjectData data;
    data.noBlocks = false;
    data.signalGroups = names("SG", 4);
    // SG01 has 1 row, SG02 1 + 4, SG03 1 + 3: SG03 does not fit after SG02
    // on a page of 9 rows and moves to the next file whole.
    data.pairs = {{"SG02", "1"}, {"SG02", "2"}, {"SG02", "3"}, {"SG02", "4"},
                  {"SG03", "1"}, {"SG03", "2"}, {"SG03", "3"}};
    std::vector<Page> pages = writeStandardAuxiliary(data);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[1].render().find("SG03      ~01"), std::string::npos);

    // A signal group in two blocks: A and G once, PG/PR and AR per block.
    data.blocks = {{"B1", {{"SG01", BlockMark::Prim}}},
                   {"B2", {{"SG02", BlockMark::Prim}, {"SG01", BlockMark::Alt}}}};
    std::string page = writeBlockRealisation(data).at(0).render();
    std::size_t first = page.find("A    SG01\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(page.find("A    SG01\n", first + 1), std::string::npos);
    EXPECT_NE(page.find("AR   SG01  B2"), std::string::npos);
    EXPECT_NE(page.find("BLOK(B2)    ~"), std::string::npos);
    // Options of a group without a block of its kind name the missing block.
    data.blocks = {{"B1", {{"SG01", BlockMark::Prim}}}};
    EXPECT_NE(writeOtherOptions(data).at(0).render().find("PPA_OP  SG02  Bloknaam niet gevonden"),
              std::string::npos);
}

TEST(UserScreens, ItemsTextsAndDefinitionsLandInPlace) {
    ScreenRecord screen{"Scherm", {}, {}};
    screen.items.push_back({1, 28, 2, 3, 2, 25, "~~", "ronde_teller", "", "", "ronde_teller"});
    // A label longer than its distance stops before its marker.
    screen.items.push_back({12, 30, 3, 5, 3, 25, "~~~", "inst_EGGPARM", "EGGP_HEEL_LANGE_NAAM", "",
                            "inst_EGGPARM_EGGP_HEEL_LANGE_NAAM"});
    screen.texts.push_back({"Scherm", 3, 1, 6});
    screen.texts.push_back({"tilde~tekst", 1, 22, 11});
    std::string text = writeUserScreen(screen).render();
    std::string expected = "  Scherm\n" + blanks(2) + "ronde_teller" + blanks(13) + "~~01\n" +
                           blanks(4) + "inst_EGGPARM_EGGP_HEEL_LA~~~12\n" + emptyRows(18) +
                           "tilde-tekst\n\n\n" + "#include \"zxapdef.h\"\n\n" +
                           "01  ronde_teller    \n12  inst_EGGPARM  EGGP_HEEL_LANGE_NAAM  \n";
    EXPECT_EQ(text, expected);
}

TEST(UserScreens, PositionsFromACorruptDatabaseAreSkippedSafely) {
    // A damaged pendrel.db can hold any int, the lowest included; far-apart
    // columns must neither overflow nor place anything, and the definition
    // lines stay.
    ScreenList screens =
        parseScreenDatabase(
            "#SCHERM\n 'X'\n #ITEM\n 1 2147483647 1 -2147483648 1 25 \"~\" \"A\" \"SG02\" \"\" "
            "\"A_SG02\"\n #ITEM\n 2 1 -2147483648 1 -2147483648 25 \"~\" \"B\" \"SG03\" \"\" "
            "\"B_SG03\"\n #TEKST\n -2147483648 -2147483648 3 'tekst'\n")
            .screens;
    ASSERT_EQ(screens.size(), 1u);
    ASSERT_EQ(screens[0].items.size(), 2u);
    ASSERT_EQ(screens[0].texts.size(), 1u);
    std::string text = writeUserScreen(screens[0]).render();
    EXPECT_EQ(text, emptyRows(24) + "#include \"zxapdef.h\"\n\n01  A  SG02  \n02  B  SG03  \n");
}

class GenerationRun : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
        for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c"}) {
            fs::copy_file(sample / name, project / name);
        }
        settings.targetDirectory = target.path();
        settings.selected = testSelection();
    }
    std::vector<std::string> debugFiles() {
        std::vector<std::string> files = test_support::fileNames(target.path());
        std::erase(files, "pendrel.txt");
        return files;
    }

    test_support::TempDir project;
    test_support::TempDir target;
    test_support::RecordingPendrelPrompts prompts;
    test_support::RecordingPendrelProgress progress;
    GenerationSettings settings;
};

TEST_F(GenerationRun, NumbersRunAcrossCategoriesAndTheListNamesEveryFile) {
    settings.selected = acceptanceSelection();
    settings.startNumber = 0;
    Project p(project.path());
    ASSERT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Completed);
    std::vector<std::string> files = debugFiles();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front(), "debug_000.plo");
    EXPECT_EQ(files[1], "debug_001.plo");
    std::string list = test_support::readFile(target / "pendrel.txt");
    EXPECT_TRUE(list.starts_with("debug_000.plo  debugfile voor signaalgroeptoestanden.\n"));
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), static_cast<long>(files.size()));
    EXPECT_EQ(progress.titles.back(), "Status aanmaken debugfiles");
    EXPECT_EQ(prompts.informations.back(),
              "Informatie: Het genereren van de debugschermen is gereed!\nDe file pendrel.txt "
              "bevat een lijst van de gemaakte debugfiles.");
    // A second run replaces the list file; "Alles overschrijven".
    prompts.existingAnswers = {Prompts::ExistingFile::OverwriteAll};
    Project again(project.path());
    ASSERT_EQ(runGeneration(again, settings, prompts, progress), GenerationResult::Completed);
    EXPECT_EQ(test_support::readFile(target / "pendrel.txt"), list);
    EXPECT_EQ(prompts.existingQuestions.size(), 1u);

    // The viewer shows the same lines, or why it cannot.
    ASSERT_TRUE(listFileExists(target.path()));
    std::vector<std::string> view = listFileView(target.path());
    EXPECT_EQ(view.size(), files.size());
    EXPECT_EQ(view[0], "debug_000.plo  debugfile voor signaalgroeptoestanden.");
    EXPECT_FALSE(listFileExists(project.path()));
    EXPECT_EQ(listFileView(project.path()),
              std::vector<std::string>{"File pendrel.txt is niet aanwezig"});
}

// The viewer's window takes 254 characters a line: a longer line goes on in
// the next, an empty line stays, Windows line ends read the same.
TEST(ListFileView, LinesUpTo254CharactersStayWhole) {
    const std::string full(254, 'a');
    const std::string over = std::string(254, 'b') + "c";
    EXPECT_EQ(listFileLines(full + "\r\n\n" + over + "\n" + std::string(508, 'd')),
              (std::vector<std::string>{full, "", std::string(254, 'b'), "c",
                                        std::string(254, 'd'), std::string(254, 'd')}));
    EXPECT_TRUE(listFileLines("").empty());
}

TEST_F(GenerationRun, UserScreensAloneAndTheNewerHeaderQuestion) {
    ScreenList screens = {ScreenRecord{"Eigen scherm", {}, {{"Eigen scherm", 3, 1, 12}}}};
    ASSERT_TRUE(writeScreenDatabase(project.path(), screens, prompts));
    settings.selected.fill(false);
    settings.scheme = NamingScheme::Name;
    settings.name = "kruis";
    Project p(project.path());
    ASSERT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Completed);
    EXPECT_EQ(debugFiles(), std::vector<std::string>{"kruis_001.dbg"});
    EXPECT_EQ(test_support::readFile(target / "pendrel.txt"),
              "kruis_001.dbg  debugfile: Eigen scherm.\n");
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(prompts.pcOmgevingQuestions.size(), 1u);

    // A header newer than the database: "No" ends the run before any file.
    fs::last_write_time(project / "ZXAPDEF.H",
                        fs::last_write_time(project / "pendrel.db") + std::chrono::hours(1));
    fs::remove(target / "kruis_001.dbg");
    prompts.yesNoAnswer = false;
    EXPECT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::NotStarted);
    EXPECT_NE(prompts.questions.back().find("De file ZXAPDEF.H is nieuwer dan de database\n"),
              std::string::npos);
    EXPECT_TRUE(debugFiles().empty());
}

TEST_F(GenerationRun, ARunStoppedBeforeItsFilesWritesNothingAndSaysSo) {
    test_support::writeFile(target / "pendrel.txt", "debug_001.plo  vorige lijst.\n");
    settings.selected.fill(false);
    settings.selected[13] = true;  // Tellers: one file
    settings.selected[12] = true;  // Hulpfuncties: one file
    settings.startNumber = 999;
    settings.scheme = NamingScheme::Extension;
    settings.extension = "dbg";
    // 999 is not a start number the dialog allows, but it shows the end of
    // the numbers: the second file has no free name, and so the first is
    // not written either.
    Project p(project.path());
    EXPECT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Stopped);
    EXPECT_EQ(prompts.warnings,
              std::vector<std::string>{"Geen vrije naam meer beschikbaar voor debugfile(s)."});
    EXPECT_TRUE(debugFiles().empty());
    const std::string stopped =
        "Informatie: Het genereren van de debugschermen is gestopt.\nEr is geen debugfile "
        "geschreven; de file pendrel.txt is niet gewijzigd.";
    EXPECT_EQ(prompts.informations, std::vector<std::string>{stopped});
    EXPECT_EQ(target.read("pendrel.txt"), "debug_001.plo  vorige lijst.\n");

    settings.targetDirectory = target / "bestaat-niet";
    EXPECT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::NotStarted);
    EXPECT_EQ(prompts.warnings.back(), "Gekozen directory bestaat niet!");

    // An existing file without an answer (Escape) stops the run at its
    // first question: the files and the list are as they were.
    settings.targetDirectory = target.path();
    settings.startNumber = 1;
    target.write("debug_002.dbg", "oud");
    prompts.clear();
    EXPECT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Stopped);
    EXPECT_EQ(prompts.existingQuestions,
              std::vector<std::string>{
                  "debug_002.dbg bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?"});
    EXPECT_EQ(debugFiles(), std::vector<std::string>{"debug_002.dbg"});
    EXPECT_EQ(target.read("debug_002.dbg"), "oud");
    EXPECT_EQ(prompts.informations, std::vector<std::string>{stopped});
    EXPECT_EQ(target.read("pendrel.txt"), "debug_001.plo  vorige lijst.\n");
}

TEST_F(GenerationRun, AFileThatCannotBeWrittenEndsTheRunWithTheListAsItWas) {
    test_support::writeFile(target / "pendrel.txt", "vorige lijst\n");
    settings.selected.fill(false);
    settings.selected[13] = true;  // Tellers: one file
    settings.selected[12] = true;  // Hulpfuncties: one file
    // The second name is taken by a directory that cannot be replaced.
    target.write("debug_002.plo/inhoud", "x");
    prompts.existingAnswers = {Prompts::ExistingFile::Overwrite};
    Project p(project.path());
    EXPECT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Failed);
    EXPECT_EQ(prompts.warnings,
              std::vector<std::string>{"debug_002.plo kan niet gemaakt worden."});
    EXPECT_EQ(debugFiles(), (std::vector<std::string>{"debug_001.plo", "debug_002.plo"}));
    EXPECT_TRUE(fs::is_directory(target / "debug_002.plo"));
    EXPECT_EQ(prompts.informations.back(),
              "Informatie: Het genereren van de debugschermen is gestopt.\nEr zijn 1 "
              "debugfile(s) geschreven; de file pendrel.txt is niet gewijzigd.");
    EXPECT_EQ(target.read("pendrel.txt"), "vorige lijst\n");
    EXPECT_EQ(progress.lines.back(), "debug_001.plo  debugfile voor hulpfuncties.")
        << "only what was written is in the progress window";

    // A list file that cannot be replaced is told too; the run is no success.
    fs::remove_all(target / "debug_002.plo");
    fs::remove(target / "pendrel.txt");
    target.write("pendrel.txt/inhoud", "x");
    prompts.clear();
    prompts.existingAnswers = {Prompts::ExistingFile::OverwriteAll};
    EXPECT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Failed);
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{"pendrel.txt kan niet gemaakt worden."});
    EXPECT_EQ(debugFiles().size(), 2u);
    EXPECT_EQ(prompts.informations.back(),
              "Informatie: De debugschermen zijn gegenereerd, maar de file pendrel.txt is niet "
              "gewijzigd:\nde lijst van de gemaakte debugfiles ontbreekt.");
}

// A run that writes no file at all lists nothing: the list of an earlier run
// goes, as it would not name the files of this one.
TEST_F(GenerationRun, ARunWithoutFilesLeavesNoList) {
    target.write("PENDREL.TXT", "vorige lijst\n");
    settings.selected.fill(false);
    Project p(project.path());
    ASSERT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Completed);
    EXPECT_TRUE(target.files().empty());
    EXPECT_EQ(prompts.informations.back(),
              "Informatie: Het genereren van de debugschermen is gereed!\nDe file pendrel.txt "
              "bevat een lijst van de gemaakte debugfiles.");
}

TEST_F(GenerationRun, CategoriesWhoseNeedsFailAreSkipped) {
    std::string table = test_support::readFile(project / "ZXAPTAB.C");
    table.replace(table.find("KOPPEL_tabel"), 12, "KOPPELTABEL_");
    test_support::writeFile(project / "ZXAPTAB.C", table);
    settings.selected.fill(false);
    settings.selected[17] = true;  // Koppelsignalen
    settings.selected[10] = true;  // Klokperioden: needs nothing
    Project p(project.path());
    ASSERT_EQ(runGeneration(p, settings, prompts, progress), GenerationResult::Completed);
    EXPECT_EQ(test_support::readFile(target / "pendrel.txt"),
              "debug_001.plo  debugfile voor klokperioden.\n");
    EXPECT_EQ(prompts.warnings, std::vector<std::string>{"ZXAPTAB.C bevat geen KOPPEL_tabel."});
}

}  // namespace
}  // namespace pendrel
