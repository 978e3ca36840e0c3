#pragma once

#include <string_view>

namespace veltro::tools::texts {

// Captions of the message boxes and titles of the dialogs.
inline constexpr std::string_view kAdjustmentCaption = "Automatische Parameter Aanpassing";
inline constexpr std::string_view kAcceptanceCaption = "Automatische Afname";
inline constexpr std::string_view kDifferenceCaption = "Verschillen met ZXAPTAB.C zien";

// Closing messages.
inline constexpr std::string_view kAdjustmentDone = "De aanpassing van parameters is gereed";
inline constexpr std::string_view kAdjustmentFailed =
    "De aanpassing van parameters is niet gelukt";
inline constexpr std::string_view kAcceptanceDone = "De afname is gereed";
inline constexpr std::string_view kResetDone =
    "Het herstellen van de originele instellingen is gereed";
inline constexpr std::string_view kNoDifferences = "Er zijn geen verschillen gevonden!";

// A run stopped by the user (Escape or closing the dialog) says so.
inline constexpr std::string_view kAdjustmentStopped =
    "De aanpassing van parameters is afgebroken";
inline constexpr std::string_view kAcceptanceStopped = "De afname is afgebroken";
inline constexpr std::string_view kResetStopped =
    "Het herstellen van de originele instellingen is afgebroken";
inline constexpr std::string_view kDifferenceStopped = "Het zoeken naar verschillen is afgebroken";

// A result file that cannot be written is told, never passed over: before
// the check (nothing is asked then) or at its end (the differences follow
// in boxes). "%s" is the file's name.
inline constexpr const char* kResultFileNotMade =
    "Het bestand %s kan niet geschreven worden.\nEr is niets gecontroleerd.";
inline constexpr const char* kResultFileNotWritten =
    "Het bestand %s kon niet geschreven worden; een eerder bestand blijft zoals het was.";

// Written before each category's header line by the reset of the originals.
inline constexpr std::string_view kResetListingLine = "\nReset originele instellingen\n";

}  // namespace veltro::tools::texts
