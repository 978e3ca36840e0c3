#pragma once

// What the monitor, the value log and the trend tell in the message window.
namespace veltro::monitor::texts {

inline constexpr const char* kNoWindow = "Er wordt geen debug venster getoond.";
inline constexpr const char* kNoItems = "Het debug venster heeft geen items.";
inline constexpr const char* kLogStarted = "Waarden worden vastgelegd in ";
inline constexpr const char* kLogStopped = "Vastleggen gestopt: ";
inline constexpr const char* kLogLines = " waarden in ";
// The name had no extension and the file with ".csv" exists: the save
// dialog confirmed another name, so this one is not replaced.
inline constexpr const char* kLogExists = " bestaat al en wordt niet overschreven.";

}  // namespace veltro::monitor::texts
