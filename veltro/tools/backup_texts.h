#pragma once

#include <string_view>

namespace veltro::tools::texts {

// The backup of a controller's parameters and its restore.
inline constexpr std::string_view kBackupCaption = "Parameters bewaren";
inline constexpr std::string_view kRestoreCaption = "Parameters terugzetten";
inline constexpr const char* kBackupDone = "De parameters zijn bewaard in %s";
inline constexpr const char* kBackupPartly =
    "De parameters zijn bewaard in %s\n%d van de %d parameters gaven geen antwoord.";
inline constexpr std::string_view kBackupSilent =
    "De regeling gaf geen antwoord: er is niets bewaard.";
inline constexpr const char* kBackupNotWritten = "Het bestand %s kon niet geschreven worden.";
inline constexpr std::string_view kBackupStopped = "Het bewaren van de parameters is afgebroken";
inline constexpr std::string_view kRestoreDone = "Het terugzetten van de parameters is gereed";
inline constexpr std::string_view kRestoreFailed =
    "Het terugzetten van de parameters is niet gelukt";
inline constexpr std::string_view kRestoreStopped =
    "Het terugzetten van de parameters is afgebroken";
inline constexpr const char* kRestoreUnverified =
    "%d van de %d teruggezette parameters gaven geen antwoord en zijn niet geverifieerd.";

}  // namespace veltro::tools::texts
