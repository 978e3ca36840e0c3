#include "veltro/link/line_ending.h"

namespace veltro::link {
namespace {

using namespace wsa;

bool again(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINTR;
}

const char* prefixOf(SocketCall call) {
    return call == SocketCall::Send ? "error calling send():\n" : "error calling recv():\n";
}

}  // namespace

LineEnd receiveEnd(long long count, int wsaError) {
    if (count > 0)
        return LineEnd::Data;
    if (count == 0)
        return LineEnd::Closed;
    if (again(wsaError))
        return LineEnd::Again;
    // Only a reset is the controller's doing; anything else is an error of the receive.
    return wsaError == WSAECONNRESET ? LineEnd::Reset : LineEnd::Failed;
}

LineEnd sendEnd(long long count, int wsaError) {
    if (count >= 0)
        return count > 0 ? LineEnd::Data : LineEnd::Again;
    if (again(wsaError))
        return LineEnd::Again;
    switch (wsaError) {
        case WSAECONNRESET:
        case WSAECONNABORTED:
        case WSAESHUTDOWN:  // a broken pipe on POSIX
            return LineEnd::Reset;
        default:
            return LineEnd::Failed;
    }
}

LineEnding::LineEnding(Kind kind, LineWatch* watch, IpErrorHandler* errors,
                       UiDispatcher& dispatcher)
    : m_kind(kind), m_watch(watch), m_errors(errors), m_dispatcher(dispatcher) {}

bool LineEnding::over(LineEnd end, SocketCall call, int wsaError) {
    if (m_over.exchange(true))
        return false;
    if (m_stopping.load()) {
        m_writes = Writes::Refuse;
        return true;
    }
    if (m_watch != nullptr && m_watch->reconnects()) {
        // Dropped before the watch hears of it, so that no write waits for the line.
        m_writes = Writes::Drop;
        m_watch->lineLost();
        return true;
    }
    if (m_kind == Kind::Connection)
        m_writes = Writes::Refuse;
    if (end == LineEnd::Failed && m_errors != nullptr) {
        // The handler ends the program; it outlives the link, so the posted
        // work needs nothing of this.
        if (!m_failed.exchange(true)) {
            m_dispatcher.post(
                [errors = m_errors, error = makeIpError(call, wsaError, prefixOf(call))] {
                    errors->ipError(error);
                });
        }
        return true;
    }
    if (m_watch != nullptr)
        m_watch->lineLost();
    return true;
}

std::optional<LineOutput::Result> LineEnding::heldBack(std::size_t offered) const {
    switch (writes()) {
        case Writes::Drop:
            return LineOutput::Result{offered, false};  // nobody to send to until the reopen
        case Writes::Refuse:
            return LineOutput::Result{0, true};
        case Writes::Send:
            break;
    }
    return std::nullopt;
}

LineOutput::Result LineEnding::sent(long long count, int wsaError, std::size_t offered,
                                    bool& shutDown) {
    const LineEnd end = sendEnd(count, wsaError);
    shutDown = false;
    if (end == LineEnd::Data)
        return {static_cast<std::size_t>(count), false};
    if (end == LineEnd::Again)
        return {};  // a full socket or a signal is no fault of the link
    shutDown = over(end, SocketCall::Send, wsaError);
    return heldBack(offered).value_or(LineOutput::Result{});
}

int LineEnding::receiveCount(LineEnd end, long long count) {
    constexpr int kConnectionReset = -99;
    return end == LineEnd::Reset ? kConnectionReset : static_cast<int>(count < 0 ? 0 : count);
}

void LineEnding::reopened() {
    m_writes = Writes::Send;
    m_over = false;
}

}  // namespace veltro::link
