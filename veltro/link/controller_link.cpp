#include "veltro/link/controller_link.h"

namespace veltro::link {
namespace {

constexpr std::string_view kLineLost = "Verbinding met de regelautomaat verbroken";
constexpr std::string_view kReconnecting = "; opnieuw verbinden…";
constexpr std::string_view kLineRestored = "Verbinding met de regelautomaat hersteld";

std::string withLabel(std::string_view text, const std::string& label) {
    std::string line(text);
    if (!label.empty()) {
        line += " (";
        line += label;
        line += ')';
    }
    return line;
}

}  // namespace

ControllerLink::ControllerLink(LinkPorts ports)
    : m_ports(ports),
      m_mailbox(ports.dispatcher),
      m_dump(ports.dumpDisplay, ports.replyTimer, ports.dispatcher),
      m_path(m_flags, m_router, m_dump) {
    m_router.setWindowSink(&m_mailbox);
    m_path.setCounters(&m_counters, &ports.clock);
}

// The writer goes first (it writes to the line), then the line, whose reader
// thread uses the receive path.
ControllerLink::~ControllerLink() {
    if (m_reconnector)
        m_reconnector->stop();  // it may be opening the line again
    m_writer.target = nullptr;
    m_queue.reset();
    m_line.reset();
}

void ControllerLink::enableReconnect(Messages* messages, SteadyClock* clock) {
    m_reconnect = true;
    m_messages = messages;
    m_reconnectClock = clock != nullptr ? clock : &m_machineClock;
}

void ControllerLink::setLabel(std::string label) {
    m_label = std::move(label);
}

void ControllerLink::attach(std::unique_ptr<LineOutput> line, LineReopen* reopen) {
    if (m_reconnector)
        m_reconnector->stop();
    m_reconnector.reset();
    m_writer.target = nullptr;
    m_gate.target = nullptr;
    m_queue.reset();
    m_line = std::move(line);
    if (m_line) {
        m_queue = std::make_unique<QueuedWriter>(*m_line, m_ports.clock);
        m_gate.target = m_queue.get();
        m_writer.target = &m_gate;
    }
    if (m_line && reopen != nullptr && m_reconnect) {
        m_reconnector = std::make_unique<Reconnector>(*reopen, *m_reconnectClock,
                                                      [this] { return restored(); });
    }
    // A serial line's reader runs before it is attached: a loss it saw then
    // counts now.
    std::lock_guard lock(m_stateMutex);
    m_state = m_line ? LinkState::Connected : LinkState::Lost;
    m_lineTaken = m_line != nullptr;
    if (m_line && m_lostEarly)
        loseLocked();
    m_lostEarly = false;
}

void ControllerLink::setPaused(bool paused) {
    m_flags.paused.store(paused, std::memory_order_release);
}

void ControllerLink::windowHidden() {
    m_mailbox.newGeneration();
    if (m_poll)
        m_poll->hide();
}

void ControllerLink::windowShown() {
    m_mailbox.newGeneration();
    m_flags.trace.store(true, std::memory_order_relaxed);
    if (m_poll)
        m_poll->start();
}

// An adapter's thread. The state and its report change together, under the
// lock, so that the message window always reads loss, recovery, loss...;
// nothing that the posted work reaches takes this lock.
void ControllerLink::lineLost() {
    std::lock_guard lock(m_stateMutex);
    if (!m_lineTaken) {
        m_lostEarly = true;
        return;
    }
    if (m_state.load() != LinkState::Connected) {
        m_lostAgain = true;  // a reopened line that went at once: still lost
        return;
    }
    loseLocked();
}

void ControllerLink::loseLocked() {
    if (!m_reconnector) {
        m_state = LinkState::Lost;
        return;
    }
    m_state = LinkState::Reconnecting;
    m_lostAgain = false;
    report(withLabel(kLineLost, m_label) + std::string(kReconnecting));
    m_reconnector->request();
}

// The reconnecting thread, once the line opened again.
bool ControllerLink::restored() {
    std::lock_guard lock(m_stateMutex);
    if (m_lostAgain) {
        m_lostAgain = false;
        return false;
    }
    m_state = LinkState::Connected;
    report(withLabel(kLineRestored, m_label));
    // The controller forgot what it was asked for: ask the shown window's
    // items again, as when the window was shown.
    m_ports.dispatcher.post([this, life = m_life.watch()] {
        if (!life.expired() && m_poll != nullptr)
            m_poll->start();
    });
    return true;
}

void ControllerLink::report(std::string text) {
    m_ports.dispatcher.post([this, life = m_life.watch(), text = std::move(text)] {
        if (!life.expired() && m_messages != nullptr)
            m_messages->message(message_kind::kSystem, text);
    });
}

LinkStatus ControllerLink::linkStatus() const {
    LinkStatus status;
    status.label = m_label;
    status.state = m_state.load();
    status.framesIn = m_counters.framesIn.load(std::memory_order_relaxed);
    status.bytesIn = m_counters.bytesIn.load(std::memory_order_relaxed);
    status.framesOut = m_counters.framesOut.load(std::memory_order_relaxed);
    status.bytesOut = m_counters.bytesOut.load(std::memory_order_relaxed);
    const std::int64_t last = m_counters.lastFrameMs.load(std::memory_order_relaxed);
    if (last != LinkCounters::kNever)
        status.lastFrameAge = m_ports.clock.now() - std::chrono::milliseconds(last);
    return status;
}

}  // namespace veltro::link
