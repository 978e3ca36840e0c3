#pragma once

#include <string>
#include <string_view>

#include "veltro/ports/prompts.h"

namespace veltro {

enum class LinkKind { Serial, Ip };

// Set once by the command-line parser, before any window exists.
struct SessionOptions {
    static constexpr std::size_t IpAddressLimit = 19;

    LinkKind linkKind = LinkKind::Serial;
    int serialPort = 1;  // COM1..COM4
    int baudRate = 9600;
    std::string ipAddress = "192.168.1.1";
    int ipPort = 7000;
    bool startDpcom = false;
    bool startAfname = false;
    bool startParameters = false;
    bool startVerschillen = false;
};

// Parses the command line text behind the program name. Faulty words are
// reported through `prompts` and ignored; the parser always yields options.
SessionOptions parseCommandLine(std::string_view text, Prompts& prompts);

// The menu command that the main window posts to itself at start, or empty
// when no start flag is set. Only the first of the flags counts.
std::string_view startCommand(const SessionOptions& options);

}  // namespace veltro
