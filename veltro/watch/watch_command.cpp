#include "veltro/watch/watch_command.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "common/file_lookup.h"
#include "veltro/headless/command_words.h"
#include "veltro/headless/console_ports.h"
#include "veltro/headless/exit_codes.h"
#include "veltro/headless/headless_loop.h"
#include "veltro/headless/output_file.h"
#include "veltro/headless/project.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/headless_link_ports.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/open_controller_link.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/link/status_text.h"
#include "veltro/monitor/logged_item.h"
#include "veltro/monitor/value_log.h"
#include "veltro/screens/screen_loader.h"
#include "veltro/session/profile_settings.h"
#include "veltro/watch/watch_command_line.h"

namespace veltro::watch {

const char* const kWatchUsage =
    "  --watch DIR FILE [LINK...] [--duration S] [--csv OUT [--overwrite|--append]]\n"
    "                 poll the items of the debug window file FILE of DIR as the\n"
    "                 shown window would and print one CSV line per reported value\n"
    "                 (or write OUT) until S seconds have passed or Ctrl-C; LINK are\n"
    "                 the debugger's link words, -noreconnect included; OUT is made\n"
    "                 with the first value, and one that exists is only replaced\n"
    "                 (--overwrite) or added to (--append) when asked;\n"
    "                 exit 0, 3 when the link or OUT fails or no value came\n";

namespace {

using headless::Console;
using headless::ConsoleLinkErrors;
namespace exit_code = headless::exit_code;

constexpr const char* kLinkEnded = "veltro: de verbinding met de regelautomaat is verbroken";
constexpr const char* kNoValue = "veltro: the controller reported no value";

std::int64_t wallClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The one debug window of the watch, always shown, as the poll cycle sees it.
class WatchedWindow final : public link::PollWindow {
  public:
    explicit WatchedWindow(DebugScreen& screen) : m_screen(screen) {}
    bool windowShown() const override { return true; }
    std::size_t itemCount() const override { return m_screen.controlledItems().size(); }
    ControllerRecord itemRecord(std::size_t item) const override {
        return m_screen.item(index(item)).record();
    }
    bool itemRequested(std::size_t item) const override {
        return m_screen.item(index(item)).requested();
    }
    void setItemRequested(std::size_t item, bool requested) override {
        m_screen.setRequested(index(item), requested);
    }
    bool itemEnabled(std::size_t item) const override {
        return m_screen.item(index(item)).enabled;
    }
    void disableItems() override { m_screen.disableItems(); }

  private:
    int index(std::size_t item) const { return m_screen.controlledItems().at(item); }
    DebugScreen& m_screen;
};

// Every report of a watched item becomes a line of the value log, on the
// loop's thread. The --csv file is opened with the first line.
class ValueLines final : public RecordSink {
  public:
    ValueLines(headless::HeadlessLoop& loop, DebugScreen& screen, monitor::ValueLog& log,
               headless::OutputFile* file)
        : m_loop(loop), m_screen(screen), m_log(log), m_file(file) {}
    // Reader thread.
    void deliver(const ControllerRecord& record) override {
        const std::int64_t now = wallClockMs();
        m_loop.post([this, record, now] { write(record, now); });
    }
    // The file could not be made, or a line could not be written.
    std::string failure() const {
        return m_file && !m_file->error().empty() ? m_file->error() : m_log.error();
    }

  private:
    void write(const ControllerRecord& record, std::int64_t timeMs) {
        if (!m_log.logs(record) || m_screen.showReport(record) < 0)
            return;
        if (!m_log.isOpen()) {
            std::ostream* out = m_file->open();
            if (out == nullptr)
                return;
            m_log.start(*out, m_file->path(), timeMs, !m_file->hadContent());
        }
        m_log.record(record, timeMs);
    }

    headless::HeadlessLoop& m_loop;
    DebugScreen& m_screen;
    monitor::ValueLog& m_log;
    headless::OutputFile* m_file;
};

std::string windowPath(const WatchCommand& cmd) {
    std::filesystem::path path(cmd.file);
    if (path.is_relative())
        path = std::filesystem::path(cmd.directory) / path;
    if (const auto found = common::resolvePathIgnoreCase(path))
        return found->string();
    return path.string();
}

bool openLink(const WatchCommand& cmd, link::ControllerLink& link, ConsoleLinkErrors& errors,
              Prompts& boxes, Messages& messages) {
    const ProfileFileSettings settings(std::filesystem::path(cmd.directory) / "veltro.ini");
    const link::LinkOpening opening =
        link::openControllerLink(link, cmd.link, {boxes, errors, &settings, &messages});
    if (opening.ipError)
        errors.ipError(*opening.ipError);
    return opening.opened;
}

// The watch over the link: the loop stands in for the user-interface thread.
class WatchRun {
  public:
    WatchRun(DebugScreen& screen, const headless::Project& project, headless::CommandConsole& io,
             headless::OutputFile* file)
        : m_console(io.console),
          m_messages(io.messages),
          m_boxes(io.boxes),
          m_linkErrors(io.console),
          m_values(m_loop, screen, m_log, file),
          m_window(screen),
          m_link({m_loop, m_dumpDisplay, m_replyTimer, m_clock}),
          m_poll(m_window, m_link.requests(), m_loop, io.messages, &m_link) {
        monitor::FrameNames names;
        names.setElements(*project.elements);
        m_log.setItems(monitor::loggedItems(screen, {}, names));
        if (file == nullptr)
            m_log.start(m_console.outStream(), "standard output", wallClockMs());
        m_link.setPollCycle(&m_poll);
        m_link.router().setToolSink(&m_values);  // every report, not only a burst's last
        m_link.router().setRouteToParameterStore(true);
    }

    int run(const WatchCommand& cmd, const std::atomic<bool>& interrupted) {
        if (!openLink(cmd, m_link, m_linkErrors, m_boxes, m_messages))
            return exit_code::kFailure;
        m_poll.start();
        const auto until = cmd.duration ? headless::HeadlessLoop::Clock::now() + *cmd.duration
                                        : headless::HeadlessLoop::Clock::time_point::max();
        m_loop.run([&] { return interrupted.load() || ended(); }, until);
        return finish();
    }

  private:
    bool ended() {
        m_log.tick(wallClockMs());
        return m_linkErrors.failed() || m_link.state() == LinkState::Lost ||
               !m_values.failure().empty();
    }

    int finish() {
        if (m_link.state() == LinkState::Lost)
            m_console.err(kLinkEnded);
        m_poll.hide();  // STOP for the items, so the controller stops reporting them
        if (auto* queue = m_link.writeQueue())
            queue->waitUntilIdle(std::chrono::seconds(1));
        m_link.router().setRouteToParameterStore(false);
        m_loop.drain();
        const std::uint64_t lines = m_log.lines();
        m_log.close();
        if (const std::string failure = m_values.failure(); !failure.empty()) {
            m_console.err("veltro: " + failure);
            return exit_code::kFailure;
        }
        if (m_linkErrors.failed() || m_link.state() == LinkState::Lost)
            return exit_code::kFailure;
        if (lines == 0) {
            m_console.err(kNoValue);
            return exit_code::kFailure;
        }
        return exit_code::kSuccess;
    }

    Console& m_console;
    Messages& m_messages;
    Prompts& m_boxes;
    headless::HeadlessLoop m_loop;
    link::NoDumpDisplay m_dumpDisplay;
    link::NoReplyTimer m_replyTimer;
    link::MachineClock m_clock;
    ConsoleLinkErrors m_linkErrors;
    monitor::ValueLog m_log;
    ValueLines m_values;
    WatchedWindow m_window;
    link::ControllerLink m_link;
    link::PollCycle m_poll;
};

}  // namespace

int runWatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const std::atomic<bool>& interrupted) {
    const ParsedWatchCommand parsed = parseWatchCommand(args);
    if (!parsed.command)
        return headless::wrongCommandLine(err, parsed.error, kWatchUsage);
    const WatchCommand& cmd = *parsed.command;
    headless::CommandConsole io(out, err);
    std::unique_ptr<headless::OutputFile> file;
    if (!cmd.csvPath.empty()) {
        file = std::make_unique<headless::OutputFile>(cmd.csvPath, cmd.csvRule);
        if (const auto problem = file->problem()) {
            io.console.err("veltro: " + problem->text);
            return problem->exitCode;
        }
    }
    headless::Project project;
    if (!headless::loadProject(cmd.directory, project, io.messages, io.boxes))
        return exit_code::kFailure;
    std::optional<DebugScreen> screen =
        loadDebugWindowFile(windowPath(cmd), project.table, io.messages);
    if (!screen) {
        io.console.err("veltro: " + cmd.file + ": not a debug window file of " + cmd.directory);
        return exit_code::kFailure;
    }
    WatchRun watch(*screen, project, io, file.get());
    return watch.run(cmd, interrupted);
}

}  // namespace veltro::watch
