#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "veltro/ports/controller_requests.h"
#include "veltro/ports/link_status.h"
#include "veltro/ports/messages.h"
#include "veltro/ports/one_shot_timers.h"

namespace veltro::link {

// The items of the debug window shown at the moment, as the poll cycle needs
// them. Item state (requested flag, enabled on first value) is owned by the
// screens; this is only a view of it.
class PollWindow {
  public:
    virtual ~PollWindow() = default;
    virtual bool windowShown() const = 0;
    virtual std::size_t itemCount() const = 0;
    virtual ControllerRecord itemRecord(std::size_t item) const = 0;
    virtual bool itemRequested(std::size_t item) const = 0;
    virtual void setItemRequested(std::size_t item, bool requested) = 0;
    virtual bool itemEnabled(std::size_t item) const = 0;
    virtual void disableItems() = 0;
};

// Starts the flow of values when a debug window is shown: after 500 ms READ
// and CONTINUOUS for every requested item (timer A), after a further 500 ms a
// second try for the items still silent and, when none answered, the message
// that there is no connection (timer B). A newer start makes a pending timer A
// harmless through the generation number. A pending timer B belongs to the
// window that was current when it started: hiding that window or showing
// another one cancels it, so a check never judges a window it did not poll.
// With the link's status at hand, the check says there is no connection only
// when the link says so too: frames that arrived since the requests (answers
// slower than 500 ms, or for records the window does not show) mean the
// controller talks, and a window without items asked nothing, so its silence
// proves nothing while the line is up.
// The timers fire on the user-interface thread, which owns the item state.
class PollCycle {
  public:
    static constexpr std::chrono::milliseconds kPeriod{500};
    static constexpr const char* kNoConnection = "Er is geen verbinding aanwezig.";

    PollCycle(PollWindow& window, ControllerRequests& sender, OneShotTimers& timers,
              Messages& messages, const LinkStatusSource* link = nullptr);
    ~PollCycle();  // cancels the pending timers
    PollCycle(const PollCycle&) = delete;
    PollCycle& operator=(const PollCycle&) = delete;

    void start();              // a debug window was shown
    void hide();               // the shown window is hidden (also before dialogs)
    void continuousDisplay();  // F5
    void stopDisplay();        // F3

    int generation() const { return m_generation; }

  private:
    void sendRequests(int generation);
    void checkSilence();
    bool linkIsHeard() const;
    void requestItem(std::size_t item);
    void cancelTimer(OneShotTimers::TimerId id);
    void cancelSilenceCheck();

    PollWindow& m_window;
    ControllerRequests& m_sender;
    OneShotTimers& m_timers;
    Messages& m_messages;
    const LinkStatusSource* m_link;
    std::uint64_t m_framesAtRequests = 0;
    int m_generation = -1;
    OneShotTimers::TimerId m_requestTimer = OneShotTimers::kNoTimer;
    OneShotTimers::TimerId m_silenceTimer = OneShotTimers::kNoTimer;
};

}  // namespace veltro::link
