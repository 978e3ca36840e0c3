#include "tonvia/run_context.h"

#include <string>

#include "common/format.h"

namespace tonvia {

bool RunContext::stop(std::string_view message) {
    m_sink.writeLine(message);
    return false;
}

void RunContext::malformedNumber(std::string_view message, const SourceLine& line) {
    m_sink.writeLine(message);
    m_sink.writeLine("Regel: " + std::string(line.withoutTrailingBlanks()));
    m_errorFlag = true;
}

bool RunContext::stopForReader(LineStatus status, int lineNumber, std::string_view fileName,
                               std::string_view readErrorMessage) {
    const std::string name(fileName);
    switch (status) {
        case LineStatus::TooLong:
            return stop(common::format("Fout: regel %d van %s is langer dan %zu tekens",
                                       lineNumber, name.c_str(), LineReader::kMaxLineLength));
        case LineStatus::Binary:
            return stop(common::format("Fout: regel %d van %s bevat binaire gegevens", lineNumber,
                                       name.c_str()));
        default:
            return stop(readErrorMessage);
    }
}

}  // namespace tonvia
