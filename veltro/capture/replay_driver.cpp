#include "veltro/capture/replay_driver.h"

#include <charconv>
#include <cstdio>

#include "veltro/capture/capture_texts.h"

namespace veltro::capture {

std::optional<std::string> ReplayDriver::open(const std::string& path) {
    m_path = path;
    m_file.open(path, std::ios::binary);
    if (!m_file)
        return texts::replayTold(path, "de opname kan niet gelezen worden");
    m_reader = std::make_unique<CaptureReader>(m_file);
    if (!m_reader->readHeader())
        return texts::replayTold(path, m_reader->error());
    m_timeMs = m_reader->header().beginMs;
    ReplayTarget& target = *this;
    m_player = std::make_unique<ReplayPlayer>(*m_reader, target, m_clock);
    return std::nullopt;
}

void ReplayDriver::received(std::span<const std::uint8_t> bytes, std::int64_t timeMs) {
    m_timeMs = timeMs;
    m_receive.bytesReceived(bytes);
}

void ReplayDriver::sent(std::span<const std::uint8_t> bytes, std::int64_t timeMs) {
    m_timeMs = timeMs;
    m_tap.use([bytes](FrameTap& tap) { tap.bytesOut(bytes); });
}

void ReplayDriver::lost(std::uint64_t frames, std::int64_t timeMs) {
    m_timeMs = timeMs;
    m_lost += frames;
}

std::vector<std::string> ReplayDriver::endNotes() const {
    std::vector<std::string> notes;
    if (m_lost != 0)
        notes.push_back(texts::replayGaps(m_path, m_lost));
    if (m_player->damaged())
        notes.push_back(texts::replayDamaged(m_path, m_reader->error()));
    else
        notes.push_back(texts::replayEnded(m_path));
    return notes;
}

std::optional<std::int64_t> parseReplayTime(const std::string& text) {
    std::int64_t total = 0;
    std::size_t at = 0;
    int fields = 0;
    double seconds = 0;
    for (;;) {
        const std::size_t colon = text.find(':', at);
        const std::string part = text.substr(at, colon == std::string::npos ? colon : colon - at);
        if (colon == std::string::npos) {
            const auto [end, ec] =
                std::from_chars(part.data(), part.data() + part.size(), seconds);
            if (part.empty() || ec != std::errc() || end != part.data() + part.size() ||
                seconds < 0 || (fields > 0 && seconds >= 60) || part.front() == '-')
                return std::nullopt;
            break;
        }
        std::int64_t value = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || ec != std::errc() || end != part.data() + part.size() || value < 0 ||
            (fields > 0 && value >= 60) || ++fields > 2 || value > 1'000'000)
            return std::nullopt;
        total = total * 60 + value;
        at = colon + 1;
    }
    if (seconds > 1e9)
        return std::nullopt;
    return total * 60'000 + static_cast<std::int64_t>(seconds * 1000 + 0.5);
}

std::string replayTimeText(std::int64_t offsetMs) {
    char text[48];
    std::snprintf(
        text, sizeof text, "%lld:%02lld:%02lld.%lld", static_cast<long long>(offsetMs / 3'600'000),
        static_cast<long long>(offsetMs / 60'000 % 60),
        static_cast<long long>(offsetMs / 1000 % 60), static_cast<long long>(offsetMs / 100 % 10));
    return text;
}

}  // namespace veltro::capture
