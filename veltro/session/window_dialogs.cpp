#include "veltro/session/window_dialogs.h"

#include "veltro/screens/window_list_text.h"

namespace veltro {

CloseWindowsDialog::CloseWindowsDialog(DebugWindowList& windows, std::string debugDirectory)
    : m_windows(windows), m_debugDirectory(std::move(debugDirectory)) {
    refill();
    m_selected = m_lines.empty() ? -1 : 0;
}

void CloseWindowsDialog::refill() {
    m_lines = windowListTexts(m_debugDirectory, m_windows.titles());
}

void CloseWindowsDialog::closeSelected(WindowSwitchPorts& ports, Messages& messages) {
    if (m_selected < 0) {
        return;
    }
    m_windows.remove(m_selected, ports, messages);
    refill();
    select(m_selected);
}

ChooseWindowDialog::ChooseWindowDialog(DebugWindowList& windows, const std::string& debugDirectory)
    : m_windows(windows), m_lines(windowListTexts(debugDirectory, windows.titles())) {}

void ChooseWindowDialog::choose(ScreenPorts& screenPorts, WindowSwitchPorts& ports) {
    if (m_selected < 0) {
        return;
    }
    if (DebugScreen* shown = m_windows.shownWindow()) {
        shown->select(-1, screenPorts);
    }
    m_windows.show(m_selected, ports);
}

}  // namespace veltro
