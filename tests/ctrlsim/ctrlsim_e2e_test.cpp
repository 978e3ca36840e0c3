#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "ctrlsim_process.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/dump_dialog.h"
#include "veltro/link/frame_sender.h"
#include "veltro/link/ip_client.h"
#include "veltro/link/receive_path.h"
#include "veltro/link/serial_link.h"

namespace ctrlsim {
namespace {

using namespace std::chrono_literals;
using veltro::CommandMode;
using veltro::ControllerRecord;
namespace link = veltro::link;

const std::string kSample = std::string(EXAMPLES_DIR) + "/kruispunt";

// The sample as the debugger loads it: macro codes by name, elements.
struct Sample {
    Sample() {
        veltro::SilentMessages quiet;
        veltro::loadMacroDefinitions(table, quiet);
        veltro::loadApplicationDefinitions(kSample, table, elements, quiet);
    }
    veltro::DefinitionTable table;
    veltro::ElementTables elements;
};

class Sink : public link::RecordSink {
  public:
    void deliver(const ControllerRecord& r) override {
        std::lock_guard lock(m_mutex);
        m_records.push_back(r);
    }
    std::vector<ControllerRecord> matching(int code, int index) {
        std::lock_guard lock(m_mutex);
        std::vector<ControllerRecord> out;
        for (const auto& r : m_records) {
            if (r.functionCode == code && r.index == index)
                out.push_back(r);
        }
        return out;
    }
    // Waits until `count` records for the object arrived.
    std::vector<ControllerRecord> waitFor(int code, int index, std::size_t count,
                                          std::chrono::milliseconds limit = 3s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (matching(code, index).size() < count &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
        }
        return matching(code, index);
    }

  private:
    std::mutex m_mutex;
    std::vector<ControllerRecord> m_records;
};

class NoErrors : public link::IpErrorHandler {
  public:
    void ipError(const link::IpError& e) override {
        std::lock_guard lock(m_mutex);
        messages.push_back(e.message);
    }
    std::vector<std::string> messages;

  private:
    std::mutex m_mutex;
};

class Display : public link::DumpDisplay {
  public:
    void showCount(std::int32_t) override {}
    void showEcho(std::string_view line) override {
        std::lock_guard lock(m_mutex);
        m_echo = line;
    }
    void showStatus(std::string_view text) override {
        std::lock_guard lock(m_mutex);
        m_status = text;
    }
    void cancelReplyTimer() override {}
    std::string echo() {
        std::lock_guard lock(m_mutex);
        return m_echo;
    }
    std::string status() {
        std::lock_guard lock(m_mutex);
        return m_status;
    }

  private:
    std::mutex m_mutex;
    std::string m_echo, m_status;
};

class NoTimer : public link::ReplyTimer {
  public:
    void restart() override {}
    void cancel() override {}
};

// The debugger's side of the link over TCP: everything but the windows.
struct IpSide {
    explicit IpSide(int port) : client(path, flags, errors) {
        router.setWindowSink(&sink);
        EXPECT_FALSE(client.create());
        EXPECT_FALSE(client.connect("127.0.0.1", port));
        client.startReader();
    }
    link::LinkFlags flags;
    Sink sink;
    link::RecordRouter router;
    Display display;
    link::DumpReceiver dump{display};
    link::ReceivePath path{flags, router, dump};
    NoErrors errors;
    link::IpClient client;
    link::FrameSender sender{client};
};

using test_support::CtrlsimProcess;

int portOf(CtrlsimProcess& p) {
    const std::string line = p.readLine();
    EXPECT_EQ(line.rfind("port ", 0), 0u) << line;
    return line.size() > 5 ? std::atoi(line.c_str() + 5) : 0;
}

class CtrlsimEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_GE(sample.elements.signalGroups.count, 2) << kSample; }
    Sample sample;
    int vgCode() const { return sample.table.lookup("inst_VG_TIJD"); }
    const veltro::SignalGroup& group(int i) const { return sample.elements.signalGroups[i]; }
};

TEST_F(CtrlsimEndToEnd, ReadWriteContinuousAndStopOverTcp) {
    ASSERT_EQ(vgCode(), 320);
    CtrlsimProcess sim({"--port", "0"});
    IpSide side(portOf(sim));
    const auto& sg = group(1);
    const int expected = static_cast<int>(sg.source[veltro::sg_value::Vg] * 10 + 0.5);

    side.sender.send({vgCode(), sg.arrayNumber, -1, 0, 0}, CommandMode::Read);
    auto got = side.sink.waitFor(vgCode(), sg.arrayNumber, 1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].value, expected);

    side.sender.send({vgCode(), sg.arrayNumber, -1, 0, expected + 17}, CommandMode::Write);
    side.sender.send({vgCode(), sg.arrayNumber, -1, 0, 0}, CommandMode::Read);
    got = side.sink.waitFor(vgCode(), sg.arrayNumber, 2);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].value, expected + 17);

    // Continuous: reported at least every 500 ms, then quiet after STOP.
    const ControllerRecord green{sample.table.lookup("G"), group(0).arrayNumber, -1, 0, 0};
    side.sender.send(green, CommandMode::Continuous);
    EXPECT_GE(side.sink.waitFor(green.functionCode, green.index, 3, 2s).size(), 3u);
    side.sender.send(green, CommandMode::Stop);
    std::this_thread::sleep_for(200ms);
    const auto afterStop = side.sink.matching(green.functionCode, green.index).size();
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(side.sink.matching(green.functionCode, green.index).size(), afterStop);
    EXPECT_TRUE(side.errors.messages.empty());
    EXPECT_EQ(sim.interrupt(), 0);  // Ctrl-C ends it cleanly
    EXPECT_EQ(sim.readLine(), "ctrlsim stopped");
}

TEST_F(CtrlsimEndToEnd, CloseOrResetByTheControllerLeavesTheLinkRunning) {
    for (const char* fault : {"--close-after", "--reset-after"}) {
        CtrlsimProcess sim({"--port", "0", fault, "2", "--garbage"});
        IpSide side(portOf(sim));
        const ControllerRecord vg{vgCode(), group(0).arrayNumber, -1, 0, 0};
        for (int i = 0; i < 3; ++i)
            side.sender.send(vg, CommandMode::Read);
        EXPECT_EQ(side.sink.waitFor(vg.functionCode, vg.index, 2).size(), 2u) << fault;
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (!side.client.connectionEnded() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
        }
        EXPECT_TRUE(side.client.connectionEnded()) << fault;
        side.sender.send(vg, CommandMode::Read);  // goes nowhere, ends nothing
        EXPECT_TRUE(side.errors.messages.empty()) << fault;
        EXPECT_EQ(side.path.decoder().droppedFrames(), 2u) << fault;
        EXPECT_EQ(sim.stop(), 0);
    }
}

TEST_F(CtrlsimEndToEnd, ReadOverAPseudoTerminal) {
    CtrlsimProcess sim({"--port", "0", "--pty"});
    portOf(sim);
    const std::string ptyLine = sim.readLine();
    ASSERT_EQ(ptyLine.rfind("pty ", 0), 0u) << ptyLine;

    class Quiet : public veltro::Prompts {
      public:
        void messageBox(std::string_view, std::string_view text, veltro::PromptIcon) override {
            ADD_FAILURE() << text;
        }
        bool askYesNo(std::string_view, std::string_view, veltro::PromptIcon) override {
            return false;
        }
        std::optional<std::string> askText(std::string_view, std::string_view,
                                           std::string_view) override {
            return std::nullopt;
        }
    } prompts;
    link::LinkFlags flags;
    Sink sink;
    link::RecordRouter router;
    router.setWindowSink(&sink);
    Display display;
    link::DumpReceiver dump{display};
    link::ReceivePath path{flags, router, dump};
    link::SerialLink serial(path, prompts);
    ASSERT_TRUE(serial.open(ptyLine.substr(4), 9600));
    link::FrameSender sender{serial};
    const auto& sg = group(0);
    sender.send({vgCode(), sg.arrayNumber, -1, 0, 0}, CommandMode::Read);
    const auto got = sink.waitFor(vgCode(), sg.arrayNumber, 1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].value, static_cast<int>(sg.source[veltro::sg_value::Vg] * 10 + 0.5));
    EXPECT_EQ(sim.stop(), 0);
}

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(CtrlsimEndToEnd, DumpFetchedThroughTheDumpReceiver) {
    const auto dir = std::filesystem::path(TEST_BINARY_DIR) / "ctrlsim_dump_e2e";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto file = dir / "dpcom.dmp";

    CtrlsimProcess sim({"--port", "0"});
    IpSide side(portOf(sim));
    NoTimer timer;
    link::DumpDialog dialog(side.flags, side.client, side.dump, side.display, timer);
    dialog.open(file.string());
    dialog.command(link::DumpCommand::Verify);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (side.display.echo().empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(side.display.echo(), "CTRLSIM verbinding in orde ");
    dialog.command(link::DumpCommand::Make);
    dialog.command(link::DumpCommand::Fetch);
    while (side.display.status() != "EINDE DUMP" && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(side.display.status(), "EINDE DUMP");
    dialog.close();
    EXPECT_EQ(sim.stop(), 0);

    const std::string bytes = readAll(file);
    EXPECT_EQ(bytes.rfind("CTRLSIM verbinding in orde  ALGEMEEN\r\n", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 15), "EINDE DUMP\r\n\xFF\r\n");
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);  // every line feed has its CR

#ifdef RENDALL_BINARY
    // The dump converts without error: answers are an empty intersection name
    // (Enter) and J for the pc_omgeving question.
    std::filesystem::copy_file(kSample + "/ZXAPDEF.H", dir / "ZXAPDEF.H");
    const std::string command = "cd '" + dir.string() + "' && printf '\\rJ' | '" + RENDALL_BINARY +
                                "' dpcom.dmp dump.out > rendall.log 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << readAll(dir / "rendall.log");
    EXPECT_NE(readAll(dir / "DUMP.OUT").size() + readAll(dir / "dump.out").size(), 0u);
#endif
}

}  // namespace
}  // namespace ctrlsim

namespace ctrlsim {
namespace {

// The road of one value: a debug window is shown, the poll cycle asks for its
// items, ctrlsim answers and the records reach the window's sink; an item that
// answers is enabled, so no "no connection" message follows.
TEST_F(CtrlsimEndToEnd, ShownWindowIsPolledThroughTheWholeLink) {
    CtrlsimProcess sim({"--port", "0"});
    const int port = portOf(sim);

    struct Prompts : veltro::Prompts {
        void messageBox(std::string_view, std::string_view t, veltro::PromptIcon) override {
            ADD_FAILURE() << t;
        }
        bool askYesNo(std::string_view, std::string_view, veltro::PromptIcon) override {
            return false;
        }
        std::optional<std::string> askText(std::string_view, std::string_view,
                                           std::string_view) override {
            return std::nullopt;
        }
    } prompts;

    // One window of two items; an item is enabled when its first value came.
    struct Window : link::PollWindow, link::RecordSink {
        std::vector<ControllerRecord> items;
        std::atomic<int> enabledMask{0};
        bool windowShown() const override { return true; }
        std::size_t itemCount() const override { return items.size(); }
        ControllerRecord itemRecord(std::size_t i) const override { return items[i]; }
        bool itemRequested(std::size_t) const override { return true; }
        void setItemRequested(std::size_t, bool) override {}
        bool itemEnabled(std::size_t i) const override { return enabledMask.load() & (1 << i); }
        void disableItems() override { enabledMask = 0; }
        void deliver(const ControllerRecord& r) override {
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i].functionCode == r.functionCode && items[i].index == r.index) {
                    enabledMask.fetch_or(1 << i);
                }
            }
        }
    } window;
    window.items = {{vgCode(), group(0).arrayNumber, -1, 0, 0},
                    {sample.table.lookup("R"), group(1).arrayNumber, -1, 0, 0}};
    // The sink outlives the link, whose reader thread delivers to it.
    NoErrors errors;
    Display display;
    link::ControllerLink controller(prompts, errors, display);
    controller.router().setWindowSink(&window);

    struct Timers : link::OneShotTimers {
        std::vector<std::function<void()>> due;
        TimerId start(std::chrono::milliseconds, std::function<void()> f) override {
            due.push_back(std::move(f));
            return static_cast<TimerId>(due.size());
        }
        void cancel(TimerId) override {}
        void fire() {
            auto now = std::move(due);
            due.clear();
            for (auto& f : now)
                f();
        }
    } timers;
    struct Lines : veltro::Messages {
        std::vector<std::string> lines;
        void message(int, std::string_view a, std::string_view, std::string_view) override {
            lines.emplace_back(a);
        }
        void setContextPrefix(std::string_view) override {}
        void setLinePrefix(int) override {}
    } messages;
    link::PollCycle poll(window, controller.requests(), timers, messages);
    controller.setPollCycle(&poll);

    ASSERT_FALSE(controller.openIp("127.0.0.1", port));
    controller.windowShown();
    EXPECT_TRUE(controller.flags().trace.load());
    timers.fire();  // timer A: READ and CONTINUOUS for both items
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (window.enabledMask.load() != 3 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(window.enabledMask.load(), 3);
    timers.fire();  // timer B: both answered
    EXPECT_TRUE(messages.lines.empty());
    EXPECT_EQ(sim.stop(), 0);
}

}  // namespace
}  // namespace ctrlsim
