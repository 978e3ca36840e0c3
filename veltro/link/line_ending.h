#pragma once

#include <atomic>
#include <cstddef>
#include <optional>

#include "veltro/link/ip_error.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/line_watch.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// How one receive or send on the line ended, whatever the platform.
enum class LineEnd {
    Data,    // bytes moved
    Again,   // nothing now (would block, interrupted): try again
    Closed,  // the peer ended the connection in order, or the device is gone
    Reset,   // the peer went away (reset, aborted, shut down): the "-99" of a receive
    Failed,  // any other error: the system's IP error
};

// From a call's count (bytes, 0 or negative) and its Windows Sockets error
// (POSIX errno mapped to it; 0 when the count is not negative).
LineEnd receiveEnd(long long count, int wsaError);
LineEnd sendEnd(long long count, int wsaError);

// What a line does with the end of its connection, decided once for the
// serial and IP adapters of every platform. The adapter moves bytes and
// reports ends here; this says whether writes go out, are dropped (lost, to
// be opened again) or refused for good, tells the watch of a loss once, and
// posts an unexpected failure once to the error handler.
class LineEnding {
  public:
    enum class Kind {
        Connection,  // a socket: once over without a reconnect, it yields nothing more
        Device,      // a serial port: without a reconnect it is read and written on
    };
    enum class Writes { Send, Drop, Refuse };

    LineEnding(Kind kind, LineWatch* watch, IpErrorHandler* errors, UiDispatcher& dispatcher);

    // The line ended as `end` (Closed, Reset or Failed) says, in `call` with
    // `wsaError`. True the first time since the line was (re)opened: then the
    // caller shuts the connection down unless writes() still sends.
    bool over(LineEnd end, SocketCall call = SocketCall::Receive, int wsaError = 0);
    Writes writes() const { return m_writes.load(); }
    // The reader of a line that is over ends, except a device's without a reconnect.
    bool readerEnds() const { return writes() != Writes::Send; }

    // Before a send: what the write queue hears while writes are not sent.
    std::optional<LineOutput::Result> heldBack(std::size_t offered) const;
    // What the write queue hears of a send of `offered` bytes that moved
    // `count` (negative: failed with `wsaError`). `shutDown` is set when the
    // connection ended just now: the caller shuts it down.
    LineOutput::Result sent(long long count, int wsaError, std::size_t offered, bool& shutDown);
    // The count of a receive as the system's receive gives it: the bytes, 0
    // at a close, -99 at a reset.
    static int receiveCount(LineEnd end, long long count);

    // A reopened line: writes go out again, its next end is news again.
    void reopened();
    // The link is ending: an end from now on is no news.
    void stop() { m_stopping = true; }
    bool stopping() const { return m_stopping.load(); }

  private:
    Kind m_kind;
    LineWatch* m_watch;
    IpErrorHandler* m_errors;
    UiDispatcher& m_dispatcher;
    std::atomic<Writes> m_writes{Writes::Send};
    std::atomic<bool> m_over{false};
    std::atomic<bool> m_failed{false};  // the error handler ends the program: once
    std::atomic<bool> m_stopping{false};
};

}  // namespace veltro::link
