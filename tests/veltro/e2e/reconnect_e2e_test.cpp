// The whole debugger against a ctrlsim that drops the connection (a close, a
// reset) or is stopped and started again on the same port: the link comes
// back by itself, the loss and the recovery are told once each, and values
// flow again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
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
#include "veltro/gui/status_line.h"

namespace veltro::gui {
namespace {

using test_support::kSample;
constexpr int kWait = 60000;  // ms: only a hang reaches it, not a slow or loaded build

// ctrlsim on `port` (0: a free one), its output read by a thread of the test.
class Simulator {
  public:
    Simulator(int port, std::vector<std::string> faults) : m_process(args(port, faults)) {
        const std::string first = m_process.readLine();
        m_port = first.rfind("port ", 0) == 0 ? std::atoi(first.c_str() + 5) : 0;
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
    bool received(const std::string& text) const {
        std::lock_guard lock(m_mutex);
        for (const std::string& line : m_lines) {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

  private:
    static std::vector<std::string> args(int port, std::vector<std::string> faults) {
        faults.insert(faults.begin(),
                      {"--dir", kSample, "--port", std::to_string(port), "--verbose"});
        return faults;
    }

    test_support::CtrlsimProcess m_process;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    std::thread m_reader;
};

int runDebugger(const std::string& commandLine, const std::function<void(DebuggerApp&)>& session,
                test_support::ScriptedPrompts& prompts) {
    const test_support::TempDir dir;
    const std::filesystem::path start = dir.path() / "kruispunt";
    std::filesystem::copy(kSample, start, std::filesystem::copy_options::recursive);
    DebuggerEnvironment environment;
    environment.commandLine = commandLine;
    environment.startDirectory = start.string();
    environment.configDirectory = dir.path() / "config";
    environment.prompts = &prompts;
    environment.loop = session;
    DebuggerApp app(std::move(environment));
    return app.run();
}

bool valueShown(DebuggerApp& app, int item) {
    QWidget* control = app.mainWindow()->shownWidget()->control(item);
    return control != nullptr && control->isEnabled();
}

// The link's lines in the message window, in order: 'L' a loss, 'R' a recovery.
std::string linkEvents(const MessageWindow& messages, const std::string& label) {
    const QString lost =
        QString::fromStdString("systeem melding : Verbinding met de regelautomaat verbroken (" +
                               label + "); opnieuw verbinden…");
    const QString back = QString::fromStdString(
        "systeem melding : Verbinding met de regelautomaat hersteld (" + label + ")");
    std::string events;
    for (int i = 0; i < messages.lineCount(); ++i) {
        if (messages.line(i) == lost)
            events += 'L';
        else if (messages.line(i) == back)
            events += 'R';
    }
    return events;
}

QString statusText(DebuggerApp& app) {
    const auto* line = app.mainWindow()->findChild<QLabel*>(QStringLiteral("VLTSTATUSLINE"));
    const auto* status = dynamic_cast<const StatusLine*>(line);
    return status != nullptr ? status->fullText() : QString();
}

// Values arrive, the connection drops, and values arrive again: the frames
// received grow past what they were at the recovery.
void expectRecovery(DebuggerApp& app, const std::string& label) {
    const MessageWindow& messages = app.mainWindow()->messageWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 7); }, kWait));
    // The controller may drop the new connection too: "LR" is where it starts.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return linkEvents(messages, label).rfind("LR", 0) == 0; }, kWait))
        << linkEvents(messages, label);
    const std::uint64_t atRecovery = app.link().link.linkStatus().framesIn;
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.link().link.linkStatus().framesIn > atRecovery; },
                                kWait));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return statusText(app).startsWith(QString::fromStdString(label + " – ")); }, kWait))
        << statusText(app).toStdString();
}

TEST(ReconnectEndToEnd, AClosedOrResetConnectionComesBackWithItsValues) {
    for (const char* fault : {"--close-after", "--reset-after"}) {
        SCOPED_TRACE(fault);
        Simulator sim(0, {fault, "40"});
        const std::string label = "127.0.0.1:" + std::to_string(sim.port());
        test_support::ScriptedPrompts prompts;
        const int exit = runDebugger(
            "-IP 127.0.0.1 -IPP " + std::to_string(sim.port()),
            [&](DebuggerApp& app) {
                expectRecovery(app, label);
                // Every further loss is followed by one recovery, never twice.
                QTest::qWait(1500);
                const std::string events = linkEvents(app.mainWindow()->messageWindow(), label);
                EXPECT_EQ(events.find("LL"), std::string::npos) << events;
                EXPECT_EQ(events.find("RR"), std::string::npos) << events;
            },
            prompts);
        EXPECT_EQ(exit, 1);
        EXPECT_TRUE(prompts.boxes.empty());
    }
}

TEST(ReconnectEndToEnd, AControllerStoppedAndStartedAgainIsFoundOnItsPort) {
    auto first = std::make_unique<Simulator>(0, std::vector<std::string>{});
    const int port = first->port();
    const std::string label = "127.0.0.1:" + std::to_string(port);
    std::unique_ptr<Simulator> second;
    test_support::ScriptedPrompts prompts;
    runDebugger(
        "-IP 127.0.0.1 -IPP " + std::to_string(port),
        [&](DebuggerApp& app) {
            const MessageWindow& messages = app.mainWindow()->messageWindow();
            ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 7); }, kWait));
            first.reset();
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return linkEvents(messages, label) == "L"; }, kWait));
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return statusText(app).contains(QStringLiteral("opnieuw verbinden…")); },
                1000));
            QTest::qWait(1200);  // a few attempts find nobody
            second = std::make_unique<Simulator>(port, std::vector<std::string>{});
            ASSERT_EQ(second->port(), port);
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return linkEvents(messages, label) == "LR"; }, kWait));
            // The shown window is asked for again, and its values come.
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return second->received("CONTINUOUS code 481"); }, kWait));
            const std::uint64_t atRecovery = app.link().link.linkStatus().framesIn;
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return app.link().link.linkStatus().framesIn > atRecovery; }, kWait));
            EXPECT_EQ(linkEvents(messages, label), "LR");
        },
        prompts);
    EXPECT_TRUE(prompts.boxes.empty());
}

bool greyed(const QWidget& control) {
    const QPalette& p = control.palette();
    return p.color(QPalette::Active, QPalette::Text) ==
           p.color(QPalette::Disabled, QPalette::Text);
}

// With the controller gone the values shown are greyed and a typed value is
// refused with a message; once it is back, each field is live again with
// its first report and the same typing reaches the controller.
TEST(ReconnectEndToEnd, WhileTheControllerIsAwayValuesAreStaleAndWritesRefused) {
    auto first = std::make_unique<Simulator>(0, std::vector<std::string>{});
    const int port = first->port();
    const std::string label = "127.0.0.1:" + std::to_string(port);
    std::unique_ptr<Simulator> second;
    test_support::ScriptedPrompts prompts;
    runDebugger(
        "-IP 127.0.0.1 -IPP " + std::to_string(port),
        [&](DebuggerApp& app) {
            const MessageWindow& messages = app.mainWindow()->messageWindow();
            ASSERT_TRUE(QTest::qWaitFor([&] { return valueShown(app, 3); }, kWait));
            auto* field = static_cast<QLineEdit*>(app.mainWindow()->shownWidget()->control(3));
            EXPECT_FALSE(greyed(*field));
            const QString shown = field->text();
            first.reset();
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return linkEvents(messages, label) == "L"; }, kWait));
            EXPECT_TRUE(greyed(*field));

            QTest::mouseClick(field, Qt::LeftButton);
            QTest::keyClicks(field, "17");
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_EQ(messages.line(messages.lineCount() - 1),
                      "fout : Waarde 17 niet geschreven: er is geen verbinding met de "
                      "regelautomaat.");
            EXPECT_EQ(field->text(), shown);

            second = std::make_unique<Simulator>(port, std::vector<std::string>{});
            ASSERT_EQ(second->port(), port);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !greyed(*field); }, kWait));
            EXPECT_EQ(linkEvents(messages, label), "LR");
            // Still selected, its text all selected: the digits replace it.
            QTest::keyClicks(field, "17");
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_TRUE(QTest::qWaitFor([&] { return second->received("value 17"); }, kWait));
        },
        prompts);
    EXPECT_TRUE(prompts.boxes.empty());
}

}  // namespace
}  // namespace veltro::gui

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
