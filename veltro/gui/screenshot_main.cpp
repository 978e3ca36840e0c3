// The debugger with the hooks that draw its pictures for the README and the
// demonstration without a screen (Screenshot::fromEnvironment): a program of
// its own, so that the debugger that ships reads no such variables.
//   VELTRO_SCREENSHOT=file.png veltro_screenshot_maker [the debugger's words]
#include "veltro/gui/desktop.h"
#include "veltro/gui/screenshot.h"

int main(int argc, char** argv) {
    return veltro::gui::runDesktop(argc, argv, [] {
        return std::unique_ptr<QObject>(veltro::gui::Screenshot::fromEnvironment());
    });
}
