#pragma once

// A main window over the sample intersection's debug windows, with the link
// replaced by a frame recorder and the poll cycle's timers fired by the test.

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/veltro/frames.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "support/veltro/timers.h"
#include "veltro/gui/debug_window.h"
#include "veltro/gui/key_filter.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/message_window.h"
#include "veltro/link/frame_sender.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/session/link_adapters.h"
#include "veltro/session/message_log.h"
#include "veltro/session/startup.h"

namespace test_support {

// The link's part in switching windows: the poll cycle behind it, as the
// controller link drives it.
class PollingLink final : public veltro::DisplayLink {
  public:
    explicit PollingLink(veltro::link::PollCycle& poll) : m_poll(poll) {}
    void setPaused(bool paused) override { pausedCalls += paused ? 1 : 0; }
    void windowHidden() override { m_poll.hide(); }
    void windowShown() override { m_poll.start(); }
    int pausedCalls = 0;

  private:
    veltro::link::PollCycle& m_poll;
};

// The message window's lines through the real composer, once it exists.
class LinesRelay final : public veltro::MessageLines {
  public:
    bool addLine(const std::string& line) override {
        return target == nullptr || target->addLine(line);
    }
    veltro::MessageLines* target = nullptr;
};

struct MainWindowRig {
    explicit MainWindowRig(const std::string& directory = EXAMPLES_DIR "/kruispunt",
                           bool load = true)
        : debugDirectory(directory + "/") {
        lines.target = &main.messageWindow();
        sink.setTrust(&trust);
        trust.setView(&main);
        hook.setWindow(&main);
        qApp->installEventFilter(&hook);
        main.resize(800, 600);
        main.show();
        main.activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(&main));
        if (load) {
            veltro::loadStartDirectory(directory, definitions, *elements, log, windows);
            main.syncWindows();
            if (windows.windowCount() > 0)
                main.showWindow(0);
        }
    }
    ~MainWindowRig() {
        qApp->removeEventFilter(&hook);
        lines.target = nullptr;
    }

    veltro::DebugScreen& shownScreen() { return *windows.shownWindow(); }
    veltro::gui::DebugWindow& shownWidget() { return *main.shownWidget(); }
    // The frames sent since the last call.
    std::vector<Frame> takeFrames() {
        std::vector<Frame> frames = decodeFrames(writer.writes);
        writer.writes.clear();
        return frames;
    }
    // A report of the controller for item `item` of the shown window.
    void report(int item, int value) {
        veltro::ControllerRecord record = shownScreen().item(item).record();
        record.reserved = 0;
        record.value = value;
        sink.deliver(record);
    }

    std::string debugDirectory;
    RecordingWriter writer;
    veltro::link::FrameSender sender{writer};
    FakeTimers timers;
    ScriptedPrompts prompts;
    MemorySettings settings;
    LinesRelay lines;
    veltro::MessageLog log{lines, prompts};
    veltro::DefinitionTable definitions;
    std::unique_ptr<veltro::ElementTables> elements = std::make_unique<veltro::ElementTables>();
    veltro::DebugWindowList windows;
    veltro::ShownWindowPoll pollWindow{windows};
    veltro::link::PollCycle poll{pollWindow, sender, timers, log};
    PollingLink link{poll};
    veltro::LinkTrust trust{windows};
    veltro::gui::MainWindow main{veltro::gui::MainWindowParts{
        windows, link, poll, sender, trust, prompts, log, settings, definitions, debugDirectory}};
    veltro::ShownWindowSink sink{windows, &main};
    veltro::gui::KeyboardHook hook;
};

// Runs `act` on the next modal dialog once it is open (from the event loop,
// while the code that opened it waits in exec()). A dialog that does not come
// within five seconds is not waited for, so that a later test's is not taken.
inline void whenModal(std::function<void(QWidget&)> act) {
    auto pending = std::make_shared<std::function<void(QWidget&)>>(std::move(act));
    auto* poller = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poller, &QTimer::timeout, poller, [pending, poller, started] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && started->elapsed() < 5000)
            return;
        poller->stop();
        poller->deleteLater();
        if (modal != nullptr)
            (*pending)(*modal);
    });
    poller->start(10);
}

}  // namespace test_support
