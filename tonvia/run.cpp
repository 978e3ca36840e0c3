#include "tonvia/run.h"

#include "tonvia/configuration.h"
#include "tonvia/controller_reader.h"
#include "tonvia/detector_reader.h"
#include "tonvia/run_context.h"
#include "tonvia/signal_group_reader.h"

namespace tonvia {

namespace {

constexpr const char* kDefinitionMissing = "Fout: sourcefile ZXAPDEF.H niet gevonden";
constexpr const char* kTableMissing = "Fout: sourcefile ZXAPTAB.C niet gevonden";
constexpr const char* kCheckFailed = "Fout bij controleren bestaan C-sourcefiles";
constexpr const char* kInputErrors = "CONFIL niet gegenereerd vanwege fout in invoerfile(s).";
constexpr const char* kDone = "TONVIA succesvol voltooid";

bool checkSource(Directory& directory, RunContext& context, const char* name,
                 const char* missingMessage) {
    switch (directory.check(name)) {
        case Presence::Present:
            return true;
        case Presence::Missing:
            return context.stop(missingMessage);
        default:
            return context.stop(kCheckFailed);
    }
}

}  // namespace

bool runGenerator(const RunOptions& options, Directory& directory, MessageSink& sink) {
    RunContext context(sink);
    Configuration configuration;
    if (!checkSource(directory, context, kDefinitionFile, kDefinitionMissing) ||
        !checkSource(directory, context, kTableFile, kTableMissing) ||
        !readSignalGroups(directory, context, configuration.signalGroups) ||
        !readControllerNumber(directory, context, configuration.controllerNumber) ||
        !readDetectors(directory, context, configuration.detectors)) {
        return false;
    }
    if (context.errorFlag()) {
        return context.stop(kInputErrors);
    }
    if (!writeConfil(directory, context, configuration, options.controllerType,
                     options.identification)) {
        return false;
    }
    sink.writeLine(kDone);
    return true;
}

}  // namespace tonvia
