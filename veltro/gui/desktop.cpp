#include "veltro/gui/desktop.h"

#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/config_directory.h"
#include "common/gui/display.h"
#include "veltro/capture/capture_words.h"
#include "veltro/gui/debugger_app.h"
#include "veltro/gui/program_icon.h"

namespace veltro::gui {
namespace {

constexpr char kNoDisplay[] =
    "veltro: geen beeldscherm bereikbaar; de vensters van de debugger hebben er een nodig. "
    "Zonder vensters: veltro --check, --watch, --verschillen of --aanpassen (zie veltro --help).";

// The words behind the program name; Qt has taken its own options
// (-platform and the like) out of them.
std::vector<std::string> commandLineWords() {
    const QStringList arguments = QApplication::arguments();
    std::vector<std::string> words;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        words.push_back(arguments[i].toStdString());
    return words;
}

std::string joined(const std::vector<std::string>& words) {
    std::string commandLine;
    for (const std::string& word : words) {
        if (!commandLine.empty())
            commandLine += ' ';
        commandLine += word;
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
    std::vector<std::string> words = commandLineWords();
    const capture::CaptureWords capture = capture::takeCaptureWords(words);
    if (!capture.error.empty()) {
        std::cerr << "veltro: " << capture.error << '\n';
        return 2;
    }
    DebuggerEnvironment environment;
    environment.commandLine = joined(words);
    environment.startDirectory = error ? std::string(".") : start.string();
    if (!capture.replayDirectory.empty())
        environment.startDirectory = std::filesystem::absolute(capture.replayDirectory).string();
    environment.recordPath = capture.recordPath;
    environment.replayPath = capture.replayPath;
    environment.configDirectory = common::configDirectory();
    const std::unique_ptr<QObject> beside = companion ? companion() : nullptr;
    DebuggerApp debugger(std::move(environment));
    return debugger.run();
}

}  // namespace veltro::gui
