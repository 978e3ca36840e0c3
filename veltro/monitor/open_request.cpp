#include "veltro/monitor/open_request.h"

#include <algorithm>
#include <charconv>

namespace veltro::monitor {
namespace {

void readTrend(std::string_view text, OpenRequest& request) {
    request.what = OpenRequest::What::Trend;
    while (!text.empty()) {
        text.remove_prefix(1);  // the ':' or ','
        const std::size_t end = std::min(text.find(','), text.size());
        const std::string_view word = text.substr(0, end);
        int number = 0;
        const auto [rest, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error == std::errc() && rest == word.data() + word.size())
            request.fields.push_back(number);
        text.remove_prefix(end);
    }
}

void readWord(std::string_view word, OpenRequest& request) {
    constexpr std::string_view kTrend = "trend";
    constexpr std::string_view kLog = "log:";
    if (word == "monitor") {
        request.what = OpenRequest::What::Monitor;
    } else if (word.substr(0, kLog.size()) == kLog) {
        request.logPath = std::string(word.substr(kLog.size()));
    } else if (word.substr(0, kTrend.size()) == kTrend) {
        word.remove_prefix(kTrend.size());
        if (word.empty() || word.front() == ':')  // "trendy" is no request
            readTrend(word, request);
    }
}

}  // namespace

OpenRequest parseOpenRequest(std::string_view text) {
    OpenRequest request;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        readWord(text.substr(0, end), request);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return request;
}

}  // namespace veltro::monitor
