#pragma once

#include "tonvia/confil_writer.h"
#include "tonvia/directory.h"
#include "tonvia/message_sink.h"

namespace tonvia {

struct RunOptions {
    int controllerType = 101;
    Identification identification;
};

// One run from the check of the sources to "TONVIA succesvol voltooid". Every
// message goes to the sink; true when CONFIL was written.
bool runGenerator(const RunOptions& options, Directory& directory, MessageSink& sink);

}  // namespace tonvia
