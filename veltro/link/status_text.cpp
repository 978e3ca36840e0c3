#include "veltro/link/status_text.h"

#include <cstdint>

namespace veltro::link {
namespace {

constexpr std::string_view kSeparator = " – ";
constexpr std::string_view kIn = "in ";
constexpr std::string_view kOut = "uit ";
constexpr std::string_view kFrames = " frames, ";
constexpr std::string_view kLastFrame = "laatste frame ";
constexpr std::string_view kAgo = " geleden";
constexpr std::string_view kNoFrameYet = "nog geen frame ontvangen";

// `tenths` tenths of a unit as "12,3".
std::string withDecimalComma(std::uint64_t tenths) {
    return std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10);
}

std::string byteCount(std::uint64_t bytes) {
    if (bytes < 1000)
        return std::to_string(bytes) + " B";
    if (bytes < 1000 * 1000)
        return withDecimalComma(bytes / 100) + " kB";
    return withDecimalComma(bytes / (100 * 1000)) + " MB";
}

std::string ageText(std::chrono::milliseconds age) {
    const auto ms = static_cast<std::uint64_t>(age.count() < 0 ? 0 : age.count());
    if (ms < 60 * 1000)
        return withDecimalComma(ms / 100) + " s";
    const std::uint64_t seconds = ms / 1000;
    if (seconds < 3600)
        return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
    return std::to_string(seconds / 3600) + " uur " + std::to_string(seconds % 3600 / 60) + " min";
}

std::string traffic(std::string_view direction, std::uint64_t frames, std::uint64_t bytes) {
    std::string text(direction);
    text += std::to_string(frames);
    text += kFrames;
    text += byteCount(bytes);
    return text;
}

}  // namespace

std::string_view stateText(LinkState state) {
    switch (state) {
        case LinkState::Connected:
            return kStateConnected;
        case LinkState::Reconnecting:
            return kStateReconnecting;
        case LinkState::Lost:
            break;
    }
    return kStateLost;
}

std::string statusLineText(const LinkStatus& status) {
    std::string text;
    if (!status.label.empty()) {
        text += status.label;
        text += kSeparator;
    }
    text += stateText(status.state);
    text += kSeparator;
    text += traffic(kIn, status.framesIn, status.bytesIn);
    text += kSeparator;
    text += traffic(kOut, status.framesOut, status.bytesOut);
    text += kSeparator;
    if (status.lastFrameAge) {
        text += kLastFrame;
        text += ageText(*status.lastFrameAge);
        text += kAgo;
    } else {
        text += kNoFrameYet;
    }
    return text;
}

std::string serialLinkLabel(int portNumber, int baudRate) {
    return "COM" + std::to_string(portNumber) + ' ' + std::to_string(baudRate);
}

std::string ipLinkLabel(std::string_view address, int port) {
    return std::string(address) + ':' + std::to_string(port);
}

}  // namespace veltro::link
