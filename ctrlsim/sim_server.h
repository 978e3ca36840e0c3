#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ctrlsim/sim_model.h"
#include "ctrlsim/sim_options.h"
#include "ctrlsim/sim_session.h"
#include "ctrlsim/sim_transport.h"

namespace ctrlsim {

// The simulator's server: the TCP listener on 127.0.0.1, optionally a
// pseudo-terminal, standard input and the stop request, all served from one
// thread, so that the model needs no lock. The loop, the sessions and the
// clock are the same everywhere; the platform's system calls are its
// transport (SimTransport).
class SimServer {
  public:
    SimServer(SimModel& model, SimOptions options,
              std::unique_ptr<SimTransport> transport = makeSimTransport());
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // An error text, or nothing when listening.
    std::optional<std::string> start();
    int port() const { return m_port; }
    const std::string& ptyPath() const { return m_ptyPath; }

    // Serves until Ctrl-C, a request to terminate, or (unless the options say
    // otherwise) the end of standard input.
    void run();

  private:
    using Handle = SimTransport::Handle;

    struct Connection {
        Handle handle = SimTransport::kNoHandle;
        bool pty = false;
        std::unique_ptr<SimSession> session;
    };

    void addConnection(Handle handle, bool pty);
    void serviceConnection(Connection& c);
    void closeConnection(Connection& c);
    // The model's time moves on and every session sends what is due; the
    // connections whose faults say so are closed and dropped.
    void tick(SimSession::Clock::time_point started);

    SimModel& m_model;
    SimOptions m_options;
    std::unique_ptr<SimTransport> m_transport;
    int m_port = 0;
    std::string m_ptyPath;
    std::vector<Connection> m_connections;
};

}  // namespace ctrlsim
