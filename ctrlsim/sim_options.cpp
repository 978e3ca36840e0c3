#include "ctrlsim/sim_options.h"

#include <charconv>

namespace ctrlsim {

const char* const kUsage =
    "usage: ctrlsim [--dir DIR] [--port N] [--pty] [--no-stdin] [--verbose]\n"
    "               [--close-after N | --reset-after N] [--garbage] [--rate N]\n"
    "               [--set P=V]... [--set-file F]... [--ignore P]... [--reject P]...\n"
    "               [--dump-parameters F]\n"
    "  --dir DIR        read ZXAPDEF.H and ZXAPTAB.C of DIR (default: the sample)\n"
    "  --port N         listen on 127.0.0.1 port N (default 7000, 0: a free port)\n"
    "  --pty            also serve a pseudo-terminal\n"
    "  --no-stdin       keep running when standard input ends (Ctrl-C stops)\n"
    "  --verbose        print every request received\n"
    "  --close-after N  close each connection after N frames sent\n"
    "  --reset-after N  reset each connection after N frames sent\n"
    "  --garbage        send malformed bytes between frames\n"
    "  --rate N         send N value reports a second, spread over the CONTINUOUS objects\n"
    "  --set P=V        start parameter P with value V (controller units; repeatable)\n"
    "  --set-file F     start every parameter that the backup F (made by veltro, or an\n"
    "                   acceptance journal) holds with its value; --set goes after it\n"
    "  --dump-parameters F  at exit, write every parameter held to F in the backup's\n"
    "                   format (replaced whole)\n"
    "  --ignore P       never answer a READ of parameter P (repeatable)\n"
    "  --reject P       keep parameter P's value on a WRITE (repeatable)\n"
    "                   P is MACRO:ELEMENT (inst_VG_TIJD:SG02), a clearance time\n"
    "                   inst_O_TIJD:FROM:TO; elements by name or array number\n";

namespace {

std::optional<int> number(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

ParsedOptions failure(const std::string& text) {
    return {std::nullopt, "ctrlsim: " + text + "\n" + kUsage, 2};
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--dir" || a == "--port" || a == "--close-after" ||
                                a == "--reset-after" || a == "--rate" || a == "--set" ||
                                a == "--ignore" || a == "--reject" || a == "--set-file" ||
                                a == "--dump-parameters";
        if (takesValue && i + 1 >= args.size())
            return failure(a + " needs a value");
        if (a == "--help" || a == "-h")
            return {std::nullopt, kUsage, 0};
        if (a == "--dir") {
            if (args[++i].empty())  // else the sample would be served in its place
                return failure("--dir needs a directory, not ''");
            o.directory = args[i];
        } else if (a == "--port") {
            const auto port = number(args[++i], 0, 65535);
            if (!port)
                return failure("invalid port '" + args[i] + "'");
            o.port = *port;
        } else if (a == "--close-after" || a == "--reset-after") {
            const auto n = number(args[++i], 1, 1000000000);
            if (!n)
                return failure("invalid frame count '" + args[i] + "'");
            o.faults.closeAfterFrames = *n;
            o.faults.resetOnClose = a == "--reset-after";
        } else if (a == "--rate") {
            const auto n = number(args[++i], 1, 1000000);
            if (!n)
                return failure("invalid rate '" + args[i] + "'");
            o.rate = *n;
        } else if (a == "--set") {
            const auto assignment = parseAssignment(args[++i]);
            if (!assignment)
                return failure("invalid --set '" + args[i] + "' (PARAMETER=VALUE)");
            o.overrides.set.push_back(*assignment);
        } else if (a == "--set-file") {
            o.setFiles.push_back(args[++i]);
        } else if (a == "--dump-parameters") {
            o.dumpParameters = args[++i];
        } else if (a == "--ignore") {
            o.overrides.ignore.push_back(args[++i]);
        } else if (a == "--reject") {
            o.overrides.reject.push_back(args[++i]);
        } else if (a == "--pty") {
            o.pty = true;
        } else if (a == "--no-stdin") {
            o.watchStdin = false;
        } else if (a == "--verbose" || a == "-v") {
            o.verbose = true;
        } else if (a == "--garbage") {
            o.faults.garbage = true;
        } else {
            return failure("unknown option '" + a + "'");
        }
    }
    return {o, "", 0};
}

}  // namespace ctrlsim
