#pragma once

#include <string>
#include <vector>

#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"
#include "veltro/session/window_list.h"

namespace veltro {

// "Debug Vensters Sluiten": one line per debug window, the first selected;
// closing removes the selected window and keeps the dialog open with the line
// at the same position selected.
class CloseWindowsDialog {
  public:
    // `debugDirectory` ends in a separator; its pendrel.txt describes the files.
    CloseWindowsDialog(DebugWindowList& windows, std::string debugDirectory);

    const std::vector<std::string>& lines() const { return m_lines; }
    int selected() const { return m_selected; }
    void select(int line) { m_selected = line >= 0 && line < count() ? line : -1; }
    // "&Sluiten" or a double click.
    void closeSelected(WindowSwitchPorts& ports, Messages& messages);

  private:
    int count() const { return static_cast<int>(m_lines.size()); }
    void refill();

    DebugWindowList& m_windows;
    std::string m_debugDirectory;
    std::vector<std::string> m_lines;
    int m_selected = -1;
};

// "Debug Venster Kiezen": opens with no line selected; choosing clears the
// item selection of the shown window and shows the chosen one.
class ChooseWindowDialog {
  public:
    ChooseWindowDialog(DebugWindowList& windows, const std::string& debugDirectory);

    const std::vector<std::string>& lines() const { return m_lines; }
    int selected() const { return m_selected; }
    void select(int line) {
        m_selected = line >= 0 && line < static_cast<int>(m_lines.size()) ? line : -1;
    }
    // "&Kiezen" or a double click; the dialog closes afterwards either way.
    void choose(ScreenPorts& screenPorts, WindowSwitchPorts& ports);

  private:
    DebugWindowList& m_windows;
    std::vector<std::string> m_lines;
    int m_selected = -1;
};

}  // namespace veltro
