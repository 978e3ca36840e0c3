#pragma once

#include <string_view>

#include "veltro/ports/link_status.h"

namespace veltro::link {

// Where the line under the link stands. The one place that decides what a
// loss, a reopened line or an attach means; ControllerLink carries out the
// effects that each step names.
enum class LinkPhase {
    NotAttached,       // no line taken yet
    LostBeforeAttach,  // the line's reader saw it go before the line was taken
    Connected,
    Reconnecting,  // lost; the line is being opened again
    LostAgain,     // lost again while being opened: the next reopened line is not taken
    Lost,          // lost, and nothing is done about it
    Stopped,       // the link is ending: nothing more is reported or reopened
};

enum class LinkEvent {
    Attach,    // a line was taken
    Lost,      // the adapter's line went away
    Reopened,  // the reconnect worker opened the line again
    Stop,      // the link is being destroyed
};

// What the link does after a step, in this order.
struct LinkEffects {
    bool reportLoss = false;      // "… verbroken (LABEL); opnieuw verbinden…"
    bool askReopen = false;       // wake the reconnect worker
    bool takeLine = false;        // the reopened line counts as back
    bool reportRecovery = false;  // "… hersteld (LABEL)"
    bool restartPoll = false;     // the controller forgot what it was asked for
    bool operator==(const LinkEffects&) const = default;
};

struct LinkStep {
    LinkPhase next;
    LinkEffects effects;
};

// `reconnects`: a lost line is opened again (the session asked for it and the
// line can be reopened); otherwise it stays lost, quietly.
LinkStep linkStep(LinkPhase phase, LinkEvent event, bool reconnects);

// What the status line and the write gate see of a phase.
LinkState linkState(LinkPhase phase);

std::string_view phaseName(LinkPhase phase);
std::string_view eventName(LinkEvent event);

}  // namespace veltro::link
