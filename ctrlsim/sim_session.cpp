#include "ctrlsim/sim_session.h"

#include <algorithm>

#include "common/format.h"
#include "ctrlsim/dump_text.h"
#include "veltro/link/frame_encoder.h"

namespace ctrlsim {

using veltro::CommandMode;
using veltro::ControllerRecord;
namespace link = veltro::link;

namespace {

// The header bit of a frame: a byte without it, outside a frame, is one of
// the dump commands.
constexpr std::uint8_t kHeaderBit = 0x80;

// A partial frame that the decoder drops at its second byte, then bytes that
// it ignores between frames.
constexpr std::uint8_t kGarbage[] = {0xA2, 0x05, 0x3F, 0x00};

// The record to send for a stored object: fields that the object's group does
// not carry are left out of the frame, so that an on/off value travels in
// the index byte where the receiver looks for it.
ControllerRecord recordFor(const ObjectKey& key, std::int32_t value) {
    auto [functionCode, index, second] = key;
    const int group = link::functionGroup(functionCode);
    ControllerRecord r{functionCode, index, second, 0, value};
    if (group == 4 || group == 5)
        r.index = -1;
    if (group == 2 || group == 3 || (group >= 8 && group <= 10))
        r.secondIndex = -1;
    return r;
}

}  // namespace

SimSession::SimSession(SimModel& model, FaultOptions faults, Output output, Log log)
    : m_model(model),
      m_faults(faults),
      m_output(std::move(output)),
      m_log(std::move(log)),
      m_decoder([this](const link::DecodedFrame& f) { frame(f); }) {}

void SimSession::received(std::span<const std::uint8_t> bytes, Clock::time_point now) {
    m_now = now;
    for (std::uint8_t b : bytes) {
        if (!(b & kHeaderBit) && m_decoder.idle()) {
            dumpCommand(b);
        } else {
            m_decoder.feed(b);
        }
    }
}

static const char* modeName(CommandMode mode) {
    switch (mode) {
        case CommandMode::Read:
            return "READ";
        case CommandMode::Continuous:
            return "CONTINUOUS";
        case CommandMode::Stop:
            return "STOP";
        case CommandMode::Write:
            return "WRITE";
    }
    return "?";
}

void SimSession::frame(const link::DecodedFrame& f) {
    const ControllerRecord& r = f.record;
    const ObjectKey key{r.functionCode, r.index, r.secondIndex};
    if (m_log) {
        log(common::format("%s code %d index %d second %d value %d", modeName(f.mode),
                           r.functionCode, r.index, r.secondIndex, r.value));
    }
    switch (f.mode) {
        case CommandMode::Read:
            if (!m_faults.ignored.count(key))
                sendValue(key);
            break;
        case CommandMode::Continuous:
            m_continuous.try_emplace(key);
            break;
        case CommandMode::Stop:
            m_continuous.erase(key);
            break;
        case CommandMode::Write:
            if (!m_faults.rejected.count(key))
                m_model.setValue(key, r.value);
            break;
    }
}

void SimSession::sendBytes(std::span<const std::uint8_t> bytes) {
    if (m_wantsClose)
        return;
    if (m_batch != nullptr) {
        m_batch->insert(m_batch->end(), bytes.begin(), bytes.end());
        return;
    }
    m_output(bytes);
}

void SimSession::sendValue(const ObjectKey& key) {
    if (m_wantsClose)
        return;
    const auto frame = link::encodeFrame(recordFor(key, m_model.value(key)), CommandMode::Write);
    sendBytes(frame.bytes());
    if (m_faults.garbage)
        sendBytes(kGarbage);
    ++m_framesSent;
    if (m_faults.closeAfterFrames > 0 && m_framesSent >= m_faults.closeAfterFrames) {
        m_wantsClose = true;
    }
}

void SimSession::dumpCommand(std::uint8_t command) {
    if (m_log && command >= 0x20)
        log(common::format("dump command %c", command));
    switch (command) {
        case 'V': {
            const std::string text = verificationText();
            sendBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
            break;
        }
        case 'M':
            m_prepared = buildDump(m_model);
            break;
        case 'O':
            m_dump = m_prepared.empty() ? buildDump(m_model) : m_prepared;
            m_prepared.clear();
            m_dumpPosition = 0;
            break;
        case 'A':
            m_dumpPosition = m_dump.size();
            break;
        default:
            break;  // line noise between frames
    }
}

void SimSession::pump(Clock::time_point now) {
    m_now = now;
    if (m_rate > 0) {
        pumpAtRate(now);
    } else {
        pumpOnChange(now);
    }
    if (sendingDump()) {
        const std::size_t n = std::min(kDumpSlice, m_dump.size() - m_dumpPosition);
        sendBytes({reinterpret_cast<const std::uint8_t*>(m_dump.data()) + m_dumpPosition, n});
        m_dumpPosition += n;
    }
}

void SimSession::pumpAtRate(Clock::time_point now) {
    const double elapsed =
        m_lastRatePump ? std::chrono::duration<double>(now - *m_lastRatePump).count() : 0.0;
    m_lastRatePump = now;
    if (m_continuous.empty()) {
        m_credit = 0.0;
        return;
    }
    // A stalled connection does not catch up in one burst: at most a tenth
    // of a second's reports are owed.
    m_credit = std::min(m_credit + elapsed * m_rate, std::max(1.0, m_rate / 10.0));
    std::vector<std::uint8_t> batch;
    m_batch = &batch;
    for (; m_credit >= 1.0 && !m_wantsClose; m_credit -= 1.0) {
        auto next =
            m_lastReported ? m_continuous.upper_bound(*m_lastReported) : m_continuous.begin();
        if (next == m_continuous.end())
            next = m_continuous.begin();
        m_lastReported = next->first;
        sendValue(next->first);
    }
    m_batch = nullptr;
    if (!batch.empty())
        m_output(batch);  // one write for the pump's frames
}

void SimSession::pumpOnChange(Clock::time_point now) {
    for (auto& [key, reported] : m_continuous) {
        const std::int32_t value = m_model.value(key);
        if (reported.sent && value == reported.value && now - reported.at < kRefresh)
            continue;
        sendValue(key);
        reported = {value, now, true};
    }
}

}  // namespace ctrlsim
