#include "veltro/watch/watch_command.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <ostream>
#include <unordered_map>

#include "common/file_lookup.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/headless_link_ports.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/open_link.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/link/status_text.h"
#include "veltro/monitor/logged_item.h"
#include "veltro/monitor/time_text.h"
#include "veltro/monitor/value_log.h"
#include "veltro/screens/screen_loader.h"
#include "veltro/session/profile_settings.h"
#include "veltro/watch/headless_loop.h"
#include "veltro/watch/watch_command_line.h"

namespace veltro::watch {

const char* const kWatchUsage =
    "  --watch DIR FILE [LINK...] [--duration S] [--csv OUT]\n"
    "                 poll the items of the debug window file FILE of DIR as the\n"
    "                 shown window would and print one CSV line per reported value\n"
    "                 (or write OUT) until S seconds have passed or Ctrl-C; LINK are\n"
    "                 the debugger's link words, -noreconnect included;\n"
    "                 exit 0, 3 when the link fails\n";

namespace {

constexpr const char* kTitleLine = "tijd,venster,item,macro,element,waarde";
constexpr const char* kLinkEnded = "veltro: de verbinding met de regelautomaat is verbroken";

// Message window lines, one a line on the error stream.
class ErrorLines final : public Messages {
  public:
    explicit ErrorLines(std::ostream& err) : m_err(err) {}
    void message(int kind, std::string_view a, std::string_view b, std::string_view c) override {
        if (kind == message_kind::kInformation || kind == message_kind::kDebug)
            return;  // the names of the files read
        std::lock_guard lock(m_mutex);
        m_err << m_context << a << b << c << '\n' << std::flush;
    }
    void setContextPrefix(std::string_view name) override {
        m_context = name.empty() ? std::string() : std::string(name) + ": ";
    }
    void setLinePrefix(int) override {}

  private:
    std::mutex m_mutex;
    std::ostream& m_err;
    std::string m_context;
};

class BoxLines final : public Prompts {
  public:
    explicit BoxLines(Messages& lines) : m_lines(lines) {}
    void messageBox(std::string_view, std::string_view text, PromptIcon) override {
        m_lines.message(message_kind::kError, text);
    }
    bool askYesNo(std::string_view, std::string_view text, PromptIcon) override {
        messageBox({}, text, PromptIcon::Question);
        return false;
    }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }

  private:
    Messages& m_lines;
};

// A socket error ends the watch (on the loop's thread, which posts it).
class LinkErrors final : public IpErrorHandler {
  public:
    explicit LinkErrors(std::ostream& err) : m_err(err) {}
    void ipError(const IpError& error) override {
        error.report(m_err);
        failed = true;
    }
    bool failed = false;

  private:
    std::ostream& m_err;
};

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

// Every report of a watched item becomes a line, on the loop's thread.
class ValueLines final : public RecordSink {
  public:
    ValueLines(HeadlessLoop& loop, DebugScreen& screen, std::vector<monitor::LoggedItem> items,
               std::ostream& out)
        : m_loop(loop), m_screen(screen), m_out(out) {
        for (auto& item : items)
            m_items.emplace(item.key, std::move(item));
    }
    // Reader thread.
    void deliver(const ControllerRecord& record) override {
        const std::int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::system_clock::now().time_since_epoch())
                                     .count();
        m_loop.post([this, record, now] { write(record, now); });
    }
    std::uint64_t lines() const { return m_lines; }

  private:
    void write(const ControllerRecord& record, std::int64_t timeMs) {
        const auto found = m_items.find(monitor::reportKey(record));
        if (found == m_items.end() || m_screen.showReport(record) < 0)
            return;
        const monitor::LoggedItem& item = found->second;
        std::string line = monitor::isoText(timeMs, m_offset(timeMs));
        for (const std::string* field : {&item.window, &item.label, &item.macro, &item.element}) {
            line += ',';
            line += monitor::csvField(*field);
        }
        line += ',';
        line += std::to_string(record.value);
        m_out << line << '\n';
        ++m_lines;
    }

    HeadlessLoop& m_loop;
    DebugScreen& m_screen;
    std::ostream& m_out;
    std::unordered_map<std::int32_t, monitor::LoggedItem> m_items;
    monitor::LocalOffset m_offset;
    std::uint64_t m_lines = 0;
};

struct Project {
    DefinitionTable table;
    std::unique_ptr<ElementTables> elements = std::make_unique<ElementTables>();
    std::optional<DebugScreen> screen;
};

std::string windowPath(const WatchCommand& cmd) {
    std::filesystem::path path(cmd.file);
    if (path.is_relative())
        path = std::filesystem::path(cmd.directory) / path;
    if (const auto found = common::resolvePathIgnoreCase(path))
        return found->string();
    return path.string();
}

bool load(const WatchCommand& cmd, Project& project, Messages& messages, std::ostream& err) {
    DefinitionsOutcome outcome = loadMacroDefinitions(project.table, messages);
    if (!outcome.fatal())
        outcome =
            loadApplicationDefinitions(cmd.directory, project.table, *project.elements, messages);
    if (outcome.fatal() || outcome.status != DefinitionsOutcome::Status::Loaded) {
        err << "veltro: " << cmd.directory << ": no definitions loaded"
            << (outcome.boxText.empty() ? "" : ": " + outcome.boxText) << '\n';
        return false;
    }
    project.screen = loadDebugWindowFile(windowPath(cmd), project.table, messages);
    if (!project.screen) {
        err << "veltro: " << cmd.file << ": not a debug window file of " << cmd.directory << '\n';
        return false;
    }
    return true;
}

bool openLink(const WatchCommand& cmd, link::ControllerLink& link, LinkErrors& errors,
              Prompts& boxes) {
    if (cmd.link.linkKind == LinkKind::Ip) {
        link.setLabel(link::ipLinkLabel(cmd.link.ipAddress, cmd.link.ipPort));
        if (const auto error =
                link::openIpLink(link, cmd.link.ipAddress, cmd.link.ipPort, errors)) {
            errors.ipError(*error);
            return false;
        }
        return true;
    }
    link.setLabel(link::serialLinkLabel(cmd.link.serialPort, cmd.link.baudRate));
    const ProfileFileSettings settings(std::filesystem::path(cmd.directory) / "veltro.ini");
    return link::openSerialLink(link, cmd.link.serialPort, cmd.link.baudRate, &settings, boxes);
}

}  // namespace

int runWatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const std::atomic<bool>& interrupted) {
    const ParsedWatchCommand parsed = parseWatchCommand(args);
    if (!parsed.command) {
        err << "veltro: " << parsed.error << "\nusage:\n" << kWatchUsage;
        return 2;
    }
    const WatchCommand& cmd = *parsed.command;
    ErrorLines messages(err);
    Project project;
    if (!load(cmd, project, messages, err))
        return 3;
    std::ofstream file;
    if (!cmd.csvPath.empty()) {
        file.open(cmd.csvPath, std::ios::out | std::ios::trunc);
        if (!file) {
            err << "veltro: " << cmd.csvPath << ": cannot be written\n";
            return 3;
        }
    }
    std::ostream& lines = cmd.csvPath.empty() ? out : file;
    lines << kTitleLine << '\n' << std::flush;

    monitor::FrameNames names;
    names.setElements(*project.elements);
    HeadlessLoop loop;
    link::NoDumpDisplay dumpDisplay;
    link::NoReplyTimer replyTimer;
    link::MachineClock clock;
    LinkErrors linkErrors(err);
    BoxLines boxes(messages);
    ValueLines values(loop, *project.screen, monitor::loggedItems(*project.screen, {}, names),
                      lines);
    WatchedWindow window(*project.screen);
    link::ControllerLink link({loop, dumpDisplay, replyTimer, clock});
    link::PollCycle poll(window, link.requests(), loop, messages);
    link.setPollCycle(&poll);
    link.router().setToolSink(&values);  // every report, not only the last of a burst
    link.router().setToolDialogOpen(true);
    if (cmd.link.reconnect)
        link.enableReconnect(&messages);
    if (!openLink(cmd, link, linkErrors, boxes))
        return 3;

    poll.start();
    const auto until = cmd.duration ? HeadlessLoop::Clock::now() + *cmd.duration
                                    : HeadlessLoop::Clock::time_point::max();
    std::int64_t lastFlush = clock.now().count();
    loop.run(
        [&] {
            // Written lines reach the file at least once a second.
            if (clock.now().count() - lastFlush >= 1000) {
                lines.flush();
                lastFlush = clock.now().count();
            }
            return interrupted.load() || linkErrors.failed || link.state() == LinkState::Lost;
        },
        until);
    const bool linkFailed = linkErrors.failed || link.state() == LinkState::Lost;
    if (link.state() == LinkState::Lost)
        err << kLinkEnded << '\n';
    poll.hide();  // STOP for the items, so the controller stops reporting them
    if (auto* queue = link.writeQueue())
        queue->waitUntilIdle(std::chrono::seconds(1));
    link.router().setToolDialogOpen(false);
    loop.drain();
    lines.flush();
    return linkFailed ? 3 : 0;
}

}  // namespace veltro::watch
