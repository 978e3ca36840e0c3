// The desktop start-up as a whole, in this process: the link opened from the
// command line with its boxes and exit codes, the settings read, the start
// word's dialog posted to the loop.
#include "veltro/gui/debugger_app.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "main_window_rig.h"
#include "support/temp_dir.h"
#include "veltro/gui/dump_window.h"
#include "veltro/gui/message_window.h"
#include "veltro/gui/replay/replay_bar.h"

namespace veltro::gui {
namespace {

// A TCP port on 127.0.0.1 that listens (connections wait in its backlog),
// or, closed, one that refuses.
class LocalPort {
  public:
    explicit LocalPort(bool listening) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        if (listening) {
            ::listen(m_fd, 4);
        } else {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LocalPort() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int port() const { return m_port; }

  private:
    int m_fd = -1;
    int m_port = 0;
};

// A scratch copy of the sample intersection to start in.
std::filesystem::path copySample(const test_support::TempDir& dir) {
    const std::filesystem::path target = dir.path() / "kruispunt";
    std::filesystem::copy(EXAMPLES_DIR "/kruispunt", target,
                          std::filesystem::copy_options::recursive);
    return target;
}

struct StartRun {
    test_support::TempDir dir;
    test_support::ScriptedPrompts prompts;
    std::ostringstream errors;
    DebuggerEnvironment environment(const std::string& commandLine,
                                    std::function<void(DebuggerApp&)> loop = {}) {
        DebuggerEnvironment e;
        e.commandLine = commandLine;
        e.startDirectory = copySample(dir).string();
        e.configDirectory = dir.path() / "config";
        e.prompts = &prompts;
        e.errors = &errors;
        e.loop = std::move(loop);
        return e;
    }
};

TEST(DebuggerStart, ARefusedIpConnectionShowsItsBoxAndEndsWithOne) {
    StartRun run;
    const LocalPort closed(false);
    bool looped = false;
    DebuggerApp app(run.environment("-IP 127.0.0.1 -IPP " + std::to_string(closed.port()),
                                    [&](DebuggerApp&) { looped = true; }));
    EXPECT_EQ(app.run(), 1);
    EXPECT_FALSE(looped);
    EXPECT_EQ(app.mainWindow(), nullptr);
    ASSERT_EQ(run.prompts.boxes.size(), 1u);
    EXPECT_EQ(run.prompts.boxes[0].caption, "VELTRO - IP communicatie probleem - einde programma");
    // The system's text first; under it what to check, as the program ends here.
    EXPECT_EQ(run.prompts.boxes[0].text,
              "error calling connect():\nThe attempt to connect was forcefully rejected.\n\n"
              "De regelautomaat op 127.0.0.1 poort " +
                  std::to_string(closed.port()) +
                  " is niet bereikbaar. Controleer of de regelautomaat (of ctrlsim) aan staat "
                  "en op die poort luistert, en of het IP-adres (-IP) en de poort (-IPP) "
                  "kloppen.");
    EXPECT_EQ(run.prompts.boxes[0].icon, PromptIcon::Error);
    EXPECT_NE(run.errors.str().find("==> error code: 10061"), std::string::npos);
}

TEST(DebuggerStart, ASerialPortThatCannotBeOpenedEndsWithZero) {
    StartRun run;
    DebuggerEnvironment environment = run.environment("COM3 -B 19200");
    std::ofstream(environment.startDirectory + "/veltro.ini")
        << "[Poorten]\nCOM3=" << (run.dir.path() / "no-such-device").string() << "\n";
    DebuggerApp app(std::move(environment));
    EXPECT_EQ(app.run(), 0);
    ASSERT_EQ(run.prompts.boxes.size(), 1u);
    EXPECT_EQ(run.prompts.boxes[0].caption, "VELTRO.EXE");
    EXPECT_EQ(run.prompts.boxes[0].text,
              "Fatale fout: de COM-poort kan niet geopend worden.\n"
              "Controleer de COM-poortinstellingen.\nApparaat: " +
                  (run.dir.path() / "no-such-device").string());
}

TEST(DebuggerStart, SettingsFirstWindowAndTheStartWordsDialog) {
    StartRun run;
    const LocalPort listening(true);
    DebuggerEnvironment environment =
        run.environment("-ip 127.0.0.1 -ipp " + std::to_string(listening.port()) + " dpcom");
    std::ofstream(environment.startDirectory + "/veltro.ini")
        << "[Hoofdvenster]\nX-positie=30\nY-positie=20\nBreedte=700\nHoogte=500\n"
        << "Fontnaam=Nergens Te Vinden\nFontpuntgrootte=13\nDPCOM file name="
        << (run.dir.path() / "uit.dmp").string() << "\n";
    // Yesterday's dump, which opening the dump window at the start must keep.
    const std::string yesterday("ALGEMEEN\r\nEINDE DUMP\r\n\xFF\r\n", 25);
    run.dir.write("uit.dmp", yesterday);
    std::string dumpWindow;
    environment.loop = [&](DebuggerApp& app) {
        MainWindow& main = *app.mainWindow();
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(main.windowTitle(), "Debugger 001 - debug_001.plo");
        EXPECT_EQ(main.pos(), QPoint(30, 20));
        EXPECT_EQ(main.size(), QSize(700, 500));
        // A face the desktop lacks falls back; the size is the one asked for.
        EXPECT_EQ(main.shownWidget()->font().pointSize(), 13);
        EXPECT_EQ(main.messageWindow().line(0),
                  "macrodef.plo : Inlezen van het macro definitie bestand.");
        EXPECT_EQ(app.windows().windowCount(), 6);
        // DPCOM was posted: the dump window opens from the loop.
        test_support::whenModal([&](QWidget& w) {
            dumpWindow = w.windowTitle().toStdString();
            EXPECT_TRUE(app.windows().suspended());
            static_cast<QDialog&>(w).reject();
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dumpWindow.empty(); }, 5000));
        EXPECT_FALSE(app.windows().suspended());
    };
    DebuggerApp app(std::move(environment));
    EXPECT_EQ(app.run(), 1);  // a normal end
    EXPECT_EQ(dumpWindow, "DPCOM");
    EXPECT_TRUE(run.prompts.boxes.empty());
    EXPECT_EQ(run.dir.read("uit.dmp"), yesterday);
}

// The font as veltro.ini keeps it: a face name of more than 19 characters
// whole, and a stored width applied as a stretch of the face.
TEST(DebuggerStart, TheStoredFontWholeWithItsWidth) {
    StartRun run;
    const LocalPort listening(true);
    DebuggerEnvironment environment =
        run.environment("-IP 127.0.0.1 -IPP " + std::to_string(listening.port()));
    std::ofstream(environment.startDirectory + "/veltro.ini")
        << "[Hoofdvenster]\nFontnaam=DejaVu Sans Condensed\nFontpuntgrootte=10\n"
        << "Fontbreedte=12\n";
    environment.loop = [&](DebuggerApp& app) {
        const QFont font = app.mainWindow()->shownWidget()->font();
        EXPECT_EQ(font.family(), "DejaVu Sans Condensed");
        EXPECT_GT(font.stretch(), 100);  // wider than the face's own
        EXPECT_NEAR(QFontMetrics(font).averageCharWidth(), 12, 1);
    };
    DebuggerApp app(std::move(environment));
    EXPECT_EQ(app.run(), 1);
}

// Prompts that record as ScriptedPrompts do, and let the windows go on while
// a box is up, as a modal box's own event loop does.
class BoxWithItsLoop final : public Prompts {
  public:
    void messageBox(std::string_view caption, std::string_view text, PromptIcon icon) override {
        scripted.messageBox(caption, text, icon);
        if (whileShown)
            whileShown();
    }
    bool askYesNo(std::string_view caption, std::string_view text, PromptIcon icon) override {
        return scripted.askYesNo(caption, text, icon);
    }
    std::optional<std::string> askText(std::string_view caption, std::string_view prompt,
                                       std::string_view initial) override {
        return scripted.askText(caption, prompt, initial);
    }
    test_support::ScriptedPrompts scripted;
    std::function<void()> whileShown;
};

// Started in a directory that is no project, the start-up fails after its
// box; whatever was written meanwhile (the window's place, moved while the
// box was up) leaves no veltro.ini behind. In a project the same write lands
// once the start-up succeeded.
TEST(DebuggerStart, AFailedStartUpLeavesNoSettingsFileBehind) {
    const test_support::TempDir dir;
    const LocalPort listening(true);
    BoxWithItsLoop prompts;
    std::ostringstream errors;
    DebuggerEnvironment environment;
    environment.commandLine = "-IP 127.0.0.1 -IPP " + std::to_string(listening.port());
    environment.startDirectory = dir.path().string();
    environment.configDirectory = dir.path() / "config";
    environment.prompts = &prompts;
    environment.errors = &errors;
    DebuggerApp app(std::move(environment));
    prompts.whileShown = [&] {
        app.mainWindow()->move(40, 50);
        QTest::qWait(400);  // the window's place is written 200 ms after a move
        app.settings().writeInt("Hoofdvenster", "X-positie", 40);
    };
    EXPECT_EQ(app.run(), 0);
    ASSERT_EQ(prompts.scripted.boxes.size(), 1u);
    EXPECT_EQ(prompts.scripted.boxes[0].caption, "Debugger Foutmelding");
    EXPECT_EQ(test_support::fileNames(dir.path()), std::vector<std::string>{});

    StartRun project;
    DebuggerEnvironment started =
        project.environment("-IP 127.0.0.1 -IPP " + std::to_string(listening.port()));
    const std::filesystem::path ini = std::filesystem::path(started.startDirectory) / "veltro.ini";
    started.loop = [&](DebuggerApp& app) {
        app.settings().writeInt("Hoofdvenster", "X-positie", 40);
        EXPECT_TRUE(std::filesystem::exists(ini));
    };
    DebuggerApp projectApp(std::move(started));
    EXPECT_EQ(projectApp.run(), 1);
}

// veltro --replay: the recorded values reach the shown window through the
// link's receive path, a write is refused as the recording it is, a capture
// of another project is told, and the end of the recording too.
TEST(DebuggerStart, AReplayShowsTheRecordedValuesAndRefusesWrites) {
    StartRun run;
    const std::string capture =
        run.dir
            .write("opname.txt",
                   "VELTRO-OPNAME 1\nproject ander\nzxapdef -\nbegin 1796760403000\n"
                   "0 > FF 45 48 40 40 40 40\n1 < BF 45 48 40 40 41 64\n"
                   "3 < BF 45 4B 40 40 5F 6A\neinde\n")
            .string();
    DebuggerEnvironment environment = run.environment("");
    environment.replayPath = capture;
    std::vector<std::string> lines;
    std::string version;
    environment.loop = [&](DebuggerApp& app) {
        ASSERT_NE(app.replay(), nullptr);
        ASSERT_NE(app.replayBar(), nullptr);
        auto shownVersion = [&] {
            for (const DebugItem& item : app.windows().shownWindow()->items()) {
                if (item.functionCode == 15 * 32 + 8)
                    version = item.text;
            }
            return version == "100";
        };
        // The decoded values reach the window through the dispatcher.
        EXPECT_TRUE(QTest::qWaitFor(shownVersion, 5000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return app.replay()->player().finished(); }, 5000));
        // Enter in the bar's time field is the bar's, not the debug window's.
        QLineEdit* time = app.replayBar()->timeField();
        time->setText("geen tijd");
        QTest::keyClick(time, Qt::Key_Return);
        EXPECT_FALSE(time->toolTip().isEmpty()) << "the time was not looked at";
        app.link().link.requests().send({15 * 32 + 8, -1, 255, 0, 7}, CommandMode::Write);
        const MessageWindow& window = app.mainWindow()->messageWindow();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return window.line(window.lineCount() - 1).contains("Dit is een opname"); },
            5000));
        for (int i = 0; i < window.lineCount(); ++i)
            lines.push_back(window.line(i).toStdString());
    };
    DebuggerApp app(std::move(environment));
    EXPECT_EQ(app.run(), 1);
    EXPECT_EQ(version, "100");
    auto told = [&](const std::string& text) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    };
    EXPECT_TRUE(told("Opname " + capture + ": de opname is gemaakt bij project 'ander'"));
    EXPECT_TRUE(told("Opname " + capture + ": einde van de opname."));
    EXPECT_TRUE(told("Dit is een opname: er wordt niets naar de regelautomaat geschreven."));

    StartRun missing;
    DebuggerEnvironment none = missing.environment("");
    none.replayPath = (missing.dir.path() / "geen.txt").string();
    DebuggerApp nothing(std::move(none));
    EXPECT_EQ(nothing.run(), 3);
    ASSERT_EQ(missing.prompts.boxes.size(), 1u);
    EXPECT_EQ(missing.prompts.boxes[0].text, "Opname " +
                                                 (missing.dir.path() / "geen.txt").string() +
                                                 ": de opname kan niet gelezen worden.");
}

}  // namespace
}  // namespace veltro::gui
