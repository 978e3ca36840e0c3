#pragma once

// The exit status of every command without windows, so that a script or a
// CI job can tell a finding from a broken rig.
namespace veltro::headless::exit_code {

inline constexpr int kSuccess = 0;
// A difference, a failed verification, a project that would not start (or,
// with --check --strict, one that gave warnings).
inline constexpr int kFound = 1;
inline constexpr int kWrongCommandLine = 2;
// The link, a file, or a controller that answered nothing.
inline constexpr int kFailure = 3;

}  // namespace veltro::headless::exit_code
