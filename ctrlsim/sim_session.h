#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "ctrlsim/sim_model.h"
#include "veltro/link/frame_decoder.h"

namespace ctrlsim {

// Faults a test can ask for.
struct FaultOptions {
    int closeAfterFrames = 0;      // 0: never; otherwise end the connection after N frames sent
    bool resetOnClose = false;     // end it with a reset instead of an orderly close
    bool garbage = false;          // malformed bytes between frames
    std::set<ObjectKey> ignored;   // a READ of these is never answered
    std::set<ObjectKey> rejected;  // a WRITE to these keeps the old value
};

// One connection of the simulated controller: decodes the debugger's frames
// and single-letter dump commands, answers READ at once, reports CONTINUOUS
// objects on change and at least every 500 ms, stores WRITE values, and sends
// a dump in slices so that 'A' can stop it.
class SimSession {
  public:
    using Clock = std::chrono::steady_clock;
    using Output = std::function<void(std::span<const std::uint8_t>)>;
    static constexpr std::chrono::milliseconds kRefresh{500};
    static constexpr std::size_t kDumpSlice = 512;

    using Log = std::function<void(const std::string&)>;

    SimSession(SimModel& model, FaultOptions faults, Output output, Log log = {});

    void received(std::span<const std::uint8_t> bytes, Clock::time_point now);
    // Continuous reports and the next slice of a dump being sent.
    void pump(Clock::time_point now);

    // 0: CONTINUOUS objects are reported on change and every 500 ms. N: N
    // reports a second instead, one object after the other, for load tests.
    void setReportRate(int perSecond) { m_rate = perSecond; }

    // True once the fault options say the connection is to end.
    bool wantsClose() const { return m_wantsClose; }
    std::size_t subscriptions() const { return m_continuous.size(); }
    bool sendingDump() const { return m_dumpPosition < m_dump.size(); }

  private:
    struct Reported {
        std::int32_t value = 0;
        Clock::time_point at{};
        bool sent = false;
    };

    void frame(const veltro::link::DecodedFrame& frame);
    void log(const std::string& line) const {
        if (m_log)
            m_log(line);
    }
    void dumpCommand(std::uint8_t command);
    void pumpOnChange(Clock::time_point now);
    void pumpAtRate(Clock::time_point now);
    void sendValue(const ObjectKey& key);
    void sendBytes(std::span<const std::uint8_t> bytes);

    SimModel& m_model;
    FaultOptions m_faults;
    Output m_output;
    Log m_log;
    veltro::link::FrameDecoder m_decoder;
    Clock::time_point m_now{};
    std::map<ObjectKey, Reported> m_continuous;
    std::string m_prepared;
    std::string m_dump;
    std::size_t m_dumpPosition = 0;
    int m_framesSent = 0;
    bool m_wantsClose = false;
    int m_rate = 0;
    double m_credit = 0.0;  // reports due at the rate, not yet sent
    std::optional<Clock::time_point> m_lastRatePump;
    std::optional<ObjectKey> m_lastReported;       // the round goes on behind it
    std::vector<std::uint8_t>* m_batch = nullptr;  // collects a pump's frames
};

}  // namespace ctrlsim
