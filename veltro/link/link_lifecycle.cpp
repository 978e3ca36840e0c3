#include "veltro/link/link_lifecycle.h"

namespace veltro::link {
namespace {

LinkStep lose(bool reconnects) {
    if (!reconnects)
        return {LinkPhase::Lost, {}};
    LinkEffects effects;
    effects.reportLoss = true;
    effects.askReopen = true;
    return {LinkPhase::Reconnecting, effects};
}

LinkStep takeReopened() {
    LinkEffects effects;
    effects.takeLine = true;
    effects.reportRecovery = true;
    effects.restartPoll = true;
    return {LinkPhase::Connected, effects};
}

}  // namespace

LinkStep linkStep(LinkPhase phase, LinkEvent event, bool reconnects) {
    using enum LinkPhase;
    if (phase == Stopped || event == LinkEvent::Stop)
        return {Stopped, {}};
    switch (event) {
        case LinkEvent::Attach:
            // A loss its reader saw before the line was taken counts now.
            return phase == LostBeforeAttach ? lose(reconnects) : LinkStep{Connected, {}};
        case LinkEvent::Lost:
            switch (phase) {
                case NotAttached:
                    return {LostBeforeAttach, {}};
                case Connected:
                    return lose(reconnects);
                case Reconnecting:
                    // The reader of a reopened line that went at once.
                    return {LostAgain, {}};
                default:
                    return {phase, {}};  // already lost: one report per loss
            }
        case LinkEvent::Reopened:
            if (phase == Reconnecting)
                return takeReopened();
            // Lost again meanwhile: the worker goes on opening it.
            return {phase == LostAgain ? Reconnecting : phase, {}};
        case LinkEvent::Stop:
            break;
    }
    return {Stopped, {}};
}

LinkState linkState(LinkPhase phase) {
    switch (phase) {
        case LinkPhase::Connected:
            return LinkState::Connected;
        case LinkPhase::Reconnecting:
        case LinkPhase::LostAgain:
            return LinkState::Reconnecting;
        default:
            return LinkState::Lost;
    }
}

std::string_view phaseName(LinkPhase phase) {
    constexpr std::string_view kNames[] = {"NotAttached",  "LostBeforeAttach", "Connected",
                                           "Reconnecting", "LostAgain",        "Lost",
                                           "Stopped"};
    return kNames[static_cast<int>(phase)];
}

std::string_view eventName(LinkEvent event) {
    constexpr std::string_view kNames[] = {"Attach", "Lost", "Reopened", "Stop"};
    return kNames[static_cast<int>(event)];
}

}  // namespace veltro::link
