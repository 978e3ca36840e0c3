#include "veltro/session/main_keys.h"

namespace veltro {

MainCommand mainKeyCommand(MainKey key, bool ctrlDown) {
    switch (key) {
        case MainKey::PageUp:
            return MainCommand::PreviousWindow;
        case MainKey::PageDown:
            return MainCommand::NextWindow;
        case MainKey::F3:
            return ctrlDown ? MainCommand::PassOn : MainCommand::StopDisplay;
        case MainKey::F5:
            return ctrlDown ? MainCommand::PassOn : MainCommand::ContinuousDisplay;
        case MainKey::Tab:
            return ctrlDown ? MainCommand::ToggleFocus : MainCommand::PassOn;
        case MainKey::F:
        case MainKey::L:
            return ctrlDown ? MainCommand::Font : MainCommand::PassOn;
        case MainKey::K:
            return ctrlDown ? MainCommand::ChooseWindow : MainCommand::PassOn;
        case MainKey::O:
            return ctrlDown ? MainCommand::OpenWindows : MainCommand::PassOn;
        case MainKey::S:
            return ctrlDown ? MainCommand::CloseWindows : MainCommand::PassOn;
        case MainKey::Other:
            break;
    }
    return MainCommand::PassOn;
}

}  // namespace veltro
