#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltro::tools {

// The parameter backup file: what a controller held, parameter by parameter,
// as text an engineer can read and a script can parse. Version 1:
//
//   veltro parameterbackup 1
//   project;<project directory name>;<ZXAPDEF.H last written, UTC>
//   categorie;parameter;element;naar;ruw;waarde;antwoord
//   VG-tijden;inst_VG_TIJD;SG02;;60;6.0;ja
//   Ontruimingstijden;inst_O_TIJD;SG05;SG02;25;2.5;ja
//   Tijden;inst_TIJD;T_MAX;;;;nee
//
// One row per parameter: the category word, the parameter's macro name, the
// element (and for a clearance time the to-signal-group), the value as the
// controller holds it ("ruw") and the same in the source's unit ("waarde":
// seconds, clock moments as written, integers as they are), and whether the
// controller answered ("ja"/"nee"; an unanswered row has no values). Fields
// are separated by ';' (names never hold one). Empty lines and lines that
// begin with '#' are passed over; a carriage return before a line break is
// dropped. Restores write "ruw"; "waarde" must say the same value, so a row
// edited on one side only is refused rather than half believed.
struct BackupRow {
    std::string category;   // the settings word: "VG-tijden"
    std::string parameter;  // the macro: "inst_VG_TIJD"
    std::string element;
    std::string toElement;            // clearance times only
    std::optional<std::int32_t> raw;  // nothing: the controller did not answer
};

struct BackupOrigin {
    std::string project;      // the project directory's name
    std::string definitions;  // ZXAPDEF.H's time of last writing, or empty
};

struct Backup {
    BackupOrigin origin;
    std::vector<BackupRow> rows;
};

inline constexpr std::string_view kBackupFirstLine = "veltro parameterbackup 1";

std::string formatBackup(const Backup& backup);

struct BackupReading {
    std::optional<Backup> backup;  // nothing: `error` says why, at `line`
    std::string error;
    int line = 0;  // from 1
};
BackupReading parseBackup(std::string_view text);

// A controller value in the source's unit, exactly: 45 at scale 10 is
// "4.5", 730 at scale 100 is "7.30", integers as they are.
std::string inSourceUnit(std::int32_t raw, int scale);

}  // namespace veltro::tools
