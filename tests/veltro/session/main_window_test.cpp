// The main window's rules that need no widgets: key table, geometry, the
// window list dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/message_lines.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"
#include "veltro/screens/screen_layout.h"
#include "veltro/session/geometry.h"
#include "veltro/session/main_keys.h"
#include "veltro/session/window_dialogs.h"

namespace veltro {
namespace {

TEST(MainKeys, KeyTable) {
    struct Case {
        MainKey key;
        bool ctrl;
        MainCommand command;
    };
    const std::vector<Case> cases = {
        {MainKey::PageUp, false, MainCommand::PreviousWindow},
        {MainKey::PageUp, true, MainCommand::PreviousWindow},
        {MainKey::PageDown, true, MainCommand::NextWindow},
        {MainKey::F3, false, MainCommand::StopDisplay},
        {MainKey::F3, true, MainCommand::PassOn},
        {MainKey::F5, false, MainCommand::ContinuousDisplay},
        {MainKey::Tab, false, MainCommand::PassOn},
        {MainKey::Tab, true, MainCommand::ToggleFocus},
        {MainKey::F, true, MainCommand::Font},
        {MainKey::L, true, MainCommand::Font},
        {MainKey::L, false, MainCommand::PassOn},
        {MainKey::K, true, MainCommand::ChooseWindow},
        {MainKey::O, true, MainCommand::OpenWindows},
        {MainKey::S, true, MainCommand::CloseWindows},
        {MainKey::Other, true, MainCommand::PassOn},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mainKeyCommand(c.key, c.ctrl), c.command)
            << static_cast<int>(c.key) << " ctrl " << c.ctrl;
    }
}

TEST(MainGeometry, CentringLayoutFontsAndControls) {
    const Rect owner{100, 100, 400, 300};
    EXPECT_EQ(centreOver({0, 0, 200, 100}, owner, 1024, 768), (Rect{200, 200, 200, 100}));
    EXPECT_EQ(centreOver({0, 0, 200, 100}, {-300, -200, 200, 100}, 1024, 768),
              (Rect{0, 0, 200, 100}));
    EXPECT_EQ(centreOver({0, 0, 200, 100}, {900, 700, 200, 100}, 1024, 768),
              (Rect{824, 668, 200, 100}));

    ClientLayout layout = layoutClient(500, 300, 100);
    EXPECT_EQ(layout.debugArea, (Rect{0, 0, 500, 200}));
    EXPECT_EQ(layout.messageArea, (Rect{0, 200, 500, 100}));
    layout = layoutClient(500, 300, 400);  // a message window higher than the client
    EXPECT_EQ(layout.debugArea.height, 0);
    EXPECT_EQ(layout.messageArea, (Rect{0, 0, 500, 300}));
    EXPECT_EQ(initialMessageWindow(600, 300), (Rect{0, 200, 600, 100}));

    EXPECT_EQ(fontHeightFromPoints(10, 96), -13);
    EXPECT_EQ(fontPointsFromHeight(-13, 96), 10);
    EXPECT_EQ(fontHeightFromPoints(8, 120), -13);

    const CellSize cell = cellSize(71, 16);
    EXPECT_EQ(cell.width, 8);
    EXPECT_EQ(placeControl(10, 12, 4, cell, 800, 520, 40, 26), (ControlPlace{200, 240, 32, 16}));
}

// The smallest debug window in which nothing overlaps: a cell per column,
// rows as high as their tallest element, and each element ending before the
// next on its row (or the edge), where placeControl puts them.
TEST(MainGeometry, TheSmallestClientAreaOfAPicture) {
    const CellSize cell{8, 13};
    struct Case {
        std::vector<PictureElement> elements;
        ClientSize size;
    };
    const std::vector<Case> cases = {
        {{}, {84 * 8, 25 * 13}},  // a full picture without elements: its cells
        {{{18, 3, 6 * 8, 13}}, {84 * 8, 25 * 13}},
        // A check box taller than a cell: every row as high as it.
        {{{2, 0, 16, 17}}, {84 * 8, 25 * 17}},
        // A field wider than its cells, 6 columns before the next text:
        // 60 px over 6 of 84 columns.
        {{{10, 1, 60, 13}, {16, 1, 8, 13}}, {840, 25 * 13}},
        // The same field last on its row, 74 columns before the edge; a
        // field on another row does not count.
        {{{10, 1, 700, 13}, {16, 2, 8, 13}}, {795, 25 * 13}},
    };
    for (const Case& c : cases) {
        const ClientSize size = minimumClientSize(c.elements, cell, 84, 25);
        EXPECT_EQ(size, c.size) << c.elements.size();
        // Placed in that area, each element ends before its right neighbour.
        for (std::size_t i = 0; i + 1 < c.elements.size(); ++i) {
            const PictureElement& e = c.elements[i];
            const PictureElement& next = c.elements[i + 1];
            if (next.row != e.row)
                continue;
            const ControlPlace a =
                placeControl(e.column, e.row, 1, cell, size.width, size.height, 84, 25);
            const ControlPlace b =
                placeControl(next.column, next.row, 1, cell, size.width, size.height, 84, 25);
            EXPECT_LE(a.x + e.width, b.x);
            EXPECT_GT(a.x + e.width, b.x - 2);  // and no larger than needed
        }
    }
}

TEST(MainGeometry, AMainWindowWithoutASizeOfItsOwn) {
    // The debug area above a message window of a third of the client.
    for (int debug : {1, 2, 10, 11, 100, 333, 500}) {
        const int client = clientHeightForDebugArea(debug);
        EXPECT_GE(client - initialMessageWindow(0, client).height, debug) << debug;
        EXPECT_LT(client - 1 - initialMessageWindow(0, client - 1).height, debug) << debug;
    }
    EXPECT_EQ(clientHeightForDebugArea(0), 0);
    // Kept on the screen's available area.
    const Rect screen{0, 30, 1024, 738};
    EXPECT_EQ(fitOnScreen({0, 0, 800, 600}, screen), (Rect{0, 30, 800, 600}));
    EXPECT_EQ(fitOnScreen({0, 0, 1300, 900}, screen), (Rect{0, 30, 1024, 738}));
    EXPECT_EQ(fitOnScreen({500, 400, 800, 600}, screen), (Rect{224, 168, 800, 600}));
}

TEST(WindowDialogs, CloseKeepsThePositionAndChooseShows) {
    const test_support::TempDir dir;
    dir.write("pendrel.txt", "b.plo  debugfile: B.\n");
    const std::string d = dir.path().string() + "/";
    test_support::RequestRecorder requests;
    test_support::ScriptedPrompts prompts;
    test_support::LinkRecorder link;
    WindowSwitchPorts ports{link};
    test_support::RecordingLog rec;
    DebugWindowList windows;
    for (const char* name : {"a.plo", "b.plo", "c.plo"}) {
        windows.addWindow(DebugScreen(d + name));
    }
    windows.show(0, ports);

    CloseWindowsDialog close(windows, d);
    EXPECT_EQ(close.lines(),
              (std::vector<std::string>{d + "a.plo", "b.plo  debugfile: B.", d + "c.plo"}));
    EXPECT_EQ(close.selected(), 0);
    close.select(2);
    close.closeSelected(ports, rec.log);
    EXPECT_EQ(close.selected(), -1);  // the last line went
    close.select(0);
    close.closeSelected(ports, rec.log);
    EXPECT_EQ(close.lines(), std::vector<std::string>{"b.plo  debugfile: B."});
    EXPECT_EQ(close.selected(), 0);
    EXPECT_EQ(windows.shown(), 0);

    windows.addWindow(DebugScreen(d + "a.plo"));
    DebugScreen& shown = *windows.shownWindow();
    shown.addItem().hasControl = true;
    test_support::SwitchedWriteGate writes;
    ScreenPorts screenPorts{requests, prompts, rec.log, writes};
    shown.select(0, screenPorts);
    ChooseWindowDialog choose(windows, d);
    EXPECT_EQ(choose.selected(), -1);
    choose.choose(screenPorts, ports);  // nothing selected: nothing happens
    EXPECT_EQ(shown.selected(), 0);
    choose.select(0);
    choose.choose(screenPorts, ports);
    EXPECT_EQ(shown.selected(), -1);
    EXPECT_EQ(windows.shownWindow()->title(), d + "a.plo");
}

}  // namespace
}  // namespace veltro
