#include "veltro/link/poll_cycle.h"

namespace veltro::link {

PollCycle::PollCycle(PollWindow& window, ControllerRequests& sender, OneShotTimers& timers,
                     Messages& messages, const LinkStatusSource* link)
    : m_window(window), m_sender(sender), m_timers(timers), m_messages(messages), m_link(link) {}

PollCycle::~PollCycle() {
    cancelTimer(m_requestTimer);
    cancelSilenceCheck();
}

void PollCycle::requestItem(std::size_t item) {
    const ControllerRecord record = m_window.itemRecord(item);
    m_sender.send(record, CommandMode::Read);
    m_sender.send(record, CommandMode::Continuous);
}

void PollCycle::start() {
    cancelSilenceCheck();
    const int generation = ++m_generation;
    // Only one timer A stays pending: an older one is stale once a newer one
    // runs, and a timer left untracked would outlive this cycle.
    const OneShotTimers::TimerId previous = m_requestTimer;
    m_requestTimer = m_timers.start(kPeriod, [this, generation] { sendRequests(generation); });
    if (m_requestTimer != OneShotTimers::kNoTimer) {
        cancelTimer(previous);
        return;
    }
    if (m_generation > 1) {
        --m_generation;
        m_requestTimer = previous;  // its generation is current again: it polls this window
        return;
    }
    cancelTimer(previous);
    sendRequests(generation);
}

void PollCycle::cancelTimer(OneShotTimers::TimerId id) {
    if (id != OneShotTimers::kNoTimer)
        m_timers.cancel(id);
}

void PollCycle::cancelSilenceCheck() {
    cancelTimer(m_silenceTimer);
    m_silenceTimer = OneShotTimers::kNoTimer;
}

void PollCycle::sendRequests(int generation) {
    if (generation != m_generation)
        return;  // a newer window was shown meanwhile; its timer stays tracked
    m_requestTimer = OneShotTimers::kNoTimer;
    m_generation = -1;
    if (!m_window.windowShown())
        return;
    for (std::size_t i = 0; i < m_window.itemCount(); ++i) {
        if (m_window.itemRequested(i))
            requestItem(i);
    }
    if (m_link != nullptr)
        m_framesAtRequests = m_link->linkStatus().framesIn;
    // One check per shown window: an older check still pending would report twice.
    cancelSilenceCheck();
    m_silenceTimer = m_timers.start(kPeriod, [this] { checkSilence(); });
}

void PollCycle::checkSilence() {
    m_silenceTimer = OneShotTimers::kNoTimer;
    std::size_t answered = 0;
    if (m_window.windowShown()) {
        for (std::size_t i = 0; i < m_window.itemCount(); ++i) {
            if (m_window.itemEnabled(i)) {
                ++answered;
            } else {
                requestItem(i);
            }
        }
    }
    if (answered == 0 && !linkIsHeard())
        m_messages.message(message_kind::kSystem, kNoConnection);
}

bool PollCycle::linkIsHeard() const {
    if (m_link == nullptr)
        return false;
    const LinkStatus status = m_link->linkStatus();
    if (status.framesIn != m_framesAtRequests)
        return true;
    const bool askedNothing = !m_window.windowShown() || m_window.itemCount() == 0;
    return askedNothing && status.state == LinkState::Connected;
}

void PollCycle::hide() {
    cancelSilenceCheck();
    if (!m_window.windowShown())
        return;
    m_window.disableItems();
    for (std::size_t i = 0; i < m_window.itemCount(); ++i) {
        if (m_window.itemRequested(i))
            m_sender.send(m_window.itemRecord(i), CommandMode::Stop);
    }
}

void PollCycle::continuousDisplay() {
    if (!m_window.windowShown())
        return;
    for (std::size_t i = 0; i < m_window.itemCount(); ++i) {
        m_window.setItemRequested(i, true);
        requestItem(i);
    }
}

void PollCycle::stopDisplay() {
    if (!m_window.windowShown())
        return;
    for (std::size_t i = 0; i < m_window.itemCount(); ++i) {
        if (!m_window.itemRequested(i))
            continue;
        m_window.setItemRequested(i, false);
        m_sender.send(m_window.itemRecord(i), CommandMode::Stop);
    }
}

}  // namespace veltro::link
