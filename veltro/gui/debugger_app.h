#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "veltro/capture/replay_driver.h"
#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/gui/dump_window.h"
#include "veltro/gui/key_filter.h"
#include "veltro/gui/link_assembly.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/write_gate.h"
#include "veltro/session/debugger_startup.h"
#include "veltro/session/message_log.h"
#include "veltro/session/profile_settings.h"
#include "veltro/session/session_options.h"
#include "veltro/session/settings_guard.h"
#include "veltro/session/start_directory.h"
#include "veltro/session/window_list.h"

namespace veltro::gui {

class MainWindow;
class DebuggerApp;
class ReplayBar;

// Where and how the desktop debugger runs.
struct DebuggerEnvironment {
    std::string commandLine;                // the words behind the program name
    std::string startDirectory;             // its project directory, as given
    std::filesystem::path configDirectory;  // veltro.ini when the start directory's is too long
    Prompts* prompts = nullptr;             // null: Qt message boxes
    std::ostream* errors = nullptr;         // the IP error report; null: standard error
    // Runs in place of the event loop (tests); null: the event loop.
    std::function<void(DebuggerApp&)> loop;
    std::string recordPath;  // --record FILE: record the session from the start
    std::string replayPath;  // --replay CAPTURE: no controller, the recording instead
};

// The debugger's assembly: the start-up host that makes the main window,
// opens the link, loads the start directory and runs the event loop, in the
// order that the start-up logic (runDebugger) decides.
class DebuggerApp final : public StartupHost {
  public:
    explicit DebuggerApp(DebuggerEnvironment environment);
    ~DebuggerApp() override;
    DebuggerApp(const DebuggerApp&) = delete;
    DebuggerApp& operator=(const DebuggerApp&) = delete;

    // The whole run; the exit code (1 after a normal end, 0 when the start-up
    // failed, 1 when the IP link ended the program).
    int run();

    // The parts, for the dialogs that the start items open and for tests.
    MainWindow* mainWindow() const { return m_main.get(); }
    DebugWindowList& windows() { return m_windows; }
    LinkAssembly& link() { return *m_link; }
    SettingsStore& settings() { return m_settings; }
    Prompts& prompts() { return *m_prompts; }
    Messages& messages() { return m_log; }
    const DefinitionTable& definitions() const { return m_definitions; }
    const ElementTables& elements() const { return *m_elements; }
    ElementTables& elements() { return *m_elements; }  // the tools' store beside them
    const SessionOptions& options() const { return m_options; }
    const StartDirectory& startDirectory() const { return m_start; }
    DumpWindowPorts& dumpPorts() { return *m_dumpPorts; }
    // The replay in place of a controller (null without --replay).
    capture::ReplayDriver* replay() const { return m_replay.get(); }
    ReplayBar* replayBar() const { return m_replayBar; }
    const std::string& recordPath() const { return m_environment.recordPath; }

    // StartupHost
    bool registerWindowClasses() override { return true; }
    void installKeyboardHook() override;
    bool createMainWindow(const SessionOptions& options) override;
    int creationFailureExitCode() const override { return m_creationExitCode; }
    bool createMessageWindow() override;
    void showMainWindow() override;
    void destroyMainWindow() override;
    void showFirstDebugWindow() override;
    void postCommand(std::string_view menuItem) override;
    void runMessageLoop() override;
    void shutDown() override;

  private:
    class Lines;
    class IpErrors;

    bool openLink(const SessionOptions& options);
    bool openReplay();
    // What a debug window asks before it writes: the link's trust, or a
    // replay's refusal.
    const WriteGate& writeGate();
    void makeMainWindow();

    DebuggerEnvironment m_environment;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts;
    StartDirectory m_start;
    ProfileFileSettings m_settingsFile;
    SessionOptions m_options;
    DefinitionTable m_definitions;
    std::unique_ptr<ElementTables> m_elements;
    DebugWindowList m_windows;
    std::unique_ptr<Lines> m_lines;
    MessageLog m_log;
    SettingsGuard m_settings;  // veltro.ini, written once the start-up succeeded
    std::unique_ptr<DumpWindowPorts> m_dumpPorts;  // the link's dump display and reply timer
    std::unique_ptr<IpErrors> m_ipErrors;
    std::unique_ptr<LinkAssembly> m_link;
    capture::MachineReplayClock m_replayClock;
    std::unique_ptr<capture::ReplayDriver> m_replay;  // feeds the link's receive path
    ReplayBar* m_replayBar = nullptr;                 // the main window's
    std::unique_ptr<WriteGate> m_replayGate;
    KeyboardHook m_hook;
    bool m_hookInstalled = false;
    std::unique_ptr<MainWindow> m_main;
    int m_creationExitCode = 0;
};

// The start items' dialogs: each part of the program that has one installs
// it here (start_dialogs.cpp).
void installStartDialogs(DebuggerApp& app, MainWindow& window);

}  // namespace veltro::gui
