#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/veltro/link_ports.h"
#include "veltro/link/frame_decoder.h"

namespace test_support {

using Frame = std::pair<veltro::CommandMode, veltro::ControllerRecord>;

// The frames in `writes`, decoded as the controller would read them.
inline std::vector<Frame> decodeFrames(const std::vector<Bytes>& writes) {
    std::vector<Frame> out;
    veltro::link::FrameDecoder decoder(
        [&out](const veltro::link::DecodedFrame& f) { out.emplace_back(f.mode, f.record); });
    for (const Bytes& w : writes)
        decoder.feed(w);
    return out;
}

// "R5", "C5", "S5", "W5": the mode and index of each frame, for compact checks.
inline std::vector<std::string> frameSummary(const std::vector<Frame>& frames) {
    std::vector<std::string> out;
    for (const auto& [mode, record] : frames) {
        const char* letter = mode == veltro::CommandMode::Read         ? "R"
                             : mode == veltro::CommandMode::Continuous ? "C"
                             : mode == veltro::CommandMode::Stop       ? "S"
                                                                       : "W";
        out.push_back(std::string(letter).append(std::to_string(record.index)));
    }
    return out;
}

}  // namespace test_support
