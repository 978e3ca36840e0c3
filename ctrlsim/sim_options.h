#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ctrlsim/parameter_overrides.h"
#include "ctrlsim/sim_session.h"

namespace ctrlsim {

struct SimOptions {
    std::string directory;  // empty: the sample intersection
    int port = 7000;        // 0: any free port
    bool pty = false;
    bool watchStdin = true;  // end of standard input stops the simulator
    bool verbose = false;    // every request on standard output
    int rate = 0;  // 0: CONTINUOUS objects on change; N: N reports a second (a load test)
    FaultOptions faults;
    ParameterOverrides overrides;       // resolved once the definitions are read
    std::vector<std::string> setFiles;  // --set-file: backups read before the --set values
    std::string dumpParameters;         // --dump-parameters: written at exit
};

struct ParsedOptions {
    std::optional<SimOptions> options;  // nothing: print `message` and stop
    std::string message;
    int exitCode = 0;
};

ParsedOptions parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace ctrlsim
