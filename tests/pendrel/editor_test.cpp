#include <gtest/gtest.h>

#include <algorithm>

#include "pendrel/editor/canvas_geometry.h"
#include "pendrel/editor/item_chooser.h"
#include "pendrel/editor/screen_editor.h"
#include "pendrel/editor/screen_list.h"
#include "pendrel/project/screen_database.h"
#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"

namespace pendrel {
namespace {

ProjectData smallProject() {
    ProjectData data;
    data.noBlocks = false;
    data.signalGroups = {"SG02", "SG05", "SG22"};
    data.conflicts = {{"SG02", "SG05"}, {"SG05", "SG02"}, {"SG02", "SG22"}};
    data.blocks = {{"B1", {{"SG02", BlockMark::Prim}, {"SG22", BlockMark::Alt}}},
                   {"B2", {{"SG22", BlockMark::Prim}}}};
    data.counters = {"TL_CYCLUS"};
    return data;
}

std::size_t indexOf(const std::vector<std::string>& list, const std::string& name) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const std::string& e) { return entryName(e) == name; });
    EXPECT_NE(it, list.end()) << name;
    return static_cast<std::size_t>(it - list.begin());
}

class ItemChooserTest : public ::testing::Test {
  protected:
    void choose(const std::string& group, const std::string& macro) {
        chooser.chooseGroup(indexOf(chooser.groups(), group));
        chooser.chooseMacro(indexOf(chooser.macros(), macro));
    }

    ProjectData data = smallProject();
    ScreenRecord screen{"Scherm", {}, {{"Scherm", 3, 1, 6}}};
    ItemChooser chooser{screen, data};
    test_support::RecordingPendrelPrompts prompts;
};

TEST_F(ItemChooserTest, AddsItemsBelowEachOtherWithTheirLabels) {
    EXPECT_EQ(chooser.cursor().column, 28);
    EXPECT_EQ(chooser.cursor().row, 2);  // below the title
    choose("ontruimingstijden", "inst_O_TIJD");
    EXPECT_EQ(chooser.thirdHeading(), "Signaalgroepen");
    EXPECT_EQ(chooser.fourthHeading(), "Conflicterende SG");
    chooser.chooseThird(indexOf(chooser.thirdColumn(), "SG02"));
    EXPECT_EQ(chooser.fourthColumn(), (std::vector<std::string>{" SG05", " SG22"}));
    chooser.chooseFourth(1);
    ASSERT_TRUE(chooser.add(prompts));
    const ItemRecord& item = screen.items.back();
    EXPECT_EQ(item, (ItemRecord{1, 28, 2, 3, 2, 25, "~~~", "inst_O_TIJD", "SG02", "SG22",
                                "inst_O_TIJD_SG02_SG22"}));
    // The columns mark what is on the screen now.
    EXPECT_EQ(chooser.thirdColumn()[0], ">SG02");
    EXPECT_EQ(chooser.fourthColumn(), (std::vector<std::string>{" SG05", ">SG22"}));

    // The same item again is refused and its rank number stays free.
    EXPECT_FALSE(chooser.add(prompts));
    EXPECT_EQ(prompts.warnings.back(), "Fout: geselecteerd item al aanwezig in scherm.");
    EXPECT_EQ(chooser.lowestFreeRank(), 2);

    choose("standaard hulpfuncties", "WSRH");
    ASSERT_TRUE(chooser.add(prompts));
    EXPECT_EQ(screen.items.back().element1, "0");
    EXPECT_EQ(screen.items.back().label, "WSRH");
    EXPECT_EQ(screen.items.back().markerRow, 3);

    ASSERT_TRUE(chooser.addText("Uitleg", prompts));
    EXPECT_EQ(screen.texts.back(), (TextRecord{"Uitleg", 3, 4, 6}));
    EXPECT_FALSE(chooser.addText("", prompts));
    EXPECT_FALSE(chooser.addText("met\ttab", prompts));
    EXPECT_EQ(prompts.warnings.back(),
              "Een tekst in pendrel.db kan geen tab of regelovergang bevatten.");
    ASSERT_TRUE(chooser.addText("'t Zand", prompts));
    EXPECT_EQ(screen.texts.size(), 3u);
}

TEST_F(ItemChooserTest, RefusesMissingColumnsAndFullRankNumbers) {
    choose("ontruimingstijden", "O_TIJD");
    chooser.chooseThird(0);
    EXPECT_FALSE(chooser.add(prompts));
    EXPECT_EQ(prompts.warnings.back(),
              "Fout: niet voldoende gegevens beschikbaar.\n\nIn alle vier de kolommen dient een "
              "selectie\nte zijn gemaakt.");
    choose("tellers", "TL");
    EXPECT_FALSE(chooser.add(prompts));
    EXPECT_EQ(prompts.warnings.back(),
              "Fout: niet voldoende gegevens beschikbaar.\n\nIn de eerste drie kolommen dient "
              "een selectie\nte zijn gemaakt.");
    chooser.chooseGroup(std::nullopt);
    EXPECT_FALSE(chooser.add(prompts));
    EXPECT_EQ(prompts.warnings.size(), 2u);  // without a macro nothing happens

    // Kind 2 lists only the groups and blocks of the macro's record type.
    choose("signaalgroeptoestanden", "AR");
    EXPECT_EQ(chooser.thirdColumn(), std::vector<std::string>{" SG22"});
    chooser.chooseThird(0);
    EXPECT_EQ(chooser.fourthColumn(), std::vector<std::string>{" B1"});

    ScreenRecord full{"Vol", {}, {}};
    for (int rank = 1; rank <= 99; ++rank) {
        full.items.push_back(
            {rank, 28, 2, 3, 2, 25, "~", "A", "X", "", "A_" + std::to_string(rank)});
    }
    full.items.erase(full.items.begin() + 41);  // rank 42 free
    ItemChooser second(full, data);
    EXPECT_EQ(second.lowestFreeRank(), 42);
    second.chooseGroup(indexOf(second.groups(), "tellers"));
    second.chooseMacro(0);
    second.chooseThird(0);
    ASSERT_TRUE(second.add(prompts));
    EXPECT_EQ(full.items.back().rank, 42);
    second.chooseGroup(indexOf(second.groups(), "overig"));
    second.chooseMacro(0);
    EXPECT_FALSE(second.add(prompts));
    EXPECT_EQ(prompts.warnings.back(), "Fout: geen vrij rangnummer te bepalen.");
}

TEST(PlacementCursor, WrapsToTheNextColumnOfTheCanvas) {
    ProjectData data = smallProject();
    ScreenRecord screen{"S", {}, {}};
    screen.items.push_back({1, 28, 22, 3, 22, 25, "~", "A", "SG02", "", "A_SG02"});
    ItemChooser chooser(screen, data);
    EXPECT_EQ(chooser.cursor().column, 68);
    EXPECT_EQ(chooser.cursor().row, 2);
    screen.items.push_back({2, 68, 22, 43, 22, 25, "~", "A", "SG05", "", "A_SG05"});
    ItemChooser wrapped(screen, data);
    EXPECT_EQ(wrapped.cursor().column, 28);  // beyond column 80
}

// Added one after another, items and texts fill rows 21 and 22 before the
// cursor moves 40 columns right to row 2, and from there back to column 28.
TEST(PlacementCursor, FillsTheLastRowsBeforeItWraps) {
    ProjectData data = smallProject();
    ScreenRecord screen{"S", {}, {}};
    screen.items.push_back({1, 28, 20, 3, 20, 25, "~", "A", "SG02", "", "A_SG02"});
    ItemChooser chooser(screen, data);
    EXPECT_EQ(chooser.cursor().row, 21);
    chooser.chooseGroup(indexOf(chooser.groups(), "tellers"));
    chooser.chooseMacro(0);
    chooser.chooseThird(0);
    test_support::RecordingPendrelPrompts prompts;
    ASSERT_TRUE(chooser.add(prompts));
    EXPECT_EQ(screen.items.back().markerRow, 21);
    EXPECT_EQ(chooser.cursor().column, 28);
    EXPECT_EQ(chooser.cursor().row, 22);
    ASSERT_TRUE(chooser.addText("rij 22", prompts));
    EXPECT_EQ(screen.texts.back(), (TextRecord{"rij 22", 3, 22, 6}));
    EXPECT_EQ(chooser.cursor().column, 68);
    EXPECT_EQ(chooser.cursor().row, 2);
    ASSERT_TRUE(chooser.addText("rechts", prompts));
    EXPECT_EQ(screen.texts.back(), (TextRecord{"rechts", 43, 2, 6}));
    EXPECT_EQ(chooser.cursor().row, 3);
    for (int row = 3; row <= 22; ++row) {
        ASSERT_TRUE(chooser.addText("r", prompts));
    }
    EXPECT_EQ(screen.texts.back().row, 22);
    EXPECT_EQ(chooser.cursor().column, 28);  // 108 is beyond the canvas
    EXPECT_EQ(chooser.cursor().row, 2);
}

TEST(ScreenEditor, CorruptPositionsStayWithinTheCanvas) {
    // A damaged pendrel.db can hold any int: no overflow, no control wider
    // than the canvas, and a placement cursor that wraps as usual.
    constexpr int kMax = 2147483647;
    ProjectData data = smallProject();
    ScreenRecord screen{"S", {}, {{"S", 3, 1, 1}, {"tekst", kMax, kMax, 2000000000}}};
    screen.items.push_back({1, kMax, kMax, -kMax, kMax, 25, "~", "A", "SG02", "", "A_SG02"});
    screen.items.push_back({2, 2000000000, 4, 1, 4, 25, "~", "A", "SG05", "", "A_SG05"});
    ItemChooser chooser(screen, data);
    EXPECT_EQ(chooser.cursor().column, 28);
    ScreenEditor editor(screen);
    for (const ScreenEditor::Control& control : editor.controls()) {
        EXPECT_LE(control.width(), 83) << control.text;  // canvas, "~" and rank
    }
    editor.move(0, 1, 1);
    test_support::RecordingPendrelPrompts prompts;
    editor.ok(prompts);
    EXPECT_EQ(screen.items[0].labelColumn, 1);
}

TEST(ScreenEditor, TitleTextMovesDeletionAndOverlap) {
    ScreenRecord screen{"Nieuw", {}, {}};
    screen.items.push_back({1, 28, 2, 3, 2, 25, "~~", "D", "SG02_1", "", "D_SG02_1"});
    screen.items.push_back({2, 28, 3, 3, 3, 25, "~", "A", "SG02", "", "A_SG02"});
    test_support::RecordingPendrelPrompts prompts;
    {
        ScreenEditor editor(screen);
        ASSERT_EQ(screen.texts.size(), 1u);
        EXPECT_EQ(screen.texts[0], (TextRecord{"Nieuw", 3, 1, 5}));
        ASSERT_EQ(editor.controls().size(), 3u);
        EXPECT_EQ(editor.controls()[0].text, "D_SG02_1" + std::string(17, ' ') + "~~01");

        // Dragging to the right edge stops where the text ends at column 80.
        editor.move(0, 79, 5);
        EXPECT_EQ(editor.controls()[0].column, 80 - 29 + 1);
        // Without a click the first control is deleted; the title never.
        editor.deleteSelected(prompts);
        editor.select(2);
        editor.deleteSelected(prompts);
        EXPECT_EQ(prompts.warnings,
                  std::vector<std::string>{"De titel van het scherm mag niet worden verwijderd."});
        // "Annuleren": nothing of this reached the records.
    }
    EXPECT_EQ(screen.items.size(), 2u);
    EXPECT_EQ(screen.items[0].labelColumn, 3);

    screen.title = "Hernoemd";
    ScreenEditor editor(screen);
    EXPECT_EQ(screen.texts[0].text, "Hernoemd");
    editor.move(1, 10, 2);  // onto the row of the first item
    EXPECT_FALSE(editor.ok(prompts));
    EXPECT_EQ(prompts.warnings.back(),
              "Overlap van de volgende items geconstateerd:\nD_SG02_1\nen\nA_SG02");
    // The move was taken over all the same, the marker with it.
    EXPECT_EQ(screen.items[1].labelColumn, 10);
    EXPECT_EQ(screen.items[1].markerColumn, 35);
    EXPECT_EQ(screen.items[1].markerRow, 2);

    ScreenEditor again(screen);
    again.select(1);
    again.deleteSelected(prompts);
    EXPECT_TRUE(again.ok(prompts));
    EXPECT_EQ(screen.items.size(), 1u);

    // Extents that share one column overlap; adjacent ones do not.
    ScreenRecord touching{"T", {}, {{"T", 3, 1, 1}, {"abc", 10, 5, 3}, {"def", 13, 5, 3}}};
    EXPECT_TRUE(ScreenEditor::findOverlap(touching).empty());
    touching.texts[2].column = 12;
    EXPECT_EQ(ScreenEditor::findOverlap(touching),
              "Overlap van de volgende items geconstateerd:\nabc\nen\ndef");
}

TEST(ScreenList, AddRenameRemoveAndSave) {
    test_support::TempDir dir;
    Project project(dir.path());
    test_support::RecordingPendrelPrompts prompts;
    ScreenListModel list(project);
    EXPECT_FALSE(list.canChange());
    EXPECT_FALSE(list.add("", prompts));
    ASSERT_TRUE(list.add("Een", prompts));
    ASSERT_TRUE(list.add("'s Morgens", prompts));
    EXPECT_EQ(list.selection(), 1u);
    list.select(0);
    ASSERT_TRUE(list.rename("Eerste", prompts));
    EXPECT_EQ(project.screens()[0].title, "Eerste");
    EXPECT_EQ(list.selectedScreen(), &project.screens()[0]);
    EXPECT_TRUE(prompts.warnings.empty());

    // What pendrel.db cannot hold is refused with the reason, and nothing changes.
    EXPECT_FALSE(list.add("regel\nbreuk", prompts));
    std::string accents;  // 40 letters, 80 bytes
    for (int i = 0; i < 40; ++i) {
        accents += "\xC3\xAB";
    }
    EXPECT_FALSE(list.rename(accents, prompts));
    ASSERT_EQ(prompts.warnings.size(), 2u);
    EXPECT_EQ(prompts.warnings[0],
              "Een tekst in pendrel.db kan geen tab of regelovergang bevatten.");
    EXPECT_NE(prompts.warnings[1].find("ten hoogste 79 tekens"), std::string::npos);
    EXPECT_EQ(list.titles(), (std::vector<std::string>{"Eerste", "'s Morgens"}));

    prompts.yesNoAnswer = true;
    ASSERT_TRUE(list.remove(prompts));
    EXPECT_EQ(list.titles(), std::vector<std::string>{"'s Morgens"});
    EXPECT_EQ(list.selection(), 0u);
    EXPECT_EQ(project.screens().size(), 1u);

    // The box that says the data is stored comes after it was.
    ASSERT_TRUE(list.ok(prompts));
    EXPECT_EQ(prompts.informations.size(), 1u);
    EXPECT_EQ(readScreenDatabase(dir.path()).screens, project.screens());
    // Every screen deleted: OK stores that, so they do not come back.
    ASSERT_TRUE(list.remove(prompts));
    ASSERT_TRUE(list.ok(prompts));
    EXPECT_EQ(test_support::readFile(dir / "pendrel.db"), "");
    EXPECT_EQ(prompts.informations.size(), 2u);
}

// Two screens with one title: every command acts on the entry chosen.
TEST(ScreenList, CommandsActOnTheSelectedEntryWhateverItsTitle) {
    test_support::TempDir dir;
    Project project(dir.path());
    project.adopt(ProjectData{}, {ScreenRecord{"Fase", {}, {{"eerste", 3, 1, 6}}},
                                  ScreenRecord{"Fase", {}, {{"tweede", 3, 1, 6}}},
                                  ScreenRecord{"Fase", {}, {{"derde", 3, 1, 6}}}});
    test_support::RecordingPendrelPrompts prompts;
    prompts.yesNoAnswer = true;
    ScreenListModel list(project);
    list.select(1);
    EXPECT_EQ(list.selectedScreen(), &project.screens()[1]);
    ASSERT_TRUE(list.rename("Fase 2", prompts));
    EXPECT_EQ(project.screens()[0].title, "Fase");
    EXPECT_EQ(project.screens()[1].title, "Fase 2");
    list.select(2);
    ASSERT_TRUE(list.remove(prompts));
    ASSERT_EQ(project.screens().size(), 2u);
    EXPECT_EQ(project.screens()[0].texts[0].text, "eerste");
    EXPECT_EQ(project.screens()[1].texts[0].text, "tweede");
    EXPECT_EQ(list.selection(), 1u) << "the last entry stands at its place now";
    list.select(7);
    EXPECT_EQ(list.selectedScreen(), nullptr);
}

}  // namespace
}  // namespace pendrel

namespace pendrel {
namespace {

TEST(CanvasGeometryTest, CellsPixelsAndDragsInWholeCells) {
    const CanvasGeometry::Point size = CanvasGeometry::canvasSize(7, 15);
    EXPECT_EQ(size, (CanvasGeometry::Point{564, 340}));
    const CanvasGeometry geometry = CanvasGeometry::ofCanvas(size.x, size.y);
    EXPECT_EQ(geometry.cellWidth(), 7) << "width / 80 gives the cell back";
    EXPECT_EQ(geometry.cellHeight(), 15);
    EXPECT_EQ(geometry.topLeft({1, 1}), (CanvasGeometry::Point{2, 8}));
    EXPECT_EQ(geometry.topLeft({80, 22}), (CanvasGeometry::Point{2 + 79 * 7, 8 + 21 * 15}));
    // A cell's first and last pixels, and the margin before the first cell.
    EXPECT_EQ(geometry.cellAt({2, 8}), (CanvasGeometry::Cell{1, 1}));
    EXPECT_EQ(geometry.cellAt({8, 22}), (CanvasGeometry::Cell{1, 1}));
    EXPECT_EQ(geometry.cellAt({9, 23}), (CanvasGeometry::Cell{2, 2}));
    EXPECT_EQ(geometry.cellAt({1, 7}), (CanvasGeometry::Cell{0, 0}));
    EXPECT_EQ(geometry.cellAt({-6, -8}), (CanvasGeometry::Cell{-1, -1}));
    // Dragging counts whole cells of the way moved, both ways alike.
    const CanvasGeometry::Cell start{10, 5};
    EXPECT_EQ(geometry.dragged(start, 6, 14), start);
    EXPECT_EQ(geometry.dragged(start, -6, -14), start);
    EXPECT_EQ(geometry.dragged(start, 7, 15), (CanvasGeometry::Cell{11, 6}));
    EXPECT_EQ(geometry.dragged(start, -7, -30), (CanvasGeometry::Cell{9, 3}));
    EXPECT_EQ(CanvasGeometry::ofCanvas(10, 10).cellWidth(), 1) << "never a zero cell";
}

TEST(ScreenEditorTest, AClickHitsTheTopmostControlThatIsNotDeleted) {
    ScreenRecord screen{"Titel",
                        {ItemRecord{1, 28, 2, 3, 2, 25, "~", "A", "SG02", "", "A_SG02"}},
                        {{"Titel", 3, 1, 5}, {"Over", 10, 2, 4}}};
    ScreenEditor editor(screen);
    // Item 0 covers columns 3..30 of row 2; text 2 lies on top at 10..13.
    EXPECT_EQ(editor.controlAt(3, 2), 0u);
    EXPECT_EQ(editor.controlAt(30, 2), 0u);
    EXPECT_EQ(editor.controlAt(31, 2), std::nullopt);
    EXPECT_EQ(editor.controlAt(2, 2), std::nullopt);
    EXPECT_EQ(editor.controlAt(10, 2), 2u);
    EXPECT_EQ(editor.controlAt(13, 2), 2u);
    EXPECT_EQ(editor.controlAt(7, 1), 1u);
    EXPECT_EQ(editor.controlAt(8, 1), std::nullopt);
    test_support::RecordingPendrelPrompts prompts;
    editor.select(2);
    EXPECT_TRUE(editor.hasSelection());
    editor.deleteSelected(prompts);
    EXPECT_FALSE(editor.hasSelection());
    EXPECT_EQ(editor.controlAt(10, 2), 0u) << "a deleted control is gone";
}

}  // namespace
}  // namespace pendrel
