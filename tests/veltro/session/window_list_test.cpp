#include "veltro/session/window_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/message_lines.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"
#include "veltro/session/open_command.h"

namespace veltro {
namespace {

struct Fixture {
    test_support::LinkRecorder link;
    WindowSwitchPorts ports{link};
    DebugWindowList list;

    void add(const std::string& title) { list.addWindow(DebugScreen(title)); }
    std::string shownTitle() { return list.shownWindow() ? list.shownWindow()->title() : ""; }
};

TEST(WindowList, SortedInsertAndTitles) {
    Fixture f;
    EXPECT_EQ(f.list.mainTitle(), "Debugger 001");
    f.add("C:\\W\\B.DBG");
    f.add("C:\\W\\A.DBG");
    EXPECT_EQ(f.list.lastAdded(), 0);
    f.list.show(f.list.lastAdded(), f.ports);
    EXPECT_EQ(f.list.titles(), (std::vector<std::string>{"C:\\W\\A.DBG", "C:\\W\\B.DBG"}));
    EXPECT_EQ(f.shownTitle(), "C:\\W\\A.DBG");
    EXPECT_EQ(f.list.mainTitle(), "Debugger 001 - A.DBG");
    // Adding before the shown window keeps that window on view.
    f.add("/w/0.dbg");
    EXPECT_EQ(f.shownTitle(), "C:\\W\\A.DBG");
    EXPECT_EQ(f.list.shown(), 1);
    // Titles compare byte by byte: upper case sorts before lower case.
    f.add("C:\\W\\a.dbg");
    EXPECT_EQ(f.list.titles().back(), "C:\\W\\a.dbg");
    DebugWindowList other(12);
    EXPECT_EQ(other.mainTitle(), "Debugger 012");
}

TEST(WindowList, PreviousNextAndSwitching) {
    Fixture f;
    for (const char* t : {"/a", "/b", "/c"}) {
        f.add(t);
    }
    DebugScreen& third = f.list.window(2);
    third.addItem().hasControl = true;
    third.mutableItem(0).functionCode = 480;
    third.buildIndex();
    f.list.show(2, f.ports);
    f.link.events.clear();
    f.list.next(f.ports);
    EXPECT_EQ(f.shownTitle(), "/a");
    // The hidden window leaves the protocol (the link's poll cycle stops its
    // requested items) while the reader pauses.
    EXPECT_EQ(f.link.events, (std::vector<std::string>{"pause", "hidden", "resume", "shown"}));
    f.list.previous(f.ports);
    EXPECT_EQ(f.shownTitle(), "/c");
    f.list.previous(f.ports);
    EXPECT_EQ(f.shownTitle(), "/b");

    // Around a dialog the shown window leaves the protocol and comes back.
    f.list.show(2, f.ports);
    f.link.events.clear();
    f.list.suspendShown(f.ports);
    f.list.resumeShown(f.ports);
    EXPECT_EQ(f.link.events, (std::vector<std::string>{"pause", "hidden", "resume", "shown"}));
    EXPECT_EQ(f.shownTitle(), "/c");

    Fixture single;
    single.add("/a");
    single.list.show(0, single.ports);
    single.list.next(single.ports);
    EXPECT_EQ(single.list.shown(), 0);
    EXPECT_FALSE(single.list.window(0).selectionVisible());  // hidden even so
}

TEST(WindowList, RemovalKeepsAValidShownIndex) {
    Fixture f;
    test_support::RecordingLog rec;
    f.add("/a");
    f.add("/b");
    f.list.show(0, f.ports);
    f.list.remove(0, f.ports, rec.log);
    EXPECT_EQ(rec.lines.lines, std::vector<std::string>{"/a wordt verwijderd"});
    EXPECT_EQ(f.list.shown(), 0);
    EXPECT_EQ(f.shownTitle(), "/b");
    f.list.remove(0, f.ports, rec.log);
    EXPECT_EQ(f.list.shown(), -1);
    EXPECT_EQ(f.list.mainTitle(), "Debugger 001");

    Fixture g;
    for (const char* t : {"/a", "/b", "/c"}) {
        g.add(t);
    }
    g.list.show(2, g.ports);
    g.list.remove(2, g.ports, rec.log);
    EXPECT_EQ(g.shownTitle(), "/b");
    g.list.remove(0, g.ports, rec.log);  // below the shown one
    EXPECT_EQ(g.list.shown(), 0);
    EXPECT_EQ(g.shownTitle(), "/b");
}

TEST(WindowList, MenuStateAndFocus) {
    Fixture f;
    MenuState menu = f.list.menuState();
    EXPECT_FALSE(menu.close || menu.choose || menu.next || menu.stopDisplay);
    f.add("/a");
    menu = f.list.menuState();
    EXPECT_TRUE(menu.close && menu.choose && menu.stopDisplay && menu.continuousDisplay);
    EXPECT_FALSE(menu.previous || menu.next);
    f.add("/b");
    EXPECT_TRUE(f.list.menuState().next);
    for (int i = 0; i < 198; ++i) {
        f.add("/c" + std::to_string(i));
    }
    EXPECT_FALSE(f.list.menuState().open);
    f.add("/z");  // full: refused
    EXPECT_EQ(f.list.windowCount(), 200);

    EXPECT_FALSE(f.list.keysToShownWindow());  // none shown
    f.list.show(0, f.ports);
    EXPECT_TRUE(f.list.keysToShownWindow());
    EXPECT_FALSE(f.list.toggleFocus());  // to the message window
    EXPECT_FALSE(f.list.keysToShownWindow());
    EXPECT_TRUE(f.list.toggleFocus());  // and back to the debug window
    EXPECT_TRUE(f.list.keysToShownWindow());
    f.list.setFocusOnMessages();  // a click into the messages
    f.list.next(f.ports);         // showing a window brings the keyboard back
    EXPECT_TRUE(f.list.keysToShownWindow());
}

// The tools need a loaded debug window file; once one was loaded they stay
// available, also when every window is closed again.
TEST(WindowList, ToolItemsOnceAWindowWasLoaded) {
    Fixture f;
    test_support::RecordingLog rec;
    EXPECT_TRUE(f.list.menuState().startDump);
    EXPECT_FALSE(f.list.menuState().startTools);
    f.add("/a");
    EXPECT_TRUE(f.list.menuState().startTools);
    f.list.remove(0, f.ports, rec.log);
    EXPECT_TRUE(f.list.menuState().startTools);
}

// A window keeps its identity while others come and go around it; a window
// removed and one added later with the same title are never the same.
TEST(WindowList, IdentitiesAreNeverGivenTwice) {
    Fixture f;
    test_support::RecordingLog rec;
    f.add("/b");
    const DebugWindowList::WindowId b = f.list.windowId(0);
    f.add("/a");
    EXPECT_EQ(f.list.windowId(1), b);
    f.list.show(1, f.ports);
    EXPECT_EQ(f.list.shownId(), b);
    f.list.remove(1, f.ports, rec.log);
    f.add("/b");
    EXPECT_EQ(f.list.titles(), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_NE(f.list.windowId(1), b);
    EXPECT_NE(f.list.windowId(0), f.list.windowId(1));
    f.list.show(-1, f.ports);
    EXPECT_EQ(f.list.shownId(), 0u);
}

TEST(OpenCommand, DialogResultToWindows) {
    EXPECT_EQ(splitOpenResult("/w/dir debug_002.plo,debug_001.plo\tx\n"),
              (std::vector<std::string>{"/w/dir", "debug_002.plo", "debug_001.plo", "x"}));
    EXPECT_EQ(openDialogTitle(1), "Selecteer debug bestand van Tiral 001");

    // A dialog that answers with full paths: the same words.
    using Words = std::vector<std::string>;
    const std::vector<std::pair<Words, Words>> answers = {
        {{}, {}},
        {{"/w/dir/debug_001.plo"}, {"/w/dir/debug_001.plo"}},
        {{"/w/dir/b_001.plo", "/w/dir/met spatie_002.plo"},
         {"/w/dir", "b_001.plo", "met spatie_002.plo"}},
        {{"/a_001.plo", "/b_001.plo"}, {"/", "a_001.plo", "b_001.plo"}},
        {{"C:/a_001.plo", "C:/b_001.plo"}, {"C:/", "a_001.plo", "b_001.plo"}},
        {{"C:\\w\\a_001.plo", "C:\\w\\b_001.plo"}, {"C:\\w", "a_001.plo", "b_001.plo"}},
    };
    for (const auto& [paths, words] : answers) {
        EXPECT_EQ(openCommandWords(paths), words) << (paths.empty() ? "" : paths.front());
    }

    const test_support::TempDir dir;
    for (const char* name : {"debug_001.plo", "debug_002.plo"}) {
        dir.write(name, std::string(24, '\n'));
    }
    Fixture f;
    test_support::RecordingLog rec;
    const DefinitionTable definitions;
    const std::string d = dir.path().string();
    const std::string longName(1024, 'n');
    EXPECT_EQ(openDebugFiles({d, "debug_002.plo", longName, "debug_001.plo"}, definitions, rec.log,
                             f.list, f.ports),
              2);
    EXPECT_EQ(rec.lines.lines,
              (std::vector<std::string>{d + "/debug_002.plo",
                                        // the name itself does not fit within the line
                                        "fout : : Pad naar debug bestand is te lang: " + d,
                                        d + "/debug_001.plo"}));
    EXPECT_EQ(f.shownTitle(), d + "/debug_001.plo");  // the last one added

    // One word is the path of one file; the list stops at 200 windows.
    for (int i = 0; i < 197; ++i) {
        f.add("/x" + std::to_string(i));
    }
    rec.lines.lines.clear();
    EXPECT_EQ(openDebugFiles({d + "/debug_002.plo"}, definitions, rec.log, f.list, f.ports), 1);
    EXPECT_EQ(openDebugFiles({d + "/debug_001.plo"}, definitions, rec.log, f.list, f.ports), 0);
    EXPECT_EQ(f.list.windowCount(), 200);
    EXPECT_EQ(rec.lines.lines.back(),
              "waarschuwing : Het maximum aantal van 200 vensters is bereikt.");
}

}  // namespace
}  // namespace veltro
