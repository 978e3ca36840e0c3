#pragma once

#include <string>
#include <string_view>

namespace veltro {

enum class LinkKind { Serial, Ip };

// Set once by the command-line parser, before any window exists.
struct SessionOptions {
    static constexpr std::size_t kIpAddressLimit = 19;

    LinkKind linkKind = LinkKind::Serial;
    int serialPort = 1;  // COM1..COM4
    int baudRate = 9600;
    std::string ipAddress = "192.168.1.1";
    int ipPort = 7000;
    bool startDpcom = false;
    bool startAfname = false;
    bool startParameters = false;
    bool startVerschillen = false;
    // A lost link is opened again with growing pauses; -NORECONNECT leaves
    // it lost, as the debugger always did.
    bool reconnect = true;
};

}  // namespace veltro
