#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "pendrel/gui/item_choice_dialog.h"
#include "pendrel/gui/screen_edit_dialog.h"
#include "pendrel/gui/screen_list_dialog.h"
#include "pendrel/project/screen_database.h"
#include "support/temp_dir.h"
#include "tests/pendrel/gui/modal_script.h"

namespace pendrel::gui {
namespace {

using testing::answerBox;
using testing::clickButton;
using testing::ModalScript;
using testing::press;
using testing::typeText;

ProjectData smallProject() {
    ProjectData data;
    data.signalGroups = {"SG02", "SG05"};
    data.counters = {"TL_CYCLUS", "TL_BUS"};
    return data;
}

ItemRecord item(int rank, int column, int row, const std::string& label) {
    return ItemRecord{rank, column + 25, row, column, row, 25, "~", "VG_TIJD", "SG02", "", label};
}

ScreenRecord screenWith(std::vector<ItemRecord> items) {
    return ScreenRecord{"Scherm", std::move(items), {}};
}

void pick(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.front());
}

// Drags the control that covers a cell by a number of pixels.
void drag(CanvasWidget* canvas, int column, int row, QPoint by) {
    const QPoint from = canvas->cellCentre(column, row);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, from + by);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + by);
}

TEST(ScreenEditDialogGui, DragMovesAnItemByWholeCellsAndStopsAtTheCanvasEdge) {
    ProjectData data = smallProject();
    ScreenRecord screen = screenWith({item(1, 3, 2, "VG_TIJD_SG02")});
    ScreenEditDialog dialog(nullptr, screen, data);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Bewerken debugscherm");
    CanvasWidget* canvas = dialog.canvas();
    const int w = canvas->geometry().cellWidth();
    const int h = canvas->geometry().cellHeight();
    const ScreenEditor::Control& control = dialog.editor().controls()[0];
    ASSERT_FALSE(control.isText);
    EXPECT_EQ(canvas->control(0)->text(), "VG_TIJD_SG02             ~01");
    EXPECT_EQ(canvas->control(0)->width(), control.width() * w);

    // A press on the item selects it; the move counts whole cells only.
    const QPoint from = canvas->cellCentre(3, 2);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    EXPECT_TRUE(dialog.editor().hasSelection());
    EXPECT_EQ(dialog.editor().selected(), 0u);
    struct Step {
        QPoint by;
        int column;
        int row;
    };
    const int width = control.width();
    for (const Step& step : {Step{{3 * w + w - 1, h + 1}, 6, 3}, Step{{-(w - 1), 0}, 3, 2},
                             Step{{-w, -h}, 2, 1}, Step{{1000 * w, 0}, 80 - width + 1, 2},
                             Step{{-1000 * w, 1000 * h}, 1, 22}, Step{{-100, -1000}, 1, 1}}) {
        QTest::mouseMove(canvas, from + step.by);
        EXPECT_EQ(control.column, step.column) << step.by.x();
        EXPECT_EQ(control.row, step.row) << step.by.y();
        const CanvasGeometry::Point corner = canvas->geometry().topLeft({step.column, step.row});
        EXPECT_EQ(canvas->control(0)->pos(), QPoint(corner.x, corner.y));
    }
    QTest::mouseMove(canvas, from + QPoint(1000 * w, 2 * h));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(1000 * w, 2 * h));
    EXPECT_EQ(control.column + width - 1, 80) << "the item's text ends at column 80";
    EXPECT_EQ(screen.items[0].labelColumn, 3) << "records change only on OK";

    clickButton(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(screen.items[0].labelColumn, 80 - width + 1);
    EXPECT_EQ(screen.items[0].labelRow, 4);
    EXPECT_EQ(screen.items[0].markerColumn, 80 - width + 1 + 25);
    EXPECT_EQ(screen.items[0].markerRow, 4);

    // Annuleren drops a move.
    const ScreenRecord before = screen;
    ScreenEditDialog again(nullptr, screen, data);
    again.show();
    drag(again.canvas(), screen.items[0].labelColumn, 4, QPoint(-5 * w, h));
    clickButton(&again, "Annuleren");
    EXPECT_EQ(screen, before);
}

TEST(ScreenEditDialogGui, DeleteRefusesTheTitleAndRemovesAnItemOnlyOnOk) {
    ProjectData data = smallProject();
    ScreenRecord screen = screenWith({item(1, 3, 2, "A_SG02"), item(2, 3, 3, "A_SG05")});
    {
        ScreenEditDialog dialog(nullptr, screen, data);
        dialog.show();
        ASSERT_EQ(screen.texts.size(), 1u) << "opening places the title";
        EXPECT_EQ(screen.texts[0], (TextRecord{"Scherm", 3, 1, 6}));
        // Nothing clicked: the first control goes.
        clickButton(&dialog, "Item Verwijderen");
        EXPECT_EQ(dialog.canvas()->control(0), nullptr);
        // The title stays whatever the user tries.
        QString warning;
        ModalScript script;
        script.then(answerBox(&warning, "OK"));
        drag(dialog.canvas(), 3, 1, {});
        clickButton(&dialog, "Item Verwijderen");
        EXPECT_TRUE(script.done());
        EXPECT_EQ(warning, "De titel van het scherm mag niet worden verwijderd.");
        EXPECT_NE(dialog.canvas()->control(2), nullptr);
        clickButton(&dialog, "Annuleren");
    }
    EXPECT_EQ(screen.items.size(), 2u) << "Annuleren keeps the item";
    ScreenEditDialog dialog(nullptr, screen, data);
    dialog.show();
    drag(dialog.canvas(), 3, 3, {});
    clickButton(&dialog, "Item Verwijderen");
    clickButton(&dialog, "OK");
    ASSERT_EQ(screen.items.size(), 1u);
    EXPECT_EQ(screen.items[0].label, "A_SG02");
}

TEST(ScreenEditDialogGui, ItemDialogAddsWithMarksAndRefusesTheHundredthItem) {
    ProjectData data = smallProject();
    std::vector<ItemRecord> items;
    for (int rank = 1; rank <= 99; ++rank) {
        if (rank != 50) {
            items.push_back(item(rank, 1, 1 + rank % 22, "X" + std::to_string(rank)));
        }
    }
    ScreenRecord screen = screenWith(items);
    ScreenEditDialog dialog(nullptr, screen, data);
    dialog.show();
    QString warning;
    QStringList marks;
    ModalScript script;
    script.then([&](QWidget* shown) {
        auto* items = qobject_cast<ItemChoiceDialog*>(shown);
        ASSERT_NE(items, nullptr);
        EXPECT_EQ(items->heading(2)->text(), "Signaalgroepen");
        pick(items->column(0), "tellers");
        pick(items->column(1), "TL");
        EXPECT_EQ(items->heading(2)->text(), "Tellers");
        pick(items->column(2), " TL_BUS");
        clickButton(shown, "Toevoegen");
        for (int i = 0; i < items->column(2)->count(); ++i) {
            marks << items->column(2)->item(i)->text();
        }
        pick(items->column(2), " TL_CYCLUS");
        clickButton(shown, "Toevoegen");  // the 100th
        clickButton(shown, "Sluiten");
    });
    script.then(answerBox(&warning, "OK"));
    clickButton(&dialog, "Item Toevoegen");
    EXPECT_TRUE(script.done());
    EXPECT_EQ(script.titles, (QStringList{"Toevoegen debug-items", "PENDREL"}));
    EXPECT_EQ(warning, "Fout: geen vrij rangnummer te bepalen.");
    EXPECT_EQ(marks, (QStringList{" TL_CYCLUS", ">TL_BUS"}));
    ASSERT_EQ(screen.items.size(), 99u);
    EXPECT_EQ(screen.items.back().rank, 50) << "the free rank is given out";
    EXPECT_EQ(screen.items.back().label, "TL_TL_BUS");
    // The canvas was built anew with the new item on it.
    EXPECT_NE(dialog.canvas()->control(98), nullptr);
    EXPECT_EQ(dialog.canvas()->control(98)->text().right(5), "~~~50");
}

TEST(ScreenEditDialogGui, OverlapIsRefusedOnOkAndTheDialogStaysOpen) {
    ProjectData data = smallProject();
    ScreenRecord screen = screenWith({item(1, 3, 2, "VG_TIJD_SG02"), item(2, 3, 4, "VG_SG05")});
    ScreenEditDialog dialog(nullptr, screen, data);
    dialog.show();
    const int w = dialog.canvas()->geometry().cellWidth();
    const int h = dialog.canvas()->geometry().cellHeight();
    // The second item up one row and right so that it starts on the first
    // one's last column (its marker's last character is column 28 + 1 + 1).
    drag(dialog.canvas(), 3, 4, QPoint(27 * w, -2 * h));
    QString warning;
    ModalScript script;
    script.then(answerBox(&warning, "OK"));
    clickButton(&dialog, "OK");
    EXPECT_TRUE(script.done());
    EXPECT_EQ(warning, "Overlap van de volgende items geconstateerd:\nVG_TIJD_SG02\nen\nVG_SG05");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(screen.items[1].labelColumn, 30) << "the move was taken over all the same";
    // One column further right fits.
    drag(dialog.canvas(), 30, 2, QPoint(w, 0));
    clickButton(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

class ScreenListGui : public ::testing::Test {
  protected:
    void SetUp() override { project.adopt(smallProject(), {}); }

    test_support::TempDir directory;
    Project project{directory.path()};
};

TEST_F(ScreenListGui, AddRenameRemoveAndOkWritesTheDatabase) {
    ScreenListDialog dialog(nullptr, project);
    dialog.show();
    EXPECT_FALSE(dialog.button("edit")->isEnabled());
    ModalScript script;
    script.then(typeText("")).then(typeText("Hoofdrichting")).then(typeText("Tweede"));
    clickButton(&dialog, "Toevoegen");
    clickButton(&dialog, "Toevoegen");
    EXPECT_EQ(script.titles,
              (QStringList{"Toevoegen nieuw debugscherm", "Toevoegen nieuw debugscherm",
                           "Toevoegen nieuw debugscherm"}))
        << "an empty title asks again";
    EXPECT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->currentRow(), 1);
    EXPECT_TRUE(dialog.button("edit")->isEnabled());

    QString question;
    ModalScript more;
    more.then([](QWidget* shown) {
            EXPECT_EQ(shown->findChild<QLineEdit*>()->text(), "Tweede") << "preset";
            typeText("Fietsers")(shown);
        })
        .then(answerBox(&question, "Nee"))
        .then(answerBox(nullptr, "Ja"));
    clickButton(&dialog, "Wijzigen titel");
    dialog.list()->setCurrentRow(0);
    clickButton(&dialog, "Verwijderen");
    clickButton(&dialog, "Verwijderen");
    EXPECT_TRUE(more.done());
    EXPECT_EQ(question, "Weet u zeker dat dit scherm verwijderd dient te worden?");
    ASSERT_EQ(project.screens().size(), 1u);
    EXPECT_EQ(project.screens()[0].title, "Fietsers");
    EXPECT_EQ(dialog.list()->currentItem()->text(), "Fietsers");

    QString information;
    ModalScript ok;
    ok.then(answerBox(&information, "OK"));
    clickButton(&dialog, "OK");
    EXPECT_EQ(information,
              "Ingevoerde data wordt opgeslagen.\n\nU dient te kiezen voor genereren "
              "debugschermen\nom eventuele wijzigingen door te voeren.\n");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(readScreenDatabase(directory.path()).screens, project.screens());
}

TEST_F(ScreenListGui, AFailedWriteKeepsTheDialogOpenAndTheScreensInMemory) {
    // pendrel.db cannot be replaced while a directory stands in its place.
    std::filesystem::create_directory(directory.path() / "pendrel.db");
    project.screens().push_back(ScreenRecord{"Bewaard", {}, {}});
    ScreenListDialog dialog(nullptr, project);
    dialog.show();
    QString warning;
    ModalScript script;
    script.then(answerBox(&warning, "OK"));
    clickButton(&dialog, "OK");
    EXPECT_TRUE(script.done());
    EXPECT_EQ(script.titles, QStringList{"PENDREL"}) << "no box that says it is stored";
    EXPECT_EQ(warning, "pendrel.db kan niet gemaakt worden.");
    EXPECT_TRUE(dialog.isVisible());
    clickButton(&dialog, "Annuleren");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(project.screens().size(), 1u) << "Annuleren keeps what is in memory";
    EXPECT_EQ(project.screens()[0].title, "Bewaard");
}

}  // namespace
}  // namespace pendrel::gui
