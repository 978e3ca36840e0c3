// Reads arbitrary text as a capture file and replays it as fast as possible
// through a frame decoder, with jumps chosen by the input: the reader must
// stop at damage with a line number, never let time go back, and every frame
// line it accepts must be written again as the same line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>

#include "veltro/capture/capture_reader.h"
#include "veltro/capture/replay_player.h"
#include "veltro/link/frame_decoder.h"

namespace {

using namespace veltro::capture;

struct StillClock final : ReplayClock {
    std::int64_t nowMs() const override { return 0; }
};

struct Decoding final : ReplayTarget {
    veltro::link::FrameDecoder decoder{[](const veltro::link::DecodedFrame&) {}};
    std::int64_t last = std::numeric_limits<std::int64_t>::min();
    void check(std::int64_t timeMs) {
        if (timeMs < last && !jumped)
            std::abort();
        last = timeMs;
        jumped = false;
    }
    void received(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override {
        if (bytes.empty() || bytes.size() > veltro::monitor::FrameEntry::kMaxBytes)
            std::abort();
        check(timeMs);
        decoder.feed(bytes);
    }
    void sent(std::span<const std::uint8_t> bytes, std::int64_t timeMs) override {
        if (bytes.empty())
            std::abort();
        check(timeMs);
    }
    void lost(std::uint64_t frames, std::int64_t timeMs) override {
        if (frames == 0)
            std::abort();
        check(timeMs);
    }
    bool jumped = false;
};

void checkLine(const std::string& text) {
    const auto line = parseLine(text);
    if (!line || line->kind != LineKind::Frame)
        return;
    std::string again;
    appendFrameLine(again, line->offsetMs, line->entry);
    again.pop_back();
    const auto reread = parseLine(again);
    if (!reread || reread->offsetMs != line->offsetMs ||
        reread->entry.length != line->entry.length || reread->entry.bytes != line->entry.bytes ||
        reread->entry.direction != line->entry.direction)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        checkLine(line);

    std::istringstream in(text);
    CaptureReader reader(in);
    if (!reader.readHeader()) {
        if (reader.error().rfind("regel ", 0) != 0)
            std::abort();
        return 0;
    }
    StillClock clock;
    Decoding target;
    ReplayPlayer player(reader, target, clock);
    player.setSpeed(ReplaySchedule::kFastest);
    player.start();
    // The last bytes choose up to four jumps, between runs of 64 lines.
    for (std::size_t jump = 0; jump < 4 && !player.finished(); ++jump) {
        player.advance(64);
        const std::int64_t to = size > jump ? data[size - 1 - jump] * 37 : 0;
        target.jumped = true;
        player.jump(to);
    }
    while (!player.finished())
        player.advance();
    if (player.damaged() && reader.error().empty())
        std::abort();
    return 0;
}
