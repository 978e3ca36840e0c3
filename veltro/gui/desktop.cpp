#include "veltro/gui/desktop.h"

#include <QApplication>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "veltro/gui/debugger_app.h"
#include "veltro/gui/program_icon.h"
#include "veltro/gui/screenshot.h"

namespace veltro::gui {
namespace {

// "The Windows directory" of the profile functions' fallback.
std::filesystem::path configDirectory() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0')
        return xdg;
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::filesystem::path(home) / ".config";
    return ".";
}

}  // namespace

int runDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veltro"));
    QApplication::setWindowIcon(programIcon());
    // The words behind the program name, as one command line; Qt has taken
    // its own options (-platform and the like) out of them.
    const QStringList arguments = QApplication::arguments();
    std::string commandLine;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!commandLine.empty())
            commandLine += ' ';
        commandLine += arguments[i].toStdString();
    }
    std::error_code error;
    const std::filesystem::path start = std::filesystem::current_path(error);
    DebuggerEnvironment environment;
    environment.commandLine = commandLine;
    environment.startDirectory = error ? std::string(".") : start.string();
    environment.configDirectory = configDirectory();
    const auto screenshot = Screenshot::fromEnvironment();
    DebuggerApp debugger(std::move(environment));
    return debugger.run();
}

}  // namespace veltro::gui
