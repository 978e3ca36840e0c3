#include "veltro/gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <algorithm>
#include <unordered_map>

#include "common/gui/qt_text.h"
#include "veltro/gui/debug_window.h"
#include "veltro/gui/key_filter.h"
#include "veltro/gui/message_window.h"
#include "veltro/gui/program_icon.h"
#include "veltro/screens/screen_layout.h"
#include "veltro/screens/screen_picture.h"
#include "veltro/session/geometry.h"
#include "veltro/session/settings.h"

namespace veltro::gui {
namespace {

constexpr int kGeometryWriteDelayMs = 200;

using common::gui::qtText;

// The debug windows' area: each debug window fills it. It is as large as
// the shown window needs at least, and scrolls where the main window is
// smaller.
class DebugArea final : public QWidget {
  public:
    DebugArea() { setMinimumSize(0, 0); }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        for (QObject* child : children()) {
            if (auto* window = qobject_cast<QWidget*>(child))
                window->setGeometry(rect());
        }
    }
};

}  // namespace

MainWindow::MainWindow(MainWindowParts parts, QWidget* parent)
    : QMainWindow(parent),
      m_parts(std::move(parts)),
      m_switchPorts{m_parts.link},
      m_screenPorts{m_parts.requests, m_parts.prompts, m_parts.messages, m_parts.writes},
      m_splitter(new QSplitter(Qt::Vertical, this)),
      m_debugScroll(new QScrollArea(m_splitter)),
      m_debugArea(new DebugArea),
      m_messages(new MessageWindow(m_splitter)) {
    setObjectName(QStringLiteral("VLTMAINCLASS"));
    setWindowIcon(programIcon());
    m_splitter->setObjectName(QStringLiteral("client"));
    m_debugScroll->setObjectName(QStringLiteral("debugArea"));
    m_debugScroll->setFrameShape(QFrame::NoFrame);
    m_debugScroll->setWidgetResizable(true);
    m_debugScroll->setWidget(m_debugArea);
    m_debugScroll->setMinimumHeight(0);
    m_splitter->addWidget(m_debugScroll);
    m_splitter->addWidget(m_messages);
    // The message window keeps its height when the main window is resized,
    // and may be dragged from nothing up to the whole client area.
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setChildrenCollapsible(true);
    setCentralWidget(m_splitter);
    setMinimumSize(0, 0);
    m_messages->setOnActivated([this] { m_parts.windows.setFocusOnMessages(); });
    // A click into a debug window takes the keyboard back to that side.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && m_debugArea->isAncestorOf(now))
            m_parts.windows.setFocusOnDebugWindow();
    });
    buildMenu();
    setWindowTitle(qtText(m_parts.windows.mainTitle()));
    m_geometryTimer.setSingleShot(true);
    m_geometryTimer.setInterval(kGeometryWriteDelayMs);
    connect(&m_geometryTimer, &QTimer::timeout, this, [this] { writeGeometry(); });
}

MainWindow::~MainWindow() {
    // A move just before the end (Afsluiten) is not lost.
    if (m_geometryTimer.isActive())
        writeGeometry();
    // The widgets refer to the screens; they go before anything else does.
    for (DebugWindow* widget : m_widgets)
        delete widget;
    m_widgets.clear();
}

DebugWindow* MainWindow::windowWidget(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_widgets.size())
        return nullptr;
    return m_widgets[static_cast<std::size_t>(index)];
}

void MainWindow::syncWindows() {
    std::unordered_map<DebugWindowList::WindowId, DebugWindow*> existing;
    for (DebugWindow* widget : m_widgets)
        existing.emplace(widget->id(), widget);
    std::vector<DebugWindow*> ordered;
    DebugWindowList& windows = m_parts.windows;
    for (int i = 0; i < windows.windowCount(); ++i) {
        const auto found = existing.find(windows.windowId(i));
        if (found != existing.end()) {
            ordered.push_back(found->second);
            existing.erase(found);
            continue;
        }
        auto* widget =
            new DebugWindow(windows.window(i), windows.windowId(i), m_screenPorts, m_debugArea);
        widget->hide();
        widget->setGeometry(m_debugArea->rect());
        ordered.push_back(widget);
    }
    for (auto& [id, widget] : existing) {
        // Its screen was removed from the list. The keyboard stays in this
        // window rather than wander to the message window.
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && (focus == widget || widget->isAncestorOf(focus)))
            setFocus(Qt::OtherFocusReason);
        delete widget;
    }
    m_widgets = std::move(ordered);
    refreshView();
}

void MainWindow::refreshView() {
    const int shown = m_parts.windows.shown();
    DebugWindow* shownOne = shownWidget();
    if (shownOne != nullptr) {
        shownOne->show();
        shownOne->raise();
        shownOne->refreshItems();
        shownOne->update();  // its selection may have been hidden or restored
    }
    fitDebugArea();
    for (std::size_t i = 0; i < m_widgets.size(); ++i) {
        if (static_cast<int>(i) == shown)
            continue;
        // A window that goes with the keyboard hands it to the shown one
        // first; Qt would pass it on to the message window.
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && (focus == m_widgets[i] || m_widgets[i]->isAncestorOf(focus))) {
            if (shownOne != nullptr) {
                shownOne->focusSelection();
            } else {
                setFocus(Qt::OtherFocusReason);
            }
        }
        m_widgets[i]->hide();
    }
    setWindowTitle(qtText(m_parts.windows.mainTitle()));
    updateMenu();
}

void MainWindow::focusShownWindow() {
    if (DebugWindow* widget = shownWidget())
        widget->focusSelection();
}

void MainWindow::showWindow(int index) {
    m_parts.windows.show(index, m_switchPorts);
    refreshView();
    focusShownWindow();
}

void MainWindow::previousWindow() {
    m_parts.windows.previous(m_switchPorts);
    refreshView();
    focusShownWindow();
}

void MainWindow::nextWindow() {
    m_parts.windows.next(m_switchPorts);
    refreshView();
    focusShownWindow();
}

void MainWindow::stopDisplay() {
    m_parts.poll.stopDisplay();
}

void MainWindow::continuousDisplay() {
    m_parts.poll.continuousDisplay();
}

void MainWindow::toggleFocus() {
    if (m_parts.windows.toggleFocus()) {
        focusShownWindow();
    } else {
        m_messages->takeFocus();
    }
}

void MainWindow::applyFont(const QFont& font) {
    // The menu keeps the desktop's font; the windows below it take this one.
    m_splitter->setFont(font);
    fitDebugArea();
}

void MainWindow::fitDebugArea() {
    const DebugWindow* shown = shownWidget();
    const QSize least = shown != nullptr ? shown->minimumSize() : QSize(0, 0);
    m_debugArea->setMinimumSize(least);
}

void MainWindow::sizeForFullPicture() {
    // A whole picture of 24 rows of 80 characters at the windows' font,
    // with rows as high as a check box needs.
    const CellSize cell = DebugWindow::cell(m_splitter->font());
    QCheckBox box;
    box.setFont(m_splitter->font());
    const std::vector<PictureElement> row = {{0, 0, 0, box.minimumSizeHint().height()}};
    const ClientSize picture = minimumClientSize(row, cell, kFullPictureColumns, kFullPictureRows);
    const int frame = 2;  // the debug window's line, 1 pixel on each side
    const auto* status = findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    const int width = picture.width + frame;
    const int height = menuBar()->sizeHint().height() +
                       clientHeightForDebugArea(picture.height + frame) +
                       m_splitter->handleWidth() + (status ? status->sizeHint().height() : 0);
    const QRect available = screen() != nullptr ? screen()->availableGeometry() : QRect();
    const Rect placed =
        fitOnScreen({x(), y(), width, height},
                    {available.x(), available.y(), available.width(), available.height()});
    move(placed.x, placed.y);
    resize(placed.width, placed.height);
}

void MainWindow::setStartDialog(StartDialog which, std::function<void()> run) {
    m_startDialogs[static_cast<std::size_t>(which)] = std::move(run);
}

void MainWindow::startDialog(StartDialog which) {
    const std::function<void()>& run = m_startDialogs[static_cast<std::size_t>(which)];
    if (!run)
        return;  // not part of this build
    m_parts.windows.suspendShown(m_switchPorts);
    refreshView();
    run();
    m_parts.windows.resumeShown(m_switchPorts);
    refreshView();
    show();
    focusShownWindow();
}

void MainWindow::queue(void (MainWindow::*command)()) {
    // Dialogs open from the event loop, after the key has been dealt with.
    QMetaObject::invokeMethod(this, command, Qt::QueuedConnection);
}

bool MainWindow::mainKey(const QKeyEvent& event) {
    // The Ctrl state is the one this key came with: a Ctrl released while a
    // dialog had the keyboard does not stay down here.
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    switch (mainKeyCommand(mainKeyOf(event), ctrl)) {
        case MainCommand::PreviousWindow:
            previousWindow();
            return true;
        case MainCommand::NextWindow:
            nextWindow();
            return true;
        case MainCommand::StopDisplay:
            stopDisplay();
            return true;
        case MainCommand::ContinuousDisplay:
            continuousDisplay();
            return true;
        case MainCommand::ToggleFocus:
            toggleFocus();
            return true;
        case MainCommand::Font:
            queue(&MainWindow::fontCommand);
            return true;
        case MainCommand::ChooseWindow:
            queue(&MainWindow::chooseCommand);
            return true;
        case MainCommand::OpenWindows:
            queue(&MainWindow::openCommand);
            return true;
        case MainCommand::CloseWindows:
            queue(&MainWindow::closeCommand);
            return true;
        case MainCommand::PassOn:
            break;
    }
    // The main window has no Tab order: Tab does not move the keyboard from
    // one control to the next (Ctrl+Tab is the way to the message window).
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return true;
    DebugWindow* shown = shownWidget();
    const std::optional<ScreenKey> key = screenKeyOf(event);
    if (shown == nullptr || !key || !m_parts.windows.keysToShownWindow())
        return false;
    shown->handleKey(*key);
    // A field selected out of view is scrolled into it.
    if (QWidget* selected = shown->control(shown->screen().selected()))
        m_debugScroll->ensureWidgetVisible(selected, 0, 0);
    return true;
}

void MainWindow::itemChanged(int item) {
    if (DebugWindow* widget = shownWidget())
        widget->itemChanged(item);
}

void MainWindow::writeGeometry() {
    m_geometryTimer.stop();
    // Position of the frame and size of the window, as move() and resize()
    // take them back at the next start.
    VeltroSettings(m_parts.settings).writeGeometry({x(), y(), width(), height()});
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    m_geometryTimer.start();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_geometryTimer.start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_splitPlaced) {
        // The message window starts at a third of the client height.
        m_splitPlaced = true;
        const int height = m_splitter->height() - m_splitter->handleWidth();
        const Rect messages = initialMessageWindow(m_splitter->width(), height);
        m_splitter->setSizes({height - messages.height, messages.height});
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_geometryTimer.isActive())
        writeGeometry();
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Taking the keyboard, the main window hands it to the shown debug window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        focusShownWindow();
}

}  // namespace veltro::gui
