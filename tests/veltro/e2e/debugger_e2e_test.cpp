// The whole debugger in this process against a running ctrlsim, over TCP and
// over a pseudo-terminal named in veltro.ini: values appear, an edit reaches
// the controller and comes back, a window switch stops the old window's
// items and asks for the new one's, and a controller that closes, resets or
// garbles its connection leaves the debugger running and answering.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/prompts.h"
#include "veltro/gui/debug_window.h"
#include "veltro/gui/debugger_app.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/message_window.h"

namespace veltro::gui {
namespace {

using test_support::kSample;
constexpr int kWait = 60000;  // ms: only a hang reaches it, not a slow or loaded build

// ctrlsim with --verbose: every request it receives, as a line, collected by
// a thread of the test so that the GUI thread keeps running its loop.
class Simulator {
  public:
    explicit Simulator(std::vector<std::string> args) : m_process(withDefaults(std::move(args))) {
        const std::string port = m_process.readLine();
        m_port = port.rfind("port ", 0) == 0 ? std::atoi(port.c_str() + 5) : 0;
        for (const std::string& a : m_args) {
            if (a == "--pty") {
                const std::string pty = m_process.readLine();
                m_pty = pty.rfind("pty ", 0) == 0 ? pty.substr(4) : std::string();
            }
        }
        m_reader = std::thread([this] {
            while (!m_stopping.load()) {
                std::string line = m_process.readLine();
                std::lock_guard lock(m_mutex);
                if (!line.empty())
                    m_lines.push_back(std::move(line));
            }
        });
    }
    ~Simulator() {
        m_stopping = true;
        m_process.stop();
        m_reader.join();
    }

    int port() const { return m_port; }
    const std::string& pty() const { return m_pty; }
    std::size_t mark() const {
        std::lock_guard lock(m_mutex);
        return m_lines.size();
    }
    std::vector<std::string> linesSince(std::size_t mark) const {
        std::lock_guard lock(m_mutex);
        return {m_lines.begin() + static_cast<std::ptrdiff_t>(std::min(mark, m_lines.size())),
                m_lines.end()};
    }
    // Waits, running the GUI's events, for a request line containing `text`.
    bool waitFor(const std::string& text, std::size_t since = 0) const {
        return QTest::qWaitFor(
            [&] {
                for (const std::string& line : linesSince(since)) {
                    if (line.find(text) != std::string::npos)
                        return true;
                }
                return false;
            },
            kWait);
    }

  private:
    std::vector<std::string> withDefaults(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", kSample, "--port", "0", "--verbose"});
        m_args = args;
        return args;
    }

    std::vector<std::string> m_args;
    test_support::CtrlsimProcess m_process;
    int m_port = 0;
    std::string m_pty;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    std::thread m_reader;
};

// The debugger started in a scratch copy of the sample with `commandLine`;
// `session` runs in place of its event loop.
int runDebugger(const std::string& commandLine, const std::string& ini,
                const std::function<void(DebuggerApp&)>& session,
                test_support::ScriptedPrompts& prompts) {
    const test_support::TempDir dir;
    const std::filesystem::path start = dir.path() / "kruispunt";
    std::filesystem::copy(kSample, start, std::filesystem::copy_options::recursive);
    std::ofstream(start / "veltro.ini") << ini;
    DebuggerEnvironment environment;
    environment.commandLine = commandLine;
    environment.startDirectory = start.string();
    environment.configDirectory = dir.path() / "config";
    environment.prompts = &prompts;
    environment.loop = session;
    DebuggerApp app(std::move(environment));
    return app.run();
}

QLineEdit& field(DebuggerApp& app, int item) {
    return *static_cast<QLineEdit*>(app.mainWindow()->shownWidget()->control(item));
}

bool valueShown(DebuggerApp& app, int item) {
    QWidget* control = app.mainWindow()->shownWidget()->control(item);
    return control != nullptr && control->isEnabled();
}

// Values of the first window appear; a switch stops its items and asks for
// those of the next; an edit of a green time reaches ctrlsim and comes back.
void liveSession(DebuggerApp& app, const Simulator& sim, const std::string& origin) {
    MainWindow& main = *app.mainWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 7); }, kWait));
    EXPECT_EQ(field(app, 7).text(), "100");  // "versie"
    EXPECT_TRUE(sim.waitFor(origin + " CONTINUOUS code 481"));

    std::size_t mark = sim.mark();
    QTest::keyClick(&main, Qt::Key_PageDown);
    EXPECT_EQ(main.windowTitle(), "Debugger 001 - debug_002.plo");
    EXPECT_TRUE(sim.waitFor(origin + " CONTINUOUS code 264", mark));
    int stops = 0;
    bool readAfterStops = false;
    for (const std::string& line : sim.linesSince(mark)) {
        if (line.find(" STOP code ") != std::string::npos) {
            EXPECT_FALSE(readAfterStops) << line;
            ++stops;
        }
        readAfterStops = readAfterStops || line.find(" READ code 264") != std::string::npos;
    }
    EXPECT_EQ(stops, 9);  // one for each item of the window left
    ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 0); }, kWait));

    main.showWindow(5);  // kruis_001.dbg: green times
    ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 0); }, kWait));
    // A click at the field's left edge and the digits typed: the number
    // typed replaces the value shown.
    QLineEdit& vg = field(app, 0);
    const QString before = vg.text();
    QTest::mouseClick(&vg, Qt::LeftButton, {}, QPoint(1, vg.height() / 2));
    QTest::keyClicks(&vg, "123");
    mark = sim.mark();
    QTest::keyClick(&vg, Qt::Key_Return);
    EXPECT_TRUE(sim.waitFor(origin + " WRITE code 320 index 0", mark));
    EXPECT_TRUE(sim.waitFor("value 123", mark));
    EXPECT_NE(before, "123");
    vg.setText(QString());  // only the controller's answer can bring it back
    EXPECT_TRUE(QTest::qWaitFor([&] { return vg.text() == "123"; }, kWait))
        << vg.text().toStdString();
}

TEST(DebuggerEndToEnd, OverTcp) {
    Simulator sim({});
    test_support::ScriptedPrompts prompts;
    const int exit = runDebugger(
        "-IP 127.0.0.1 -IPP " + std::to_string(sim.port()), "",
        [&](DebuggerApp& app) { liveSession(app, sim, "tcp:"); }, prompts);
    EXPECT_EQ(exit, 1);
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST(DebuggerEndToEnd, OverAPseudoTerminalNamedInTheSettings) {
    Simulator sim({"--pty"});
    ASSERT_FALSE(sim.pty().empty());
    test_support::ScriptedPrompts prompts;
    const int exit = runDebugger(
        "COM2 19200", "[Poorten]\nCOM2=" + sim.pty() + "\n",
        [&](DebuggerApp& app) { liveSession(app, sim, "pty:"); }, prompts);
    EXPECT_EQ(exit, 1);
    EXPECT_TRUE(prompts.boxes.empty());  // a terminal has no modem lines: not reported
}

// "Er is geen verbinding aanwezig." says that no value came: never on a live
// link, whenever the windows are switched (before a window's requests, between
// its requests and its check, or long after).
TEST(DebuggerEndToEnd, SwitchingWindowsOnALiveLinkNeverSaysThereIsNoConnection) {
    Simulator sim({});
    test_support::ScriptedPrompts prompts;
    runDebugger(
        "-IP 127.0.0.1 -IPP " + std::to_string(sim.port()), "",
        [&](DebuggerApp& app) {
            MainWindow& main = *app.mainWindow();
            const MessageWindow& messages = main.messageWindow();
            ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 7); }, kWait));
            for (int round = 0; round < 3; ++round) {
                for (int i = 0; i < 6; ++i) {
                    const std::size_t mark = sim.mark();
                    QTest::keyClick(&main, Qt::Key_PageDown);
                    if (round == 1)
                        continue;  // before the requests of the window
                    ASSERT_TRUE(sim.waitFor(" CONTINUOUS ", mark));
                    if (round == 2)
                        QTest::qWait(1200);  // past the window's check
                }
            }
            QTest::qWait(1200);  // the last window's check
            for (int row = 0; row < messages.lineCount(); ++row)
                EXPECT_EQ(messages.line(row).indexOf("geen verbinding"), -1)
                    << messages.line(row).toStdString();
        },
        prompts);
}

// After the controller ends the connection the debugger stays: windows switch,
// and with no value coming it says so.
TEST(DebuggerEndToEnd, AControllerThatClosesResetsOrGarblesLeavesItRunning) {
    for (const std::vector<std::string>& fault : {std::vector<std::string>{"--close-after", "25"},
                                                  std::vector<std::string>{"--reset-after", "25"},
                                                  std::vector<std::string>{"--garbage"}}) {
        SCOPED_TRACE(fault[0]);
        const bool ends = fault[0] != "--garbage";
        Simulator sim(fault);
        test_support::ScriptedPrompts prompts;
        // Without reconnecting, as the debugger always was.
        const int exit = runDebugger(
            "-IP 127.0.0.1 -IPP " + std::to_string(sim.port()) + " -noreconnect", "",
            [&](DebuggerApp& app) {
                MainWindow& main = *app.mainWindow();
                ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 7); }, kWait));
                EXPECT_EQ(field(app, 7).text(), "100");  // garbage between frames is dropped
                if (!ends)
                    return;
                // Once the connection has ended (after 25 frames), a window
                // shown gets no value and the debugger says so.
                const MessageWindow& messages = main.messageWindow();
                const QString noConnection = "systeem melding : Er is geen verbinding aanwezig.";
                bool said = false;
                for (int tries = 0; tries < 8 && !said; ++tries) {
                    const int lines = messages.lineCount();
                    QTest::keyClick(&main, Qt::Key_PageDown);
                    said = QTest::qWaitFor(
                        [&] {
                            return messages.lineCount() > lines &&
                                   messages.line(messages.lineCount() - 1) == noConnection;
                        },
                        1500);
                }
                EXPECT_TRUE(said);
                main.showWindow(0);
                QTest::keyClick(&main, Qt::Key_PageUp);
                EXPECT_EQ(main.windowTitle(), "Debugger 001 - kruis_001.dbg");
            },
            prompts);
        EXPECT_EQ(exit, 1);
        EXPECT_TRUE(prompts.boxes.empty());
    }
}

}  // namespace
}  // namespace veltro::gui

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
