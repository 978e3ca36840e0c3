#pragma once

// The texts of the menu "Extra" and its windows, together (what the
// message window is told stands in veltro/monitor/monitor_texts.h).
namespace veltro::gui::extra_texts {

inline constexpr const char* kMenu = "E&xtra";
inline constexpr const char* kMonitor = "&Frame monitor";
inline constexpr const char* kLogWindow = "&Waarden vastleggen...";
inline constexpr const char* kLogChosen = "&Gekozen waarden vastleggen...";
inline constexpr const char* kLogStop = "Vastleggen &stoppen";
inline constexpr const char* kTrend = "&Trend...";
inline constexpr const char* kRecordStart = "&Opname starten…";
inline constexpr const char* kRecordStop = "Opname sto&ppen";
inline constexpr const char* kRecordTitle = "Opname opslaan als";
inline constexpr const char* kRecordFilter = "Opnamen (*.txt);;Alle bestanden (*)";

inline constexpr const char* kMonitorTitle = "Frame monitor";
inline constexpr const char* kIn = "In";
inline constexpr const char* kOut = "Uit";
inline constexpr const char* kMacros = "Macro's:";
inline constexpr const char* kMacrosHint = "alle (namen of nummers)";
inline constexpr const char* kPause = "Pauze";
inline constexpr const char* kClear = "Wissen";
inline constexpr const char* kSave = "Opslaan...";
inline constexpr const char* kUnknownMacro = "Onbekende macro: ";
inline constexpr const char* kUnknownMacros = "Onbekende macro's: ";
// frames kept, rows shown, skipped while paused, lost because the window fell behind
inline constexpr const char* kMonitorStatus =
    "%1 frames, %2 getoond, %3 overgeslagen, %4 verloren";
inline constexpr const char* kSaveFramesTitle = "Frames opslaan";
inline constexpr const char* kTextFilter = "Tekstbestanden (*.txt);;Alle bestanden (*)";

inline constexpr const char* kLogFileTitle = "Waarden vastleggen in";
inline constexpr const char* kCsvFilter = "CSV-bestanden (*.csv);;Alle bestanden (*)";

inline constexpr const char* kChooseTitle = "Items kiezen";
inline constexpr const char* kTrendTitle = "Trend";
inline constexpr const char* kTrendMinutes = "Laatste minuten:";
inline constexpr const char* kTime = "Tijd";
inline constexpr const char* kValue = "Waarde";

}  // namespace veltro::gui::extra_texts
