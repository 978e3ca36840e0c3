#pragma once

#include "veltro/gui/qt_dispatcher.h"
#include "veltro/gui/qt_timers.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/session/link_adapters.h"

namespace veltro::gui {

// The controller link as the desktop program wires it: records of the shown
// window reach its items on the GUI thread through the dispatcher (coalesced
// per object by the link's mailbox), the poll cycle runs on single-shot
// QTimers. The members are made in the order below and destroyed the other
// way round: the poll cycle first (its timers cancelled), then the link
// (writer and reader threads stopped), and the dispatcher last, so that
// nothing posts to a dispatcher that is gone. The dump display and reply
// timer, the messages and the window list must outlive it.
struct LinkAssembly {
    LinkAssembly(DebugWindowList& windows, Messages& messages, DumpDisplay& dumpDisplay,
                 ReplyTimer& replyTimer);
    LinkAssembly(const LinkAssembly&) = delete;
    LinkAssembly& operator=(const LinkAssembly&) = delete;

    QtDispatcher dispatcher;
    QtOneShotTimers timers;
    link::MachineClock clock;  // the write queue's time-outs, on its own thread
    ShownWindowPoll pollWindow;
    ShownWindowSink sink;
    link::ControllerLink link;
    LinkTrust trust;  // hears the link's state; the sink asks it whether a report is fresh
    link::PollCycle poll;
};

}  // namespace veltro::gui
