#pragma once

#include <stop_token>

namespace veltro {

// What a link adapter tells the link about its line, from its own threads.
class LineWatch {
  public:
    virtual ~LineWatch() = default;

    // The line went away (a reset or closed connection, a vanished device).
    // Called once per loss; the adapter stops reading from the lost line.
    virtual void lineLost() = 0;

    // Whether the adapter should keep its lost line for a reopen: while it
    // is lost, it drops what is written instead of refusing it for good.
    virtual bool reconnects() const = 0;
};

// The adapter's side of a reconnect: one attempt to open the same line
// again, called on the reconnecting thread. True once the line is back and
// its reader runs again. An attempt gives up early when `stop` is requested.
class LineReopen {
  public:
    virtual ~LineReopen() = default;
    virtual bool reopen(std::stop_token stop) = 0;
};

}  // namespace veltro
