#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "veltro/link/byte_writer.h"
#include "veltro/link/dump_receiver.h"
#include "veltro/link/frame_decoder.h"
#include "veltro/link/one_shot_timer.h"
#include "veltro/link/record_router.h"
#include "veltro/ports/messages.h"

namespace veltro::link::testing {

// Keeps every write; decodes them on request.
class RecordingWriter : public ByteWriter {
  public:
    void writeBytes(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(m_mutex);
        writes.emplace_back(bytes.begin(), bytes.end());
    }
    std::vector<std::pair<CommandMode, ControllerRecord>> frames() const {
        std::vector<std::pair<CommandMode, ControllerRecord>> out;
        FrameDecoder decoder(
            [&out](const DecodedFrame& f) { out.emplace_back(f.mode, f.record); });
        std::lock_guard lock(m_mutex);
        for (const auto& w : writes)
            decoder.feed(w);
        return out;
    }
    std::vector<std::vector<std::uint8_t>> writes;

  private:
    mutable std::mutex m_mutex;
};

class RecordingSink : public RecordSink {
  public:
    void deliver(const ControllerRecord& record) override {
        std::lock_guard lock(m_mutex);
        records.push_back(record);
    }
    std::vector<ControllerRecord> snapshot() const {
        std::lock_guard lock(m_mutex);
        return records;
    }
    std::vector<ControllerRecord> records;

  private:
    mutable std::mutex m_mutex;
};

class RecordingMessages : public Messages {
  public:
    void message(int kind, std::string_view a, std::string_view b, std::string_view c) override {
        lines.push_back(std::to_string(kind) + ":" + std::string(a) + std::string(b) +
                        std::string(c));
    }
    void setContextPrefix(std::string_view) override {}
    void setLinePrefix(int) override {}
    std::vector<std::string> lines;
};

// Timers that fire only when the test says so.
class FakeTimers : public OneShotTimers {
  public:
    TimerId start(std::chrono::milliseconds, std::function<void()> callback) override {
        if (failStarts)
            return kNoTimer;
        pending[next] = std::move(callback);
        return next++;
    }
    void cancel(TimerId id) override { pending.erase(id); }
    // Fires every timer pending now (not the ones they start).
    void fireAll() {
        auto due = std::move(pending);
        pending.clear();
        for (auto& [id, callback] : due)
            callback();
    }
    std::map<TimerId, std::function<void()>> pending;
    TimerId next = 1;
    bool failStarts = false;
};

class RecordingDisplay : public DumpDisplay {
  public:
    void showCount(std::int32_t count) override {
        std::lock_guard lock(m_mutex);
        lastCount = count;
    }
    void showEcho(std::string_view line) override {
        std::lock_guard lock(m_mutex);
        echo = line;
    }
    void showStatus(std::string_view text) override {
        std::lock_guard lock(m_mutex);
        status = text;
    }
    void cancelReplyTimer() override {
        std::lock_guard lock(m_mutex);
        ++cancels;
    }
    std::int32_t lastCount = -1;
    std::string echo;
    std::string status;
    int cancels = 0;

  private:
    std::mutex m_mutex;
};

}  // namespace veltro::link::testing
