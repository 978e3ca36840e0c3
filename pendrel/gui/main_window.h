#pragma once

#include <QAction>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <map>
#include <memory>

#include "common/gui/worker_run.h"
#include "pendrel/gui/dialog_prompts.h"
#include "pendrel/gui/progress_window.h"
#include "pendrel/gui/worker_ports.h"
#include "pendrel/session/designer_session.h"

namespace pendrel::gui {

// The designer's main window: menu, tool bar, status line with the command
// prompts and the free-space pane. Reading the sources and generating run on
// a worker; their questions come up here and their progress lines go to the
// progress window. While one runs, the project commands are disabled.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(ProjectSettings settings, const std::filesystem::path& workingDirectory);
    ~MainWindow() override;

    QAction* action(Command command) const { return m_actions.at(command); }
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* freeSpacePane() const { return m_freeSpace; }
    ProgressWindow* progressWindow() const { return m_progressWindow; }
    DesignerSession& session() { return m_session; }
    bool busy() const { return m_busy; }

    // The commands, as the menu runs them.
    void openProject();
    void defineScreens();
    void generate(GenerationCommand command);
    void viewListFile();
    void showAbout();

    // Enabled states, title, free space and the overview made current.
    void refresh();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, Command command, const char* text, const char* prompt,
                        QKeySequence key = {});
    void showScreenList();
    void watchCurrentDirectory();

    template <typename Job, typename Done>
    void runOnWorker(Job job, Done done);

    DesignerSession m_session;
    DialogPrompts m_prompts;
    ProgressWindow* m_progressWindow;
    WindowProgress m_progress;
    common::gui::WorkerRun m_run;
    WorkerPrompts m_workerPrompts;
    WorkerProgress m_workerProgress;
    bool m_busy = false;
    std::unique_ptr<Project> m_opening;  // the project an Open is reading
    std::unique_ptr<Project> m_reading;  // the unread project Define or a generation reads

    std::map<Command, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_freeSpace = nullptr;
    QLabel* m_overview = nullptr;
    QFileSystemWatcher m_watcher;
    QTimer m_freeSpaceTimer;
};

template <typename Job, typename Done>
void MainWindow::runOnWorker(Job job, Done done) {
    m_busy = true;
    refresh();
    const bool started =
        m_run.start(std::move(job), [this, done = std::move(done)](auto result) mutable {
            m_busy = false;
            refresh();
            done(std::move(result));
        });
    if (!started) {  // a job still runs: the commands stay as they were
        m_busy = m_run.running();
        refresh();
    }
}

}  // namespace pendrel::gui
