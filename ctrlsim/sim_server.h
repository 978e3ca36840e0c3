#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ctrlsim/sim_model.h"
#include "ctrlsim/sim_options.h"
#include "ctrlsim/sim_session.h"

namespace ctrlsim {

// The simulator's outside world: a TCP listener on 127.0.0.1, optionally a
// pseudo-terminal, standard input and the stop signal, all served from one
// thread by poll(), so that the model needs no lock.
class SimServer {
  public:
    SimServer(SimModel& model, SimOptions options);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // An error text, or nothing when listening.
    std::optional<std::string> start();
    int port() const { return m_port; }
    const std::string& ptyPath() const { return m_ptyPath; }

    // Serves until `stopFd` becomes readable or standard input ends.
    void run(int stopFd);

  private:
    struct Connection {
        int fd = -1;
        bool pty = false;
        std::unique_ptr<SimSession> session;
    };

    std::optional<std::string> openPty();
    void accept();
    void serviceConnection(Connection& c, short revents);
    void addConnection(int fd, bool pty);
    void closeConnection(Connection& c);
    static void writeAll(Connection& c, std::span<const std::uint8_t> bytes);

    SimModel& m_model;
    SimOptions m_options;
    int m_listenFd = -1;
    int m_port = 0;
    int m_ptySlaveFd = -1;  // kept open so that the master never sees a hang-up
    std::string m_ptyPath;
    std::vector<Connection> m_connections;
};

}  // namespace ctrlsim
