#include "ctrlsim/sim_server.h"

#include <cstdio>
#include <ctime>

namespace ctrlsim {

namespace {

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

SimServer::SimServer(SimModel& model, SimOptions options)
    : m_model(model), m_options(std::move(options)) {}

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
        [handle, pty](std::span<const std::uint8_t> bytes) { writeAll(handle, pty, bytes); },
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
        if (c.handle != kNoHandle)
            c.session->pump(now);
        if (c.handle != kNoHandle && c.session->wantsClose())
            closeConnection(c);
    }
    std::erase_if(m_connections, [](const Connection& c) { return c.handle == kNoHandle; });
}

}  // namespace ctrlsim
