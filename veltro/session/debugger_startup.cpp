#include "veltro/session/debugger_startup.h"

#include "veltro/session/command_line.h"
#include "veltro/session/startup.h"

namespace veltro {
namespace {

constexpr std::string_view kNotStartedCaption = "VELTRO.EXE";
constexpr std::string_view kNotStarted = "De Tiral debugger kon niet worden opgestart.";

}  // namespace

int runDebugger(std::string_view commandLine, const std::string& startDirectory, StartupHost& host,
                Prompts& prompts, Messages& messages, DefinitionTable& definitions,
                ElementTables& elements, ScreenCollector& windows) {
    const SessionOptions options = parseCommandLine(commandLine, prompts);
    if (!host.registerWindowClasses()) {
        prompts.messageBox(kNotStartedCaption, kNotStarted, PromptIcon::None);
        return 0;
    }
    host.installKeyboardHook();
    if (!host.createMainWindow(options)) {
        host.shutDown();
        return host.creationFailureExitCode();
    }
    // Posted during creation, it runs from the loop after the loading.
    if (const std::string_view command = startCommand(options); !command.empty()) {
        host.postCommand(command);
    }
    if (!host.createMessageWindow()) {
        host.destroyMainWindow();
        host.shutDown();
        return 0;
    }
    host.showMainWindow();
    const StartupOutcome outcome =
        loadStartDirectory(startDirectory, definitions, elements, messages, windows);
    if (outcome.failed) {
        prompts.messageBox(outcome.boxCaption, outcome.boxText, outcome.boxIcon);
        host.destroyMainWindow();
        host.shutDown();
        return 0;
    }
    if (windows.windowCount() > 0) {
        host.showFirstDebugWindow();
    }
    host.runMessageLoop();
    host.shutDown();
    return 1;
}

}  // namespace veltro
