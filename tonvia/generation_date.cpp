#include "tonvia/generation_date.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "common/format.h"

namespace tonvia {

namespace {

std::string formatTm(const std::tm* parts) {
    if (parts == nullptr) {
        return "0000-00-00";
    }
    return common::format("%04d-%02d-%02d", parts->tm_year + 1900, parts->tm_mon + 1,
                          parts->tm_mday);
}

}  // namespace

std::string formatDateUtc(std::time_t time) {
    return formatTm(std::gmtime(&time));
}

std::string generationDate() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr) {
        const std::string_view text(epoch);
        long long seconds = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
        if (error == std::errc() && end == text.data() + text.size() && seconds >= 0) {
            return formatDateUtc(static_cast<std::time_t>(seconds));
        }
    }
    const std::time_t now = std::time(nullptr);
    return formatTm(std::localtime(&now));
}

}  // namespace tonvia
