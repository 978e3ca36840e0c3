#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "veltro/ports/dump_display.h"
#include "veltro/ports/reply_timer.h"

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltro {
class ByteWriter;
class SettingsStore;
}  // namespace veltro

namespace veltro::link {
class DumpReceiver;
class DumpSession;
struct LinkFlags;
}  // namespace veltro::link

namespace veltro::gui {

class DumpWindow;

// The dump dialog's side of the link. Made before the link and kept as long
// as it: it is the link's dump display and reply timer (LinkPorts::dumpDisplay
// and LinkPorts::replyTimer). The receiver's updates reach it on the
// user-interface thread, posted through the dispatcher; it hands them to the
// dump window while one is open and drops them otherwise. The reply timer
// repeats every 10 seconds until it is cancelled.
class DumpWindowPorts final : public DumpDisplay, public ReplyTimer {
  public:
    static constexpr std::chrono::milliseconds kReplyTimeout{10000};

    DumpWindowPorts();
    ~DumpWindowPorts() override;
    DumpWindowPorts(const DumpWindowPorts&) = delete;
    DumpWindowPorts& operator=(const DumpWindowPorts&) = delete;

    void showCount(std::int32_t count) override;
    void showEcho(std::string_view line) override;
    void showStatus(std::string_view text) override;
    void showStored(bool stored) override;
    void restart() override;
    void cancel() override;

    bool replyTimerActive() const { return m_timer.isActive(); }
    std::chrono::milliseconds replyTimerInterval() const { return m_timer.intervalAsDuration(); }
    // What each firing of the timer does; tests call it rather than wait.
    void replyTimeout();

  private:
    friend class DumpWindow;
    DumpWindow* m_window = nullptr;
    QTimer m_timer;
};

// What the dump window works with. All of it outlives the window.
struct DumpWindowLinks {
    link::LinkFlags& flags;        // the dump-open flag (ControllerLink::flags())
    ByteWriter& writer;            // the command bytes (ControllerLink::writer())
    link::DumpReceiver& receiver;  // ControllerLink::dumpReceiver()
    DumpWindowPorts& ports;        // the same object the link was given
    SettingsStore& settings;       // veltro.ini: "DPCOM file name"
};

// The question behind "...": the chosen file, nothing when cancelled.
using DumpFileChooser =
    std::function<std::optional<QString>(QWidget* parent, const QString& proposed)>;

// The dump dialog "DPCOM". Constructing it opens the dump session: received
// bytes go to the dump receiver and the file named by "DPCOM file name" is
// shown; it is emptied and written only when a dump comes. When the dump
// cannot be stored, the label before the file says so. Closing it ("&DPCOM Afsluiten",
// Escape or the title bar) ends the session: received bytes go to the frame
// decoder again and the file is closed.
//
// The main window hides its shown debug window from the protocol
// (DebugWindowList::suspendShown) before constructing the window, runs it
// with exec(), and shows the debug window again (resumeShown) and itself
// once exec() has returned. run() does the middle part.
class DumpWindow final : public QDialog {
  public:
    // `chooser` replaces the save dialog (tests); empty: askDumpFile().
    explicit DumpWindow(DumpWindowLinks links, QWidget* parent = nullptr,
                        DumpFileChooser chooser = {});
    ~DumpWindow() override;  // ends a session still open

    // Opens the window modally and returns when it is closed.
    static int run(DumpWindowLinks links, QWidget* parent);

    bool sessionOpen() const { return m_sessionOpen; }
    QString countText() const;
    QString echoText() const;
    QString statusText() const;
    QString fileText() const;
    QString fileLabelText() const;

    void done(int result) override;

  private:
    friend class DumpWindowPorts;
    class FileSetting;

    void buildControls();
    QGroupBox* buildCommands();
    QGroupBox* buildEcho();
    QGroupBox* buildStatus();
    QHBoxLayout* buildClosing();
    void chooseFile();
    void endSession();

    void showCount(std::int32_t count);
    void showEcho(std::string_view line);
    void showStatus(std::string_view text);
    void showStored(bool stored);

    DumpWindowLinks m_links;
    DumpFileChooser m_chooser;
    std::unique_ptr<FileSetting> m_setting;
    std::unique_ptr<link::DumpSession> m_session;
    bool m_sessionOpen = false;

    QLabel* m_echo = nullptr;
    QLabel* m_status = nullptr;
    QLineEdit* m_count = nullptr;
    QLineEdit* m_file = nullptr;
    QLabel* m_fileLabel = nullptr;
};

// The save dialog of "...": titled "Sla DUMP file op als:", filter "*.dmp",
// default extension "dmp", starting in the current directory with `proposed`.
std::optional<QString> askDumpFile(QWidget* parent, const QString& proposed);

}  // namespace veltro::gui
