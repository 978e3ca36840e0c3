#include "veltro/watch/watch_replay.h"

#include <algorithm>
#include <fstream>
#include <functional>

#include "veltro/capture/capture_reader.h"
#include "veltro/capture/project_check.h"
#include "veltro/capture/replay_player.h"
#include "veltro/headless/exit_codes.h"
#include "veltro/headless/headless_loop.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/headless_link_ports.h"
#include "veltro/link/machine_clock.h"
#include "veltro/monitor/logged_item.h"
#include "veltro/watch/watch_values.h"

namespace veltro::watch {
namespace {

namespace exit_code = headless::exit_code;

// Received lines go through the link's receive path on the loop's thread,
// which stands in for the reader thread; the values carry the line's time.
class LinkTarget final : public capture::ReplayTarget {
  public:
    explicit LinkTarget(link::ControllerLink& link) : m_link(link) {}
    void received(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override {
        m_timeMs = timeMs;
        m_link.consumer().bytesReceived(bytes);
    }
    void sent(std::span<const std::uint8_t>, std::int64_t) override {}
    void lost(std::uint64_t frames, std::int64_t) override { m_lost += frames; }

    std::int64_t timeMs() const { return m_timeMs; }
    std::uint64_t lostFrames() const { return m_lost; }

  private:
    link::ControllerLink& m_link;
    std::int64_t m_timeMs = 0;
    std::uint64_t m_lost = 0;
};

class ReplayRun {
  public:
    ReplayRun(DebugScreen& screen, const headless::Project& project, headless::CommandConsole& io,
              headless::OutputFile* file, capture::CaptureReader& reader)
        : m_console(io.console),
          m_reader(reader),
          m_values(m_loop, screen, m_log, file, [this] { return m_target.timeMs(); }),
          m_check(m_names, m_values),
          m_link({m_loop, m_dumpDisplay, m_replyTimer, m_clock}),
          m_target(m_link),
          m_player(reader, m_target, m_replayClock) {
        m_names.setElements(*project.elements);
        m_log.setItems(monitor::loggedItems(screen, {}, m_names));
        if (file == nullptr)
            m_log.start(m_console.outStream(), "standard output", wallClockMs());
        m_link.router().setToolSink(&m_check);
        m_link.router().setRouteToParameterStore(true);
    }

    int run(const WatchCommand& cmd, const std::atomic<bool>& interrupted) {
        m_player.setSpeed(cmd.replaySpeed);
        m_player.start();
        m_pump = [this] { pump(); };
        m_loop.post(m_pump);
        const auto until = cmd.duration ? headless::HeadlessLoop::Clock::now() + *cmd.duration
                                        : headless::HeadlessLoop::Clock::time_point::max();
        m_loop.run(
            [&] {
                m_log.tick(wallClockMs());
                return interrupted.load() || m_player.finished() || !m_values.failure().empty();
            },
            until);
        return finish(cmd.replayPath);
    }

  private:
    void pump() {
        const capture::ReplayPlayer::Step step = m_player.advance();
        if (step.finished)
            return;
        const std::int64_t wait =
            std::max<std::int64_t>(0, step.nextDueMs - m_replayClock.nowMs());
        m_loop.start(std::chrono::milliseconds(wait), m_pump);
    }

    int finish(const std::string& path) {
        m_link.router().setRouteToParameterStore(false);
        m_loop.drain();
        const std::uint64_t lines = m_log.lines();
        m_log.close();
        const std::string name = "veltro: " + path + ": ";
        if (m_target.lostFrames() != 0)
            m_console.err(name + "in de opname ontbreken " +
                          std::to_string(m_target.lostFrames()) + " frames (regels 'gat')");
        if (const auto report = m_check.report())
            m_console.err(name + *report);
        if (const std::string failure = m_values.failure(); !failure.empty()) {
            m_console.err("veltro: " + failure);
            return exit_code::kFailure;
        }
        if (m_player.damaged()) {
            m_console.err(name + m_reader.error() + "; de weergave is daar gestopt");
            return exit_code::kFailure;
        }
        if (lines == 0) {
            m_console.err(name + "de opname bevat geen waarde van deze items");
            return exit_code::kFailure;
        }
        return exit_code::kSuccess;
    }

    headless::Console& m_console;
    capture::CaptureReader& m_reader;
    headless::HeadlessLoop m_loop;
    link::NoDumpDisplay m_dumpDisplay;
    link::NoReplyTimer m_replyTimer;
    link::MachineClock m_clock;
    capture::MachineReplayClock m_replayClock;
    monitor::FrameNames m_names;
    monitor::ValueLog m_log;
    ValueLines m_values;
    capture::ElementCheck m_check;
    link::ControllerLink m_link;
    LinkTarget m_target;
    capture::ReplayPlayer m_player;
    std::function<void()> m_pump;
};

}  // namespace

int replayWatch(const WatchCommand& cmd, DebugScreen& screen, const headless::Project& project,
                headless::CommandConsole& io, headless::OutputFile* file,
                const std::atomic<bool>& interrupted) {
    std::ifstream in(cmd.replayPath, std::ios::binary);
    if (!in) {
        io.console.err("veltro: " + cmd.replayPath + ": de opname kan niet gelezen worden");
        return exit_code::kFailure;
    }
    capture::CaptureReader reader(in);
    if (!reader.readHeader()) {
        io.console.err("veltro: " + cmd.replayPath + ": " + reader.error());
        return exit_code::kFailure;
    }
    if (const auto mismatch = capture::projectMismatch(reader.header(), cmd.directory))
        io.console.err("veltro: " + cmd.replayPath + ": waarschuwing: " + *mismatch);
    ReplayRun run(screen, project, io, file, reader);
    return run.run(cmd, interrupted);
}

}  // namespace veltro::watch
