#pragma once

#include <optional>
#include <string>

#include "ctrlsim/sim_model.h"
#include "veltro/definitions/definition_table.h"
#include "veltro/tools/backup_file.h"

namespace ctrlsim {

// --set-file F: every answered row of a parameter backup (the debugger's
// --bewaar file, or an acceptance journal) as a start value; the first
// error text, naming the file and line, if any.
std::optional<std::string> applyParameterFile(const std::string& path,
                                              const veltro::DefinitionTable& table,
                                              SimModel& model);

// --dump-parameters F: what the simulator holds of every named parameter
// of the project, in the backup's format (a parameter it holds no value of
// is "nee"), so that a test compares it with a backup line by line.
veltro::tools::Backup parameterDump(const SimModel& model, veltro::ElementTables& tables,
                                    const std::string& directory);

}  // namespace ctrlsim
