// veltro: the controller debugger. Without a command of its own it opens its
// windows in the current directory; --check, the tool commands and --watch
// run without windows.
#include <array>
#include <atomic>
#include <csignal>
#include <iostream>
#include <string>
#include <string_view>
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
    "              [--record FILE]\n"
    "       veltro COMMAND ...\n"
    "  without a command the debugger opens its windows on the debug window files\n"
    "  of the current directory and follows the controller over a serial port\n"
    "  (default COM1, 9600 baud) or, with -IP, over TCP (default port 7000);\n"
    "  DPCOM and the other start words open their dialog at start; a lost link is\n"
    "  opened again with growing pauses unless -NORECONNECT is given; -IP takes a\n"
    "  dotted IPv4 address (a host name is not looked up), -IPP a port 1..65535;\n"
    "  VELTRO_TRACE=1 in the environment prints the IP reader's \"recvBytes = N\"\n"
    "  lines on standard output (never without it);\n"
    "  --record FILE records every frame into the new capture file FILE\n"
    "       veltro --replay CAPTURE [DIR]\n"
    "  the debugger on the project DIR (default the current directory) without a\n"
    "  controller, replaying the capture with a bar to pause, speed up and jump\n"
    "commands without windows (exit 0 success, 1 a finding, 2 a wrong command line,\n"
    "3 a link, file or silent-controller failure):\n";

// Ctrl-C (and a polite kill) ends a command in order: a watch's link stops
// and its file is complete, a tool run stops after its current command.
std::atomic<bool> g_interrupted{false};
extern "C" void interrupt(int) {
    g_interrupted.store(true);
}

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&,
                        const std::atomic<bool>&);

struct CommandEntry {
    std::string_view word;
    Command run;
};

constexpr std::array<CommandEntry, 7> kCommands{{
    {"--check", veltro::runCheckCommand},
    {"--verschillen", veltro::tools::runToolCommand},
    {"--aanpassen", veltro::tools::runToolCommand},
    {"--bewaar", veltro::tools::runToolCommand},
    {"--terugzetten", veltro::tools::runToolCommand},
    {"--afname", veltro::tools::runToolCommand},
    {"--watch", veltro::watch::runWatch},
}};

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--help") {
        std::cout << kUsage << veltro::kCheckUsage << veltro::tools::kToolCommandUsage
                  << veltro::watch::kWatchUsage;
        return 0;
    }
    for (const CommandEntry& command : kCommands) {
        if (first != command.word)
            continue;
        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, interrupt);
        return command.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                           g_interrupted);
    }
#if VELTRO_DESKTOP
    return veltro::gui::runDesktop(argc, argv);
#else
    std::cerr << "veltro: the debugger windows are not available in this build\n" << kUsage;
    return 2;
#endif
}
