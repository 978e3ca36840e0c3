#pragma once

#include <optional>
#include <string>

#include "veltro/link/controller_link.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/settings_store.h"

// Opening the link on this platform: each adapter library (posix/, win32/)
// implements these two, and CMake links the one of the platform built for.
namespace veltro::link {

// Opens the serial port of the session options (COM1..COM4, mapped through
// [Poorten] of the settings) and attaches it to `link`. False when the port
// cannot be opened: its message was shown and the start-up fails.
bool openSerialLink(ControllerLink& link, int portNumber, int baudRate,
                    const SettingsStore* settings, Prompts& prompts);

// Makes the socket, connects it, starts its reader and attaches it to `link`.
// An error is for the front-end to report before it ends the program.
std::optional<IpError> openIpLink(ControllerLink& link, const std::string& address, int port,
                                  IpErrorHandler& errors);

}  // namespace veltro::link
