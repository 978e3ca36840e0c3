#include "pendrel/gui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <vector>

#include "common/profile_file.h"
#include "pendrel/gui/generation_dialog.h"
#include "pendrel/gui/list_file_window.h"
#include "support/temp_dir.h"
#include "tests/pendrel/gui/modal_script.h"
#include "tests/pendrel/gui/sample_project.h"

namespace pendrel::gui {
namespace {

namespace fs = std::filesystem;
using testing::answerBox;
using testing::clickButton;
using testing::ModalScript;

constexpr int kWaitMs = 20000;

QString qs(const fs::path& path) {
    return QString::fromStdString(path.string());
}

QMenu* menuTitled(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

bool hasLabel(QWidget* dialog, const QString& text) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text() == text) {
            return true;
        }
    }
    return false;
}

// Chooses `directory` in the directory dialog "Selecteren directory".
ModalScript::Step chooseDirectory(const fs::path& directory, QString* preset) {
    return [directory, preset](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        *preset = chooser->directory().absolutePath();
        EXPECT_TRUE(hasLabel(dialog, QStringLiteral("Directory naam:")));
        chooser->setDirectory(qs(directory));
        chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(qs(directory));
        static_cast<QDialog*>(chooser)->accept();  // as its OK button does
    };
}

class MainWindowTest : public ::testing::Test {
  protected:
    fs::path ini() const { return config.path() / "pendrel.ini"; }

    test_support::TempDir config;
    test_support::TempDir start;    // where the program was started
    test_support::TempDir project;  // the sample's sources
};

TEST_F(MainWindowTest, MenusToolBarStatusLineAndStatesWithoutAProject) {
    MainWindow window(ProjectSettings(ini()), start.path());
    ASSERT_TRUE(testing::showActive(window));
    EXPECT_EQ(window.windowTitle(), qs(start.path()) + " - PENDREL");

    struct Entry {
        Command command;
        const char* menu;
        const char* text;
        QKeySequence key;
        const char* status;
        const char* tip;
    };
    const Entry entries[] = {
        {Command::Open, "&Project", "&Openen...", QKeySequence("Ctrl+O"),
         "Openen directory met kruispuntdata", "Openen"},
        {Command::Exit, "&Project", "&Afsluiten", {}, "Afsluiten programma", "Afsluiten"},
        {Command::Define, "&Debugschermen", "Definieren debugschermen...", QKeySequence("Ctrl+D"),
         "Opent een dialoogwindow t.b.v. het handmatig definieren van debugschermen",
         "Definieren"},
        {Command::GenerateTest, "&Debugschermen", "&Genereren debugschermen voor testen...",
         QKeySequence("Ctrl+G"),
         "Opent een dialoogwindow t.b.v. het genereren van de debugschermen voor testen",
         "Genereren testen"},
        {Command::GenerateAcceptance, "&Debugschermen", "Genereren debugschermen voor &afname...",
         QKeySequence("Ctrl+A"),
         "Opent een dialoogwindow t.b.v. het genereren van de debugschermen voor afname",
         "Genereren afname"},
        {Command::ViewList, "&Debugschermen", "&Bekijken gegenereerde debugfiles",
         QKeySequence("Ctrl+B"), "Opent een window met een lijst van de gegenereerde debugfiles",
         "Lijst debugfiles"},
        {Command::ToggleToolBar,
         "&Beeld",
         "&Knoppenbalk",
         {},
         "Toon of verberg de knoppenbalk",
         "Toggle knoppenbalk"},
        {Command::ToggleStatusLine,
         "&Beeld",
         "&Statusregel",
         {},
         "Toon of verberg de statusregel",
         "Toggle statusregel"},
        {Command::About, "&Help", "&Info PENDREL...", {}, nullptr, nullptr},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.text);
        QAction* action = window.action(entry.command);
        EXPECT_EQ(action->text(), entry.text);
        EXPECT_EQ(action->shortcut(), entry.key);
        QMenu* menu = menuTitled(window, entry.menu);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->actions().contains(action));
        if (entry.status != nullptr) {
            EXPECT_EQ(action->statusTip(), entry.status);
            EXPECT_EQ(action->toolTip(), entry.tip);
        }
        // Without pendrel.txt in the directory there is no list to look at.
        EXPECT_EQ(action->isEnabled(), entry.command != Command::ViewList);
    }
    for (Command command : {Command::Open, Command::Define, Command::GenerateTest,
                            Command::GenerateAcceptance, Command::ViewList, Command::About}) {
        EXPECT_TRUE(window.toolBar()->actions().contains(window.action(command)));
    }

    // The status line shows a command's prompt while it is pointed at, and
    // the free space of the directory's file system all along.
    window.action(Command::Define)->showStatusText(&window);
    EXPECT_EQ(window.statusBar()->currentMessage(),
              "Opent een dialoogwindow t.b.v. het handmatig definieren van debugschermen");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ KB vrij op [A-Z/]:$"))
                    .match(window.freeSpacePane()->text())
                    .hasMatch())
        << window.freeSpacePane()->text().toStdString();

    // The view toggles hide and show the tool bar and the status line.
    window.action(Command::ToggleToolBar)->trigger();
    EXPECT_FALSE(window.toolBar()->isVisible());
    window.action(Command::ToggleToolBar)->trigger();
    EXPECT_TRUE(window.toolBar()->isVisible());
    window.action(Command::ToggleStatusLine)->trigger();
    EXPECT_FALSE(window.statusBar()->isVisible());

    // A list file makes the viewer available; Ctrl+B shows its lines.
    test_support::writeFile(start.path() / "pendrel.txt",
                            "debug_001.plo  debugfile voor tellers.\n");
    emit menuTitled(window, "&Debugschermen")->aboutToShow();
    ASSERT_TRUE(window.action(Command::ViewList)->isEnabled());
    QStringList shown;
    ModalScript script;
    script.then([&](QWidget* dialog) {
        auto* viewer = qobject_cast<ListFileWindow*>(dialog);
        ASSERT_NE(viewer, nullptr);
        for (int i = 0; i < viewer->list()->count(); ++i) {
            shown << viewer->list()->item(i)->text();
        }
        clickButton(dialog, "OK");
    });
    QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(script.titles, QStringList{"Overzicht debugfiles"});
    EXPECT_EQ(shown, QStringList{"debug_001.plo  debugfile voor tellers."});
}

TEST_F(MainWindowTest, DefiningScreensWithoutSourcesNamesEveryMissingFile) {
    MainWindow window(ProjectSettings(ini()), start.path());
    ASSERT_TRUE(testing::showActive(window));
    QString warning;
    ModalScript script;
    script.then(answerBox(&warning, "OK"));
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.done() && !window.busy(); }, kWaitMs));
    const QString dir = qs(start.path());
    EXPECT_EQ(warning, "De file zxaptab.c is niet in de directory " + dir + " aanwezig.\n" +
                           "De file zxapdef.h is niet in de directory " + dir + " aanwezig.\n" +
                           "De file zxapcod.c is niet in de directory " + dir + " aanwezig.");
    EXPECT_EQ(script.titles, QStringList{"PENDREL"}) << "no screen list without sources";
    EXPECT_FALSE(window.session().project().loaded());
}

TEST_F(MainWindowTest, OpenProjectRemembersTheDirectoryAndReadsTheSourcesOnTheWorker) {
    testing::copySample(project.path(), true);
    QString preset;
    QString question;
    bool commandsOffWhileReading = false;
    {
        MainWindow window(ProjectSettings(ini()), start.path());
        ASSERT_TRUE(testing::showActive(window));
        ModalScript script;
        script.then(chooseDirectory(project.path(), &preset)).then([&](QWidget* box) {
            commandsOffWhileReading = !window.action(Command::Open)->isEnabled() &&
                                      !window.action(Command::Define)->isEnabled() &&
                                      window.action(Command::Exit)->isEnabled();
            answerBox(&question, "Nee")(box);
        });
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.done() && !window.busy(); }, kWaitMs));
        EXPECT_EQ(script.titles, (QStringList{"Selecteren directory", "#IF(N)DEF PC_OMGEVING"}));
        EXPECT_EQ(preset, qs(start.path())) << "without a setting: the current directory";
        EXPECT_EQ(question, "#if(n)def pc_omgeving gevonden. Als gedefinieerd beschouwen?");
        EXPECT_TRUE(commandsOffWhileReading);

        EXPECT_TRUE(window.session().project().loaded());
        EXPECT_EQ(window.session().project().screens().size(), 2u);
        EXPECT_EQ(window.windowTitle(), qs(project.path()) + " - PENDREL");
        EXPECT_EQ(window.progressWindow()->windowTitle(), "Status inlezen sourcefiles");
        const QStringList lines = window.progressWindow()->lines();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), "lezen ...");
        EXPECT_TRUE(lines.contains("lezen signaalgroepnamen"));
        EXPECT_EQ(lines.last(), "lezen regelingen");
        EXPECT_FALSE(window.progressWindow()->isVisible()) << "closed after the reading";
    }
    EXPECT_EQ(common::ProfileFile(ini()).readString("PENDREL", "LastProjectDir", ""),
              project.path().string());

    // The next start begins in that directory and offers it in the dialog.
    MainWindow next(ProjectSettings(ini()), start.path());
    EXPECT_EQ(next.session().currentDirectory(), project.path());
    EXPECT_FALSE(next.session().project().loaded()) << "nothing is read at start-up";
    ModalScript script;
    script.then([&](QWidget* dialog) {
        preset = qobject_cast<QFileDialog*>(dialog)->directory().absolutePath();
        testing::escape()(dialog);
    });
    next.openProject();
    EXPECT_TRUE(script.done());
    EXPECT_EQ(preset, qs(project.path()));
}

// Opens `directory` with Ctrl+O; `then` answers what the reading asks, after
// `before` answered what comes before the directory dialog.
void openWithKeys(MainWindow& window, const fs::path& directory, ModalScript::Step then,
                  ModalScript::Step before = {}) {
    QString preset;
    ModalScript script;
    if (before) {
        script.then(std::move(before));
    }
    script.then(chooseDirectory(directory, &preset)).then(std::move(then));
    ASSERT_TRUE(testing::showActive(window)) << "the progress window had the keys";
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.done() && !window.busy(); }, kWaitMs));
}

TEST_F(MainWindowTest, AFailedOpenKeepsTheLoadedProjectWithItsUnsavedScreens) {
    testing::copySample(project.path(), true);
    test_support::TempDir other;  // without zxapcod.c
    for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C"}) {
        fs::copy_file(project / name, other / name);
    }
    MainWindow window(ProjectSettings(ini()), start.path());
    ASSERT_TRUE(testing::showActive(window));
    openWithKeys(window, project.path(), answerBox(nullptr, "Nee"));
    window.session().project().screens().push_back(ScreenRecord{"Niet opgeslagen", {}, {}});

    QString warning;
    QString question;
    openWithKeys(window, other.path(), answerBox(&warning, "OK"), answerBox(&question, "Ja"));
    EXPECT_EQ(question,
              "De zelf gedefinieerde debugschermen zijn gewijzigd en niet opgeslagen\n"
              "(opslaan gaat met OK in \"Definieren debugschermen\").\n\n"
              "Een ander project openen zonder op te slaan?");
    EXPECT_EQ(warning,
              "De file zxapcod.c is niet in de directory " + qs(other.path()) + " aanwezig.");
    const Project& kept = window.session().project();
    EXPECT_TRUE(kept.loaded());
    EXPECT_EQ(kept.directory(), project.path());
    ASSERT_EQ(kept.screens().size(), 3u);
    EXPECT_EQ(kept.screens().back().title, "Niet opgeslagen");
    EXPECT_EQ(window.windowTitle(), qs(project.path()) + " - PENDREL");

    // Closing the window asks too; Nee keeps it open with its screens.
    ModalScript closing;
    closing.then(answerBox(&question, "Nee"));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(closing.done());
    EXPECT_TRUE(question.endsWith("Afsluiten zonder op te slaan?"));
    EXPECT_TRUE(window.isVisible());
}

// The user's trial: a title that starts with an apostrophe, stored with OK,
// and the project opened again: every screen is there.
TEST_F(MainWindowTest, ATitleStartingWithAnApostropheKeepsEveryScreenAtTheNextOpen) {
    testing::copySample(project.path(), true);
    MainWindow window(ProjectSettings(ini()), start.path());
    ASSERT_TRUE(testing::showActive(window));
    openWithKeys(window, project.path(), answerBox(nullptr, "Nee"));
    const std::string second = window.session().project().screens().at(1).title;

    ModalScript script;
    script
        .then([](QWidget* list) {
            clickButton(list, "Wijzigen titel");  // the first entry is selected
            clickButton(list, "OK");
        })
        .then(testing::typeText("'s Morgens"))
        .then(answerBox(nullptr, "OK"));
    ASSERT_TRUE(testing::showActive(window));
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.done() && !window.busy(); }, kWaitMs));
    EXPECT_EQ(script.titles, (QStringList{"Lijst van extra debugschermen",
                                          "Wijzigen titel debugscherm", "PENDREL"}));

    openWithKeys(window, project.path(), answerBox(nullptr, "Nee"));
    const ScreenList& screens = window.session().project().screens();
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0].title, "'s Morgens");
    EXPECT_EQ(screens[1].title, second);
    EXPECT_FALSE(window.session().project().databaseIncomplete());
}

// Define and the generations read the sources of a project not read yet on
// the worker. The window shows the project only once the reading handed it
// over whole: a refresh while the worker still fills it (at its last progress
// line) shows it unread, and does not read what the worker writes.
TEST_F(MainWindowTest, TheOverviewShowsTheSourcesOnlyOnceTheReadingHandedThemOver) {
    testing::copySample(start.path(), true);
    const test_support::TempDir target;
    const ModalScript::Step generateTellers = [&target](QWidget* dialog) {
        auto* generation = qobject_cast<GenerationDialog*>(dialog);
        ASSERT_NE(generation, nullptr);
        generation->directoryEdit()->setText(qs(target.path()));
        clickButton(dialog, "Niets");
        generation->categoryBox(13)->setChecked(true);  // "Tellers"
        clickButton(dialog, "OK");
    };
    const struct {
        Qt::Key key;
        std::vector<ModalScript::Step> steps;
        QStringList titles;
    } commands[] = {
        {Qt::Key_D,
         {answerBox(nullptr, "Nee"), testing::escape()},
         {"#IF(N)DEF PC_OMGEVING", "Lijst van extra debugschermen"}},
        {Qt::Key_G,
         {generateTellers, answerBox(nullptr, "Nee"), answerBox(nullptr, "OK")},
         {"Genereren debugfiles", "#IF(N)DEF PC_OMGEVING", "Informatie"}},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.titles.first().toStdString());
        MainWindow window(ProjectSettings(ini()), start.path());
        ASSERT_TRUE(testing::showActive(window));
        auto* overview = window.findChild<QLabel*>(QStringLiteral("overview"));
        auto* lines = window.progressWindow()->findChild<QListWidget*>();
        ASSERT_TRUE(overview != nullptr && lines != nullptr);
        QString during;
        QObject::connect(lines->model(), &QAbstractItemModel::rowsInserted, &window, [&] {
            if (lines->item(lines->count() - 1)->text() == QStringLiteral("lezen regelingen")) {
                emit menuTitled(window, "&Debugschermen")->aboutToShow();
                during = overview->text();
            }
        });
        ModalScript script;
        for (const ModalScript::Step& step : command.steps) {
            script.then(step);
        }
        QTest::keyClick(&window, command.key, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return script.done() && !window.busy(); }, kWaitMs));
        EXPECT_EQ(script.titles, command.titles);
        EXPECT_EQ(during, "Projectdirectory: " + qs(start.path()) +
                              "\nDe sources zijn nog niet ingelezen.");
        EXPECT_TRUE(overview->text().endsWith("\n2 zelf gedefinieerde debugschermen"))
            << overview->text().toStdString();
    }
    EXPECT_TRUE(fs::exists(target / "pendrel.txt"));
}

TEST_F(MainWindowTest, AboutBoxShowsVersionMemoryAndDiskSpace) {
    MainWindow window(ProjectSettings(ini()), start.path());
    QStringList texts;
    ModalScript script;
    script.then([&](QWidget* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                texts << label->text();
            }
        }
        clickButton(dialog, "OK");
    });
    window.action(Command::About)->trigger();
    ASSERT_TRUE(script.done());
    EXPECT_EQ(script.titles, QStringList{"Info PENDREL"});
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts[0], "PENDREL versie 3.8");
    EXPECT_EQ(texts[1], "Vrij geheugen:");
    EXPECT_TRUE(QRegularExpression("^(\\d+ KB|Niet beschikbaar)$").match(texts[2]).hasMatch());
    EXPECT_EQ(texts[3], "Vrije diskruimte:");
    EXPECT_TRUE(QRegularExpression("^\\d+ KB vrij op [A-Z/]:$").match(texts[4]).hasMatch());
}

}  // namespace
}  // namespace pendrel::gui
