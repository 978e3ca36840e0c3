#pragma once

#include <string_view>

#include "veltro/tools/tool_settings.h"

namespace veltro::gui {

// The texts of one tool dialog, exactly as the user sees them.
struct ToolDialogTexts {
    std::string_view title;
    std::string_view selectionFrame;
    std::string_view saveBox;
    std::string_view runFrame;
    std::string_view startButton;
    std::string_view closeButton;
    std::string_view saveDialogTitle;
};

inline constexpr std::string_view kExtraFrame = " Extra gegevens ";
inline constexpr std::string_view kSeparateFilesBox =
    "Bewaar acties in aparte files per type parameter (filenamen afgeleid van naam hierboven)";
inline constexpr std::string_view kVerifyBox =
    "Verificatie aangepaste waarden van de parameters (aanpassing duurt hierdoor langer!)";
inline constexpr std::string_view kRememberBox =
    "Onthoud originele instellingen van de parameters (afname duurt hierdoor langer!)";
inline constexpr std::string_view kStartValueLabel = "Beginwaarde te testen parameters:";
inline constexpr std::string_view kRestartBox = "Beginwaarde herstellen bij elk type parameter";
inline constexpr std::string_view kSwitchesOnBox = "Schakelaars aan";
inline constexpr std::string_view kSwitchesOffBox = "Schakelaars uit";
inline constexpr std::string_view kResetButton = "Reset originele instellingen";
inline constexpr std::string_view kSpeedLabel = "Snelheid data-overdracht:";
inline constexpr std::string_view kDirectoryLabel = "De te gebruiken Tiral bestanden staan in:";
inline constexpr std::string_view kBrowseButton = "...";
// The difference check's backup of the controller's parameters.
inline constexpr std::string_view kBackupButton = "&Bewaar parameters...";
inline constexpr std::string_view kBackupDialogTitle = "Bewaar parameters als:";
inline constexpr std::string_view kBackupProposedName = "parameters.txt";

inline const ToolDialogTexts& toolDialogTexts(tools::Tool tool) {
    static constexpr ToolDialogTexts kAdjustment{
        "Automatische aanpassing parameters",
        " Selectie van de aan te passen parameters ",
        "Bewaar acties in file:",
        " Aanpassing parameters ",
        "&Start Parameters Aanpassen",
        "&Aanpassing Afsluiten",
        "Sla Aangepast-file op als:",
    };
    static constexpr ToolDialogTexts kAcceptance{
        "Automatische Afname",     " Selectie van de af te nemen parameters ",
        "Bewaar acties in file:",  " Afname ",
        "&Start Afname",           "&Afname Afsluiten",
        "Sla Afname-file op als:",
    };
    static constexpr ToolDialogTexts kDifference{
        "Verschillen met ZXAPTAB.C zien", " Selectie van de te controleren parameters ",
        "Bewaar verschillen in file:",    " Verschillen detecteren ",
        "&Start Verschillen vinden",      "&Verschillen Afsluiten",
        "Sla Verschillen-file op als:",
    };
    switch (tool) {
        case tools::Tool::Adjustment:
            return kAdjustment;
        case tools::Tool::Acceptance:
            return kAcceptance;
        default:
            return kDifference;
    }
}

}  // namespace veltro::gui
