#include "pendrel/gui/application.h"

#include <QApplication>
#include <filesystem>
#include <iostream>

#include "pendrel/generate_command.h"
#include "pendrel/gui/main_window.h"

namespace pendrel::gui {

int runDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
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
