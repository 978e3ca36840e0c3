// veltro: the controller debugger. Without a command of its own it opens its
// windows in the current directory; --check, the tool commands and --watch
// run without windows.
#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "veltro/session/check_command.h"
#include "veltro/tools/headless/tool_commands.h"
#include "veltro/watch/watch_command.h"

#if VELTRO_DESKTOP
#include "veltro/gui/desktop.h"
#endif

namespace {

constexpr std::string_view kUsage =
    "usage: veltro [COM1..COM4] [-C N] [-B BAUD] [-IP ADDRESS] [-IPP PORT]\n"
    "              [DPCOM|-D] [AFNAME|-A] [PARAMETERS|-P] [VERSCHILLEN|-V] [-NORECONNECT]\n"
    "       veltro --check [DIR]\n"
    "  without a command the debugger opens its windows on the debug window files\n"
    "  of the current directory and follows the controller over a serial port\n"
    "  (default COM1, 9600 baud) or, with -IP, over TCP (default port 7000);\n"
    "  DPCOM and the other start words open their dialog at start; a lost link is\n"
    "  opened again with growing pauses unless -NORECONNECT is given\n"
    "  --check [DIR]  load the macro definitions, ZXAPDEF.H, ZXAPTAB.C and the debug\n"
    "                 window files of DIR (default: the current directory) as the\n"
    "                 debugger's start-up does, and print the message window lines\n";

// Ctrl-C (and a polite kill) ends a watch in order: its link stops, its
// file is complete.
std::atomic<bool> g_interrupted{false};
extern "C" void interrupt(int) {
    g_interrupted.store(true);
}

std::string absoluteDirectory(const std::string& dir) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(dir, ec);
    if (ec) {
        path = dir;
    }
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const int extra = argc - 1;
    if (extra >= 1 && std::string_view(argv[1]) == "--help") {
        std::cout << kUsage << veltro::tools::kToolCommandUsage << veltro::watch::kWatchUsage;
        return 0;
    }
    if (extra >= 1 && extra <= 2 && std::string_view(argv[1]) == "--check") {
        const std::string dir = extra == 2 ? argv[2] : ".";
        return veltro::runCheck(absoluteDirectory(dir), std::cout, std::cerr);
    }
    if (extra >= 1 && (std::string_view(argv[1]) == "--verschillen" ||
                       std::string_view(argv[1]) == "--aanpassen")) {
        return veltro::tools::runToolCommand(std::vector<std::string>(argv + 1, argv + argc),
                                             std::cout, std::cerr);
    }
    if (extra >= 1 && std::string_view(argv[1]) == "--watch") {
        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, interrupt);
        return veltro::watch::runWatch(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                       std::cerr, g_interrupted);
    }
#if VELTRO_DESKTOP
    return veltro::gui::runDesktop(argc, argv);
#else
    std::cerr << "veltro: the debugger windows are not available in this build\n" << kUsage;
    return 2;
#endif
}
