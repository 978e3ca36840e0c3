#pragma once

#include <string_view>

namespace veltro::tools::texts {

// The backup of a controller's parameters and its restore.
inline constexpr std::string_view kBackupCaption = "Parameters bewaren";
inline constexpr std::string_view kRestoreCaption = "Parameters terugzetten";
inline constexpr const char* kBackupDone = "De parameters zijn bewaard in %s";
inline constexpr const char* kBackupPartly =
    "De parameters zijn bewaard in %s\n%d van de %d parameters gaven geen antwoord.";
inline constexpr std::string_view kBackupNothingChosen =
    "Er is geen parameter gekozen: er is niets bewaard.";
inline constexpr std::string_view kBackupSilent =
    "De regeling gaf geen antwoord: er is niets bewaard.";
inline constexpr const char* kBackupNotWritten = "Het bestand %s kon niet geschreven worden.";
inline constexpr const char* kJournalMismatch =
    "Het journaal %s past niet bij dit project (%s ontbreekt); er is niets teruggezet.";
inline constexpr std::string_view kBackupStopped = "Het bewaren van de parameters is afgebroken";
inline constexpr std::string_view kRestoreDone = "Het terugzetten van de parameters is gereed";
inline constexpr std::string_view kRestoreFailed =
    "Het terugzetten van de parameters is niet gelukt";
inline constexpr std::string_view kRestoreStopped =
    "Het terugzetten van de parameters is afgebroken";
inline constexpr const char* kRestoreUnverified =
    "%d van de %d teruggezette parameters gaven geen antwoord en zijn niet geverifieerd.";

// The acceptance run's journal of originals. "%s" is its file.
inline constexpr const char* kJournalNotWritten =
    "De originele instellingen konden niet bewaard worden in %s.\nDe afname is gestopt: "
    "er gaat geen testwaarde naar de regeling zonder dat het origineel bewaard is.";
inline constexpr const char* kJournalIncomplete =
    "De laatst gemelde originele instellingen konden niet bewaard worden in %s.";
inline constexpr const char* kJournalNotRetired =
    "De originele instellingen zijn teruggezet, maar het journaal %s kon niet verwijderd "
    "worden.";
inline constexpr const char* kJournalFound =
    "Een eerdere afname is niet afgesloten: de originele instellingen staan nog in %s.\n"
    "Deze originele instellingen nu terugzetten?";
inline constexpr const char* kJournalUnreadable =
    "Het journaal van een eerdere afname kan niet gelezen worden:\n%s\nHet blijft staan; "
    "een afname schrijft pas weer testwaarden als het is weggehaald.";
inline constexpr std::string_view kJournalKept =
    "De originele instellingen blijven bewaard; \"Reset originele instellingen\" zet ze "
    "terug.";

}  // namespace veltro::tools::texts
