// The main window's menu: the items in their menus with their texts, what
// each does, and which are available.
#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <functional>
#include <utility>
#include <vector>

#include "common/gui/qt_text.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/texts.h"

namespace veltro::gui {
namespace {

struct MenuEntry {
    MenuItem item;
    const char* text;
};

}  // namespace

void MainWindow::buildMenu() {
    using namespace texts;
    const std::vector<std::pair<const char*, std::vector<MenuEntry>>> menus = {
        {kMenuWindow,
         {{MenuItem::Open, kOpen},
          {MenuItem::Close, kClose},
          {MenuItem::Choose, kChoose},
          {MenuItem::Previous, kPrevious},
          {MenuItem::Next, kNext},
          {MenuItem::StartDump, kStartDump},
          {MenuItem::StartAfname, kStartAfname},
          {MenuItem::StartParameters, kStartParameters},
          {MenuItem::StartVerschillen, kStartVerschillen},
          {MenuItem::Exit, kExit}}},
        {kMenuVariables,
         {{MenuItem::StopDisplay, kStopDisplay},
          {MenuItem::ContinuousDisplay, kContinuousDisplay},
          {MenuItem::TraceOn, kTraceOn},
          {MenuItem::TraceOff, kTraceOff},
          {MenuItem::DumpTrace, kDumpTrace}}},
        {kMenuSettings, {{MenuItem::Font, kFont}}},
        {kMenuHelp, {{MenuItem::About, kAbout}}},
    };
    for (const auto& [title, entries] : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        for (const MenuEntry& entry : entries) {
            // The key after the TAB is only text: the keys work through the
            // keyboard hook, not as shortcuts.
            QAction* a = menu->addAction(QString::fromUtf8(entry.text));
            m_actions[static_cast<std::size_t>(entry.item)] = a;
        }
    }
    on(MenuItem::Open, [this] { openCommand(); });
    on(MenuItem::Close, [this] { closeCommand(); });
    on(MenuItem::Choose, [this] { chooseCommand(); });
    on(MenuItem::Previous, [this] { previousWindow(); });
    on(MenuItem::Next, [this] { nextWindow(); });
    on(MenuItem::StartDump, [this] { startDialog(StartDialog::Dump); });
    on(MenuItem::StartAfname, [this] { startDialog(StartDialog::Afname); });
    on(MenuItem::StartParameters, [this] { startDialog(StartDialog::Parameters); });
    on(MenuItem::StartVerschillen, [this] { startDialog(StartDialog::Verschillen); });
    on(MenuItem::Exit, [] { QCoreApplication::exit(0); });
    on(MenuItem::StopDisplay, [this] { stopDisplay(); });
    on(MenuItem::ContinuousDisplay, [this] { continuousDisplay(); });
    on(MenuItem::Font, [this] { fontCommand(); });
    on(MenuItem::About, [this] { aboutCommand(); });
    // The initial states; the trace items never do anything.
    for (MenuItem item :
         {MenuItem::Close, MenuItem::Choose, MenuItem::Previous, MenuItem::Next,
          MenuItem::StartAfname, MenuItem::StartParameters, MenuItem::StartVerschillen,
          MenuItem::StopDisplay, MenuItem::ContinuousDisplay, MenuItem::TraceOn,
          MenuItem::TraceOff, MenuItem::DumpTrace}) {
        action(item)->setEnabled(false);
    }
}

void MainWindow::on(MenuItem item, std::function<void()> command) {
    m_commands[static_cast<std::size_t>(item)] = command;
    connect(action(item), &QAction::triggered, this, std::move(command));
}

bool MainWindow::runMenuCommand(std::string_view text) {
    // A command posted at start-up runs whether or not its item is greyed:
    // a start word names the command, not a click on the menu.
    for (std::size_t i = 0; i < kMenuItemCount; ++i) {
        if (m_actions[i]->text() == common::gui::qtText(text)) {
            if (m_commands[i])
                m_commands[i]();
            return true;
        }
    }
    return false;
}

void MainWindow::updateMenu() {
    const MenuState state = m_parts.windows.menuState();
    action(MenuItem::Open)->setEnabled(state.open);
    action(MenuItem::Close)->setEnabled(state.close);
    action(MenuItem::Choose)->setEnabled(state.choose);
    action(MenuItem::Previous)->setEnabled(state.previous);
    action(MenuItem::Next)->setEnabled(state.next);
    action(MenuItem::StopDisplay)->setEnabled(state.stopDisplay);
    action(MenuItem::ContinuousDisplay)->setEnabled(state.continuousDisplay);
    action(MenuItem::StartDump)->setEnabled(state.startDump);
    for (MenuItem item :
         {MenuItem::StartAfname, MenuItem::StartParameters, MenuItem::StartVerschillen}) {
        action(item)->setEnabled(state.startTools);
    }
}

}  // namespace veltro::gui
