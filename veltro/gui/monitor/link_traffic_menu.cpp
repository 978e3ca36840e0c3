#include "veltro/gui/monitor/link_traffic_menu.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <cstdio>

#include "common/gui/qt_text.h"
#include "veltro/gui/monitor/extra_texts.h"
#include "veltro/gui/monitor/frame_monitor_window.h"
#include "veltro/gui/monitor/item_choice_dialog.h"
#include "veltro/gui/monitor/trend_window.h"
#include "veltro/monitor/item_choice.h"
#include "veltro/monitor/monitor_texts.h"
#include "veltro/monitor/open_request.h"

namespace veltro::gui {
namespace {

using monitor::MonitorHub;

using common::gui::qtText;

// The save dialog adds ".csv" to a name without an extension before it asks
// whether an existing file may be replaced.
QString askLogFile(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, {}, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.csv")) ? QStringLiteral("csv")
                                                                     : QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

LinkTrafficMenu::LinkTrafficMenu(QMainWindow& window, LinkTrafficParts parts,
                                 monitor::WallClock clock)
    : QObject(&window),
      m_window(window),
      m_parts(parts),
      m_hub(parts.tap, std::move(clock)),
      m_log(m_hub.log(), m_names, parts.messages),
      m_chooseFile(askLogFile) {
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_chooseItems = [this](const DebugScreen& screen, const std::vector<int>& preset) {
        return chooseItems(screen, m_names, preset, &m_window);
    };
    buildMenu();
    updateMenu();
    openFromEnvironment();
}

LinkTrafficMenu::~LinkTrafficMenu() {
    // The windows go first, then the hub (detaching the tap), with the log's
    // last lines written.
    m_timer.stop();
    m_recording.stop();
    for (QWidget* shown : {static_cast<QWidget*>(m_monitor), static_cast<QWidget*>(m_trend)}) {
        if (shown != nullptr)
            shown->removeEventFilter(this);
        delete shown;
    }
    m_hub.log().close();
}

void LinkTrafficMenu::buildMenu() {
    struct Item {
        TrafficItem item;
        const char* text;
        std::function<void()> run;
    };
    const Item items[] = {
        {TrafficItem::Monitor, extra_texts::kMonitor, [this] { openMonitor(); }},
        {TrafficItem::LogWindow, extra_texts::kLogWindow, [this] { startLog(false); }},
        {TrafficItem::LogChosen, extra_texts::kLogChosen, [this] { startLog(true); }},
        {TrafficItem::LogStop, extra_texts::kLogStop, [this] { stopLog(); }},
        {TrafficItem::Trend, extra_texts::kTrend, [this] { openTrend(); }},
        {TrafficItem::RecordStart, extra_texts::kRecordStart, [this] { startRecording(); }},
        {TrafficItem::RecordStop, extra_texts::kRecordStop, [this] { stopRecording(); }},
    };
    QMenu* menu = m_window.menuBar()->addMenu(qtText(extra_texts::kMenu));
    menu->setObjectName(QStringLiteral("extraMenu"));
    for (const Item& item : items) {
        QAction* added = menu->addAction(qtText(item.text));
        connect(added, &QAction::triggered, this, item.run);
        m_actions[static_cast<std::size_t>(item.item)] = added;
    }
    action(TrafficItem::Monitor)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    action(TrafficItem::Monitor)->setShortcutContext(Qt::ApplicationShortcut);
}

void LinkTrafficMenu::updateMenu() {
    const bool logging = m_log.active();
    action(TrafficItem::LogWindow)->setEnabled(!logging);
    action(TrafficItem::LogChosen)->setEnabled(!logging);
    action(TrafficItem::LogStop)->setEnabled(logging);
    action(TrafficItem::RecordStart)->setEnabled(!m_recording.active());
    action(TrafficItem::RecordStop)->setEnabled(m_recording.active());
}

void LinkTrafficMenu::setTapUse(MonitorHub::Use user, bool on) {
    if (on && !m_hub.attached())
        m_names.setElements(m_parts.elements);
    m_hub.setUse(user, on);
    if (m_hub.attached())
        m_timer.start();
    else
        m_timer.stop();
    updateMenu();
}

std::optional<std::vector<int>> LinkTrafficMenu::askItems(const DebugScreen& shown) {
    const int selected = shown.selected();
    m_names.setElements(m_parts.elements);  // the chooser names the elements
    return m_chooseItems(shown, selected >= 0 ? std::vector<int>{selected} : std::vector<int>{});
}

void LinkTrafficMenu::openMonitor() {
    if (m_monitor == nullptr) {
        m_monitor = new FrameMonitorWindow(m_hub, m_names, &m_window);
        m_monitor->setProjectDirectory(m_parts.projectDirectory);
        m_monitor->installEventFilter(this);
    }
    if (!m_hub.inUse(MonitorHub::kMonitor)) {
        setTapUse(MonitorHub::kMonitor, true);
        m_monitor->model().clear();
    }
    m_monitor->show();
    m_monitor->raise();
    m_monitor->activateWindow();
}

void LinkTrafficMenu::startLog(bool chosen) {
    const DebugScreen* shown = m_parts.windows.shownWindow();
    if (!m_log.canStart(shown))
        return;
    std::vector<int> items;
    if (chosen) {
        const auto picked = askItems(*shown);
        if (!picked)
            return;
        items = *picked;
    }
    m_names.setElements(m_parts.elements);
    std::optional<monitor::LogPlan> plan = m_log.plan(*shown, m_parts.windows.shownId(), items);
    if (!plan)
        return;
    const QString path = m_chooseFile(&m_window, qtText(extra_texts::kLogFileTitle),
                                      qtText(extra_texts::kCsvFilter));
    if (path.isEmpty())
        return;
    if (m_log.start(std::move(*plan), path.toStdString(), m_hub.clock()()))
        setTapUse(MonitorHub::kLog, true);
}

void LinkTrafficMenu::stopLog() {
    if (!m_log.active())
        return;
    setTapUse(MonitorHub::kLog, false);  // what was queued is written first
    m_log.stop();
    updateMenu();
}

void LinkTrafficMenu::startRecording() {
    const QString path = m_chooseFile(&m_window, qtText(extra_texts::kRecordTitle),
                                      qtText(extra_texts::kRecordFilter));
    if (!path.isEmpty())
        startRecording(path);
}

void LinkTrafficMenu::startRecording(const QString& path) {
    if (!m_hub.attached())
        m_names.setElements(m_parts.elements);
    const std::string told = m_recording.start(path.toStdString(), m_parts.projectDirectory);
    m_parts.messages.message(message_kind::kSystem, told);
    setTapUse(MonitorHub::kRecord, true);  // the recording is the hub's use already
}

void LinkTrafficMenu::stopRecording() {
    if (const auto told = m_recording.stop())
        m_parts.messages.message(message_kind::kSystem, *told);
    setTapUse(MonitorHub::kRecord, false);
}

void LinkTrafficMenu::openTrend() {
    const DebugScreen* shown = m_parts.windows.shownWindow();
    if (shown == nullptr) {
        m_parts.messages.message(message_kind::kWarning, monitor::texts::kNoWindow);
        return;
    }
    const auto picked = askItems(*shown);
    if (!picked)
        return;
    m_hub.trend().setItems(monitor::loggedItems(*shown, *picked, m_names));
    if (m_trend == nullptr) {
        m_trend = new TrendWindow(m_hub.trend(), &m_window);
        m_trend->installEventFilter(this);
    }
    setTapUse(MonitorHub::kTrend, true);
    m_trend->remake();
    m_trend->refresh(m_hub.clock()());
    m_trend->show();
    m_trend->raise();
    m_trend->activateWindow();
}

void LinkTrafficMenu::tick() {
    const std::int64_t now = m_hub.clock()();
    m_log.follow(m_parts.windows.shownWindow(), m_parts.windows.shownId());
    m_hub.drain(now);
    if (const auto ended = m_recording.check()) {
        m_parts.messages.message(message_kind::kError, *ended);
        setTapUse(MonitorHub::kRecord, false);
    }
    if (m_log.endOnWriteError())
        setTapUse(MonitorHub::kLog, false);
    if (m_monitor != nullptr && m_hub.inUse(MonitorHub::kMonitor))
        m_monitor->refresh();
    if (m_trend != nullptr && m_hub.inUse(MonitorHub::kTrend) && ++m_ticks % kTrendEvery == 0) {
        m_hub.trend().prune(now);
        m_trend->refresh(now);
    }
    if (m_reportCounts && ++m_reportTicks % kReportEvery == 0)
        reportCounts();
}

// A long unattended run reads what the monitor's bottom line says from
// standard error, as there is no one to look at the window.
void LinkTrafficMenu::reportCounts() {
    const QString line = qtText(extra_texts::kMonitorStatus)
                             .arg(m_hub.history().size())
                             .arg(m_monitor != nullptr ? m_monitor->model().view().size() : 0)
                             .arg(m_hub.skipped())
                             .arg(m_hub.dropped());
    std::fprintf(stderr, "Frame monitor: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

bool LinkTrafficMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide) {
        if (watched == m_monitor) {
            setTapUse(MonitorHub::kMonitor, false);
            m_monitor->model().clear();  // the history it showed is gone
        } else if (watched == m_trend) {
            setTapUse(MonitorHub::kTrend, false);
        }
    }
    return QObject::eventFilter(watched, event);
}

void LinkTrafficMenu::openFromEnvironment() {
    const monitor::OpenRequest request =
        monitor::parseOpenRequest(qEnvironmentVariable("VELTRO_OPEN").toStdString());
    if (!request.logPath.empty()) {
        QTimer::singleShot(0, this, [this, path = QString::fromStdString(request.logPath)] {
            const FileChooser ask = m_chooseFile;
            m_chooseFile = [path](QWidget*, const QString&, const QString&) { return path; };
            startLog(false);
            m_chooseFile = ask;
        });
    }
    if (request.what == monitor::OpenRequest::What::Nothing)
        return;
    QTimer::singleShot(0, this, [this, request] {
        if (request.what == monitor::OpenRequest::What::Monitor) {
            openMonitor();
            m_reportCounts = true;
            return;
        }
        const ItemChooser ask = m_chooseItems;
        m_chooseItems = [fields = request.fields](const DebugScreen& screen,
                                                  const std::vector<int>&) {
            return std::optional(monitor::trendItems(screen, fields));
        };
        openTrend();
        m_chooseItems = ask;
    });
}

LinkTrafficMenu& installLinkTrafficMenu(QMainWindow& window, LinkTrafficParts parts,
                                        monitor::WallClock clock) {
    return *new LinkTrafficMenu(window, std::move(parts), std::move(clock));
}

}  // namespace veltro::gui
