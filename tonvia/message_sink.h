#pragma once

#include <string_view>

namespace tonvia {

// Where a run writes its messages, one line each: the console prints them,
// the window appends them as they come.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void writeLine(std::string_view line) = 0;
};

}  // namespace tonvia
