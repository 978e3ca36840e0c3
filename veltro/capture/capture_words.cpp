#include "veltro/capture/capture_words.h"

#include <filesystem>

namespace veltro::capture {

CaptureWords takeCaptureWords(std::vector<std::string>& words) {
    CaptureWords found;
    if (!words.empty() && words.front() == "--replay") {
        if (words.size() < 2 || words[1].empty() || words[1].starts_with("-")) {
            found.error = "--replay: CAPTURE is missing (the recording to replay)";
            return found;
        }
        found.replayPath = words[1];
        if (words.size() > 2)
            found.replayDirectory = words[2];
        if (words.size() > 3)
            found.error =
                "--replay: '" + words[3] + "' has no place here (--replay CAPTURE [DIR])";
        words.clear();
        return found;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--replay") {
            found.error = "--replay comes first: veltro --replay CAPTURE [DIR]";
            return found;
        }
        if (words[i] != "--record")
            continue;
        if (i + 1 >= words.size() || words[i + 1].empty()) {
            found.error = "--record: FILE is missing (the capture file to make)";
            return found;
        }
        found.recordPath = words[i + 1];
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                    words.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        std::error_code ec;
        if (std::filesystem::exists(found.recordPath, ec))
            found.error = "--record: " + found.recordPath +
                          " exists; a recording never replaces a file (choose another name)";
        return found;
    }
    return found;
}

}  // namespace veltro::capture
