#pragma once

// The texts of the replay bar, together.
namespace veltro::gui::replay_texts {

inline constexpr const char* kBarName = "Weergave van een opname";
inline constexpr const char* kPause = "Pauze";
inline constexpr const char* kSpeed = "Snelheid:";
inline constexpr const char* kSpeeds[] = {"×1", "×4", "×16", "zo snel als kan"};
inline constexpr int kSpeedValues[] = {1, 4, 16, 0};
inline constexpr const char* kJumpTo = "Naar tijd:";
inline constexpr const char* kJumpHint = "u:mm:ss";
inline constexpr const char* kJump = "Ga";
inline constexpr const char* kBadTime = "Geen tijd: schrijf u:mm:ss, m:ss of seconden";
inline constexpr const char* kPaused = "gepauzeerd";
inline constexpr const char* kEnded = "einde van de opname";
inline constexpr const char* kStopped = "gestopt bij de beschadiging";

}  // namespace veltro::gui::replay_texts
