#include "common/gui/display.h"

#include <QList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "common/gui/translations.h"

namespace common::gui {
namespace {

bool memberAvailable(std::string_view name, const DisplayEnvironment& environment) {
    // "xcb:option=value": the options do not change what is needed.
    name = name.substr(0, name.find(':'));
    if (name == "xcb")
        return environment.x11;
    if (name.substr(0, 7) == "wayland")
        return environment.wayland;
    return !name.empty();
}

// Qt's messages while the application is made: held back, so that a missing
// display is said in our one line rather than in Qt's three; given to the
// usual handler afterwards when all went well.
struct Construction {
    std::string noDisplay;
    QtMessageHandler previous = nullptr;
    QList<std::pair<QtMsgType, QString>> held;
};
Construction* g_construction = nullptr;

void duringConstruction(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", g_construction->noDisplay.c_str());
        std::fflush(stderr);
        std::_Exit(kNoDisplayStatus);
    }
    g_construction->held.append({type, message});
}

}  // namespace

bool displayAvailable(const DisplayEnvironment& environment) {
    if (environment.platform.empty())
        return environment.systemWindows || environment.x11 || environment.wayland;
    std::string_view list = environment.platform;
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        if (memberAvailable(list.substr(0, end), environment))
            return true;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return false;
}

DisplayEnvironment currentDisplayEnvironment(int argc, char** argv) {
    DisplayEnvironment environment;
    if (const char* platform = std::getenv("QT_QPA_PLATFORM"))
        environment.platform = platform;
    // Qt takes "-platform NAME" (also with two dashes) before the variable.
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "-platform" || word == "--platform")
            environment.platform = argv[i + 1];
    }
    addWindowSystems(environment);
    return environment;
}

std::unique_ptr<QApplication> openApplication(int& argc, char** argv, std::string_view noDisplay) {
    if (!displayAvailable(currentDisplayEnvironment(argc, argv))) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(noDisplay.size()), noDisplay.data());
        return nullptr;
    }
    Construction construction{std::string(noDisplay), nullptr, {}};
    g_construction = &construction;
    construction.previous = qInstallMessageHandler(duringConstruction);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(construction.previous);
    g_construction = nullptr;
    for (const auto& [type, message] : construction.held)
        qt_message_output(type, QMessageLogContext(), message);
    installQtTranslations(*application);
    return application;
}

}  // namespace common::gui
