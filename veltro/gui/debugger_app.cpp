#include "veltro/gui/debugger_app.h"

#include <QApplication>
#include <QFont>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>
#include <iostream>

#include "veltro/capture/capture_texts.h"
#include "veltro/capture/project_check.h"
#include "veltro/capture/replay_line.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/message_window.h"
#include "veltro/gui/qt_prompts.h"
#include "veltro/gui/replay/replay_bar.h"
#include "veltro/gui/settings_font.h"
#include "veltro/gui/status_line.h"
#include "veltro/link/ip_error.h"
#include "veltro/link/open_controller_link.h"
#include "veltro/link/status_text.h"
#include "veltro/session/settings.h"

namespace veltro::gui {

constexpr std::string_view kReplayCaption = "VELTRO";

// The message window's lines; before the window exists (and after it is
// gone) they go to standard error so that none is lost.
class DebuggerApp::Lines final : public MessageLines {
  public:
    bool addLine(const std::string& line) override {
        if (target != nullptr)
            return target->addLine(line);
        std::cerr << line << '\n';
        return true;
    }
    MessageLines* target = nullptr;
};

// An IP error ends the program: the report, the box, then the event loop
// ends with exit code 1. Errors come on the GUI thread (the link posts them).
class DebuggerApp::IpErrors final : public IpErrorHandler {
  public:
    IpErrors(std::ostream& out, Prompts& prompts) : m_out(out), m_prompts(prompts) {}
    void ipError(const IpError& error) override {
        if (m_ended)
            return;
        m_ended = true;
        link::showIpError(error, m_out, m_prompts);
        QCoreApplication::exit(1);
    }
    bool ended() const { return m_ended; }

  private:
    std::ostream& m_out;
    Prompts& m_prompts;
    bool m_ended = false;
};

DebuggerApp::DebuggerApp(DebuggerEnvironment environment)
    : m_environment(std::move(environment)),
      m_ownPrompts(m_environment.prompts ? nullptr : std::make_unique<QtPrompts>([this] {
          return m_main.get();
      })),
      m_prompts(m_environment.prompts ? m_environment.prompts : m_ownPrompts.get()),
      m_start(makeStartDirectory(m_environment.startDirectory)),
      m_settingsFile(settingsPath(m_start.path, m_environment.configDirectory)),
      m_elements(std::make_unique<ElementTables>()),
      m_lines(std::make_unique<Lines>()),
      m_log(*m_lines, *m_prompts),
      m_settings(m_settingsFile, m_log, m_settingsFile.path().string()),
      m_dumpPorts(std::make_unique<DumpWindowPorts>()),
      m_ipErrors(std::make_unique<IpErrors>(
          m_environment.errors ? *m_environment.errors : std::cerr, *m_prompts)),
      m_link(std::make_unique<LinkAssembly>(m_windows, m_log, *m_dumpPorts, *m_dumpPorts)) {}

DebuggerApp::~DebuggerApp() {
    shutDown();
    // The link's threads stop before anything they post to goes.
    m_link.reset();
}

int DebuggerApp::run() {
    return runDebugger(m_environment.commandLine, m_start.path, *this, *m_prompts, m_log,
                       m_definitions, *m_elements, m_windows);
}

void DebuggerApp::installKeyboardHook() {
    if (!m_hookInstalled) {
        qApp->installEventFilter(&m_hook);
        m_hookInstalled = true;
    }
}

bool DebuggerApp::openLink(const SessionOptions& options) {
    if (!m_environment.replayPath.empty())
        return openReplay();
    const link::LinkOpening opening = link::openControllerLink(
        m_link->link, options, {*m_prompts, *m_ipErrors, &m_settings, &m_log});
    if (opening.ipError) {
        // The program ends at this box: the message window that was told what
        // to check never shows, so the box says it under the system's text.
        IpError shown = *opening.ipError;
        if (!opening.advice.empty())
            shown.message += "\n\n" + opening.advice;
        link::showIpError(shown, m_environment.errors ? *m_environment.errors : std::cerr,
                          *m_prompts);
        m_creationExitCode = 1;
    }
    return opening.opened;
}

// A replay has no controller: the recording feeds the link's receive path,
// and a line that takes no write (saying so) stands in for the controller's.
bool DebuggerApp::openReplay() {
    m_replay = std::make_unique<capture::ReplayDriver>(m_link->link.consumer(),
                                                       m_link->link.flags().tap, m_replayClock);
    if (const auto error = m_replay->open(m_environment.replayPath)) {
        m_prompts->messageBox(kReplayCaption, *error, PromptIcon::Error);
        m_replay.reset();
        m_creationExitCode = 3;
        return false;
    }
    m_link->link.setLabel("opname " +
                          std::filesystem::path(m_environment.replayPath).filename().string());
    m_link->link.attach(
        std::make_unique<capture::ReplayLine>(m_link->dispatcher, m_log, m_replayClock));
    return true;
}

const WriteGate& DebuggerApp::writeGate() {
    if (!m_replay)
        return m_link->trust;
    if (!m_replayGate)
        m_replayGate = std::make_unique<capture::ReplayWriteGate>(m_log);
    return *m_replayGate;
}

bool DebuggerApp::createMainWindow(const SessionOptions& options) {
    m_options = options;
    if (!openLink(options))
        return false;
    makeMainWindow();
    return true;
}

void DebuggerApp::makeMainWindow() {
    MainWindowParts parts{
        m_windows,  m_link->link, m_link->poll, m_link->link.requests(), writeGate(),
        *m_prompts, m_log,        m_settings,   m_definitions,           m_start.withSeparator};
    m_main = std::make_unique<MainWindow>(std::move(parts));
    const VeltroSettings settings(m_settings);
    const WindowGeometry geometry = settings.readGeometry();
    m_main->move(geometry.x, geometry.y);
    m_main->resize(geometry.width, geometry.height);
    m_main->applyFont(fontFromSettings(settings.readFont()));
    m_main->statusBar()->addWidget(new StatusLine(m_link->link, m_main.get()), 1);
    if (m_replay) {
        m_replayBar = new ReplayBar(*m_replay, m_log, m_main.get());
        QToolBar* bar = m_main->addToolBar(m_replayBar->accessibleName());
        bar->setObjectName(QStringLiteral("replayToolBar"));
        bar->setMovable(false);
        bar->addWidget(m_replayBar);
    }
    if (!settings.hasGeometry())
        m_main->sizeForFullPicture();
    m_link->sink.setView(m_main.get());
    m_link->trust.setView(m_main.get());
    m_lines->target = &m_main->messageWindow();
    m_hook.setWindow(m_main.get());
    installStartDialogs(*this, *m_main);
}

bool DebuggerApp::createMessageWindow() {
    return m_main != nullptr;  // made with the main window, whose client it shares
}

void DebuggerApp::showMainWindow() {
    m_main->show();
    if (m_replay) {
        if (const auto other = capture::projectMismatch(m_replay->header(), m_start.path))
            m_log.message(message_kind::kWarning,
                          capture::texts::replayTold(m_environment.replayPath, *other));
        m_replayBar->start();
    }
}

void DebuggerApp::destroyMainWindow() {
    m_hook.setWindow(nullptr);
    m_lines->target = nullptr;
    m_replayBar = nullptr;  // goes with the main window
    m_link->sink.setView(nullptr);
    m_link->trust.setView(nullptr);
    m_main.reset();
}

void DebuggerApp::showFirstDebugWindow() {
    m_main->syncWindows();
    m_main->showWindow(0);
}

void DebuggerApp::postCommand(std::string_view menuItem) {
    MainWindow* window = m_main.get();
    QMetaObject::invokeMethod(
        window, [window, item = std::string(menuItem)] { window->runMenuCommand(item); },
        Qt::QueuedConnection);
}

void DebuggerApp::runMessageLoop() {
    m_main->syncWindows();  // the menu after the loading, also without windows
    if (m_ipErrors->ended())
        return;  // the link ended the program during the start-up
    m_settings.startWriting();
    if (m_environment.loop) {
        m_environment.loop(*this);
    } else {
        QApplication::exec();
    }
}

void DebuggerApp::shutDown() {
    if (m_hookInstalled) {
        qApp->removeEventFilter(&m_hook);
        m_hookInstalled = false;
    }
    if (m_main)
        destroyMainWindow();
}

}  // namespace veltro::gui
