#include "veltro/tools/tool_run_state.h"

namespace veltro::tools {

RunStep nextRunStep(RunState state, RunEvent event) {
    using enum RunState;
    switch (state) {
        case Idle:
            switch (event) {
                case RunEvent::Start:
                    return {Running, RunAction::Launch};
                case RunEvent::Stop:  // Escape without a run closes, as in any dialog
                case RunEvent::Close:
                    return {Idle, RunAction::Close};
                case RunEvent::Ended:
                    break;
            }
            return {Idle, RunAction::None};
        case Running:
            switch (event) {
                case RunEvent::Start:
                    break;
                case RunEvent::Stop:
                    return {Stopping, RunAction::RequestStop};
                case RunEvent::Close:
                    return {Closing, RunAction::RequestStop};
                case RunEvent::Ended:
                    return {Idle, RunAction::Finish};
            }
            return {Running, RunAction::None};
        case Stopping:
            if (event == RunEvent::Close)  // the stop is asked already
                return {Closing, RunAction::None};
            if (event == RunEvent::Ended)
                return {Idle, RunAction::Finish};
            return {Stopping, RunAction::None};
        case Closing:
            if (event == RunEvent::Ended)
                return {Idle, RunAction::FinishAndClose};
            return {Closing, RunAction::None};
    }
    return {state, RunAction::None};
}

}  // namespace veltro::tools
