#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ctrlsim/sim_model.h"
#include "ctrlsim/sim_options.h"
#include "ctrlsim/sim_session.h"

namespace ctrlsim {

// The simulator's outside world: a TCP listener on 127.0.0.1, optionally a
// pseudo-terminal, standard input and the stop request, all served from one
// thread, so that the model needs no lock. The sessions and the clock are
// served alike everywhere (sim_server.cpp); sockets, the terminal and the
// stop request are the platform's (sim_server_posix.cpp, sim_server_win32.cpp).
class SimServer {
  public:
    SimServer(SimModel& model, SimOptions options);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Why this platform cannot serve a pseudo-terminal; empty where it can.
    static std::string pseudoTerminalUnavailable();

    // An error text, or nothing when listening.
    std::optional<std::string> start();
    int port() const { return m_port; }
    const std::string& ptyPath() const { return m_ptyPath; }

    // Serves until Ctrl-C, a request to terminate, or (unless the options say
    // otherwise) the end of standard input.
    void run();

  private:
    // A socket or terminal of the platform: a file descriptor, or a SOCKET.
    using Handle = std::intptr_t;
    static constexpr Handle kNoHandle = -1;

    struct Connection {
        Handle handle = kNoHandle;
        bool pty = false;
        std::unique_ptr<SimSession> session;
    };

    void addConnection(Handle handle, bool pty);
    // The model's time moves on and every session sends what is due; the
    // connections whose faults say so are closed and dropped.
    void tick(SimSession::Clock::time_point started);

    std::optional<std::string> openPty();
    void accept();
    void serviceConnection(Connection& c, short revents);
    void closeConnection(Connection& c);
    static void writeAll(Handle handle, bool pty, std::span<const std::uint8_t> bytes);

    SimModel& m_model;
    SimOptions m_options;
    Handle m_listen = kNoHandle;
    int m_port = 0;
    Handle m_ptySlave = kNoHandle;  // kept open so that the master never sees a hang-up
    std::string m_ptyPath;
    bool m_networkStarted = false;  // the platform's socket library, where it has one
    std::vector<Connection> m_connections;
};

}  // namespace ctrlsim
