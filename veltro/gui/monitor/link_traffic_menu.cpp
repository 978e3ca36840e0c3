#include "veltro/gui/monitor/extra_tools.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>

#include "veltro/gui/monitor/extra_texts.h"
#include "veltro/gui/monitor/frame_monitor_window.h"
#include "veltro/gui/monitor/item_choice_dialog.h"
#include "veltro/gui/monitor/trend_window.h"

namespace veltro::gui {
namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

// The items of a window for a trend opened without asking: those with the
// given field numbers, or the first three number items.
std::vector<int> itemsByNumber(const DebugScreen& screen, const QStringList& numbers) {
    std::vector<int> items;
    for (int index : screen.controlledItems()) {
        const DebugItem& item = screen.item(index);
        if (item.functionCode < 0)
            continue;
        const bool wanted = numbers.isEmpty() ? !item.isOnOff() && items.size() < 3
                                              : numbers.contains(QString::number(item.itemNumber));
        if (wanted)
            items.push_back(index);
    }
    return items;
}

}  // namespace

ExtraTools::ExtraTools(QMainWindow& window, ExtraParts parts, monitor::WallClock clock)
    : QObject(&window), m_window(window), m_parts(parts), m_hub(parts.tap, std::move(clock)) {
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_chooseFile = [](QWidget* parent, const QString& title, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, title, {}, filter);
    };
    m_chooseItems = [this](const DebugScreen& screen, const std::vector<int>& preset) {
        return chooseItems(screen, m_names, preset, &m_window);
    };
    buildMenu();
    updateMenu();
    openFromEnvironment();
}

ExtraTools::~ExtraTools() {
    // The windows go first, then the hub (detaching the tap), with the log's
    // last lines written.
    m_timer.stop();
    for (QWidget* shown : {static_cast<QWidget*>(m_monitor), static_cast<QWidget*>(m_trend)}) {
        if (shown != nullptr)
            shown->removeEventFilter(this);
        delete shown;
    }
    m_hub.log().close();
}

void ExtraTools::buildMenu() {
    QMenu* menu = m_window.menuBar()->addMenu(text(extra_texts::kMenu));
    menu->setObjectName(QStringLiteral("extraMenu"));
    const std::array<const char*, kExtraItemCount> texts = {
        extra_texts::kMonitor, extra_texts::kLogWindow, extra_texts::kLogChosen,
        extra_texts::kLogStop, extra_texts::kTrend};
    for (std::size_t i = 0; i < kExtraItemCount; ++i)
        m_actions[i] = menu->addAction(text(texts[i]));
    QAction* monitor = action(ExtraItem::Monitor);
    monitor->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    monitor->setShortcutContext(Qt::ApplicationShortcut);
    connect(monitor, &QAction::triggered, this, [this] { openMonitor(); });
    connect(action(ExtraItem::LogWindow), &QAction::triggered, this, [this] { startLog(false); });
    connect(action(ExtraItem::LogChosen), &QAction::triggered, this, [this] { startLog(true); });
    connect(action(ExtraItem::LogStop), &QAction::triggered, this, [this] { stopLog(); });
    connect(action(ExtraItem::Trend), &QAction::triggered, this, [this] { openTrend(); });
}

void ExtraTools::updateMenu() {
    const bool logging = m_hub.inUse(monitor::MonitorHub::kLog);
    action(ExtraItem::LogWindow)->setEnabled(!logging);
    action(ExtraItem::LogChosen)->setEnabled(!logging);
    action(ExtraItem::LogStop)->setEnabled(logging);
}

void ExtraTools::use(monitor::MonitorHub::Use what, bool on) {
    if (on && !m_hub.attached())
        m_names.setElements(m_parts.elements);
    m_hub.setUse(what, on);
    if (m_hub.attached())
        m_timer.start();
    else
        m_timer.stop();
    updateMenu();
}

void ExtraTools::openMonitor() {
    if (m_monitor == nullptr) {
        m_monitor = new FrameMonitorWindow(m_hub, m_names, &m_window);
        m_monitor->installEventFilter(this);
    }
    if (!m_hub.inUse(monitor::MonitorHub::kMonitor)) {
        use(monitor::MonitorHub::kMonitor, true);
        m_monitor->model().clear();
    }
    m_monitor->show();
    m_monitor->raise();
    m_monitor->activateWindow();
}

void ExtraTools::startLog(bool chosen) {
    if (m_hub.inUse(monitor::MonitorHub::kLog))
        return;
    const DebugScreen* shown = m_parts.windows.shownWindow();
    if (shown == nullptr) {
        m_parts.messages.message(message_kind::kWarning, extra_texts::kNoWindow);
        return;
    }
    std::vector<int> items;
    if (chosen) {
        const int selected = shown->selected();
        const auto picked =
            m_chooseItems(*shown, selected >= 0 ? std::vector<int>{selected} : std::vector<int>{});
        if (!picked)
            return;
        items = *picked;
    }
    m_names.setElements(m_parts.elements);
    std::vector<monitor::LoggedItem> logged = monitor::loggedItems(*shown, items, m_names);
    if (logged.empty()) {
        m_parts.messages.message(message_kind::kWarning, extra_texts::kNoItems);
        return;
    }
    const QString path =
        m_chooseFile(&m_window, text(extra_texts::kLogFileTitle), text(extra_texts::kCsvFilter));
    if (path.isEmpty())
        return;
    if (const auto error = m_hub.log().open(utf8(path), m_hub.clock()())) {
        m_parts.messages.message(message_kind::kError, *error);
        return;
    }
    m_hub.log().setItems(std::move(logged));
    m_logFollowsShown = !chosen;
    m_loggedScreen = shown;
    m_loggedTitle = shown->title();
    use(monitor::MonitorHub::kLog, true);
    m_parts.messages.message(message_kind::kInformation, extra_texts::kLogStarted, utf8(path));
}

void ExtraTools::stopLog() {
    if (!m_hub.inUse(monitor::MonitorHub::kLog))
        return;
    use(monitor::MonitorHub::kLog, false);  // what was queued is written first
    const std::string path = m_hub.log().path();
    const std::uint64_t lines = m_hub.log().lines();
    if (const auto error = m_hub.log().close()) {
        m_parts.messages.message(message_kind::kError, *error);
        return;
    }
    m_parts.messages.message(message_kind::kInformation, extra_texts::kLogStopped,
                             std::to_string(lines) + extra_texts::kLogLines, path);
}

void ExtraTools::openTrend() {
    const DebugScreen* shown = m_parts.windows.shownWindow();
    if (shown == nullptr) {
        m_parts.messages.message(message_kind::kWarning, extra_texts::kNoWindow);
        return;
    }
    const int selected = shown->selected();
    const auto picked =
        m_chooseItems(*shown, selected >= 0 ? std::vector<int>{selected} : std::vector<int>{});
    if (!picked)
        return;
    m_names.setElements(m_parts.elements);
    m_hub.trend().setItems(monitor::loggedItems(*shown, *picked, m_names));
    if (m_trend == nullptr) {
        m_trend = new TrendWindow(m_hub.trend(), &m_window);
        m_trend->installEventFilter(this);
    }
    use(monitor::MonitorHub::kTrend, true);
    m_trend->remake();
    m_trend->refresh(m_hub.clock()());
    m_trend->show();
    m_trend->raise();
    m_trend->activateWindow();
}

void ExtraTools::tick() {
    const std::int64_t now = m_hub.clock()();
    if (m_logFollowsShown && m_hub.inUse(monitor::MonitorHub::kLog))
        followShownWindow();
    m_hub.drain(now);
    if (m_hub.inUse(monitor::MonitorHub::kLog) && !m_hub.log().error().empty()) {
        // A full disk or a vanished directory: said once, and the log ends.
        const std::string error = m_hub.log().error();
        use(monitor::MonitorHub::kLog, false);
        m_hub.log().close();
        m_parts.messages.message(message_kind::kError, error);
    }
    if (m_monitor != nullptr && m_hub.inUse(monitor::MonitorHub::kMonitor))
        m_monitor->refresh();
    if (m_trend != nullptr && m_hub.inUse(monitor::MonitorHub::kTrend) &&
        ++m_ticks % kTrendEvery == 0) {
        m_hub.trend().prune(now);
        m_trend->refresh(now);
    }
}

void ExtraTools::followShownWindow() {
    const DebugScreen* shown = m_parts.windows.shownWindow();
    if (shown == nullptr || (shown == m_loggedScreen && shown->title() == m_loggedTitle))
        return;
    // The log goes on with the items of the window shown now.
    m_loggedScreen = shown;
    m_loggedTitle = shown->title();
    m_hub.log().setItems(monitor::loggedItems(*shown, {}, m_names));
}

bool ExtraTools::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide) {
        if (watched == m_monitor) {
            use(monitor::MonitorHub::kMonitor, false);
            m_monitor->model().clear();  // the history it showed is gone
        } else if (watched == m_trend)
            use(monitor::MonitorHub::kTrend, false);
    }
    return QObject::eventFilter(watched, event);
}

void ExtraTools::openFromEnvironment() {
    // For pictures and demonstrations: VELTRO_OPEN=monitor or trend opens the
    // window as the event loop starts; the trend of the shown window's first
    // three number items, or with trend:N,M of its fields N and M.
    const QString what = qEnvironmentVariable("VELTRO_OPEN");
    if (what.isEmpty())
        return;
    QTimer::singleShot(0, this, [this, what] {
        if (what == QLatin1String("monitor")) {
            openMonitor();
        } else if (what.startsWith(QLatin1String("trend"))) {
            const QStringList numbers =
                what.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
            const ItemChooser ask = m_chooseItems;
            m_chooseItems = [numbers](const DebugScreen& screen, const std::vector<int>&) {
                return std::optional(itemsByNumber(screen, numbers));
            };
            openTrend();
            m_chooseItems = ask;
        }
    });
}

ExtraTools& installExtraMenu(QMainWindow& window, ExtraParts parts) {
    return *new ExtraTools(window, parts);
}

}  // namespace veltro::gui
