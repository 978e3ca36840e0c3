#include "pendrel/gui/application.h"

#include <QApplication>
#include <filesystem>
#include <iostream>

#include "common/gui/display.h"
#include "pendrel/generate_command.h"
#include "pendrel/gui/main_window.h"

namespace pendrel::gui {

namespace {

constexpr char kNoDisplay[] =
    "pendrel: geen beeldscherm bereikbaar; de vensters van de schermontwerper hebben er een "
    "nodig. Zonder vensters: pendrel --generate (zie pendrel --help).";

}  // namespace

int runDesktop(int argc, char** argv) {
    const auto application = common::gui::openApplication(argc, argv, kNoDisplay);
    if (!application)
        return common::gui::kNoDisplayStatus;
    QApplication::setApplicationName(QStringLiteral("pendrel"));
    // Qt took its own options (-style, -platform); anything left is not ours.
    if (QApplication::arguments().size() > 1) {
        std::cerr << "pendrel: onbekend argument " << QApplication::arguments().at(1).toStdString()
                  << '\n'
                  << usageText();
        return 2;
    }
    std::error_code error;
    std::filesystem::path working = std::filesystem::current_path(error);
    MainWindow window(ProjectSettings(), working);
    window.show();
    return QApplication::exec();
}

}  // namespace pendrel::gui
