#pragma once

#include <optional>
#include <string>

#include "veltro/link/controller_link.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/settings_store.h"
#include "veltro/session/session_options.h"

namespace veltro::link {

// What opening a link reports to; all of it outlives the link.
struct LinkOpenPorts {
    Prompts& prompts;               // the serial port's message boxes
    IpErrorHandler& ipErrors;       // a failure of the IP reader or writer, later
    const SettingsStore* settings;  // [Poorten]; null: the platform's own devices
    Messages* messages;             // loss, recovery, and why an IP link did not open
};

// The outcome: a serial port that cannot be opened has shown its box; an IP
// link that cannot be made or connected gives its error, for the caller to
// handle as the system does (report, box, end of the program).
struct LinkOpening {
    bool opened = false;
    std::optional<IpError> ipError;
    // What to check, in the user's words, when the controller could not be
    // reached; a front-end that ends at the error's box shows it there.
    std::string advice;
};

// Opens the link that the session's link words name, the same for the
// debugger's windows and every headless command: the label of the status
// line, reconnecting (unless -NORECONNECT), the serial port (COM1..COM4
// through [Poorten]) or the TCP connection, attached to `link`.
LinkOpening openControllerLink(ControllerLink& link, const SessionOptions& words,
                               const LinkOpenPorts& ports);

// The message window's line beside the system's box when the controller
// cannot be reached.
std::string unreachableText(const std::string& address, int port);

}  // namespace veltro::link
