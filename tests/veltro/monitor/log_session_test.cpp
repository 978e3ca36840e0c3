// The value log as the engineer starts and stops it: its items, its file,
// the shown window it follows and the write error that ends it.
#include "veltro/monitor/log_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/veltro/messages.h"
#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/item_choice.h"

namespace veltro::monitor {
namespace {

FrameEntry report(std::int64_t time, int code, int index, int value) {
    const link::EncodedFrame f =
        link::encodeFrame({code, index, -1, 0, value}, CommandMode::Write);
    FrameEntry e;
    e.timeMs = time;
    e.length = static_cast<std::uint8_t>(f.size());
    std::copy(f.bytes().begin(), f.bytes().end(), e.bytes.begin());
    return e;
}

// "Groen [VG_TIJD fc02]" on row 1, a detector field without text before it
// on row 2 ("SG02_1 [D] [DVWD]", as the generated detector screens are).
DebugScreen sampleScreen(const std::string& title) {
    DebugScreen screen(title);
    screen.addText({"Groen", 0, 1});
    screen.addText({"SG02_1", 0, 2});
    auto item = [&](int code, int first, int column, int row) {
        DebugItem& it = screen.addItem();
        it.functionCode = code;
        it.firstElement = first;
        it.column = column;
        it.row = row;
        it.itemNumber = it.index + 1;
        it.hasControl = true;
    };
    item(288, 2, 8, 1);
    item(426, 0, 8, 2);
    item(462, 0, 12, 2);
    screen.buildIndex();
    return screen;
}

struct Rig {
    Rig() {
        auto tables = std::make_unique<ElementTables>();
        tables->signalGroups[0] = {};
        tables->signalGroups[0].name = "fc02";
        tables->signalGroups[0].arrayNumber = 2;
        tables->signalGroups.count = 1;
        tables->detectors[0].name = "SG02_1";
        tables->detectors[0].arrayNumber = 0;
        tables->detectors.count = 1;
        names.setElements(*tables);
    }
    // The file's lines, each value's line after its (local) time.
    std::vector<std::string> lines(const std::string& path) {
        std::vector<std::string> out;
        std::istringstream in(test_support::readFile(path));
        for (std::string line; std::getline(in, line);)
            out.push_back(out.empty() ? line : line.substr(29));
        return out;
    }

    FrameNames names;
    ValueLog log;
    test_support::RecordingMessages messages;
    LogSession session{log, names, messages};
    test_support::TempDir dir;
    DebugScreen first = sampleScreen("/p/DEBUG_001.PLO");
    DebugScreen second = sampleScreen("/p/DEBUG_002.PLO");
};

TEST(LogSession, ItemsAreNamedByTheirElementsWhereNoTextStandsBeforeThem) {
    Rig rig;
    const std::optional<LogPlan> all = rig.session.plan(rig.first, 1, {});
    ASSERT_TRUE(all.has_value());
    EXPECT_TRUE(all->followsShown);
    ASSERT_EQ(all->items.size(), 3u);
    EXPECT_EQ(all->items[0].label, "Groen");
    EXPECT_EQ(all->items[1].label, "SG02_1");
    EXPECT_EQ(all->items[2].label, "DVWD SG02_1");  // not "item 3", not "DVWD 0"
    EXPECT_EQ(choiceText(all->items[0]), "Groen  (VG_TIJD fc02)");
    EXPECT_EQ(choiceText(all->items[1]), "SG02_1  (D SG02_1)");
    EXPECT_EQ(choiceText(all->items[2]), "DVWD SG02_1");

    const std::optional<LogPlan> chosen = rig.session.plan(rig.first, 1, {2});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_FALSE(chosen->followsShown);
    EXPECT_EQ(chosen->items.size(), 1u);
    EXPECT_TRUE(rig.messages.texts().empty());

    // Nothing to log is told, and nothing starts.
    EXPECT_FALSE(rig.session.canStart(nullptr));
    EXPECT_EQ(rig.session.plan(DebugScreen("/p/LEEG.PLO"), 3, {}), std::nullopt);
    EXPECT_EQ(rig.messages.texts(), (std::vector<std::string>{
                                        "Er wordt geen debug venster getoond.",
                                        "Het debug venster heeft geen items.",
                                    }));
}

TEST(LogSession, TheFileGetsCsvWhenItHasNoExtensionAndNeverReplacesAnUnconfirmedOne) {
    struct Row {
        const char* typed;
        const char* written;
    };
    const Row table[] = {
        {"waarden", "waarden.csv"},     {"waarden.", "waarden.csv"},
        {"waarden.txt", "waarden.txt"}, {"/p/v1.2/log", "/p/v1.2/log.csv"},
        {".waarden", ".waarden.csv"},   {"a/b.csv", "a/b.csv"},
    };
    for (const Row& row : table)
        EXPECT_EQ(csvLogPath(row.typed), row.written) << row.typed;

    Rig rig;
    const std::string typed = (rig.dir / "waarden").string();
    ASSERT_TRUE(rig.session.start(*rig.session.plan(rig.first, 1, {}), typed, 0));
    EXPECT_TRUE(std::filesystem::exists(typed + ".csv"));
    rig.session.stop();
    // The save dialog confirmed "waarden", not "waarden.csv": that one stays.
    test_support::writeFile(typed + ".csv", "gisteren\n");
    EXPECT_FALSE(rig.session.start(*rig.session.plan(rig.first, 1, {}), typed, 0));
    EXPECT_FALSE(rig.session.active());
    EXPECT_EQ(test_support::readFile(typed + ".csv"), "gisteren\n");
    EXPECT_EQ(rig.messages.lines().back().kind, message_kind::kError);
    EXPECT_EQ(rig.messages.texts().back(), typed + ".csv bestaat al en wordt niet overschreven.");
    // The name the dialog confirmed is replaced.
    EXPECT_TRUE(rig.session.start(*rig.session.plan(rig.first, 1, {}), typed + ".csv", 0));
}

TEST(LogSession, ALogOfTheWindowFollowsTheShownOneAChosenLogStays) {
    Rig rig;
    const std::string path = (rig.dir / "w.csv").string();
    ASSERT_TRUE(rig.session.canStart(&rig.first));
    ASSERT_TRUE(rig.session.start(*rig.session.plan(rig.first, 1, {}), path, 0));
    EXPECT_FALSE(rig.session.canStart(&rig.first));  // one log at a time
    rig.log.take(report(1, 288, 2, 5));
    rig.session.follow(&rig.second, 2);
    rig.log.take(report(2, 462, 0, 1));
    // A closed window's place taken by another (same address, another identity).
    rig.second = sampleScreen("/p/DEBUG_003.PLO");
    rig.session.follow(&rig.second, 3);
    rig.log.take(report(3, 288, 2, 6));
    rig.session.stop();
    EXPECT_EQ(rig.lines(path), (std::vector<std::string>{
                                   "tijd,venster,item,macro,element,waarde",
                                   ",DEBUG_001.PLO,Groen,VG_TIJD,fc02,5",
                                   ",DEBUG_002.PLO,DVWD SG02_1,DVWD,SG02_1,1",
                                   ",DEBUG_003.PLO,Groen,VG_TIJD,fc02,6",
                               }));
    EXPECT_EQ(rig.messages.texts().back(), "Vastleggen gestopt: 3 waarden in " + path);

    const std::string chosen = (rig.dir / "k.csv").string();
    ASSERT_TRUE(rig.session.start(*rig.session.plan(rig.first, 1, {0}), chosen, 0));
    rig.session.follow(&rig.second, 3);
    rig.log.take(report(4, 288, 2, 7));
    rig.session.stop();
    EXPECT_EQ(rig.lines(chosen).back(), ",DEBUG_001.PLO,Groen,VG_TIJD,fc02,7");
}

TEST(LogSession, AWriteErrorEndsTheLogOnceAndTheNextLogWritesAgain) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Rig rig;
    // A disk that is full: every write fails.
    const std::filesystem::path full = rig.dir / "vol.csv";
    std::filesystem::create_symlink("/dev/full", full);
    ASSERT_TRUE(rig.session.start(*rig.session.plan(rig.first, 1, {}), full.string(), 0));
    // The title line is written at once, so the full disk is found then.
    rig.log.take(report(10, 288, 2, 5));
    rig.log.tick(2000);
    EXPECT_TRUE(rig.session.endOnWriteError());
    EXPECT_FALSE(rig.session.active());
    EXPECT_FALSE(rig.session.endOnWriteError()) << "told once";
    EXPECT_EQ(rig.messages.lines().back().kind, message_kind::kError);
    EXPECT_EQ(rig.messages.texts().back(), "Kan " + full.string() + " niet schrijven.");
    rig.session.stop();  // ended already: nothing more is told
    EXPECT_EQ(rig.messages.texts().size(), 2u);

    // A log after the failed one starts clean and writes.
    const std::string next = (rig.dir / "next.csv").string();
    ASSERT_TRUE(rig.session.start(*rig.session.plan(rig.first, 1, {}), next, 0));
    rig.log.take(report(20, 288, 2, 8));
    rig.log.tick(2000);
    EXPECT_FALSE(rig.session.endOnWriteError());
    rig.session.stop();
    EXPECT_EQ(rig.lines(next).back(), ",DEBUG_001.PLO,Groen,VG_TIJD,fc02,8");
    EXPECT_EQ(rig.messages.texts().back(), "Vastleggen gestopt: 1 waarden in " + next);
}

}  // namespace
}  // namespace veltro::monitor
