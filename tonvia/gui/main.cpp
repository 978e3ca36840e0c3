#include <QApplication>
#include <QStringList>
#include <string>
#include <vector>

#include "tonvia/command_line.h"
#include "tonvia/generation_date.h"
#include "tonvia/gui/message_window.h"
#include "tonvia/gui/window_run.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::vector<std::string> arguments;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i) {
        arguments.push_back(given[i].toStdString());
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
