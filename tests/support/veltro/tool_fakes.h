#pragma once

// Fakes of the parameter tools' ports: the progress bar, listing files in
// memory, and a controller that answers READs into the parameter store.

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "support/veltro/clock.h"
#include "support/veltro/requests.h"
#include "veltro/ports/controller_requests.h"
#include "veltro/ports/record_sink.h"
#include "veltro/ports/text_files.h"
#include "veltro/ports/tool_progress.h"

namespace test_support {

// Records the range and the steps; asks for a stop after `stopAfterSteps`.
class FakeToolProgress final : public veltro::ToolProgress {
  public:
    void start(int r) override {
        range = r;
        steps = 0;
        ++starts;
    }
    void step() override { ++steps; }
    bool stopRequested() const override {
        return stop.load() || (stopAfterSteps >= 0 && steps >= stopAfterSteps);
    }
    int range = -1;
    int steps = 0;
    int starts = 0;
    int stopAfterSteps = -1;
    std::atomic<bool> stop{false};
};

// Files as texts in memory, by path; paths listed in `unwritable` fail to
// open, and whole files of paths in `failingClose` fail at their close.
class MemoryTextFiles final : public veltro::TextFiles {
  public:
    std::unique_ptr<veltro::TextFile> open(std::string_view path, bool append) override {
        std::lock_guard lock(m_mutex);
        const std::string p(path);
        opened.push_back(p + (append ? " (append)" : ""));
        if (unwritable.count(p))
            return nullptr;
        if (!append)
            m_files[p].clear();
        else
            m_files[p];
        return std::make_unique<File>(*this, p);
    }
    std::unique_ptr<veltro::TextFile> replaceWhole(std::string_view path) override {
        std::lock_guard lock(m_mutex);
        const std::string p(path);
        opened.push_back(p + " (whole)");
        if (unwritable.count(p))
            return nullptr;
        return std::make_unique<WholeFile>(*this, p);
    }
    std::optional<std::string> read(std::string_view path) override {
        std::lock_guard lock(m_mutex);
        const auto it = m_files.find(std::string(path));
        if (it == m_files.end() || unreadable.count(it->first))
            return std::nullopt;
        return it->second;
    }
    bool remove(std::string_view path) override {
        std::lock_guard lock(m_mutex);
        if (unwritable.count(std::string(path)))
            return false;
        m_files.erase(std::string(path));
        return true;
    }
    void put(const std::string& path, const std::string& text) {
        std::lock_guard lock(m_mutex);
        m_files[path] = text;
    }
    std::string text(const std::string& path) const {
        std::lock_guard lock(m_mutex);
        const auto it = m_files.find(path);
        return it == m_files.end() ? std::string() : it->second;
    }
    bool exists(const std::string& path) const {
        std::lock_guard lock(m_mutex);
        return m_files.count(path) != 0;
    }
    std::vector<std::string> names() const {
        std::lock_guard lock(m_mutex);
        std::vector<std::string> out;
        for (const auto& [name, text] : m_files)
            out.push_back(name);
        return out;
    }
    std::vector<std::string> opened;
    std::set<std::string> unwritable;
    std::set<std::string> failingClose;
    std::set<std::string> unreadable;

  private:
    class File final : public veltro::TextFile {
      public:
        File(MemoryTextFiles& files, std::string path) : m_files(files), m_path(std::move(path)) {}
        void write(std::string_view text) override {
            std::lock_guard lock(m_files.m_mutex);
            m_files.m_files[m_path] += text;
        }

      private:
        MemoryTextFiles& m_files;
        std::string m_path;
    };
    // Takes the place of its path only when it is closed.
    class WholeFile final : public veltro::TextFile {
      public:
        WholeFile(MemoryTextFiles& files, std::string path)
            : m_files(files), m_path(std::move(path)) {}
        void write(std::string_view text) override { m_text += text; }
        bool close() override {
            std::lock_guard lock(m_files.m_mutex);
            if (m_files.failingClose.count(m_path))
                return false;
            m_files.m_files[m_path] = m_text;
            return true;
        }

      private:
        MemoryTextFiles& m_files;
        std::string m_path;
        std::string m_text;
    };
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_files;
};

// A controller in the test's own thread: it keeps a value per (function code,
// index, second index), takes WRITEs (except rejected objects) and answers a
// READ by delivering the value to `intake`, after `replyDelay` of the clock
// it owns; the clock's waits deliver what has come due. Ignored objects
// never answer. Every request is recorded.
class FakeController final : public veltro::ControllerRequests {
  public:
    using Key = std::tuple<int, int, int>;

    explicit FakeController(veltro::RecordSink& intake) : m_intake(intake), m_clock(*this) {}

    void send(const veltro::ControllerRecord& r, veltro::CommandMode mode) override {
        requests.sent.push_back({r, mode});
        // An index absent from the frame decodes as 0 at the controller.
        const Key key{r.functionCode, r.index, r.secondIndex == -1 ? 0 : r.secondIndex};
        if (mode == veltro::CommandMode::Write && !rejected.count(key))
            values[key] = r.value;
        if (mode == veltro::CommandMode::Read && !ignored.count(key)) {
            const auto it = values.find(key);
            veltro::ControllerRecord reply{std::get<0>(key), std::get<1>(key), std::get<2>(key), 0,
                                           it == values.end() ? 0 : it->second};
            m_pending.push_back({m_clock.now() + replyDelay, reply});
            deliverDue();
        }
    }

    // Delivers the replies whose moment has come.
    void deliverDue() {
        while (!m_pending.empty() && m_pending.front().due <= m_clock.now()) {
            const veltro::ControllerRecord reply = m_pending.front().record;
            m_pending.pop_front();
            m_intake.deliver(reply);
        }
    }
    std::size_t pending() const { return m_pending.size(); }

    veltro::SteadyClock& clock() { return m_clock; }
    std::vector<veltro::SteadyClock::Time> waits() const { return m_clock.waits(); }

    std::map<Key, std::int32_t> values;
    std::set<Key> ignored;
    std::set<Key> rejected;
    std::chrono::milliseconds replyDelay{0};
    RequestRecorder requests;

  private:
    class Clock final : public veltro::SteadyClock {
      public:
        explicit Clock(FakeController& owner) : m_owner(owner) {}
        Time now() const override { return m_time.now(); }
        void waitUntil(Time deadline) override {
            m_time.waitUntil(deadline);
            m_owner.deliverDue();
        }
        std::vector<Time> waits() const { return m_time.waits(); }

      private:
        FakeController& m_owner;
        FakeClock m_time;
    };
    struct Pending {
        veltro::SteadyClock::Time due;
        veltro::ControllerRecord record;
    };

    veltro::RecordSink& m_intake;
    Clock m_clock;
    std::deque<Pending> m_pending;
};

}  // namespace test_support
