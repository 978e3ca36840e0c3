#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "veltro/definitions/definition_table.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/ports/item_view.h"
#include "veltro/ports/settings_store.h"
#include "veltro/session/window_list.h"

class QAction;
class QKeyEvent;
class QScrollArea;
class QSplitter;

namespace veltro::gui {

class DebugWindow;
class MessageWindow;

// What the main window works with; all of it outlives the window.
struct MainWindowParts {
    DebugWindowList& windows;            // the logic of the debug window stack
    DisplayLink& link;                   // showing and hiding windows (the poll cycle's)
    link::PollCycle& poll;               // F3 and F5
    ControllerRequests& requests;        // the items' requests
    const WriteGate& writes;             // asked before an item writes
    Prompts& prompts;                    // the items' save question
    Messages& messages;                  // the message window's composer
    SettingsStore& settings;             // veltro.ini
    const DefinitionTable& definitions;  // for debug window files opened later
    std::string debugDirectory;          // ends in a separator; holds pendrel.txt
};

// The menu items, in menu order.
enum class MenuItem {
    Open,
    Close,
    Choose,
    Previous,
    Next,
    StartDump,
    StartAfname,
    StartParameters,
    StartVerschillen,
    Exit,
    StopDisplay,
    ContinuousDisplay,
    TraceOn,
    TraceOff,
    DumpTrace,
    Font,
    About,
};
inline constexpr std::size_t kMenuItemCount = 17;

// The dialogs behind the four start items. Each runs modally; the main
// window takes the shown debug window out of the protocol before and shows
// it again after.
enum class StartDialog { Dump, Afname, Parameters, Verschillen };

// The main window (VLTMAINCLASS): the menu, the stack of debug windows above
// the message window "Mededelingen" (whose height the user drags), the title
// and the window geometry in veltro.ini. Every command goes to the logic;
// this window shows what the logic decided.
class MainWindow final : public QMainWindow, public ItemView {
  public:
    explicit MainWindow(MainWindowParts parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    MessageWindow& messageWindow() const { return *m_messages; }
    QAction* action(MenuItem item) const { return m_actions[static_cast<std::size_t>(item)]; }
    DebugWindow* windowWidget(int index) const;
    DebugWindow* shownWidget() const { return windowWidget(m_parts.windows.shown()); }

    // The widgets follow the window list: made for new debug windows, gone
    // with removed ones; the shown one visible, title and menu updated.
    void syncWindows();
    void showWindow(int index);  // -1 shows none

    // Commands (menu items and keys).
    void openCommand();
    void openFiles(const std::vector<std::string>& paths);
    void closeCommand();
    void chooseCommand();
    void previousWindow();
    void nextWindow();
    void stopDisplay();
    void continuousDisplay();
    void fontCommand();
    void aboutCommand();
    void toggleFocus();
    void startDialog(StartDialog which);
    // A start command posted at start-up, by its menu text, greyed or not;
    // false when unknown.
    bool runMenuCommand(std::string_view text);

    void setStartDialog(StartDialog which, std::function<void()> run);
    // The font of the debug windows and the message window.
    void applyFont(const QFont& font);
    // Sized for a debug window of 24 full rows of 80 characters at the font
    // above a message window of a third of the height, within the screen
    // (for a window that has no size of its own yet); the status bar, when
    // it has one, is counted.
    void sizeForFullPicture();
    // A key as the keyboard hook delivers it, before its target sees it;
    // true when the key was used up.
    bool mainKey(const QKeyEvent& event);

    // ItemView: a record changed an item of the shown window.
    void itemChanged(int item) override;

    // The geometry is written a moment after the last move or resize; now.
    void writeGeometry();

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildMenu();
    void on(MenuItem item, std::function<void()> command);
    void updateMenu();
    void refreshView();
    void fitDebugArea();
    void focusShownWindow();
    void queue(void (MainWindow::*command)());

    MainWindowParts m_parts;
    WindowSwitchPorts m_switchPorts;
    ScreenPorts m_screenPorts;
    QSplitter* m_splitter;
    QScrollArea* m_debugScroll;
    QWidget* m_debugArea;
    MessageWindow* m_messages;
    std::vector<DebugWindow*> m_widgets;  // in list order
    std::array<QAction*, kMenuItemCount> m_actions{};
    std::array<std::function<void()>, kMenuItemCount> m_commands;
    std::array<std::function<void()>, 4> m_startDialogs;
    QTimer m_geometryTimer;
    bool m_splitPlaced = false;
};

}  // namespace veltro::gui
