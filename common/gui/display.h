#pragma once

#include <QApplication>
#include <memory>
#include <string>
#include <string_view>

namespace common::gui {

// What decides whether Qt can open windows here.
struct DisplayEnvironment {
    std::string platform;        // -platform NAME, else $QT_QPA_PLATFORM; empty: Qt's default
    bool x11 = false;            // $DISPLAY is set
    bool wayland = false;        // $WAYLAND_DISPLAY is set
    bool systemWindows = false;  // the default platform is the system's own (Windows)
};

// Whether the platform Qt would take can open windows: X11 ("xcb") needs
// $DISPLAY, Wayland $WAYLAND_DISPLAY, Qt's default one of the two; a list
// ("wayland;xcb") needs one of its members; the others (offscreen, vnc,
// eglfs...) need nothing named.
bool displayAvailable(const DisplayEnvironment& environment);

// The environment of this process, with the command line that Qt will read.
DisplayEnvironment currentDisplayEnvironment(int argc, char** argv);
// What this system's desktop offers (display_posix.cpp, display_win32.cpp).
void addWindowSystems(DisplayEnvironment& environment);

// The exit status of a desktop program started without a display.
inline constexpr int kNoDisplayStatus = 2;

// The Qt application of a desktop program, with Qt's own texts in the
// user's language (installQtTranslations). Without a display there is none:
// `noDisplay`, one line, has gone to standard error, and the caller ends with
// kNoDisplayStatus. A display that is named but cannot be reached (an ssh
// session's $DISPLAY without forwarding) ends the program with the same line
// and status rather than with Qt's abort.
std::unique_ptr<QApplication> openApplication(int& argc, char** argv, std::string_view noDisplay);

}  // namespace common::gui
