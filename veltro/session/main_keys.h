#pragma once

namespace veltro {

// Keys that the main window looks at before anything else sees them.
enum class MainKey { PageUp, PageDown, F3, F5, Tab, F, L, K, O, S, Other };

enum class MainCommand {
    PreviousWindow,
    NextWindow,
    StopDisplay,
    ContinuousDisplay,
    ToggleFocus,
    Font,
    ChooseWindow,
    OpenWindows,
    CloseWindows,
    PassOn,  // to the shown debug window's key handling, when one is shown
};

// The main window's key table.
MainCommand mainKeyCommand(MainKey key, bool ctrlDown);

// Follows the Ctrl key from its own key-down and key-up events only.
class CtrlTracker {
  public:
    void ctrlDown() { m_down = true; }
    void ctrlUp() { m_down = false; }
    bool down() const { return m_down; }

  private:
    bool m_down = false;
};

}  // namespace veltro
