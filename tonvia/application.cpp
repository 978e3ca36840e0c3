#include "tonvia/application.h"

#include "tonvia/command_line.h"
#include "tonvia/file_directory.h"
#include "tonvia/run.h"

namespace tonvia {

int runApplication(std::string_view directoryArgument, std::string_view typeArgument,
                   const std::string& date, MessageSink& sink) {
    std::string error;
    const std::string directory = sourceDirectory(directoryArgument, error);
    if (!error.empty()) {
        sink.writeLine(error);
        return 1;
    }
    RunOptions options;
    options.controllerType = controllerType(typeArgument);
    options.identification.date = date;
    FileDirectory files(directory);
    return runGenerator(options, files, sink) ? 0 : 1;
}

}  // namespace tonvia
