#pragma once

#include <cstdint>
#include <string>

// What the message window is told of a recording and a replay.
namespace veltro::capture::texts {

inline std::string recordingStarted(const std::string& path) {
    return "Opname naar " + path + " gestart.";
}
inline std::string recordingStopped(const std::string& path, std::uint64_t frames) {
    return "Opname naar " + path + " gestopt: " + std::to_string(frames) + " frames.";
}
inline std::string recordingEmpty(const std::string& path) {
    return "Opname gestopt: er kwam geen frame; " + path + " is niet gemaakt.";
}
inline std::string recordingFailed(const std::string& path, const std::string& why) {
    return "Opname naar " + path + " mislukt: " + why + ".";
}
inline std::string recordingAtLimit(const std::string& path, std::uint64_t limit) {
    const std::string size = limit >= (1u << 20) ? std::to_string(limit >> 20) + " MiB"
                                                 : std::to_string(limit) + " bytes";
    return "Opname naar " + path + " gestopt: de grens van " + size + " is bereikt.";
}
inline std::string recordingGaps(const std::string& path, std::uint64_t frames) {
    return "Opname naar " + path + ": " + std::to_string(frames) +
           " frames konden niet opgenomen worden (regels 'gat').";
}

inline std::string replayTold(const std::string& path, const std::string& what) {
    return "Opname " + path + ": " + what + ".";
}
inline std::string replayDamaged(const std::string& path, const std::string& where) {
    return "Opname " + path + ": " + where + "; de weergave is daar gestopt.";
}
inline std::string replayEnded(const std::string& path) {
    return "Opname " + path + ": einde van de opname.";
}
inline std::string replayGaps(const std::string& path, std::uint64_t frames) {
    return "Opname " + path + ": in de opname ontbreken " + std::to_string(frames) +
           " frames (regels 'gat').";
}
inline constexpr const char* kWriteRefused =
    "Dit is een opname: er wordt niets naar de regelautomaat geschreven.";

}  // namespace veltro::capture::texts
