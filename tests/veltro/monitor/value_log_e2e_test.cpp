// The value log over the real link against ctrlsim: what the CSV holds must
// be exactly the values that ctrlsim sent for the logged items, in order.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/open_link.h"
#include "support/veltro/timers.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/machine_clock.h"
#include "veltro/monitor/monitor_hub.h"

namespace veltro::monitor {
namespace {

using namespace std::chrono_literals;

using test_support::kSample;

// Keeps every received byte (the reference) and hands the traffic on to the
// hub's own slot, as the link would.
class TeeTap final : public FrameTap {
  public:
    explicit TeeTap(FrameTapSlot& next) : m_next(next) {}
    void bytesIn(std::span<const std::uint8_t> bytes) override {
        received.insert(received.end(), bytes.begin(), bytes.end());
        m_next.use([bytes](FrameTap& tap) { tap.bytesIn(bytes); });
    }
    void bytesOut(std::span<const std::uint8_t> bytes) override {
        m_next.use([bytes](FrameTap& tap) { tap.bytesOut(bytes); });
    }
    std::vector<std::uint8_t> received;  // the reader thread's until detached

  private:
    FrameTapSlot& m_next;
};

using test_support::fileLines;

TEST(ValueLogOverTheLink, TheCsvHoldsExactlyTheValuesCtrlsimSent) {
    test_support::CtrlsimProcess sim({"--port", "0", "--rate", "400"});
    const std::string portLine = sim.readLine();
    ASSERT_EQ(portLine.rfind("port ", 0), 0u) << portLine;

    DefinitionTable table;
    auto elements = std::make_unique<ElementTables>();
    SilentMessages quiet;
    loadMacroDefinitions(table, quiet);
    loadApplicationDefinitions(kSample, table, *elements, quiet);
    ASSERT_GE(elements->signalGroups.validCount(), 3);

    // A window of the first three signal groups' running green time and
    // their green setting.
    DebugScreen screen("/kruispunt/DEBUG_900.PLO");
    for (int sg = 0; sg < 3; ++sg) {
        for (int code : {288, 320}) {
            DebugItem& item = screen.addItem();
            item.functionCode = code;
            item.firstElement = elements->signalGroups[sg].arrayNumber;
            item.column = code == 288 ? 10 : 30;
            item.row = sg + 1;
            item.hasControl = true;
        }
    }
    screen.buildIndex();

    test_support::FakeDispatcher dispatcher{test_support::FakeDispatcher::Mode::Inline};
    test_support::RecordingDumpDisplay display;
    test_support::FakeReplyTimer replyTimer;
    test_support::RecordingIpErrors errors;
    link::MachineClock clock;
    link::ControllerLink link{{dispatcher, display, replyTimer, clock}};
    ASSERT_FALSE(test_support::openLoopback(link, std::atoi(portLine.c_str() + 5), errors));

    FrameTapSlot hubSlot;
    TeeTap tee(hubSlot);
    MonitorHub hub(hubSlot, systemTimeMs);
    FrameNames names;
    names.setElements(*elements);
    test_support::TempDir dir;
    const std::string path = (dir / "waarden.csv").string();
    ASSERT_EQ(hub.log().open(path, systemTimeMs()), std::nullopt);
    hub.log().setItems(loggedItems(screen, {}, names));
    hub.setUse(MonitorHub::kLog, true);
    link.setFrameTap(&tee);

    for (int index : screen.controlledItems()) {
        link.requests().send(screen.item(index).record(), CommandMode::Read);
        link.requests().send(screen.item(index).record(), CommandMode::Continuous);
    }
    const auto end = std::chrono::steady_clock::now() + 1500ms;
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
        hub.drain(systemTimeMs());
    }
    for (int index : screen.controlledItems())
        link.requests().send(screen.item(index).record(), CommandMode::Stop);
    link.setFrameTap(nullptr);  // from here the reference is ours to read
    hub.setUse(MonitorHub::kLog, false);
    ASSERT_EQ(hub.log().close(), std::nullopt);

    // The reference: the received bytes through the link's own decoder.
    std::vector<std::string> expected;
    link::FrameDecoder decoder([&](const link::DecodedFrame& frame) {
        const int item = screen.findItem(frame.record);
        if (frame.mode != CommandMode::Write || item < 0)
            return;
        const DebugItem& it = screen.item(item);
        expected.push_back(std::string(it.functionCode == 288 ? "VG_TIJD" : "inst_VG_TIJD") + "," +
                           elements->signalGroups[it.row - 1].name + "," +
                           std::to_string(frame.record.value));
    });
    decoder.feed(tee.received);

    const std::vector<std::string> lines = fileLines(path);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "tijd,venster,item,macro,element,waarde");
    std::vector<std::string> logged;
    std::string previousTime;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        ASSERT_GE(line.size(), 30u) << line;
        const std::string time = line.substr(0, 29);
        EXPECT_EQ(time[10], 'T');
        EXPECT_EQ(time[19], '.');
        EXPECT_GE(time, previousTime);  // same offset throughout: text order is time order
        previousTime = time;
        // window, label (no text stands before the items: their macro and
        // element), then macro, element and value
        EXPECT_EQ(line.substr(29, 15), ",DEBUG_900.PLO,");
        const std::size_t macro = line.find(',', 44);
        ASSERT_NE(macro, std::string::npos) << line;
        logged.push_back(line.substr(macro + 1));
        const std::string shown = logged.back().substr(0, logged.back().rfind(','));
        EXPECT_EQ(line.substr(44, macro - 44),
                  shown.substr(0, shown.find(',')) + " " + shown.substr(shown.find(',') + 1));
    }
    // Well over a second at 400 reports a second: a real stream, all of it.
    EXPECT_GT(expected.size(), 100u);
    EXPECT_EQ(logged, expected);
    EXPECT_EQ(hub.dropped(), 0u);
    EXPECT_TRUE(errors.errors().empty());
}

}  // namespace
}  // namespace veltro::monitor
