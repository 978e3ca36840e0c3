#include "ctrlsim/sim_server.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace ctrlsim {

namespace {

constexpr std::chrono::milliseconds kTick{20};

// The server is the only thread of the program that reads the local time.
LocalTime localTimeNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr)
        return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_wday,
            local->tm_hour,        local->tm_min,     local->tm_sec};
}

}  // namespace

SimServer::SimServer(SimModel& model, SimOptions options, std::unique_ptr<SimTransport> transport)
    : m_model(model), m_options(std::move(options)), m_transport(std::move(transport)) {}

SimServer::~SimServer() {
    for (auto& c : m_connections)
        closeConnection(c);
}

std::optional<std::string> SimServer::start() {
    if (m_options.pty) {
        if (const std::string why = pseudoTerminalUnavailable(); !why.empty())
            return "--pty: " + why;
    }
    if (auto error = m_transport->listen(m_options.port))
        return error;
    m_port = m_transport->port();
    if (!m_options.pty)
        return std::nullopt;
    Handle master = SimTransport::kNoHandle;
    if (auto error = m_transport->openPty(master, m_ptyPath))
        return error;
    addConnection(master, true);
    return std::nullopt;
}

void SimServer::run() {
    const auto started = SimSession::Clock::now();
    for (;;) {
        std::vector<Handle> handles;
        for (const auto& c : m_connections)
            handles.push_back(c.handle);
        const SimTransport::Wake wake = m_transport->wait(handles, m_options.watchStdin, kTick);
        if (wake.stop)
            return;
        if (wake.incoming) {
            if (const Handle h = m_transport->accept(); h != SimTransport::kNoHandle)
                addConnection(h, false);
        }
        // Connections added just now were not waited for.
        for (std::size_t i = 0; i < wake.readable.size() && i < m_connections.size(); ++i) {
            if (wake.readable[i])
                serviceConnection(m_connections[i]);
        }
        tick(started);
    }
}

void SimServer::serviceConnection(Connection& c) {
    std::array<std::uint8_t, 4096> buffer{};
    std::size_t got = 0;
    switch (m_transport->read(c.handle, c.pty, buffer, got)) {
        case SimTransport::Read::Bytes:
            c.session->received(std::span(buffer.data(), got), SimSession::Clock::now());
            break;
        case SimTransport::Read::Gone:
            // A pseudo-terminal without its other end stays: the debugger may come back.
            if (!c.pty)
                closeConnection(c);
            break;
        case SimTransport::Read::Nothing:
            break;
    }
}

void SimServer::closeConnection(Connection& c) {
    if (c.handle == SimTransport::kNoHandle)
        return;
    m_transport->close(c.handle, c.pty, m_options.faults.resetOnClose);
    c.handle = SimTransport::kNoHandle;
}

void SimServer::addConnection(Handle handle, bool pty) {
    Connection c;
    c.handle = handle;
    c.pty = pty;
    // A pseudo-terminal is never closed or reset; the other faults apply.
    FaultOptions faults = m_options.faults;
    if (pty) {
        faults.closeAfterFrames = 0;
        faults.resetOnClose = false;
    }
    c.session = std::make_unique<SimSession>(
        m_model, faults,
        [this, handle, pty](std::span<const std::uint8_t> bytes) {
            // Nobody reads (or the peer is gone): the bytes are lost, as on a
            // serial line without a listener.
            m_transport->write(handle, pty, bytes);
        },
        m_options.verbose ? SimSession::Log([pty](const std::string& line) {
            std::printf("%s %s\n", pty ? "pty:" : "tcp:", line.c_str());
            std::fflush(stdout);
        })
                          : SimSession::Log());
    c.session->setReportRate(m_options.rate);
    m_connections.push_back(std::move(c));
}

void SimServer::tick(SimSession::Clock::time_point started) {
    const auto now = SimSession::Clock::now();
    m_model.advance(std::chrono::duration_cast<std::chrono::milliseconds>(now - started),
                    localTimeNow());
    for (auto& c : m_connections) {
        if (c.handle != SimTransport::kNoHandle)
            c.session->pump(now);
        if (c.handle != SimTransport::kNoHandle && c.session->wantsClose())
            closeConnection(c);
    }
    std::erase_if(m_connections,
                  [](const Connection& c) { return c.handle == SimTransport::kNoHandle; });
}

}  // namespace ctrlsim
