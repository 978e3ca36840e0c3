#pragma once

#include <string_view>

#include "tonvia/line_reader.h"
#include "tonvia/message_sink.h"

namespace tonvia {

// What the steps of a run share: the messages and the error flag that a
// malformed number sets.
class RunContext {
  public:
    explicit RunContext(MessageSink& sink) : m_sink(sink) {}

    // Writes the message that ends the run; returns false for the caller to
    // pass on.
    bool stop(std::string_view message);

    // Reports a malformed number with its line and lets the run go on.
    void malformedNumber(std::string_view message, const SourceLine& line);

    // Reports why the line reader gave no line (not the normal end of file).
    bool stopForReader(LineStatus status, int lineNumber, std::string_view fileName,
                       std::string_view readErrorMessage);

    bool errorFlag() const { return m_errorFlag; }

  private:
    MessageSink& m_sink;
    bool m_errorFlag = false;
};

}  // namespace tonvia
