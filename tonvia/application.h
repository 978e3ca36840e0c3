#pragma once

#include <string>
#include <string_view>

#include "tonvia/message_sink.h"

namespace tonvia {

// A run on the directory and type as given on the command line, with the date
// for the identification record. The exit status: 0 after "TONVIA succesvol
// voltooid", 1 after any stop.
int runApplication(std::string_view directoryArgument, std::string_view typeArgument,
                   const std::string& date, MessageSink& sink);

}  // namespace tonvia
