#include "veltro/session/window_list.h"

#include <algorithm>

#include "common/format.h"
#include "veltro/session/start_directory.h"

namespace veltro {

void DebugWindowList::addWindow(DebugScreen screen) {
    if (windowCount() >= kMaxDebugWindows) {
        return;
    }
    auto place = std::upper_bound(m_windows.begin(), m_windows.end(), screen.title(),
                                  [](const std::string& title, const Entry& entry) {
                                      return title < entry.screen->title();
                                  });
    const int index = static_cast<int>(place - m_windows.begin());
    m_windows.insert(place, Entry{++m_lastId, std::make_unique<DebugScreen>(std::move(screen))});
    m_lastAdded = index;
    m_toolsAvailable = true;
    // The window on view stays on view until the caller shows another one.
    if (m_shown >= index) {
        ++m_shown;
    }
}

std::vector<std::string> DebugWindowList::titles() const {
    std::vector<std::string> result;
    result.reserve(m_windows.size());
    for (const Entry& entry : m_windows) {
        result.push_back(entry.screen->title());
    }
    return result;
}

void DebugWindowList::show(int index, WindowSwitchPorts& ports) {
    if (index < -1 || index >= windowCount()) {
        return;
    }
    hideShown(ports);
    m_shown = index;
    m_suspended = false;
    presentShown(ports);
}

void DebugWindowList::hideShown(WindowSwitchPorts& ports) {
    if (m_shown >= 0) {
        ports.link.setPaused(true);
        ports.link.windowHidden();
        ports.link.setPaused(false);
    }
}

void DebugWindowList::presentShown(WindowSwitchPorts& ports) {
    if (m_shown >= 0) {
        ports.link.windowShown();
        window(m_shown).restoreSelection();
    }
    m_focusFlag = true;
}

void DebugWindowList::suspendShown(WindowSwitchPorts& ports) {
    hideShown(ports);
    m_suspended = true;
}

void DebugWindowList::resumeShown(WindowSwitchPorts& ports) {
    m_suspended = false;
    presentShown(ports);
}

void DebugWindowList::previous(WindowSwitchPorts& ports) {
    if (DebugScreen* current = shownWindow()) {
        current->hideSelection();
    }
    const int count = windowCount();
    if (count < 2) {
        return;
    }
    show(m_shown <= 0 ? count - 1 : m_shown - 1, ports);
}

void DebugWindowList::next(WindowSwitchPorts& ports) {
    if (DebugScreen* current = shownWindow()) {
        current->hideSelection();
    }
    const int count = windowCount();
    if (count < 2) {
        return;
    }
    show(m_shown < 0 || m_shown >= count - 1 ? 0 : m_shown + 1, ports);
}

void DebugWindowList::remove(int index, WindowSwitchPorts& ports, Messages& messages) {
    if (index < 0 || index >= windowCount()) {
        return;
    }
    messages.message(message_kind::kInformation, window(index).title(), " wordt verwijderd");
    if (index == m_shown) {
        show(index > 0 ? index - 1 : (windowCount() >= 2 ? 1 : -1), ports);
    }
    m_windows.erase(m_windows.begin() + index);
    if (m_shown > index) {
        --m_shown;
    }
    if (m_lastAdded >= windowCount()) {
        m_lastAdded = windowCount() - 1;
    }
}

bool DebugWindowList::toggleFocus() {
    m_focusFlag = !m_focusFlag;
    return m_focusFlag && m_shown >= 0;
}

std::string DebugWindowList::mainTitle() const {
    std::string title = common::format("Debugger %3.3d", m_windowNumber);
    if (m_shown >= 0) {
        title += " - ";
        title += fileNamePart(window(m_shown).title());
    }
    return title;
}

MenuState DebugWindowList::menuState() const {
    MenuState menu;
    const int count = windowCount();
    menu.close = menu.choose = menu.stopDisplay = menu.continuousDisplay = count >= 1;
    menu.previous = menu.next = count >= 2;
    menu.open = count < kMaxDebugWindows;
    menu.startTools = m_toolsAvailable;
    return menu;
}

}  // namespace veltro
