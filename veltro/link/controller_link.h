#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "veltro/link/dump_receiver.h"
#include "veltro/link/frame_sender.h"
#include "veltro/link/life_token.h"
#include "veltro/link/line_gate.h"
#include "veltro/link/link_counters.h"
#include "veltro/link/link_flags.h"
#include "veltro/link/link_lifecycle.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/link/queued_writer.h"
#include "veltro/link/receive_path.h"
#include "veltro/link/reconnect_worker.h"
#include "veltro/link/record_mailbox.h"
#include "veltro/link/record_router.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/display_link.h"
#include "veltro/ports/dump_display.h"
#include "veltro/ports/line_output.h"
#include "veltro/ports/line_watch.h"
#include "veltro/ports/link_state_listener.h"
#include "veltro/ports/link_status.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/reply_timer.h"
#include "veltro/ports/steady_clock.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// The front-end's side of the link. All of it is called on the
// user-interface thread and outlives the link.
struct LinkPorts {
    UiDispatcher& dispatcher;
    DumpDisplay& dumpDisplay;
    ReplyTimer& replyTimer;
    const SteadyClock& clock;  // the write queue's time-outs
};

// The whole link of one debugger process, wired once: the receive path with
// its router, mailbox and dump receiver, the write queue and the frame
// sender. An adapter (serial or IP, opened by the functions of the platform's
// adapter library) is attached once; its reader thread feeds consumer().
//
// The adapter reports a lost line through lineWatch(); what that means is
// decided by linkStep() alone, and this class carries out the effects. With
// reconnecting on, a worker opens the line again with growing pauses, the
// message window hears of the loss and of the recovery once each, and the
// shown window's poll cycle starts again once the line is back; frames
// written meanwhile are refused. Without it the line stays lost.
class ControllerLink : public DisplayLink, public LineWatch, public LinkStatusSource {
  public:
    explicit ControllerLink(LinkPorts ports);
    ~ControllerLink() override;  // stops the writer, then the adapter's reader
    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // Before attach: reconnect a lost line, pausing on `clock` (null: the
    // machine's clock), and report loss and recovery to `messages` (which
    // must outlive the link; null: not reported).
    void enableReconnect(Messages* messages, SteadyClock* clock = nullptr);
    // Before attach: how the status line names the line ("COM1 9600").
    void setLabel(std::string label);
    // Before attach: told of every change of state() on the user-interface
    // thread (null: none). It must outlive the link.
    void setStateListener(LinkStateListener* listener) { m_listener = listener; }

    // Takes the opened line; frames written from now on go out through it.
    // `reopen` (part of the line, or null) opens it again after a loss.
    void attach(std::unique_ptr<LineOutput> line, LineReopen* reopen = nullptr);
    bool attached() const { return m_line != nullptr; }

    ByteConsumer& consumer() { return m_path; }
    LineWatch& lineWatch() { return *this; }
    const LinkCounters& counters() const { return m_counters; }
    LinkState state() const { return m_state.load(); }
    LinkPhase phase() const;
    UiDispatcher& dispatcher() { return m_ports.dispatcher; }
    LinkFlags& flags() { return m_flags; }
    RecordRouter& router() { return m_router; }
    RecordMailbox& mailbox() { return m_mailbox; }
    DumpReceiver& dumpReceiver() { return m_dump; }
    const ReceivePath& receivePath() const { return m_path; }
    ByteWriter& writer() { return m_writer; }
    ControllerRequests& requests() { return m_sender; }
    // Null until a line is attached.
    QueuedWriter* writeQueue() { return m_queue.get(); }

    // The shown window's records arrive here on the user-interface thread,
    // stale ones dropped (see RecordMailbox). The sink must outlive the link.
    void setWindowSink(RecordSink* sink) { m_mailbox.setTarget(sink); }
    // The poll cycle must outlive the link.
    void setPollCycle(PollCycle* poll) { m_poll = poll; }
    // Every frame in and out is shown to `tap` (null: to none). When this
    // returns, the previous tap is no longer called and may be destroyed.
    void setFrameTap(FrameTap* tap) { m_flags.tap.attach(tap); }

    void setPaused(bool paused) override;
    void windowHidden() override;
    void windowShown() override;

    void lineLost() override;
    bool reconnects() const override { return m_reconnect; }
    LinkStatus linkStatus() const override;

  private:
    // One step of the lifecycle and its effects; what the step decided.
    LinkEffects step(LinkEvent event);
    void carryOut(const LinkEffects& effects);  // under m_stateMutex
    void stopWorker();
    void changeState(LinkState state);  // under m_stateMutex
    void report(std::string text);
    // Forwards to the write queue once a line is attached; refuses before.
    // Shows the frame tap what the queue took.
    class Writer : public ByteWriter {
      public:
        explicit Writer(const FrameTapSlot& slot) : tap(slot) {}
        bool writeBytes(std::span<const std::uint8_t> bytes) override {
            const bool taken = target != nullptr && target->writeBytes(bytes);
            if (taken)
                tap.use([bytes](FrameTap& t) { t.bytesOut(bytes); });
            return taken;
        }
        ByteWriter* target = nullptr;
        const FrameTapSlot& tap;
    };

    LinkPorts m_ports;
    LinkFlags m_flags;
    LinkCounters m_counters;
    mutable std::mutex m_stateMutex;  // steps and their reports, in order
    LinkPhase m_phase = LinkPhase::NotAttached;
    std::atomic<LinkState> m_state{LinkState::Lost};  // of m_phase, for the gate
    std::string m_label;                              // set before the line's threads run
    bool m_reconnect = false;
    LineReopen* m_reopen = nullptr;  // set by attach, before the worker starts
    Messages* m_messages = nullptr;
    LinkStateListener* m_listener = nullptr;
    SteadyClock* m_reconnectClock = nullptr;
    MachineClock m_machineClock;
    LineGate m_gate{m_state, m_counters};
    RecordMailbox m_mailbox;
    RecordRouter m_router;
    DumpReceiver m_dump;
    ReceivePath m_path;
    Writer m_writer{m_flags.tap};
    FrameSender m_sender{m_writer};
    PollCycle* m_poll = nullptr;
    std::unique_ptr<LineOutput> m_line;
    std::unique_ptr<QueuedWriter> m_queue;
    std::unique_ptr<ReconnectWorker> m_worker;  // stopped before the line goes
    LifeToken m_life;
};

}  // namespace veltro::link
