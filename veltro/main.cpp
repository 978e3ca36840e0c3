// veltro: the controller debugger. Without a command of its own it opens its
// windows in the current directory; --check and the tool commands run
// without windows.
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "veltro/session/check_command.h"
#include "veltro/tools/headless/tool_commands.h"

#if VELTRO_DESKTOP
#include "veltro/gui/desktop.h"
#endif

namespace {

constexpr std::string_view kUsage =
    "usage: veltro [COM1..COM4] [-C N] [-B BAUD] [-IP ADDRESS] [-IPP PORT]\n"
    "              [DPCOM|-D] [AFNAME|-A] [PARAMETERS|-P] [VERSCHILLEN|-V]\n"
    "       veltro --check [DIR]\n"
    "  without a command the debugger opens its windows on the debug window files\n"
    "  of the current directory and follows the controller over a serial port\n"
    "  (default COM1, 9600 baud) or, with -IP, over TCP (default port 7000);\n"
    "  DPCOM and the other start words open their dialog at start\n"
    "  --check [DIR]  load the macro definitions, ZXAPDEF.H, ZXAPTAB.C and the debug\n"
    "                 window files of DIR (default: the current directory) as the\n"
    "                 debugger's start-up does, and print the message window lines\n";

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
        std::cout << kUsage << veltro::tools::kToolCommandUsage;
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
#if VELTRO_DESKTOP
    return veltro::gui::runDesktop(argc, argv);
#else
    std::cerr << "veltro: the debugger windows are not available in this build\n" << kUsage;
    return 2;
#endif
}
