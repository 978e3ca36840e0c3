#pragma once

#include <optional>
#include <string>

#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/line_watch.h"

namespace veltro {

// The serial port adapter of the platform, as the link opens it.
class SerialLine : public LineOutput, public LineReopen {
  public:
    // False (after the system's open message) when the device cannot be opened.
    virtual bool open(const std::string& device, int baudRate) = 0;
};

// The TCP client adapter of the platform, as the link opens it.
class IpLine : public LineOutput, public LineReopen {
  public:
    // Starts the socket library where there is one and makes the socket.
    virtual std::optional<IpError> create() = 0;
    // Connects to an IPv4 address, dotted or a host name resolved to one.
    virtual std::optional<IpError> connect(const std::string& address, int port) = 0;
    virtual void startReader() = 0;

    // A TCP peer that stops reading is waited for: nothing is described for it.
    void lineBlocked() override {}
};

}  // namespace veltro
