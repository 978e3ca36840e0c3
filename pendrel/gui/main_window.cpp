#include "pendrel/gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>

#include "pendrel/generator/list_file.h"
#include "pendrel/gui/about_dialog.h"
#include "pendrel/gui/generation_dialog.h"
#include "pendrel/gui/list_file_window.h"
#include "pendrel/gui/screen_list_dialog.h"
#include "pendrel/gui/system_figures.h"
#include "pendrel/gui/texts.h"
#include "pendrel/platform/free_memory.h"
#include "pendrel/session/status_texts.h"

namespace pendrel::gui {
namespace {

constexpr int kFreeSpaceRefreshMs = 10000;

// The part of a prompt text before its line break goes to the status line,
// the part after it is the tool tip.
QString statusPart(const char* prompt) {
    return QString::fromUtf8(prompt).section(QLatin1Char('\n'), 0, 0);
}

QString tipPart(const char* prompt) {
    return QString::fromUtf8(prompt).section(QLatin1Char('\n'), 1);
}

}  // namespace

MainWindow::MainWindow(ProjectSettings settings, const std::filesystem::path& workingDirectory)
    : m_session(std::move(settings), workingDirectory),
      m_prompts(this),
      m_progressWindow(new ProgressWindow(this)),
      m_progress(*m_progressWindow),
      m_run(*this),
      m_workerPrompts(m_run, m_prompts),
      m_workerProgress(m_run, m_progress) {
    setObjectName(QStringLiteral("PendrelMainWindow"));
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    buildMenus();

    m_overview = new QLabel(this);
    m_overview->setObjectName(QStringLiteral("overview"));
    m_overview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_overview->setMargin(12);
    m_overview->setTextFormat(Qt::PlainText);
    setCentralWidget(m_overview);

    // The idle text gives way to a command's prompt while one is pointed at.
    statusBar()->addWidget(new QLabel(QStringLiteral("Gereed"), this), 1);
    m_freeSpace = new QLabel(this);
    m_freeSpace->setObjectName(QStringLiteral("freeSpace"));
    statusBar()->addPermanentWidget(m_freeSpace);

    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &MainWindow::refresh);
    connect(&m_freeSpaceTimer, &QTimer::timeout, this, &MainWindow::refresh);
    m_freeSpaceTimer.start(kFreeSpaceRefreshMs);
    resize(720, 400);
    refresh();
}

MainWindow::~MainWindow() {
    // The job uses the session and the ports below: it ends before they go.
    m_run.abandonQuestionsAndWait();
}

QAction* MainWindow::addCommand(QMenu* menu, Command command, const char* text, const char* prompt,
                                QKeySequence key) {
    auto* action = new QAction(QString::fromUtf8(text), this);
    action->setShortcut(key);
    action->setStatusTip(statusPart(prompt));
    action->setToolTip(tipPart(prompt));
    menu->addAction(action);
    m_actions[command] = action;
    return action;
}

void MainWindow::buildMenus() {
    QMenu* project = menuBar()->addMenu(QStringLiteral("&Project"));
    QAction* open = addCommand(project, Command::Open, "&Openen...",
                               "Openen directory met kruispuntdata\nOpenen",
                               QKeySequence(Qt::CTRL | Qt::Key_O));
    project->addSeparator();
    QAction* exit =
        addCommand(project, Command::Exit, "&Afsluiten", "Afsluiten programma\nAfsluiten");

    QMenu* screens = menuBar()->addMenu(QStringLiteral("&Debugschermen"));
    QAction* define = addCommand(
        screens, Command::Define, "Definieren debugschermen...",
        "Opent een dialoogwindow t.b.v. het handmatig definieren van debugschermen\nDefinieren",
        QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction* test =
        addCommand(screens, Command::GenerateTest, "&Genereren debugschermen voor testen...",
                   "Opent een dialoogwindow t.b.v. het genereren van de "
                   "debugschermen voor testen\nGenereren testen",
                   QKeySequence(Qt::CTRL | Qt::Key_G));
    QAction* acceptance =
        addCommand(screens, Command::GenerateAcceptance, "Genereren debugschermen voor &afname...",
                   "Opent een dialoogwindow t.b.v. het genereren van de "
                   "debugschermen voor afname\nGenereren afname",
                   QKeySequence(Qt::CTRL | Qt::Key_A));
    QAction* view = addCommand(
        screens, Command::ViewList, "&Bekijken gegenereerde debugfiles",
        "Opent een window met een lijst van de gegenereerde debugfiles\nLijst debugfiles",
        QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(screens, &QMenu::aboutToShow, this, &MainWindow::refresh);

    m_toolBar = addToolBar(QStringLiteral("Knoppenbalk"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    QMenu* look = menuBar()->addMenu(QStringLiteral("&Beeld"));
    QAction* toolBarToggle = m_toolBar->toggleViewAction();
    toolBarToggle->setText(QStringLiteral("&Knoppenbalk"));
    toolBarToggle->setStatusTip(statusPart("Toon of verberg de knoppenbalk\nToggle knoppenbalk"));
    toolBarToggle->setToolTip(tipPart("Toon of verberg de knoppenbalk\nToggle knoppenbalk"));
    look->addAction(toolBarToggle);
    m_actions[Command::ToggleToolBar] = toolBarToggle;
    QAction* statusToggle = addCommand(look, Command::ToggleStatusLine, "&Statusregel",
                                       "Toon of verberg de statusregel\nToggle statusregel");
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* about = addCommand(help, Command::About, "&Info PENDREL...",
                                "Toont versie, vrij geheugen en vrije diskruimte\nInfo");

    connect(open, &QAction::triggered, this, &MainWindow::openProject);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(define, &QAction::triggered, this, &MainWindow::defineScreens);
    connect(test, &QAction::triggered, this, [this] { generate(GenerationCommand::Test); });
    connect(acceptance, &QAction::triggered, this,
            [this] { generate(GenerationCommand::Acceptance); });
    connect(view, &QAction::triggered, this, &MainWindow::viewListFile);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    const std::pair<QAction*, QStyle::StandardPixmap> buttons[] = {
        {open, QStyle::SP_DirOpenIcon},
        {define, QStyle::SP_FileDialogDetailedView},
        {test, QStyle::SP_MediaPlay},
        {acceptance, QStyle::SP_DialogApplyButton},
        {view, QStyle::SP_FileDialogContentsView},
        {about, QStyle::SP_MessageBoxInformation}};
    for (const auto& [action, pixmap] : buttons) {
        action->setIcon(style()->standardIcon(pixmap));
        m_toolBar->addAction(action);
        if (action == open || action == view) {
            m_toolBar->addSeparator();
        }
    }
}

void MainWindow::refresh() {
    for (const auto& [command, action] : m_actions) {
        action->setEnabled(m_session.enabled(command, m_busy));
    }
    setWindowTitle(fromUtf8(m_session.documentTitle()) + QStringLiteral(" - ") + kProgramCaption);
    const DiskFigures disk = diskFigures(m_session.currentDirectory().string());
    m_freeSpace->setText(fromUtf8(freeDiskText(disk.freeBytes, disk.mountPoint)));
    const Project& project = m_session.project();
    QString overview = QStringLiteral("Projectdirectory: %1\n")
                           .arg(QString::fromStdString(project.directory().string()));
    if (!project.loaded()) {
        overview += QStringLiteral("De sources zijn nog niet ingelezen.");
    } else {
        overview += QStringLiteral(
                        "%1 signaalgroepen, %2 detectoren\n%3 zelf gedefinieerde "
                        "debugschermen")
                        .arg(project.data().signalGroups.size())
                        .arg(project.data().detectors.size())
                        .arg(project.screens().size());
    }
    m_overview->setText(overview);
    watchCurrentDirectory();
}

void MainWindow::watchCurrentDirectory() {
    const QString current = QString::fromStdString(m_session.currentDirectory().string());
    if (m_watcher.directories() != QStringList{current}) {
        if (!m_watcher.directories().isEmpty()) {
            m_watcher.removePaths(m_watcher.directories());
        }
        // A remembered directory may have gone; the commands will say so.
        if (QFileInfo(current).isDir()) {
            m_watcher.addPath(current);
        }
    }
}

void MainWindow::openProject() {
    if (!m_session.mayLeaveProject(m_prompts, false)) {
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Selecteren directory"),
                       fromUtf8(m_session.directoryPreset()));
    dialog.setObjectName(QStringLiteral("DirectoryDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Directory naam:"));
    dialog.setLabelText(QFileDialog::Accept, kOkText);
    dialog.setLabelText(QFileDialog::Reject, kCancelText);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    // The project read stays aside until it was read whole: a failed open
    // leaves the one held before, unsaved screens included.
    m_opening = m_session.beginOpen(dialog.selectedFiles().constFirst().toStdString());
    Project& opening = *m_opening;
    runOnWorker([this, &opening] { return opening.load(m_workerPrompts, m_workerProgress); },
                [this](bool) {
                    m_session.finishOpen(std::move(m_opening));
                    refresh();
                });
}

void MainWindow::defineScreens() {
    m_reading = m_session.beginRead();
    if (!m_reading) {
        showScreenList();
        return;
    }
    Project& reading = *m_reading;
    runOnWorker([this, &reading] { return reading.load(m_workerPrompts, m_workerProgress); },
                [this](bool loaded) {
                    m_session.finishRead(std::move(m_reading));
                    refresh();
                    if (loaded) {
                        showScreenList();
                    }
                });
}

void MainWindow::showScreenList() {
    ScreenListDialog dialog(this, m_session.project());
    dialog.exec();
    refresh();
}

void MainWindow::generate(GenerationCommand command) {
    GenerationDialog dialog(this, m_session.generationSettings(command));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    GenerationSettings settings = dialog.settings();
    if (!m_session.acceptGeneration(settings, m_prompts)) {
        refresh();
        return;
    }
    // A project read already is only read by the generation, as by the window.
    m_reading = m_session.beginRead();
    Project& project = m_reading ? *m_reading : m_session.project();
    runOnWorker(
        [this, &project, settings] {
            return runGeneration(project, settings, m_workerPrompts, m_workerProgress);
        },
        [this](GenerationResult) {
            m_session.finishRead(std::move(m_reading));
            refresh();
        });
}

void MainWindow::viewListFile() {
    ListFileWindow window(this, listFileView(m_session.currentDirectory()));
    window.exec();
}

void MainWindow::showAbout() {
    const DiskFigures disk = diskFigures(m_session.currentDirectory().string());
    AboutDialog dialog(this, fromUtf8(freeMemoryText(platform::freeMemory())),
                       fromUtf8(freeDiskText(disk.freeBytes, disk.mountPoint)));
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_session.mayLeaveProject(m_prompts, true)) {
        event->ignore();
        return;
    }
    // A run still going gets no more answers and ends; nothing waits for it
    // on screen any more.
    m_run.abandonQuestionsAndWait();
    m_progressWindow->hide();
    event->accept();
}

}  // namespace pendrel::gui
