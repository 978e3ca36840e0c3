#pragma once

// The debugger's window texts, exactly as its users know them.
namespace veltro::gui::texts {

inline constexpr const char* kMessageWindowTitle = "Mededelingen";

inline constexpr const char* kMenuWindow = "&Venster";
inline constexpr const char* kOpen = "&Openen...\tCtrl+O";
inline constexpr const char* kClose = "&Sluiten...\tCtrl+S";
inline constexpr const char* kChoose = "&Kies Venster...\tCtrl+K";
inline constexpr const char* kPrevious = "Vo&rig Venster\tPgUp";
inline constexpr const char* kNext = "Vo&lgend Venster\tPgDn";
inline constexpr const char* kStartDump = "Start DPCOM...";
inline constexpr const char* kStartAfname = "Start Automatische Afname...";
inline constexpr const char* kStartParameters = "Start Automatische Parameteraanpassing...";
inline constexpr const char* kStartVerschillen = "Start Verschillen met ZXAPTAB.C vinden...";
inline constexpr const char* kExit = "&Afsluiten";

inline constexpr const char* kMenuVariables = "V&ariabelen";
inline constexpr const char* kStopDisplay = "&Stop Weergeven\tF3";
inline constexpr const char* kContinuousDisplay = "&Continu Weergeven\tF5";
inline constexpr const char* kTraceOn = "&Aanzetten normale trace\tF4";
inline constexpr const char* kTraceOff = "&Uitzetten normale trace\tF4";
inline constexpr const char* kDumpTrace = "&Dumpen geheugentrace\tF6";

inline constexpr const char* kMenuSettings = "&Instellingen";
inline constexpr const char* kFont = "&Lettertype...\tCtrl+L";

inline constexpr const char* kMenuHelp = "&?";
inline constexpr const char* kAbout = "Debugger &Info...";

inline constexpr const char* kCloseWindowsTitle = "Debug Vensters Sluiten";
inline constexpr const char* kCloseButton = "&Sluiten";
inline constexpr const char* kChooseWindowTitle = "Debug Venster Kiezen";
inline constexpr const char* kChooseButton = "&Kiezen";
inline constexpr const char* kCancelButton = "&Annuleren";

// The tip of a field whose value is from before the link was lost.
inline constexpr const char* kStaleValue =
    "Waarde van vóór het wegvallen van de verbinding; nog niet opnieuw gemeld";

inline constexpr const char* kAboutTitle = "Veltro Info";
inline constexpr const char* kAboutProduct = "ZAV Tiral Debugger";
inline constexpr const char* kAboutVersion = "Versie 5.5";
inline constexpr const char* kAboutOk = "OK";

}  // namespace veltro::gui::texts
