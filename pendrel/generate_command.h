#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pendrel {

// `pendrel --generate DIR [options]`: the generation run without dialogs.
// Progress lines go to `out`, message boxes and questions to `err`. Returns
// the exit status: 0 when every file was written, 1 when the run failed or
// ended early, 2 for a wrong command line.
int runGenerateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of --help.
std::string usageText();

}  // namespace pendrel
