#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "veltro/ports/display_link.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"
#include "veltro/screens/directory_scan.h"

namespace veltro {

// Which commands of the "&Venster" and "V&ariabelen" menus are available.
struct MenuState {
    bool open = true;
    bool close = false;
    bool choose = false;
    bool previous = false;
    bool next = false;
    bool stopDisplay = false;
    bool continuousDisplay = false;
    bool startDump = true;    // "Start DPCOM..."
    bool startTools = false;  // the three tools: once a debug window file was loaded
};

// The outside world that switching windows reaches: the link, which owns the
// poll cycle (STOP for the hidden window's items, requests for the new one).
struct WindowSwitchPorts {
    DisplayLink& link;
};

// A main window's debug windows: kept sorted by title (byte order), one of
// them shown or none, and the main window title and menu that follow.
class DebugWindowList final : public ScreenCollector {
  public:
    explicit DebugWindowList(int windowNumber = 1) : m_windowNumber(windowNumber) {}

    int windowCount() const override { return static_cast<int>(m_windows.size()); }
    // Sorts the window in before the first with a greater title. The shown
    // window stays the one shown; a list already full refuses the window.
    void addWindow(DebugScreen screen) override;
    int lastAdded() const { return m_lastAdded; }

    DebugScreen& window(int index) {
        return *m_windows.at(static_cast<std::size_t>(index)).screen;
    }
    const DebugScreen& window(int index) const {
        return *m_windows.at(static_cast<std::size_t>(index)).screen;
    }
    // A window's identity for as long as it is loaded: a serial number given
    // when it is added and never given again, so that a window removed and a
    // window added later are never taken for each other. 0 stands for none.
    using WindowId = std::uint64_t;
    WindowId windowId(int index) const { return m_windows.at(static_cast<std::size_t>(index)).id; }
    WindowId shownId() const { return m_shown < 0 ? 0 : windowId(m_shown); }
    std::vector<std::string> titles() const;

    int shown() const { return m_shown; }
    DebugScreen* shownWindow() { return m_shown < 0 ? nullptr : &window(m_shown); }

    void show(int index, WindowSwitchPorts& ports);  // -1 shows none
    void previous(WindowSwitchPorts& ports);
    void next(WindowSwitchPorts& ports);
    void remove(int index, WindowSwitchPorts& ports, Messages& messages);

    // Around the dump dialog and the tool dialogs: the shown window leaves the
    // protocol while the dialog is open and is shown again when it closes.
    // While suspended it is not polled: a poll timer still pending from its
    // showing would otherwise ask for values that the dialog receives (into
    // the dump file, or into the parameter store).
    void suspendShown(WindowSwitchPorts& ports);
    void resumeShown(WindowSwitchPorts& ports);
    bool suspended() const { return m_suspended; }

    // Ctrl+Tab: true when the keyboard now belongs to the debug window side.
    bool toggleFocus();
    bool focusOnDebugWindow() const { return m_focusFlag; }
    // The keyboard went to one side by other means (a click, the focus).
    void setFocusOnMessages() { m_focusFlag = false; }
    void setFocusOnDebugWindow() { m_focusFlag = true; }
    // Keys that the main window does not use go to the shown debug window
    // only while the keyboard is on its side; else they stay with the
    // message window, whose list they scroll.
    bool keysToShownWindow() const { return m_focusFlag && m_shown >= 0; }

    std::string mainTitle() const;
    MenuState menuState() const;

  private:
    void hideShown(WindowSwitchPorts& ports);
    void presentShown(WindowSwitchPorts& ports);

    struct Entry {
        WindowId id;
        std::unique_ptr<DebugScreen> screen;
    };

    int m_windowNumber;
    std::vector<Entry> m_windows;
    WindowId m_lastId = 0;
    int m_shown = -1;
    int m_lastAdded = -1;
    bool m_focusFlag = true;
    bool m_suspended = false;
    bool m_toolsAvailable = false;  // a window was loaded (it may be closed since)
};

}  // namespace veltro
