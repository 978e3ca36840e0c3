#pragma once

#include <string>
#include <string_view>

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"
#include "veltro/screens/directory_scan.h"
#include "veltro/session/session_options.h"

namespace veltro {

// The windowing side of the start-up, which the front-end provides. Each
// step shows its own messages where it fails.
class StartupHost {
  public:
    virtual ~StartupHost() = default;
    virtual bool registerWindowClasses() = 0;  // unregisters what it did on failure
    virtual void installKeyboardHook() = 0;
    // Creates main window 1: opens the link, reads the window settings.
    virtual bool createMainWindow(const SessionOptions& options) = 0;
    // The exit code after createMainWindow failed: 0 when the serial port
    // could not be opened, 1 when the IP link's error ended the program.
    virtual int creationFailureExitCode() const { return 0; }
    virtual bool createMessageWindow() = 0;
    virtual void showMainWindow() = 0;
    virtual void destroyMainWindow() = 0;
    virtual void showFirstDebugWindow() = 0;  // lays the windows out, shows index 0
    virtual void postCommand(std::string_view menuItem) = 0;  // runs from the loop
    virtual void runMessageLoop() = 0;
    virtual void shutDown() = 0;  // hook off, windows destroyed, classes unregistered
};

// The whole start-up in its fixed order, the message loop and the end.
// Returns the process exit code: 1 after a normal end, 0 when start-up fails.
// The main window's definitions, element tables, messages and debug windows
// are passed in, owned by the front-end's main window.
int runDebugger(std::string_view commandLine, const std::string& startDirectory, StartupHost& host,
                Prompts& prompts, Messages& messages, DefinitionTable& definitions,
                ElementTables& elements, ScreenCollector& windows);

}  // namespace veltro
