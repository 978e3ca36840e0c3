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
    step(LinkEvent::Stop);
    stopWorker();  // it may be opening the line again
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

// Not under m_stateMutex: the worker's attempt takes it.
void ControllerLink::stopWorker() {
    if (m_worker)
        m_worker->stop();
    m_worker.reset();
}

void ControllerLink::attach(std::unique_ptr<LineOutput> line, LineReopen* reopen) {
    stopWorker();
    m_writer.target = nullptr;
    m_gate.target = nullptr;
    m_queue.reset();
    m_line = std::move(line);
    m_reopen = m_line && m_reconnect ? reopen : nullptr;
    if (!m_line) {
        std::lock_guard lock(m_stateMutex);
        m_phase = LinkPhase::NotAttached;
        changeState(linkState(m_phase));
        return;
    }
    m_queue = std::make_unique<QueuedWriter>(*m_line, m_ports.clock);
    m_gate.target = m_queue.get();
    m_writer.target = &m_gate;
    if (m_reopen != nullptr) {
        m_worker = std::make_unique<ReconnectWorker>(
            *m_reopen, *m_reconnectClock, [this] { return step(LinkEvent::Reopened).takeLine; });
    }
    step(LinkEvent::Attach);
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

// An adapter's thread.
void ControllerLink::lineLost() {
    step(LinkEvent::Lost);
}

LinkPhase ControllerLink::phase() const {
    std::lock_guard lock(m_stateMutex);
    return m_phase;
}

// The phase and its reports change together, under the lock, so that the
// message window always reads loss, recovery, loss...; nothing that the
// posted work reaches takes this lock.
LinkEffects ControllerLink::step(LinkEvent event) {
    std::lock_guard lock(m_stateMutex);
    const LinkStep next = linkStep(m_phase, event, m_reopen != nullptr);
    m_phase = next.next;
    changeState(linkState(m_phase));
    carryOut(next.effects);
    return next.effects;
}

void ControllerLink::carryOut(const LinkEffects& effects) {
    if (effects.reportLoss)
        report(withLabel(kLineLost, m_label) + std::string(kReconnecting));
    if (effects.askReopen && m_worker)
        m_worker->request();
    if (effects.reportRecovery)
        report(withLabel(kLineRestored, m_label));
    if (effects.restartPoll) {
        // Ask the shown window's items again, as when the window was shown.
        m_ports.dispatcher.post([this, life = m_life.watch()] {
            if (!life.expired() && m_poll != nullptr)
                m_poll->start();
        });
    }
}

// Posted under the state lock, so that the listener hears the changes in
// their order, and before the messages that tell of them.
void ControllerLink::changeState(LinkState state) {
    if (m_state.exchange(state) == state || m_listener == nullptr)
        return;
    m_ports.dispatcher.post([this, life = m_life.watch(), state] {
        if (!life.expired())
            m_listener->linkStateChanged(state);
    });
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
