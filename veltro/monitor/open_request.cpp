#include "veltro/monitor/open_request.h"

#include <algorithm>
#include <charconv>

namespace veltro::monitor {

OpenRequest parseOpenRequest(std::string_view text) {
    OpenRequest request;
    if (text == "monitor") {
        request.what = OpenRequest::What::Monitor;
        return request;
    }
    constexpr std::string_view kTrend = "trend";
    if (text.substr(0, kTrend.size()) != kTrend)
        return request;
    text.remove_prefix(kTrend.size());
    if (!text.empty() && text.front() != ':')
        return request;  // "trendy" is no request
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
    return request;
}

}  // namespace veltro::monitor
