#include "veltro/gui/desktop.h"

#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <system_error>

#include "common/config_directory.h"
#include "common/gui/display.h"
#include "veltro/gui/debugger_app.h"
#include "veltro/gui/program_icon.h"

namespace veltro::gui {
namespace {

constexpr char kNoDisplay[] =
    "veltro: geen beeldscherm bereikbaar; de vensters van de debugger hebben er een nodig. "
    "Zonder vensters: veltro --check, --watch, --verschillen of --aanpassen (zie veltro --help).";

// The words behind the program name, as one command line; Qt has taken its
// own options (-platform and the like) out of them.
std::string commandLineWords() {
    const QStringList arguments = QApplication::arguments();
    std::string commandLine;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!commandLine.empty())
            commandLine += ' ';
        commandLine += arguments[i].toStdString();
    }
    return commandLine;
}

}  // namespace

int runDesktop(int argc, char** argv, const DesktopCompanion& companion) {
    const auto application = common::gui::openApplication(argc, argv, kNoDisplay);
    if (!application)
        return common::gui::kNoDisplayStatus;
    QApplication::setApplicationName(QStringLiteral("veltro"));
    QApplication::setWindowIcon(programIcon());
    std::error_code error;
    const std::filesystem::path start = std::filesystem::current_path(error);
    DebuggerEnvironment environment;
    environment.commandLine = commandLineWords();
    environment.startDirectory = error ? std::string(".") : start.string();
    environment.configDirectory = common::configDirectory();
    const std::unique_ptr<QObject> beside = companion ? companion() : nullptr;
    DebuggerApp debugger(std::move(environment));
    return debugger.run();
}

}  // namespace veltro::gui
