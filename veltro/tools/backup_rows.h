#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "veltro/tools/backup_file.h"
#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {

// The macro that names a parameter in a backup row ("inst_MG_TIJD3",
// "inst_H_TIJD2", "inst_1e_KL"), as the built-in macro table spells it.
std::string parameterMacro(const ParameterRef& p);

// The backup row of a parameter; `raw` nothing when it did not answer.
BackupRow backupRow(const ParameterRef& p, std::optional<std::int32_t> raw);

// A backed-up value matched to the project's parameter it belongs to. The
// reference's source is the backed-up value, so the adjustment run's
// verification messages tell a restore's differences.
struct RestoreItem {
    ParameterRef ref;
    std::int32_t raw = 0;
};

struct RestorePlan {
    std::vector<RestoreItem> items;    // in the backup's order
    std::vector<std::string> missing;  // rows whose parameter the project lacks
    int unanswered = 0;                // rows without a value: nothing to write
};

// Matches every answered row to the project's parameters by category,
// macro and element names (the array numbers are the project's own).
RestorePlan planRestore(const Backup& backup, ElementTables& tables);

}  // namespace veltro::tools
