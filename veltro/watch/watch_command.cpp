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
#include "veltro/watch/watch_recording.h"
#include "veltro/watch/watch_replay.h"
#include "veltro/watch/watch_values.h"

namespace veltro::watch {

const char* const kWatchUsage =
    "  --watch DIR FILE [LINK...] [--duration S] [--csv OUT [--overwrite|--append]]\n"
    "                 poll the items of the debug window file FILE of DIR as the\n"
    "                 shown window would and print one CSV line per reported value\n"
    "                 (or write OUT) until S seconds have passed or Ctrl-C; LINK are\n"
    "                 the debugger's link words, -noreconnect included; OUT is made\n"
    "                 with the first value, and one that exists is only replaced\n"
    "                 (--overwrite) or added to (--append) when asked;\n"
    "                 exit 0, 3 when the link or OUT fails or no value came;\n"
    "                 --record CAPTURE also writes every frame both ways into the\n"
    "                 new file CAPTURE (an existing one is refused)\n"
    "  --watch DIR FILE --replay CAPTURE [--replay-speed 1|4|16|max] [--duration S]\n"
    "                 [--csv OUT ...]\n"
    "                 the same from a recording instead of a link, at its recorded\n"
    "                 pace (or 4, 16 times as fast, or as fast as possible), each\n"
    "                 value with its recorded time; exit 3 when the recording is\n"
    "                 damaged (after the values up to the damage) or holds no value\n";

std::int64_t wallClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

namespace {

using headless::Console;
using headless::ConsoleLinkErrors;
namespace exit_code = headless::exit_code;

constexpr const char* kLinkEnded = "veltro: de verbinding met de regelautomaat is verbroken";
constexpr const char* kNoValue = "veltro: the controller reported no value";

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
             headless::OutputFile* file, const WatchCommand& cmd)
        : m_console(io.console),
          m_messages(io.messages),
          m_boxes(io.boxes),
          m_linkErrors(io.console),
          m_values(m_loop, screen, m_log, file, wallClockMs),
          m_window(screen),
          m_link({m_loop, m_dumpDisplay, m_replyTimer, m_clock}),
          m_poll(m_window, m_link.requests(), m_loop, io.messages, &m_link),
          m_recording(m_link.flags().tap, cmd.recordPath, cmd.directory,
                      [this](const monitor::FrameEntry& entry) { m_values.take(entry); }) {
        m_values.setFromRecording(m_recording.recording());
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
        m_recording.drain();
        return m_linkErrors.failed() || m_link.state() == LinkState::Lost ||
               !m_values.failure().empty() || !m_recording.error().empty();
    }

    int finish() {
        if (m_link.state() == LinkState::Lost)
            m_console.err(kLinkEnded);
        m_poll.hide();  // STOP for the items, so the controller stops reporting them
        if (auto* queue = m_link.writeQueue())
            queue->waitUntilIdle(std::chrono::seconds(1));
        m_link.router().setRouteToParameterStore(false);
        m_loop.drain();
        const auto recordFailure = m_recording.close();  // its last values first
        const std::uint64_t lines = m_log.lines();
        m_log.close();
        for (const std::string& note : m_recording.notes())
            m_console.err("veltro: " + note);
        if (recordFailure) {
            m_console.err("veltro: " + *recordFailure);
            return exit_code::kFailure;
        }
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
    WatchRecording m_recording;  // detached from the link before the link goes
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
    if (!cmd.recordPath.empty()) {
        const headless::OutputFile record(cmd.recordPath, headless::ExistingFile::Refuse);
        if (const auto problem = record.problem()) {
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
    if (!cmd.replayPath.empty())
        return replayWatch(cmd, *screen, project, io, file.get(), interrupted);
    WatchRun watch(*screen, project, io, file.get(), cmd);
    return watch.run(cmd, interrupted);
}

}  // namespace veltro::watch
