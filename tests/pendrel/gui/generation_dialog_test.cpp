#include "pendrel/gui/generation_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "pendrel/generator/categories.h"
#include "pendrel/gui/main_window.h"
#include "support/temp_dir.h"
#include "tests/pendrel/gui/modal_script.h"
#include "tests/pendrel/gui/sample_project.h"

namespace pendrel::gui {
namespace {

namespace fs = std::filesystem;
using testing::answerBox;
using testing::clickButton;
using testing::ModalScript;
using testing::press;
using testing::typeText;

constexpr int kWaitMs = 20000;
constexpr std::size_t kTellers = 13;  // category 14

std::array<bool, kCategoryCount> checked(const GenerationDialog& dialog) {
    std::array<bool, kCategoryCount> boxes{};
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        boxes[i] = dialog.categoryBox(i)->isChecked();
    }
    return boxes;
}

TEST(GenerationDialogFields, ChecksOnOkKeepTheDialogOpenUntilEveryFieldIsRight) {
    test_support::TempDir target;
    GenerationSettings settings;
    settings.targetDirectory = target.path();
    settings.selected = acceptanceSelection();
    GenerationDialog dialog(nullptr, settings);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Genereren debugfiles");
    EXPECT_EQ(dialog.startEdit()->text(), "1");
    EXPECT_EQ(dialog.extensionEdit()->text(), "plo");
    EXPECT_EQ(dialog.nameEdit()->text(), "debug");
    EXPECT_TRUE(dialog.schemeButton(NamingScheme::Plo)->isChecked());
    EXPECT_EQ(checked(dialog), acceptanceSelection());
    int listFileBoxes = 0;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == "Maken uitvoerfile") {
            ++listFileBoxes;
            EXPECT_FALSE(box->isVisible()) << "present, not shown";
        }
    }
    EXPECT_EQ(listFileBoxes, 1);

    struct Case {
        const char* start;
        const char* extension;
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {"", "plo", "debug", "Please enter an integer."},
        {"1a", "plo", "debug", "Please enter an integer."},
        {"102", "plo", "debug", "Please enter an integer between 0 and 101."},
        {"-1", "plo", "debug", "Please enter an integer between 0 and 101."},
        {"101", "dbgx", "debug", "Please enter no more than 3 characters."},
        {"0", "txt", "kruisp", "Please enter no more than 5 characters."},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.start);
        dialog.startEdit()->setText(entry.start);
        dialog.extensionEdit()->setText(entry.extension);
        dialog.nameEdit()->setText(entry.name);
        QString message;
        ModalScript script;
        script.then(answerBox(&message, "OK"));
        clickButton(&dialog, "OK");
        EXPECT_TRUE(script.done());
        EXPECT_EQ(message, entry.message);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    }

    // The preset buttons, then an OK that passes.
    clickButton(&dialog, "Niets");
    EXPECT_EQ(checked(dialog), (std::array<bool, kCategoryCount>{}));
    clickButton(&dialog, "Alles");
    EXPECT_EQ(checked(dialog), testSelection());
    clickButton(&dialog, "Afname");
    EXPECT_EQ(checked(dialog), acceptanceSelection());
    dialog.startEdit()->setText(" 101 ");
    dialog.nameEdit()->setText("kruis");
    dialog.schemeButton(NamingScheme::Name)->setChecked(true);
    clickButton(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    GenerationSettings chosen = dialog.settings();
    EXPECT_EQ(chosen.startNumber, 101);
    EXPECT_EQ(chosen.scheme, NamingScheme::Name);
    EXPECT_EQ(chosen.name, "kruis");
    EXPECT_EQ(chosen.extension, "txt") << "kept as typed; only the chosen scheme uses it";
    EXPECT_EQ(chosen.selected, acceptanceSelection());
}

// Generation through the main window into a target directory that already
// holds debug_001.plo.
class GenerationRun : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::copySample(project.path(), true);
        ASSERT_TRUE(testing::showActive(window));
    }

    // Ctrl+G with only "Tellers" chosen and `target` as directory; the
    // source question is answered the first time.
    void startGeneration(ModalScript& script, const fs::path& target, bool runs = true) {
        script.then([target](QWidget* dialog) {
            auto* generation = qobject_cast<GenerationDialog*>(dialog);
            ASSERT_NE(generation, nullptr);
            generation->directoryEdit()->setText(QString::fromStdString(target.string()));
            clickButton(dialog, "Niets");
            generation->categoryBox(kTellers)->setChecked(true);
            clickButton(dialog, "OK");
        });
        if (runs && !window.session().project().loaded()) {
            script.then(answerBox(nullptr, "Nee"));
        }
    }

    void finish(ModalScript& script) {
        script.then(answerBox(&information, "OK"));
        ASSERT_TRUE(testing::showActive(window));
        QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.done() && !window.busy(); }, kWaitMs))
            << script.titles.join(", ").toStdString();
    }

    static const fs::path& withOldFiles(const test_support::TempDir& target, int count) {
        for (int i = 1; i <= count; ++i) {
            target.write("debug_00" + std::to_string(i) + ".plo", "old\n");
        }
        return target.path();
    }

    test_support::TempDir config;
    test_support::TempDir project;
    MainWindow window{ProjectSettings(config.path() / "pendrel.ini"), project.path()};
    QString information;
};

TEST_F(GenerationRun, EachAnswerToAnExistingFile) {
    const QString exists = "debug_001.plo bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?";
    const std::vector<std::string> oneOldFile = {"debug_001.plo", "debug_002.plo", "debug_003.plo",
                                                 "pendrel.txt"};
    {
        SCOPED_TRACE("Overschrijven");
        test_support::TempDir target;
        QStringList texts;
        ModalScript script;
        startGeneration(script, withOldFiles(target, 1));
        script.then([&](QWidget* dialog) {
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                texts << label->text();
            }
            clickButton(dialog, "Overschrijven");
        });
        finish(script);
        EXPECT_TRUE(texts.contains(exists));
        EXPECT_EQ(script.titles, (QStringList{"Genereren debugfiles", "#IF(N)DEF PC_OMGEVING",
                                              "Waarschuwing", "Informatie"}));
        EXPECT_EQ(target.files(), oneOldFile);
        EXPECT_NE(target.read("debug_001.plo"), "old\n");
        EXPECT_EQ(target.read("pendrel.txt"),
                  "debug_001.plo  debugfile voor tellers.\n"
                  "debug_002.plo  debugfile: Hoofdrichting Dorpsweg.\n"
                  "debug_003.plo  debugfile: Fietsers en voetgangers.\n");
        EXPECT_EQ(information,
                  "Het genereren van de debugschermen is gereed!\n"
                  "De file pendrel.txt bevat een lijst van de gemaakte debugfiles.");
        EXPECT_EQ(window.progressWindow()->windowTitle(), "Status aanmaken debugfiles");
        EXPECT_EQ(window.progressWindow()->lines(),
                  (QStringList{"schrijven ...", "debug_001.plo  debugfile voor tellers.",
                               "debug_002.plo  debugfile: Hoofdrichting Dorpsweg.",
                               "debug_003.plo  debugfile: Fietsers en voetgangers."}));
        // The target became the current directory, where the list now is.
        EXPECT_EQ(window.session().currentDirectory(), target.path());
        EXPECT_TRUE(window.action(Command::ViewList)->isEnabled());
    }
    {
        SCOPED_TRACE("Volgend nummer");
        test_support::TempDir target;
        ModalScript script;
        startGeneration(script, withOldFiles(target, 1));
        script.then(press("Volgend nummer"));
        finish(script);
        EXPECT_EQ(target.read("debug_001.plo"), "old\n");
        EXPECT_EQ(target.files(),
                  (std::vector<std::string>{"debug_001.plo", "debug_002.plo", "debug_003.plo",
                                            "debug_004.plo", "pendrel.txt"}));
    }
    {
        SCOPED_TRACE("Nieuwe naam, first in the wrong form");
        test_support::TempDir target;
        ModalScript script;
        startGeneration(script, withOldFiles(target, 1));
        script.then(press("Nieuwe naam"))
            .then(typeText("fout.plo"))
            .then(typeText("debug_050.plo"));
        finish(script);
        EXPECT_EQ(
            script.titles.mid(1, 3),
            (QStringList{"Waarschuwing", "Nieuwe naam voor debugfile", "Verkeerde filenaam"}));
        EXPECT_EQ(target.files(),
                  (std::vector<std::string>{"debug_001.plo", "debug_050.plo", "debug_051.plo",
                                            "debug_052.plo", "pendrel.txt"}));
    }
    {
        SCOPED_TRACE("Alles overschrijven");
        test_support::TempDir target;
        ModalScript script;
        startGeneration(script, withOldFiles(target, 2));
        script.then(press("Alles overschrijven"));
        finish(script);
        EXPECT_EQ(script.titles.count("Waarschuwing"), 1) << "asked once for the run";
        EXPECT_EQ(target.files(), oneOldFile);
        EXPECT_NE(target.read("debug_002.plo"), "old\n");
    }
    {
        SCOPED_TRACE("Escape");
        test_support::TempDir target;
        ModalScript script;
        target.write("pendrel.txt", "debug_001.plo  vorige lijst.\n");
        startGeneration(script, withOldFiles(target, 1));
        script.then(testing::escape());
        finish(script);
        EXPECT_EQ(target.read("debug_001.plo"), "old\n");
        EXPECT_EQ(target.files(), (std::vector<std::string>{"debug_001.plo", "pendrel.txt"}));
        EXPECT_EQ(target.read("pendrel.txt"), "debug_001.plo  vorige lijst.\n")
            << "a stopped run keeps the list";
        EXPECT_EQ(information,
                  "Het genereren van de debugschermen is gestopt.\nEr is geen debugfile "
                  "geschreven; de file pendrel.txt is niet gewijzigd.");
    }
}

TEST_F(GenerationRun, AMissingTargetOrANoToTheNewerHeaderGeneratesNothing) {
    const fs::path missing = project.path() / "nergens";
    QString warning;
    ModalScript script;
    startGeneration(script, missing, false);
    script.then(answerBox(&warning, "OK"));
    window.generate(GenerationCommand::Test);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.busy(); }, kWaitMs));
    EXPECT_EQ(warning, "Gekozen directory bestaat niet!");
    EXPECT_EQ(window.session().currentDirectory(), project.path());
    EXPECT_FALSE(window.session().project().loaded());
    // What was typed is kept for the next time.
    EXPECT_EQ(window.session().generationSettings(GenerationCommand::Test).targetDirectory,
              missing);

    // A header newer than the database: "Nee" ends the run before anything.
    test_support::TempDir target;
    fs::last_write_time(
        project.path() / "ZXAPDEF.H",
        fs::last_write_time(project.path() / "pendrel.db") + std::chrono::hours(1));
    QString question;
    ModalScript second;
    startGeneration(second, target.path());
    second.then(answerBox(&question, "Nee"));
    window.generate(GenerationCommand::Acceptance);
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.done() && !window.busy(); }, kWaitMs));
    EXPECT_EQ(second.titles.last(), "PENDREL");
    EXPECT_TRUE(question.startsWith("De file ZXAPDEF.H is nieuwer dan de database\n"));
    EXPECT_TRUE(target.files().empty());
    EXPECT_FALSE(window.progressWindow()->isVisible());
}

}  // namespace
}  // namespace pendrel::gui
