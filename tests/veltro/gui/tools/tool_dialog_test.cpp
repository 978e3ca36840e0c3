#include "veltro/gui/tools/tool_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "support/veltro/tool_fakes.h"
#include "support/veltro/tool_tables.h"
#include "veltro/tools/tool_texts.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::gui {
namespace {

using tools::Category;
using tools::Tool;

constexpr char kSection[] = "Hoofdvenster";

// A tool dialog over the small test intersection and a fake controller
// that starts with the source values.
struct DialogRig {
    DialogRig() {
        for (Category c : tools::kAllCategories) {
            for (const auto& p : tools::sendOrder(c, *tables))
                controller.values[{p.record.functionCode, p.record.index, p.record.secondIndex}] =
                    tools::sourceInControllerUnits(p);
        }
    }
    std::unique_ptr<ToolDialog> open(Tool tool) {
        auto d = std::make_unique<ToolDialog>(tool, context);
        d->show();
        return d;
    }
    // Starts the run and waits until it has ended.
    void runAndWait(ToolDialog& d, QPushButton* button = nullptr) {
        QTest::mouseClick(button ? button : d.startButton(), Qt::LeftButton);
        EXPECT_TRUE(d.running() || !prompts.snapshot().empty());
        QTRY_VERIFY_WITH_TIMEOUT(!d.running(), 10000);
        QApplication::processEvents();
    }
    std::string setting(const std::string& key) {
        return settings.readString(kSection, key, "<none>");
    }
    // The controller answers no read of `key`.
    void ignore(test_support::FakeController::Key key) { controller.ignored.insert(key); }

    std::unique_ptr<ElementTables> tables = test_support::sampleTables();
    tools::ParameterStore store{*tables};
    test_support::FakeController controller{store};
    tools::Pacing pacing;
    tools::AcceptanceState acceptance;
    test_support::MemorySettings settings;
    test_support::ScriptedPrompts prompts;
    test_support::MemoryTextFiles files;
    std::vector<QString> proposals;
    std::optional<QString> chosen;
    ToolContext context{store,
                        pacing,
                        acceptance,
                        controller,
                        settings,
                        prompts,
                        files,
                        "/data/kruispunt/",
                        &controller.clock(),
                        [this](QWidget*, const QString& title, const QString& proposed) {
                            proposals.push_back(title + "|" + proposed);
                            return chosen;
                        }};
};

class ToolDialogTest : public ::testing::Test, protected DialogRig {};

// Holds the run's commands at the gate while the test looks: a run stopped
// at a moment the test chooses, not at one the scheduler chooses.
class GatedRequests final : public ControllerRequests {
  public:
    explicit GatedRequests(ControllerRequests& inner) : m_inner(inner) {}
    void send(const ControllerRecord& record, CommandMode mode) override {
        {
            std::unique_lock lock(m_mutex);
            m_held = m_closed;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_closed; });
            m_held = false;
        }
        m_inner.send(record, mode);
    }
    void setClosed(bool closed) {
        std::lock_guard lock(m_mutex);
        m_closed = closed;
        m_changed.notify_all();
    }
    // Waits until a command is held at the closed gate.
    bool waitUntilHeld() {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_held; });
    }

  private:
    ControllerRequests& m_inner;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_closed = false;
    bool m_held = false;
};

TEST_F(ToolDialogTest, OpensWithTheSettingsAndTheCounts) {
    tables->detectors.count = 0;
    settings.writeString(kSection, "AANPAS Hiaattijden", "1");
    settings.writeString(kSection, "AANPAS Klokken", "1");
    settings.writeString(kSection, "AANPAS Speed", "750");
    settings.writeString(kSection, "AANPAS Verify action", "0");
    auto d = open(Tool::Adjustment);
    EXPECT_EQ(d->windowTitle(), QString("Automatische aanpassing parameters"));
    EXPECT_FALSE(d->categoryBox(Category::Hiaattijden)->isEnabled());
    EXPECT_FALSE(d->categoryBox(Category::Hiaattijden)->isChecked());
    EXPECT_EQ(d->categoryBox(Category::Hiaattijden)->text(), QString("Hiaat- en bezettijden"));
    EXPECT_TRUE(d->categoryBox(Category::Klokken)->isChecked());
    EXPECT_FALSE(d->categoryBox(Category::Tijden)->isChecked());
    EXPECT_EQ(d->categoryBox(Category::Eggparm)->text(),
              QString("Extra geheel getal parameters (EGGPARM)"));
    // A speed that is none of the five checks no button and stays in force.
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(d->speedButton(i)->isChecked());
    EXPECT_EQ(d->speedButton(0)->text(), QString("Heel snel"));
    EXPECT_EQ(pacing.interval(), std::chrono::milliseconds(750));
    EXPECT_FALSE(d->verifyBox()->isChecked());
    EXPECT_TRUE(d->saveBox()->isChecked());
    EXPECT_TRUE(d->separateBox()->isChecked());
    EXPECT_EQ(d->fileField()->text(), QString("aangepast.txt"));
    EXPECT_EQ(d->directoryField()->text(), QString("/data/kruispunt/"));
    EXPECT_TRUE(d->directoryField()->isReadOnly());
    EXPECT_EQ(d->startButton()->text(), QString("&Start Parameters Aanpassen"));
    EXPECT_EQ(d->closeButton()->text(), QString("&Aanpassing Afsluiten"));
    EXPECT_EQ(d->resetButton(), nullptr);
    EXPECT_EQ(d->switchesOnBox(), nullptr);
}

TEST_F(ToolDialogTest, SettingsWrittenOnCloseAndTheFileChosenAtOnce) {
    auto d = open(Tool::Difference);
    EXPECT_EQ(d->separateBox(), nullptr);
    d->categoryBox(Category::Eparm)->setChecked(true);
    d->saveBox()->setChecked(false);
    d->speedButton(1)->click();
    chosen = QString("/tmp/andere.txt");
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    EXPECT_EQ(proposals, std::vector<QString>{"Sla Verschillen-file op als:|verschillen.txt"});
    EXPECT_EQ(setting("VERSCHILLEN File name"), "/tmp/andere.txt");
    EXPECT_EQ(setting("VERSCHILLEN EPARM"), "<none>");  // not until closing
    EXPECT_EQ(d->fileField()->text(), QString("/tmp/andere.txt"));
    chosen.reset();  // cancelled: nothing changes
    QTest::mouseClick(d->browseButton(), Qt::LeftButton);
    EXPECT_EQ(d->fileField()->text(), QString("/tmp/andere.txt"));
    QTest::keyClick(d.get(), Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(setting("VERSCHILLEN EPARM"), "1");
    EXPECT_EQ(setting("VERSCHILLEN Save to file"), "0");
    EXPECT_EQ(setting("VERSCHILLEN Speed"), "200");
    EXPECT_EQ(setting("VERSCHILLEN Save separate files"), "<none>");

    auto again = open(Tool::Difference);
    EXPECT_TRUE(again->categoryBox(Category::Eparm)->isChecked());
    EXPECT_FALSE(again->saveBox()->isChecked());
    EXPECT_TRUE(again->speedButton(1)->isChecked());
    EXPECT_EQ(again->fileField()->text(), QString("/tmp/andere.txt"));
}

TEST_F(ToolDialogTest, AdjustmentRunsOnAWorkerAndMovesTheBar) {
    auto d = open(Tool::Adjustment);
    d->categoryBox(Category::VgTijden)->setChecked(true);
    d->categoryBox(Category::Klokken)->setChecked(true);
    d->speedButton(0)->click();
    runAndWait(*d);
    EXPECT_EQ(prompts.shown(),
              std::vector<std::string>{"Automatische Parameter Aanpassing|De aanpassing van "
                                       "parameters is gereed"});
    EXPECT_EQ(d->progressBar()->maximum(), 7);
    EXPECT_EQ(d->progressBar()->value(), 7);
    EXPECT_EQ(files.names(), (std::vector<std::string>{"aangepast_KLOK.txt", "aangepast_VG.txt"}));
    EXPECT_EQ(setting("AANPAS VG-tijden"), "1");  // written at the start
    EXPECT_EQ(setting("AANPAS Speed"), "100");
    EXPECT_EQ(pacing.interval(), std::chrono::milliseconds(100));
    EXPECT_TRUE(d->startButton()->isEnabled());
    EXPECT_EQ(controller.requests.sent.size(), 12u);
    // A start right after the end of a run is taken at once.
    runAndWait(*d);
    EXPECT_EQ(prompts.snapshot().size(), 2u);
    EXPECT_EQ(controller.requests.sent.size(), 24u);
}

TEST_F(ToolDialogTest, EscapeStopsARunAfterTheCurrentCommand) {
    context.clock = nullptr;  // the machine's clock: a real two-second pace
    auto d = open(Tool::Adjustment);
    d->categoryBox(Category::Eparm)->setChecked(true);
    d->categoryBox(Category::Tijden)->setChecked(true);
    d->speedButton(4)->click();
    QTest::mouseClick(d->startButton(), Qt::LeftButton);
    ASSERT_TRUE(d->running());
    EXPECT_FALSE(d->startButton()->isEnabled());
    QTest::keyClick(d.get(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 5000);
    QApplication::processEvents();
    EXPECT_TRUE(d->isVisible());  // Escape stops the run, not the dialog
    EXPECT_EQ(prompts.shown().back(),
              "Automatische Parameter Aanpassing|De aanpassing van parameters is afgebroken");
    EXPECT_LT(controller.requests.sent.size(), 8u);
    EXPECT_TRUE(d->startButton()->isEnabled());

    // Closing during a run stops it and then closes the dialog.
    prompts.boxes.clear();
    QTest::mouseClick(d->startButton(), Qt::LeftButton);
    ASSERT_TRUE(d->running());
    d->close();
    QTRY_VERIFY_WITH_TIMEOUT(!d->isVisible(), 5000);
    EXPECT_FALSE(d->running());
    EXPECT_EQ(prompts.snapshot().back().text, std::string(tools::texts::kAdjustmentStopped));
}

TEST_F(ToolDialogTest, AcceptanceSwitchBoxesAndTheResetButton) {
    settings.writeString(kSection, "AFNAME Schakelaar aan", "1");
    settings.writeString(kSection, "AFNAME Schakelaar uit", "1");
    settings.writeString(kSection, "AFNAME Beginwaarde parameters", "11998");
    settings.writeString(kSection, "AFNAME Beginwaarde reset", "0");
    settings.writeString(kSection, "AFNAME Tijden", "1");
    auto d = open(Tool::Acceptance);
    EXPECT_EQ(d->categoryBox(Category::Schakelaars), nullptr);
    EXPECT_TRUE(d->switchesOnBox()->isChecked());
    EXPECT_FALSE(d->switchesOffBox()->isChecked());
    EXPECT_EQ(d->startValueField()->text(), QString("11998"));
    EXPECT_FALSE(d->restartBox()->isChecked());
    EXPECT_TRUE(d->rememberBox()->isChecked());
    EXPECT_FALSE(d->resetButton()->isEnabled());
    EXPECT_EQ(d->directoryField(), nullptr);
    d->switchesOffBox()->click();
    EXPECT_FALSE(d->switchesOnBox()->isChecked());
    d->switchesOffBox()->click();  // unchecking leaves both unchecked
    EXPECT_FALSE(d->switchesOnBox()->isChecked() || d->switchesOffBox()->isChecked());
    d->switchesOnBox()->click();
    d->saveBox()->setChecked(false);

    runAndWait(*d);
    EXPECT_EQ(prompts.shown().back(), "Automatische Afname|De afname is gereed");
    // Originals asked first, then test values 11998, 11999; switches on.
    std::vector<int> written;
    for (const auto& r : controller.requests.sent) {
        if (r.mode == CommandMode::Write)
            written.push_back(r.record.value);
    }
    EXPECT_EQ(written, (std::vector<int>{11998, 11999, 1, 1}));
    EXPECT_TRUE(d->resetButton()->isEnabled());
    EXPECT_EQ(setting("AFNAME Schakelaar aan"), "1");
    EXPECT_EQ(setting("AFNAME Schakelaar uit"), "0");

    controller.requests.sent.clear();
    QTest::mouseClick(d->resetButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 10000);
    EXPECT_EQ(prompts.shown().back(),
              "Automatische Afname|Het herstellen van de originele instellingen is gereed");
    EXPECT_EQ(controller.requests.sent.size(), 4u);
    EXPECT_EQ(controller.values[(test_support::FakeController::Key{34, 0, 0})], 120);
    EXPECT_TRUE(d->resetButton()->isEnabled());
}

TEST_F(ToolDialogTest, DifferencesInMessageBoxesAndTheStartValueField) {
    controller.values[{34, 1, 0}] = 1;
    auto d = open(Tool::Difference);
    d->categoryBox(Category::Tijden)->setChecked(true);
    d->saveBox()->setChecked(false);
    runAndWait(*d);
    EXPECT_EQ(prompts.shown(),
              std::vector<std::string>{"Verschillen met ZXAPTAB.C zien|Verschil bij tijd "
                                       "T_MIN\nWaarde in broncode is 13.00, in regeling 0"});
    EXPECT_EQ(prompts.snapshot()[0].icon, PromptIcon::Error);

    auto a = open(Tool::Acceptance);
    a->startValueField()->setText("  -17 stuks");
    EXPECT_EQ(a->dialogState().startValue, -17);
    a->startValueField()->setText("geen getal");
    EXPECT_EQ(a->dialogState().startValue, 0);
}

TEST_F(ToolDialogTest, RunToolDialogRoutesReportsWhileOpen) {
    std::vector<bool> routed;
    tables->times[0].arrayNumber = 9;  // the index follows the tables on opening
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = dynamic_cast<ToolDialog*>(w); d && d->isVisible()) {
                store.deliver({34, 9, 0, 0, 5});
                d->reject();
            }
        }
    });
    runToolDialog(Tool::Difference, context, nullptr, [&](bool on) { routed.push_back(on); });
    EXPECT_EQ(routed, (std::vector<bool>{true, false}));
    EXPECT_TRUE(tables->times[0].controller.received());
}

// Every box a tool dialog ends a run with: its caption, text and icon, for a
// controller that agrees, differs, or answers in part or not at all.
TEST(ToolDialogEnd, TheBoxesEachRunEndsWith) {
    using test_support::Box;
    using Key = test_support::FakeController::Key;
    const std::string adjust(tools::texts::kAdjustmentCaption);
    const std::string accept(tools::texts::kAcceptanceCaption);
    const std::string diff(tools::texts::kDifferenceCaption);
    const Box ready{adjust, "De aanpassing van parameters is gereed", PromptIcon::Information};
    const Box none{diff, "Er zijn geen verschillen gevonden!", PromptIcon::Error};
    const Key tMax{34, 0, 0};
    const Key tMin{34, 1, 0};
    struct Row {
        const char* what;
        Tool tool;
        std::function<void(DialogRig&)> setUp;
        std::vector<Box> boxes;
    };
    const Row table[] = {
        {"adjustment verified", Tool::Adjustment, [](DialogRig&) {}, {ready}},
        {"adjustment without verification",
         Tool::Adjustment,
         [&](DialogRig& r) {
             r.ignore(tMax);
             r.ignore(tMin);
             r.settings.writeString(kSection, "AANPAS Verify action", "0");
         },
         {ready}},
        {"adjustment refused",
         Tool::Adjustment,
         [&](DialogRig& r) {
             r.controller.values[tMin] = 1;
             r.controller.rejected.insert(tMin);
         },
         {{adjust, "Fout bij verifiëren tijd T_MIN\nWaarde is 13.00, in regeling 0",
           PromptIcon::Error},
          {adjust, "De aanpassing van parameters is niet gelukt", PromptIcon::Error}}},
        {"adjustment read back by nobody",
         Tool::Adjustment,
         [&](DialogRig& r) {
             r.ignore(tMax);
             r.ignore(tMin);
         },
         {{adjust,
           "De aanpassing van parameters is niet gecontroleerd: de regelautomaat heeft op geen "
           "van de 2 teruggelezen parameters geantwoord; er is niets vergeleken.",
           PromptIcon::Error}}},
        {"adjustment read back in part",
         Tool::Adjustment,
         [&](DialogRig& r) { r.ignore(tMax); },
         {ready,
          {adjust,
           "De regelautomaat heeft op 1 van de 2 teruggelezen parameters niet geantwoord; "
           "daarvoor is niets vergeleken.",
           PromptIcon::Exclamation}}},
        {"acceptance run",
         Tool::Acceptance,
         [](DialogRig&) {},
         {{accept, "De afname is gereed", PromptIcon::Information}}},
        {"no differences", Tool::Difference, [](DialogRig&) {}, {none}},
        {"a difference",
         Tool::Difference,
         [&](DialogRig& r) { r.controller.values[tMin] = 1; },
         {{diff, "Verschil bij tijd T_MIN\nWaarde in broncode is 13.00, in regeling 0",
           PromptIcon::Error}}},
        {"differences asked of nobody",
         Tool::Difference,
         [&](DialogRig& r) {
             r.ignore(tMax);
             r.ignore(tMin);
         },
         {{diff,
           "De regelautomaat heeft op geen van de 2 opgevraagde parameters geantwoord; er is "
           "niets vergeleken.",
           PromptIcon::Error}}},
        {"differences answered in part",
         Tool::Difference,
         [&](DialogRig& r) { r.ignore(tMin); },
         {none,
          {diff,
           "De regelautomaat heeft op 1 van de 2 opgevraagde parameters niet geantwoord; "
           "daarvoor is niets vergeleken.",
           PromptIcon::Exclamation}}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        DialogRig rig;
        const std::string prefix(tools::keyPrefix(row.tool));
        rig.settings.writeString(kSection, prefix + " Tijden", "1");
        rig.settings.writeString(kSection, prefix + " Save to file", "0");
        row.setUp(rig);
        auto d = rig.open(row.tool);
        rig.runAndWait(*d);
        EXPECT_EQ(rig.prompts.snapshot(), row.boxes);
    }

    // The acceptance run's reset of the originals.
    DialogRig rig;
    rig.settings.writeString(kSection, "AFNAME Tijden", "1");
    auto d = rig.open(Tool::Acceptance);
    rig.runAndWait(*d);
    rig.prompts.boxes.clear();
    rig.runAndWait(*d, d->resetButton());
    const Box restored{accept, "Het herstellen van de originele instellingen is gereed",
                       PromptIcon::Information};
    EXPECT_EQ(rig.prompts.snapshot(), std::vector<Box>{restored});
}

TEST_F(ToolDialogTest, ARunWithNothingChosenLeavesAnEmptyStillBar) {
    auto d = open(Tool::Difference);
    runAndWait(*d);
    EXPECT_EQ(prompts.shown(),
              std::vector<std::string>{"Verschillen met ZXAPTAB.C zien|Er zijn geen verschillen "
                                       "gevonden!"});
    // A range of 0 to 0 would be the busy animation.
    EXPECT_LT(d->progressBar()->minimum(), d->progressBar()->maximum());
    EXPECT_EQ(d->progressBar()->value(), 0);
}

TEST_F(ToolDialogTest, ARunAfterAStoppedOneGoesToItsEnd) {
    GatedRequests gate(controller);
    ToolContext gated{store,
                      pacing,
                      acceptance,
                      gate,
                      settings,
                      prompts,
                      files,
                      "/data/kruispunt/",
                      &controller.clock(),
                      {}};
    auto d = std::make_unique<ToolDialog>(Tool::Adjustment, gated);
    d->show();
    d->categoryBox(Category::Tijden)->setChecked(true);
    d->saveBox()->setChecked(false);
    gate.setClosed(true);
    QTest::mouseClick(d->startButton(), Qt::LeftButton);
    ASSERT_TRUE(gate.waitUntilHeld());  // the first command waits at the gate
    QTest::keyClick(d.get(), Qt::Key_Escape);
    gate.setClosed(false);
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 10000);
    EXPECT_EQ(prompts.snapshot().back(),
              (test_support::Box{"Automatische Parameter Aanpassing",
                                 "De aanpassing van parameters is afgebroken",
                                 PromptIcon::Exclamation}));
    EXPECT_TRUE(d->isVisible());

    // The stop was that run's: the next one writes and verifies everything.
    prompts.boxes.clear();
    controller.requests.sent.clear();
    runAndWait(*d);
    EXPECT_EQ(prompts.shown(), std::vector<std::string>{"Automatische Parameter Aanpassing|De "
                                                        "aanpassing van parameters is gereed"});
    EXPECT_EQ(controller.requests.sent.size(), 4u);
}

// The difference check's "&Bewaar parameters...": the checked categories
// into the chosen file, or nothing at all from a silent controller.
TEST_F(ToolDialogTest, TheBackupButtonKeepsTheCheckedCategories) {
    controller.values[{34, 1, 0}] = 131;
    auto d = open(Tool::Difference);
    // Nothing chosen is not a silent controller.
    chosen = QString("/data/niets.txt");
    runAndWait(*d, d->backupButton());
    EXPECT_EQ(prompts.shown().back(),
              "Parameters bewaren|Er is geen parameter gekozen: er is niets bewaard.");
    EXPECT_FALSE(files.exists("/data/niets.txt"));
    d->categoryBox(Category::Tijden)->setChecked(true);
    chosen = std::nullopt;  // cancelled: nothing asked
    QTest::mouseClick(d->backupButton(), Qt::LeftButton);
    EXPECT_FALSE(d->running());
    EXPECT_TRUE(controller.requests.sent.empty());
    chosen = QString("/data/bewaard.txt");
    runAndWait(*d, d->backupButton());
    EXPECT_EQ(proposals.back(), "Bewaar parameters als:|parameters.txt");
    EXPECT_EQ(files.text("/data/bewaard.txt"),
              "veltro parameterbackup 1\nproject;kruispunt;\n"
              "categorie;parameter;element;naar;ruw;waarde;antwoord\n"
              "Tijden;inst_TIJD;T_MAX;;120;12.0;ja\nTijden;inst_TIJD;T_MIN;;131;13.1;ja\n");
    EXPECT_EQ(prompts.shown().back(),
              "Parameters bewaren|De parameters zijn bewaard in /data/bewaard.txt");
    EXPECT_TRUE(d->backupButton()->isEnabled());

    ignore({34, 0, 0});
    ignore({34, 1, 0});
    chosen = QString("/data/stil.txt");
    runAndWait(*d, d->backupButton());
    EXPECT_FALSE(files.exists("/data/stil.txt"));
    EXPECT_EQ(prompts.shown().back(),
              "Parameters bewaren|De regeling gaf geen antwoord: er is niets bewaard.");
}

// A journal that an earlier debugger left behind: restored at once when
// the user says yes, else taken over for "Reset originele instellingen".
TEST_F(ToolDialogTest, TheAcceptanceDialogOffersAJournalLeftBehind) {
    const std::string path = "/data/kruispunt/afname_originelen.txt";
    const std::string journalText =
        "veltro parameterbackup 1\nproject;kruispunt;\n"
        "categorie;parameter;element;naar;ruw;waarde;antwoord\n"
        "Tijden;inst_TIJD;T_MAX;;99;9.9;ja\n";
    tools::AcceptanceJournal journal(files, path, {"kruispunt", ""});
    acceptance.journal = &journal;
    controller.values[{34, 0, 0}] = 7;  // a test value of the run that died
    files.put(path, journalText);
    prompts.answers = {true};
    auto d = open(Tool::Acceptance);
    d->offerJournal();
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 10000);
    EXPECT_EQ(prompts.shown().front(),
              "Automatische Afname|Een eerdere afname is niet afgesloten: de originele "
              "instellingen staan nog in " +
                  path +
                  ".\nDeze originele instellingen nu "
                  "terugzetten?");
    EXPECT_EQ(prompts.shown().back(),
              "Parameters terugzetten|Het terugzetten van de parameters is gereed");
    EXPECT_EQ((controller.values[{34, 0, 0}]), 99);
    EXPECT_FALSE(files.exists(path));

    controller.values[{34, 0, 0}] = 7;
    files.put(path, journalText);
    prompts.answers = {false};
    auto again = open(Tool::Acceptance);
    again->offerJournal();
    EXPECT_TRUE(again->resetButton()->isEnabled());
    EXPECT_EQ((controller.values[{34, 0, 0}]), 7);
    runAndWait(*again, again->resetButton());
    EXPECT_EQ((controller.values[{34, 0, 0}]), 99);
    EXPECT_FALSE(files.exists(path));

    files.put(path, "kapot");
    auto damaged = open(Tool::Acceptance);
    damaged->offerJournal();
    EXPECT_FALSE(damaged->resetButton()->isEnabled());
    EXPECT_EQ(prompts.snapshot().back().icon, PromptIcon::Error);
    EXPECT_EQ(files.text(path), "kapot");
}

}  // namespace
}  // namespace veltro::gui
