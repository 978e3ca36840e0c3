#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "veltro/headless/headless_loop.h"
#include "veltro/headless/output_file.h"
#include "veltro/link/poll_cycle.h"
#include "veltro/monitor/logged_item.h"
#include "veltro/monitor/value_log.h"
#include "veltro/ports/record_sink.h"
#include "veltro/screens/debug_screen.h"

namespace veltro::watch {

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
// loop's thread, stamped by `clock` on the thread that decoded it (the
// machine's time, or a replay's recorded time). The --csv file is opened
// with the first line.
class ValueLines final : public RecordSink {
  public:
    using Clock = std::function<std::int64_t()>;

    ValueLines(headless::HeadlessLoop& loop, DebugScreen& screen, monitor::ValueLog& log,
               headless::OutputFile* file, Clock clock)
        : m_loop(loop), m_screen(screen), m_log(log), m_file(file), m_clock(std::move(clock)) {}
    // The decoding thread.
    void deliver(const ControllerRecord& record) override {
        const std::int64_t now = m_clock();
        m_loop.post([this, record, now] { write(record, now, !m_fromRecording); });
    }
    // With a recording the lines are made of the recorded frames (take)
    // rather than of the decoded reports, so that they are exactly those a
    // replay of the capture gives.
    void setFromRecording(bool on) { m_fromRecording = on; }
    // A recorded frame (the loop's thread).
    void take(const monitor::FrameEntry& entry) {
        if (const auto record = monitor::reportedValue(entry))
            write(*record, entry.timeMs, true);
    }
    // The file could not be made, or a line could not be written.
    std::string failure() const {
        return m_file && !m_file->error().empty() ? m_file->error() : m_log.error();
    }

  private:
    void write(const ControllerRecord& record, std::int64_t timeMs, bool line) {
        if (!m_log.logs(record))
            return;
        if (!line) {
            m_screen.showReport(record);
            return;
        }
        if (!m_fromRecording && m_screen.showReport(record) < 0)
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
    Clock m_clock;
    bool m_fromRecording = false;
};

std::int64_t wallClockMs();

}  // namespace veltro::watch
