// A user screen composed with the mouse in the designer's windows, saved,
// generated through the dialog, and loaded by the debugger's own check.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QProcess>
#include <QTest>

#include "pendrel/gui/canvas_widget.h"
#include "pendrel/gui/generation_dialog.h"
#include "pendrel/gui/item_choice_dialog.h"
#include "pendrel/gui/main_window.h"
#include "pendrel/gui/screen_edit_dialog.h"
#include "pendrel/project/screen_database.h"
#include "support/temp_dir.h"
#include "tests/pendrel/gui/modal_script.h"
#include "tests/pendrel/gui/sample_project.h"

namespace pendrel::gui {
namespace {

using testing::answerBox;
using testing::clickButton;
using testing::ModalScript;
using testing::typeText;

constexpr int kWaitMs = 30000;
const QString kTitle = QStringLiteral("Kruispunt overzicht");

void pick(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.front());
}

// The item dialog: three items and a text, as a user clicks them together.
void chooseItems(QWidget* dialog) {
    auto* items = qobject_cast<ItemChoiceDialog*>(dialog);
    ASSERT_NE(items, nullptr);
    pick(items->column(0), "signaalgroepgebonden tijden");
    pick(items->column(1), "inst_VG_TIJD");
    pick(items->column(2), " SG02");
    clickButton(dialog, "Toevoegen");
    pick(items->column(1), "VG_TIJD");
    pick(items->column(2), " SG08");
    clickButton(dialog, "Toevoegen");
    pick(items->column(0), "ontruimingstijden");
    pick(items->column(1), "inst_O_TIJD");
    pick(items->column(2), " SG02");
    pick(items->column(3), " SG05");
    clickButton(dialog, "Toevoegen");
    clickButton(dialog, "Toevoegen verklarende tekst");
    clickButton(dialog, "Sluiten");
}

// The edit dialog: items added, then the first item and the text dragged.
void composeScreen(QWidget* dialog) {
    auto* editor = qobject_cast<ScreenEditDialog*>(dialog);
    ASSERT_NE(editor, nullptr);
    clickButton(dialog, "Item Toevoegen");
    CanvasWidget* canvas = editor->canvas();
    const int w = canvas->geometry().cellWidth();
    const int h = canvas->geometry().cellHeight();
    auto drag = [&](int column, int row, QPoint by) {
        const QPoint from = canvas->cellCentre(column, row);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, from + by / 2);
        QTest::mouseMove(canvas, from + by);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + by);
    };
    drag(3, 2, QPoint(40 * w, 0));     // inst_VG_TIJD_SG02 to the right half
    drag(3, 5, QPoint(0, 3 * h + 1));  // the text three rows lower
    clickButton(dialog, "OK");
}

TEST(EndToEnd, AScreenComposedInTheEditorIsGeneratedAndLoadsInTheDebugger) {
    test_support::TempDir config;
    test_support::TempDir project;
    testing::copySample(project.path(), false);
    MainWindow window(ProjectSettings(config.path() / "pendrel.ini"), project.path());
    ASSERT_TRUE(testing::showActive(window));

    ModalScript compose;
    compose.then(answerBox(nullptr, "Nee"))
        .then([](QWidget* list) {
            clickButton(list, "Toevoegen");
            clickButton(list, "Bewerken");
            clickButton(list, "OK");
        })
        .then(typeText(kTitle))
        .then(composeScreen)
        .then(chooseItems)
        .then(typeText("Tijden in tienden van seconden"))
        .then(answerBox(nullptr, "OK"));
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return compose.done() && !window.busy(); }, kWaitMs))
        << compose.titles.join(", ").toStdString();

    const ScreenList saved = readScreenDatabase(project.path()).screens;
    ASSERT_EQ(saved.size(), 1u);
    const ScreenRecord& screen = saved[0];
    EXPECT_EQ(screen.title, kTitle.toStdString());
    ASSERT_EQ(screen.items.size(), 3u);
    EXPECT_EQ(screen.items[0].label, "inst_VG_TIJD_SG02");
    EXPECT_EQ(screen.items[0].labelColumn, 43);
    EXPECT_EQ(screen.items[0].markerColumn, 68);
    EXPECT_EQ(screen.items[2].label, "inst_O_TIJD_SG02_SG05");
    ASSERT_EQ(screen.texts.size(), 2u);
    EXPECT_EQ(screen.texts[1], (TextRecord{"Tijden in tienden van seconden", 3, 8, 30}));

    ModalScript generate;
    generate.then([](QWidget* dialog) { clickButton(dialog, "OK"); })
        .then(answerBox(nullptr, "OK"));
    ASSERT_TRUE(testing::showActive(window));
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return generate.done() && !window.busy(); }, kWaitMs))
        << generate.titles.join(", ").toStdString();
    const QStringList lines = window.progressWindow()->lines();
    ASSERT_FALSE(lines.isEmpty());
    ASSERT_TRUE(lines.last().endsWith("  debugfile: " + kTitle + "."))
        << lines.last().toStdString();
    const QString userFile = lines.last().section(QLatin1Char(' '), 0, 0);

    QProcess check;
    check.start(QStringLiteral(VELTRO_PROGRAM),
                {QStringLiteral("--check"), QString::fromStdString(project.path().string())});
    ASSERT_TRUE(check.waitForFinished(kWaitMs));
    const QString out = QString::fromUtf8(check.readAllStandardOutput());
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QLatin1Char('/') + userFile + QLatin1Char('\n')))
        << userFile.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("waarschuwing :"))) << out.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("fout :"))) << out.toStdString();
}

}  // namespace
}  // namespace pendrel::gui
