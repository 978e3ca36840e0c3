#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "common/gui/display.h"
#include "tonvia/command_line.h"
#include "tonvia/generation_date.h"
#include "tonvia/gui/message_window.h"
#include "tonvia/gui/window_run.h"

namespace {

constexpr const char* kUsage =
    "Gebruik: tonviaw [DIRECTORY [TYPE]]\n"
    "Schrijft CONFIL voor de simulator SIMTRA uit ZXAPDEF.H en ZXAPTAB.C in DIRECTORY\n"
    "(standaard de huidige directory) en toont de meldingen in een venster.\n"
    "TYPE: 101 (ZAV C, standaard), 102 (ZAV CRS) of 103 (ZAV TDI).\n";

constexpr char kNoDisplay[] =
    "tonviaw: geen beeldscherm bereikbaar; het venster heeft er een nodig. "
    "Zonder venster: tonvia DIRECTORY [TYPE] (zie tonvia --help).";

}  // namespace

int main(int argc, char** argv) {
    // --help answers on standard output without a window, so that it also
    // works where there is no display.
    const std::vector<std::string> given(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (tonvia::parseCommandLine(given).command == tonvia::Command::Help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const auto application = common::gui::openApplication(argc, argv, kNoDisplay);
    if (!application)
        return common::gui::kNoDisplayStatus;
    std::vector<std::string> arguments;
    const QStringList remaining = QApplication::arguments();
    for (qsizetype i = 1; i < remaining.size(); ++i) {
        arguments.push_back(remaining[i].toStdString());
    }
    tonvia::gui::MessageWindow window;
    window.show();
    const tonvia::CommandLine line = tonvia::parseCommandLine(arguments);
    if (line.command != tonvia::Command::Run) {
        // The window has no use for --show or --version: it shows how to start it.
        if (!line.error.empty()) {
            window.appendLine(QString::fromStdString("tonviaw: " + line.error));
        }
        window.appendLine(QStringLiteral("Gebruik: tonviaw [DIRECTORY [TYPE]]"));
        QApplication::exec();
        return line.command == tonvia::Command::Help ? 0 : 2;
    }
    tonvia::gui::WindowRun run(window, line.directoryArgument, line.typeArgument,
                               tonvia::generationDate());
    QApplication::exec();
    run.wait();
    // A window closed before the run ended still reports how the run ended.
    QCoreApplication::sendPostedEvents();
    return window.exitStatus();
}
