#pragma once

#include <string>
#include <vector>

namespace veltro::capture {

// The debugger's own words for recording and replay, taken out of its
// command line before the described words are read:
//   veltro [words] --record FILE       records the session into FILE (new)
//   veltro --replay CAPTURE [DIR]      replays CAPTURE on the project DIR
struct CaptureWords {
    std::string recordPath;
    std::string replayPath;
    std::string replayDirectory;  // empty: the current directory
    std::string error;            // a wrong command line (exit 2)
};

// Takes the words it knows out of `words`.
CaptureWords takeCaptureWords(std::vector<std::string>& words);

}  // namespace veltro::capture
