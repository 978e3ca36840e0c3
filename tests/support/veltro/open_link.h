#pragma once

// Opening a link in tests and benchmarks through the programs' own
// openControllerLink.

#include <optional>

#include "support/veltro/prompts.h"
#include "veltro/link/open_controller_link.h"

namespace test_support {

inline veltro::SessionOptions ipWords(int port, bool reconnect = false) {
    veltro::SessionOptions words;
    words.linkKind = veltro::LinkKind::Ip;
    words.ipAddress = "127.0.0.1";
    words.ipPort = port;
    words.reconnect = reconnect;
    return words;
}

inline veltro::SessionOptions serialWords(int serialPort, int baudRate) {
    veltro::SessionOptions words;
    words.serialPort = serialPort;
    words.baudRate = baudRate;
    words.reconnect = false;
    return words;
}

// The TCP link to 127.0.0.1:`port`; the error of the opening, if any.
inline std::optional<veltro::IpError> openLoopback(veltro::link::ControllerLink& link, int port,
                                                   veltro::IpErrorHandler& errors,
                                                   veltro::Messages* messages = nullptr,
                                                   bool reconnect = false) {
    ScriptedPrompts noBoxes;  // an IP link shows none
    return veltro::link::openControllerLink(link, ipWords(port, reconnect),
                                            {noBoxes, errors, nullptr, messages})
        .ipError;
}

}  // namespace test_support
