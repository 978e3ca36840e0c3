#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "veltro/capture/capture_recording.h"
#include "veltro/definitions/element_tables.h"
#include "veltro/monitor/frame_names.h"
#include "veltro/monitor/log_session.h"
#include "veltro/monitor/monitor_hub.h"
#include "veltro/ports/frame_tap.h"
#include "veltro/ports/messages.h"
#include "veltro/session/window_list.h"

class QAction;
class QMainWindow;
class QWidget;

namespace veltro::gui {

class FrameMonitorWindow;
class TrendWindow;

// What the menu works with; all of it outlives the main window.
struct LinkTrafficParts {
    FrameTapSlot& tap;  // the link's (ControllerLink::flags().tap)
    DebugWindowList& windows;
    const ElementTables& elements;
    Messages& messages;                  // the message window
    std::string projectDirectory = ".";  // named in a recording's header
};

enum class TrafficItem { Monitor, LogWindow, LogChosen, LogStop, Trend, RecordStart, RecordStop };
inline constexpr std::size_t kTrafficItemCount = 7;

// The menu "Extra" after the described menus, with what shows, logs and
// plots the link's traffic: the frame monitor (Ctrl+M), the value log and
// the trend. None of it costs the link anything until the engineer asks for
// it: the hub taps the link only while one of them is in use, and a timer on
// this thread drains its intake. The rules of the log live in its session;
// this class keeps the menu, the timer and the windows.
class LinkTrafficMenu final : public QObject {
  public:
    static constexpr int kTickMs = 50;
    static constexpr int kTrendEvery = 10;    // ticks between two trend pictures
    static constexpr int kReportEvery = 200;  // ticks between two counts on standard error

    // A save dialog: the chosen path, empty when cancelled.
    using FileChooser =
        std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
    using ItemChooser = std::function<std::optional<std::vector<int>>(
        const DebugScreen& screen, const std::vector<int>& preset)>;

    LinkTrafficMenu(QMainWindow& window, LinkTrafficParts parts,
                    monitor::WallClock clock = monitor::systemTimeMs);
    ~LinkTrafficMenu() override;

    QAction* action(TrafficItem item) const { return m_actions[static_cast<std::size_t>(item)]; }

    void openMonitor();
    // Logs the shown window's items (following the shown window), or the
    // items the engineer chooses from it.
    void startLog(bool chosen);
    void stopLog();
    void openTrend();
    // Records every frame into a capture file (the menu asks for it; the
    // start option names it), or ends that.
    void startRecording();
    void startRecording(const QString& path);
    void stopRecording();
    bool recording() const { return m_recording.active(); }
    // Drains the intake into what is open; the timer's work.
    void tick();

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setItemChooser(ItemChooser chooser) { m_chooseItems = std::move(chooser); }

    monitor::MonitorHub& hub() { return m_hub; }
    const monitor::FrameNames& names() const { return m_names; }
    FrameMonitorWindow* monitorWindow() const { return m_monitor; }
    TrendWindow* trendWindow() const { return m_trend; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenu();
    void updateMenu();
    // Whether `user` takes the link's traffic: the tap is attached and the
    // timer drains while any user does.
    void setTapUse(monitor::MonitorHub::Use user, bool on);
    std::optional<std::vector<int>> askItems(const DebugScreen& shown);
    void openFromEnvironment();
    void reportCounts();

    QMainWindow& m_window;
    LinkTrafficParts m_parts;
    monitor::FrameNames m_names;
    monitor::MonitorHub m_hub;
    monitor::LogSession m_log;
    QTimer m_timer;
    int m_ticks = 0;
    bool m_reportCounts = false;  // the monitor was opened by VELTRO_OPEN
    int m_reportTicks = 0;
    std::array<QAction*, kTrafficItemCount> m_actions{};
    FrameMonitorWindow* m_monitor = nullptr;
    TrendWindow* m_trend = nullptr;
    capture::CaptureRecording m_recording{m_hub};  // ended before the hub goes
    FileChooser m_chooseFile;
    ItemChooser m_chooseItems;
};

// Adds the menu to `window`; it lives as long as the window. A replay gives
// the monitor its recorded times as `clock`.
LinkTrafficMenu& installLinkTrafficMenu(QMainWindow& window, LinkTrafficParts parts,
                                        monitor::WallClock clock = monitor::systemTimeMs);

}  // namespace veltro::gui
