#pragma once

#include <ostream>
#include <string>

namespace veltro {

// What every failing socket call yields: the Windows Sockets error number and
// a message. Handling it ends the program.
struct IpError {
    static constexpr const char* kCaption = "VELTRO - IP communicatie probleem - einde programma";

    int code = 0;
    std::string message;

    // The part of the handling that goes to the standard error stream.
    void report(std::ostream& out) const {
        out << "Error detect: \n"
            << "\t\t==> error code: " << code << "\n"
            << "\t\t==> error message: " << message << "\n";
    }
};

// Handling of an IP error: the front-end writes the report to standard error,
// shows the message box and ends the program with exit code 1. Called on the
// user-interface thread (the link posts errors of its threads there).
class IpErrorHandler {
  public:
    virtual ~IpErrorHandler() = default;
    virtual void ipError(const IpError& error) = 0;
};

}  // namespace veltro
